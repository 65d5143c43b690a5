#include "platform/temporarynames.h"

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <random>

namespace platform {

namespace {

constexpr std::string_view Prefix = ".oidwright-", Suffix = ".tmp";
constexpr std::size_t Digits = 16;

}  // namespace

std::string TemporaryName() {
    // A random start keeps the names of two processes apart; the count, those of one process.
    static const std::uint64_t start = std::uint64_t{std::random_device()()} << 32 ^ std::random_device()();
    static std::atomic<std::uint64_t> count{0};
    char digits[Digits + 1];
    std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(start + count++));
    return std::string(Prefix) + digits + std::string(Suffix);
}

bool IsTemporaryName(std::string_view name) {
    if (name.size() != Prefix.size() + Digits + Suffix.size() || !name.starts_with(Prefix) ||
        !name.ends_with(Suffix))
        return false;
    return name.substr(Prefix.size(), Digits).find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

}  // namespace platform
