#include "text/printable.h"

#include <gtest/gtest.h>

namespace {

TEST(EscapeForTerminal, ControlsAndMalformedBytesBecomeHex) {
    const struct {
        std::string text, shown;
    } cases[] = {
        {"plain text", "plain text"},
        {"bell\a and escape\x1b[2J", "bell\\x07 and escape\\x1B[2J"},
        {"\x7F"
         "ELF",
         "\\x7FELF"},
        {"caf\xC3\xA9", "caf\xC3\xA9"},                        // well-formed UTF-8 stays
        {"caf\xE9", "caf\\xE9"},                               // Windows-1252 is no UTF-8
        {"c1 \xC2\x85 next line", "c1 \\xC2\\x85 next line"},  // a C1 control in UTF-8
        {std::string("nul\0byte", 8), "nul\\x00byte"},
        {"cut \xE2\x82", "cut \\xE2\\x82"},
    };
    for (const auto& c : cases) EXPECT_EQ(EscapeForTerminal(c.text), c.shown) << c.shown;
}

}  // namespace
