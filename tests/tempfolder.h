#pragma once
// A fresh folder of a test's own, removed with all it holds when the test ends.

#include <stdlib.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <system_error>

class TempFolder {
  public:
    // Who may use the folder: its owner alone, or every user (for checks run as a normal user).
    enum class Access { owner, everyone };

    explicit TempFolder(Access access = Access::owner) : path(Make(access)) {}
    ~TempFolder() {
        std::error_code ignored;  // a test that made a file unremovable must not abort the run
        std::filesystem::remove_all(path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string operator/(const std::string& name) const { return (path / name).string(); }

    const std::filesystem::path path;

  private:
    // A name no other process or earlier run holds: mkdtemp picks it and makes the folder at once.
    static std::filesystem::path Make(Access access) {
        std::string name = (std::filesystem::temp_directory_path() / "oidwright-test-XXXXXX").string();
        if (::mkdtemp(name.data()) == nullptr)
            throw std::system_error(errno, std::generic_category(), "cannot make a folder like " + name);
        if (access == Access::everyone) std::filesystem::permissions(name, std::filesystem::perms::all);
        return name;
    }
};
