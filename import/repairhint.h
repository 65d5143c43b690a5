#pragma once
// The line a strict import's parse error gains when repair mode would import the file.

#include <string>

#include "import/importoptions.h"
#include "import/programfiles.h"

class eparseexception;
class ModuleHeaders;
class ParsedModules;

// The line AddRepairHint adds to an error's Details, or "" when it added none.
std::string RepairHintOf(const eparseexception& error);

// Imports fileName again in repair mode, into a library of its own and without a log; when that
// succeeds, adds "it imports with --repair (Import > Repair Common Faults): 2 repairs" to the
// error's Details. The arguments are those of the strict import that raised error.
void AddRepairHint(eparseexception& error, const std::string& fileName, const std::string& workingFolder,
                   const std::string& secondFolder, const ProgramFiles& program, ModuleHeaders& headers,
                   ParsedModules* parsed, ImportOptions options);
