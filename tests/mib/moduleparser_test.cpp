#include <gtest/gtest.h>

#include "mibtest_util.h"

namespace {

using Lines = std::vector<std::string>;

struct ImportCase {
    const char* name;
    const char* imports;
    Lines importList;
};

const ImportCase importCases[] = {
    {"ThreeGroups",
     "IMPORTS a, Counter32, B FROM M1 c FROM M2 d, e FROM m3;",
     {"M1:a", "M1:Counter32", "M1:B", "M2:c", "m3:d", "m3:e"}},
    {"IntegerGroupWords",
     "IMPORTS Gauge32, TimeTicks, Integer32, Unsigned32, Counter64 FROM SNMPv2-SMI;",
     {"SNMPv2-SMI:Gauge32", "SNMPv2-SMI:TimeTicks", "SNMPv2-SMI:Integer32", "SNMPv2-SMI:Unsigned32",
      "SNMPv2-SMI:Counter64"}},
    {"BlankSeparatedLosesEverySecond", "IMPORTS a b c FROM M1;", {"M1:a", "M1:c"}},
    {"UnfinishedGroupIsDropped", "IMPORTS a FROM M1 b, ;", {"M1:a"}},
    {"SemicolonAsSeparatorContinuesTheGroup", "IMPORTS a; b FROM M1;", {"M1:a", "M1:b"}},
    {"Empty", "IMPORTS ;", {}},
};

class ModuleImports : public testing::TestWithParam<ImportCase> {};

TEST_P(ModuleImports, GivesOneLinePerSymbol) {
    tmibfile file;
    ASSERT_EQ(mibtest::parse(file, mibtest::module(GetParam().imports)).message, "");
    EXPECT_EQ(file.ImportList, GetParam().importList);
    EXPECT_EQ(file.ImportPositions.size(), file.ImportList.size());
    EXPECT_EQ(file.ImportFiles, Lines(file.ImportList.size(), "test.mib"));
}

INSTANTIATE_TEST_SUITE_P(Parser, ModuleImports, testing::ValuesIn(importCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ModuleParser, ImportPositionsStandAfterTheGroupsModuleName) {
    tmibfile file;
    ASSERT_EQ(mibtest::parse(file, mibtest::module("IMPORTS a, b FROM M1\n c FROM M2;")).message, "");
    const std::string first = std::to_string(mibtest::positionAfter(file.Text, "FROM M1"));
    const std::string second = std::to_string(mibtest::positionAfter(file.Text, "FROM M2"));
    EXPECT_EQ(file.ImportPositions, (Lines{first, first, second}));
}

TEST(ModuleParser, HeaderDefinitionsAndSkips) {
    const char* source =
        "My-MIB DEFINITIONS IMPLICIT TAGS ::= BEGIN\n"
        "EXPORTS everything, \"any\" 5 ;\n"
        "OBJECT-TYPE MACRO ::= BEGIN TYPE NOTATION ::= \"SYNTAX\" type(TYPE ObjectSyntax) \"END\" END\n"
        "Counter32 ::= [APPLICATION 1] IMPLICIT INTEGER (0..4294967295)\n"
        "OBJECT\n"  // a stray reserved word between definitions is passed over
        "myType ::= OCTET STRING\n"
        "x OBJECT IDENTIFIER ::= { iso 1 }\n"
        "END\n"
        "Second DEFINITIONS ::= BEGIN y OBJECT IDENTIFIER ::= { x 1 } END\n";
    tmibfile file;
    file.LogLevel = 2;
    Lines log;
    file.OnLog = [&](tmibfile& sender, const std::string& message) {
        EXPECT_EQ(&sender, &file);
        log.push_back(message);
    };
    ASSERT_EQ(mibtest::parse(file, source).message, "");
    EXPECT_EQ(file.ModuleName, "My-MIB");
    EXPECT_EQ(log, (Lines{"Type: Counter32", "Type: MyType", "Value: x (@objectid)"}));
    ASSERT_EQ(file.TypeCount(), 2);
    EXPECT_EQ(file.TypeAt(0).BaseType, "@integer");
    EXPECT_EQ(file.TypeAt(1).Name, "MyType");
    EXPECT_NE(file.Text.find("MyType ::="), std::string::npos);
    EXPECT_EQ(file.Position, mibtest::positionAfter(file.Text, "{ iso 1 }\r\nEND"));
    EXPECT_TRUE(file.Lexer().DefinitionStart);
}

TEST(ModuleParser, LogIsSilentAtLevelOne) {
    tmibfile file;
    int calls = 0;
    file.OnLog = [&](tmibfile&, const std::string&) { ++calls; };
    ASSERT_EQ(mibtest::parse(file, mibtest::module("T ::= INTEGER x OBJECT IDENTIFIER ::= { a 1 }")).message,
              "");
    EXPECT_EQ(calls, 0);
}

TEST(ModuleParser, ModulesAccumulateAndErrorsKeepWhatWasParsed) {
    tmibfile file;
    ASSERT_EQ(mibtest::parse(file, mibtest::module("IMPORTS a FROM B; T ::= INTEGER")).message, "");
    EXPECT_NE(mibtest::parse(file, mibtest::module("IMPORTS c FROM D; U ::= BOOLEAN V ::= REAL")).message,
              "");
    EXPECT_EQ(file.ImportList, (Lines{"B:a", "D:c"}));
    EXPECT_EQ(file.TypeCount(), 2);
}

}  // namespace
