// Live checks against a real snmpd started for the test, and the same agent through a capture.

#include <gtest/gtest.h>

#include <chrono>
#include <map>

#include "check/checkreport.h"
#include "check/devicecheck.h"
#include "check/walkcapture.h"
#include "fakeagent.h"
#include "import/modulenames.h"
#include "library/oidfile.h"
#include "localagenttest.h"
#include "shared_data.h"
#include "text/textfile.h"

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

class LiveCheck : public LocalAgentTest<> {
  protected:
    // The entries' OIDs that the check answered.
    static std::map<std::string, int> AnsweredRows(const toidfile& library, const CheckResult& result) {
        std::map<std::string, int> answered;
        for (int i = 0; i < library.Count(); ++i)
            if (result.entries[static_cast<std::size_t>(i)].answered)
                answered[library.Entries(i)->oid] = result.entries[static_cast<std::size_t>(i)].rows;
        return answered;
    }

    static bool Answered(const std::map<std::string, int>& answered, const std::string& oid) {
        return answered.count(oid) != 0;
    }

    // The remarks on the entry of that OID.
    static std::vector<std::string> RemarksAt(const toidfile& library, const CheckResult& result,
                                              const std::string& oid) {
        for (int i = 0; i < library.Count(); ++i)
            if (library.Entries(i)->oid == oid) return result.entries[static_cast<std::size_t>(i)].remarks;
        ADD_FAILURE() << "no entry " << oid;
        return {};
    }

    // What every check of the agent remarks on IF-MIB and UCD-SNMP-MIB, from wherever it reads.
    static void ExpectCounterRemarks(const toidfile& library, const CheckResult& result,
                                     const std::string& from) {
        EXPECT_EQ(
            RemarksAt(library, result, "1.3.6.1.2.1.2.2.1.10"),
            std::vector<std::string>{"a 32-bit counter whose 64-bit counterpart "
                                     "IF-MIB|ifx: #[1.3.6.1.2.1.2.2.1.1]|ifhcin octets is answered too"})
            << from << ": ifInOctets";
        // memTotalRealX, a CounterBasedGauge64, travels as Counter64.
        EXPECT_EQ(RemarksAt(library, result, "1.3.6.1.4.1.2021.4.20.0"), std::vector<std::string>())
            << from << ": memTotalRealX";
    }
};

