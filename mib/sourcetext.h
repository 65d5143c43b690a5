#pragma once
// How a module file becomes the parser's Text: lines ending in CR LF, LF or CR, rejoined with CR LF.

#include <string>
#include <string_view>

// The raw bytes of a file. Throws emibfileerror when it cannot be opened or read.
std::string ReadFileBytes(const std::string& fileName);

// The lines of raw, each followed by CR LF, with a leading UTF-8 byte-order mark dropped.
// Example: "\xEF\xBB\xBFa\nb\rc" gives "a\r\nb\r\nc\r\n".
std::string JoinLinesWithCrLf(const std::string& raw);
