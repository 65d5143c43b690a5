#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "mib/mibfile.h"
#include "mib/reservedwords.h"

namespace {

struct Item {
    TItemKind kind;
    std::string text;  // identifiers and strings; for numbers the decimal value; for symbols the character
    bool operator==(const Item&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Item& item) {
    return out << int(item.kind) << ":" << item.text;
}

constexpr bool atDefinitionStart = true;

// Every item up to the end of text.
std::vector<Item> lex(tmibfile& file, const std::string& text, bool definitionStart = false) {
    file.LoadText(text, "lex.mib");
    file.DefinitionStart = definitionStart;
    std::vector<Item> items;
    tmibitem item;
    for (file.NextItem(item); item.kind != ikEnd; file.NextItem(item)) {
        if (item.kind == ikNumber)
            items.push_back({item.kind, std::to_string(item.value)});
        else if (item.kind == ikSymbol)
            items.push_back({item.kind, std::string(1, item.symbol)});
        else if (item.kind == ikAssign || item.kind == ikRange || item.kind == ikEllipsis ||
                 item.kind == ikLeftBrackets || item.kind == ikRightBrackets)
            items.push_back({item.kind, ""});  // these carry no text; the record keeps the last one
        else
            items.push_back({item.kind, item.text});
    }
    return items;
}

std::vector<Item> lex(const std::string& text, bool definitionStart = false) {
    tmibfile file;
    return lex(file, text, definitionStart);
}

struct LexCase {
    const char* name;
    const char* text;
    bool definitionStart;
    std::vector<Item> items;
};

const LexCase lexCases[] = {
    {"ValueThenMacro", "sysDescr OBJECT-TYPE", false, {{ikValueRef, "sysDescr"}, {ikTypeRef, "OBJECT-TYPE"}}},
    {"CapitalValueAtDefinitionStart",
     "IfEntry OBJECT-TYPE",
     atDefinitionStart,
     {{ikValueRef, "ifEntry"}, {ikTypeRef, "OBJECT-TYPE"}}},
    {"CapitalBeforeObjectIdentifier",
     "Foo OBJECT IDENTIFIER",
     atDefinitionStart,
     {{ikValueRef, "foo"}, {ikReserved, "OBJECT"}, {ikReserved, "IDENTIFIER"}}},
    {"LowerTypeAtDefinitionStart",
     "myString ::= OCTET STRING",
     atDefinitionStart,
     {{ikTypeRef, "MyString"}, {ikAssign, ""}, {ikReserved, "OCTET"}, {ikReserved, "STRING"}}},
    {"LowerNameWithoutDefinitionStart",
     "myString ::= x",
     false,
     {{ikValueRef, "myString"}, {ikAssign, ""}, {ikValueRef, "x"}}},
    {"SmiBaseTypeWithTag",
     "Counter32 ::= [APPLICATION 1] IMPLICIT INTEGER (0..4294967295)",
     false,
     {{ikTypeRef, "Counter32"},
      {ikAssign, ""},
      {ikReserved, "INTEGER"},
      {ikSymbol, "("},
      {ikNumber, "0"},
      {ikRange, ""},
      {ikNumber, "4294967295"},
      {ikSymbol, ")"}}},
    {"IntegerGroupAnyCase",
     "counter32 integer TIMETICKS begin",
     false,
     {{ikReserved, "counter32"}, {ikReserved, "integer"}, {ikReserved, "TIMETICKS"}, {ikValueRef, "begin"}}},
    {"IntegerGroupBeforeBeginIsReserved",
     "INTEGER ::= BEGIN",
     false,
     {{ikReserved, "INTEGER"}, {ikAssign, ""}, {ikReserved, "BEGIN"}}},
    {"IntegerGroupBeforeBraceIsReserved",
     "Gauge32 ::= {",
     false,
     {{ikReserved, "Gauge32"}, {ikAssign, ""}, {ikSymbol, "{"}}},
    {"HexAndBinaryStrings",
     "'FF'H '0101'B ''h 'ffffffffffffffff'h",
     false,
     {{ikNumber, "255"}, {ikNumber, "5"}, {ikEmptyBitString, ""}, {ikNumber, "-1"}}},
    {"LongDigitRunSaturates",
     "12345678901234567890 123456789012345678",
     false,
     {{ikNumber, std::to_string(std::numeric_limits<int64_t>::max())}, {ikNumber, "123456789012345678"}}},
    {"MinusIsASymbol", "-5", false, {{ikSymbol, "-"}, {ikNumber, "5"}}},
    {"CommentRunsToLineEnd", "a -- b -- c\nd", false, {{ikValueRef, "a"}, {ikValueRef, "d"}}},
    {"BlockComment", "a /* b\n c */ d /* open", false, {{ikValueRef, "a"}, {ikValueRef, "d"}}},
    {"DoubledQuoteGivesTwoStrings", "\"ab\"\"cd\"", false, {{ikString, "ab"}, {ikString, "cd"}}},
    {"StringKeepsLineBreaks", "\"a\nb\" \"open", false, {{ikString, "a\r\nb"}, {ikString, "open\r\n"}}},
    {"BracesMergeAcrossBlanks", "{ { a } }", false, {{ikSymbol, "{"}, {ikValueRef, "a"}, {ikSymbol, "}"}}},
    {"BracesWrittenTogetherMerge", "{{ a }}", false, {{ikSymbol, "{"}, {ikValueRef, "a"}, {ikSymbol, "}"}}},
    {"BraceAgainstAWordStaysTwo", "{{a", false, {{ikSymbol, "{"}, {ikSymbol, "{"}, {ikValueRef, "a"}}},
    {"MultiCharacterSymbols",
     "::= ... .. [[ ]] ]",
     false,
     {{ikAssign, ""},
      {ikEllipsis, ""},
      {ikRange, ""},
      {ikLeftBrackets, ""},
      {ikRightBrackets, ""},
      {ikSymbol, "]"}}},
    {"TagSwallowsUpToExplicit", "[0] x y EXPLICIT z", false, {{ikValueRef, "z"}}},
    {"TagWithoutImplicitSwallowsAll", "[0] x y", false, {}},
    {"CapitalParentBeforeNumber",
     "{ Parent 3 }",
     false,
     {{ikSymbol, "{"}, {ikValueRef, "Parent"}, {ikNumber, "3"}, {ikSymbol, "}"}}},
    {"CapitalParentBeforeNumberAndBrace",
     "{ Parent 3}",
     false,
     {{ikSymbol, "{"}, {ikValueRef, "Parent"}, {ikNumber, "3"}, {ikSymbol, "}"}}},
    {"CapitalBeforeOutOfRangeNumber",
     "Parent 4294967296",
     false,
     {{ikTypeRef, "Parent"}, {ikNumber, "4294967296"}}},
    {"SymbolSet",
     "!(),;<=>@^|",
     false,
     {{ikSymbol, "!"},
      {ikSymbol, "("},
      {ikSymbol, ")"},
      {ikSymbol, ","},
      {ikSymbol, ";"},
      {ikSymbol, "<"},
      {ikSymbol, "="},
      {ikSymbol, ">"},
      {ikSymbol, "@"},
      {ikSymbol, "^"},
      {ikSymbol, "|"}}},
    {"IdentifierWithDigitsAndDashes", "mib-2 a_b9", false, {{ikValueRef, "mib-2"}, {ikValueRef, "a_b9"}}},
    {"EmptyText", "", false, {}},
};

class LexerItems : public testing::TestWithParam<LexCase> {};

TEST_P(LexerItems, GivesTheItems) {
    EXPECT_EQ(lex(GetParam().text, GetParam().definitionStart), GetParam().items);
}

INSTANTIATE_TEST_SUITE_P(Lexer, LexerItems, testing::ValuesIn(lexCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct LexErrorCase {
    const char* name;
    const char* text;
    const char* message;
    int32_t position;
};

const LexErrorCase lexErrors[] = {
    {"Hash", "ab #", "Unexpected character \"#\".", 4},
    {"HighByte", "\xC3\xA9", "Unexpected character \"\xC3\".", 1},
    {"StrayDot", "a . b", "Unexpected character \".\".", 3},
    {"StrayColon", "a :: b", "Unexpected character \":\".", 3},
    {"BitStringWithoutLetter", "'FF'X", "Unsupported Hex or binary number format.", 5},
    {"UnterminatedBitString", "x 'FF", "Unsupported Hex or binary number format.", 8},
    {"BadHexDigit", "'FG'H", "Unsupported Hex or binary number format (Value=FG).", 5},
    {"BadBinaryDigit", "'012'B", "Unsupported Hex or binary number format (Value=012).", 6},
    {"BlankInHex", "'F F'h", "Unsupported Hex or binary number format (Value=F F).", 6},
    {"TooManyHexDigits", "'11112222333344445'H",
     "Unsupported Hex or binary number format (Value=11112222333344445).", 20},
};

class LexerErrors : public testing::TestWithParam<LexErrorCase> {};

TEST_P(LexerErrors, RaisesWithPosition) {
    tmibfile file;
    try {
        lex(file, GetParam().text);
        FAIL() << "no error";
    } catch (const eparseexception& error) {
        EXPECT_STREQ(error.what(), GetParam().message);
        EXPECT_EQ(error.Position, GetParam().position);
        EXPECT_EQ(error.FileName, "lex.mib");
    }
}

INSTANTIATE_TEST_SUITE_P(Lexer, LexerErrors, testing::ValuesIn(lexErrors),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Lexer, CaseRepairsAreWrittenBackIntoText) {
    tmibfile file;
    lex(file, "IfEntry OBJECT-TYPE", atDefinitionStart);
    EXPECT_EQ(file.Text, "ifEntry OBJECT-TYPE\r\n");
    lex(file, "myString ::= OCTET STRING", atDefinitionStart);
    EXPECT_EQ(file.Text, "MyString ::= OCTET STRING\r\n");
    file.LoadText("IfName", "lex.mib");
    file.InIndex = true;
    tmibitem item;
    file.NextItem(item);
    EXPECT_EQ(item.text, "ifName");
    EXPECT_EQ(file.Text, "ifName\r\n");
}

TEST(Lexer, EndIsRepeated) {
    tmibfile file;
    file.LoadText("", "lex.mib");
    tmibitem item;
    for (int i = 0; i < 3; ++i) {
        file.NextItem(item);
        EXPECT_EQ(item.kind, ikEnd);
    }
}

TEST(Lexer, BraceAfterSequenceStartsADefinition) {
    tmibfile file;
    file.LoadText("SEQUENCE { IfIndex x", "lex.mib");
    file.InSequenceMembers = true;
    tmibitem item;
    file.NextItem(item);
    EXPECT_EQ(item.reserved, rwSEQUENCE);
    file.NextItem(item);
    EXPECT_TRUE(file.DefinitionStart);
    file.NextItem(item);
    EXPECT_EQ(item.kind, ikValueRef);
    EXPECT_EQ(item.text, "ifIndex");
    EXPECT_FALSE(file.DefinitionStart);
}

TEST(Lexer, PeekWordReadsRawText) {
    tmibfile file;
    file.LoadText("  a  ::={ b", "lex.mib");
    EXPECT_EQ(file.PeekWord(1, 1), "a");
    EXPECT_EQ(file.PeekWord(1, 2), "::={");
    EXPECT_EQ(file.PeekWord(1, 3), "b");
    EXPECT_EQ(file.PeekWord(1, 4), "");
    EXPECT_EQ(file.PeekWord(4, 1), "::={");
    EXPECT_EQ(file.Position, 1);
}

struct ReservedCase {
    const char* word;
    TReservedWord reserved;
};

TEST(Lexer, ReservedWordLookup) {
    const ReservedCase cases[] = {
        {"BEGIN", rwBEGIN},       {"begin", rwNone},      {"Begin", rwNone},
        {"COUNTER64", rwINTEGER}, {"counter", rwINTEGER}, {"Unsigned32", rwINTEGER},
        {"Integer32", rwINTEGER}, {"IMPLIED", rwIMPLIED}, {"RELATIVE-OID", rwRELATIVE_OID},
        {"WITH", rwWITH},         {"ABSENT", rwABSENT},   {"OBJECT-TYPE", rwNone},
        {"Counter65", rwNone},    {"t61string", rwNone},  {"T61String", rwT61String},
    };
    for (const ReservedCase& c : cases) EXPECT_EQ(LookupReserved(c.word), c.reserved) << c.word;
}

}  // namespace
