#include "netdmx/network_settings.h"

#include <gtest/gtest.h>

#include "netdmx/cid.h"

namespace {

using namespace netdmx;

TEST(NetworkSettings, SavedAndReadBackAndBadValuesNamed) {
    NetworkSettings network;
    network.sacn = {true, 63999, 0, {"10.0.0.5", "fixture.local"}};
    network.artnet = {true, 0x7fff, {}};
    settings::ExtraSettings file{{"live.readback", "on"}};
    storeNetworkSettings(network, file);
    ReadNetworkSettings read = readNetworkSettings(file);
    EXPECT_EQ(read.error, "");
    EXPECT_EQ(read.settings, network);
    EXPECT_EQ(file["live.readback"], "on");

    file["sacn.universe"] = "64000";
    read = readNetworkSettings(file);
    EXPECT_EQ(read.error, "sacn.universe must be a universe from 1 to 63999, not \"64000\"");
    EXPECT_FALSE(read.settings.sacn.enabled);  // nothing half applied
    EXPECT_FALSE(read.settings.artnet.enabled);
}

TEST(NetworkSettings, CommandLineTurnsItsOutputOnOverTheFile) {
    NetworkSettings saved;
    saved.sacn.hosts = {"10.0.0.5"};
    NetworkOverrides overrides;
    overrides.sacnPriority = 50;
    NetworkSettings run = withOverrides(saved, overrides);
    EXPECT_TRUE(run.sacn.enabled);
    EXPECT_EQ(run.sacn.priority, 50);
    EXPECT_EQ(run.sacn.hosts, saved.sacn.hosts);
    EXPECT_FALSE(run.artnet.enabled);
}

TEST(SacnIdentity, CidIsAVersionFourUuidThatReadsBack) {
    Cid random;
    random.fill(0xff);
    Cid cid = uuidV4(random);
    EXPECT_EQ(formatCid(cid), "ffffffff-ffff-4fff-bfff-ffffffffffff");
    EXPECT_EQ(parseCid(formatCid(cid)), cid);
    EXPECT_FALSE(parseCid("ffffffff-ffff-4fff-bfff-fffffffffffg"));
}

TEST(SacnIdentity, SourceNameCutsBetweenCharactersAt63Bytes) {
    // "é" is two bytes; the 63rd byte would split one.
    std::string name = sourceName(std::string(41, 'h') + "é");
    EXPECT_EQ(name.size(), 62u);
    EXPECT_EQ(sourceName("stage").size(), 26u);
}

}  // namespace
