#include "server/live_messages.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "shell/module1.h"

namespace {

// The command %FF%22x1@50 puts a byte that is not UTF-8 into the query: strict readers must still
// take the document, with the fields in their order.
TEST(LevelsJson, ACaptionThatIsNotUtf8StillGivesAStrictlyValidDocument) {
    Module1::LevelStore levels{};
    levels[1] = 127;
    const int32_t selection[] = {1};
    const server::CommandOutcome outcome{"\xFF\"x1@50", "[255] [34] [120] 1 @ 50 | ", " 1 @ 50",
                                         selection};
    const std::string text =
        server::levelsJson(levels, outcome, {{"USB", "/dev/ttyUSB0", "sending"}});
    const nlohmann::ordered_json json = nlohmann::ordered_json::parse(text);
    std::vector<std::string> fields;
    for (const auto& [name, value] : json.items()) fields.push_back(name);
    EXPECT_EQ(fields, (std::vector<std::string>{"levels", "selection", "query", "tokens", "results",
                                                "outputs"}));
    EXPECT_EQ(json["query"], "\xEF\xBF\xBD\"x1@50");
    EXPECT_EQ(json["levels"].size(), 512u);
    EXPECT_EQ(json["levels"][0], 127);
    EXPECT_EQ(json["selection"], nlohmann::json::array({1}));
    EXPECT_EQ(json["outputs"][0]["state"], "sending");
}

}  // namespace
