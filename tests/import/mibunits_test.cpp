#include "import/mibunits.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "fixtureprograms.h"
#include "import/importmib.h"
#include "import/unitphrases.h"
#include "import/unitwords.h"
#include "library/oidfile.h"
#include "mib/mibfile.h"
#include "shared_data.h"

namespace {

// The unit in one line: type, units and factor, as "bytes x 1024" or "% / 100 (percent)".
std::string Describe(const std::optional<UnitWord>& unit) {
    if (!unit) return "unknown";
    const char* types[] = {"bytes", "percent", "custom"};
    std::string text = unit->units;
    if (unit->factor.multiplier != 1) text += " x " + std::to_string(unit->factor.multiplier);
    if (unit->factor.divisor != 1) text += " / " + std::to_string(unit->factor.divisor);
    return text + " (" + types[static_cast<int>(unit->unittype)] + ")";
}

TEST(UnitWords, ReadsTheSpellingsOfRealMibs) {
    const std::pair<const char*, const char*> cases[] = {
        {"octets", "bytes (bytes)"},
        {"Bytes", "bytes (bytes)"},
        {"KBytes", "bytes x 1024 (bytes)"},
        {"kB", "bytes x 1024 (bytes)"},
        {"kilo-bytes", "bytes x 1024 (bytes)"},
        {"Kilobytes", "bytes x 1024 (bytes)"},
        {"MB", "bytes x 1048576 (bytes)"},
        {"megabytes", "bytes x 1048576 (bytes)"},
        {"bits", "bits (custom)"},
        {"bps", "bits/second (custom)"},
        {"Kbps", "bits/second x 1000 (custom)"},
        {"Mbits per second", "bits/second x 1000000 (custom)"},
        {"bits/second", "bits/second (custom)"},
        {"percent", "% (percent)"},
        {"Percentage", "% (percent)"},
        {"%", "% (percent)"},
        {"hundredths of a percent", "% / 100 (percent)"},
        {"seconds", "seconds (custom)"},
        {"milliseconds", "seconds / 1000 (custom)"},
        {"milli-seconds", "seconds / 1000 (custom)"},
        {"hundredths of a second", "seconds / 100 (custom)"},
        {"centiseconds", "seconds / 100 (custom)"},
        {"degrees Celsius",
         "\xB0"
         "C (custom)"},
        {"Celsius",
         "\xB0"
         "C (custom)"},
        {"C",
         "\xB0"
         "C (custom)"},
        {"tenths of degrees Celsius",
         "\xB0"
         "C / 10 (custom)"},
        {"volts", "V (custom)"},
        {"millivolts", "V / 1000 (custom)"},
        {"Watts", "W (custom)"},
        {"milliwatts", "W / 1000 (custom)"},
        {"amperes", "A (custom)"},
        {"milliamperes", "A / 1000 (custom)"},
        {"dBm", "dBm (custom)"},
        {"0.1 dB", "dB / 10 (custom)"},
        {"tenth dBm", "dBm / 10 (custom)"},
        {"RPM", "RPM (custom)"},
        {"Hz", "Hz (custom)"},
        {"hertz", "Hz (custom)"},
        // Words the table does not know, and factors with nothing after them.
        {"packets", "unknown"},
        {"tenths", "unknown"},
        {"", "unknown"},
    };
    for (const auto& [written, expected] : cases)
        EXPECT_EQ(Describe(FindUnitWord(written)), expected) << written;
}

TEST(UnitWords, PhrasesOfDescriptions) {
    const std::pair<const char*, const char*> cases[] = {
        {"The size, in kilobytes, of the pool.", "bytes x 1024 (bytes)"},
        {"Time since the last change (in hundredths of a second).", "seconds / 100 (custom)"},
        {"Expressed in units of milliseconds.", "seconds / 1000 (custom)"},
        {"The rate in Mbits per second", "bits/second x 1000000 (custom)"},
        // Single letters and words the table does not know name no unit.
        {"Packets in a queue, in C code.", "unknown"},
        {"The number of octets in packets.", "unknown"},
        {"in", "unknown"},
    };
    for (const auto& [text, expected] : cases) {
        std::string words;
        EXPECT_EQ(Describe(FindUnitInText(text, words)), expected) << text;
    }
}

TEST(UnitWords, WhatDescriptionsCount) {
    const std::pair<const char*, const char*> cases[] = {
        {"The total number of input IP datagrams received, including errors.", "datagrams (custom)"},
        {"Number of Cells received from ATM interface", "cells (custom)"},
        {"A non-negative value is the number of seconds to wait.", "seconds (custom)"},
        {"The number of octets in packets.", "bytes (bytes)"},
        {"Count of the number of Errored Seconds since agent reset.", "seconds (custom)"},
        {"The maximum number of entries in the table", "entries (custom)"},
        {"Number of Stop Bits configured", "bits (custom)"},
        // Only the first sentence, at most two words before the noun, whole words only.
        {"An index. The number of entries in another table", "unknown"},
        {"The number of previous 15-minute intervals", "unknown"},
        {"The number of times TCP connections have opened", "unknown"},
        {"The number of the packets", "unknown"},
        {"The number of a C program", "unknown"},
        {"A renumber of packets", "unknown"},
        {"number of", "unknown"},
    };
    for (const auto& [text, expected] : cases) {
        std::string words;
        EXPECT_EQ(Describe(FindCountInText(text, words)), expected) << text;
    }
}

TEST(UnitWords, WhatCountersCount) {
    const std::pair<const char*, const char*> cases[] = {
        {"ifInErrors", "errors"},
        {"snmpInPkts", "packets"},
        {"dot3StatsFCSErrors", "errors"},
        {"dot1dTpPortInBPDUs", "BPDUs"},
        {"ifInOctets", ""},
        {"sysUpTime", ""},
        {"Errs", "errors"},
    };
    for (const auto& [identifier, expected] : cases)
        EXPECT_EQ(CountedThing(identifier), expected) << identifier;
}

TEST(UnitWords, ConventionNamesThatArePlainUnitWords) {
    EXPECT_EQ(Describe(FindConventionUnit("Voltage")), "V (custom)");
    EXPECT_EQ(Describe(FindConventionUnit("Temperature")),
              "\xB0"
              "C (custom)");
    EXPECT_EQ(Describe(FindConventionUnit("Power")), "W (custom)");
    EXPECT_EQ(Describe(FindConventionUnit("DisplayString")), "unknown");
}

TEST(UnitWords, CombineReducesTheFactor) {
    const UnitFactor factor = Combine({1024, 1}, {1, 10});
    EXPECT_EQ(factor.multiplier, 512);
    EXPECT_EQ(factor.divisor, 5);
    EXPECT_EQ(Combine({1, 100}, {1, 10}).divisor, 1000);
}

// FIXTURE-UNITS-MIB imported from tests/data/import, with or without units from the MIB.
struct UnitsImport {
    toidfile library;
    std::vector<std::string> log;
    std::map<std::string, const Toiddata*> byOid;

