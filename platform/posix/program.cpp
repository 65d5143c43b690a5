#include "platform/program.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace platform {

// Arguments and output are bytes on POSIX: nothing to translate.
ConsoleProgram::ConsoleProgram(int&, char**&) {}

std::string ProgramFolder(const char* argv0) {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::filesystem::path program = error ? std::filesystem::absolute(argv0, error) : self;
    return program.parent_path().string();
}

std::string UserCacheFolder() {
    const char* cache = std::getenv("XDG_CACHE_HOME");
    if (cache != nullptr && cache[0] == '/') return std::string(cache) + "/oidwright";
    const char* home = std::getenv("HOME");
    return home != nullptr && home[0] == '/' ? std::string(home) + "/.cache/oidwright" : "";
}

bool StandardErrorIsTerminal() {
    return ::isatty(STDERR_FILENO) == 1;
}

}  // namespace platform
