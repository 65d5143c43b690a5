// Captures that print names: read through the modules the library came from.

#include <gtest/gtest.h>

#include <map>

#include "check/checkreport.h"
#include "check/devicecheck.h"
#include "check/walkcapture.h"
#include "import/modulenames.h"
#include "library/oidfile.h"
#include "localagent.h"
#include "shared_data.h"

namespace {

const std::string Stdmib = testdata::programData("stdmib").string();
const ProgramFiles Program{Stdmib + "/", Stdmib + "/VELTRANE-STANDARD-MIB.mib",
                           "/nonexistent/replacelist.txt"};
const std::string CheckFolder = testdata::fixture("check").string() + "/";

// The answered entries' OIDs with their rows.
std::map<std::string, int> Answered(const toidfile& library, const std::string& capture, OidNames* names,
                                    CaptureReading& reading) {
    DeviceAnswers answers;
    reading = ReadWalkCapture(capture, answers, names);
    const CheckResult result = MatchEntries(library, answers);
    std::map<std::string, int> answered;
    for (int i = 0; i < library.Count(); ++i)
        if (result.entries[static_cast<std::size_t>(i)].answered)
            answered[library.Entries(i)->oid] = result.entries[static_cast<std::size_t>(i)].rows;
    return answered;
}

struct FormCase {
    const char* name;
    const char* capture;
};

class NamedCapture : public ::testing::TestWithParam<FormCase> {};

// The same walk printed as net-snmp prints it with MIBs (default, -Of, -Os) answers what -On does.
TEST_P(NamedCapture, AnswersWhatTheNumericCaptureAnswers) {
    toidfile library;
    ImportModules(CheckFolder, {"FIXTURE-CHECK-MIB"}, Stdmib, library);
    ASSERT_EQ(library.Count(), 5);
    CaptureReading reading;
    ModuleOidNames numericNames(LibraryModules(library), CheckFolder, Program);
    const auto expected = Answered(library,
                                   ".1.3.6.1.4.1.99998.1.1.0 = Counter32: 7\n"
                                   ".1.3.6.1.4.1.99998.2.1.2.1 = Counter32: 10\n"
                                   ".1.3.6.1.4.1.99998.2.1.2.2 = Counter32: 11\n",
                                   &numericNames, reading);
    EXPECT_EQ(numericNames.FilesParsed(), 0) << "a capture of numbers parses no module";
    ASSERT_EQ(expected.size(), 2u);

    ModuleOidNames names(LibraryModules(library), CheckFolder, Program);
    EXPECT_EQ(Answered(library, GetParam().capture, &names, reading), expected);
    EXPECT_TRUE(reading.skippedLines.empty());
    EXPECT_TRUE(names.Problems().empty()) << names.Problems().front();
}

INSTANTIATE_TEST_SUITE_P(
    Forms, NamedCapture,
    ::testing::Values(
        FormCase{"ModuleAndName",
                 "FIXTURE-CHECK-MIB::fxcPackets.0 = Counter32: 7\n"
                 "FIXTURE-CHECK-MIB::fxcPortInPkts.1 = Counter32: 10\n"
                 "FIXTURE-CHECK-MIB::fxcPortInPkts.2 = Counter32: 11\n"},
        FormCase{
            "FullNames",
            ".iso.org.dod.internet.private.enterprises.fxCheck.fxcScalars.fxcPackets.0 = Counter32: 7\n"
            ".iso.org.dod.internet.private.enterprises.fxCheck.fxcPortTable.fxcPortEntry.fxcPortInPkts.1 = "
            "Counter32: 10\n"
            ".iso.org.dod.internet.private.enterprises.fxCheck.fxcPortTable.fxcPortEntry.fxcPortInPkts.2 = "
            "Counter32: 11\n"},
        FormCase{"ShortNamesAndNumbersMixed",
                 "fxcPackets.0 = Counter32: 7\n"
                 "iso.3.6.1.4.1.99998.2.1.2.1 = Counter32: 10\n"
                 "fxcPortEntry.2.2 = Counter32: 11\n"}),
    [](const auto& info) { return std::string(info.param.name); });

struct NameCase {
    const char* name;
    std::vector<std::string> searched;  // the library's modules
    const char* line;
    const char* oid;      // "" when the line cannot be read
    std::string problem;  // what Problems() says, "" for nothing
};

class CaptureName : public ::testing::TestWithParam<NameCase> {};

TEST_P(CaptureName, IsReadOrCountedAsUnreadable) {
    const NameCase& c = GetParam();
    ModuleOidNames names(c.searched, CheckFolder, Program);
    DeviceAnswers answers;
    const CaptureReading reading = ReadWalkCapture(std::string(c.line) + " = INTEGER: 1\n", answers, &names);
    if (*c.oid != '\0') {
        ASSERT_EQ(reading.variables, 1u);
        EXPECT_EQ(FormatOid(answers.Values().begin()->first), c.oid);
    } else {
        EXPECT_EQ(reading.skippedLines, std::vector<int>{1});
    }
    const std::vector<std::string> problems = names.Problems();
    if (c.problem.empty()) {
        EXPECT_TRUE(problems.empty()) << problems.front();
    } else {
        ASSERT_EQ(problems.size(), 1u);
        EXPECT_NE(problems.front().find(c.problem), std::string::npos) << problems.front();
    }
}

const std::vector<std::string> Fixture{"FIXTURE-CHECK-MIB"};
const std::vector<std::string> Twins{"FIXTURE-CHECK-MIB", "FIXTURE-CHECK-TWIN-MIB"};

INSTANTIATE_TEST_SUITE_P(
    Names, CaptureName,
    ::testing::Values(
        NameCase{"UnknownModule", Fixture, "NO-SUCH-MIB::fxcPackets.0", "",
                 "NO-SUCH-MIB is in neither " + CheckFolder + " nor " + Stdmib + "/: its names are not read"},
        NameCase{"UnknownName", Fixture, "FIXTURE-CHECK-MIB::fxcNothing.0", "", ""},
        NameCase{"NameOfAnotherModule", Fixture, "SNMPv2-SMI::fxcPackets.0", "", ""},
        NameCase{"TopOfTreeThroughItsModule",
                 {},
                 "SNMPv2-SMI::enterprises.99998.1.1.0",
                 "1.3.6.1.4.1.99998.1.1.0",
                 ""},
        NameCase{"ModuleThatDoesNotParse", Fixture, "FIXTURE-CHECK-BROKEN-MIB::fxbRoot.0", "",
                 "FIXTURE-CHECK-BROKEN-MIB.mib:"},
        NameCase{"NameOfTwoOids", Twins, "fxcLevel.0", "", ""},
        NameCase{"NameOfTwoOidsWithItsModule", Twins, "FIXTURE-CHECK-TWIN-MIB::fxcLevel.0",
                 "1.3.6.1.4.1.99997.1.0", ""},
        NameCase{"LibraryModuleMissing", {"GONE-MIB"}, "fxcPackets.0", "", "GONE-MIB is in neither"},
        NameCase{"PathAsModule", Fixture, "../check/FIXTURE-CHECK-MIB::fxcPackets.0", "", ""},
        NameCase{"ModuleWithNameBelowIt", Fixture, "FIXTURE-CHECK-MIB::fxCheck.fxcScalars.1", "", ""},
        NameCase{"QuotedIndex", Fixture, "FIXTURE-CHECK-MIB::fxcPortInPkts.\"eth0\"", "", ""},
        NameCase{"FullNameAboveTheModule", Fixture, ".iso.org.dod.internet.private.enterprises.fxCheck.9",
                 "1.3.6.1.4.1.99998.9", ""}),
    [](const auto& info) { return std::string(info.param.name); });

// The modules whose names could not be read are named once, in the report and in the message of
// a capture of which nothing could be read.
TEST(NamedCapture, ModulesNotReadAreNamedInTheReports) {
    toidfile library;
    ImportModules(CheckFolder, {"FIXTURE-CHECK-MIB"}, Stdmib, library);
    const std::string capture = ::testing::TempDir() + "/named.walk";
    std::FILE* file = std::fopen(capture.c_str(), "w");
    std::fputs("NO-SUCH-MIB::x.1 = INTEGER: 1\nNO-SUCH-MIB::y.1 = INTEGER: 1\n", file);
    std::fclose(file);
    ModuleOidNames names(LibraryModules(library), CheckFolder, Program);
    try {
        CheckAgainstCapture(library, capture, &names);
        FAIL() << "nothing of the capture is readable";
    } catch (const CheckError& error) {
        EXPECT_NE(std::string(error.what()).find("always read.\nNO-SUCH-MIB is in neither"),
                  std::string::npos)
            << error.what();
    }
    file = std::fopen(capture.c_str(), "a");
    std::fputs("FIXTURE-CHECK-MIB::fxcPackets.0 = Counter32: 7\n", file);
    std::fclose(file);
    ModuleOidNames again(LibraryModules(library), CheckFolder, Program);
    const CheckResult result = CheckAgainstCapture(library, capture, &again);
    ASSERT_EQ(result.unreadModules.size(), 1u);
    const std::vector<std::string> lines = CheckReportLines(library, result);
    EXPECT_EQ(lines[lines.size() - 3], result.unreadModules.front());
    EXPECT_NE(CheckReportJson(library, result).find("\"unreadModules\": [\"NO-SUCH-MIB is in neither"),
              std::string::npos);
}

// Names of real modules: SNMPv2-MIB and IF-MIB as net-snmp prints them.
TEST(NamedCapture, RealModulesAnswerAsNumbers) {
    SKIP_WITHOUT_SHARED(mibs, "mibs");
    toidfile library;
    ImportModules(mibs.string(), {"SNMPv2-MIB", "IF-MIB"}, Stdmib, library);
    ASSERT_GT(library.Count(), 30);
    CaptureReading reading;
    const auto numeric = Answered(library,
                                  ".1.3.6.1.2.1.1.3.0 = Timeticks: (4711) 0:00:47.11\n"
                                  ".1.3.6.1.2.1.2.1.0 = INTEGER: 2\n"
                                  ".1.3.6.1.2.1.2.2.1.10.1 = Counter32: 5\n"
                                  ".1.3.6.1.2.1.2.2.1.10.2 = Counter32: 6\n"
                                  ".1.3.6.1.2.1.31.1.1.1.6.1 = Counter64: 7\n",
                                  nullptr, reading);
    ASSERT_EQ(numeric.size(), 4u);
    ModuleOidNames names(LibraryModules(library), mibs.string(), Program);
    EXPECT_EQ(
        Answered(library,
                 "SNMPv2-MIB::sysUpTime.0 = Timeticks: (4711) 0:00:47.11\n"
                 "IF-MIB::ifNumber.0 = INTEGER: 2\n"
                 "IF-MIB::ifInOctets.1 = Counter32: 5\n"
                 ".iso.org.dod.internet.mgmt.mib-2.interfaces.ifTable.ifEntry.ifInOctets.2 = Counter32: 6\n"
                 ".iso.org.dod.internet.mgmt.mib-2.ifMIB.ifMIBObjects.ifXTable.ifXEntry.ifHCInOctets.1 = "
                 "Counter64: 7\n",
                 &names, reading),
        numeric);
    EXPECT_TRUE(reading.skippedLines.empty());
}

}  // namespace
