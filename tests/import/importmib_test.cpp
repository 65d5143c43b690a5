#include "import/importmib.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "fixtureprograms.h"
#include "import/importrunner.h"
#include "import/modulelocator.h"
#include "library/oidfile.h"
#include "mib/mibfile.h"
#include "mib/sourcetext.h"
#include "shared_data.h"
#include "tempfolder.h"

namespace {

// One import of a fixture with tests/data/import as the working folder and stdmib as the second.
struct FixtureImport {
    toidfile library;
    std::vector<std::string> log;
    bool ok = false;
    std::map<std::string, const Toiddata*> byOid;

    explicit FixtureImport(const std::string& module) {
        library.LogLevel = 2;
        library.OnLog = [this](toidfile&, const std::string& line) { log.push_back(line); };
        const std::string folder = testdata::fixture("import").string() + "/";
        ok = ImportMib(library, folder + module + ".mib", folder,
                       testdata::programData("stdmib").string() + "/", FixturePrograms());
        for (int i = 0; i < library.Count(); ++i) byOid[library.Entries(i)->oid] = library.Entries(i);
    }
    const Toiddata* Entry(const std::string& oid) const {
        const auto found = byOid.find(oid);
        return found == byOid.end() ? nullptr : found->second;
    }
    bool Logged(const std::string& line) const {
        return std::find(log.begin(), log.end(), line) != log.end();
    }
};

const std::string Root = "1.3.6.1.4.1.99999";

struct EntryCase {
    std::string oid;
    std::string name;
    TMIBDataKind kind;
    TValueMode type;
    bool isunsigned;
    bool is64bit;
};

TEST(ImportMibFixture, MakesTheExpectedEntries) {
    FixtureImport run("FIXTURE-TABLES-MIB");
    ASSERT_TRUE(run.ok);
    constexpr auto Direct = TMIBDataKind::mkDirect, Table = TMIBDataKind::mkTable;
    constexpr auto Gauge = TValueMode::vmAbsolute, Delta = TValueMode::vmDiff;
    const std::string agent = "FIXTURE-TABLES-MIB|";
    const std::string disk = agent + "fx disk: #[" + Root + ".2.1.1]|";
    const std::vector<EntryCase> cases = {
        {Root + ".1.1.0", agent + "fx scalar group|fx load percent", Direct, Gauge, true, false},
        // A textual convention over Integer32 is converted, its flags from the convention.
        {Root + ".1.2.0", agent + "fx scalar group|fx level", Direct, Gauge, false, false},
        // Conventions and type assignments over Counter64 are 64-bit unsigned delta entries.
        {Root + ".1.4.0", agent + "fx scalar group|fx big", Direct, Delta, true, true},
        {Root + ".1.5.0", agent + "fx scalar group|fx wide", Direct, Delta, true, true},
        {Root + ".2.1.1", disk + "fx disk index", Table, Gauge, false, false},
        {Root + ".2.1.3", disk + "fx disk bytes", Table, Delta, true, true},
        // The augmenting row points at the index column of the augmented row.
        {Root + ".3.1.1", agent + "fx disk ext: #[" + Root + ".2.1.1]|fx disk ext errors", Table, Delta, true,
         false},
        // Two own indexes: the group suffix and the second-index suffix.
        {Root + ".4.1.3", agent + "fx link: #[" + Root + ".4.1.1]|fx link errors: #[" + Root + ".4.1.2]",
         Table, Delta, true, false},
        // The first index belongs to another table: its first string column is named.
        {Root + ".6.1.2", agent + "fx port: #[" + Root + ".2.1.2]|fx port speed: #[" + Root + ".6.1.1]",
         Table, Gauge, true, false},
    };
    for (const EntryCase& c : cases) {
        const Toiddata* entry = run.Entry(c.oid);
        ASSERT_NE(entry, nullptr) << c.oid;
        EXPECT_EQ(entry->name, c.name) << c.oid;
        EXPECT_EQ(entry->kind, c.kind) << c.oid;
        EXPECT_EQ(entry->type, c.type) << c.oid;
        EXPECT_EQ(entry->isunsigned, c.isunsigned) << c.oid;
        EXPECT_EQ(entry->is64bit, c.is64bit) << c.oid;
    }
    // The string scalar, the string column and the three-index table give nothing.
    for (const std::string& oid : {Root + ".1.3.0", Root + ".2.1.2", Root + ".5.1.1"})
        EXPECT_EQ(run.Entry(oid), nullptr) << oid;
    EXPECT_EQ(run.library.Count(), 14);

    const Toiddata* percent = run.Entry(Root + ".1.1.0");
    EXPECT_EQ(percent->units, "%");
    EXPECT_EQ(percent->max, 100);
    EXPECT_EQ(percent->description, "Load of the CPU in percent.");
    EXPECT_TRUE(run.Logged(
        "fxLoadPercent:  org(iso,?\?\?) -> dod(org,?\?\?) -> internet(dod,?\?\?) -> "
        "private(internet,?\?\?) -> enterprises(private,?\?\?) -> fixtureRoot(enterprises,?\?\?) -> "
        "fxScalarGroup(fixtureRoot,?\?\?) -> fxLoadPercent(fxScalarGroup,?\?\?) -> "))
        << "chain line";
}

TEST(ImportMibFixture, TruncatesDescriptionsOver4096) {
    FixtureImport run("FIXTURE-TABLES-MIB");
    const Toiddata* exact = run.Entry(Root + ".1.6.0");
    const Toiddata* cut = run.Entry(Root + ".1.7.0");
    ASSERT_TRUE(exact && cut);
    EXPECT_EQ(exact->description.size(), 4096u);
    EXPECT_EQ(cut->description.size(), 3909u);
    EXPECT_EQ(cut->description.substr(0, 3800), exact->description.substr(0, 3800));
    EXPECT_EQ(
        cut->description.substr(3800),
        " ###### This description is too long, entry was truncated. Please refer to the MIB file for more "
        "information!");
}

TEST(ImportMibFixture, ReportsUnrootedChainsAndMissingRows) {
    FixtureImport run("FIXTURE-BROKEN-MIB");
    EXPECT_FALSE(run.ok);
    const KeyedList& partial = run.library.ImportStats.PartialOids;
    // A missing parent: its name in front of the partial OID.
    ASSERT_NE(partial.Find("fxOrphan"), nullptr);
    EXPECT_EQ(*partial.Find("fxOrphan"), "fxNowhere.1.7.1");
    // Loops stop at the repeated symbol and count as not rooted.
    ASSERT_NE(partial.Find("fxInLoop"), nullptr);
    EXPECT_EQ(*partial.Find("fxInLoop"), "fxLoopA.1.2.1.3");
    ASSERT_NE(partial.Find("fxSelf"), nullptr);
    EXPECT_EQ(*partial.Find("fxSelf"), "OBJECT-TYPE");
    // Right under iso: resolved, but no entry.
    ASSERT_NE(run.library.ImportStats.ResolvedOids.Find("fxTop"), nullptr);
    EXPECT_EQ(*run.library.ImportStats.ResolvedOids.Find("fxTop"), "OBJECT-TYPE");
    EXPECT_TRUE(run.Logged("base table fxMissingEntrynot found"));
    EXPECT_TRUE(std::any_of(run.log.begin(), run.log.end(), [](const std::string& line) {
        return line.ends_with(
            ": fxNoTypeValue makes no entry: the type @sequence of its row fxNoTypeEntry is not found");
    }));

    // The orphan and the loop member make no entry: their partial OIDs would name other objects.
    // The column of the missing augmented row has no index of its own and is discarded.
    EXPECT_EQ(run.library.Count(), 0);
}

TEST(ImportMibFixture, ResolvesNamesInTheScopeOfTheirModule) {
    FixtureImport run("FIXTURE-SCOPE-MIB");
    ASSERT_TRUE(run.ok);
    const std::string root = "1.3.6.1.4.1.99996";
    const struct {
        const char* object;
        std::string oid;
        bool isunsigned;
    } cases[] = {
        {"own system, shadowing nothing", root + ".1.1.0", false},
        {"imported group under its own module's system", "1.3.6.1.4.1.99995.3.4.2.0", false},
        {"type from the module IMPORTS names", root + ".2.0", true},
        {"exact spelling of two differing in case", root + ".6.1.0", false},
        {"any case without an exact spelling", root + ".5.2.0", false},
    };
    for (const auto& c : cases) {
        const Toiddata* entry = run.Entry(c.oid);
        ASSERT_NE(entry, nullptr) << c.object << " " << c.oid;
        EXPECT_EQ(entry->isunsigned, c.isunsigned) << c.object;
    }
    EXPECT_EQ(run.library.Count(), 5);
}

// A name written with another number than its own keeps the OID it always made, and the log
// says which number counted and which did not.
TEST(ImportMibFixture, NameWithAContradictingNumberIsNoted) {
    struct Case {
        const char* value;
        const char* oid;   // of the object x below the value
        const char* note;  // "" when the numbers agree
    };
    const Case cases[] = {
        {"{ iso(2) org(7) 5 }", "1.7.5.1.0",
         "v: iso(2), but iso is 1: the OID follows the name iso and ignores 2\n"
         "v: org(7), but org is 3: the OID uses 7 and ignores 3 of the name"},
        {"{ enterprises(7) 5 }", "1.3.6.1.4.1.5.1.0",
         "v: enterprises(7), but enterprises is 1: the OID follows the name enterprises and ignores 7"},
        {"{ iso(1) org(3) dod(6) 9 }", "1.3.6.9.1.0", ""},
        {"{ enterprises 5 }", "1.3.6.1.4.1.5.1.0", ""},
        {"{ nowhere(7) 5 }", "", ""},  // a name defined nowhere has no number to contradict
    };
    for (const Case& c : cases) {
        TempFolder temp;
        const std::string folder = temp.path.string() + "/";
        std::ofstream(folder + "M-MIB.mib")
            << "M-MIB DEFINITIONS ::= BEGIN\nIMPORTS enterprises, org FROM VELTRANE-STANDARD-MIB;\nv OBJECT "
               "IDENTIFIER ::= "
            << c.value
            << "\nx OBJECT-TYPE SYNTAX INTEGER ACCESS read-only STATUS mandatory ::= { v 1 }\nEND\n";
        toidfile library;
        std::string notes;
        library.LogLevel = 1;
        library.OnLog = [&notes, &folder](toidfile&, const std::string& line) {
            if (line.starts_with(folder + "M-MIB.mib:3: v: "))
                notes += (notes.empty() ? "" : "\n") + line.substr(folder.size() + 13);
        };
        ImportMib(library, folder + "M-MIB.mib", folder, FixturePrograms().standardFolder, FixturePrograms());
        EXPECT_EQ(notes, c.note) << c.value;
        EXPECT_EQ(library.Count() == 1 ? library.Entries(0)->oid : "", c.oid) << c.value;
    }
}

TEST(ImportMibFixture, MissingModuleIsRaisedAtItsFromClause) {
    toidfile library;
    const std::string folder = testdata::fixture("import").string() + "/";
    const std::string file = folder + "FIXTURE-MISSING-MIB.mib";
    try {
        ImportMib(library, file, folder, testdata::programData("stdmib").string() + "/", FixturePrograms());
        FAIL() << "no error raised";
    } catch (const eparseexception& error) {
        EXPECT_EQ(error.Message, "Missing import module: NO-SUCH-MIB");
        EXPECT_EQ(error.FileName, file);
        EXPECT_EQ(LineOfPosition(error), 6);
        const std::string text = JoinLinesWithCrLf(ReadFileBytes(file));
        // Just after the module name.
        EXPECT_EQ(text.substr(error.Position - 1 - 11, 11), "NO-SUCH-MIB");
    }
    EXPECT_EQ(library.Count(), 0);
    EXPECT_TRUE(library.ImportStats.MissingFiles.Empty());
}

TEST(ProgramFiles, StandardFolderAndItsModuleFromOnePlace) {
    const ProgramFiles beside = ProgramFilesIn("/opt/ow");
    EXPECT_EQ(beside.standardFolder, "/opt/ow/stdmib/");
    EXPECT_EQ(beside.standardModule, "/opt/ow/stdmib/VELTRANE-STANDARD-MIB.mib");
    EXPECT_EQ(beside.replaceList, "/opt/ow/replacelist.txt");

    // The command line's --stdmib replaces the folder and with it the standard module, not the word list.
    const ProgramFiles overridden = ProgramFilesIn("/opt/ow/", "/home/u/std");
    EXPECT_EQ(overridden.standardFolder, "/home/u/std/");
    EXPECT_EQ(overridden.standardModule, "/home/u/std/VELTRANE-STANDARD-MIB.mib");
    EXPECT_EQ(overridden.replaceList, "/opt/ow/replacelist.txt");
}

TEST(ImportRunner, ReportsModuleSearchesAndGivesTheLibraryEventsBack) {
    toidfile library;
    int calls = 0;
    library.OnLog = [&calls](toidfile&, const std::string&) { ++calls; };
    library.LogLevel = 1;
    std::vector<std::string> searched;
    {
        ImportRunner runner;
        runner.OnModuleSearch = [&searched](toidfile&, const std::string& module, const std::string&) {
            searched.push_back(module);
        };
        const std::string folder = testdata::fixture("import").string() + "/";
        EXPECT_THROW(runner.Run(library, {folder + "FIXTURE-MISSING-MIB.mib"}, FixturePrograms()),
                     eparseexception);
        EXPECT_FALSE(runner.ImportLog.empty());
    }
    EXPECT_FALSE(searched.empty()) << "the missing module was searched for";
    EXPECT_FALSE(library.OnModuleSearch);
    EXPECT_EQ(library.LogLevel, 1);
    library.Log("after the runner");
    EXPECT_EQ(calls, 1);
}

// The headers read before a failing import are kept for the next run.
TEST(ImportRunner, SavesTheModuleIndexAlsoWhenTheImportFails) {
    const TempFolder temp;
    const std::string cache = temp / "oidwright";  // made by the first index saved, as in a user's cache
    const std::string folder = testdata::fixture("import").string() + "/";
    toidfile library;
    ImportRunner runner;
    runner.ModuleIndexFolder = cache;
    EXPECT_THROW(runner.Run(library, {folder + "FIXTURE-MISSING-MIB.mib"}, FixturePrograms()),
                 eparseexception);
    ModuleHeaders headers;
    headers.LoadIndex(ModuleIndexFile(cache, folder));
    EXPECT_EQ(FindModuleFile(ImportLogger(), "NO-SUCH-MIB", folder + "*.mib", headers), "");
    EXPECT_EQ(headers.FilesRead(), 0);
}

// The runner's log and module searches are what an import tells through the library's own events
// at LogLevel 2, with the library as sender: for a module found, one in scopes and one missing.
TEST(ImportRunner, LogsAndSearchesAsTheLibraryEventsTellThem) {
    const std::string folder = testdata::fixture("import").string() + "/";
    for (const char* module :
         {"FIXTURE-TABLES-MIB.mib", "FIXTURE-SCOPE-MIB.mib", "FIXTURE-MISSING-MIB.mib"}) {
        toidfile direct, run;
        std::vector<std::string> directLog, directSearches, runSearches;
        const auto searches = [](toidfile& library, std::vector<std::string>& searched) {
            return [&library, &searched](toidfile& sender, const std::string& name, const std::string& file) {
                EXPECT_EQ(&sender, &library);
                searched.push_back(name + " " + file);
            };
        };
        direct.LogLevel = 2;
        direct.OnLog = [&](toidfile& sender, const std::string& line) {
            EXPECT_EQ(&sender, &direct);
            directLog.push_back(line);
        };
        direct.OnModuleSearch = searches(direct, directSearches);
        ImportRunner runner;
        runner.OnModuleSearch = searches(run, runSearches);
        try {
            ImportMib(direct, folder + module, folder, FixturePrograms().standardFolder, FixturePrograms());
        } catch (const eparseexception&) {
        }
        try {
            runner.Run(run, {folder + module}, FixturePrograms());
        } catch (const eparseexception&) {
        }
        EXPECT_FALSE(directLog.empty()) << module;
        EXPECT_FALSE(directSearches.empty()) << module;
        EXPECT_EQ(runner.ImportLog, directLog) << module;
        EXPECT_EQ(runSearches, directSearches) << module;
    }
}

// Without the log the same library and reports come out, for a good and a broken module.
TEST(ImportRunner, WithoutTheLogImportsTheSame) {
    const std::string folder = testdata::fixture("import").string() + "/";
    for (const char* module : {"FIXTURE-TABLES-MIB.mib", "FIXTURE-BROKEN-MIB.mib"}) {
        toidfile logged, unlogged;
        int handlerCalls = 0;
        unlogged.OnLog = [&handlerCalls](toidfile&, const std::string&) { ++handlerCalls; };
        ImportRunner withLog, withoutLog;
        withoutLog.KeepLog = false;
        withLog.Run(logged, {folder + module}, FixturePrograms());
        withoutLog.Run(unlogged, {folder + module}, FixturePrograms());
        EXPECT_FALSE(withLog.ImportLog.empty()) << module;
        EXPECT_TRUE(withoutLog.ImportLog.empty()) << module;
        EXPECT_EQ(handlerCalls, 0) << module;
        EXPECT_EQ(withoutLog.Failed, withLog.Failed) << module;
        EXPECT_EQ(withoutLog.ImportReport, withLog.ImportReport) << module;
        EXPECT_EQ(unlogged.SaveToText(), logged.SaveToText()) << module;
    }
}

TEST(ImportRunner, SummarisesLikeTheLogWindow) {
    toidfile library;
    ImportRunner runner;
    const std::string folder = testdata::fixture("import").string() + "/";
    runner.Run(library, {folder + "FIXTURE-TABLES-MIB.mib", folder + "FIXTURE-TABLES-MIB.mib"},
               FixturePrograms());
    EXPECT_FALSE(runner.Failed);
    EXPECT_EQ(library.Count(), 14);  // the second import adds nothing twice
    const std::vector<std::string> lines = runner.SummaryLines();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], "Import successful!");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "Report for " + folder + "FIXTURE-TABLES-MIB.mib:");
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "OIDs that were useful for Zelto: 14"), 2);
    EXPECT_EQ(runner.ReportLines(), lines) << "a run that succeeds shows no log in its summary";

    runner.Run(library, {folder + "FIXTURE-BROKEN-MIB.mib"}, FixturePrograms());
    EXPECT_TRUE(runner.Failed);
    const std::vector<std::string> failed = runner.SummaryLines();
    const auto warning =
        std::find(failed.begin(), failed.end(),
                  "Something went wrong. Please check if all needed include/import files are in "
                  "the stdmib or working path.");
    ASSERT_NE(warning, failed.end());
    EXPECT_EQ(*(warning - 1), "");
    EXPECT_EQ(*(warning + 1), "Adding Importlog:");
    EXPECT_EQ(*(warning + 2), "Load: " + folder + "FIXTURE-BROKEN-MIB.mib");
    EXPECT_EQ(failed.back(), "");
    // The window shows the log below the report lines: they are the summary up to "Adding Importlog:".
    const std::vector<std::string> report = runner.ReportLines();
    EXPECT_EQ(report, std::vector<std::string>(failed.begin(), warning + 2));
    EXPECT_EQ(report.size() + runner.ImportLog.size() + 1, failed.size());
}

