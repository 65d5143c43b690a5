#pragma once
// The files every import reads from the program's own folder, named in one place.

#include <string>

struct ProgramFiles {
    std::string standardFolder;  // searched after the working folder; ends with a separator
    std::string standardModule;  // parsed first in every import
    std::string replaceList;     // optional word replacements for display names
};

// stdmib/ with its VELTRANE-STANDARD-MIB.mib, and replacelist.txt, inside programFolder.
// A standardFolder given (the command line's --stdmib) takes the place of stdmib/, standard
// module included: ("/opt/ow", "") -> "/opt/ow/stdmib/", "/opt/ow/stdmib/VELTRANE-STANDARD-MIB.mib",
// "/opt/ow/replacelist.txt".
ProgramFiles ProgramFilesIn(const std::string& programFolder, const std::string& standardFolder = "");