    explicit UnitsImport(bool unitsFromMib, const std::string& module = "FIXTURE-UNITS-MIB") {
        library.LogLevel = 2;
        library.OnLog = [this](toidfile&, const std::string& line) { log.push_back(line); };
        const std::string folder = testdata::fixture("import").string() + "/";
        ImportOptions options;
        options.unitsFromMib = unitsFromMib;
        ImportMib(library, folder + module + ".mib", folder, testdata::programData("stdmib").string() + "/",
                  FixturePrograms(), options);
        for (int i = 0; i < library.Count(); ++i) byOid[library.Entries(i)->oid] = library.Entries(i);
    }
    const Toiddata& Scalar(int arc) const {
        const auto found = byOid.find("1.3.6.1.4.1.99998.1." + std::to_string(arc) + ".0");
        if (found == byOid.end()) throw std::runtime_error("no scalar " + std::to_string(arc));
        return *found->second;
    }
    bool Logged(const std::string& line) const {
        return std::find(log.begin(), log.end(), line) != log.end();
    }
    int LinesStartingWith(const std::string& start) const {
        return static_cast<int>(std::count_if(log.begin(), log.end(),
                                              [&](const std::string& l) { return l.rfind(start, 0) == 0; }));
    }
};

std::string UnitFields(const Toiddata& entry) {
    const char* types[] = {"sutBytes", "sutPercent", "sutCustom"};
    return std::string(types[static_cast<int>(entry.unittype)]) + " " + entry.units + " " + entry.scale +
           (entry.multiply ? " multiply" : "") + " max " + std::to_string(entry.max);
}

struct RuleCase {
    int arc;
    const char* fields;  // as UnitFields gives them
    const char* logged;  // the entry's line in the import log
};

// One case per rule family: display hints (1), UNITS words (2), base types (3), percent ranges (4)
// and the identifier's keywords (5), each in the order that decides between them.
TEST(UnitsFromMib, FirstRuleThatAppliesSetsTheUnitAndIsLogged) {
    const UnitsImport run(true);
    const RuleCase cases[] = {
        {1, "sutCustom V 10 max 0", "uCoreVoltage: DISPLAY-HINT \"d-1\" of Voltage -> V / 10"},
        {2, "sutCustom RPM 100 max 0",
         "uFanSpeed: DISPLAY-HINT \"d-2\" of CentiGauge, UNITS \"RPM\" -> RPM / 100"},
        {3, "sutBytes bytes 1024 multiply max 0", "uMemTotal: UNITS \"kB\" -> bytes x 1024"},
        {4,
         "sutCustom \xB0"
         "C 10 max 0",
         "uBoardTemperature: UNITS \"tenths of degrees Celsius\" -> \xB0"
         "C / 10"},
        {5, "sutCustom packets 1 max 0", "uPackets: UNITS \"packets\" -> packets"},
        {6, "sutCustom seconds 100 max 0", "uUpTime: TimeTicks -> seconds / 100"},
        {7, "sutBytes bytes 1 max 0", "uInOctets: a counter of Octets -> bytes"},
        {8, "sutPercent % 1 max 100", "uCpuLoad: range 0..100 and \"load\" -> %"},
        {9, "sutCustom # 1 max 0", "uFillLevel: no unit in the MIB -> #"},
        {10, "sutCustom # 1 max 0", "uHexValue: no unit in the MIB -> #"},
        {11, "sutBytes bytes 1024 multiply max 0", "uFreeKBytes: identifier -> bytes x 1024"},
        {12, "sutBytes bytes 1 max 0", "uMemoryUsed: UNITS \"bytes\" -> bytes"},
        {16, "sutCustom errors 1 max 0", "uInErrors: a counter of errors -> errors"},
        {17, "sutCustom seconds 1000 max 0",
         "uFlushInterval: DESCRIPTION \"in milliseconds\" -> seconds / 1000"},
    };
    for (const RuleCase& c : cases) {
        EXPECT_EQ(UnitFields(run.Scalar(c.arc)), c.fields) << c.logged;
        EXPECT_TRUE(run.Logged(c.logged)) << c.logged;
    }
    EXPECT_EQ(run.LinesStartingWith("uCoreVoltage: D"), 1) << "one line per entry";
}

TEST(UnitsFromMib, OffByDefaultLeavesTheKeywordRulesAndLogsNoRule) {
    const UnitsImport run(false);
    EXPECT_EQ(UnitFields(run.Scalar(1)), "sutCustom # 1 max 0");
    EXPECT_EQ(UnitFields(run.Scalar(11)), "sutBytes bytes 1024 multiply max 0");
    EXPECT_EQ(run.Scalar(14).description, "Overall health.");
    EXPECT_EQ(run.LinesStartingWith("uCoreVoltage: D"), 0);
    EXPECT_EQ(run.byOid.count("1.3.6.1.4.1.99998.2.1.3"), 1u);
    EXPECT_EQ(run.byOid.at("1.3.6.1.4.1.99998.2.1.3")->name,
              "FIXTURE-UNITS-MIB|udisk: #[1.3.6.1.4.1.99998.2.1.1]|udisk used");
}

// A gauge that only borrows Counter64's encoding is a gauge in both modes, directly and through
// a chain of conventions.
TEST(UnitsFromMib, CounterBasedGaugeIsAWideUnsignedGauge) {
    for (bool unitsFromMib : {false, true}) {
        const UnitsImport run(unitsFromMib);
        for (int arc : {12, 13}) {
            const Toiddata& entry = run.Scalar(arc);
            EXPECT_EQ(entry.type, TValueMode::vmAbsolute) << arc;
            EXPECT_TRUE(entry.is64bit && entry.isunsigned) << arc;
        }
        EXPECT_EQ(run.Scalar(5).type, TValueMode::vmDiff) << "a plain counter stays a delta";
    }
}

TEST(UnitsFromMib, NamedValuesEndTheDescription) {
    const UnitsImport run(true);
    EXPECT_EQ(run.Scalar(14).description, "Overall health.\r\nValues: 1 = ok, 2 = failed.");
    EXPECT_EQ(run.Scalar(15).description, "Values: 1 = up, 2 = down, 3 = testing.");
    EXPECT_EQ(run.Scalar(1).description, "Core voltage.") << "no values, no line";
}

// A value beyond 64 bits is written as the module writes it, never clamped to another number.
TEST(UnitsFromMib, NamedValuesAsTheModuleWritesThem) {
    const std::pair<const char*, const char*> cases[] = {
        {"{ b(99999999999999999999) }", "Values: 99999999999999999999 = b."},
        {"{ low(-9223372036854775808), lower(-99999999999999999999) }",
         "Values: -9223372036854775808 = low, -99999999999999999999 = lower."},
        {"{ top(9223372036854775807), zero(0) }", "Values: 9223372036854775807 = top, 0 = zero."},
    };
    for (const auto& [values, line] : cases) {
        tmibfile mib;
        mib.LoadText(std::string("M DEFINITIONS ::= BEGIN\r\nx OBJECT-TYPE SYNTAX INTEGER ") + values +
                         " ::= { iso 1 }\r\nEND\r\n",
                     "m.mib");
        mib.ParseModule();
        EXPECT_EQ(NamedValuesLine(*mib.FindEntry("x"), {}), line) << values;
    }
}

TEST(UnitsFromMib, RowsNamedByANameColumnOrTheInterfaceName) {
    const UnitsImport run(true);
    struct Case {
        const char* oid;
        const char* name;
    };
    const Case cases[] = {
        {"1.3.6.1.4.1.99998.2.1.3", "FIXTURE-UNITS-MIB|udisk: #[1.3.6.1.4.1.99998.2.1.2]|udisk used"},
        // The convention wins over the row's own name column; without IF-MIB or RFC1213-MIB
        // loaded the interface's name is MIB-II's ifDescr.
        {"1.3.6.1.4.1.99998.3.1.3", "FIXTURE-UNITS-MIB|uport: #[1.3.6.1.2.1.2.2.1.2]|uport errors"},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(run.byOid.count(c.oid), 1u) << c.oid;
        EXPECT_EQ(run.byOid.at(c.oid)->name, c.name);
    }
    EXPECT_TRUE(run.Logged("uDiskEntry: rows named by uDiskDescr (Descr column)"));
    EXPECT_TRUE(run.Logged("uPortEntry: rows named by ifDescr (index of InterfaceIndex)"));
    EXPECT_EQ(run.LinesStartingWith("uDiskEntry: rows"), 1) << "once per row, not per column";
}

}  // namespace