TEST_F(LiveCheck, LiveWalkAndCaptureAnswerTheSameEntries) {
    SKIP_WITHOUT_SHARED(mibs, "mibs");
    if (RunProgram({"snmpbulkwalk", "-V"}, {}, agent_.Folder() + "/version.txt") != 0)
        GTEST_SKIP() << "skipped: snmpbulkwalk is not installed (Debian package snmp); no capture to compare";
    toidfile library;
    ImportModules(mibs.string(), {"SNMPv2-MIB", "IF-MIB", "HOST-RESOURCES-MIB", "UCD-SNMP-MIB"},
                  testdata::programData("stdmib").string(), library);
    ASSERT_GT(library.Count(), 100);

    const CheckResult live = CheckAgainstAgent(library, agent_.Settings(SnmpVersion::v2c));
    std::vector<std::string> subtrees;
    for (const Oid& subtree : SubtreesToWalk(library)) subtrees.push_back(FormatOid(subtree));
    const std::string capture = agent_.Folder() + "/agent.walk";
    std::string error;
    ASSERT_TRUE(agent_.CaptureWith(subtrees, capture, error)) << error;
    const CheckResult captured = CheckAgainstCapture(library, capture);

    EXPECT_TRUE(captured.skippedLines.Empty()) << CheckReportLines(library, captured).back();
    const auto liveAnswered = AnsweredRows(library, live);
    const auto capturedAnswered = AnsweredRows(library, captured);
    std::vector<std::string> liveOids, capturedOids;
    for (const auto& [oid, rows] : liveAnswered) liveOids.push_back(oid);
    for (const auto& [oid, rows] : capturedAnswered) capturedOids.push_back(oid);
    EXPECT_EQ(liveOids, capturedOids);

    // What any snmpd serves: sysUpTime's neighbours, interface counters, storage.
    for (const char* oid : {"1.3.6.1.2.1.1.8.0",        // sysORLastChange
                            "1.3.6.1.2.1.11.1.0",       // snmpInPkts
                            "1.3.6.1.2.1.2.1.0",        // ifNumber
                            "1.3.6.1.2.1.2.2.1.10",     // ifInOctets
                            "1.3.6.1.2.1.25.2.3.1.6"})  // hrStorageUsed
        EXPECT_TRUE(Answered(liveAnswered, oid)) << oid;
    ASSERT_TRUE(Answered(liveAnswered, "1.3.6.1.2.1.2.2.1.10"));
    EXPECT_GE(liveAnswered.at("1.3.6.1.2.1.2.2.1.10"), 1);  // at least the loopback interface
    EXPECT_EQ(CheckSummary(live), std::to_string(live.Answered()) + " of " + std::to_string(library.Count()) +
                                      " entries answered");
    ExpectCounterRemarks(library, live, "live");
    ExpectCounterRemarks(library, captured, "-On");

    // The same walk with net-snmp's names from the same modules: by default
    // (SNMPv2-MIB::sysUpTime.0), and in full (-Of).
    const std::string modules = "SNMPv2-MIB:IF-MIB:HOST-RESOURCES-MIB:UCD-SNMP-MIB";
    for (const std::vector<std::string>& format :
         {std::vector<std::string>{"-M", mibs.string(), "-m", modules},
          std::vector<std::string>{"-Of", "-M", mibs.string(), "-m", modules}}) {
        const std::string named = agent_.Folder() + "/named" + std::to_string(format.size()) + ".walk";
        ASSERT_TRUE(agent_.CaptureWith(subtrees, named, error, format)) << error;
        ModuleOidNames names(LibraryModules(library), mibs.string(),
                             ProgramFilesIn(testdata::programData("").string()));
        const CheckResult fromNames = CheckAgainstCapture(library, named, &names);
        EXPECT_TRUE(fromNames.skippedLines.Empty())
            << format.front() << ": " << CheckReportLines(library, fromNames).back();
        EXPECT_EQ(AnsweredRows(library, fromNames), liveAnswered) << format.front();
        ExpectCounterRemarks(library, fromNames, format.front());
        EXPECT_GT(names.FilesParsed(), 4) << "the capture holds names";
    }
}

