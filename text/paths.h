#pragma once
// File names as the import passes them: folders with or without a trailing separator.

#include <string>

// The folder of a file with its trailing separator; "./" for a bare file name.
// "mibs/IF-MIB.mib" -> "mibs/"; "IF-MIB.mib" -> "./"
std::string FolderOfFile(const std::string& fileName);

// name inside folder, whether or not folder ends with a separator: ("mibs", "a.mib") and
// ("mibs/", "a.mib") -> "mibs/a.mib"; ("", "a.mib") -> "a.mib".
std::string JoinPath(const std::string& folder, const std::string& name);
