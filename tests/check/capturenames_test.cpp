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
    EXPECT_EQ(reading.skippedLines.empty(), !c.oids.empty()) << "one line per case that is not read";
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
        NameCase{"QuotedIndex", Fixture, "FIXTURE-CHECK-MIB::fxcPortInPkts.\"eth0\" = INTEGER: 1\n", {}, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CaptureNames, ACaptureOfNumbersParsesNoModule) {
    ModuleOidNames names(Fixture, Folder, Program);
    DeviceAnswers answers;
    ReadWalkCapture(".1.3.6.1.4.1.99998.1.1.0 = Counter32: 7\niso.3.6.1.4.1.99998.1.2.0 = INTEGER: 1\n",
                    answers, &names);
    EXPECT_EQ(answers.Count(), 2u);
    EXPECT_EQ(names.FilesParsed(), 0);
}

}  // namespace
