// The entry and the registration, as a host sees them through the resolver.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "recording_host.h"

namespace plugintest {
namespace {

const char* const declarations[] = {
    "EncodeBase64(data As String, lineWrap As Integer = 76) As String",
    "DecodeBase64(data As String, encoding as TextEncoding = nil) As String",
    "EncodeQuotedPrintable(data As String) As String",
    "DecodeQuotedPrintable(data As String, encoding as TextEncoding = nil) As String",
    "EncodeURLComponent(data As String) As String",
    "DecodeURLComponent(data As String, encoding as TextEncoding = nil) As String",
};

size_t registeredCount(HostSetup setup) {
    RecordingHost host(std::move(setup));
    return host.registered().size();
}

TEST(Registration, SixEntriesInTableOrderWithSetterZeroAndFlagsFour) {
    RecordingHost host;
    ASSERT_EQ(host.registered().size(), 6u);
    for (size_t i = 0; i < 6; ++i) {
        const MethodEntry* entry = host.registered()[i];
        EXPECT_STREQ(entry->declaration, declarations[i]);
        EXPECT_NE(entry->function, nullptr);
        EXPECT_EQ(entry->setter, nullptr);
        EXPECT_EQ(entry->flags, 4u);
    }
}

TEST(Registration, InterfaceVersionNineIsRecordedBeforeAnyOtherLookUp) {
    RecordingHost host;
    ASSERT_FALSE(host.lookups().empty());
    EXPECT_EQ(host.lookups().front(), "RegisterPluginVersion");
    ASSERT_FALSE(host.calls().empty());
    EXPECT_EQ(host.calls().front(), "RegisterPluginVersion(9)");
    EXPECT_EQ(std::count(host.lookups().begin(), host.lookups().end(), "RegisterPluginVersion"), 1);
}

TEST(Registration, ByHostVersionAndKindOfHost) {
    struct Case {
        std::optional<double> version;
        bool inRuntime;
        size_t expected;
    };
    const Case cases[] = {
        {2007.04, true, 6},       {2007.04, false, 6},  {2011.0, true, 6},
        {2006.5, false, 6},       {2006.5, true, 0},    {5.9, false, 6},
        {5.8, false, 0},          {5.8, true, 0},       {std::nullopt, false, 0},
        {std::nan(""), false, 0}, {2007.0399, true, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(registeredCount({.version = c.version, .inRuntime = c.inRuntime}), c.expected)
            << "version " << c.version.value_or(-1) << (c.inRuntime ? " built program" : " IDE");
    }
}

TEST(Registration, ARecentHostIsNotAskedWhetherItIsABuiltProgram) {
    RecordingHost host({.version = 2007.04, .inRuntime = true});
    EXPECT_EQ(std::count(host.calls().begin(), host.calls().end(), "MOXLinRuntime"), 0);
}

TEST(Registration, WithoutRegisterPluginVersionNothingIsRegisteredAndNothingCrashes) {
    RecordingHost host({.withheld = {"RegisterPluginVersion"}});
    EXPECT_TRUE(host.registered().empty());
    EXPECT_TRUE(host.calls().empty());
}

TEST(Registration, AnUnansweredRoutineIsAskedForAgainAtTheNextUse) {
    RecordingHost host({.withheld = {"MOXLSetStringEncoding"}});
    host.clearLog();
    EXPECT_EQ(host.run(Method::EncodeURLComponent, "a b"), "a%20b");
    EXPECT_EQ(host.run(Method::EncodeURLComponent, "c d"), "c%20d");
    EXPECT_EQ(std::count(host.lookups().begin(), host.lookups().end(), "MOXLSetStringEncoding"), 2);
    // Answered routines are looked up once and then kept.
    EXPECT_EQ(std::count(host.lookups().begin(), host.lookups().end(), "MOXLBuildString"), 1);
}

TEST(Registration, WithoutBuildStringEveryMethodGivesNullAndKeepsTheBalance) {
    RecordingHost host({.withheld = {"MOXLBuildString"}});
    platform::StringRef data("abc");
    const size_t live = platform::liveStringCount();
    for (int m = 0; m < 6; ++m) {
        EXPECT_EQ(host.call(static_cast<Method>(m), data.get()).get(), nullptr);
        EXPECT_EQ(platform::stringReferences(data.get()), 1);
    }
    EXPECT_EQ(platform::liveStringCount(), live);
}

}  // namespace
}  // namespace plugintest
