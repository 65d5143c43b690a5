// Feeds arbitrary bytes to the .oidlib reader; a library that loads must survive a
// save and reload unchanged (the second save equals the first).

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "library/oidfile.h"

// A clean library, as corpus/one_entry.oidlib: it must load its entry, or the target fuzzes
// only the refusals.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    toidfile library;
    if (!library
             .LoadFromText("<?xml version=\"1.0\" ?><oidlist><system><version>1</version></system>"
                           "<list><entry><name>A|b|c</name><oid>1.3.6.1</oid></entry></list></oidlist>")
             .empty() ||
        library.Count() != 1) {
        std::fprintf(stderr, "fuzz_oidlib: the clean seed library does not load its entry\n");
        std::abort();
    }
    return 0;
}

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
