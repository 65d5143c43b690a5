#include "import/displaynames.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tempfolder.h"

namespace {

struct DisplayCase {
    const char* text;
    const char* description;  // abbreviations are collected from it
    bool split;
    const char* expected;
};

class DisplayNameTest : public testing::TestWithParam<DisplayCase> {};

TEST_P(DisplayNameTest, MakesLowerCaseWords) {
    const DisplayCase& c = GetParam();
    DisplayNames names;
    names.CollectAbbreviations(c.description);
    EXPECT_EQ(names.MakeDisplayName(c.text, c.split), c.expected) << c.text << " / " << c.description;
}

INSTANTIATE_TEST_SUITE_P(Import, DisplayNameTest,
                         testing::Values(DisplayCase{"ifInOctets", "", true, "if in octets"},
                                         DisplayCase{"sysUpTime", "", true, "sys up time"},
                                         DisplayCase{"hrSWRunName", "The SW running", true, "hr sw run name"},
                                         DisplayCase{"hrSWRunName", "no capitals here", true, "hrswrun name"},
                                         // Without splitting the description's words are not used.
                                         DisplayCase{"hrSWRunName", "The SW running", false, "hrswrun name"},
                                         // CPU sorts first and moves the search start past MIB.
                                         DisplayCase{"hrMIBCPULoad", "MIB and CPU", true, "hrmib cpu load"},
                                         // The trailing s of CPUs is dropped when CPUs itself is absent.
                                         DisplayCase{"hrCPULoad", "all CPUs", true, "hr cpu load"},
                                         // The same word is isolated each time it occurs.
                                         DisplayCase{"aCPUxCPUy", "CPU", true, "acpu x cpu y"},
                                         // A lone lower-case first letter joins the next word.
                                         // No blank at either end, none doubled, where abbreviations
                                         // start, end or meet.
                                         DisplayCase{"CPULoad", "CPU", true, "cpu load"},
                                         DisplayCase{"loadOfCPU", "CPU", true, "load of cpu"},
                                         DisplayCase{"hrCPUMIBLoad", "CPU MIB", true, "hr cpu mib load"},
                                         DisplayCase{"xSent", "", true, "xsent"},
                                         DisplayCase{"xSe", "", true, "x se"},
                                         DisplayCase{"", "", true, ""}));

// With units from the MIB a run of capitals is one word in its own case; the description's
// abbreviations play no part.
TEST(DisplayNamesKeepingCapitalRuns, ReadAsAMonitorUserWouldSayThem) {
    const std::pair<const char*, const char*> cases[] = {
        {"ifHCInOctets", "if HC in octets"},
        {"cpmProcessPID", "cpm process PID"},
        {"ssIOSent", "ss IO sent"},
        {"hrSWRunPerfCPU", "hr SW run perf CPU"},
        {"ifInNUcastPkts", "if in NUcast pkts"},           // two capitals keep what follows
        {"dot1dTpPortInBPDUs", "dot1d tp port in BPDUs"},  // a plural of capitals
        {"ethernetBytesIPv4IPv6Max", "ethernet bytes IPv4 IPv6 max"},
        {"ospfv3IfOSPFv3Area", "ospfv3 if OSPFv3 area"},
        {"dot3StatsFCSErrors", "dot3 stats FCS errors"},
        {"cpmCPUTotal5secRev", "cpm CPU total5sec rev"},
        {"xSent", "xsent"},
        {"vRtrIfOperMtu", "vrtr if oper mtu"},
        {"error46-time-stamp", "error46-time-stamp"},
        {"MTU", "MTU"},
        {"", ""},
    };
    DisplayNames names;
    names.KeepCapitalRuns = true;
    names.CollectAbbreviations("The Hc of SWRun");
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(names.MakeDisplayName(text, true), expected) << text;
        EXPECT_EQ(names.MakeDisplayName(text, false), expected) << text;
    }
    names.ReplaceList = {{"if", "Interface"}};
    EXPECT_EQ(names.MakeDisplayName("ifHCInOctets", true), "Interface HC in octets");
}

TEST(ImportAbbreviations, AreSortedWithoutCaseAndUnique) {
    DisplayNames names;
    names.CollectAbbreviations("MIB, CPU; (cpu) Cpu mib-II aB X-Y RAM-DISK/CPU \"SNMPv2\"");
    // Only words with two capitals count; "RAM-DISK" splits at the hyphen; CPU stays once.
    EXPECT_EQ(names.Abbreviations, (std::vector<std::string>{"CPU", "DISK", "II", "MIB", "RAM", "SNMPv2"}));
    names.CollectAbbreviations("");
    EXPECT_TRUE(names.Abbreviations.empty());
}

struct ReplaceCase {
    std::vector<Replacement> list;
    const char* text;
    const char* expected;
};

class ReplaceTest : public testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceTest, ReplacesWholeWordsIgnoringCase) {
    DisplayNames names;
    names.ReplaceList = GetParam().list;
    EXPECT_EQ(names.MakeDisplayName(GetParam().text, false), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Import, ReplaceTest,
    testing::Values(ReplaceCase{{{"in", "Input"}}, "ifInOctets", "if input octets"},
                    ReplaceCase{{{"IF", "Interface"}}, "ifInOctets", "interface in octets"},
                    // The last word has no blank after it and is never replaced.
                    ReplaceCase{{{"octets", "bytes"}}, "ifInOctets", "if in octets"},
                    // Only the first occurrence per line; a repeated name takes its first value.
                    ReplaceCase{{{"in", "A"}, {"in", "B"}}, "ifInInInX", "if a a inx"},
                    ReplaceCase{{{"i", "x"}}, "ifInOctets", "if in octets"}));

TEST(ImportReplaceList, ReadsLinesWithEqualsOnly) {
    const TempFolder folder;
    const std::string file = folder / "replacelist.txt";
    std::ofstream(file, std::ios::binary) << "no equals sign here\r\nin=Input\nkey=a=b\r=empty\n";
    EXPECT_EQ(LoadReplaceList(file),
              (std::vector<Replacement>{{"in", "Input"}, {"key", "a=b"}, {"", "empty"}}));
    std::filesystem::remove(file);
    EXPECT_TRUE(LoadReplaceList(file).empty());
}

}  // namespace
