// A build without live walks (OIDWRIGHT_AGENT off, as on Windows) says so when asked for one,
// as a problem of the settings, before anything is sent.
#include <gtest/gtest.h>

#include "check/devicecheck.h"
#include "library/oidfile.h"

namespace {

TEST(NoAgent, AWalkSaysItIsNotInThisBuild) {
    toidfile library;
    AgentSettings settings;
    settings.host = "127.0.0.1";
    try {
        CheckAgainstAgent(library, settings);
        FAIL() << "a walk without net-snmp";
    } catch (const CheckError& error) {
        EXPECT_EQ(error.Failure(), CheckFailure::badSettings);
        EXPECT_STREQ(
            error.what(),
            "Live walks of an agent (--agent) are not in this build: check a capture of snmpwalk -On "
            "with --walk FILE.");
    }
}

}  // namespace
