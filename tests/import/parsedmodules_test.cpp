#include "import/parsedmodules.h"

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "tempfolder.h"

namespace {

// One step of a run: a.mib taken by an import (of another file or as the chosen file), or the
// run done with the file it chose.
enum class Step { Take, Done };

struct ReleaseCase {
    const char* name;
    std::vector<Step> steps;  // all about a.mib
    bool kept;
    int filesParsed;
};

class ParsedModulesReleaseTest : public testing::TestWithParam<ReleaseCase> {};

// A run over a folder keeps the parses files share and drops those only their own import read,
// so that its memory follows the shared modules, not the files.
TEST_P(ParsedModulesReleaseTest, KeepsOnlyWhatAnotherImportTook) {
    const TempFolder folder;
    const std::string file = folder / "a.mib";
    std::ofstream(file, std::ios::binary) << "A-MIB DEFINITIONS ::= BEGIN\nEND\n";
    ParsedModules parsed;
    for (const Step step : GetParam().steps) {
        if (step == Step::Take) {
            EXPECT_EQ(parsed.Get(file, false)->moduleName, "A-MIB");
        } else {
            parsed.ReleaseUnshared(file);
        }
    }
    EXPECT_EQ(parsed.Kept(file) != nullptr, GetParam().kept);
    EXPECT_EQ(parsed.FilesParsed(), GetParam().filesParsed);
}

INSTANTIATE_TEST_SUITE_P(
    Import, ParsedModulesReleaseTest,
    testing::Values(ReleaseCase{"ChosenAloneIsDropped", {Step::Take, Step::Done}, false, 1},
                    ReleaseCase{
                        "ImportedBeforeItIsChosenIsKept", {Step::Take, Step::Take, Step::Done}, true, 1},
                    ReleaseCase{"ImportedAfterItWasChosenIsParsedAgainAndKept",
                                {Step::Take, Step::Done, Step::Take, Step::Take, Step::Done},
                                true,
                                2},
                    ReleaseCase{"NeverTakenIsNotParsed", {Step::Done}, false, 0}),
    [](const testing::TestParamInfo<ReleaseCase>& info) { return std::string(info.param.name); });

TEST(ImportParsedModules, TheStandardModuleIsNeverDropped) {
    const TempFolder folder;
    const std::string file = folder / "s.mib";
    std::ofstream(file, std::ios::binary) << "S-MIB DEFINITIONS ::= BEGIN\nEND\n";
    ParsedModules parsed;
    const auto* first = parsed.Get(file, true).get();
    parsed.ReleaseUnshared(file);
    EXPECT_EQ(parsed.Get(file, true).get(), first);
    EXPECT_EQ(parsed.FilesParsed(), 1);
}

}  // namespace