namespace {

// The objects a new user tries first, from ../shared/mibs, with units from the MIB.
struct RealObject {
    const char* file;
    const char* oid;
    const char* fields;  // as UnitFields gives them
    const char* logged;
};

TEST(UnitsFromMibRealData, TheObjectsUsersAskForFirst) {
    SKIP_WITHOUT_SHARED(mibs, "mibs");
    const RealObject objects[] = {
        {"IF-MIB.mib", "1.3.6.1.2.1.2.2.1.10", "sutBytes bytes 1 max 0",
         "ifInOctets: a counter of Octets -> bytes"},
        {"SNMPv2-MIB.mib", "1.3.6.1.2.1.1.3.0", "sutCustom seconds 100 max 0",
         "sysUpTime: TimeTicks -> seconds / 100"},
        {"RFC1213-MIB.mib", "1.3.6.1.2.1.1.3.0", "sutCustom seconds 100 max 0",
         "sysUpTime: TimeTicks -> seconds / 100"},
        {"HOST-RESOURCES-MIB.mib", "1.3.6.1.2.1.25.2.2.0", "sutBytes bytes 1024 multiply max 0",
         "hrMemorySize: UNITS \"KBytes\" -> bytes x 1024"},
        {"UCD-SNMP-MIB.mib", "1.3.6.1.4.1.2021.4.5.0", "sutBytes bytes 1024 multiply max 0",
         "memTotalReal: UNITS \"kB\" -> bytes x 1024"},
        {"UCD-SNMP-MIB.mib", "1.3.6.1.4.1.2021.4.20.0", "sutBytes bytes 1024 multiply max 0",
         "memTotalRealX: UNITS \"kB\" -> bytes x 1024"},
        {"CISCO-PROCESS-MIB.my", "1.3.6.1.4.1.9.9.109.1.1.1.1.6", "sutPercent % 1 max 100",
         "cpmCPUTotal5secRev: UNITS \"percent\" -> %"},
        {"CISCO-ENVMON-MIB.my", "1.3.6.1.4.1.9.9.13.1.3.1.3",
         "sutCustom \xB0"
         "C 1 max 0",
         "ciscoEnvMonTemperatureStatusValue: UNITS \"degrees Celsius\" -> \xB0"
         "C"},
        {"mikrotik.mib", "1.3.6.1.4.1.14988.1.1.3.1.0", "sutCustom V 10 max 0",
         "mtxrHlCoreVoltage: DISPLAY-HINT \"d-1\" of Voltage -> V / 10"},
        // What the descriptions say where no UNITS clause does.
        {"UCD-SNMP-MIB.mib", "1.3.6.1.4.1.2021.9.1.6", "sutBytes bytes 1024 multiply max 0",
         "dskTotal: DESCRIPTION \"(kBytes)\" -> bytes x 1024"},
        {"UCD-SNMP-MIB.mib", "1.3.6.1.4.1.2021.9.1.7", "sutBytes bytes 1024 multiply max 0",
         "dskAvail: as its halves dskAvailLow, dskAvailHigh: DESCRIPTION \"(kBytes)\" -> bytes x 1024"},
        {"UCD-SNMP-MIB.mib", "1.3.6.1.4.1.2021.9.1.8", "sutBytes bytes 1024 multiply max 0",
         "dskUsed: as its halves dskUsedLow, dskUsedHigh: DESCRIPTION \"(kBytes)\" -> bytes x 1024"},
        {"UCD-SNMP-MIB.mib", "1.3.6.1.4.1.2021.10.1.5", "sutCustom # 100 max 0",
         "laLoadInt: DESCRIPTION \"multiplying by 100\" -> # / 100"},
        {"UCD-SNMP-MIB.mib", "1.3.6.1.4.1.2021.11.9.0", "sutPercent % 1 max 100",
         "ssCpuUser: DESCRIPTION \"percentage\" -> %"},
        {"UCD-SNMP-MIB.mib", "1.3.6.1.4.1.2021.11.10.0", "sutPercent % 1 max 100",
         "ssCpuSystem: DESCRIPTION \"percentage\" -> %"},
        {"UCD-SNMP-MIB.mib", "1.3.6.1.4.1.2021.11.11.0", "sutPercent % 1 max 100",
         "ssCpuIdle: DESCRIPTION \"percentage\" -> %"},
        {"FORTINET-FORTIGATE-MIB.mib", "1.3.6.1.4.1.12356.101.4.1.5.0", "sutBytes bytes 1024 multiply max 0",
         "fgSysMemCapacity: DESCRIPTION \"(KB)\" -> bytes x 1024"},
        {"FORTINET-FORTIGATE-MIB.mib", "1.3.6.1.4.1.12356.101.4.1.6.0",
         "sutBytes bytes 1048576 multiply max 0", "fgSysDiskUsage: DESCRIPTION \"(MB)\" -> bytes x 1048576"},
        {"FORTINET-FORTIGATE-MIB.mib", "1.3.6.1.4.1.12356.101.4.1.7.0",
         "sutBytes bytes 1048576 multiply max 0",
         "fgSysDiskCapacity: DESCRIPTION \"(MB)\" -> bytes x 1048576"},
        {"IF-MIB.mib", "1.3.6.1.2.1.31.1.1.1.15", "sutCustom bits/second 1000000 multiply max 0",
         "ifHighSpeed: DESCRIPTION \"in 1,000,000 bits per second\" -> bits/second x 1000000"},
        {"CISCO-PROCESS-MIB.my", "1.3.6.1.4.1.9.9.109.1.1.1.1.24", "sutCustom processes 100 max 0",
         "cpmCPULoadAvg1min: UNITS \"hundredths of processes\" -> processes / 100"},
    };
    for (const RealObject& o : objects) {
        toidfile library;
        std::vector<std::string> log;
        library.LogLevel = 2;
        library.OnLog = [&log](toidfile&, const std::string& line) { log.push_back(line); };
        ImportOptions options;
        options.unitsFromMib = true;
        ImportMib(library, (mibs / o.file).string(), mibs.string() + "/",
                  testdata::programData("stdmib").string() + "/", FixturePrograms(), options);
        const Toiddata* entry = nullptr;
        for (int i = 0; i < library.Count(); ++i)
            if (library.Entries(i)->oid == o.oid) entry = library.Entries(i);
        ASSERT_NE(entry, nullptr) << o.file << " " << o.oid;
        EXPECT_EQ(UnitFields(*entry), o.fields) << o.logged;
        EXPECT_NE(std::find(log.begin(), log.end(), o.logged), log.end()) << o.logged;
    }
}

// Rows of interfaces are named by ifName, rows of physical entities by entPhysicalName; runs of
// capitals stay one word.
TEST(UnitsFromMibRealData, RowsOfInterfacesAndEntitiesCarryTheirNames) {
    SKIP_WITHOUT_SHARED(mibs, "mibs");
    const std::pair<const char*, const char*> cases[] = {
        {"IF-MIB.mib", "IF-MIB|if: #[1.3.6.1.2.1.31.1.1.1.1]|if in octets"},
        {"ENTITY-SENSOR-MIB.mib",
         "ENTITY-SENSOR-MIB|ent phy sensor: #[1.3.6.1.2.1.47.1.1.1.1.7]|ent phy sensor value"},
        {"HOST-RESOURCES-MIB.mib",
         "HOST-RESOURCES-MIB|hr storage: #[1.3.6.1.2.1.25.2.3.1.3]|hr storage used"},
        // A run of capitals stays one word.
        {"IF-MIB.mib", "IF-MIB|if x: #[1.3.6.1.2.1.31.1.1.1.1]|if HC in octets"},
        {"CISCO-PROCESS-MIB.my",
         "CISCO-PROCESS-MIB|cpm process: #[1.3.6.1.4.1.9.9.109.1.2.1.1.2]|cpm process PID: "
         "#[1.3.6.1.4.1.9.9.109.1.2.1.1.1]"},
        {"HOST-RESOURCES-MIB.mib",
         "HOST-RESOURCES-MIB|hr SW run perf: #[1.3.6.1.2.1.25.4.2.1.2]|hr SW run perf CPU"},
    };
    for (const auto& [file, name] : cases) {
        toidfile library;
        ImportOptions options;
        options.unitsFromMib = true;
        ImportMib(library, (mibs / file).string(), mibs.string() + "/",
                  testdata::programData("stdmib").string() + "/", FixturePrograms(), options);
        bool found = false;
        for (int i = 0; i < library.Count(); ++i) found |= library.Entries(i)->name == name;
        EXPECT_TRUE(found) << name;
    }
}

}  // namespace
