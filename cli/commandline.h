#pragma once
// What the command-line programs share: the --help scan and reading the library they start from.

#include <exception>
#include <iostream>
#include <string>

#include "library/oidfile.h"
#include "text/printable.h"

// True when any argument is --help, wherever it stands.
inline bool AsksForHelp(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::string(argv[i]) == "--help") return true;
    return false;
}

// Reads fileName into library; false, with "FILE: REASON" or "FILE:LINE: REASON" (malformed
// XML) on standard error, when it cannot.
inline bool ReadLibrary(toidfile& library, const std::string& fileName) {
    try {
        const std::string refused = library.LoadFromFile(fileName);
        if (refused.empty()) return true;
        std::cerr << EscapeForTerminal(fileName) << ": " << refused << "\n";
    } catch (const OidFileError& error) {
        const std::string line = error.Line() > 0 ? ":" + std::to_string(error.Line()) : "";
        std::cerr << EscapeForTerminal(fileName) << line << ": " << EscapeForTerminal(error.what()) << "\n";
    } catch (const std::exception& error) {
        std::cerr << EscapeForTerminal(fileName) << ": " << EscapeForTerminal(error.what()) << "\n";
    }
    return false;
}
