#pragma once
// A fresh folder of a test's own, removed with all it holds when the test ends.

#include <filesystem>
#include <random>
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

    // A file in the folder named as the program joins names: with "/" on every system.
    std::string operator/(const std::string& name) const { return path.string() + "/" + name; }

    const std::filesystem::path path;

  private:
    // A name no other process or earlier run holds: a random one, made at once (a name taken
    // meanwhile is not made, and another is tried). The new folder is its maker's alone.
    static std::filesystem::path Make(Access access) {
        namespace fs = std::filesystem;
        std::random_device random;
        for (int attempt = 0; attempt < 100; ++attempt) {
            const fs::path name = fs::temp_directory_path() / ("oidwright-test-" + std::to_string(random()));
            std::error_code error;
            if (!fs::create_directory(name, error)) {
                if (error) throw std::system_error(error, "cannot make a folder like " + name.string());
                continue;
            }
            fs::permissions(name, access == Access::everyone ? fs::perms::all : fs::perms::owner_all);
            return name;
        }
        throw std::system_error(std::make_error_code(std::errc::file_exists), "cannot make a test folder");
    }
};
