#pragma once
// oidwright-import --each FOLDER: every MIB file of a folder imported as its own chosen file.

#include <string>

#include "import/importmib.h"

struct EachOptions {
    std::string folder;
    std::string libraryFolder;  // -o OUTDIR: OUTDIR/MODULE.oidlib; "" writes none
    std::string pageFolder;     // --html DIR: DIR/MODULE.html; "" writes none
    ProgramFiles program;
    std::string moduleIndexFolder;
    ImportOptions import;
    bool quiet =
        false;  // only the lines of modules that did not import cleanly (or were repaired), and the total
};

// Prints one line per file and a total to standard output, and a progress line to standard error
// when that is a terminal. Returns the worst exit status met: 0 imported, 1 incomplete, 2 a parse
// error, missing module or unreadable file, 3 an output that cannot be written.
int RunEach(const EachOptions& options);
