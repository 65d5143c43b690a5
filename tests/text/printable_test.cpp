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
    };
    for (const EscapeCase& c : cases) EXPECT_EQ(EscapeForTerminal(c.input), c.expected) << c.what;
}

}  // namespace
