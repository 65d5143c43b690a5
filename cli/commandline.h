#pragma once
// What the command-line programs share: the --help scan and reading the library they start from.

#include <exception>
#include <iostream>
#include <string>

#include "library/oidfile.h"

// True when any argument is --help, wherever it stands.
inline bool AsksForHelp(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::string(argv[i]) == "--help") return true;
    return false;
}

// Reads fileName into library; false, with "FILE: REASON" on standard error, when it cannot.
inline bool ReadLibrary(toidfile& library, const std::string& fileName) {
    try {
        const std::string refused = library.LoadFromFile(fileName);
        if (refused.empty()) return true;
        std::cerr << fileName << ": " << refused << "\n";
    } catch (const std::exception& error) {
        std::cerr << fileName << ": " << error.what() << "\n";
    }
    return false;
}
