#pragma once
// The choices of an import beyond its files.

#include <string>
#include <vector>

// Off or empty by default.
struct ImportOptions {
    // Units, scales, row names and named values read from the MIB (UNITS, DISPLAY-HINT, base
    // types, ranges, enumerations), each entry's rule named in the import log.
    bool unitsFromMib = false;
    // Modules a strict parse refuses are parsed again, reading past the common faults of real
    // MIBs (page footers, stray commas, unassigned arcs, ...), and an imported module not found is
    // looked for under the names it is known by (see ModuleAliases); each repair is named in the log.
    bool repair = false;
    // Searched for imported modules after the working and standard folders, in order; folders
    // that do not exist are passed over (the window and oidwright-import give DefaultMibFolders).
    std::vector<std::string> mibFolders;
};
