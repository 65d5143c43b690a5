#pragma once
// The choices of an import beyond its files.

// Off by default, as the window and oidwright-import start.
struct ImportOptions {
    // Units, scales, row names and named values read from the MIB (UNITS, DISPLAY-HINT, base
    // types, ranges, enumerations), each entry's rule named in the import log.
    bool unitsFromMib = false;
};
