#pragma once
// Text from files and arguments made safe to print on a terminal: a control character or a byte
// that is not well-formed UTF-8 could otherwise move the cursor, ring the bell or garble the line.

#include <string>
#include <string_view>

// Control characters (C0, DEL, C1) and bytes outside well-formed UTF-8 become \xNN; everything
// else stays: "a\x7F b" -> "a\\x7F b", "caf\xC3\xA9" unchanged, "caf\xE9" -> "caf\\xE9".
std::string EscapeForTerminal(std::string_view text);
