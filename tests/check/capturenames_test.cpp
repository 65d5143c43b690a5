// Captures that print names, read through the modules the library came from.

#include <gtest/gtest.h>

#include "check/walkcapture.h"
#include "import/modulenames.h"
#include "shared_data.h"

namespace {

const std::string Stdmib = testdata::programData("stdmib").string() + "/";
const std::string Folder = testdata::fixture("check").string() + "/";
const ProgramFiles Program{
    .standardFolder = Stdmib, .standardModule = Stdmib + "VELTRANE-STANDARD-MIB.mib", .replaceList = ""};

struct NameCase {
    const char* name;
    std::vector<std::string> searched;  // the library's modules
    const char* capture;
    std::vector<std::string> oids;  // read, in OID order
    std::string problem;            // what Problems() says, "" for nothing
};

class CaptureNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(CaptureNames, AreReadThroughTheModulesOrCountedAsUnreadable) {
    const NameCase& c = GetParam();
    ModuleOidNames names(c.searched, Folder, Program);
    DeviceAnswers answers;
    const CaptureReading reading = ReadWalkCapture(c.capture, answers, &names);
    std::vector<std::string> read;
    for (const auto& [oid, type] : answers.Values()) read.push_back(FormatOid(oid));
    EXPECT_EQ(read, c.oids);
    EXPECT_EQ(reading.skippedLines.Empty(), !c.oids.empty()) << "one line per case that is not read";
    const std::vector<std::string> problems = names.Problems();
    EXPECT_EQ(problems.size(), c.problem.empty() ? 0u : 1u);
    if (!problems.empty()) {
        EXPECT_NE(problems.front().find(c.problem), std::string::npos) << problems.front();
    }
}

const std::vector<std::string> Fixture{"FIXTURE-CHECK-MIB"},
    Twins{"FIXTURE-CHECK-MIB", "FIXTURE-CHECK-TWIN-MIB"};
// What the -On capture ".1.3.6.1.4.1.99998.1.1.0 = ...", "...2.1.2.1", "...2.1.2.2" reads.
const std::vector<std::string> Walked{"1.3.6.1.4.1.99998.1.1.0", "1.3.6.1.4.1.99998.2.1.2.1",
                                      "1.3.6.1.4.1.99998.2.1.2.2"};

INSTANTIATE_TEST_SUITE_P(
    Names, CaptureNames,
    ::testing::Values(
        NameCase{"ModuleAndName", Fixture,
                 "FIXTURE-CHECK-MIB::fxcPackets.0 = Counter32: 7\nFIXTURE-CHECK-MIB::fxcPortInPkts.1 = "
                 "Counter32: 1\n"
                 "FIXTURE-CHECK-MIB::fxcPortInPkts.2 = Counter32: 1\n",
                 Walked, ""},
        NameCase{
            "FullNames", Fixture,
            ".iso.org.dod.internet.private.enterprises.fxCheck.fxcScalars.fxcPackets.0 = Counter32: 7\n"
            ".iso.org.dod.internet.private.enterprises.fxCheck.fxcPortTable.fxcPortEntry.fxcPortInPkts.1 = "
            "Counter32: 1\niso.org.dod.internet.private.enterprises.fxCheck.fxcPortTable.1.2.2 = INTEGER: "
            "1\n",
            Walked, ""},
        NameCase{"ShortNamesAndNumbers", Fixture,
                 "fxcPackets.0 = Counter32: 7\niso.3.6.1.4.1.99998.2.1.2.1 = Counter32: 1\n"
                 "fxcPortEntry.2.2 = Counter32: 1\n",
                 Walked, ""},
        NameCase{"UnknownModule",
                 Fixture,
                 "NO-SUCH-MIB::fxcPackets.0 = INTEGER: 1\n",
                 {},
                 "NO-SUCH-MIB is in neither " + Folder + " nor " + Stdmib + ": its names are not read"},
        NameCase{"UnknownName", Fixture, "FIXTURE-CHECK-MIB::fxcNothing.0 = INTEGER: 1\n", {}, ""},
        NameCase{"NameOfAnotherModule", Fixture, "SNMPv2-SMI::fxcPackets.0 = INTEGER: 1\n", {}, ""},
        NameCase{"ModuleThatDoesNotParse",
                 Fixture,
                 "FIXTURE-CHECK-BROKEN-MIB::fxbRoot.0 = INTEGER: 1\n",
                 {},
                 "FIXTURE-CHECK-BROKEN-MIB.mib:6: "},
        NameCase{"LibraryModuleMissing",
                 {"GONE-MIB"},
                 "fxcPackets.0 = INTEGER: 1\n",
                 {},
                 "GONE-MIB is in neither"},
        NameCase{"NameOfTwoOids", Twins, "fxcLevel.0 = INTEGER: 1\n", {}, ""},
        NameCase{"NameOfTwoOidsWithItsModule",
                 Twins,
                 "FIXTURE-CHECK-TWIN-MIB::fxcLevel.0 = INTEGER: 1\n",
                 {"1.3.6.1.4.1.99997.1.0"},
                 ""},
        NameCase{"PathAsModule", Fixture, "../check/FIXTURE-CHECK-MIB::fxcPackets.0 = INTEGER: 1\n", {}, ""},
        // An agent of the library is no module name either: the path would lead to the fixture.
        NameCase{"PathAsLibraryAgent", {"../check/FIXTURE-CHECK-MIB"}, "fxcPackets.0 = INTEGER: 1\n", {}, ""},
        NameCase{"QuotedIndex", Fixture, "FIXTURE-CHECK-MIB::fxcPortInPkts.\"eth0\" = INTEGER: 1\n", {}, ""}),
    [](const auto& info) { return std::string(info.param.name); });

// An index net-snmp prints as text, read back through the types of the row's INDEX.
struct IndexCase {
    const char* name;
    const char* printed;  // the OID of a capture line
    const char* oid;      // what it reads as; "" for a line that cannot be read
};

class PrintedIndexes : public ::testing::TestWithParam<IndexCase> {};

TEST_P(PrintedIndexes, AreReadThroughTheRowsIndexTypes) {
    const IndexCase& c = GetParam();
    ModuleOidNames names({"FIXTURE-CHECK-INDEX-MIB"}, Folder, Program);
    DeviceAnswers answers;
    const CaptureReading reading =
        ReadWalkCapture(std::string(c.printed) + " = Counter32: 1\n", answers, &names);
    std::string read;
    for (const auto& [oid, type] : answers.Values()) read = FormatOid(oid);
    EXPECT_EQ(read, c.oid);
    EXPECT_EQ(reading.skippedLines.Empty(), *c.oid != '\0');
    EXPECT_TRUE(names.Problems().empty()) << names.Problems().front();
}

// 1.3.6.1.4.1.99996: the tables of FIXTURE-CHECK-INDEX-MIB.
#define FXI "1.3.6.1.4.1.99996."

INSTANTIATE_TEST_SUITE_P(
    Index, PrintedIndexes,
    ::testing::Values(
        IndexCase{"String", "FIXTURE-CHECK-INDEX-MIB::fxiIfOctets.\"eth0\"", FXI "1.1.2.4.101.116.104.48"},
        IndexCase{"EmptyString", "fxiIfOctets.\"\"", FXI "1.1.2.0"},
        IndexCase{"StringWithDotsAndQuote", "fxiIfOctets.\"a.\"b\"", FXI "1.1.2.4.97.46.34.98"},
        IndexCase{"StringWithEquals", "fxiIfOctets.\"a = b\"", FXI "1.1.2.5.97.32.61.32.98"},
        IndexCase{"StringAsArcs", "fxiIfOctets.2.104.105", FXI "1.1.2.2.104.105"},
        IndexCase{"ImpliedStringAfterAString", "fxiEventHits.\"me\".'linkUp'",
                  FXI "2.1.3.2.109.101.108.105.110.107.85.112"},
        IndexCase{"IpAddresses", "fxiRouteHits.192.0.2.0.255.255.255.0", FXI "3.1.3.192.0.2.0.255.255.255.0"},
        IndexCase{"Ipv4ByItsType", "fxiAddrIfIndex.ipv4.\"192.0.2.1\"", FXI "4.1.3.1.4.192.0.2.1"},
        IndexCase{"Ipv6ByItsType", "fxiAddrIfIndex.ipv6.\"fe:80:00:00:00:00:00:00:00:00:00:00:00:00:00:01\"",
                  FXI "4.1.3.2.16.254.128.0.0.0.0.0.0.0.0.0.0.0.0.0.1"},
        IndexCase{"Ipv4WithZone", "fxiAddrIfIndex.ipv4z.\"192.0.2.1%258\"",
                  FXI "4.1.3.3.8.192.0.2.1.0.0.1.2"},
        IndexCase{"DnsNameAsText", "fxiAddrIfIndex.dns.\"a.b\"", FXI "4.1.3.16.3.97.46.98"},
        IndexCase{"AddressOfAnotherForm", "fxiAddrIfIndex.ipv4.\"a.b\"", FXI "4.1.3.1.3.97.46.98"},
        IndexCase{"SeveralIndexesWithAnEnumeration", "fxiAccessHits.\"grp\".\"\".3.noAuthNoPriv",
                  FXI "5.1.5.3.103.114.112.0.3.1"},
        IndexCase{"EnumerationAsNumber", "fxiAccessHits.\"g\".\"\".3.2", FXI "5.1.5.1.103.0.3.2"},
        IndexCase{"FixedSizeString", "fxiMacHits.'abcdef'", FXI "6.1.2.97.98.99.100.101.102"},
        IndexCase{"ObjectIdThenEnumeration", "fxiPolicyHits.3.1.3.6.v6", FXI "7.1.3.3.1.3.6.2"},
        IndexCase{"AugmentedRow", "fxiIfExtDrops.\"lo\"", FXI "8.1.1.2.108.111"},
        IndexCase{"RowWithItsColumnArc", "fxiIfEntry.9.\"lo\"", FXI "1.1.9.2.108.111"},
        IndexCase{
            "FullNames",
            ".iso.org.dod.internet.private.enterprises.fxIndex.fxiAddrTable.fxiAddrEntry.fxiAddrIfIndex."
            "ipv4.\"192.0.2.1\"",
            FXI "4.1.3.1.4.192.0.2.1"},
        IndexCase{"UnknownLabel", "fxiAccessHits.\"grp\".\"\".3.noSuchLevel", ""},
        IndexCase{"LabelForAString", "fxiIfOctets.eth0", ""},
        IndexCase{"TextForANumber", "fxiAccessHits.\"grp\".\"\".\"3\".noAuthNoPriv", ""},
        IndexCase{"TextForAnIpAddress", "fxiRouteHits.\"192.0.2.0\".255.255.255.0", ""},
        IndexCase{"QuoteNeverCloses", "fxiIfOctets.\"eth0", ""},
        IndexCase{"TextAfterTheIndexes", "fxiIfOctets.\"eth0\".\"eth1\"", ""},
        IndexCase{"NoTableHasIndexes", "fxIndex.\"eth0\"", ""},
        IndexCase{
            "Over128Arcs",  // 10 arcs of the column, the length and 118 letters
            "fxiIfOctets."
            "\"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"
            "aaaaaaaaaaaaaaaaaaaaaaaaaaaa\"",
            ""}),
    [](const auto& info) { return std::string(info.param.name); });

#undef FXI

TEST(CaptureNames, ACaptureOfNumbersParsesNoModule) {
    ModuleOidNames names(Fixture, Folder, Program);
    DeviceAnswers answers;
    ReadWalkCapture(".1.3.6.1.4.1.99998.1.1.0 = Counter32: 7\niso.3.6.1.4.1.99998.1.2.0 = INTEGER: 1\n",
                    answers, &names);
    EXPECT_EQ(answers.Count(), 2u);
    EXPECT_EQ(names.FilesParsed(), 0);
}

}  // namespace
