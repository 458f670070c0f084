// The program's side: the framework host loads the real plug-in, binds the entries the program
// calls, and the program's calls lend and release framework strings.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "platform/files.h"
#include "platform/plugin_host.h"
#include "server/entrypoints.h"
#include "support/temp_dir.h"

namespace {

const std::filesystem::path realPlugin = QUILVANE_LIBRARY;

bool contains(const std::string& text, std::string_view part) {
    return text.find(part) != std::string::npos;
}

TEST(PluginBinding, RefusesToStartWithAMessageNamingThePlugInFile) {
    testsupport::TempDir folder;
    const std::filesystem::path absent = folder.path() / "libquilvane.so";
    std::string message = Module1::bindPluginMethods(absent);
    EXPECT_TRUE(contains(message, absent.string())) << message;

    std::ofstream(absent) << "not a library";
    message = Module1::bindPluginMethods(absent);
    EXPECT_TRUE(contains(message, absent.string())) << message;
}

// In a process of its own: the methods a plug-in registers stay for the life of the process.
TEST(PluginBinding, RefusesToStartWhenAnEntryItCallsIsMissing) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");  // a fresh process, whatever ran before
    EXPECT_EXIT(
        {
            std::string message = Module1::bindPluginMethods(PARTIAL_PLUGIN);
            const bool named =
                contains(message, PARTIAL_PLUGIN) && contains(message, "DecodeURLComponent") &&
                Module1::entrypointTable[Module1::decodeURLComponentEntry] == nullptr;
            if (!named) std::fprintf(stderr, "%s\n", message.c_str());
            std::exit(named ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(PluginBinding, FindsThePlugInBesideTheProgramAndBindsItsTwoEntries) {
    platform::setApplicationFolder(realPlugin.parent_path());
    EXPECT_EQ(Module1::bindPluginMethods(), "");
    platform::setApplicationFolder({});
    for (size_t i = 0; i < Module1::entrypointTable.size(); ++i) {
        const bool bound = i == Module1::encodeBase64Entry || i == Module1::decodeURLComponentEntry;
        EXPECT_EQ(Module1::entrypointTable[i] != nullptr, bound) << "entry " << i;
    }
    // A second load of the same library doesn't enter it again, and the binding holds.
    EXPECT_EQ(Module1::bindPluginMethods(realPlugin), "");
    EXPECT_EQ(Module1::entrypointTable[Module1::decodeURLComponentEntry],
              platform::findGlobalMethod(
                  "DecodeURLComponent(data As String, encoding as TextEncoding = nil) As String"));
}

TEST(PluginBinding, TheProgramsCallsGoThroughThePlugInAndLeaveNoStringBehind) {
    ASSERT_EQ(Module1::bindPluginMethods(realPlugin), "");
    const size_t live = platform::liveStringCount();
    EXPECT_EQ(Module1::DecodeURLComponent("1%2F5%2B8%2B11%4075"), "1/5+8+11@75");
    EXPECT_EQ(Module1::DecodeURLComponent("34+@25"), "34+@25");
    EXPECT_EQ(Module1::DecodeURLComponent(""), "");
    EXPECT_EQ(Module1::EncodeBase64("user:secret", 76), "dXNlcjpzZWNyZXQ=");
    EXPECT_EQ(Module1::EncodeBase64(std::string(57, 'x'), 76).size(), 78u);
    EXPECT_EQ(platform::liveStringCount(), live);
}

TEST(PluginBinding, DeclarationsMatchOnlyByteForByte) {
    ASSERT_EQ(Module1::bindPluginMethods(realPlugin), "");
    EXPECT_NE(platform::findGlobalMethod("EncodeQuotedPrintable(data As String) As String"),
              nullptr);
    EXPECT_EQ(platform::findGlobalMethod("EncodeQuotedPrintable(data as String) As String"),
              nullptr);
    EXPECT_EQ(platform::findGlobalMethod(
                  "DecodeURLComponent(data As String, encoding As TextEncoding = nil) As String"),
              nullptr);
    EXPECT_EQ(platform::findGlobalMethod("EncodeBase64"), nullptr);
}

TEST(PluginHost, ResolverAnswersTheNineRoutinesAndNothingElse) {
    for (const char* name : {"RegisterPluginVersion", "MOXLGetMXVersion", "MOXLinRuntime",
                             "PluginRegisterMethod", "MOXLBuildString", "MOXLLockString",
                             "MOXLUnlockString", "MOXLSetStringEncoding", "MOXLLoadGlobalMethod"}) {
        EXPECT_NE(platform::resolveHostRoutine(name), nullptr) << name;
    }
    EXPECT_EQ(platform::resolveHostRoutine("MOXLBuildStringX"), nullptr);
    EXPECT_EQ(platform::resolveHostRoutine(""), nullptr);
    auto version =
        reinterpret_cast<GetMXVersionFunction>(platform::resolveHostRoutine("MOXLGetMXVersion"));
    EXPECT_GE(version(), 2007.04);
}

TEST(PluginHost, StringsCountReferencesAndFreeOnTheLastRelease) {
    const size_t live = platform::liveStringCount();
    FrameworkString* s = platform::newString(std::string("a\0b", 3));
    EXPECT_EQ(platform::stringText(s), std::string("a\0b", 3));
    EXPECT_EQ(frameworkStringLength(s), 3);
    EXPECT_EQ(s->buffer[4], 0) << "spare byte";
    EXPECT_EQ(platform::liveStringCount(), live + 1);
    platform::retainString(s);
    platform::releaseString(s);
    EXPECT_EQ(platform::stringReferences(s), 1);
    {
        platform::StringRef held = platform::StringRef::adopt(s);
        platform::StringRef copy = held;
        EXPECT_EQ(platform::stringReferences(s), 2);
    }
    EXPECT_EQ(platform::liveStringCount(), live);
    EXPECT_EQ(platform::stringText(nullptr), "");
}

TEST(PluginHost, StringBuiltWithoutSourceHoldsZeroBytesUntilFilled) {
    auto build =
        reinterpret_cast<BuildStringFunction>(platform::resolveHostRoutine("MOXLBuildString"));
    // Reused heap blocks must not show through: dirty a few first.
    for (int i = 0; i < 8; ++i) platform::releaseString(platform::newString(std::string(200, 'x')));
    platform::StringRef s = platform::StringRef::adopt(build(nullptr, 200));
    EXPECT_EQ(s.text(), std::string(200, '\0'));
    EXPECT_EQ(s.get()->buffer[0], 0);
    EXPECT_EQ(s.get()->buffer[201], 0) << "spare byte";
    EXPECT_EQ(build(nullptr, -1), nullptr);
}

TEST(PluginHost, DefineEncodingTagsWithoutDisturbingOtherHolders) {
    auto define = reinterpret_cast<DefineEncodingFunction>(
        platform::findGlobalMethod("DefineEncoding( s as String, enc as TextEncoding ) as String"));
    ASSERT_NE(define, nullptr);
    const TextEncoding* utf8 = platform::textEncoding(platform::utf8Encoding);
    EXPECT_EQ(utf8, platform::textEncoding(platform::utf8Encoding));

    platform::StringRef shared("text");
    platform::StringRef other = shared;
    auto tagged = platform::StringRef::adopt(define(shared.get(), utf8));
    EXPECT_EQ(tagged.text(), "text");
    EXPECT_EQ(tagged.encoding(), platform::utf8Encoding);
    EXPECT_EQ(other.encoding(), platform::noEncoding);

    platform::StringRef alone("solo");
    auto retagged = platform::StringRef::adopt(define(alone.get(), nullptr));
    EXPECT_EQ(retagged.encoding(), platform::noEncoding);
    EXPECT_EQ(define(nullptr, utf8), nullptr);
}

}  // namespace
