#pragma once
// Reading MIB and list files as text lines, the way the whole import reads them.

#include <string>
#include <vector>

bool FileExists(const std::string& fileName);  // an existing plain file

// The file's lines; CR LF, LF and CR each end a line. Throws emibfileerror.
std::vector<std::string> ReadTextLines(const std::string& fileName);

// The file's lines joined with CR LF after every line, the last one included.
std::string ReadJoinedText(const std::string& fileName);