// A module with many objects cannot make the log outgrow memory: it stops at its limit, with a
// last line that says so, and the next run starts a new log.
TEST(ImportRunner, LogIsCutAtItsLimit) {
    const std::string folder = testdata::fixture("import").string() + "/";
    ImportRunner full, cut;
    toidfile first;
    full.Run(first, {folder + "FIXTURE-TABLES-MIB.mib"}, FixturePrograms());
    cut.MaxLogBytes = 100;
    for (int run = 0; run < 2; ++run) {
        toidfile second;
        cut.Run(second, {folder + "FIXTURE-TABLES-MIB.mib"}, FixturePrograms());
        ASSERT_LT(cut.ImportLog.size(), full.ImportLog.size());
        std::size_t kept = 0;
        for (std::size_t i = 0; i + 1 < cut.ImportLog.size(); ++i) {
            EXPECT_EQ(cut.ImportLog[i], full.ImportLog[i]);
            kept += cut.ImportLog[i].size();
        }
        EXPECT_LE(kept, 100u);
        EXPECT_EQ(cut.ImportLog.back(), "The import log is cut here: it keeps at most 100 bytes.");
        EXPECT_EQ(cut.ImportReport, full.ImportReport);
    }
}

TEST(ImportRunner, BeforeFileSeesEachFileAndCanEndTheRun) {
    const std::string folder = testdata::fixture("import").string() + "/";
    const std::vector<std::string> files = {folder + "FIXTURE-TABLES-MIB.mib",
                                            folder + "FIXTURE-BROKEN-MIB.mib"};
    // Files imported before the hook ends the run; entries, reports and soft failure of those.
    for (const auto& [filesToImport, entries, reports, failed] :
         std::initializer_list<std::tuple<size_t, int, long, bool>>{
             {2, 14, 2, true}, {1, 14, 1, false}, {0, 0, 0, false}}) {
        toidfile library;
        ImportRunner runner;
        std::vector<std::string> seen;
        runner.BeforeFile = [&](const std::string& file) {
            seen.push_back(file);
            return seen.size() <= filesToImport;
        };
        runner.Run(library, files, FixturePrograms());
        EXPECT_EQ(seen, std::vector<std::string>(files.begin(),
                                                 files.begin() + std::min(filesToImport + 1, files.size())));
        EXPECT_EQ(library.Count(), entries) << filesToImport;
        EXPECT_EQ(std::count_if(runner.ImportReport.begin(), runner.ImportReport.end(),
                                [](const std::string& line) { return line.starts_with("Report for "); }),
                  reports);
        EXPECT_EQ(runner.Failed, failed);
    }
}

}  // namespace
