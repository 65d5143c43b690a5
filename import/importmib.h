#pragma once
// Importing one MIB file with all its imported modules into an OID library.

#include <string>

#include "import/importoptions.h"
#include "import/programfiles.h"

class toidfile;
class ModuleHeaders;

// Parses the standard module, fileName and every module it imports (searched in workingFolder,
// then secondFolder, or fileName's folder when that is empty), then appends an entry for every
// numeric scalar and column of fileName. Returns false when a parent chain does not reach iso
// or an augmented row is missing. Throws eparseexception (parse error, "Missing import module: ")
// before any entry is appended, and MibFileError for a file that cannot be read.
bool ImportMib(toidfile& library, const std::string& fileName, const std::string& workingFolder,
               const std::string& secondFolder, const ProgramFiles& program,
               const ImportOptions& options = {});

// The same with the scanned module headers kept by the caller (the benchmark counts the reads).
bool ImportMib(toidfile& library, const std::string& fileName, const std::string& workingFolder,
               const std::string& secondFolder, const ProgramFiles& program, ModuleHeaders& headers,
               const ImportOptions& options = {});
