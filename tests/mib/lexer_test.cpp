#include <gtest/gtest.h>

#include "mib/miblexer.h"
#include "mib/reservedwords.h"

namespace {

constexpr bool atDefinitionStart = true;

// Every item up to the end of text, one word each: T:name (type), V:name (value), R:word (reserved),
// N:value, S:"text", B (empty bit string), the symbol's character, or the multi-character symbol.
std::string lex(MibLexer& lexer, const std::string& text, bool definitionStart = false) {
    lexer.LoadText(text, "lex.mib");
    lexer.DefinitionStart = definitionStart;
    std::string items;
    tmibitem item;
    for (lexer.NextItem(item); item.kind != ikEnd; lexer.NextItem(item)) {
        if (!items.empty()) items += ' ';
        switch (item.kind) {
            case ikTypeRef:
                items += "T:" + item.text;
                break;
            case ikValueRef:
                items += "V:" + item.text;
                break;
            case ikReserved:
                items += "R:" + item.text;
                break;
            case ikNumber:
                items += "N:" + std::to_string(item.value);
                break;
            case ikString:
                items += "S:\"" + item.text + "\"";
                break;
            case ikEmptyBitString:
                items += "B";
                break;
            case ikSymbol:
                items += item.symbol;
                break;
            case ikAssign:
                items += "::=";
                break;
            case ikRange:
                items += "..";
                break;
            case ikEllipsis:
                items += "...";
                break;
            case ikLeftBrackets:
                items += "[[";
                break;
            case ikRightBrackets:
                items += "]]";
                break;
            default:
                items += "?";
                break;
        }
    }
    return items;
}

std::string lex(const std::string& text, bool definitionStart = false) {
    MibLexer lexer;
    return lex(lexer, text, definitionStart);
}

struct LexCase {
    const char* name;
    const char* text;
    bool definitionStart;
    const char* items;
};

// clang-format off
const LexCase lexCases[] = {
    {"ValueThenMacro", "sysDescr OBJECT-TYPE", false, "V:sysDescr T:OBJECT-TYPE"},
    {"CapitalValueAtDefinitionStart", "IfEntry OBJECT-TYPE", atDefinitionStart, "V:ifEntry T:OBJECT-TYPE"},
    {"CapitalBeforeObjectIdentifier", "Foo OBJECT IDENTIFIER", atDefinitionStart, "V:foo R:OBJECT R:IDENTIFIER"},
    {"CapitalBeforeOtherMacro", "Foo OBJECT-GROUP", atDefinitionStart, "T:Foo T:OBJECT-GROUP"},
    {"LowerTypeAtDefinitionStart", "myString ::= OCTET STRING", atDefinitionStart, "T:MyString ::= R:OCTET R:STRING"},
    {"LowerNameWithoutDefinitionStart", "myString ::= x", false, "V:myString ::= V:x"},
    {"SmiBaseTypeWithTag", "Counter32 ::= [APPLICATION 1] IMPLICIT INTEGER (0..4294967295)", false,
     "T:Counter32 ::= R:INTEGER ( N:0 .. N:4294967295 )"},
    {"IntegerGroupAnyCase", "counter32 integer TIMETICKS begin", false, "R:counter32 R:integer R:TIMETICKS V:begin"},
    {"IntegerGroupBeforeBegin", "INTEGER ::= BEGIN", false, "R:INTEGER ::= R:BEGIN"},
    {"IntegerGroupBeforeBrace", "Gauge32 ::= {", false, "R:Gauge32 ::= {"},
    {"HexAndBinaryStrings", "'FF'H '0101'B ''h 'ffffffffffffffff'h", false, "N:255 N:5 B N:-1"},
    {"TooLongForANumberKeptAsText", "'11112222333344445'H '00000000000000000000000000000000000000000000000000000000000000001'b",
     false, "S:\"'11112222333344445'H\" S:\"'00000000000000000000000000000000000000000000000000000000000000001'b\""},
    {"LongDigitRunSaturates", "12345678901234567890 123456789012345678", false,
     "N:9223372036854775807 N:123456789012345678"},
    {"MinusIsASymbol", "-5", false, "- N:5"},
    {"CommentRunsToLineEnd", "a -- b -- c\nd", false, "V:a V:d"},
    {"BlockComment", "a /* b\n c */ d /* open", false, "V:a V:d"},
    {"DoubledQuoteGivesTwoStrings", "\"ab\"\"cd\"", false, "S:\"ab\" S:\"cd\""},
    {"StringKeepsLineBreaks", "\"a\nb\" \"open", false, "S:\"a\r\nb\" S:\"open\r\n\""},
    {"BracesMergeAcrossBlanks", "{ { a } }", false, "{ V:a }"},
    {"BracesWrittenTogetherMerge", "{{ a }}", false, "{ V:a }"},
    {"BraceAgainstAWordStaysTwo", "{{a", false, "{ { V:a"},
    {"MultiCharacterSymbols", "::= ... .. [[ ]] ]", false, "::= ... .. [[ ]] ]"},
    {"TagSwallowsUpToExplicit", "[0] x y EXPLICIT z", false, "V:z"},
    {"TagWithoutImplicitSwallowsAll", "[0] x y", false, ""},
    {"CapitalParentBeforeNumber", "{ Parent 3 }", false, "{ V:Parent N:3 }"},
    {"CapitalParentBeforeNumberAndBrace", "{ Parent 3}", false, "{ V:Parent N:3 }"},
    {"CapitalBeforeOutOfRangeNumber", "Parent 4294967296", false, "T:Parent N:4294967296"},
    {"SymbolSet", "!(),;<=>@^|", false, "! ( ) , ; < = > @ ^ |"},
    {"IdentifierWithDigitsAndDashes", "mib-2 a_b9", false, "V:mib-2 V:a_b9"},
    {"EmptyText", "", false, ""},
};
// clang-format on

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
    {"BadDigitInLongHex", "'FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFG'H",
     "Unsupported Hex or binary number format (Value=FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFG).", 35},
};

