// Importing a module again: the entries of the library with the import's agent and OID are kept or
// replaced, never doubled, and those the MIB no longer defines are listed.
#include "import/mergeimport.h"

#include <gtest/gtest.h>

#include "fixtureprograms.h"
#include "import/importmib.h"
#include "library/oidfile.h"

namespace {

const std::string Folder = testdata::fixture("import").string() + "/";
const std::string StandardFolder = testdata::programData("stdmib").string() + "/";

// "name=oid" lines in and out of a library.
void Fill(toidfile& library, const std::vector<std::string>& entries) {
    for (const std::string& line : entries) {
        auto entry = std::make_unique<Toiddata>();
        entry->name = line.substr(0, line.find('='));
        entry->oid = line.substr(line.find('=') + 1);
        library.Add(std::move(entry));
    }
}

std::vector<std::string> Lines(const toidfile& library) {
    std::vector<std::string> lines;
    for (int i = 0; i < library.Count(); ++i)
        lines.push_back(library.Entries(i)->name + "=" + library.Entries(i)->oid);
    return lines;
}

TEST(MergeImport, KeepsOrReplacesWhatTheLibraryHasAndAddsTheRest) {
    struct Counts {
        int existing, added, kept, replaced, removed, repeated;
        bool operator==(const Counts&) const = default;
    };
    struct Case {
        const char* what;
        std::vector<std::string> library, imported;
        ExistingChoice choice;
        std::vector<std::string> after;
        Counts counts;
        std::vector<std::string> noLongerDefined;
    };
    const std::vector<std::string> two = {"A|g|x=1.1", "A|g|y=1.2"};
    const ExistingChoice keep = ExistingChoice::Keep, replace = ExistingChoice::Replace;
    // clang-format off
    for (const Case& c : std::vector<Case>{
             {"into an empty library", {}, two, keep, two, {0, 2, 0, 0, 0, 0}, {}},
             {"a renamed entry is kept", {"A|g|mine=1.1"}, two, keep,
              {"A|g|mine=1.1", "A|g|y=1.2"}, {1, 1, 1, 0, 0, 0}, {}},
             {"a renamed entry is replaced where it stands", {"B|g|z=1.1", "A|g|mine=1.1", "C|g|z=1.1"}, two, replace,
              {"B|g|z=1.1", "A|g|x=1.1", "C|g|z=1.1", "A|g|y=1.2"}, {1, 1, 0, 1, 0, 0}, {}},
             {"another module's entry of the same OID is not the same", {"B|g|x=1.1"}, {"A|g|x=1.1"}, replace,
              {"B|g|x=1.1", "A|g|x=1.1"}, {0, 1, 0, 0, 0, 0}, {}},
             {"doubles an older import left stay when kept", {"A|g|x=1.1", "A|h|x2=1.1"}, {"A|g|x=1.1"}, keep,
              {"A|g|x=1.1", "A|h|x2=1.1"}, {1, 0, 1, 0, 0, 0}, {}},
             {"doubles an older import left go when replaced", {"A|h|x2=1.1", "A|g|other=1.5", "A|g|x=1.1"},
              {"A|g|x=1.1", "A|g|other=1.5"}, replace, {"A|g|x=1.1", "A|g|other=1.5"}, {2, 0, 0, 2, 1, 0}, {}},
             {"one OID made twice by the import comes once", {}, {"A|g|x=1.1", "A|g|x again=1.1"}, keep,
              {"A|g|x=1.1"}, {0, 1, 0, 0, 0, 1}, {}},
             {"objects the MIB no longer defines are listed and stay",
              {"A|g|old=1.9", "A|g|x=1.1", "B|g|z=1.9", "A|g|mine=7"}, {"A|g|x=1.1"}, replace,
              {"A|g|old=1.9", "A|g|x=1.1", "B|g|z=1.9", "A|g|mine=7"}, {1, 0, 0, 1, 0, 0},
              {"A|g|old (1.9)", "A|g|mine (7)"}}}) {
        // clang-format on
        toidfile library, imported;
        Fill(library, c.library);
        Fill(imported, c.imported);
        const int existing = CountExisting(library, imported);
        const MergeResult merged = MergeImport(library, imported, c.choice);
        EXPECT_EQ(Lines(library), c.after) << c.what;
        EXPECT_EQ(imported.Count(), 0) << c.what;
        EXPECT_TRUE((Counts{existing, merged.added, merged.kept, merged.replaced, merged.removed,
                            merged.repeated} == c.counts))
            << c.what;
        EXPECT_EQ(merged.noLongerDefined, c.noLongerDefined) << c.what;
        EXPECT_EQ(merged.changedLibrary(), c.counts.added + c.counts.replaced + c.counts.removed > 0)
            << c.what;
    }
}

TEST(MergeImport, ReportSaysWhatWasDone) {
    MergeResult merged;
    merged.added = 12;
    EXPECT_TRUE(merged.ReportLines().empty()) << "a first import of its modules reads as ever";
    merged.kept = 35;
    EXPECT_EQ(merged.ReportLines(),
              std::vector<std::string>{
                  "Entries: 12 added, 35 kept as they were in the library, 0 replaced by the import"});
    merged.removed = 1;
    merged.repeated = 2;
    merged.noLongerDefined = {"A|g|old (1.9)"};
    EXPECT_EQ(merged.ReportLines(),
              (std::vector<std::string>{
                  "Entries: 12 added, 35 kept as they were in the library, 0 replaced by the import",
                  "1 entry of the library with the OID of a replaced one removed",
                  "2 entries the import made twice (same module and OID) added once",
                  "1 entry of the library no longer defined by the MIB (left in the library):",
                  "  A|g|old (1.9)"}));
}

// The user renames an entry and edits another, then imports the module again.
TEST(MergeImport, ARealModuleImportedAgain) {
    const std::string file = Folder + "FIXTURE-TABLES-MIB.mib";
    for (const ExistingChoice choice : {ExistingChoice::Keep, ExistingChoice::Replace}) {
        toidfile library;
        ASSERT_TRUE(ImportMib(library, file, Folder, StandardFolder, FixturePrograms()));
        const int once = library.Count();
        const Toiddata first = *library.Entries(0);
        library.Entries(0)->name += " (mine)";
        library.Entries(1)->units = "edited";
        toidfile again;
        ASSERT_TRUE(ImportMib(again, file, Folder, StandardFolder, FixturePrograms()));
        EXPECT_EQ(CountExisting(library, again), once);
        const MergeResult merged = MergeImport(library, again, choice);
        EXPECT_EQ(library.Count(), once) << "no entry twice";
        EXPECT_EQ(merged.added, 0);
        EXPECT_TRUE(merged.noLongerDefined.empty());
        if (choice == ExistingChoice::Keep) {
            EXPECT_EQ(library.Entries(0)->name, first.name + " (mine)");
            EXPECT_EQ(library.Entries(1)->units, "edited");
        } else {
            EXPECT_EQ(*library.Entries(0), first);
            EXPECT_NE(library.Entries(1)->units, "edited");
        }
    }
}

}  // namespace
