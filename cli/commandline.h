#pragma once
// What the command-line programs share: the --help scan and reading the library they start from.

#include <exception>
#include <iostream>
#include <string>

#include "library/oidfile.h"
#include "text/printable.h"
#include "text/textfile.h"

// True when any argument is --help, wherever it stands.
inline bool AsksForHelp(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::string(argv[i]) == "--help") return true;
    return false;
}

// Whether a file begins with a UTF-8 byte-order mark: a library saved so is refused as encrypted,
// while any other file that does not begin with "<?xml" is no library at all.
inline bool BeginsWithByteOrderMark(const std::string& fileName) {
    std::string start, message;
    return textfile::TryReadFileHead(fileName, 3, start, message) && start == "\xEF\xBB\xBF";
}

// Reads fileName into library; false, with "FILE: REASON" or "FILE:LINE: REASON" (malformed
// XML) on standard error, when it cannot.
inline bool ReadLibrary(toidfile& library, const std::string& fileName) {
    try {
        const std::string refused = library.LoadFromFile(fileName);
        if (refused.empty()) return true;
        if (BeginsWithByteOrderMark(fileName))
            std::cerr << EscapeForTerminal(fileName) << ": " << refused << "\n";
        else
            std::cerr << EscapeForTerminal(fileName)
                      << " is not an OID library: it does not begin with an XML declaration\n";
    } catch (const OidFileError& error) {
        const std::string line = error.Line() > 0 ? ":" + std::to_string(error.Line()) : "";
        std::cerr << EscapeForTerminal(fileName) << line << ": " << EscapeForTerminal(error.what()) << "\n";
    } catch (const std::exception& error) {
        std::cerr << EscapeForTerminal(fileName) << ": " << EscapeForTerminal(error.what()) << "\n";
    }
    return false;
}