class LexerErrors : public testing::TestWithParam<LexErrorCase> {};

TEST_P(LexerErrors, RaisesWithPosition) {
    MibLexer lexer;
    try {
        lex(lexer, GetParam().text);
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
    MibLexer lexer;
    lex(lexer, "IfEntry OBJECT-TYPE", atDefinitionStart);
    EXPECT_EQ(lexer.Text, "ifEntry OBJECT-TYPE\r\n");
    lex(lexer, "myString ::= OCTET STRING", atDefinitionStart);
    EXPECT_EQ(lexer.Text, "MyString ::= OCTET STRING\r\n");
    lexer.LoadText("IfName", "lex.mib");
    lexer.InIndex = true;
    tmibitem item;
    lexer.NextItem(item);
    EXPECT_EQ(item.text, "ifName");
    EXPECT_EQ(lexer.Text, "ifName\r\n");
}

TEST(Lexer, EndIsRepeated) {
    MibLexer lexer;
    lexer.LoadText("", "lex.mib");
    tmibitem item;
    for (int i = 0; i < 3; ++i) {
        lexer.NextItem(item);
        EXPECT_EQ(item.kind, ikEnd);
    }
}

TEST(Lexer, BraceAfterSequenceStartsADefinition) {
    MibLexer lexer;
    lexer.LoadText("SEQUENCE { IfIndex x", "lex.mib");
    lexer.InSequenceMembers = true;
    tmibitem item;
    lexer.NextItem(item);
    EXPECT_EQ(item.reserved, rwSEQUENCE);
    lexer.NextItem(item);
    EXPECT_TRUE(lexer.DefinitionStart);
    lexer.NextItem(item);
    EXPECT_EQ(item.kind, ikValueRef);
    EXPECT_EQ(item.text, "ifIndex");
    EXPECT_FALSE(lexer.DefinitionStart);
}

TEST(Lexer, PeekWordReadsRawText) {
    MibLexer lexer;
    lexer.LoadText("  a  ::={ b", "lex.mib");
    EXPECT_EQ(lexer.PeekWord(1, 1), "a");
    EXPECT_EQ(lexer.PeekWord(1, 2), "::={");
    EXPECT_EQ(lexer.PeekWord(1, 3), "b");
    EXPECT_EQ(lexer.PeekWord(1, 4), "");
    EXPECT_EQ(lexer.PeekWord(4, 1), "::={");
    EXPECT_EQ(lexer.Position, 1);
}

TEST(Lexer, LongRunsAreLookedAtOnlyAsFarAsNeeded) {
    MibLexer lexer;
    const std::string braces(100, '{');
    lexer.LoadText("a " + braces + " b", "lex.mib");
    EXPECT_EQ(lexer.PeekWord(1, 2), braces.substr(0, MibLexer::PeekLength));
    // The cut run still differs from every word it is compared with: only a brace followed by a
    // lone brace merges with it, and a capital name before a long run of digits is a type name.
    EXPECT_EQ(lex("{{{{ }}}}"), "{ { { } } }");
    EXPECT_EQ(lex("x " + std::string(40, '1')), "V:x N:9223372036854775807");
    EXPECT_EQ(lex("X " + std::string(40, '1')), "T:X N:9223372036854775807");
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
