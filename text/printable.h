#pragma once
// Text from files and devices made safe to print to a terminal or into a JSON report: a control
// character or a byte that is not well-formed UTF-8 could otherwise move the cursor, ring the
// bell or start an escape sequence, and a bidirectional control could show a name reversed
// ("report\u202Efdp.exe" looks like "reportexe.pdf").

#include <cstddef>
#include <string>
#include <string_view>

// Control characters (C0, DEL, C1) and bytes outside well-formed UTF-8 become \xNN, the
// bidirectional controls (U+061C, U+200E, U+200F, U+202A..U+202E, U+2066..U+2069) \uNNNN;
// everything else stays as it is: "a\x1b[2Jb" -> "a\\x1B[2Jb", "caf\xC3\xA9" unchanged,
// "caf\xE9" -> "caf\\xE9", "a\xE2\x80\xAEb" -> "a\\u202Eb".
std::string EscapeForTerminal(std::string_view text);

// text as a JSON string, quotes included: '"' and '\' escaped, the control characters (C0, DEL,
// C1) and the bidirectional controls as \u00NN and \uNNNN, and a byte outside well-formed UTF-8
// as the text \xNN that the terminal shows (JSON "\\xFF"), since JSON has no way to hold it.
std::string QuoteForJson(std::string_view text);

// Longest token a message quotes whole.
inline constexpr std::size_t MaxQuotedToken = 64;

// A token from the input as a message quotes it: whole up to MaxQuotedToken bytes, else its
// first MaxQuotedToken bytes and its length, so that a 10 MB number does not make a 10 MB
// message: 100 nines -> 64 nines + "... (100 characters)".
std::string ShortenedToken(std::string_view token);
