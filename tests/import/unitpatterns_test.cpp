// Units from the MIB on objects of a few lines each: what each rule reads, and what it refuses
// with the reason logged.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "fixtureprograms.h"
#include "import/importmib.h"
#include "library/oidfile.h"
#include "tempfolder.h"

namespace {

// One object (or a few) below a module header that imports what the objects need.
std::string PatternModule(const std::string& objects) {
    return "PATTERN-MIB DEFINITIONS ::= BEGIN\n"
           "IMPORTS enterprises, Integer32, Counter32, Counter64, Gauge32, TimeTicks FROM SNMPv2-SMI\n"
           "    TEXTUAL-CONVENTION, TimeStamp FROM SNMPv2-TC;\n"
           "pRoot OBJECT IDENTIFIER ::= { enterprises 99990 }\n" +
           objects + "\nEND\n";
}

// An OBJECT-TYPE below pRoot; units "" leaves out the UNITS clause.
std::string Object(const std::string& name, const std::string& syntax, const std::string& description,
                   int arc, const std::string& units = "") {
    return name + " OBJECT-TYPE\n    SYNTAX " + syntax + "\n" +
           (units.empty() ? "" : "    UNITS \"" + units + "\"\n") +
           "    MAX-ACCESS read-only\n    STATUS current\n    DESCRIPTION \"" + description +
           "\"\n    ::= { pRoot " + std::to_string(arc) + " }\n";
}

// The module imported with units from the MIB, its log kept.
struct PatternImport {
    TempFolder folder;
    toidfile library;
    std::vector<std::string> log;