// With every MIB of a large collection loaded (-m ALL), net-snmp prints indexes as text:
// ipAddressIfIndex.ipv4."127.0.0.1", vacmAccessStatus."grp"."".0.noAuthNoPriv,
// nsExtendOutput1Line."test". A whole-tree walk so printed reads line for line as the numeric
// walk does, and answers the same entries.
TEST_F(LiveCheck, WholeTreeWithEveryMibReadsLikeNumbers) {
    SKIP_WITHOUT_SHARED(mibs, "mibs");
    SKIP_WITHOUT_SHARED(collection, "mibs-collection/mibs");
    if (RunProgram({"snmpbulkwalk", "-V"}, {}, agent_.Folder() + "/version.txt") != 0)
        GTEST_SKIP() << "skipped: snmpbulkwalk is not installed (Debian package snmp); no capture to compare";
    toidfile library;
    ImportModules(mibs.string(),
                  {"SNMPv2-MIB", "IF-MIB", "IP-MIB", "HOST-RESOURCES-MIB", "UCD-SNMP-MIB", "TCP-MIB",
                   "UDP-MIB", "NET-SNMP-EXTEND-MIB"},
                  testdata::programData("stdmib").string(), library);
    const std::string numeric = agent_.Folder() + "/numeric.walk", named = agent_.Folder() + "/named.walk";
    ModuleOidNames names(LibraryModules(library), collection.string(),
                         ProgramFilesIn(testdata::programData("").string()));
    // The entries answered by one capture and not by the other. The machine changes between the
    // two walks (a TCP connection table empties, processes come and go): a difference that a
    // fresh pair of walks does not show again is the machine's, one that stays is the reading's.
    std::vector<std::string> difference;
    std::string error;
    for (int attempt = 0; attempt < 3 && (attempt == 0 || !difference.empty()); ++attempt) {
        ASSERT_TRUE(agent_.CaptureWith({".1"}, numeric, error)) << error;
        ASSERT_TRUE(agent_.CaptureWith({".1"}, named, error, {"-M", collection.string(), "-m", "ALL"}))
            << error;
        const CheckResult fromNumbers = CheckAgainstCapture(library, numeric);
        const CheckResult fromNames = CheckAgainstCapture(library, named, &names);
        ASSERT_TRUE(fromNames.skippedLines.Empty()) << CheckReportLines(library, fromNames).back();
        ASSERT_TRUE(fromNames.unreadModules.empty()) << fromNames.unreadModules.front();
        const auto byNumbers = AnsweredRows(library, fromNumbers), byNames = AnsweredRows(library, fromNames);
        difference.clear();
        for (const auto& [oid, rows] : byNumbers)
            if (!Answered(byNames, oid)) difference.push_back("numbers only: " + oid);
        for (const auto& [oid, rows] : byNames)
            if (!Answered(byNumbers, oid)) difference.push_back("names only: " + oid);
    }
    EXPECT_EQ(difference, std::vector<std::string>());

    // Where the agent's rows stay put between the walks, each index reads as the same arcs.
    std::string numericText, namedText;
    ASSERT_TRUE(textfile::TryReadFile(numeric, numericText, error) &&
                textfile::TryReadFile(named, namedText, error));
    DeviceAnswers numbered, printed;
    ReadWalkCapture(numericText, numbered);
    ReadWalkCapture(namedText, printed, &names);
    for (const char* table : {"1.3.6.1.2.1.4.34",        // ipAddressTable: ipv4."127.0.0.1"
                              "1.3.6.1.2.1.4.31.1",      // ipSystemStatsTable: ipv4
                              "1.3.6.1.6.3.16.1",        // vacm: strings, an enumeration
                              "1.3.6.1.4.1.8072.1.3.2",  // nsExtend: "test"
                              "1.3.6.1.2.1.88.1"}) {     // DISMAN-EVENT: 'IMPLIED'
        const Oid prefix = *ParseOid(table);
        std::vector<std::string> numberedOids, printedOids;
        for (const Oid& row : numbered.RowsBelow(prefix)) numberedOids.push_back(FormatOid(row));
        for (const Oid& row : printed.RowsBelow(prefix)) printedOids.push_back(FormatOid(row));
        EXPECT_FALSE(numberedOids.empty()) << table;
        EXPECT_EQ(printedOids, numberedOids) << table;
    }
}

