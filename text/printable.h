#pragma once
// Text from files and devices made safe to print to a terminal: a control character or a
// byte that is not well-formed UTF-8 could otherwise move the cursor, ring the bell or start
// an escape sequence.

#include <string>
#include <string_view>

// Control characters (C0, DEL, C1) and bytes outside well-formed UTF-8 become \xNN; everything
// else stays as it is: "a\x1b[2Jb" -> "a\\x1B[2Jb", "caf\xC3\xA9" unchanged, "caf\xE9" -> "caf\\xE9".
std::string EscapeForTerminal(std::string_view text);
