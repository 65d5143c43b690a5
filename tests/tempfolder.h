#pragma once
// A fresh folder of a test's own, removed with all it holds when the test ends.

#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>

class TempFolder {
  public:
    TempFolder()
        : path(std::filesystem::temp_directory_path() /
               ("oidwright-test-" + std::to_string(::getpid()) + "-" + std::to_string(count_++))) {
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~TempFolder() {
        std::error_code ignored;  // a test that made a file unremovable must not abort the run
        std::filesystem::remove_all(path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string operator/(const std::string& name) const { return (path / name).string(); }

    const std::filesystem::path path;

  private:
    static inline int count_ = 0;
};
