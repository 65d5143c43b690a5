// Repair mode, one row per kind of fault: the module a strict import refuses, the line that names
// the repair, and the entries the repaired module makes. A module that parses strictly gives the
// same library in both modes, and a strict error says when repair mode would import the file.
#include <gtest/gtest.h>

#include <fstream>

#include "fixtureprograms.h"
#include "import/collectionimport.h"
#include "import/importmib.h"
#include "import/modulealiases.h"
#include "library/oidfile.h"
#include "mib/parseexception.h"
#include "mib/sourcetext.h"
#include "shared_data.h"
#include "tempfolder.h"

namespace {

// A module whose IMPORTS clause (line 2) ends in imports, with rp at enterprises.99999 (line 3)
// and body from line 4 on.
std::string Module(const std::string& imports, const std::string& body) {
    return "REPAIR-MIB DEFINITIONS ::= BEGIN\nIMPORTS enterprises, OBJECT-TYPE, Counter32 " + imports +
           ";\nrp OBJECT IDENTIFIER ::= { enterprises 99999 }\n" + body + "\nEND\n";
}
const std::string Scalar =
    "rpA OBJECT-TYPE SYNTAX Counter32 MAX-ACCESS read-only STATUS current\n"
    "    DESCRIPTION \"a\" ::= { rp 1 }\n";

struct Outcome {
    std::string error;                 // "LINE: MESSAGE" of a refused import, else ""
    std::vector<std::string> details;  // of the error
    std::vector<std::string> repairs;  // "LINE: repaired: WHAT"
    std::vector<std::string> oids;     // of the entries, in order
};

// Imports text as REPAIR-MIB.mib from a folder of its own, with stdmib as the second folder.
Outcome Import(const TempFolder& folder, const std::string& text, bool repair) {
    const std::string file = folder / "REPAIR-MIB.mib";
    std::ofstream(file, std::ios::binary) << text;
    toidfile library;
    Outcome outcome;
    ImportOptions options;
    options.repair = repair;
    try {
        ImportMib(library, file, folder.path.string() + "/", testdata::programData("stdmib").string() + "/",
                  FixturePrograms(), options);
    } catch (const eparseexception& error) {
        outcome.error = error.Message;
        outcome.details = error.Details;
    }
    for (const std::string& line : library.ImportStats.Repairs)
        outcome.repairs.push_back(line.substr(line.find(':', file.size()) + 1));
    for (int i = 0; i < library.Count(); ++i) outcome.oids.push_back(library.Entries(i)->oid);
    return outcome;
}

const std::string Oid = "1.3.6.1.4.1.99999.";

struct RepairCase {
    const char* kind;
    std::string text;
    std::vector<std::string> repairs;
    std::vector<std::string> oids;
};

TEST(RepairMode, MendsEachKindOfFaultWithAPositionedLine) {
    const std::string strictImports = "FROM SNMPv2-SMI";
    const std::vector<RepairCase> cases = {
        {"page footer and header between pages",
         Module(strictImports, Scalar +
                                   "\n\fSmith           Expires April 2002             [Page 3]\n\n"
                                   "Internet Draft     Sample MIB          October 2001\n" +
                                   "rpB OBJECT-TYPE SYNTAX Counter32 MAX-ACCESS read-only STATUS current\n"
                                   "    DESCRIPTION \"b\" ::= { rp 2 }\n"),
         {"7: repaired: RFC page footer skipped", "9: repaired: RFC page header skipped"},
         {Oid + "1.0", Oid + "2.0"}},
        {"// comment",
         Module(strictImports, "// a note in another language's comments\n" + Scalar),
         {"4: repaired: \"//\" comment read as a \"--\" comment"},
         {Oid + "1.0"}},
        {"comma before FROM",
         Module(", FROM SNMPv2-SMI", Scalar),
         {"2: repaired: comma before FROM dropped"},
         {Oid + "1.0"}},
        {"missing comma in IMPORTS",
         "REPAIR-MIB DEFINITIONS ::= BEGIN\nIMPORTS enterprises, OBJECT-TYPE Counter32 FROM SNMPv2-SMI;\n"
         "rp OBJECT IDENTIFIER ::= { enterprises 99999 }\n" +
             Scalar + "END\n",
         {"2: repaired: missing comma before Counter32 added"},
         {Oid + "1.0"}},
        {"comma before \"}\" in a SEQUENCE",
         Module(strictImports,
                "RpEntry ::= SEQUENCE { rpIndex Counter32, rpValue Counter32, }\n"
                "rpTable OBJECT-TYPE SYNTAX SEQUENCE OF RpEntry MAX-ACCESS not-accessible\n"
                "    STATUS current DESCRIPTION \"t\" ::= { rp 5 }\n"
                "rpEntry OBJECT-TYPE SYNTAX RpEntry MAX-ACCESS not-accessible STATUS current\n"
                "    DESCRIPTION \"r\" INDEX { rpIndex } ::= { rpTable 1 }\n"
                "rpIndex OBJECT-TYPE SYNTAX Counter32 MAX-ACCESS read-only STATUS current\n"
                "    DESCRIPTION \"i\" ::= { rpEntry 1 }\n"
                "rpValue OBJECT-TYPE SYNTAX Counter32 MAX-ACCESS read-only STATUS current\n"
                "    DESCRIPTION \"v\" ::= { rpEntry 2 }\n"),
         {"4: repaired: comma before \"}\" dropped"},
         {Oid + "5.1.1", Oid + "5.1.2"}},
        {"unassigned arc",
         Module(strictImports, Scalar +
                                   "rpDraft OBJECT IDENTIFIER ::= { rp XXX } -- to be assigned\n"
                                   "rpB OBJECT-TYPE SYNTAX Counter32 MAX-ACCESS read-only STATUS current\n"
                                   "    DESCRIPTION \"b\" ::= { rpDraft 1 }\n"),
         {"6: repaired: arc XXX of rpDraft is not assigned: rpDraft and the objects below it make no entry"},
         {Oid + "1.0"}},
        {"missing closing quote",
         Module(strictImports,
                "rpA OBJECT-TYPE SYNTAX Counter32 MAX-ACCESS read-only STATUS current\n"
                "    DESCRIPTION \"a counter\n"
                "    REFERENCE \"RFC 1\" ::= { rp 1 }\n"),
         {"5: repaired: missing closing quote of a text added"},
         {Oid + "1.0"}},
        {"text clause without its text",
         Module(strictImports,
                "rpA OBJECT-TYPE SYNTAX Counter32 MAX-ACCESS read-only STATUS current\n"
                "    DESCRIPTION\n    REFERENCE \"r\" ::= { rp 1 }\n"),
         {"6: repaired: DESCRIPTION without its text read with an empty text"},
         {Oid + "1.0"}},
        {"module name with a small letter",
         "repair-MIB DEFINITIONS ::= BEGIN\nIMPORTS enterprises, OBJECT-TYPE, Counter32 FROM SNMPv2-SMI;\n"
         "rp OBJECT IDENTIFIER ::= { enterprises 99999 }\n" +
             Scalar + "END\n",
         {"1: repaired: module name repair-MIB read though it begins with a small letter"},
         {Oid + "1.0"}},
        {"header without a name",
         "DEFINITIONS ::= BEGIN\nIMPORTS enterprises, OBJECT-TYPE, Counter32 FROM SNMPv2-SMI;\n"
         "rp OBJECT IDENTIFIER ::= { enterprises 99999 }\n" +
             Scalar + "END\n",
         {"1: repaired: module name REPAIR-MIB taken from the file name"},
         {Oid + "1.0"}},
        {"OBJECT-TYPE missing",
         Module(strictImports,
                "rpA SYNTAX Counter32 MAX-ACCESS read-only STATUS current\n"
                "    DESCRIPTION \"a\" ::= { rp 1 }\n"),
         {"4: repaired: OBJECT-TYPE missing before SYNTAX: rpA read as an OBJECT-TYPE"},
         {Oid + "1.0"}},
        {"older name of an imported module",
         "REPAIR-MIB DEFINITIONS ::= BEGIN\nIMPORTS enterprises, OBJECT-TYPE, Counter FROM RFC1155-SMI\n"
         "    OBJECT-TYPE FROM RFC1212;\n"
         "rp OBJECT IDENTIFIER ::= { enterprises 99999 }\n"
         "rpA OBJECT-TYPE SYNTAX Counter ACCESS read-only STATUS mandatory ::= { rp 1 }\nEND\n",
         {"3: repaired: IMPORTS FROM RFC1212 read as RFC-1212"},
         {Oid + "1.0"}},
    };
    for (const RepairCase& c : cases) {
        SCOPED_TRACE(c.kind);
        TempFolder folder;
        const Outcome strict = Import(folder, c.text, false);
        EXPECT_NE(strict.error, "") << "a strict import takes it";
        const Outcome repaired = Import(folder, c.text, true);
        EXPECT_EQ(repaired.error, "");
        EXPECT_EQ(repaired.repairs, c.repairs);
        EXPECT_EQ(repaired.oids, c.oids);
    }
}

TEST(RepairMode, StrictModulesGiveTheSameLibraryInBothModes) {
    TempFolder folder;
    const std::string text = Module("FROM SNMPv2-SMI", Scalar);
    const Outcome strict = Import(folder, text, false);
    const Outcome repaired = Import(folder, text, true);
    EXPECT_EQ(strict.error, "");
    EXPECT_TRUE(repaired.repairs.empty());
    EXPECT_EQ(strict.oids, repaired.oids);
}

// Every module of a real folder that imports strictly writes the same bytes in repair mode.
class RepairRealData : public testing::TestWithParam<const char*> {};

TEST_P(RepairRealData, WhatImportsStrictlyIsWrittenTheSame) {
    SKIP_WITHOUT_SHARED(mibs, GetParam());
    TempFolder strictOut, repairedOut;
    CollectionImport strict, repaired;
    strict.LibraryFolder = strictOut.path.string();
    repaired.LibraryFolder = repairedOut.path.string();
    repaired.Options.repair = true;
    const std::vector<CollectionItem> strictItems = strict.Run(mibs.string(), FixturePrograms());
    const std::vector<CollectionItem> repairedItems = repaired.Run(mibs.string(), FixturePrograms());
    ASSERT_EQ(strictItems.size(), repairedItems.size());
    int compared = 0, gained = 0;
    for (std::size_t i = 0; i < strictItems.size(); ++i) {
        const CollectionItem& before = strictItems[i];
        const CollectionItem& after = repairedItems[i];
        if (before.result == CollectionItem::Failed) {
            gained += after.result != CollectionItem::Failed;
            continue;
        }
        ASSERT_EQ(after.result, before.result) << before.fileName;
        EXPECT_EQ(after.repairs, 0) << before.fileName;
        EXPECT_EQ(after.entries, before.entries) << before.fileName;
        if (before.result == CollectionItem::Duplicate || before.entries == 0) continue;  // nothing written
        const std::string library = "/" + before.moduleName + ".oidlib";
        EXPECT_EQ(ReadFileBytes(repairedOut.path.string() + library),
                  ReadFileBytes(strictOut.path.string() + library))
            << before.fileName;
        ++compared;
    }
    std::printf("%d libraries byte-identical, %d more modules imported with repairs\n", compared, gained);
    EXPECT_GE(compared, 10);
}

std::string FolderTestName(const testing::TestParamInfo<const char*>& info) {
    const char* names[] = {"Mibs", "MibsWild", "MibsCollection"};
    return names[info.index];
}
INSTANTIATE_TEST_SUITE_P(Collections, RepairRealData,
                         testing::Values("mibs", "mibs-wild", "mibs-collection/mibs"), FolderTestName);

TEST(RepairMode, AStrictErrorStaysAndSaysWhetherRepairsWouldImport) {
    struct HintCase {
        const char* name;
        std::string text;
        std::string error;
        std::string hint;  // "" when repairs do not get it through
    };
    const std::vector<HintCase> cases = {
        {"two repairs", Module(", FROM SNMPv2-SMI", "// note\n" + Scalar), "Identifier or Type expected.",
         "it imports with --repair (Import > Repair Common Faults): 2 repairs"},
        {"one repair", Module(", FROM SNMPv2-SMI", Scalar), "Identifier or Type expected.",
         "it imports with --repair (Import > Repair Common Faults): 1 repair"},
        {"beyond repair", Module("FROM SNMPv2-SMI", "rpA OBJECT-TYPE ::= ::= ::="), "", ""},
    };
    for (const HintCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const Outcome strict = Import(folder, c.text, false);
        ASSERT_NE(strict.error, "");
        if (!c.error.empty()) {
            EXPECT_EQ(strict.error, c.error);
        }
        std::string hint;
        for (const std::string& line : strict.details)
            if (line.starts_with("it imports with")) hint = line;
        EXPECT_EQ(hint, c.hint);
    }
}

TEST(ModuleAliases, NamesAnImportedModuleIsKnownBy) {
    struct AliasCase {
        std::string module;
        std::string alias;  // expected among the aliases
    };
    const std::vector<AliasCase> cases = {
        {"RFC-1213", "RFC1213-MIB"},
        {"RFC1213", "RFC1213-MIB"},
        {"RFC1212", "RFC-1212"},
        {"RFC-1155-SMI", "RFC1155-SMI"},
        {"RFC1215", "RFC-1215"},
        {"RFC1493-MIB", "BRIDGE-MIB"},
        {"RFC1903-MIB", "SNMPv2-TC"},
        {"rfc2863-mib", "IF-MIB"},
        {"Cisco_Smi", "Cisco-Smi"},
        {"ACME-SMI", "ACME_SMI"},
        {"HOST-RESOURCES", "HOST-RESOURCES-MIB"},
    };
    for (const AliasCase& c : cases) {
        const std::vector<std::string> aliases = ModuleAliases(c.module);
        EXPECT_NE(std::find(aliases.begin(), aliases.end(), c.alias), aliases.end()) << c.module;
    }
    // A name with no RFC number in it has only its spellings as aliases.
    EXPECT_EQ(ModuleAliases("RFC-MIB"), (std::vector<std::string>{"RFC_MIB", "RFC"}));
}

}  // namespace