// Over SNMPv1 the 64-bit counters are missing for a reason the remark gives; processes of one
// name share the name of their rows, which the monitor would show as one.
TEST_F(LiveCheck, RemarksOnVersionAndRowNames) {
    SKIP_WITHOUT_SHARED(mibs, "mibs");
    toidfile library;
    ImportOptions unitsFromMib;
    unitsFromMib.unitsFromMib = true;  // rows named by hrSWRunName, not by their index
    ImportModules(mibs.string(), {"IF-MIB", "HOST-RESOURCES-MIB"}, testdata::programData("stdmib").string(),
                  library, unitsFromMib);
    const BackgroundProgram first({"sleep", "60"}), second({"sleep", "60"});

    const CheckResult v2c = CheckAgainstAgent(library, agent_.Settings(SnmpVersion::v2c));
    const std::vector<std::string> perfMem = RemarksAt(library, v2c, "1.3.6.1.2.1.25.5.1.1.2");
    ASSERT_EQ(perfMem.size(), 1u) << "hrSWRunPerfMem";
    EXPECT_NE(perfMem[0].find(" are both named \""), std::string::npos) << perfMem[0];
    EXPECT_TRUE(perfMem[0].ends_with(": the monitor shows them under one name")) << perfMem[0];
    EXPECT_TRUE(RemarksAt(library, v2c, "1.3.6.1.2.1.31.1.1.1.6").empty()) << "ifHCInOctets over v2c";

    const CheckResult v1 = CheckAgainstAgent(library, agent_.Settings(SnmpVersion::v1));
    int counters64 = 0;
    for (int i = 0; i < library.Count(); ++i) {
        const EntryCheck& check = v1.entries[static_cast<std::size_t>(i)];
        const bool remarked =
            check.remarks == std::vector<std::string>{"SNMPv1 cannot carry Counter64; v2c or v3 will"};
        EXPECT_EQ(remarked, library.Entries(i)->is64bit && !check.answered) << library.Entries(i)->name;
        counters64 += remarked;
    }
    EXPECT_GE(counters64, 4) << "ifHCInOctets and its kin";
}

// Every version reaches the same objects; v1 walks with GETNEXT, the others with GETBULK.
TEST_F(LiveCheck, EveryVersionAnswersLikeV2c) {
    toidfile library;
    for (const auto& [oid, kind] : {std::pair{"1.3.6.1.2.1.1.3.0", TMIBDataKind::mkDirect},
                                    std::pair{"1.3.6.1.2.1.2.2.1.10", TMIBDataKind::mkTable},
                                    std::pair{"1.3.6.1.2.1.25.2.3.1.6", TMIBDataKind::mkTable},
                                    std::pair{"1.3.6.1.2.1.2.2.1.99", TMIBDataKind::mkTable}}) {
        auto entry = std::make_unique<Toiddata>();
        entry->oid = oid;
        entry->kind = kind;
        library.Add(std::move(entry));
    }
    const auto expected =
        AnsweredRows(library, CheckAgainstAgent(library, agent_.Settings(SnmpVersion::v2c)));
    EXPECT_EQ(expected.size(), 3u);
    for (const SnmpVersion version : {SnmpVersion::v1, SnmpVersion::v3}) {
        AgentSettings settings = agent_.Settings(version);
        settings.maxRepetitions = 3;  // several requests per table
        const auto answered = AnsweredRows(library, CheckAgainstAgent(library, settings));
        EXPECT_EQ(answered.size(), expected.size()) << DescribeAgent(settings);
        for (const auto& [oid, rows] : expected) EXPECT_TRUE(Answered(answered, oid)) << oid;
    }
}

// net-snmp keeps v3 users process-wide: a key typed wrong once must not stick to the agent.
TEST_F(LiveCheck, AV3KeyCorrectedAfterAFailureIsTaken) {
    AgentSettings settings = agent_.Settings(SnmpVersion::v3);
    const std::string rightKey = settings.authKey;
    settings.authKey = "wrong-auth-key";
    DeviceAnswers answers;
    const std::vector<Oid> upTime = {*ParseOid("1.3.6.1.2.1.1.3")};
    EXPECT_THROW(WalkAgent(settings, upTime, answers), CheckError);
    settings.authKey = rightKey;
    WalkAgent(settings, upTime, answers);
    EXPECT_NE(answers.Find(*ParseOid("1.3.6.1.2.1.1.3.0")), nullptr);
}

