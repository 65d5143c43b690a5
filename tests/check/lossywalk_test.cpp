// Live walks over a lossy link: a relay of our own drops every third datagram each way
// between the check and a real snmpd; retries must carry every walk through it, a dead port
// must fail after exactly its retries, and a cancel must end every phase at once.

#include <gtest/gtest.h>

#include <chrono>

#include "check/agentaddress.h"
#include "check/agentwalk.h"
#include "localagenttest.h"
#include "lossyrelay.h"
#include "slownames.h"

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

std::string VersionName(SnmpVersion version) {
    return version == SnmpVersion::v1 ? "v1" : version == SnmpVersion::v2c ? "v2c" : "v3";
}

int PortOf(const std::string& address) {
    return std::stoi(address.substr(address.rfind(':') + 1));
}

// A few short subtrees: system description and up time, two interface columns.
const std::vector<Oid> Subtrees = {*ParseOid("1.3.6.1.2.1.1.1"), *ParseOid("1.3.6.1.2.1.1.3"),
                                   *ParseOid("1.3.6.1.2.1.2.2.1.2"), *ParseOid("1.3.6.1.2.1.2.2.1.10")};

// Every OID a walk answered, with its type.
std::vector<std::pair<std::string, std::string>> Answered(const DeviceAnswers& answers) {
    std::vector<std::pair<std::string, std::string>> all;
    for (const auto& [oid, type] : answers.Values()) all.emplace_back(FormatOid(oid), AnswerTypeName(type));
    return all;
}

class LossyWalk : public LocalAgentTest<::testing::TestWithParam<SnmpVersion>> {};

TEST_P(LossyWalk, AnswersTheSameAsOverAPerfectLink) {
    AgentSettings settings = agent_.Settings(GetParam());
    settings.maxRepetitions = 2;  // several requests per subtree
    DeviceAnswers perfect;
    WalkAgent(settings, Subtrees, perfect);
    ASSERT_GE(perfect.Count(), 4u);

    LossyRelay relay(PortOf(agent_.Address()), 3);
    settings.host = relay.Address();
    // Short waits keep the test fast; a late answer to a try is still taken.
    settings.timeoutSeconds = 0.15;
    settings.retries = 4;
    DeviceAnswers lossy;
    WalkAgent(settings, Subtrees, lossy);
    EXPECT_EQ(Answered(lossy), Answered(perfect)) << DescribeAgent(settings);
    EXPECT_GT(relay.DroppedRequests(), 0u);
    EXPECT_GT(relay.DroppedReplies(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Version, LossyWalk,
                         ::testing::Values(SnmpVersion::v1, SnmpVersion::v2c, SnmpVersion::v3),
                         [](const auto& info) { return VersionName(info.param); });

// A relay without an agent: every request is lost, as on the way to a dead host.
struct DeadCase {
    SnmpVersion version;
    const char* hint;
};

class DeadPort : public ::testing::TestWithParam<DeadCase> {};

TEST_P(DeadPort, FailsAfterEveryRetryWithinTheirTime) {
    LossyRelay relay(0, 0);
    AgentSettings settings;
    settings.host = relay.Address();
    if (GetParam().version == SnmpVersion::v3) LocalAgent::UseV3User(settings);
    settings.version = GetParam().version;
    settings.timeoutSeconds = 0.2;
    settings.retries = 3;
    const auto start = Clock::now();
    DeviceAnswers answers;
    try {
        WalkAgent(settings, Subtrees, answers);
        FAIL() << "an answer from nowhere";
    } catch (const CheckError& error) {
        EXPECT_EQ(error.Failure(), CheckFailure::timeout);
        EXPECT_EQ(std::string(error.what()),
                  "Timeout: no answer from " + settings.host + " within 0.8 s (" + GetParam().hint + ")");
    }
    const double seconds = SecondsSince(start);
    EXPECT_GE(seconds, 0.75);
    EXPECT_LT(seconds, 0.8 + 1.0);  // room for a loaded machine
    EXPECT_EQ(relay.Requests(), 4u) << "the first try and three retries";
}

INSTANTIATE_TEST_SUITE_P(Version, DeadPort,
                         ::testing::Values(DeadCase{SnmpVersion::v1, "is the community right?"},
                                           DeadCase{SnmpVersion::v2c, "is the community right?"},
                                           DeadCase{SnmpVersion::v3, "are the user and keys right?"}),
                         [](const auto& info) { return VersionName(info.param.version); });

// Cancelled 100 ms after the start, a walk must end at once in every phase: within 3 s, far
// below the timeouts it would otherwise wait out, with room for a loaded machine.
void ExpectCancelledAtOnce(const AgentSettings& settings) {
    const auto start = Clock::now();
    double cancelledAt = 0;
    DeviceAnswers answers;
    try {
        WalkAgent(settings, Subtrees, answers, [&](const WalkProgress&) {
            if (SecondsSince(start) < 0.1) return true;
            if (cancelledAt == 0) cancelledAt = SecondsSince(start);
            return false;
        });
        FAIL() << "not cancelled";
    } catch (const CheckError& error) {
        EXPECT_EQ(error.Failure(), CheckFailure::cancelled) << error.what();
    }
    EXPECT_LT(SecondsSince(start) - cancelledAt, 3.0) << DescribeAgent(settings);
}

TEST(CancelledWalk, EndsAtOnceWhileTheNameIsLookedUp) {
    SlowNameService names;
    AgentSettings settings;
    settings.host = std::string(SlowNameService::Name) + ":161";
    ExpectCancelledAtOnce(settings);
}

TEST(CancelledWalk, EndsAtOnceWhileAV3AgentIsSilent) {
    LossyRelay relay(0, 0);
    AgentSettings settings;
    LocalAgent::UseV3User(settings);
    settings.host = relay.Address();
    settings.timeoutSeconds = 30;
    settings.retries = 5;
    ExpectCancelledAtOnce(settings);
    EXPECT_EQ(relay.Requests(), 1u) << "the engine discovery was under way";
}

TEST(SlowName, IsWaitedForAndThenUsed) {
    SlowNameService names;
    names.Release();
    LossyRelay relay(0, 0);
    AgentSettings settings;
    settings.host = std::string(SlowNameService::Name) + ":" + std::to_string(PortOf(relay.Address()));
    settings.timeoutSeconds = 0.1;
    settings.retries = 0;
    DeviceAnswers answers;
    EXPECT_THROW(WalkAgent(settings, Subtrees, answers), CheckError);
    EXPECT_EQ(relay.Requests(), 1u) << "the request went to the address the name service gave";
}

}  // namespace