    explicit PatternImport(const std::string& objects) {
        std::ofstream(folder / "PATTERN-MIB.mib") << PatternModule(objects);
        library.LogLevel = 2;
        library.OnLog = [this](toidfile&, const std::string& line) { log.push_back(line); };
        ImportOptions options;
        options.unitsFromMib = true;
        ImportMib(library, folder / "PATTERN-MIB.mib", folder.path.string() + "/",
                  testdata::programData("stdmib").string() + "/", FixturePrograms(), options);
    }
    // The unit line of one object: "pLength: an enumeration measures nothing -> #".
    std::string UnitLine(const std::string& name) const {
        const std::string start = name + ": ";
        const auto found = std::find_if(log.begin(), log.end(), [&](const std::string& line) {
            return line.starts_with(start) && line.find(" -> ") != std::string::npos &&
                   !line.starts_with(name + ":  ");
        });
        return found == log.end() ? "no unit line" : *found;
    }
    const Toiddata* Entry(const std::string& indicatorOrName) const {
        for (int i = 0; i < library.Count(); ++i)
            if (library.Entries(i)->name.ends_with("|" + indicatorOrName)) return library.Entries(i);
        return nullptr;
    }
};

struct PatternCase {
    const char* pattern;
    std::string objects;
    const char* name;
    const char* logged;  // the object's unit line
};

class UnitPatterns : public testing::TestWithParam<PatternCase> {};

TEST_P(UnitPatterns, DecideAndNameTheirRule) {
    const PatternCase& c = GetParam();
    const PatternImport run(c.objects);
    EXPECT_EQ(run.UnitLine(c.name), c.logged);
}

const PatternCase patternCases[] = {
    // An enumeration measures nothing, whatever its identifier or description says.
    {"EnumerationNamedLength",
     Object("pCableLength", "INTEGER { short(1), long(2) }", "The cable length.", 1), "pCableLength",
     "pCableLength: an enumeration measures nothing -> #"},
    {"EnumerationInBits", Object("pPortRate", "INTEGER { r10(1), r100(2) }", "The port rate in bits.", 1),
     "pPortRate", "pPortRate: an enumeration measures nothing -> #"},
    // A point in time is no duration.
    {"TimeStampConvention", Object("pLastChange", "TimeStamp", "The last change.", 1), "pLastChange",
     "pLastChange: the convention TimeStamp: a point in time, not a duration -> #"},
    {"TimeTicksAtSysUpTime",
     Object("pTrapTime", "TimeTicks", "The value of sysUpTime at which the last trap was sent.", 1),
     "pTrapTime", "pTrapTime: TimeTicks \"time at which\": a point in time, not a duration -> #"},
    {"TimeTicksWhen", Object("pLinkUp", "TimeTicks", "The time when the link came up.", 1), "pLinkUp",
     "pLinkUp: TimeTicks \"time when\": a point in time, not a duration -> #"},
    {"SecondsSince1970",
     Object("pClock", "Integer32", "The number of seconds since 00:00 UTC 1 January 1970.", 1), "pClock",
     "pClock: DESCRIPTION \"since ... 1970\": a point in time, not a duration -> #"},
    {"TimeTicksDuration", Object("pRunTime", "TimeTicks", "How long the agent has run.", 1), "pRunTime",
     "pRunTime: TimeTicks -> seconds / 100"},
    // "in UNIT" only from a sentence that states the object's value.
    {"UnitOfAnotherSentence",
     Object("pFrameTotal", "Gauge32", "The window fill. The window is configured in msec by pWindow.", 1),
     "pFrameTotal", "pFrameTotal: no unit in the MIB -> #"},
    {"UnitOfAValueSentence",
     Object("pPollDelay", "Gauge32", "How long polls wait. This value is in milliseconds.", 1), "pPollDelay",
     "pPollDelay: DESCRIPTION \"in milliseconds\" -> seconds / 1000"},
    {"CounterOfNoTime", Object("pRxTotal", "Counter32", "Frames received in msec slots.", 1), "pRxTotal",
     "pRxTotal: DESCRIPTION \"in msec\" is no time a counter counts; DESCRIPTION \"Frames received in msec "
     "slots\" -> frames"},
    {"CounterOfTime", Object("pBusyTime", "Counter32", "Time spent busy, in milliseconds.", 1), "pBusyTime",
     "pBusyTime: DESCRIPTION \"in milliseconds\" -> seconds / 1000"},
    // A half of a 64-bit value: each unit of a high half is 2^32 of the whole.
    {"HighOrderHalf",
     Object("pUpMsecs", "Gauge32", "The high-order 32 bits of the uptime in milliseconds.", 1), "pUpMsecs",
     "pUpMsecs: DESCRIPTION \"high-order\": half of a wider value -> #"},
    {"CounterPair",
     Object("pRxBytesHi", "Counter32", "Received bytes.", 1) +
         Object("pRxBytesLo", "Counter32", "Received bytes.", 2),
     "pRxBytesLo", "pRxBytesLo: the pair pRxBytesLo, pRxBytesHi: half of a wider value -> #"},
    {"WholeOfItsHalves",
     Object("pDisk", "Integer32", "Disk size.", 1) +
         Object("pDiskLow", "Gauge32",
                "Disk size (kBytes). Together with pDiskHigh composes a 64-bit number.", 2) +
         Object("pDiskHigh", "Gauge32",
                "Disk size (kBytes). Together with pDiskLow composes a 64-bit number.", 3),
     "pDisk", "pDisk: as its halves pDiskLow, pDiskHigh: DESCRIPTION \"(kBytes)\" -> bytes x 1024"},
    {"GaugeNamedLowAlone", Object("pWaterLow", "Gauge32", "Low water mark in bytes.", 1), "pWaterLow",
     "pWaterLow: DESCRIPTION \"in bytes\" -> bytes"},
    // A UNITS clause that names no unit yields to what the description counts; both are logged.
    {"UnitsOfANumber", Object("pSessions", "Gauge32", "The number of sessions open.", 1, "100"), "pSessions",
     "pSessions: UNITS \"100\" names no unit; DESCRIPTION \"number of sessions\" -> sessions"},
    {"UnitsOfAnObjectName",
     Object("pIndex", "Integer32", "An index.", 1) +
         Object("pRoutes", "Gauge32", "The number of routes learned.", 2, "pIndex"),
     "pRoutes", "pRoutes: UNITS \"pIndex\" names no unit; DESCRIPTION \"number of routes\" -> routes"},
    {"UnitsOfAWordKeptAsWritten", Object("pLevel", "Gauge32", "The fill level.", 1, "buckets"), "pLevel",
     "pLevel: UNITS \"buckets\" -> buckets"},
    // Phrases of real vendor descriptions.
    {"Parentheses", Object("pDiskSize", "Integer32", "Total size of the disk (kBytes).", 1), "pDiskSize",
     "pDiskSize: DESCRIPTION \"(kBytes)\" -> bytes x 1024"},
    {"ParenthesesOfNoUnit", Object("pMemFree", "Integer32", "Free memory (RAM).", 1), "pMemFree",
     "pMemFree: no unit in the MIB -> #"},
    {"MultipliedBy100",
     Object("pLoadInt", "Integer32", "The 1 minute load average, multiplied by 100 and rounded.", 1),
     "pLoadInt", "pLoadInt: DESCRIPTION \"multiplied by 100\" -> # / 100"},
    {"PercentageOfTime", Object("pCpuIdle", "Integer32", "The percentage of CPU time spent idle.", 1),
     "pCpuIdle", "pCpuIdle: DESCRIPTION \"percentage\" -> %"},
    {"PercentOfACounter", Object("pOverloads", "Counter32", "The times the load exceeded 90 percent.", 1),
     "pOverloads", "pOverloads: no unit in the MIB -> #"},
    {"UnitsOfAMillion",
     Object("pHighSpeed", "Gauge32", "The speed in units of 1,000,000 bits per second.", 1), "pHighSpeed",
     "pHighSpeed: DESCRIPTION \"in 1,000,000 bits per second\" -> bits/second x 1000000"},
    {"HundredthsOfAWord", Object("pLoadAvg", "Gauge32", "Load average.", 1, "hundredths of processes"),
     "pLoadAvg", "pLoadAvg: UNITS \"hundredths of processes\" -> processes / 100"},
    {"IdentifierLength", Object("pQueueLength", "Gauge32", "Queue depth.", 1), "pQueueLength",
     "pQueueLength: identifier \"Length\" names no unit -> #"},
    {"VagueEventsYield", Object("pDropEvents", "Counter32", "The number of cells dropped by the switch.", 1),
     "pDropEvents",
     "pDropEvents: a counter of events yields to its description; DESCRIPTION \"number of cells\" -> cells"},
    {"EventsOtherwise", Object("pLinkEvents", "Counter32", "Link changes seen.", 1), "pLinkEvents",
     "pLinkEvents: a counter of events -> events"},
    {"CounterOfNoPorts", Object("pNoPorts", "Counter32", "Datagrams for which no port was open.", 1),
     "pNoPorts", "pNoPorts: a counter of No ports counts no ports; no unit in the MIB -> #"},
};

INSTANTIATE_TEST_SUITE_P(Import, UnitPatterns, testing::ValuesIn(patternCases),
                         [](const auto& info) { return std::string(info.param.pattern); });

// A unit word left out of an indicator comes back when another entry of the group would read the
// same: "pt rx bytes" and "pt rx" stay apart, "pt tx bytes" alone loses its word.
TEST(UnitIndicators, KeepTheUnitWordWhereTwoWouldReadTheSame) {
    const PatternImport run(Object("ptRxBytes", "Counter32", "Bytes received.", 1) +
                            Object("ptRx", "Counter32", "Frames received.", 2) +
                            Object("ptTxBytes", "Counter32", "Bytes sent.", 3));
    struct Case {
        const char* name;
        const char* indicator;
    };
    const Case cases[] = {{"pt rx bytes", "pt rx bytes"}, {"pt rx", "pt rx"}, {"pt tx bytes", "pt tx"}};
    for (const Case& c : cases) {
        const Toiddata* entry = run.Entry(c.name);
        ASSERT_NE(entry, nullptr) << c.name;
        EXPECT_EQ(entry->indicator, c.indicator) << c.name;
    }
    EXPECT_NE(
        std::find(
            run.log.begin(), run.log.end(),
            "ptRxBytes: indicator \"pt rx bytes\" keeps its unit word: another entry of \"proot\" reads "
            "\"pt rx\""),
        run.log.end());
}

}  // namespace
