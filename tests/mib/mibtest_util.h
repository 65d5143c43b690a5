#pragma once
// Helpers of the MIB parser tests: modules from text and where an error is expected.

#include <string>

#include "mib/mibfile.h"

namespace mibtest {

// A module around body: "M DEFINITIONS ::= BEGIN", the body and "END".
inline std::string module(const std::string& body) {
    return "M DEFINITIONS ::= BEGIN\n" + body + "\nEND\n";
}

// The 1-based position just after the first occurrence of marker in text (0 when absent).
inline int32_t positionAfter(const std::string& text, const std::string& marker) {
    const size_t at = text.find(marker);
    return at == std::string::npos ? 0 : static_cast<int32_t>(at + marker.size() + 1);
}

// Parses source as one module into file; the first error as message and position, or "" and 0.
struct ParseOutcome {
    std::string message;
    int32_t position = 0;
};
inline ParseOutcome parse(tmibfile& file, const std::string& source) {
    file.LoadText(source, "test.mib");
    try {
        file.ParseModule();
    } catch (const eparseexception& error) {
        return {error.what(), error.Position};
    }
    return {};
}

}  // namespace mibtest
