// What an import says about what it leaves out: numeric objects that make no entry, types
// defined nowhere, every missing module, and entries a repeated import would add twice.
#include <gtest/gtest.h>

#include <algorithm>

#include "fixtureprograms.h"
#include "import/importmib.h"
#include "import/importrunner.h"
#include "library/oidfile.h"
#include "mib/parseexception.h"
#include "mib/sourcetext.h"
#include "shared_data.h"

namespace {

const std::string Folder = testdata::fixture("import").string() + "/";
const std::string StandardFolder = testdata::programData("stdmib").string() + "/";

struct LoggedImport {
    toidfile library;
    std::vector<std::string> log;
    bool ok = false;

    explicit LoggedImport(const std::string& module) {
        library.OnLog = [this](toidfile&, const std::string& line) { log.push_back(line); };
        ok = ImportMib(library, Folder + module + ".mib", Folder, StandardFolder, FixturePrograms());
    }
    // The log lines that say why an object made no entry, in the order logged.
    std::vector<std::string> NoEntryLines() const {
        std::vector<std::string> lines;
        std::copy_if(log.begin(), log.end(), std::back_inserter(lines), [](const std::string& line) {
            return line.find(" makes no entry: ") != std::string::npos ||
                   line.find(" type ") != std::string::npos;
        });
        return lines;
    }
};

// "FILE:LINE: " of the line where "name OBJECT-TYPE" stands in a fixture.
std::string WhereDefined(const std::string& file, const std::string& name) {
    const std::string text = JoinLinesWithCrLf(ReadFileBytes(file));
    const std::size_t at = text.find("\n" + name + " OBJECT-TYPE");
    return file + ":" + std::to_string(LineOfPosition(text, static_cast<int32_t>(at) + 2)) + ": ";
}

struct NoEntryCase {
    std::string object;
    std::string reason;
};

void ExpectNoEntryLines(const LoggedImport& run, const std::string& module,
                        const std::vector<NoEntryCase>& cases) {
    const std::string file = Folder + module + ".mib";
    std::vector<std::string> expected;
    for (const auto& c : cases)
        expected.push_back(WhereDefined(file, c.object) + c.object + " makes no entry: " + c.reason);
    EXPECT_EQ(run.NoEntryLines(), expected);
    EXPECT_EQ(run.library.ImportStats.NoEntryObjects, static_cast<int>(cases.size()));
}

TEST(NoEntry, EachReasonIsLoggedInTheModulesOrder) {
    LoggedImport run("FIXTURE-NOENTRY-MIB");
    EXPECT_TRUE(run.ok);
    ExpectNoEntryLines(
        run, "FIXTURE-NOENTRY-MIB",
        {{"fxHidden", "MAX-ACCESS not-accessible: an agent never returns it"},
         {"fxNotifyOnly", "MAX-ACCESS accessible-for-notify: an agent never returns it"},
         {"fxWriteOnly", "ACCESS write-only: an agent never returns it"},
         {"fxUnderRoot", "its parent is the root iso itself"},
         {"fxTripleA", "its row fxTripleEntry has three or more index columns"},
         {"fxPairA", "the second index fxTripleB of its row fxPairEntry is not a column of that row"},
         {"fxLostValue", "the index fxUndefinedIndex of its row fxLostEntry is defined nowhere"},
         {"fxStrayValue", "the row of the index fxStrayIndex of its row fxStrayUserEntry is not found"}});
    // The report counts what was made: one useful entry, every object still resolved.
    ASSERT_EQ(run.library.Count(), 1);
    EXPECT_EQ(run.library.Entries(0)->oid, "1.3.6.1.4.1.99990.1.1.0");
    EXPECT_EQ(run.library.ImportStats.UsefulOids.Count(), 1);
    EXPECT_NE(run.library.ImportStats.ResolvedOids.Find("fxHidden"), nullptr);
}

TEST(NoEntry, UnrootedChainsAndMissingRowsAreLoggedWithTheirReason) {
    LoggedImport run("FIXTURE-BROKEN-MIB");
    EXPECT_FALSE(run.ok);
    ExpectNoEntryLines(
        run, "FIXTURE-BROKEN-MIB",
        {{"fxOrphan", "its parent fxNowhere is defined nowhere, so its OID does not reach iso"},
         {"fxInLoop", "its parents loop back at fxLoopA and never reach iso"},
         {"fxSelf", "its parents loop back at fxSelf and never reach iso"},
         {"fxTop", "its parent is the root iso itself"},
         {"fxGoneValue", "the row fxMissingEntry that its row fxGoneEntry augments is not found"},
         {"fxNoTypeValue", "the type @sequence of its row fxNoTypeEntry is not found"}});
    EXPECT_EQ(run.library.Count(), 0);
}

TEST(NoEntry, ATypeDefinedNowhereIsASoftFailureAtItsLine) {
    LoggedImport run("FIXTURE-TYPO-MIB");
    EXPECT_FALSE(run.ok);
    const std::string file = Folder + "FIXTURE-TYPO-MIB.mib";
    EXPECT_EQ(run.NoEntryLines(),
              (std::vector<std::string>{file + ":17: unknown type Countr32 of ifInOctets",
                                        file + ":27: circular type FxLoopA of fxLooped"}));
    EXPECT_EQ(run.library.ImportStats.NoEntryObjects, 2);
    // The report names the type; the object spelt right is imported.
    EXPECT_NE(run.library.ImportStats.NotFoundOids.Find("Countr32"), nullptr);
    ASSERT_EQ(run.library.Count(), 1);
    EXPECT_EQ(run.library.Entries(0)->oid, "1.3.6.1.4.1.99989.1.0");
}

TEST(NoEntry, TheRunnerSumsTheObjectsAfterTheReports) {
    toidfile library;
    ImportRunner runner;
    runner.Run(library, {Folder + "FIXTURE-NOENTRY-MIB.mib", Folder + "FIXTURE-TYPO-MIB.mib"},
               FixturePrograms());
    EXPECT_TRUE(runner.Failed);
    const std::string line = "10 numeric objects made no entry (see the full log for each one and why)";
    EXPECT_EQ(runner.NoEntryLine(), line);
    const std::vector<std::string> lines = runner.SummaryLines();
    const auto at = std::find(lines.begin(), lines.end(), line);
    ASSERT_NE(at, lines.end());
    EXPECT_EQ(*(at - 1), runner.ImportReport.back());
    // The true cause stands before the warning about include files.
    EXPECT_EQ(*(at + 1), "The import is incomplete: unknown type Countr32; circular type FxLoopA.");
    EXPECT_EQ(*(at + 3),
              "Something went wrong. Please check if all needed include/import files are in the "
              "stdmib or working path.");

    runner.Run(library, {Folder + "FIXTURE-SCOPE-MIB.mib"}, FixturePrograms());
    EXPECT_EQ(runner.NoEntryLine(), "");
    EXPECT_EQ(runner.SummaryLines().back(), runner.ImportReport.back());
}

TEST(MissingModules, AllAreNamedWithTheirImporterAndTheFoldersSearched) {
    toidfile library;
    const std::string file = Folder + "FIXTURE-MISSING-TWO-MIB.mib";
    try {
        ImportMib(library, file, Folder, StandardFolder, FixturePrograms());
        FAIL() << "no error raised";
    } catch (const eparseexception& error) {
        // The first missing module's error as ever.
        EXPECT_EQ(error.Message, "Missing import module: NO-SUCH-MIB");
        EXPECT_EQ(error.FileName, file);
        EXPECT_EQ(LineOfPosition(error), 7);
        const std::string searched =
            ", imported by FIXTURE-MISSING-TWO-MIB, is in neither " + Folder + " nor " + StandardFolder;
        EXPECT_EQ(error.Details,
                  (std::vector<std::string>{"NO-SUCH-MIB" + searched, "ALSO-ABSENT-MIB" + searched}));
    }
    EXPECT_EQ(library.Count(), 0);
}

TEST(RepeatedImport, AddsNoEntryThatIsInTheLibraryAlready) {
    toidfile library;
    std::vector<std::string> log;
    library.OnLog = [&log](toidfile&, const std::string& line) { log.push_back(line); };
    const std::string file = Folder + "FIXTURE-TABLES-MIB.mib";
    ASSERT_TRUE(ImportMib(library, file, Folder, StandardFolder, FixturePrograms()));
    const int once = library.Count();
    // An entry renamed by hand, and one whose OID was changed, are not the same entries.
    library.Entries(0)->name += " (mine)";
    library.Entries(1)->oid += ".9";
    log.clear();
    ASSERT_TRUE(ImportMib(library, file, Folder, StandardFolder, FixturePrograms()));
    EXPECT_EQ(library.Count(), once + 2);
    EXPECT_NE(
        std::find(log.begin(), log.end(),
                  std::to_string(once - 2) + " entries were in the library already and were not added again"),
        log.end());
    // The report still tells what the module holds.
    EXPECT_EQ(library.ImportStats.UsefulOids.Count(), once);
}

}  // namespace
