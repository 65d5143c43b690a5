#include <gtest/gtest.h>

#include "mib/mibfile.h"

namespace {

struct TypeCase {
    const char* name;
    const char* text;
    const char* baseType;
    std::vector<std::string> items;
    const char* elementType;
    bool isUnsigned;
    bool is64Bit;
};

constexpr bool U = true;   // unsigned
constexpr bool W = true;   // 64-bit
constexpr bool S = false;  // signed / 32-bit

const TypeCase typeCases[] = {
    {"Counter64", "Counter64", "@counter", {}, "", U, W},
    {"Counter64AnyCase", "COUNTER64", "@counter", {}, "", U, W},
    {"Counter32", "Counter32", "@counter", {}, "", U, S},
    {"Counter", "counter", "@counter", {}, "", U, S},
    {"Gauge32", "Gauge32", "@gauge", {}, "", U, S},
    {"Gauge", "Gauge", "@gauge", {}, "", U, S},
    {"TimeTicks", "TimeTicks", "@integer", {}, "", U, S},
    {"Unsigned32", "Unsigned32 (0..10)", "@integer", {}, "", U, S},
    {"Integer32WithRange", "Integer32 (1..100)", "@integer", {}, "", S, S},
    {"EnumeratedInteger", "INTEGER { up(1), down(2) }", "@integer", {}, "", S, S},
    {"Boolean", "BOOLEAN", "@bool", {}, "", S, S},
    {"BitString", "BIT STRING", "@bstring", {}, "", S, S},
    {"OctetStringWithSize", "OCTET STRING (SIZE (0..255))", "@string", {}, "", S, S},
    {"Null", "NULL", "@null", {}, "", S, S},
    {"ObjectIdentifier", "OBJECT IDENTIFIER", "@objectid", {}, "", S, S},
    {"SequenceOf", "SEQUENCE OF IfEntry", "@sequence", {}, "IfEntry", S, S},
    {"SequenceMembers",
     "SEQUENCE { ifIndex InterfaceIndex, IfDescr DisplayString, ifTable SEQUENCE OF IfEntry }",
     "@sequence",
     {"ifIndex=InterfaceIndex", "ifDescr=DisplayString", "ifTable=@sequence|IfEntry"},
     "",
     S,
     S},
    {"SequenceMemberWithConstraints",
     "SEQUENCE { a INTEGER (0..7), b OCTET STRING (SIZE (4)) }",
     "@sequence",
     {"a=@integer", "b=@string"},
     "",
     S,
     S},
    {"SequenceOtherItem", "SEQUENCE x", "@sequence", {}, "", S, S},
    {"Choice",
     "CHOICE { number INTEGER, text OCTET STRING, NULL NULL }",
     "@choice",
     {"number=@integer", "text=@string", "NULL=@null"},
     "",
     S,
     S},
    {"ChoiceKeepsNoElementType", "CHOICE { rows SEQUENCE OF Row }", "@choice", {"rows=@sequence"}, "", S, S},
    {"Bits", "BITS { a(0), b(1) }", "BITS", {}, "", S, S},
    {"TypeReference", "DisplayString (SIZE (0..32))", "DisplayString", {}, "", S, S},
    {"MacroName", "OBJECT-TYPE", "OBJECT-TYPE", {}, "", S, S},
    {"UnknownReservedWord", "IA5String", "", {}, "", S, S},
    {"ValueRef", "foo", "", {}, "", S, S},
    {"Compliance",
     "MODULE-COMPLIANCE STATUS current MODULE MANDATORY-GROUPS { g } ::= { c 1 }",
     "@ignore",
     {},
     "",
     S,
     S},
    {"Capabilities",
     "AGENT-CAPABILITIES PRODUCT-RELEASE \"r\" STATUS current ::= { c 2 }",
     "@ignore",
     {},
     "",
     S,
     S},
    {"ConventionOverOctetString",
     "TEXTUAL-CONVENTION DISPLAY-HINT \"255a\" STATUS current DESCRIPTION \"text\" SYNTAX OCTET STRING (SIZE "
     "(0..255))",
     "@string",
     {},
     "",
     S,
     S},
    {"ConventionOverEnumeration",
     "TEXTUAL-CONVENTION STATUS current DESCRIPTION \"d\" SYNTAX INTEGER { true(1), false(2) }",
     "@integer",
     {},
     "",
     S,
     S},
    {"ConventionOverObjectIdentifier",
     "TEXTUAL-CONVENTION STATUS current DESCRIPTION \"d\" SYNTAX OBJECT IDENTIFIER",
     "@objectid",
     {},
     "",
     S,
     S},
    {"ConventionOverCounter64",
     "TEXTUAL-CONVENTION STATUS current DESCRIPTION \"d\" SYNTAX Counter64",
     "@counter",
     {},
     "",
     U,
     W},
    {"ConventionOverGauge32",
     "TEXTUAL-CONVENTION STATUS current DESCRIPTION \"d\" SYNTAX Gauge32 (0..100)",
     "@gauge",
     {},
     "",
     U,
     S},
    {"ConventionOverNamedType",
     "TEXTUAL-CONVENTION STATUS current DESCRIPTION \"d\" SYNTAX InterfaceIndex",
     "InterfaceIndex",
     {},
     "",
     S,
     S},
    {"ConventionOverBits",
     "TEXTUAL-CONVENTION STATUS current DESCRIPTION \"d\" SYNTAX BITS { a(0) }",
     "BITS",
     {},
     "",
     S,
     S},
};

class TypeParser : public testing::TestWithParam<TypeCase> {};

TEST_P(TypeParser, GivesTheRecordAndReadsTheWholeType) {
    const TypeCase& c = GetParam();
    tmibfile file;
    file.LoadText(std::string(c.text) + " next", "type.mib");
    const tasntype type = file.ParseType("T");
    EXPECT_EQ(type.Name, "T");
    EXPECT_EQ(type.BaseType, c.baseType);
    EXPECT_EQ(type.Items, c.items);
    EXPECT_EQ(type.ElementType, c.elementType);
    EXPECT_EQ(type.IsUnsigned, c.isUnsigned);
    EXPECT_EQ(type.Is64Bit, c.is64Bit);
    tmibitem following;
    file.NextItem(following);
    EXPECT_EQ(following.text, "next") << "the type was not read exactly to its end";
}

INSTANTIATE_TEST_SUITE_P(Parser, TypeParser, testing::ValuesIn(typeCases),
                         [](const auto& info) { return std::string(info.param.name); });

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
