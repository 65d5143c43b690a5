#pragma once
// Existence tests and line reading of the import's list and candidate files.

#include <string>
#include <vector>

bool FileExists(const std::string& fileName);  // an existing plain file

// The file's lines; CR LF, LF and CR each end a line. Throws MibFileError.
std::vector<std::string> ReadTextLines(const std::string& fileName);
