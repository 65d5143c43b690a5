#include <gtest/gtest.h>

#include "mibtest_util.h"

namespace {

// The entry in one line: Macro, clause lines, OID parts, Augments and the flags, separated by " | ".
std::string describe(const tmibentry& entry) {
    std::string clauses, oid;
    for (const std::string& line : entry.Clauses) clauses += (clauses.empty() ? "" : "; ") + line;
    for (const OidPart& part : entry.OidParts)
        oid += (oid.empty() ? "" : "; ") + part.name + " " + std::to_string(part.number);
    return entry.Macro + " | " + clauses + " | " + oid + " | " + entry.Augments + " | " +
           (entry.IsUnsigned ? "unsigned" : "signed") + (entry.Is64Bit ? " 64" : "");
}

struct ValueCase {
    const char* name;
    const char* body;
    const char* entry;  // as describe() gives it
};

// clang-format off
const ValueCase valueCases[] = {
    {"ObjectType",
     "ifIndex OBJECT-TYPE SYNTAX InterfaceIndex MAX-ACCESS read-only STATUS current\n"
     "  DESCRIPTION \"A unique value,\n      greater than zero.  \" ::= { ifEntry 1 }",
     "OBJECT-TYPE | SYNTAX=InterfaceIndex; MAX-ACCESS=read-only; STATUS=current; "
     "DESCRIPTION=A unique value, greater than zero. | ifEntry 0; ??? 1 |  | signed"},
    {"Counter32Syntax", "x OBJECT-TYPE SYNTAX Counter32 ::= { t 1 }", "OBJECT-TYPE | SYNTAX=@counter | t 0; ??? 1 |  | unsigned"},
    {"Counter64Syntax", "x OBJECT-TYPE SYNTAX Counter64 ::= { t 1 }", "OBJECT-TYPE | SYNTAX=@counter | t 0; ??? 1 |  | unsigned 64"},
    {"SequenceOfSyntax", "x OBJECT-TYPE SYNTAX SEQUENCE OF IfEntry ::= { t 2 }",
     "OBJECT-TYPE | SYNTAX=@sequence|IfEntry | t 0; ??? 2 |  | signed"},
    {"EnumSyntaxAndDefval", "x OBJECT-TYPE SYNTAX INTEGER { a(1) } DEFVAL { a } ::= { t 3 }",
     "OBJECT-TYPE | SYNTAX=@integer; DEFVAL=a | t 0; ??? 3 |  | signed"},
    {"IndexRepairsNames", "x OBJECT-TYPE INDEX { ifIndex, IMPLIED IfName } ::= { t 1 }",
     "OBJECT-TYPE | INDEX=ifIndex,ifName | t 0; ??? 1 |  | signed"},
    {"Augments", "x OBJECT-TYPE AUGMENTS { ifEntry } STATUS current ::= { t 1 }",
     "OBJECT-TYPE | STATUS=current | t 0; ??? 1 | ifEntry | signed"},
    {"DefvalHex", "x OBJECT-TYPE DEFVAL { 'FF'H } ::= { t 1 }", "OBJECT-TYPE | DEFVAL=255 | t 0; ??? 1 |  | signed"},
    {"DefvalDoubleBraces", "x OBJECT-TYPE DEFVAL { { a, b } } ::= { t 1 }", "OBJECT-TYPE | DEFVAL=a,b | t 0; ??? 1 |  | signed"},
    {"DefvalString", "x OBJECT-TYPE DEFVAL { \"text\" } ::= { t 1 }", "OBJECT-TYPE | DEFVAL= | t 0; ??? 1 |  | signed"},
    {"NumericClauseValue", "x OBJECT-TYPE UNITS 100 ::= { t 1 }", "OBJECT-TYPE | UNITS=100 | t 0; ??? 1 |  | signed"},
    {"MixedCaseSyntaxIsPlainKeyword", "x OBJECT-TYPE Syntax counter ::= { t 1 }",
     "OBJECT-TYPE | Syntax=counter | t 0; ??? 1 |  | signed"},
    {"EmptyLineInDescription", "x OBJECT-TYPE DESCRIPTION \"a\n\nb\n\" ::= { t 1 }",
     "OBJECT-TYPE | DESCRIPTION=a  b | t 0; ??? 1 |  | signed"},
    {"TrapType", "coldStart TRAP-TYPE ENTERPRISE snmp DESCRIPTION \"A cold start.\" ::= 0",
     "TRAP-TYPE | ENTERPRISE=snmp; DESCRIPTION=A cold start. | ??? 0 |  | signed"},
    {"NamedArcs", "internet OBJECT IDENTIFIER ::= { iso org(3) dod(6) 1 }", "@objectid |  | iso 0; org 3; dod 6; ??? 1 |  | signed"},
    {"NumbersOnly", "zeroDotZero OBJECT IDENTIFIER ::= { 0 0 }", "@objectid |  | ??? 0; ??? 0 |  | signed"},
    {"EmptyValue", "e OBJECT IDENTIFIER ::= { }", "@objectid |  |  |  | signed"},
    {"LargestArc", "big OBJECT IDENTIFIER ::= { t 4294967295 }", "@objectid |  | t 0; ??? 4294967295 |  | signed"},
    {"CapitalParent", "sub OBJECT IDENTIFIER ::= { Parent 7 }", "@objectid |  | Parent 0; ??? 7 |  | signed"},
    {"NotificationObjects", "n NOTIFICATION-TYPE OBJECTS { a, b } STATUS current ::= { t 0 1 }",
     "NOTIFICATION-TYPE | OBJECTS=a,b; STATUS=current | t 0; ??? 0; ??? 1 |  | signed"},
    {"RepeatedKeywords",
     "m MODULE-IDENTITY LAST-UPDATED \"200001010000Z\" DESCRIPTION \"own\" REVISION \"r\" DESCRIPTION \"rev\" ::= { t 9 }",
     "MODULE-IDENTITY | LAST-UPDATED=200001010000Z; DESCRIPTION=own; REVISION=r; DESCRIPTION=rev | t 0; ??? 9 |  | signed"},
};
// clang-format on

class ValueParser : public testing::TestWithParam<ValueCase> {};

TEST_P(ValueParser, GivesTheEntry) {
    tmibfile file;
    ASSERT_EQ(mibtest::parse(file, mibtest::module(GetParam().body)).message, "");
    ASSERT_EQ(file.EntryCount(), 1);
    EXPECT_EQ(describe(file.EntryAt(0)), GetParam().entry);
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
