// Feeds arbitrary bytes to the walk capture reader: every line is either read as a variable or
// listed as skipped, in order, and every variable read can be found again.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "check/walkcapture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    DeviceAnswers answers;
    const CaptureReading reading = ReadWalkCapture(text, answers);
    for (std::size_t i = 1; i < reading.skippedLines.size(); ++i) {
        if (reading.skippedLines[i - 1] >= reading.skippedLines[i]) {
            std::fprintf(stderr, "skipped lines out of order\n");
            std::abort();
        }
    }
    if (answers.Count() > reading.variables) {
        std::fprintf(stderr, "more answers than variables read\n");
        std::abort();
    }
    return 0;
}
