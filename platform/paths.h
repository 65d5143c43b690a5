#pragma once
// File names are UTF-8 inside the program on every system; std::filesystem::path takes them to
// the system's own form (wide characters on Windows) and back. A plain std::string given to a
// path would be read in the Windows code page there, turning "café" into "cafÃ©".

#include <filesystem>
#include <string>

namespace platform {

// The path of a UTF-8 file name: "mibs/café.mib" -> mibs/café.mib on every system.
inline std::filesystem::path PathOf(const std::string& fileName) {
    return std::filesystem::path(std::u8string(fileName.begin(), fileName.end()));
}

// The UTF-8 file name of a path, as PathOf takes it.
inline std::string Utf8Of(const std::filesystem::path& path) {
    const std::u8string name = path.u8string();
    return std::string(name.begin(), name.end());
}

}  // namespace platform