// A runaway agent meets the walk's bounds: its whole time and the memory of what is kept.
TEST_F(LiveCheck, AWalkKeepsOnlyWhatEntriesNeedWithinItsBounds) {
    toidfile library;
    auto upTime = std::make_unique<Toiddata>();
    upTime->oid = "1.3.6.1.2.1.1.3.0";
    library.Add(std::move(upTime));
    const CheckResult result = CheckAgainstAgent(library, agent_.Settings(SnmpVersion::v2c));
    EXPECT_TRUE(result.entries[0].answered);
    EXPECT_EQ(result.variables, 1u) << "the rest of the system group is walked, not kept";

    struct Bound {
        void (*set)(AgentSettings&);
        std::string message;
    };
    const std::string host = agent_.Address();
    for (const Bound& bound :
         {Bound{[](AgentSettings& s) { s.deadlineSeconds = 0.05; },
                "The walk of " + host + " did not end within 0.05 s."},
          Bound{[](AgentSettings& s) { s.maxBytes = 1024; },
                host + " answered more than 1024 bytes of variables that entries need"}}) {
        AgentSettings settings = agent_.Settings(SnmpVersion::v2c);
        settings.maxRepetitions = 1;  // the whole agent, one variable per request
        bound.set(settings);
        DeviceAnswers everything;
        try {
            WalkAgent(settings, {*ParseOid("1.3.6.1")}, everything);
            FAIL() << "no bound met";
        } catch (const CheckError& error) {
            EXPECT_EQ(error.Failure(), CheckFailure::agentError);
            EXPECT_EQ(error.what(), bound.message);
        }
    }
}

struct FailureCase {
    const char* name;
    void (*change)(AgentSettings&);
    CheckFailure failure;
    const char* message;  // how what() begins
};

class LiveFailure : public LiveCheck, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(LiveFailure, FailsClearlyWithoutSecrets) {
    const FailureCase& c = GetParam();
    AgentSettings settings = agent_.Settings(SnmpVersion::v2c);
    // A refusal comes at once; only the silent cases wait, and for one second.
    settings.timeoutSeconds = c.failure == CheckFailure::timeout ? 1 : 5;
    settings.retries = 0;
    c.change(settings);
    toidfile library;
    auto entry = std::make_unique<Toiddata>();
    entry->oid = "1.3.6.1.2.1.1.3.0";
    library.Add(std::move(entry));
    const auto start = Clock::now();
    try {
        CheckAgainstAgent(library, settings);
        FAIL() << "the check succeeded";
    } catch (const CheckError& error) {
        const std::string message = error.what();
        EXPECT_EQ(error.Failure(), c.failure) << message;
        EXPECT_EQ(message.rfind(c.message, 0), 0u) << message;
        for (const std::string& secret : {settings.community, settings.authKey, settings.privKey})
            if (!secret.empty()) {
                EXPECT_EQ(message.find(secret), std::string::npos) << message;
            }
    }
    // No retry: the answer must not wait for anything else.
    EXPECT_LT(SecondsSince(start), 8.0);
}

INSTANTIATE_TEST_SUITE_P(
    Agent, LiveFailure,
    ::testing::Values(
        FailureCase{"WrongCommunity", [](AgentSettings& s) { s.community = "not-the-community"; },
                    CheckFailure::timeout, "Timeout: no answer from 127.0.0.1:"},
        FailureCase{"V3WrongAuthKey",
                    [](AgentSettings& s) {
                        LocalAgent::UseV3User(s);
                        s.authKey = "wrong-auth-key";
                    },
                    CheckFailure::authentication,
                    "Authentication failure (incorrect password, community or key) at 127.0.0.1:"},
        FailureCase{"V3UnknownUser",
                    [](AgentSettings& s) {
                        LocalAgent::UseV3User(s);
                        s.user = "nobody-here";
                    },
                    CheckFailure::authentication, "Authentication failure: Unknown user name at 127.0.0.1:"},
        FailureCase{"V3NothingListening",
                    [](AgentSettings& s) {
                        LocalAgent::UseV3User(s);
                        s.host = "127.0.0.1:" + std::to_string(LocalAgent::FreePort());
                    },
                    CheckFailure::timeout, "Timeout: no answer from 127.0.0.1:"},
        FailureCase{"UnknownHost", [](AgentSettings& s) { s.host = "no-such-host.invalid"; },
                    CheckFailure::unknownHost, "Unknown host: no-such-host.invalid"}),
    [](const auto& info) { return std::string(info.param.name); });

