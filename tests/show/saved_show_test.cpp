#include "show/saved_show.h"

#include <gtest/gtest.h>

#include <sstream>

#include "command/show_file_format.h"

namespace {

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

show::SavedShow sampleShow() {
    show::SavedShow saved;
    show::Cue cue{25, "Act 1, [sc\xc3\xa8ne] 100%", {1250, 4000}, {}};
    cue.levels[1] = 255;
    cue.levels[2] = 128;
    cue.levels[512] = 9;
    saved.cues.put(cue);
    saved.cues.put(show::Cue{30, "", {}, {}});
    saved.current = 25;
    saved.master = 80;
    saved.blackout = true;
    saved.levels = cue.levels;
    return saved;
}

TEST(SavedShow, RoundTripsThroughLinesTheShowFileReaderSplits) {
    std::string text = show::showFileText(sampleShow());
    std::vector<std::string> lines = linesOf(text);
    EXPECT_EQ(lines[2], "[cue,2.5,1.25,4,Act 1%2c %5bsc\xc3\xa8ne%5d 100%25,1:ff80,512:09]");
    // The label's escapes keep the fields where the reader expects them.
    EXPECT_EQ(command::showLineFields(lines[2]).size(), 7u);

    show::ShowFileReading reading = show::readShowFile(lines);
    EXPECT_EQ(reading.firstBadLine, 0u);
    EXPECT_EQ(show::showFileText(reading.show), text);
    EXPECT_EQ(reading.show.cues.find(25)->label, sampleShow().cues.find(25)->label);
}

// The fade line comes back as written: the time left each way and the levels it ends at.
TEST(SavedShow, KeepsARunningFadeAfterTheLook) {
    show::SavedShow saved = sampleShow();
    saved.fade = show::RestOfFade{{12500, 0}, {}};
    saved.fade->to[34] = 255;
    std::string text = show::showFileText(saved);
    EXPECT_EQ(linesOf(text)[2], "[fade,12.5,0,34:ff]");
    EXPECT_EQ(show::showFileText(show::readShowFile(linesOf(text)).show), text);
}

TEST(SavedShow, ADamagedFileLoadsItsGoodLinesAndNamesTheFirstBadOne) {
    std::vector<std::string> lines = linesOf(show::showFileText(sampleShow()));
    lines[2] = "[cue,2.5,1.25,4,x,600:ff]";
    lines.pop_back();
    show::ShowFileReading reading = show::readShowFile(lines);
    EXPECT_EQ(reading.firstBadLine, 3u);
    EXPECT_EQ(reading.show.master, 80);
    ASSERT_EQ(reading.show.cues.size(), 1u);
    EXPECT_TRUE(reading.show.cues.find(30));

    // Cut short after a whole line: the missing end is the bad line.
    lines.pop_back();
    lines.pop_back();
    EXPECT_EQ(show::readShowFile(lines).firstBadLine, 3u);
    EXPECT_EQ(show::readShowFile(std::vector<std::string>{"garbage"}).firstBadLine, 1u);
}

// What an editor leaves around a line is no part of it; a file without this version's header
// loads every line this version reads, its line 1 named as bad.
TEST(SavedShow, ReadsEditedLinesAndFilesWithoutThisVersionsHeader) {
    const std::string text = show::showFileText(sampleShow());
    std::vector<std::string> lines = linesOf(text);
    std::vector<std::string> edited = lines;
    edited[0] = "\xef\xbb\xbf" + edited[0];
    for (size_t i = 0; i < edited.size(); ++i) edited[i] += i % 2 ? "\r" : " \t";
    show::ShowFileReading reading = show::readShowFile(edited);
    EXPECT_EQ(reading.firstBadLine, 0u);
    EXPECT_EQ(show::showFileText(reading.show), text);

    std::vector<std::string> newer = lines;
    newer[0] = "[brannic-show,2]";
    newer.insert(newer.begin() + 2, "[later,1,2]");
    std::vector<std::string> headless(lines.begin() + 1, lines.end());
    for (const auto& read : {newer, headless}) {
        reading = show::readShowFile(read);
        EXPECT_EQ(reading.firstBadLine, 1u);
        EXPECT_TRUE(reading.lookRead);
        EXPECT_EQ(show::showFileText(reading.show), text);
    }
}

}  // namespace
