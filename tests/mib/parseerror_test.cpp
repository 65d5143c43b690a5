// Every message of the module, type and value parsers with the position it is raised at.
#include <gtest/gtest.h>

#include "mibtest_util.h"

namespace {

struct ErrorCase {
    const char* name;
    std::string source;  // a whole module
    const char* message;
    const char* after;  // the error stands just after the first occurrence of this text; "" for the end
};

std::string body(const std::string& text) {
    return mibtest::module(text);
}

const ErrorCase errorCases[] = {
    // module header and body
    {"LowerModuleName", "m DEFINITIONS ::= BEGIN END", "Module Identifier expected.", "m"},
    {"ModuleOidBeforeDefinitions", "M { 1 3 } DEFINITIONS ::= BEGIN END", "\"DEFINITIONS\" expected.", "M {"},
    {"HeaderWithoutAssign", "M DEFINITIONS x ::= BEGIN END", "\"::=\" expected.", "DEFINITIONS x"},
    {"LowerBegin", "M DEFINITIONS ::= begin END", "\"BEGIN\" expected.", "::= begin"},
    {"NumberAsDefinition", body("5"), "\"EXPORTS\", \"IMPORTS\" or assignment expected.", "BEGIN\r\n5"},
    {"StringAsDefinition", body("\"s\""), "\"EXPORTS\", \"IMPORTS\" or assignment expected.", "\"s\""},
    {"NoEnd", "M DEFINITIONS ::= BEGIN\nx OBJECT IDENTIFIER ::= { a 1 }\n",
     "\"EXPORTS\", \"IMPORTS\" or assignment expected.", ""},
    {"TypeWithoutAssign", body("Foo BAR"), "\"::=\" expected.", "Foo BAR"},
    {"ImportOfString", body("IMPORTS \"x\" FROM Y;"), "Identifier or Type expected.", "IMPORTS \"x\""},
    {"ImportsWithoutFrom", "M DEFINITIONS ::= BEGIN IMPORTS a, b", "\"FROM\" expected.", ""},
    {"ImportsWithoutModule", body("IMPORTS a FROM ;"), "Module Reference expected.", "FROM ;"},
    // types
    {"Enumerated", body("T ::= ENUMERATED { a(1) }"), "Enumerated Type not supported.", "ENUMERATED"},
    {"Real", body("T ::= REAL"), "Real Type not supported yet.", "REAL"},
    {"Set", body("T ::= SET { a INTEGER }"), "Set Type not supported.", "SET"},
    {"RelativeOid", body("T ::= RELATIVE-OID"), "Relative OID not supported.", "RELATIVE-OID"},
    {"EmbeddedPdv", body("T ::= EMBEDDED PDV"), "Embedded PDV not supported.", "PDV"},
    {"EmbeddedWithoutPdv", body("T ::= EMBEDDED x"), "\"PDV\" expected.", "EMBEDDED x"},
    {"External", body("T ::= EXTERNAL"), "External not supported.", "EXTERNAL"},
    {"OctetWithoutString", body("T ::= OCTET x"), "\"STRING\" expected.", "OCTET x"},
    {"BitWithoutString", body("T ::= BIT 5"), "\"STRING\" expected.", "BIT 5"},
    {"ConventionOctetWithoutString", body("T ::= TEXTUAL-CONVENTION STATUS current SYNTAX OCTET BIT"),
     "\"STRING\" expected.", "OCTET BIT"},
    {"ObjectWithoutIdentifier", body("T ::= OBJECT STRING"), "\"IDENTIFIER\" expected.", "OBJECT STRING"},
    {"ChoiceWithoutBrace", body("T ::= CHOICE a"), "\"{\" expected.", "CHOICE a"},
    {"ChoiceAlternativeString", body("T ::= CHOICE { \"s\" INTEGER }"), "Identifier expected.", "{ \"s\""},
    {"ChoiceWithoutSeparator", body("T ::= CHOICE { a INTEGER b NULL }"), "\"}\" or \",\" expected.",
     "INTEGER b"},
    {"SequenceMemberNumber", body("T ::= SEQUENCE { 5 }"), "Identifier expected.", "{ 5"},
    {"SequenceWithoutSeparator", body("T ::= SEQUENCE { a INTEGER b INTEGER }"), "\"}\" or \",\" expected.",
     "INTEGER b"},
    {"SequenceToEndOfText", "M DEFINITIONS ::= BEGIN T ::= SEQUENCE { a INTEGER,", "Identifier expected.",
     ""},
    // values
    {"ClauseKeywordString", body("x OBJECT-TYPE SYNTAX INTEGER \"s\" ::= { a 1 }"),
     "Identifier or Type expected.", "INTEGER \"s\""},
    {"ClauseKeywordNumber", body("x OBJECT-TYPE 5 ::= { a 1 }"), "Identifier or Type expected.",
     "OBJECT-TYPE 5"},
    {"AugmentsWithoutBrace", body("x OBJECT-TYPE AUGMENTS y ::= { a 1 }"), "\"{\" expected.", "AUGMENTS y"},
    {"IndexWithoutBrace", body("x OBJECT-TYPE INDEX y ::= { a 1 }"), "\"{\" expected.", "INDEX y"},
    {"ValueIsAName", body("x OBJECT IDENTIFIER ::= sysDescr"), "\"{\" or number expected.", "::= sysDescr"},
    {"ClauseValueAtEndOfText", "M DEFINITIONS ::= BEGIN x OBJECT-TYPE STATUS", "\"{\" or number expected.",
     ""},
    {"NameInParentheses", body("x OBJECT IDENTIFIER ::= { iso org(x) }"), "Number expected.", "org(x"},
    {"UnclosedParenthesis", body("x OBJECT IDENTIFIER ::= { iso org(3 }"), "\")\" expected.", "org(3 }"},
    {"StringInOid", body("x OBJECT IDENTIFIER ::= { iso \"s\" }"), "Identifier or Number expected.",
     "iso \"s\""},
    {"TypeNameInOid", body("x OBJECT IDENTIFIER ::= { iso Org }"), "Identifier or Number expected.",
     "iso Org"},
    // an arc that does not fit 32 bits would wrap into another vendor's number
    {"ArcJustTooLarge", body("r OBJECT IDENTIFIER ::= { enterprises 4294967296 }"),
     "OID arc out of range 0..4294967295 (Value=4294967296).", "4294967296"},
    {"ArcWrappingToNine", body("r OBJECT IDENTIFIER ::= { enterprises 4294967305 1 }"),
     "OID arc out of range 0..4294967295 (Value=4294967305).", "4294967305"},
    {"ArcOf20Digits", body("r OBJECT IDENTIFIER ::= { enterprises 18446744073709551615 }"),
     "OID arc out of range 0..4294967295 (Value=18446744073709551615).", "18446744073709551615"},
    {"NamedArcTooLarge", body("r OBJECT IDENTIFIER ::= { iso org(99999999999) }"),
     "OID arc out of range 0..4294967295 (Value=99999999999).", "99999999999"},
    {"BareNumberTooLarge", body("t TRAP-TYPE ENTERPRISE e ::= 4294967296"),
     "OID arc out of range 0..4294967295 (Value=4294967296).", "4294967296"},
    {"HexArcTooLarge", body("r OBJECT IDENTIFIER ::= { enterprises '1FFFFFFFF'h }"),
     "OID arc out of range 0..4294967295 (Value='1FFFFFFFF'h).", "'1FFFFFFFF'h"},
};

class ParseErrors : public testing::TestWithParam<ErrorCase> {};

TEST_P(ParseErrors, RaisesMessageAtPosition) {
    tmibfile file;
    const mibtest::ParseOutcome outcome = mibtest::parse(file, GetParam().source);
    EXPECT_EQ(outcome.message, GetParam().message);
    const std::string after = GetParam().after;
    const int32_t expected =
        after.empty() ? static_cast<int32_t>(file.Text.size()) + 1 : mibtest::positionAfter(file.Text, after);
    EXPECT_EQ(outcome.position, expected) << file.Text;
}

INSTANTIATE_TEST_SUITE_P(Parser, ParseErrors, testing::ValuesIn(errorCases),
                         [](const auto& info) { return std::string(info.param.name); });

std::string nestedSequences(int levels) {
    std::string type;
    for (int i = 0; i < levels; ++i) type += "SEQUENCE OF ";
    return body("T ::= " + type + "INTEGER");
}

TEST(Parser, TypeNestingIsBounded) {
    tmibfile file;
    EXPECT_EQ(mibtest::parse(file, nestedSequences(63)).message, "");
    const mibtest::ParseOutcome outcome = mibtest::parse(file, nestedSequences(64));
    EXPECT_EQ(outcome.message, "Type nesting too deep.");
    EXPECT_EQ(outcome.position, static_cast<int32_t>(file.Text.rfind("OF ") + 3));
    // Deep member lists fail the same way instead of exhausting the stack.
    std::string members;
    for (int i = 0; i < 5000; ++i) members += "SEQUENCE { a ";
    EXPECT_EQ(mibtest::parse(file, body("T ::= " + members)).message, "Type nesting too deep.");
}

TEST(Parser, ErrorLeavesNoFlagSetForTheNextModule) {
    tmibfile file;
    EXPECT_NE(mibtest::parse(file, body("T ::= SEQUENCE { a INTEGER 5 }")).message, "");
    EXPECT_FALSE(file.Lexer().InSequenceMembers);
    EXPECT_EQ(mibtest::parse(file, body("x OBJECT-TYPE INDEX { a 'F'X } ::= { b 1 }")).message,
              "Unsupported Hex or binary number format.");
    EXPECT_FALSE(file.Lexer().InIndex);
}

}  // namespace
