#include "platform/program.h"

#include <fcntl.h>
#include <io.h>
// shellapi.h builds on windows.h.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "platform/paths.h"
#include "platform/windows/win32.h"

namespace platform {

// The arguments as the wide command line holds them; output as bytes, shown as UTF-8.
ConsoleProgram::ConsoleProgram(int& argc, char**& argv) {
    ::SetConsoleOutputCP(CP_UTF8);
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (wide == nullptr) return;
    for (int i = 0; i < count; ++i) arguments_.push_back(Utf8(wide[i]));
    ::LocalFree(wide);
    for (std::string& argument : arguments_) pointers_.push_back(argument.data());
    pointers_.push_back(nullptr);
    argc = count;
    argv = pointers_.data();
}

std::string ProgramFolder(const char* argv0) {
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0) return Utf8Of(std::filesystem::absolute(PathOf(argv0)).parent_path());
        if (length < name.size()) {
            name.resize(length);
            return Utf8Of(std::filesystem::path(name).parent_path());
        }
        name.resize(name.size() * 2);
    }
}

std::string UserCacheFolder() {
    const wchar_t* local = ::_wgetenv(L"LOCALAPPDATA");
    return local != nullptr && local[0] != L'\0' ? Utf8Of(std::filesystem::path(local) / L"oidwright") : "";
}

bool StandardErrorIsTerminal() {
    DWORD mode = 0;
    return ::GetConsoleMode(::GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

}  // namespace platform
