#include "check/walkcapture.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

struct CaptureCase {
    const char* name;
    const char* text;
    std::vector<std::pair<const char*, AnswerType>> variables;  // all that must be read
    const char* skippedLines;                                   // as the report lists them
};

class ReadCapture : public ::testing::TestWithParam<CaptureCase> {};

TEST_P(ReadCapture, ReadsVariablesAndListsBrokenLines) {
    const CaptureCase& c = GetParam();
    DeviceAnswers answers;
    const CaptureReading reading = ReadWalkCapture(c.text, answers);
    EXPECT_EQ(LineRangesText(reading.skippedLines), c.skippedLines);
    EXPECT_EQ(reading.variables, c.variables.size());
    EXPECT_EQ(answers.Count(), c.variables.size());
    for (const auto& [oid, type] : c.variables) {
        const AnswerType* found = answers.Find(*ParseOid(oid));
        ASSERT_NE(found, nullptr) << oid;
        EXPECT_EQ(*found, type) << oid << " read as " << AnswerTypeName(*found);
    }
}

using T = AnswerType;

INSTANTIATE_TEST_SUITE_P(
    Walk, ReadCapture,
    ::testing::Values(
        CaptureCase{"EveryTypeNetSnmpPrints",
                    ".1.3.6.1.2.1.1.3.0 = Timeticks: (4711) 0:00:47.11\n"
                    ".1.3.6.1.2.1.2.1.0 = INTEGER: 4\n"
                    ".1.3.6.1.2.1.2.2.1.8.1 = INTEGER: up(1)\n"
                    ".1.3.6.1.2.1.2.2.1.10.1 = Counter32: 123\n"
                    ".1.3.6.1.2.1.2.2.1.5.1 = Gauge32: 10000000\n"
                    ".1.3.6.1.2.1.31.1.1.1.6.1 = Counter64: 99999999999\n"
                    ".1.3.6.1.2.1.1.2.0 = OID: .1.3.6.1.4.1.8072.3.2.10\n"
                    ".1.3.6.1.2.1.4.20.1.1.127.0.0.1 = IpAddress: 127.0.0.1\n"
                    ".1.3.6.1.4.1.2021.10.1.6.1 = Opaque: Float: 0.150000\n"
                    ".1.3.6.1.4.1.9.1 = Opaque: UInt64: 5\n"
                    ".1.3.6.1.4.1.9.2 = UInteger32: 7\n"
                    ".1.3.6.1.4.1.9.3 = NULL\n"
                    ".1.3.6.1.4.1.9.4 = Wrong Type (should be INTEGER): Gauge32: 5\n"
                    ".1.3.6.1.4.1.9.5 = Network Address: 0A:00:00:01\n",
                    {{"1.3.6.1.2.1.1.3.0", T::TimeTicks},
                     {"1.3.6.1.2.1.2.1.0", T::Integer},
                     {"1.3.6.1.2.1.2.2.1.8.1", T::Integer},
                     {"1.3.6.1.2.1.2.2.1.10.1", T::Counter32},
                     {"1.3.6.1.2.1.2.2.1.5.1", T::Gauge32},
                     {"1.3.6.1.2.1.31.1.1.1.6.1", T::Counter64},
                     {"1.3.6.1.2.1.1.2.0", T::ObjectId},
                     {"1.3.6.1.2.1.4.20.1.1.127.0.0.1", T::IpAddress},
                     {"1.3.6.1.4.1.2021.10.1.6.1", T::Float},
                     {"1.3.6.1.4.1.9.1", T::Unsigned64},
                     {"1.3.6.1.4.1.9.2", T::Unsigned32},
                     {"1.3.6.1.4.1.9.3", T::Null},
                     {"1.3.6.1.4.1.9.4", T::Gauge32},
                     {"1.3.6.1.4.1.9.5", T::IpAddress}},
                    ""},
        CaptureCase{"StringOverSeveralLines",
                    ".1.3.6.1.2.1.1.1.0 = STRING: \"Linux box 6.1\n"
                    "second line = with an equals sign\n"
                    ".1.3.6.1.2.1.1.9 = looks like a variable\n"
                    "end\"\n"
                    ".1.3.6.1.2.1.1.3.0 = Timeticks: (1) 0:00:00.01\n",
                    {{"1.3.6.1.2.1.1.1.0", T::OctetString}, {"1.3.6.1.2.1.1.3.0", T::TimeTicks}},
                    ""},
        CaptureCase{"EscapedQuotesAndEmptyStrings",
                    ".1.3.6.1.2.1.1.4.0 = STRING: \"say \\\"hi\\\" \\\\\"\n"
                    ".1.3.6.1.2.1.1.5.0 = \"\"\n"
                    ".1.3.6.1.2.1.1.6.0 = STRING: \"\\\"\n"
                    "\"\n",
                    {{"1.3.6.1.2.1.1.4.0", T::OctetString},
                     {"1.3.6.1.2.1.1.5.0", T::OctetString},
                     {"1.3.6.1.2.1.1.6.0", T::OctetString}},
                    ""},
        CaptureCase{"HexStringOverSeveralLines",
                    ".1.3.6.1.2.1.2.2.1.6.2 = Hex-STRING: 00 1A 2B 3C 4D 5E 6F 70 81 92 A3 B4 C5 D6 E7 F8 \n"
                    "09 1A \n"
                    ".1.3.6.1.2.1.25.3.2.1.6.1 = BITS: 80 00 \n"
                    "zz 00\n",
                    {{"1.3.6.1.2.1.2.2.1.6.2", T::OctetString}, {"1.3.6.1.2.1.25.3.2.1.6.1", T::Bits}},
                    "4"},
        CaptureCase{"ExceptionsAreRead",
                    ".1.3.6.1.2.1.1.7.0 = No Such Object available on this agent at this OID\n"
                    ".1.3.6.1.2.1.1.8.0 = No Such Instance currently exists at this OID\n"
                    ".1.3.6.1.2.1.99 = No more variables left in this MIB View (It is past the end of the "
                    "MIB tree)\n",
                    {{"1.3.6.1.2.1.1.7.0", T::NoSuchObject},
                     {"1.3.6.1.2.1.1.8.0", T::NoSuchInstance},
                     {"1.3.6.1.2.1.99", T::EndOfMibView}},
                    ""},
        CaptureCase{"BrokenLinesAreCountedWithTheirNumbers",
                    "Timeout: No Response from 192.0.2.1\n"             // 1
                    "IF-MIB::ifInOctets.1 = Counter32: 5\n"             // 2 names instead of numbers
                    ".1.3.6.1.2.1.2.2.1.10.1 = Counter32: 5\n"          // 3
                    ".1.3.6.x.1 = INTEGER: 1\n"                         // 4
                    "\n"                                                // 5 blank: ignored
                    ".1.3.6.1.2.1.2.2.1.10.2 = Frobnicated: 1\n"        // 6 no such type
                    ".1.3.6.1.2.1.2.2.1.10.3 INTEGER 1\n"               // 7
                    ".1.3.6.1.2.1.2.2.1.10.4 = Counter32: 9\r\n"        // 8 CR LF
                    ".1.3.6.1.2.1.2.2.1.10.99999999999 = INTEGER: 1\n"  // 9 arc too large
                    ".1.3.6.1.2.1.2.2.1.16.1 = Counter32: 1",           // 10 no final line break
                    {{"1.3.6.1.2.1.2.2.1.10.1", T::Counter32},
                     {"1.3.6.1.2.1.2.2.1.10.4", T::Counter32},
                     {"1.3.6.1.2.1.2.2.1.16.1", T::Counter32}},
                    "1-2, 4, 6-7, 9"},
        CaptureCase{
            "EveryWayNetSnmpPrintsTheTopOfTheTree",
            "1.3.6.1.2.1.1.3.0 = Timeticks: (1) 0:00:00.01\n"                      // -On -On without the dot
            "iso.3.6.1.2.1.2.2.1.10.1 = Counter32: 5\n"                            // net-snmp's default
            ".iso.org.dod.internet.mgmt.mib-2.2.2.1.10.2 = Counter32: 6\n"         // -Of
            "iso.org.dod.internet.private.enterprises.2021.4.5.0 = INTEGER: 7\n"   // -Of without the dot
            ".iso.org.dod.internet.mgmt.mib-2.system.sysName.0 = STRING: \"x\"\n"  // a name a MIB gives
            "org.3.6 = INTEGER: 1\n"                                               // org is not at the top
            "iso. = INTEGER: 1\n",
            {{"1.3.6.1.2.1.1.3.0", T::TimeTicks},
             {"1.3.6.1.2.1.2.2.1.10.1", T::Counter32},
             {"1.3.6.1.2.1.2.2.1.10.2", T::Counter32},
             {"1.3.6.1.4.1.2021.4.5.0", T::Integer}},
            "5-7"},
        CaptureCase{"StringThatNeverClosesBreaksOnlyItsLine",
                    ".1.3.6.1.2.1.1.3.0 = Timeticks: (1) 0:00:00.01\n"
                    ".1.3.6.1.2.1.1.1.0 = STRING: \"cut off\n"
                    ".1.3.6.1.2.1.1.5.0 = INTEGER: 3\n"
                    ".1.3.6.1.2.1.1.6.0 = INTEGER: 4\n",
                    {{"1.3.6.1.2.1.1.3.0", T::TimeTicks},
                     {"1.3.6.1.2.1.1.5.0", T::Integer},
                     {"1.3.6.1.2.1.1.6.0", T::Integer}},
                    "2"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReadCapture, LaterAnswerForTheSameOidWins) {
    DeviceAnswers answers;
    ReadWalkCapture(".1.3.6.1.2.1.1.3.0 = INTEGER: 1\n.1.3.6.1.2.1.1.3.0 = Timeticks: (1) 0:00:00.01\n",
                    answers);
    ASSERT_EQ(answers.Count(), 1u);
    EXPECT_EQ(*answers.Find(*ParseOid("1.3.6.1.2.1.1.3.0")), AnswerType::TimeTicks);
}

}  // namespace
