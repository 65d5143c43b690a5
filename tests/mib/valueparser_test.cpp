#include <gtest/gtest.h>

#include "mibtest_util.h"

namespace {

std::string oidText(const tmibentry& entry) {
    std::string text;
    for (const toidpart& part : entry.OidParts)
        text += (text.empty() ? "" : "; ") + part.name + " " + std::to_string(part.number);
    return text;
}

struct ValueCase {
    const char* name;
    const char* body;
    const char* macro;
    std::vector<std::string> clauses;
    const char* oid;
    const char* augments;
    bool isUnsigned;
    bool is64Bit;
};

const ValueCase valueCases[] = {
    {"ObjectType",
     "ifIndex OBJECT-TYPE SYNTAX InterfaceIndex MAX-ACCESS read-only STATUS current\n"
     "  DESCRIPTION \"A unique value,\n      greater than zero.  \" ::= { ifEntry 1 }",
     "OBJECT-TYPE",
     {"SYNTAX=InterfaceIndex", "MAX-ACCESS=read-only", "STATUS=current",
      "DESCRIPTION=A unique value, greater than zero."},
     "ifEntry 0; ??? 1",
     "",
     false,
     false},
    {"Counter32Syntax",
     "x OBJECT-TYPE SYNTAX Counter32 ::= { t 1 }",
     "OBJECT-TYPE",
     {"SYNTAX=@counter"},
     "t 0; ??? 1",
     "",
     true,
     false},
    {"Counter64Syntax",
     "x OBJECT-TYPE SYNTAX Counter64 ::= { t 1 }",
     "OBJECT-TYPE",
     {"SYNTAX=@counter"},
     "t 0; ??? 1",
     "",
     true,
     true},
    {"SequenceOfSyntax",
     "x OBJECT-TYPE SYNTAX SEQUENCE OF IfEntry ::= { t 2 }",
     "OBJECT-TYPE",
     {"SYNTAX=@sequence|IfEntry"},
     "t 0; ??? 2",
     "",
     false,
     false},
    {"EnumSyntaxAndDefval",
     "x OBJECT-TYPE SYNTAX INTEGER { a(1) } DEFVAL { a } ::= { t 3 }",
     "OBJECT-TYPE",
     {"SYNTAX=@integer", "DEFVAL=a"},
     "t 0; ??? 3",
     "",
     false,
     false},
    {"IndexRepairsNames",
     "x OBJECT-TYPE INDEX { ifIndex, IMPLIED IfName } ::= { t 1 }",
     "OBJECT-TYPE",
     {"INDEX=ifIndex,ifName"},
     "t 0; ??? 1",
     "",
     false,
     false},
    {"Augments",
     "x OBJECT-TYPE AUGMENTS { ifEntry } STATUS current ::= { t 1 }",
     "OBJECT-TYPE",
     {"STATUS=current"},
     "t 0; ??? 1",
     "ifEntry",
     false,
     false},
    {"DefvalHex",
     "x OBJECT-TYPE DEFVAL { 'FF'H } ::= { t 1 }",
     "OBJECT-TYPE",
     {"DEFVAL=255"},
     "t 0; ??? 1",
     "",
     false,
     false},
    {"DefvalDoubleBraces",
     "x OBJECT-TYPE DEFVAL { { a, b } } ::= { t 1 }",
     "OBJECT-TYPE",
     {"DEFVAL=a,b"},
     "t 0; ??? 1",
     "",
     false,
     false},
    {"DefvalString",
     "x OBJECT-TYPE DEFVAL { \"text\" } ::= { t 1 }",
     "OBJECT-TYPE",
     {"DEFVAL="},
     "t 0; ??? 1",
     "",
     false,
     false},
    {"NumericClauseValue",
     "x OBJECT-TYPE UNITS 100 ::= { t 1 }",
     "OBJECT-TYPE",
     {"UNITS=100"},
     "t 0; ??? 1",
     "",
     false,
     false},
    {"MixedCaseSyntaxIsPlainKeyword",
     "x OBJECT-TYPE Syntax counter ::= { t 1 }",
     "OBJECT-TYPE",
     {"Syntax=counter"},
     "t 0; ??? 1",
     "",
     false,
     false},
    {"EmptyLineInDescription",
     "x OBJECT-TYPE DESCRIPTION \"a\n\nb\n\" ::= { t 1 }",
     "OBJECT-TYPE",
     {"DESCRIPTION=a  b"},
     "t 0; ??? 1",
     "",
     false,
     false},
    {"TrapType",
     "coldStart TRAP-TYPE ENTERPRISE snmp DESCRIPTION \"A cold start.\" ::= 0",
     "TRAP-TYPE",
     {"ENTERPRISE=snmp", "DESCRIPTION=A cold start."},
     "??? 0",
     "",
     false,
     false},
    {"ObjectIdentifierNamedArcs",
     "internet OBJECT IDENTIFIER ::= { iso org(3) dod(6) 1 }",
     "@objectid",
     {},
     "iso 0; org 3; dod 6; ??? 1",
     "",
     false,
     false},
    {"NumbersOnly",
     "zeroDotZero OBJECT IDENTIFIER ::= { 0 0 }",
     "@objectid",
     {},
     "??? 0; ??? 0",
     "",
     false,
     false},
    {"EmptyValue", "e OBJECT IDENTIFIER ::= { }", "@objectid", {}, "", "", false, false},
    {"ArcLow32Bits",
     "big OBJECT IDENTIFIER ::= { t 4294967295 }",
     "@objectid",
     {},
     "t 0; ??? -1",
     "",
     false,
     false},
    {"CapitalParent",
     "sub OBJECT IDENTIFIER ::= { Parent 7 }",
     "@objectid",
     {},
     "Parent 0; ??? 7",
     "",
     false,
     false},
    {"NotificationObjects",
     "n NOTIFICATION-TYPE OBJECTS { a, b } STATUS current ::= { t 0 1 }",
     "NOTIFICATION-TYPE",
     {"OBJECTS=a,b", "STATUS=current"},
     "t 0; ??? 0; ??? 1",
     "",
     false,
     false},
    {"RepeatedKeywords",
     "m MODULE-IDENTITY LAST-UPDATED \"200001010000Z\" DESCRIPTION \"own\" REVISION \"r\" DESCRIPTION "
     "\"rev\" ::= { t 9 }",
     "MODULE-IDENTITY",
     {"LAST-UPDATED=200001010000Z", "DESCRIPTION=own", "REVISION=r", "DESCRIPTION=rev"},
     "t 0; ??? 9",
     "",
     false,
     false},
    {"ObjectGroup",
     "g OBJECT-GROUP OBJECTS { a } STATUS current ::= { t 5 }",
     "OBJECT-GROUP",
     {"OBJECTS=a", "STATUS=current"},
     "t 0; ??? 5",
     "",
     false,
     false},
};

class ValueParser : public testing::TestWithParam<ValueCase> {};

TEST_P(ValueParser, GivesTheEntry) {
    const ValueCase& c = GetParam();
    tmibfile file;
    ASSERT_EQ(mibtest::parse(file, mibtest::module(c.body)).message, "");
    ASSERT_EQ(file.EntryCount(), 1);
    const tmibentry& entry = file.EntryAt(0);
    EXPECT_EQ(entry.Macro, c.macro);
    EXPECT_EQ(entry.Clauses, c.clauses);
    EXPECT_EQ(oidText(entry), c.oid);
    EXPECT_EQ(entry.Augments, c.augments);
    EXPECT_EQ(entry.IsUnsigned, c.isUnsigned);
    EXPECT_EQ(entry.Is64Bit, c.is64Bit);
}

INSTANTIATE_TEST_SUITE_P(Parser, ValueParser, testing::ValuesIn(valueCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ValueParserText, IndexRepairIsWrittenIntoText) {
    tmibfile file;
    ASSERT_EQ(
        mibtest::parse(file, mibtest::module("x OBJECT-TYPE INDEX { IMPLIED IfName } ::= { t 1 }")).message,
        "");
    EXPECT_NE(file.Text.find("{ IMPLIED ifName }"), std::string::npos);
}

TEST(ValueParserText, ComplianceAndCapabilitiesMakeNoEntry) {
    tmibfile file;
    std::vector<std::string> log;
    file.LogLevel = 2;
    file.OnLog = [&](tmibfile&, const std::string& message) { log.push_back(message); };
    const char* body =
        "c MODULE-COMPLIANCE STATUS current MODULE MANDATORY-GROUPS { g } ::= { t 1 }\n"
        "a AGENT-CAPABILITIES PRODUCT-RELEASE \"1\" STATUS current ::= { t 2 }\n"
        "after OBJECT IDENTIFIER ::= { t 3 }";
    ASSERT_EQ(mibtest::parse(file, mibtest::module(body)).message, "");
    ASSERT_EQ(file.EntryCount(), 1);
    EXPECT_EQ(file.EntryAt(0).Name, "after");
    EXPECT_EQ(log, std::vector<std::string>{"Value: after (@objectid)"});
}

TEST(ValueParserText, EntriesTakeTheImportedFlag) {
    tmibfile file;
    file.Imported = true;
    ASSERT_EQ(mibtest::parse(file, mibtest::module("a OBJECT IDENTIFIER ::= { t 1 }")).message, "");
    file.Imported = false;
    ASSERT_EQ(mibtest::parse(file, mibtest::module("b OBJECT IDENTIFIER ::= { t 2 }")).message, "");
    EXPECT_TRUE(file.EntryAt(0).Imported);
    EXPECT_FALSE(file.EntryAt(1).Imported);
}

}  // namespace
