#pragma once
// The choices of an import beyond its files.

#include <string>
#include <vector>

// Off or empty by default.
struct ImportOptions {
    // Units, scales, row names and named values read from the MIB (UNITS, DISPLAY-HINT, base
    // types, ranges, enumerations), each entry's rule named in the import log.
    bool unitsFromMib = false;
    // Searched for imported modules after the working and standard folders, in order; folders
    // that do not exist are passed over (the window and oidwright-import give DefaultMibFolders).
    std::vector<std::string> mibFolders;
};
