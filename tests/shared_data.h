#pragma once
// Where the tests find their fixtures and the optional real MIB collection.

#include <filesystem>
#include <string>

namespace testdata {

// Fixtures kept in the repository under tests/data.
inline std::filesystem::path fixture(const std::string& name) { return std::filesystem::path(OIDWRIGHT_TEST_DATA) / name; }

// The program data delivered beside the executables (data/ in the source tree).
inline std::filesystem::path programData(const std::string& name) { return std::filesystem::path(OIDWRIGHT_SOURCE_DATA) / name; }

// The shared collection of real vendor MIBs, or an empty path when this clone has none.
inline std::filesystem::path sharedDir(const std::string& sub)
{
    std::filesystem::path dir = std::filesystem::path(OIDWRIGHT_SHARED_DIR) / sub;
    return std::filesystem::is_directory(dir) ? dir : std::filesystem::path();
}

}  // namespace testdata

// Skips the current test with a clear message when ../shared/<sub> is missing.
#define SKIP_WITHOUT_SHARED(var, sub)                                                          \
    const std::filesystem::path var = testdata::sharedDir(sub);                                \
    if (var.empty()) GTEST_SKIP() << "skipped: " << OIDWRIGHT_SHARED_DIR << "/" << sub         \
                                  << " is not present (real MIB collection absent in this clone)"
