// An incomplete import names its true cause: a type defined nowhere is not a parent chain that
// misses the root, and an OID deeper than SNMP allows is neither.

#include "import/incompletecauses.h"

#include <gtest/gtest.h>

#include <fstream>

#include "fixtureprograms.h"
#include "import/importmib.h"
#include "import/importrunner.h"
#include "library/oidfile.h"
#include "tempfolder.h"

namespace {

// A module of one counter below the given OID assignments; syntax is the counter's.
std::string CauseModule(const std::string& assignments, const std::string& parent,
                        const std::string& syntax) {
    return "CAUSE-MIB DEFINITIONS ::= BEGIN\n"
           "IMPORTS enterprises, Counter32 FROM SNMPv2-SMI;\n"
           "cRoot OBJECT IDENTIFIER ::= { enterprises 99991 }\n" +
           assignments + "cValue OBJECT-TYPE\n    SYNTAX " + syntax +
           "\n    MAX-ACCESS read-only\n    STATUS current\n    DESCRIPTION \"A value.\"\n    ::= { " +
           parent + " 1 }\nEND\n";
}

// n nested OBJECT IDENTIFIERs below cRoot; the innermost is c<n>.
std::string Ladder(int n) {
    std::string text;
    for (int i = 1; i <= n; ++i)
        text += "c" + std::to_string(i) + " OBJECT IDENTIFIER ::= { " +
                (i == 1 ? "cRoot" : "c" + std::to_string(i - 1)) + " 1 }\n";
    return text;
}

struct CauseCase {
    const char* name;
    std::string module;
    std::vector<std::string> causes;  // empty for a complete import
};

class IncompleteCauses : public testing::TestWithParam<CauseCase> {};

TEST_P(IncompleteCauses, AreNamedOnceEachAfterTheReports) {
    const CauseCase& c = GetParam();
    const TempFolder folder;
    std::ofstream(folder / "CAUSE-MIB.mib") << c.module;
    toidfile library;
    ImportRunner runner;
    runner.Run(library, {folder / "CAUSE-MIB.mib"}, FixturePrograms());
    EXPECT_EQ(runner.Failed, !c.causes.empty());
    EXPECT_EQ(runner.IncompleteCauses, c.causes);
    const std::vector<std::string> lines = runner.SummaryLines();
    const std::string line = c.causes.empty() ? "" : "The import is incomplete: " + c.causes[0] + ".";
    EXPECT_EQ(runner.IncompleteLine(), line);
    if (!line.empty()) EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end());
}

const CauseCase causeCases[] = {
    {"Complete", CauseModule("", "cRoot", "Counter32"), {}},
    {"UnknownType", CauseModule("", "cRoot", "Countr32"), {"unknown type Countr32"}},
    {"UndefinedParent", CauseModule("", "cNowhere", "Counter32"), {incompletecauses::UndefinedParent}},
    {"ParentLoop",
     CauseModule("cA OBJECT IDENTIFIER ::= { cB 1 }\ncB OBJECT IDENTIFIER ::= { cA 1 }\n", "cB", "Counter32"),
     {incompletecauses::ParentLoop}},
    // enterprises is 1.3.6.1.4.1 and cRoot one more: 120 more arcs and the value make 128.
    {"DeepestAllowed", CauseModule(Ladder(120), "c120", "Counter32"), {}},
    {"TooDeep", CauseModule(Ladder(140), "c140", "Counter32"), {incompletecauses::TooDeep()}},
};

INSTANTIATE_TEST_SUITE_P(Import, IncompleteCauses, testing::ValuesIn(causeCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(IncompleteCauses, TheSummaryNamesThreeAndCountsTheRest) {
    EXPECT_EQ(incompletecauses::Summary({"a"}), "a");
    EXPECT_EQ(incompletecauses::Summary({"a", "b", "c"}), "a; b; c");
    EXPECT_EQ(incompletecauses::Summary({"a", "b", "c", "d", "e"}), "a; b; c and 2 more");
}

}  // namespace