// A port where nothing listens needs no agent.
AgentSettings NobodyListening() {
    AgentSettings settings;
    settings.host = "127.0.0.1:" + std::to_string(LocalAgent::FreePort());
    return settings;
}

TEST(SilentAgent, TimeoutComesWithinTheSetTime) {
    AgentSettings settings = NobodyListening();
    settings.timeoutSeconds = 1.5;
    settings.retries = 1;
    const auto start = Clock::now();
    DeviceAnswers answers;
    try {
        WalkAgent(settings, {*ParseOid("1.3.6.1.2.1.1")}, answers);
        FAIL() << "an answer from a port where nothing listens";
    } catch (const CheckError& error) {
        EXPECT_EQ(error.Failure(), CheckFailure::timeout);
        EXPECT_STREQ(
            error.what(),
            ("Timeout: no answer from " + settings.host + " within 3 s (is the community right?)").c_str());
    }
    // Two tries of 1.5 s at most (a refused retry ends sooner), with room for a loaded machine.
    EXPECT_LT(SecondsSince(start), 3.0 + 2.0);
}

TEST(SilentAgent, CancelStopsTheWaitAtOnce) {
    AgentSettings settings = NobodyListening();
    settings.timeoutSeconds = 30;
    const auto start = Clock::now();
    int calls = 0;
    DeviceAnswers answers;
    try {
        WalkAgent(settings, {*ParseOid("1.3.6.1.2.1.1")}, answers,
                  [&](const WalkProgress&) { return ++calls < 5 || SecondsSince(start) < 0.3; });
        FAIL() << "not cancelled";
    } catch (const CheckError& error) {
        EXPECT_EQ(error.Failure(), CheckFailure::cancelled);
        EXPECT_STREQ(error.what(), "The check was cancelled.");
    }
    EXPECT_LT(SecondsSince(start), 5.0);
}

// An answer net-snmp cannot read is no silence: the message says the agent answered and why
// its answer may be unreadable. 128 arcs are the most an OID may have.
TEST(FakeAgentAnswers, AnOidLongerThan128ArcsIsNoTimeout) {
    for (const std::size_t arcs : {128u, 129u, 200u}) {
        Oid answered = *ParseOid("1.3.6.1.2.1.2");  // after the subtree walked: the walk ends there
        answered.resize(arcs, 1);
        FakeAgent agent(answered);
        AgentSettings settings;
        settings.host = agent.Address();
        settings.timeoutSeconds = 0.5;
        settings.retries = 1;
        DeviceAnswers answers;
        try {
            WalkAgent(settings, {*ParseOid("1.3.6.1.2.1.1")}, answers);
            EXPECT_EQ(arcs, 128u) << "no error for an OID of " << arcs << " arcs";
        } catch (const CheckError& error) {
            EXPECT_GT(arcs, 128u) << error.what();
            EXPECT_EQ(error.Failure(), CheckFailure::agentError);
            EXPECT_EQ(error.what(),
                      agent.Address() +
                          " answered, but net-snmp cannot read the answer: an OID longer than 128 "
                          "arcs, or a malformed packet.");
        }
    }
}

TEST_F(LiveCheck, ProgressCountsTheVariables) {
    std::vector<WalkProgress> seen;
    DeviceAnswers answers;
    WalkAgent(agent_.Settings(SnmpVersion::v2c), {*ParseOid("1.3.6.1.2.1.1"), *ParseOid("1.3.6.1.2.1.2")},
              answers, [&](const WalkProgress& progress) {
                  seen.push_back(progress);
                  return true;
              });
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front().variables, 0u);
    EXPECT_EQ(seen.back().subtree, 1u);
    EXPECT_EQ(seen.back().subtrees, 2u);
    EXPECT_LE(seen.back().variables, answers.Count());
    EXPECT_NE(answers.Find(*ParseOid("1.3.6.1.2.1.1.3.0")), nullptr);
}

}  // namespace
