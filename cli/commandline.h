#pragma once
// What the command-line programs share: the --help scan and reading the library they start from.

#include <exception>
#include <iostream>
#include <new>
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

// An -o value as the programs take it: "-" also for the names of standard output, which is
// then written as a stream, as a pipe or terminal behind it cannot be saved over as a file.
inline std::string OutputName(const std::string& value) {
    for (const char* name : {"/dev/stdout", "/dev/fd/1", "/proc/self/fd/1"})
        if (value == name) return "-";
    return value;
}

// Whether a file begins with a UTF-8 byte-order mark: a library saved so is refused as encrypted,
// while any other file that does not begin with "<?xml" is no library at all.
inline bool BeginsWithByteOrderMark(const std::string& fileName) {
    std::string start, message;
    return textfile::TryReadFileHead(fileName, 3, start, message) && start == "\xEF\xBB\xBF";
}

// Reads fileName into library; false, with "FILE: REASON" or "FILE:LINE: REASON" (malformed
// XML) on standard error, when it cannot. What the load notes goes there too, as "FILE:LINE: NOTE".
inline bool ReadLibrary(toidfile& library, const std::string& fileName) {
    try {
        const std::string refused = library.LoadFromFile(fileName);
        for (const LoadNote& note : library.LoadNotes)
            std::cerr << EscapeForTerminal(fileName) << (note.line > 0 ? ":" + std::to_string(note.line) : "")
                      << ": " << EscapeForTerminal(note.message) << "\n";
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

// Runs a program's body so that every failure ends with a message and failureStatus, never with
// an abort: memory that runs out, or a working folder removed under the run, included.
template <typename Body>
int RunToAnEnd(const char* program, int failureStatus, Body body) {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        std::cerr << program << ": out of memory\n";
    } catch (const std::exception& error) {
        std::cerr << program << ": " << EscapeForTerminal(error.what()) << "\n";
    } catch (...) {
        std::cerr << program << ": an unexpected error\n";
    }
    return failureStatus;
}
