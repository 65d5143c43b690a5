#include <gtest/gtest.h>

#include <fstream>

#include "mib/parsedmodule.h"
#include "mibtest_util.h"
#include "tempfolder.h"

namespace {

const char* const conventions =
    "DisplayString ::= TEXTUAL-CONVENTION DISPLAY-HINT \"255a\" STATUS current DESCRIPTION \"d\"\n"
    "    SYNTAX OCTET STRING (SIZE (0..255))\n"
    "Counter64 ::= [APPLICATION 6] IMPLICIT INTEGER (0..18446744073709551615)\n"
    "Gauge32 ::= [APPLICATION 2] IMPLICIT INTEGER (0..4294967295)\n"
    "HcCount ::= TEXTUAL-CONVENTION STATUS current DESCRIPTION \"d\" SYNTAX Counter64\n"
    "Level ::= TEXTUAL-CONVENTION STATUS current DESCRIPTION \"d\" SYNTAX Gauge32\n"
    "Self ::= Self\n"
    "PingA ::= PingB\n"
    "PingB ::= PingA\n"
    "IfEntry ::= SEQUENCE { ifIndex INTEGER, ifDescr DisplayString }\n"
    "Level ::= OCTET STRING\n";

std::string object(const std::string& name, const std::string& syntax) {
    return name + " OBJECT-TYPE SYNTAX " + syntax + " MAX-ACCESS read-only STATUS current ::= { t 1 }\n";
}

class Records : public testing::Test {
  protected:
    void SetUp() override {
        std::string body = conventions;
        for (const auto& [name, syntax] : objects) body += object(name, syntax);
        body += "IfIndex OBJECT IDENTIFIER ::= { t 9 }\n";
        ASSERT_EQ(mibtest::parse(file, mibtest::module(body)).message, "");
    }
    const tmibentry& entry(const std::string& name) { return *file.FindEntry(name); }

