// The notes of an import log: what a reader needs among the trace of the parse.
#include "import/lognotes.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "fixtureprograms.h"
#include "import/importrunner.h"
#include "library/oidfile.h"
#include "shared_data.h"

namespace {

const std::string Folder = testdata::fixture("import").string() + "/";

TEST(LogNotes, EveryKindOfLineTheImportWrites) {
    const struct {
        const char* line;
        bool note;
    } cases[] = {
        // The trace of the parse.
        {"Load: /mibs/IF-MIB.mib", false},
        {"MIB: IF-MIB", false},
        {"Type: IfEntry", false},
        {"Value: ifIndex (OBJECT-TYPE)", false},
        {"ifIndex:  org(iso,?\?\?) -> dod(org,?\?\?) -> ifIndex(ifEntry,?\?\?) -> ", false},
        {"if-Index_2:  org(iso,?\?\?) -> ", false},
        {"", false},
        // What a reader needs.
        {"/mibs/X.mib:12: xTriple makes no entry: its row xEntry has three or more index columns", true},
        {"/mibs/X.mib:17: unknown type Countr32 of ifInOctets", true},
        {"/mibs/X.mib:17: circular type A of b", true},
        {"memTotalReal: UNITS \"kB\" -> bytes x 1024", true},
        {"ifEntry: rows named by ifName (index of InterfaceIndex)", true},
        {"/mibs/X.mib:3: IfEntry is read as ifEntry (a value's name begins with a small letter)", true},
        {"14 entries were in the library already and were not added again", true},
        {"base table fooEntrynot found", true},
        {"Cannot open file \"/mibs/x.mib\". Permission denied (passed over in the module search)", true},
        {"The import log is cut here: it keeps at most 16 bytes", true},
        // Near misses of the trace forms are notes: nothing a reader needs is hidden.
        {"Loaded: x", true},
        {"ifIndex: no unit in the MIB -> #", true},
        {":  org(iso,?\?\?) -> ", true},
        {"MIB:IF-MIB", true},
    };
    for (const auto& c : cases) EXPECT_EQ(IsLogNote(c.line), c.note) << '"' << c.line << '"';
}

// A real run: every line that says why an object made no entry, a unit rule or a skipped repeat is
// a note, and the notes are a small part of the log.
TEST(LogNotes, ARunsNotesAreTheLinesThatExplainIt) {
    toidfile library;
    ImportRunner runner;
    runner.Options.unitsFromMib = true;
    const std::vector<std::string> files = {Folder + "FIXTURE-NOENTRY-MIB.mib",
                                            Folder + "FIXTURE-UNITS-MIB.mib",
                                            Folder + "FIXTURE-UNITS-MIB.mib"};
    runner.Run(library, files, FixturePrograms());

    std::vector<std::string> notes;
    std::copy_if(runner.ImportLog.begin(), runner.ImportLog.end(), std::back_inserter(notes),
                 [](const std::string& line) { return IsLogNote(line); });
    const auto noted = [&notes](const std::string& part) {
        return std::count_if(notes.begin(), notes.end(), [&part](const std::string& line) {
            return line.find(part) != std::string::npos;
        });
    };
    EXPECT_EQ(noted(" makes no entry: "), 8);
    EXPECT_EQ(noted("uMemTotal: UNITS \"kB\" -> bytes x 1024"), 2) << "a rule per import of the module";
    EXPECT_EQ(noted(" entries were in the library already and were not added again"), 1);
    for (const std::string& note : notes) {
        EXPECT_FALSE(note.starts_with("Value: ")) << note;
        EXPECT_EQ(note.find("(iso,?\?\?)"), std::string::npos) << note;
    }
    EXPECT_LT(notes.size() * 4, runner.ImportLog.size()) << "the trace is most of the log";
}

}  // namespace
