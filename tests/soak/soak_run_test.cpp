#include "soak/soak_run.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace {

using std::chrono::milliseconds;

// Two rounds of the five faults in a few seconds: each is recovered from, the saves in between are
// valid files, and the descriptors the chain holds do not grow.
TEST(SoakRun, EveryScheduledFaultIsRecoveredFrom)
{
    TempDir dir;
    SoakOptions o;
    o.duration = milliseconds(9000);
    o.faultEvery = milliseconds(650);
    o.saveEvery = milliseconds(1700);
    o.reportEvery = milliseconds(1000);
    o.watchdogMs = 250;
    o.paced = false;   // replies at once: the short watchdog never meets a slow reply
    o.saveDir = dir.path().string();
    o.memoryGrowthKiB = 1L << 30;   // memory and the end's time are judged by the long run, not under sanitizers
    o.shutdownLimitMs = 1L << 30;
    std::ostringstream log;
    CSoakRun soak(o, log);
    EXPECT_EQ(soak.portName(), "sim:seed=7,schedule=650,fast");
    const SoakReport r = soak.run();

    EXPECT_TRUE(r.problems.empty()) << ::testing::PrintToString(r.problems) << log.str();
    EXPECT_GE(r.faultsScheduled, 10);
    EXPECT_GE(r.reconnects, 6);   // all but the "?" and overlong replies cut the link
    EXPECT_GE(r.recovered, r.reconnects - 1);
    EXPECT_GE(r.savesValid, 4);
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        files += entry.path().extension() == ".tdr";
    EXPECT_EQ(files, r.savesValid);
    EXPECT_NE(log.str().find("rss(KiB)"), std::string::npos);
}

} // namespace
