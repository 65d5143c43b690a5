#pragma once
// What a command-line program asks of its system, on POSIX and on Windows.

#include <string>
#include <vector>

namespace platform {

// A command-line program's start: its arguments as UTF-8 (Windows hands them over in its code
// page), and standard output and error that pass the program's bytes unchanged (UTF-8 on the
// Windows console, no line ends added). Made once, first thing in main.
class ConsoleProgram {
  public:
    // Replaces argc and argv with the UTF-8 arguments this object keeps.
    ConsoleProgram(int& argc, char**& argv);

  private:
    std::vector<std::string> arguments_;
    std::vector<char*> pointers_;
};

// The folder of the running program, where its stdmib/ lies, as the system names the program
// file (so that a link to the program finds the real folder); argv0 when the system cannot say.
std::string ProgramFolder(const char* argv0);

// The folder for the module index: $XDG_CACHE_HOME/oidwright, else ~/.cache/oidwright; on Windows
// %LOCALAPPDATA%\oidwright. "" when none is known.
std::string UserCacheFolder();

// Whether standard error shows on a terminal (or console), where progress lines may be redrawn.
bool StandardErrorIsTerminal();

}  // namespace platform
