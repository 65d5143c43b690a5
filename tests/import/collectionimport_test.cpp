#include "import/collectionimport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "fixtureprograms.h"
#include "import/importrunner.h"
#include "library/oidfile.h"
#include "mib/sourcetext.h"
#include "shared_data.h"
#include "tempfolder.h"

namespace fs = std::filesystem;

namespace {

// Everything a single import gives: the library's bytes, the report and the log, or the error.
std::string SingleImport(const std::string& file, const std::string& folder, ImportRunner& runner) {
    toidfile library;
    try {
        const bool complete = runner.RunImport(library, file, folder, FixturePrograms());
        std::string all = library.SaveToText() + (complete ? "complete\n" : "incomplete\n");
        for (const auto* lines : {&runner.ImportReport, &runner.ImportLog})
            for (const std::string& line : *lines) all += line + "\n";
        runner.ImportReport.clear();
        runner.ImportLog.clear();
        return all;
    } catch (const eparseexception& error) {
        return error.FileName + ":" + std::to_string(error.Position) + ": " + error.Message;
    } catch (const std::exception& error) {
        return error.what();
    }
}

// Imports a sample of folder's files with one runner that reuses its parses and with a fresh
// runner per file: libraries, reports, logs and errors must be the same.
void ExpectReuseChangesNothing(const fs::path& folder, std::size_t step) {
    const std::vector<std::string> files = MibFilesIn(folder.string() + "/");
    ImportRunner reusing;
    reusing.ReuseParsedModules = true;
    int compared = 0;
    for (std::size_t i = 0; i < files.size(); i += step, ++compared) {
        ImportRunner alone;
        EXPECT_EQ(SingleImport(files[i], folder.string() + "/", reusing),
                  SingleImport(files[i], folder.string() + "/", alone))
            << files[i];
    }
    EXPECT_GT(compared, 20);
}

TEST(ImportCollection, ReusedParsesGiveWhatSeparateImportsGive) {
    SKIP_WITHOUT_SHARED(mibs, "mibs");
    ExpectReuseChangesNothing(mibs, 1);
}

TEST(ImportCollection, ReusedParsesGiveWhatSeparateImportsGiveInTheCollection) {
    SKIP_WITHOUT_SHARED(collection, "mibs-collection/mibs");
    ExpectReuseChangesNothing(collection, 53);  // 29 modules spread over the 1,502, broken ones among them
}

TEST(ImportCollection, WritesTheLibrariesOfSeparateImports) {
    SKIP_WITHOUT_SHARED(mibs, "mibs");
    for (const bool unitsFromMib : {false, true}) {
        TempFolder out;
        CollectionImport collection;
        collection.LibraryFolder = out.path.string();
        collection.Options.unitsFromMib = unitsFromMib;
        const std::vector<CollectionItem> items = collection.Run(mibs.string(), FixturePrograms());
        ASSERT_EQ(items.size(), MibFilesIn(mibs.string() + "/").size());
        for (const CollectionItem& item : items) {
            ASSERT_EQ(item.result, CollectionItem::Imported) << item.fileName << " " << item.message;
            toidfile library;
            ImportMib(library, item.fileName, mibs.string() + "/", FixturePrograms().standardFolder,
                      FixturePrograms(), collection.Options);
            // A module with no entry writes no library.
            const std::string written = out / (item.moduleName + ".oidlib");
            EXPECT_EQ(fs::exists(written) ? ReadFileBytes(written) : "",
                      library.Count() == 0 ? "" : library.SaveToText())
                << item.fileName << (unitsFromMib ? " with units from the MIB" : "");
            EXPECT_EQ(item.entries, library.Count());
        }
    }
}

TEST(ImportCollection, ABrokenModuleIsReportedAndTheRunGoesOn) {
    TempFolder folder, out;
    const auto write = [&](const std::string& name, const std::string& text) {
        std::ofstream(folder / name, std::ios::binary) << text;
    };
    const std::string tables = ReadFileBytes(testdata::fixture("import/FIXTURE-TABLES-MIB.mib").string());
    write("a.mib", tables);
    write("b.mib", "B-MIB DEFINITIONS ::= BEGIN\nIMPORTS x FROM C-MIB;\nEND\n");  // C-MIB is broken
    write("c.my", "C-MIB DEFINITIONS ::= BEGIN\n  x OBJECT IDENTIFIER ::= { ] }\nEND\n");
    write("d.txt", tables);  // the same module again
    write("e.MIB", "E-MIB DEFINITIONS ::= BEGIN\nEND\n");
    write("notes.doc", "not offered");
    CollectionImport collection;
    collection.LibraryFolder = out.path.string();
    std::vector<int> done;
    collection.OnItem = [&](const CollectionItem&, int count, int total) {
        done.push_back(count * 10 + total);
    };
    const std::vector<CollectionItem> items = collection.Run(folder.path.string(), FixturePrograms());

    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(done, (std::vector<int>{15, 25, 35, 45, 55}));
    EXPECT_EQ(items[0].result, CollectionItem::Imported);
    EXPECT_EQ(items[0].entries, 14);
    const std::string error = folder / "c.my" + ":2: Identifier or Number expected.";
    EXPECT_EQ(items[1].result, CollectionItem::Failed);
    EXPECT_EQ(items[1].message, error);  // the import of b.mib ends in the module it imports
    EXPECT_EQ(items[2].result, CollectionItem::Failed);
    EXPECT_EQ(items[2].message, error);
    EXPECT_EQ(items[3].result, CollectionItem::Duplicate);
    EXPECT_EQ(items[3].message, folder / "a.mib");
    EXPECT_EQ(items[4].result, CollectionItem::Imported);
    EXPECT_EQ(items[4].moduleName, "E-MIB");
    EXPECT_EQ(items[4].entries, 0);
    std::vector<std::string> written;
    for (const auto& file : fs::directory_iterator(out.path))
        written.push_back(file.path().filename().string());
    std::sort(written.begin(), written.end());
    EXPECT_EQ(written, (std::vector<std::string>{"FIXTURE-TABLES-MIB.oidlib"}));  // E-MIB has no entry
}

TEST(ImportCollection, AnUnwritableLibraryIsReported) {
    TempFolder folder;
    std::ofstream(folder / "t.mib") << ReadFileBytes(
        testdata::fixture("import/FIXTURE-TABLES-MIB.mib").string());
    CollectionImport collection;
    collection.LibraryFolder = folder / "no-such-folder";
    const std::vector<CollectionItem> items = collection.Run(folder.path.string(), FixturePrograms());
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].result, CollectionItem::Unwritable);
    EXPECT_NE(items[0].message.find("no-such-folder"), std::string::npos) << items[0].message;
}

}  // namespace
