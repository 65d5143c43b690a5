#include "check/devicecheck.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "check/checkreport.h"
#include "check/walkcapture.h"
#include "library/oidfile.h"

namespace {

// ifInOctets of two interfaces, ifSpeed as Gauge32, ifHCInOctets, sysDescr, sysUpTime, a
// missing sysServices and a scalar in a table's place.
constexpr const char* Device =
    ".1.3.6.1.2.1.1.1.0 = STRING: \"box\"\n"
    ".1.3.6.1.2.1.1.3.0 = Timeticks: (4711) 0:00:47.11\n"
    ".1.3.6.1.2.1.1.7.0 = No Such Object available on this agent at this OID\n"
    ".1.3.6.1.2.1.2.2.1.5.1 = Gauge32: 10000000\n"
    ".1.3.6.1.2.1.2.2.1.10.1 = Counter32: 1\n"
    ".1.3.6.1.2.1.2.2.1.10.2 = Counter32: 2\n"
    ".1.3.6.1.2.1.31.1.1.1.6.1 = Counter64: 3\n"
    ".1.3.6.1.4.1.2021.10.1.3.1 = STRING: \"0.15\"\n";

// One entry and what the check makes of it; an entry's flags are off unless named.
struct MatchCase {
    const char* name;
    const char* oid;
    TMIBDataKind kind;
    TValueMode mode;
    bool is64bit = false;
    bool isfloat = false;
    bool usegetnext = false;
    bool answered = false;
    int rows = 0;
    std::vector<std::string> remarks = {};
};

constexpr auto Direct = TMIBDataKind::mkDirect;
constexpr auto Table = TMIBDataKind::mkTable;
constexpr auto Gauge = TValueMode::vmAbsolute;
constexpr auto Delta = TValueMode::vmDiff;

class MatchOneEntry : public ::testing::TestWithParam<MatchCase> {};

TEST_P(MatchOneEntry, AnswersRowsAndRemarks) {
    const MatchCase& c = GetParam();
    DeviceAnswers answers;
    ReadWalkCapture(Device, answers);
    Toiddata entry;
    entry.oid = c.oid;
    entry.kind = c.kind;
    entry.type = c.mode;
    entry.is64bit = c.is64bit;
    entry.isfloat = c.isfloat;
    entry.usegetnext = c.usegetnext;
    const EntryCheck check = MatchEntry(entry, answers);
    EXPECT_EQ(check.answered, c.answered);
    EXPECT_EQ(check.rows, c.rows);
    EXPECT_EQ(check.remarks, c.remarks);
}

INSTANTIATE_TEST_SUITE_P(
    Device, MatchOneEntry,
    ::testing::Values(
        MatchCase{.name = "ScalarAnswered",
                  .oid = "1.3.6.1.2.1.1.3.0",
                  .kind = Direct,
                  .mode = Gauge,
                  .answered = true,
                  .rows = 1},
        MatchCase{.name = "ScalarMissing",
                  .oid = "1.3.6.1.2.1.1.4.0",
                  .kind = Direct,
                  .mode = Gauge,
                  .answered = false,
                  .rows = 0},
        MatchCase{.name = "ScalarException",
                  .oid = "1.3.6.1.2.1.1.7.0",
                  .kind = Direct,
                  .mode = Gauge,
                  .answered = false,
                  .rows = 0,
                  .remarks = {"the agent says noSuchObject"}},
        MatchCase{.name = "StringForANumber",
                  .oid = "1.3.6.1.2.1.1.1.0",
                  .kind = Direct,
                  .mode = Gauge,
                  .answered = true,
                  .rows = 1,
                  .remarks = {"OCTET STRING where the entry is a number"}},
        MatchCase{.name = "StringForAFloatIsFine",
                  .oid = "1.3.6.1.4.1.2021.10.1.3",
                  .kind = Table,
                  .mode = Gauge,
                  .isfloat = true,
                  .answered = true,
                  .rows = 1},
        MatchCase{.name = "TableRowsCounted",
                  .oid = "1.3.6.1.2.1.2.2.1.10",
                  .kind = Table,
                  .mode = Delta,
                  .answered = true,
                  .rows = 2},
        MatchCase{.name = "TableWithoutRows",
                  .oid = "1.3.6.1.2.1.2.2.1.16",
                  .kind = Table,
                  .mode = Delta,
                  .answered = false,
                  .rows = 0},
        MatchCase{.name = "ColumnPrefixIsNoRow",
                  .oid = "1.3.6.1.2.1.2.2.1.1",
                  .kind = Table,
                  .mode = Gauge,
                  .answered = false,
                  .rows = 0},
        MatchCase{.name = "CounterForAGauge",
                  .oid = "1.3.6.1.2.1.2.2.1.10",
                  .kind = Table,
                  .mode = Gauge,
                  .answered = true,
                  .rows = 2,
                  .remarks = {"Counter32 where the entry is a gauge"}},
        MatchCase{.name = "Counter64For32Bit",
                  .oid = "1.3.6.1.2.1.31.1.1.1.6",
                  .kind = Table,
                  .mode = Delta,
                  .answered = true,
                  .rows = 1,
                  .remarks = {"Counter64 where the entry is 32-bit"}},
        MatchCase{.name = "Counter64ForA64BitDelta",
                  .oid = "1.3.6.1.2.1.31.1.1.1.6",
                  .kind = Table,
                  .mode = Delta,
                  .is64bit = true,
                  .answered = true,
                  .rows = 1},
        MatchCase{.name = "GaugeFor64Bit",
                  .oid = "1.3.6.1.2.1.2.2.1.5",
                  .kind = Table,
                  .mode = Gauge,
                  .is64bit = true,
                  .answered = true,
                  .rows = 1,
                  .remarks = {"Gauge32 where the entry is 64-bit"}},
        // Counter64 carries 64-bit gauges too (CounterBasedGauge64): only its size is wrong here.
        MatchCase{.name = "Counter64ForA32BitGauge",
                  .oid = "1.3.6.1.2.1.31.1.1.1.6",
                  .kind = Table,
                  .mode = Gauge,
                  .answered = true,
                  .rows = 1,
                  .remarks = {"Counter64 where the entry is 32-bit"}},
        MatchCase{.name = "Counter64ForA64BitGauge",
                  .oid = "1.3.6.1.2.1.31.1.1.1.6",
                  .kind = Table,
                  .mode = Gauge,
                  .is64bit = true,
                  .answered = true,
                  .rows = 1},
        MatchCase{.name = "ScalarInATablesPlace",
                  .oid = "1.3.6.1.2.1.2.2.1.10",
                  .kind = Direct,
                  .mode = Delta,
                  .answered = false,
                  .rows = 0,
                  .remarks = {"no value at the OID but 2 below it (a table column?)"}},
        MatchCase{.name = "GetNextReadsBelow",
                  .oid = "1.3.6.1.2.1.2.2.1.10",
                  .kind = Direct,
                  .mode = Delta,
                  .usegetnext = true,
                  .answered = true,
                  .rows = 1},
        MatchCase{.name = "NotNumeric",
                  .oid = "ifInOctets",
                  .kind = Table,
                  .mode = Delta,
                  .answered = false,
                  .rows = 0,
                  .remarks = {"the OID is not numeric"}},
        MatchCase{.name = "ArcAbove32Bits",
                  .oid = "1.3.6.1.4.1.4294967296",
                  .kind = Direct,
                  .mode = Gauge,
                  .remarks = {"the OID has an arc above 4294967295"}},
        MatchCase{.name = "LargestArcWithLeadingZeros",
                  .oid = "1.3.6.1.2.1.1.3.0004294967295.99999999999",
                  .kind = Direct,
                  .mode = Gauge,
                  .remarks = {"the OID has an arc above 4294967295"}},
        MatchCase{.name = "EmptyArc",
                  .oid = "1.3..6",
                  .kind = Direct,
                  .mode = Gauge,
                  .remarks = {"the OID has an empty arc"}},
        MatchCase{
            .name = "NoOid", .oid = "", .kind = Direct, .mode = Gauge, .remarks = {"the entry has no OID"}},
        MatchCase{
            .name = "TooManyArcs",
            .oid = "1.3.6.1.4.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1."
                   "1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1."
                   "1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1.1",
            .kind = Direct,
            .mode = Gauge,
            .remarks = {"the OID has more than 128 arcs"}}),
    [](const auto& info) { return std::string(info.param.name); });

void AddEntry(toidfile& library, const std::string& name, const std::string& oid, TMIBDataKind kind) {
    auto entry = std::make_unique<Toiddata>();
    entry->name = name;
    entry->oid = oid;
    entry->kind = kind;
    entry->type = kind == Table ? Delta : Gauge;
    library.Add(std::move(entry));
}

TEST(SubtreesToWalk, OnlyWhatTheEntriesNeedWithoutNesting) {
    struct Case {
        std::vector<std::pair<std::string, TMIBDataKind>> entries;
        std::vector<std::string> subtrees;
    };
    const Case cases[] = {
        {{{"1.3.6.1.2.1.2.2.1.10", Table}, {"1.3.6.1.2.1.2.2.1.16", Table}}, {"1.3.6.1.2.1.2.2.1"}},
        {{{"1.3.6.1.2.1.2.2.1.10", Table}, {"1.3.6.1.2.1.2.1.0", Direct}}, {"1.3.6.1.2.1.2"}},
        {{{"1.3.6.1.2.1.25.2.3.1.6", Table}, {"1.3.6.1.2.1.1.3.0", Direct}, {"1.3.6.1.2.1.1.5.0", Direct}},
         {"1.3.6.1.2.1.1", "1.3.6.1.2.1.25.2.3.1"}},
        {{{"1.3.6.1.4.1.9.2.1.58", Direct}}, {"1.3.6.1.4.1.9.2.1"}},  // a scalar without .0
        {{{"not an oid", Direct}, {"", Table}}, {}},
    };
    for (const Case& c : cases) {
        toidfile library;
        for (const auto& [oid, kind] : c.entries) AddEntry(library, "", oid, kind);
        std::vector<std::string> subtrees;
        for (const Oid& oid : SubtreesToWalk(library)) subtrees.push_back(FormatOid(oid));
        EXPECT_EQ(subtrees, c.subtrees) << c.entries.front().first;
    }
}

class CheckLibrary : public ::testing::Test {
  protected:
    void SetUp() override {
        AddEntry(library_, "IF-MIB|ifEntry|In Octets", "1.3.6.1.2.1.2.2.1.10", Table);
        AddEntry(library_, "SNMPv2-MIB|system|Services", "1.3.6.1.2.1.1.7.0", Direct);
        AddEntry(library_, "SNMPv2-MIB|system|Up Time", "1.3.6.1.2.1.1.3.0", Direct);
        AddEntry(library_, "IF-MIB|ifEntry|Out Octets", "1.3.6.1.2.1.2.2.1.16", Table);
        DeviceAnswers answers;
        ReadWalkCapture(Device, answers);
        result_ = MatchEntries(library_, answers);
        result_.source = "walk capture device.walk";
        for (const int line : {3, 17, 18, 19}) result_.skippedLines.Add(line);
    }
    toidfile library_;
    CheckResult result_;
};

TEST_F(CheckLibrary, ReportHasALinePerEntryAndTheSummary) {
    EXPECT_EQ(CheckReportLines(library_, result_),
              (std::vector<std::string>{
                  "answered      1.3.6.1.2.1.2.2.1.10  IF-MIB|ifEntry|In Octets  (2 rows)",
                  "not answered  1.3.6.1.2.1.1.7.0  SNMPv2-MIB|system|Services  the agent says noSuchObject",
                  "answered      1.3.6.1.2.1.1.3.0  SNMPv2-MIB|system|Up Time",
                  "not answered  1.3.6.1.2.1.2.2.1.16  IF-MIB|ifEntry|Out Octets",
                  "4 lines of the capture could not be read: 3, 17-19",
                  "2 of 4 entries answered",
              }));
}

TEST_F(CheckLibrary, JsonCarriesTheSameResult) {
    library_.Entries(2)->name = "Sys \"Up\"\tTime \xC3\xA9 \xE9";  // UTF-8 kept, a lone Latin-1 byte escaped
    EXPECT_EQ(
        CheckReportJson(library_, result_),
        "{\n"
        "  \"source\": \"walk capture device.walk\",\n"
        "  \"answered\": 2,\n"
        "  \"entries\": 4,\n"
        "  \"skippedLineCount\": 4,\n"
        "  \"skippedLines\": [[3, 3], [17, 19]],\n"
        "  \"unreadModules\": [],\n"
        "  \"results\": [\n"
        "    {\"name\": \"IF-MIB|ifEntry|In Octets\", \"oid\": \"1.3.6.1.2.1.2.2.1.10\", \"kind\": "
        "\"mkTable\", "
        "\"answered\": true, \"rows\": 2, \"remarks\": []},\n"
        "    {\"name\": \"SNMPv2-MIB|system|Services\", \"oid\": \"1.3.6.1.2.1.1.7.0\", \"kind\": "
        "\"mkDirect\", "
        "\"answered\": false, \"rows\": 0, \"remarks\": [\"the agent says noSuchObject\"]},\n"
        "    {\"name\": \"Sys \\\"Up\\\"\\u0009Time \xC3\xA9 \\\\xE9\", \"oid\": \"1.3.6.1.2.1.1.3.0\", "
        "\"kind\": \"mkDirect\", \"answered\": true, \"rows\": 1, \"remarks\": []},\n"
        "    {\"name\": \"IF-MIB|ifEntry|Out Octets\", \"oid\": \"1.3.6.1.2.1.2.2.1.16\", \"kind\": "
        "\"mkTable\", "
        "\"answered\": false, \"rows\": 0, \"remarks\": []}\n"
        "  ]\n"
        "}\n");
}

// Nothing in a name can reach a terminal that shows the report raw, nor pass for another byte.
TEST_F(CheckLibrary, JsonEscapesWhatCouldFoolAReader) {
    const std::pair<const char*, const char*> cases[] = {
        {"\xED\xA0\x80 \xC0\xAF", R"("\\xED\\xA0\\x80 \\xC0\\xAF")"},  // a surrogate and an overlong form
        {"a\x7F"
         "b\xC2\x9B"
         "31m",
         R"("a\u007fb\u009b31m")"},  // DEL and the C1 CSI
        {"report\xE2\x80\xAE"
         "fdp.exe",
         R"("report\u202efdp.exe")"},  // a right-to-left override
        {"\xFF", R"("\\xFF")"},        // a lone byte, no \u00ff
    };
    for (const auto& [name, quoted] : cases) {
        library_.Entries(2)->name = name;
        EXPECT_NE(CheckReportJson(library_, result_).find(std::string("\"name\": ") + quoted),
                  std::string::npos)
            << quoted;
    }
}

TEST_F(CheckLibrary, AnsweredEntriesAreCopiedInLibraryOrder) {
    library_.Entries(2)->description = "line one\r\nline two";
    toidfile answered;
    CopyAnsweredEntries(library_, result_, answered);
    ASSERT_EQ(answered.Count(), 2);
    EXPECT_EQ(answered.Entries(0)->name, "IF-MIB|ifEntry|In Octets");
    EXPECT_EQ(answered.Entries(1)->name, "SNMPv2-MIB|system|Up Time");
    EXPECT_EQ(answered.Entries(1)->description, "line one\r\nline two");
    EXPECT_EQ(library_.Count(), 4);
}

// What the walk shows beyond answered or not, in the text and JSON reports.
TEST(LibraryRemarks, CounterpartsGetnextAndRowNamesAreRemarked) {
    toidfile library;
    AddEntry(library, "IF-MIB|if: #[1.3.6.1.2.1.2.2.1.1]|if in octets", "1.3.6.1.2.1.2.2.1.10", Table);
    AddEntry(library, "IF-MIB|ifx: #[1.3.6.1.2.1.2.2.1.1]|if hc in octets", "1.3.6.1.2.1.31.1.1.1.6", Table);
    AddEntry(library, "IF-MIB|if: #[1.3.6.1.2.1.2.2.1.1]|if out octets", "1.3.6.1.2.1.2.2.1.16", Table);
    AddEntry(library, "VENDOR|box|temperature", "1.3.6.1.4.1.9999.1", Direct);
    AddEntry(library, "VENDOR|box: #[1.3.6.1.4.1.9999.2.1.1]|fan", "1.3.6.1.4.1.9999.2.1.2", Table);
    library.Entries(1)->is64bit = true;
    DeviceAnswers answers;
    const CaptureReading reading = ReadWalkCapture(
        ".1.3.6.1.2.1.2.2.1.1.1 = INTEGER: 1\n"
        ".1.3.6.1.2.1.2.2.1.10.1 = Counter32: 5\n"
        ".1.3.6.1.2.1.2.2.1.16.1 = Counter32: 6\n"
        ".1.3.6.1.2.1.31.1.1.1.6.1 = Counter64: 7\n"
        ".1.3.6.1.4.1.9999.1.0 = INTEGER: 40\n"
        ".1.3.6.1.4.1.9999.2.1.2.1 = INTEGER: 3000\n",
        answers);
    ASSERT_TRUE(reading.skippedLines.Empty());
    const CheckResult result = MatchEntries(library, answers);
    const std::vector<std::vector<std::string>> remarks = {
        {"a 32-bit counter whose 64-bit counterpart IF-MIB|ifx: #[1.3.6.1.2.1.2.2.1.1]|if hc in octets is "
         "answered "
         "too"},
        {},
        {},  // ifHCOutOctets is not answered
        {"the agent returns it only through GETNEXT (--fix-getnext sets usegetnext)"},
        {"its rows are named by 1.3.6.1.4.1.9999.2.1.1, which the device does not answer"}};
    for (std::size_t i = 0; i < remarks.size(); ++i) EXPECT_EQ(result.entries[i].remarks, remarks[i]) << i;
    EXPECT_FALSE(result.entries[3].answered);
    EXPECT_NE(
        CheckReportJson(library, result).find("\"remarks\": [\"the agent returns it only through GETNEXT"),
        std::string::npos);

    toidfile plain, fixed;
    CopyAnsweredEntries(library, result, plain);
    CopyAnsweredEntries(library, result, fixed, true);
    ASSERT_EQ(plain.Count(), 4);
    ASSERT_EQ(fixed.Count(), 5);
    EXPECT_EQ(fixed.Entries(3)->name, "VENDOR|box|temperature");
    EXPECT_TRUE(fixed.Entries(3)->usegetnext);
    EXPECT_FALSE(library.Entries(3)->usegetnext) << "the library itself is unchanged";
}

// A 32-bit counter and its 64-bit counterpart by their display names, as the import writes them
// ("ifhcin octets" for ifHCInOctets) or a user does.
TEST(LibraryRemarks, ThirtyTwoBitCounterWhoseCounterpartIsAnswered) {
    struct Case {
        const char* name32;
        const char* name64;
        bool counterpartAnswered;
        bool remarked;
    };
    const Case cases[] = {
        {"IF-MIB|if|if in octets", "IF-MIB|ifx|ifhcin octets", true, true},
        {"IF-MIB|if|if in ucast pkts", "IF-MIB|ifx|ifhcin ucast pkts", true, true},
        {"IF-MIB|if|In Octets", "IF-MIB|ifx|HC In Octets", true, true},
        {"IP-MIB|ip if stats|ip if stats in octets", "IP-MIB|ip if stats|ip if stats hcin octets", true,
         true},
        {"IF-MIB|if|if in octets", "IF-MIB|ifx|ifhcin octets", false, false},
        {"IF-MIB|if|if in octets", "IF-MIB|ifx|ifhcout octets", true, false},
        {"IF-MIB|if|if in octets", "IF-MIB|ifx|if in octets total", true, false},
    };
    for (const Case& c : cases) {
        toidfile library;
        AddEntry(library, c.name32, "1.3.6.1.2.1.2.2.1.10", Table);
        AddEntry(library, c.name64, "1.3.6.1.2.1.31.1.1.1.6", Table);
        library.Entries(1)->is64bit = true;
        DeviceAnswers answers;
        ReadWalkCapture(std::string(".1.3.6.1.2.1.2.2.1.10.1 = Counter32: 5\n") +
                            (c.counterpartAnswered ? ".1.3.6.1.2.1.31.1.1.1.6.1 = Counter64: 7\n" : ""),
                        answers);
        const CheckResult result = MatchEntries(library, answers);
        const std::vector<std::string> expected = {std::string("a 32-bit counter whose 64-bit counterpart ") +
                                                   c.name64 + " is answered too"};
        EXPECT_EQ(result.entries[0].remarks, c.remarked ? expected : std::vector<std::string>()) << c.name64;
        EXPECT_TRUE(result.entries[1].remarks.empty()) << c.name64;
    }
}

// Rows a column names: two rows of the same name would be one row in the monitor.
TEST(LibraryRemarks, RowsThatShareANameAreRemarked) {
    struct Case {
        const char* name;
        const char* names;  // the capture's lines of the naming columns
        std::vector<std::string> remarks;
    };
    const char* eth0Twice =
        ".1.3.6.1.2.1.2.2.1.2.1 = STRING: \"lo\"\n"
        ".1.3.6.1.2.1.2.2.1.2.2 = STRING: \"eth0\"\n"
        ".1.3.6.1.2.1.2.2.1.2.3 = STRING: \"eth1\"\n"
        ".1.3.6.1.2.1.2.2.1.2.7 = STRING: \"eth0\"\n";
    const Case cases[] = {
        {"IF-MIB|if: #[1.3.6.1.2.1.2.2.1.2]|if in octets",
         eth0Twice,
         {"rows 2 and 7 are both named \"eth0\": the monitor shows them under one name"}},
        {"IF-MIB|if: #[1.3.6.1.2.1.2.2.1.2]|if in octets",
         ".1.3.6.1.2.1.2.2.1.2.1 = STRING: \"a\"\n"
         ".1.3.6.1.2.1.2.2.1.2.2 = STRING: \"b\"\n"
         ".1.3.6.1.2.1.2.2.1.2.3 = STRING: \"b\"\n"
         ".1.3.6.1.2.1.2.2.1.2.7 = STRING: \"a\"\n",
         {"rows 2 and 3 are both named \"b\" (4 rows share a name): the monitor shows them under one name"}},
        // A second naming column tells the rows apart.
        {"IF-MIB|if: #[1.3.6.1.2.1.2.2.1.2]|if in octets: #[1.3.6.1.2.1.2.2.1.3]",
         ".1.3.6.1.2.1.2.2.1.2.2 = STRING: \"eth0\"\n"
         ".1.3.6.1.2.1.2.2.1.2.7 = STRING: \"eth0\"\n"
         ".1.3.6.1.2.1.2.2.1.3.2 = STRING: \"a\"\n"
         ".1.3.6.1.2.1.2.2.1.3.7 = STRING: \"b\"\n",
         {}},
        // Numbers name no rows the monitor could mix up: an index column is unique.
        {"IF-MIB|if: #[1.3.6.1.2.1.2.2.1.1]|if in octets",
         ".1.3.6.1.2.1.2.2.1.1.2 = INTEGER: 2\n.1.3.6.1.2.1.2.2.1.1.7 = INTEGER: 7\n",
         {}},
        {"IF-MIB|if: #[1.3.6.1.2.1.2.2.1.2]|if in octets",
         ".1.3.6.1.2.1.2.2.1.2.2 = STRING: \"eth0\"\n.1.3.6.1.2.1.2.2.1.2.7 = STRING: \"eth1\"\n",
         {}},
    };
    for (const Case& c : cases) {
        toidfile library;
        AddEntry(library, c.name, "1.3.6.1.2.1.2.2.1.10", Table);
        DeviceAnswers answers;
        ReadWalkCapture(
            std::string(c.names) +
                ".1.3.6.1.2.1.2.2.1.10.1 = Counter32: 1\n.1.3.6.1.2.1.2.2.1.10.2 = Counter32: 1\n"
                ".1.3.6.1.2.1.2.2.1.10.3 = Counter32: 1\n.1.3.6.1.2.1.2.2.1.10.7 = Counter32: 1\n",
            answers);
        EXPECT_EQ(MatchEntries(library, answers).entries[0].remarks, c.remarks) << c.names;
    }
}

// SNMPv1 has no Counter64: the 64-bit entries a v1 agent leaves out say why.
TEST(LibraryRemarks, SnmpV1NamesCounter64) {
    toidfile library;
    AddEntry(library, "IF-MIB|ifx|ifhcin octets", "1.3.6.1.2.1.31.1.1.1.6", Table);
    AddEntry(library, "IF-MIB|if|if in octets", "1.3.6.1.2.1.2.2.1.10", Table);
    AddEntry(library, "UCD-SNMP-MIB|la|la load float", "1.3.6.1.4.1.2021.10.1.6", Table);
    library.Entries(0)->is64bit = true;
    library.Entries(2)->is64bit = library.Entries(2)->isfloat = true;  // an Opaque, which v1 carries
    AgentSettings settings;
    settings.host = "192.0.2.1";
    const DeviceAnswers none;
    for (const SnmpVersion version : {SnmpVersion::v1, SnmpVersion::v2c}) {
        settings.version = version;
        const CheckResult result = MatchAgentAnswers(library, settings, none);
        EXPECT_EQ(result.entries[0].remarks,
                  version == SnmpVersion::v1
                      ? std::vector<std::string>{"SNMPv1 cannot carry Counter64; v2c or v3 will"}
                      : std::vector<std::string>());
        EXPECT_TRUE(result.entries[1].remarks.empty());
        EXPECT_TRUE(result.entries[2].remarks.empty());
    }
}

// The columns that name rows are walked and kept, also from another table.
TEST(LibraryRemarks, NamingColumnsAreWalkedAndKept) {
    toidfile library;
    AddEntry(library, "IF-MIB|ifx: #[1.3.6.1.2.1.2.2.1.1]|if hc in octets", "1.3.6.1.2.1.31.1.1.1.6", Table);
    EXPECT_EQ(SubtreesToWalk(library),
              (std::vector<Oid>{*ParseOid("1.3.6.1.2.1.2.2.1.1"), *ParseOid("1.3.6.1.2.1.31.1.1.1")}));
    const DeviceAnswers kept(OidsEntriesNeed(library));
    EXPECT_TRUE(kept.Keeps(*ParseOid("1.3.6.1.2.1.2.2.1.1.7")));
    EXPECT_TRUE(kept.Keeps(*ParseOid("1.3.6.1.2.1.31.1.1.1.6.7")));
    EXPECT_FALSE(kept.Keeps(*ParseOid("1.3.6.1.2.1.31.1.1.1.10.7")));
    EXPECT_FALSE(kept.Keeps(*ParseOid("1.3.6.1.2.1.2.2.1")));
}

TEST(CheckAgainstCapture, UnreadableFileIsAnError) {
    toidfile library;
    try {
        CheckAgainstCapture(library, "/nonexistent/device.walk");
        FAIL() << "no error";
    } catch (const CheckError& error) {
        EXPECT_EQ(error.Failure(), CheckFailure::unreadable);
        EXPECT_STREQ(error.what(),
                     "Cannot open file \"/nonexistent/device.walk\". No such file or directory");
    }
}

TEST(CheckAgainstCapture, NothingReadableIsAnErrorThatShowsALine) {
    const std::string file = ::testing::TempDir() + "/unreadable.walk";
    std::ofstream(file) << "\n\x1b[31mIF-MIB::sysName.0 = STRING: x\n";
    toidfile library;
    try {
        CheckAgainstCapture(library, file);
        FAIL() << "no error";
    } catch (const CheckError& error) {
        EXPECT_EQ(error.Failure(), CheckFailure::unreadable);
        EXPECT_EQ(std::string(error.what()), "No line of the capture " + file +
                                                 " could be read; line 2 is: \"\\x1B[31mIF-MIB::sysName.0 = "
                                                 "STRING: x\". Capture with snmpwalk -On or snmpbulkwalk -On "
                                                 "(numeric OIDs): that format is always read.");
    }
    std::remove(file.c_str());
}

// An empty or blank capture reads nothing, as one of unreadable lines does, and says so alike.
TEST(CheckAgainstCapture, EmptyOrBlankCaptureIsNothingReadable) {
    const std::string file = ::testing::TempDir() + "/blank.walk";
    for (const auto& [text, what] :
         {std::pair{"", "it is empty"}, std::pair{"\n \t\r\n\n", "it holds only blank lines"}}) {
        std::ofstream(file, std::ios::binary) << text;
        toidfile library;
        try {
            CheckAgainstCapture(library, file);
            ADD_FAILURE() << "no error for " << what;
        } catch (const CheckError& error) {
            EXPECT_EQ(error.Failure(), CheckFailure::unreadable);
            EXPECT_EQ(std::string(error.what()),
                      "No line of the capture " + file + " could be read; " + what +
                          ". Capture with snmpwalk -On or snmpbulkwalk -On (numeric "
                          "OIDs): that format is always read.");
        }
    }
    std::remove(file.c_str());
}

// Half a million broken lines, each alone between blank ones: the report names them in a line
// of a few hundred bytes.
TEST(CheckAgainstCapture, ManyBrokenLinesMakeAShortReport) {
    const std::string file = ::testing::TempDir() + "/broken.walk";
    {
        std::ofstream out(file, std::ios::binary);
        out << ".1.3.6.1.2.1.1.3.0 = Timeticks: (1) 0:00:00.01\n";
        for (int i = 0; i < 500'000; ++i) out << "x\n\n";
    }
    toidfile library;
    AddEntry(library, "SNMPv2-MIB|system|Up Time", "1.3.6.1.2.1.1.3.0", Direct);
    const CheckResult result = CheckAgainstCapture(library, file);
    EXPECT_EQ(result.skippedLines.Count(), 500'000u);
    const std::vector<std::string> report = CheckReportLines(library, result);
    ASSERT_EQ(report.size(), 3u);
    EXPECT_TRUE(report[1].starts_with("500000 lines of the capture could not be read: 2, 4, 6, "))
        << report[1];
    EXPECT_TRUE(report[1].ends_with(", 64 (the first 32 of 500000 ranges)")) << report[1];
    EXPECT_LT(CheckReportJson(library, result).size(), 1000u);
    std::remove(file.c_str());
}

TEST(AgentSettings, ProblemsAreFoundBeforeAnythingIsSent) {
    struct Case {
        void (*change)(AgentSettings&);
        const char* problem;
    };
    const Case cases[] = {
        {[](AgentSettings&) {}, ""},
        {[](AgentSettings& s) { s.host.clear(); }, "No agent host given."},
        {[](AgentSettings& s) { s.timeoutSeconds = 0; },
         "The timeout must be above 0 and at most 3600 seconds."},
        {[](AgentSettings& s) { s.timeoutSeconds = 3600.5; },
         "The timeout must be above 0 and at most 3600 seconds."},
        {[](AgentSettings& s) { s.host = "192.0.2.1:99999"; },
         "The port of 192.0.2.1:99999 must be a number from 1 to 65535."},
        {[](AgentSettings& s) { s.host = "192.0.2.1:0"; },
         "The port of 192.0.2.1:0 must be a number from 1 to 65535."},
        {[](AgentSettings& s) { s.host = "box:snmp"; },
         "The port of box:snmp must be a number from 1 to 65535."},
        {[](AgentSettings& s) { s.host = "[2001:db8::1]:65536"; },
         "The port of [2001:db8::1]:65536 must be a number from 1 to 65535."},
        {[](AgentSettings& s) { s.host = "[2001:db8::1]:65535"; }, ""},
        {[](AgentSettings& s) { s.host = "2001:db8::1"; }, ""},
        {[](AgentSettings& s) { s.retries = -1; }, "The retries must be between 0 and 20."},
        {[](AgentSettings& s) { s.version = SnmpVersion::v3; }, "SNMP v3 needs a user name."},
        {[](AgentSettings& s) {
             s.version = SnmpVersion::v3;
             s.user = "u";
             s.level = SecurityLevel::authNoPriv;
             s.authKey = "short";
         },
         "The authentication key must have at least 8 characters."},
        {[](AgentSettings& s) {
             s.version = SnmpVersion::v3;
             s.user = "u";
             s.level = SecurityLevel::authPriv;
             s.authKey = "long enough";
             s.privKey = "1234567";
         },
         "The privacy key must have at least 8 characters."},
    };
    for (const Case& c : cases) {
        AgentSettings settings;
        settings.host = "192.0.2.1";
        c.change(settings);
        EXPECT_EQ(SettingsProblem(settings), c.problem);
        if (c.problem[0] == '\0') continue;
        DeviceAnswers answers;
        try {
            WalkAgent(settings, {}, answers);
            ADD_FAILURE() << "no error for " << c.problem;
        } catch (const CheckError& error) {
            EXPECT_EQ(error.Failure(), CheckFailure::badSettings);
        }
    }
}

TEST(AgentSettings, NamesAreReadWithoutLetterCase) {
    AuthProtocol auth = AuthProtocol::MD5;
    EXPECT_TRUE(ParseAuthProtocol("sha-256", auth));
    EXPECT_EQ(auth, AuthProtocol::SHA256);
    EXPECT_TRUE(ParseAuthProtocol("SHA-1", auth));
    EXPECT_EQ(auth, AuthProtocol::SHA);
    EXPECT_FALSE(ParseAuthProtocol("SHA-3", auth));
    EXPECT_EQ(auth, AuthProtocol::SHA);
    PrivProtocol priv = PrivProtocol::DES;
    EXPECT_TRUE(ParsePrivProtocol("aes-128", priv));
    EXPECT_EQ(priv, PrivProtocol::AES);
    EXPECT_FALSE(ParsePrivProtocol("3DES", priv));
    SecurityLevel level = SecurityLevel::noAuthNoPriv;
    EXPECT_TRUE(ParseSecurityLevel("AUTHPRIV", level));
    EXPECT_EQ(level, SecurityLevel::authPriv);
    EXPECT_FALSE(ParseSecurityLevel("auth", level));
}

TEST(AgentSettings, DescriptionNamesNoSecret) {
    AgentSettings settings;
    settings.host = "192.0.2.1:1161";
    settings.community = "s3cret";
    EXPECT_EQ(DescribeAgent(settings), "192.0.2.1:1161, SNMP v2c");
    settings.version = SnmpVersion::v3;
    settings.user = "admin";
    settings.level = SecurityLevel::authPriv;
    settings.authKey = "auth-pass";
    EXPECT_EQ(DescribeAgent(settings), "192.0.2.1:1161, SNMP v3 authPriv");
}

}  // namespace
