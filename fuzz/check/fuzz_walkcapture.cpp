// Feeds arbitrary bytes to the walk capture reader: every line is either read as a variable or
// listed as skipped, in order, and every variable read can be found again; names are read too.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "check/walkcapture.h"

namespace {

// Knows every name of up to eight letters, so that the reading of names is fuzzed too.
class AnyShortName : public OidNames {
  public:
    std::optional<Oid> Find(std::string_view module, std::string_view name) override {
        if (module.size() > 8 || name.size() > 8) return std::nullopt;
        return Oid{1, 3, static_cast<std::uint32_t>(module.size()), static_cast<std::uint32_t>(name.size())};
    }
    // Indexes of every kind, in an order the name's length turns, so that their reading is fuzzed too.
    std::optional<InstanceIndexes> IndexesAfter(std::string_view, std::string_view name) override {
        using Kind = IndexType::Kind;
        InstanceIndexes indexes{name.size() % 2 == 0, {}};
        for (const Kind kind : {Kind::number, Kind::string, Kind::inetAddress, Kind::objectId,
                                Kind::ipAddress, Kind::networkAddress, Kind::other})
            indexes.types.push_back({kind, {{"ipv4", 1}, {"ipv6", 2}}});
        std::rotate(indexes.types.begin(), indexes.types.begin() + name.size() % indexes.types.size(),
                    indexes.types.end());
        return indexes;
    }
    std::vector<std::string> Problems() const override { return {}; }
};

}  // namespace

// A clean capture, as corpus/device.walk: its line must be read as an answer, or the target
// fuzzes only the lines it skips.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    DeviceAnswers answers;
    AnyShortName names;
    const CaptureReading reading =
        ReadWalkCapture(".1.3.6.1.2.1.1.3.0 = Timeticks: (1) 0:00:00.01\n", answers, &names);
    if (reading.variables != 1 || answers.Count() != 1 || !reading.skippedLines.Empty()) {
        std::fprintf(stderr, "fuzz_walkcapture: the clean seed capture is not read\n");
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    DeviceAnswers answers;
    AnyShortName names;
    const CaptureReading reading = ReadWalkCapture(text, answers, &names);
    const auto& ranges = reading.skippedLines.Kept();
    for (std::size_t i = 0; i < ranges.size(); ++i) {
        if (ranges[i].first > ranges[i].second || (i > 0 && ranges[i - 1].second + 1 >= ranges[i].first)) {
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
