#pragma once
// How a module file becomes the parser's Text: lines ending in CR LF, LF or CR, rejoined with CR LF.

#include <cstdint>
#include <string>
#include <string_view>

#include "mib/parseexception.h"

// The raw bytes of a file. Throws MibFileError when it cannot be opened or read.
std::string ReadFileBytes(const std::string& fileName);

// The lines of raw, each followed by CR LF, with a leading UTF-8 byte-order mark dropped.
// Example: "\xEF\xBB\xBFa\nb\rc" gives "a\r\nb\r\nc\r\n".
std::string JoinLinesWithCrLf(const std::string& raw);

// The 1-based line of a 1-based position in a Text as LoadFile builds it: 1 + the line feeds
// before the position, the text's last character never counted, so that an error at the end of
// a text that ends with its line break stands on the last line: "a\r\nb\r\n", 7 -> 2 (not 3).
int LineOfPosition(const std::string& text, int32_t position);
// The line of a position in a file read again as LoadFile reads it. 0 when the file cannot be read.
int LineInFile(const std::string& fileName, int32_t position);
// The line of a parse error, in its file as above.
int LineOfPosition(const eparseexception& error);
// "FILE:LINE: MESSAGE", the one way a parse error is told in a line of text (LINE as above).
std::string PositionedMessage(const eparseexception& error);
