#pragma once
// Existence tests and reading of the import's list and candidate files.

#include <cstddef>
#include <string>
#include <vector>

bool FileExists(const std::string& fileName);  // an existing plain file

// The file's lines; CR LF, LF and CR each end a line. Throws MibFileError.
std::vector<std::string> ReadTextLines(const std::string& fileName);

// At most limit bytes from the start of a plain file. Throws MibFileError naming the file when it
// cannot be opened or read or is no plain file; it is opened without blocking, so a named pipe
// is refused at once.
std::string ReadPlainFileHead(const std::string& fileName, std::size_t limit);
