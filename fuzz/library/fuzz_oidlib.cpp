// Feeds arbitrary bytes to the .oidlib reader; a library that loads must survive a
// save and reload unchanged (the second save equals the first).

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "library/oidfile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    toidfile library;
    try {
        if (!library.LoadFromText(text).empty()) return 0;
    } catch (const OidFileError&) {
        return 0;
    }
    const std::string first = library.SaveToText();
    toidfile reloaded;
    if (!reloaded.LoadFromText(first).empty() || reloaded.Count() != library.Count()) {
        std::fprintf(stderr, "saved library does not reload: %d entries\n", library.Count());
        std::abort();
    }
    if (reloaded.SaveToText() != first) {
        std::fprintf(stderr, "second save differs from the first\n");
        std::abort();
    }
    return 0;
}