    const std::vector<std::pair<std::string, std::string>> objects = {
        {"octets", "Counter64"}, {"text", "DisplayString"}, {"unknown", "NoSuchType"},
        {"hc", "HcCount"},       {"level", "Level"},        {"self", "Self"},
        {"ping", "PingA"},       {"row", "IfEntry"},        {"table", "SEQUENCE OF IfEntry"},
        {"plain", "INTEGER"},
    };
    tmibfile file;
};

TEST_F(Records, SyntaxChainNamesEveryTypePassed) {
    const std::pair<const char*, const char*> cases[] = {
        {"octets", ""},  // a base type passes no named type
        {"text", "DisplayString"},
        {"hc", "HcCount"},
        {"unknown", ""},
        {"ping", "PingA PingB"},  // up to where the loop closes
    };
    for (const auto& [name, expected] : cases) {
        std::string names;
        for (const tasntype* type : file.SyntaxChain(entry(name)))
            names += (names.empty() ? "" : " ") + type->Name;
        EXPECT_EQ(names, expected) << name;
    }
}

TEST_F(Records, ObjectKeepsItsOwnSyntaxDetail) {
    tmibfile own;
    ASSERT_EQ(mibtest::parse(own, mibtest::module(object("load", "Gauge32 (0..100)") +
                                                  object("state", "INTEGER { up(1), down(2) }")))
                  .message,
              "");
    const SyntaxDetail& load = own.FindEntry("load")->Syntax;
    EXPECT_TRUE(load.hasRange);
    EXPECT_EQ(load.rangeHigh, 100);
    EXPECT_EQ(load.integerType, "Gauge32");
    EXPECT_EQ(own.FindEntry("state")->Syntax.namedNumbers.size(), 2u);
}

TEST_F(Records, ResolveSyntaxFollowsTypeAssignments) {
    struct Case {
        const char* entry;
        const char* resolved;
        const char* resolvedType;  // name of the type record resolution ends at, "" for none
    };
    const Case cases[] = {
        {"octets", "@counter", ""},  // a base type is a tag at once
        {"text", "@string", "DisplayString"},
        {"unknown", "NoSuchType", ""},
        {"hc", "@counter", "HcCount"},
        {"level", "@gauge", "Level"},  // the first of two Level definitions wins
        {"self", "Self", ""},
        {"ping", "PingA", ""},
        {"row", "@sequence", "IfEntry"},
        {"table", "@sequence|IfEntry", ""},
        {"plain", "@integer", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(file.ResolveSyntax(entry(c.entry)), c.resolved) << c.entry;
        const tasntype* type = file.ResolveSyntaxType(entry(c.entry));
        EXPECT_EQ(type ? type->Name : "", c.resolvedType) << c.entry;
    }
    EXPECT_EQ(file.ResolveSyntax(entry("ifIndex")), "");
    EXPECT_EQ(file.ResolveSyntaxType(entry("ifIndex")), nullptr);
}

TEST_F(Records, ResolvedTypeCarriesTheFlags) {
    const tasntype* hc = file.ResolveSyntaxType(entry("hc"));
    ASSERT_NE(hc, nullptr);
    EXPECT_TRUE(hc->IsUnsigned);
    EXPECT_TRUE(hc->Is64Bit);
    const tasntype* level = file.ResolveSyntaxType(entry("level"));
    ASSERT_NE(level, nullptr);
    EXPECT_TRUE(level->IsUnsigned);
    EXPECT_FALSE(level->Is64Bit);
}

TEST_F(Records, LookupsKeepTheirCaseRules) {
    // "IfIndex OBJECT IDENTIFIER" was repaired to ifIndex.
    EXPECT_EQ(file.FindEntry("IfIndex"), nullptr);
    ASSERT_NE(file.FindEntry("ifIndex"), nullptr);
    EXPECT_EQ(file.EntryIndex("IfIndex"), file.EntryCount() - 1);
    EXPECT_EQ(file.EntryIndex("OCTETS"), 0);
    EXPECT_EQ(file.EntryIndex("nothing"), -1);
    EXPECT_EQ(file.TypeIndex("displaystring"), 0);
    EXPECT_EQ(file.TypeIndex("LEVEL"), 4);
    EXPECT_EQ(file.TypeIndex("nothing"), -1);
    const tasntype& row = file.TypeAt(file.TypeIndex("IfEntry"));
    EXPECT_EQ(ItemIndex(row, "ifDescr"), 1);
    EXPECT_EQ(ItemIndex(row, "ifdescr"), -1);
    EXPECT_EQ(ItemIndex(row, "ifIndex=INTEGER"), -1);
}

TEST_F(Records, FirstModuleParsedWins) {
    ASSERT_EQ(mibtest::parse(file, mibtest::module("octets OBJECT IDENTIFIER ::= { other 1 }")).message, "");
    EXPECT_EQ(file.FindEntry("octets")->Macro, "OBJECT-TYPE");
    EXPECT_EQ(file.EntryAt(file.EntryIndex("octets")).Macro, "OBJECT-TYPE");
    EXPECT_EQ(file.EntryAt(file.EntryCount() - 1).Macro, "@objectid");
}

TEST_F(Records, ExactSpellingAndOwnModuleComeFirst) {
    ASSERT_EQ(mibtest::parse(file,
                             "B DEFINITIONS ::= BEGIN\n"
                             "octets OBJECT IDENTIFIER ::= { b 1 }\n"
                             "sysVCMP OBJECT IDENTIFIER ::= { b 2 }\n"
                             "sysVcmp OBJECT IDENTIFIER ::= { b 3 }\n"
                             "END\n")
                  .message,
              "");
    const auto arc = [this](int index) { return file.EntryAt(index).OidParts.at(1).number; };
    EXPECT_EQ(arc(file.EntryIndex("sysVcmp")), 3);
    EXPECT_EQ(arc(file.EntryIndex("sysVCMP")), 2);
    EXPECT_EQ(arc(file.EntryIndex("SYSvcmp")), 2);
    EXPECT_EQ(file.FindEntry("SYSvcmp"), nullptr);
    const int b = file.ModuleScope("b");
    ASSERT_GE(b, 0);
    EXPECT_EQ(arc(file.EntryIndex("OCTETS", b)), 1);
    EXPECT_EQ(file.EntryAt(file.EntryIndex("OCTETS")).Macro, "OBJECT-TYPE");
    EXPECT_EQ(file.FindEntry("octets", b)->Macro, "@objectid");
    EXPECT_EQ(file.TypeAt(file.TypeIndex("ifentry", b)).Module, file.ModuleScope("M"));
}

// An import takes the modules it shares with others from their one parse: every lookup must
// answer as if the modules had been parsed in place, in the same order.
TEST(SharedParses, AnswerEveryLookupAsModulesParsedInPlace) {
    const std::vector<std::string> modules = {
        "A DEFINITIONS ::= BEGIN\nLevel ::= OCTET STRING\noctets OBJECT IDENTIFIER ::= { a 1 }\n"
        "sysVCMP OBJECT IDENTIFIER ::= { a 2 }\nEND\n",
        "B DEFINITIONS ::= BEGIN\nIMPORTS Level FROM A;\nlevel OBJECT IDENTIFIER ::= { b 1 }\n"
        "sysVcmp OBJECT IDENTIFIER ::= { b 5 }\nocTets OBJECT IDENTIFIER ::= { b 3 }\nEND\n",
        // A again: more names of the same module, after B's.
        "A DEFINITIONS ::= BEGIN\noctets OBJECT IDENTIFIER ::= { a 9 }\nextRa OBJECT IDENTIFIER ::= { a 10 "
        "}\n"
        "Level ::= INTEGER\nEND\n",
    };
    TempFolder folder;
    tmibfile inPlace, shared;
    const auto scopes = std::make_shared<SharedScopes>();
    shared.ShareScopes(scopes);
    for (std::size_t i = 0; i < modules.size(); ++i) {
        const std::string file = folder / ("m" + std::to_string(i) + ".mib");
        std::ofstream(file) << modules[i];
        inPlace.LoadFile(file);
        inPlace.ParseModule();
        shared.AddModule(ParseModuleFile(file, i == 0, scopes));
    }
    ASSERT_EQ(shared.EntryCount(), inPlace.EntryCount());
    ASSERT_EQ(shared.TypeCount(), inPlace.TypeCount());

    // Exact spelling anywhere wins over another case in the module asked; the first parse wins.
    struct Lookup {
        std::string name, module;  // module "": anywhere
        int arc, exactArc;         // of the entry EntryIndex and FindEntry find, -1 none
    };
    for (const auto& [name, module, arc, exactArc] : std::vector<Lookup>{
             {"octets", "", 1, 1},
             {"OCTETS", "B", 3, -1},
             {"octets", "B", 1, 1},
             {"octets", "A", 1, 1},
             {"sysVcmp", "", 5, 5},
             {"SYSVCMP", "", 2, -1},
             {"SYSVCMP", "B", 5, -1},
             {"sysVCMP", "B", 2, 2},
             {"extra", "A", 10, -1},
             {"extRa", "", 10, 10},
             {"level", "A", 1, 1},
             {"nothing", "B", -1, -1},
         }) {
        SCOPED_TRACE(name + " in " + module);
        for (const tmibfile* file : {&inPlace, &shared}) {
            const int scope = module.empty() ? -1 : file->ModuleScope(module);
            const int index = file->EntryIndex(name, scope);
            EXPECT_EQ(index < 0 ? -1 : int64_t{file->EntryAt(index).OidParts.at(1).number}, arc);
            const tmibentry* exact = file->FindEntry(name, scope);
            EXPECT_EQ(exact == nullptr ? -1 : int64_t{exact->OidParts.at(1).number}, exactArc);
            EXPECT_EQ(file->TypeIndex("level", scope), 0);  // A's first Level, which B imports
        }
    }
    // Lookups anywhere have been many by now: modules taken later must still be found.
    const std::string late = folder / "late.mib";
    std::ofstream(late) << "C DEFINITIONS ::= BEGIN\nlate OBJECT IDENTIFIER ::= { c 7 }\n"
                           "octets OBJECT IDENTIFIER ::= { c 8 }\nLate ::= INTEGER\nEND\n";
    inPlace.LoadFile(late);
    inPlace.ParseModule();
    shared.AddModule(ParseModuleFile(late, false, scopes));
    for (const tmibfile* file : {&inPlace, &shared}) {
        EXPECT_EQ(file->EntryAt(file->EntryIndex("LATE")).OidParts.at(1).number, 7u);
        EXPECT_EQ(file->EntryAt(file->EntryIndex("octets")).OidParts.at(1).number, 1u);
        EXPECT_EQ(file->TypeIndex("late"), file->TypeCount() - 1);
    }
}

TEST(ClauseValue, MatchesKeywordIgnoringCaseFirstLineWins) {
    tmibentry entry;
    entry.Clauses = {
        "SYNTAX=@integer", "DESCRIPTION=first", "description=second", "INDEX=a,b", "EMPTY=", "broken"};
    struct Case {
        const char* keyword;
        const char* value;
    };
    const Case cases[] = {{"syntax", "@integer"}, {"Description", "first"}, {"INDEX", "a,b"},
                          {"EMPTY", ""},          {"broken", ""},           {"DESC", ""}};
    for (const Case& c : cases) EXPECT_EQ(entry.ClauseValue(c.keyword), c.value) << c.keyword;
}

}  // namespace
