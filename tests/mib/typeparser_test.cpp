#include <gtest/gtest.h>

#include "mib/mibfile.h"

namespace {

// The record in one line: BaseType, member lines, ElementType and the flags, separated by " | ".
std::string describe(const tasntype& type) {
    std::string items;
    for (const std::string& line : type.Items) items += (items.empty() ? "" : "; ") + line;
    return type.BaseType + " | " + items + " | " + type.ElementType + " | " +
           (type.IsUnsigned ? "unsigned" : "signed") + (type.Is64Bit ? " 64" : "");
}

struct TypeCase {
    const char* name;
    const char* text;
    const char* type;  // as describe() gives it
};

#define CONVENTION "TEXTUAL-CONVENTION DISPLAY-HINT \"d\" STATUS current DESCRIPTION \"text\" SYNTAX "

// clang-format off
const TypeCase typeCases[] = {
    {"Counter64", "Counter64", "@counter |  |  | unsigned 64"},
    {"Counter64AnyCase", "COUNTER64", "@counter |  |  | unsigned 64"},
    {"Counter32", "Counter32", "@counter |  |  | unsigned"},
    {"Counter", "counter", "@counter |  |  | unsigned"},
    {"Gauge32", "Gauge32", "@gauge |  |  | unsigned"},
    {"Gauge", "Gauge", "@gauge |  |  | unsigned"},
    {"TimeTicks", "TimeTicks", "@integer |  |  | unsigned"},
    {"Unsigned32", "Unsigned32 (0..10)", "@integer |  |  | unsigned"},
    {"Integer32WithRange", "Integer32 (1..100)", "@integer |  |  | signed"},
    {"EnumeratedInteger", "INTEGER { up(1), down(2) }", "@integer |  |  | signed"},
    {"Boolean", "BOOLEAN", "@bool |  |  | signed"},
    {"BitString", "BIT STRING", "@bstring |  |  | signed"},
    {"OctetStringWithSize", "OCTET STRING (SIZE (0..255))", "@string |  |  | signed"},
    {"Null", "NULL", "@null |  |  | signed"},
    {"ObjectIdentifier", "OBJECT IDENTIFIER", "@objectid |  |  | signed"},
    {"SequenceOf", "SEQUENCE OF IfEntry", "@sequence |  | IfEntry | signed"},
    {"SequenceMembers", "SEQUENCE { ifIndex InterfaceIndex, IfDescr DisplayString, ifTable SEQUENCE OF IfEntry }",
     "@sequence | ifIndex=InterfaceIndex; ifDescr=DisplayString; ifTable=@sequence|IfEntry |  | signed"},
    {"SequenceMemberConstraints", "SEQUENCE { a INTEGER (0..7), b OCTET STRING (SIZE (4)) }",
     "@sequence | a=@integer; b=@string |  | signed"},
    {"SequenceOtherItem", "SEQUENCE x", "@sequence |  |  | signed"},
    {"Choice", "CHOICE { number INTEGER, text OCTET STRING, NULL NULL }",
     "@choice | number=@integer; text=@string; NULL=@null |  | signed"},
    {"ChoiceKeepsNoElementType", "CHOICE { rows SEQUENCE OF Row }", "@choice | rows=@sequence |  | signed"},
    {"Bits", "BITS { a(0), b(1) }", "BITS |  |  | signed"},
    {"TypeReference", "DisplayString (SIZE (0..32))", "DisplayString |  |  | signed"},
    {"MacroName", "OBJECT-TYPE", "OBJECT-TYPE |  |  | signed"},
    {"UnknownReservedWord", "IA5String", " |  |  | signed"},
    {"ValueRef", "foo", " |  |  | signed"},
    {"Compliance", "MODULE-COMPLIANCE STATUS current MODULE MANDATORY-GROUPS { g } ::= { c 1 }", "@ignore |  |  | signed"},
    {"Capabilities", "AGENT-CAPABILITIES PRODUCT-RELEASE \"r\" STATUS current ::= { c 2 }", "@ignore |  |  | signed"},
    {"ConventionOverOctetString", CONVENTION "OCTET STRING (SIZE (0..255))", "@string |  |  | signed"},
    {"ConventionOverEnumeration", CONVENTION "INTEGER { true(1), false(2) }", "@integer |  |  | signed"},
    {"ConventionOverObjectIdentifier", CONVENTION "OBJECT IDENTIFIER", "@objectid |  |  | signed"},
    {"ConventionOverCounter64", CONVENTION "Counter64", "@counter |  |  | unsigned 64"},
    {"ConventionOverGauge32", CONVENTION "Gauge32 (0..100)", "@gauge |  |  | unsigned"},
    {"ConventionOverNamedType", CONVENTION "InterfaceIndex", "InterfaceIndex |  |  | signed"},
    {"ConventionOverBits", CONVENTION "BITS { a(0) }", "BITS |  |  | signed"},
    {"ConventionOwnTail", CONVENTION "Integer32 (0..9) (1..2)", "@integer |  |  | signed"},
};
// clang-format on

class TypeParser : public testing::TestWithParam<TypeCase> {};

TEST_P(TypeParser, GivesTheRecordAndReadsTheWholeType) {
    tmibfile file;
    file.LoadText(std::string(GetParam().text) + " next", "type.mib");
    const tasntype type = file.ParseType("T");
    EXPECT_EQ(type.Name, "T");
    EXPECT_EQ(describe(type), GetParam().type);
    tmibitem following;
    file.NextItem(following);
    EXPECT_EQ(following.text, "next") << "the type was not read exactly to its end";
}

INSTANTIATE_TEST_SUITE_P(Parser, TypeParser, testing::ValuesIn(typeCases),
                         [](const auto& info) { return std::string(info.param.name); });

// What the record keeps of a syntax for units and descriptions, in one line:
// hint | INTEGER-group word | range | named numbers.
std::string describeDetail(const tasntype& type) {
    const SyntaxDetail& d = type.Detail;
    std::string names;
    for (const auto& [name, number] : d.namedNumbers) names += name + "(" + number + ")";
    return type.DisplayHint + " | " + d.integerType + " | " +
           (d.hasRange ? std::to_string(d.rangeLow) + ".." + std::to_string(d.rangeHigh) : "") + " | " +
           names;
}

TEST(TypeParserDetail, KeepsHintBaseWordRangeAndNamedNumbers) {
    const std::pair<const char*, const char*> cases[] = {
        {"TimeTicks", " | TimeTicks |  | "},
        {"Gauge32 (0..100)", " | Gauge32 | 0..100 | "},
        {"Integer32 (-40..125)", " | Integer32 | -40..125 | "},
        {"INTEGER { up(1), down(2), testing(3) }", " | INTEGER |  | up(1)down(2)testing(3)"},
        {"INTEGER { below(-1), zero(0) }", " | INTEGER |  | below(-1)zero(0)"},
        // Named numbers as written: beyond 64 bits, at the edge of 64 bits, in hex.
        {"INTEGER { b(99999999999999999999), c(-99999999999999999999), d(-9223372036854775808) }",
         " | INTEGER |  | b(99999999999999999999)c(-99999999999999999999)d(-9223372036854775808)"},
        {"INTEGER { h('ff'h), z(007) }", " | INTEGER |  | h(255)z(007)"},
        // Shapes that are no single range or list of named numbers keep nothing.
        {"Integer32 (0..10 | 20..30)", " | Integer32 |  | "},
        {"INTEGER { up(1) down(2) }", " | INTEGER |  | "},
        {"OCTET STRING (SIZE (0..255))", " |  |  | "},
        {"Unsigned32 (5)", " | Unsigned32 |  | "},
        // A convention keeps its hint and what its SYNTAX says.
        {"TEXTUAL-CONVENTION DISPLAY-HINT \"d-1\" STATUS current DESCRIPTION \"x\" SYNTAX Integer32 (0..100)",
         "d-1 | Integer32 | 0..100 | "},
        {CONVENTION "INTEGER { true(1), false(2) }", "d | INTEGER |  | true(1)false(2)"},
        {"TEXTUAL-CONVENTION STATUS current DESCRIPTION \"x\" SYNTAX Counter64", " | Counter64 |  | "},
    };
    for (const auto& [text, expected] : cases) {
        tmibfile file;
        file.LoadText(std::string(text) + " next", "type.mib");
        EXPECT_EQ(describeDetail(file.ParseType("T")), expected) << text;
    }
}

TEST(TypeParserTail, SkipsOnlyOneGroup) {
    tmibfile file;
    file.LoadText("INTEGER (0..7) (1..2)", "type.mib");
    EXPECT_EQ(file.ParseType("none").BaseType, "@integer");
    tmibitem item;
    file.NextItem(item);
    EXPECT_EQ(item.kind, ikSymbol);
    EXPECT_EQ(item.symbol, '(');
}

TEST(TypeParserTail, UnclosedGroupEndsAtEndOfText) {
    tmibfile file;
    file.LoadText("OCTET STRING (SIZE (0..", "type.mib");
    EXPECT_EQ(file.ParseType("none").BaseType, "@string");
    tmibitem item;
    file.NextItem(item);
    EXPECT_EQ(item.kind, ikEnd);
}

TEST(TypeParserTail, ConventionWithoutSyntaxReadsToEndOfText) {
    tmibfile file;
    file.LoadText("M DEFINITIONS ::= BEGIN\nT ::= TEXTUAL-CONVENTION STATUS current\nEND\n", "type.mib");
    try {
        file.ParseModule();
        FAIL() << "no error";
    } catch (const eparseexception& error) {
        EXPECT_STREQ(error.what(), "\"EXPORTS\", \"IMPORTS\" or assignment expected.");
        EXPECT_EQ(error.Position, static_cast<int32_t>(file.Text.size()) + 1);
    }
    ASSERT_EQ(file.TypeCount(), 1);
    EXPECT_EQ(file.TypeAt(0).BaseType, "@integer");
}

}  // namespace
