#include "text/printable.h"

#include <gtest/gtest.h>

namespace {

struct EscapeCase {
    const char* what;
    std::string_view input;
    std::string_view expected;
};

TEST(EscapeForTerminal, ShowsEveryUnprintableByteAsHex) {
    const EscapeCase cases[] = {
        {"plain ASCII", "IF-MIB|if|in octets", "IF-MIB|if|in octets"},
        {"empty", "", ""},
        {"escape sequence that clears the screen", "a\x1b[2Jb", "a\\x1B[2Jb"},
        {"bell, tab, line feed, carriage return", "\a\t\n\r", "\\x07\\x09\\x0A\\x0D"},
        {"NUL inside", std::string_view("a\0b", 3), "a\\x00b"},
        {"DEL", "x\x7f", "x\\x7F"},
        {"well-formed UTF-8 letters", "caf\xC3\xA9 \xE2\x82\xAC", "caf\xC3\xA9 \xE2\x82\xAC"},
        {"C1 control CSI written in UTF-8",
         "\xC2\x9B"
         "31m",
         "\\xC2\\x9B31m"},
        {"a Windows-1252 letter", "caf\xE9", "caf\\xE9"},
        {"raw CSI byte",
         "\x9B"
         "31m",
         "\\x9B31m"},
        {"cut sequence at the end", "ab\xE2\x82", "ab\\xE2\\x82"},
        {"overlong slash", "\xC0\xAF", "\\xC0\\xAF"},
        // A bidirectional control would show the rest of a name reversed: "reportexe.pdf".
        {"right-to-left override",
         "report\xE2\x80\xAE"
         "fdp.exe",
         "report\\u202Efdp.exe"},
        {"isolates and marks", "\xE2\x81\xA6x\xE2\x81\xA9\xE2\x80\x8F\xD8\x9C",
         "\\u2066x\\u2069\\u200F\\u061C"},
        {"letters beside the controls stay", "\xE2\x80\xA9\xE2\x80\xB0", "\xE2\x80\xA9\xE2\x80\xB0"},
    };
    for (const EscapeCase& c : cases) EXPECT_EQ(EscapeForTerminal(c.input), c.expected) << c.what;
}

TEST(QuoteForJson, KeepsTextAndEscapesEverythingElse) {
    const EscapeCase cases[] = {
        {"plain", "IF-MIB|if", R"("IF-MIB|if")"},
        {"quote and backslash", "a\"b\\c", R"("a\"b\\c")"},
        {"C0 controls", "\t\x1b[2J", R"("\u0009\u001b[2J")"},
        {"DEL and C1", "\x7f\xC2\x85", R"("\u007f\u0085")"},
        {"UTF-8 kept", "caf\xC3\xA9", "\"caf\xC3\xA9\""},
        {"bidirectional override",
         "a\xE2\x80\xAE"
         "b",
         R"("a\u202eb")"},
        // JSON holds only Unicode: a lone byte is shown as the terminal shows it, never as U+00FF.
        {"bytes outside UTF-8", "\xFF\xE2\x82", R"("\\xFF\\xE2\\x82")"},
    };
    for (const EscapeCase& c : cases) EXPECT_EQ(QuoteForJson(c.input), c.expected) << c.what;
}

TEST(ShortenedToken, CutsOnlyWhatIsTooLongToRead) {
    const std::string longest(MaxQuotedToken, '7');
    const std::string cases[][2] = {
        {"", ""},
        {"4294967296", "4294967296"},
        {longest, longest},
        {longest + "8", longest + "... (65 characters)"},
        {std::string(10'000'000, '9'), std::string(MaxQuotedToken, '9') + "... (10000000 characters)"},
    };
    for (const auto& [token, shown] : cases) EXPECT_EQ(ShortenedToken(token), shown) << token.size();
}

}  // namespace
