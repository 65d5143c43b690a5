#pragma once
// Importing one MIB file with all its imported modules into an OID library.

#include <string>

#include "import/importoptions.h"
#include "import/programfiles.h"

class toidfile;
class ImportLogger;
class ModuleHeaders;
class ParsedModules;

// Parses the standard module, fileName and every module it imports (searched in workingFolder,
// then secondFolder, or fileName's folder when that is empty, then options.mibFolders), then appends an entry
// for every numeric scalar and column of fileName. Returns false when a parent chain does not reach iso, an
// augmented row is missing or a type is defined nowhere. Throws eparseexception (parse error, "Missing import
// module: " for the first missing module, its Details naming every missing module) before any entry is
// appended, and MibFileError for a file that cannot be read.
bool ImportMib(toidfile& library, const std::string& fileName, const std::string& workingFolder,
               const std::string& secondFolder, const ProgramFiles& program,
               const ImportOptions& options = {});

// The same with the log and module searches told to log instead of the library's events (which
// stay untouched), the scanned module headers kept by the caller (the benchmark counts the reads)
// and, when parsed is given, the modules taken from it: parsed there once for all the imports
// that share it, with the same entries, statistics and log as a parse here.
bool ImportMib(toidfile& library, const ImportLogger& log, const std::string& fileName,
               const std::string& workingFolder, const std::string& secondFolder, const ProgramFiles& program,
               ModuleHeaders& headers, ParsedModules* parsed = nullptr, const ImportOptions& options = {});
