// oidwright-import: the window's MIB import for scripts and batch use.

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "cli/commandline.h"
#include "import/importrunner.h"
#include "library/htmloverview.h"
#include "library/oidfile.h"
#include "mib/mibfile.h"
#include "mib/sourcetext.h"

namespace {

enum ExitCode { exitOk = 0, exitSoftFailure = 1, exitParseError = 2, exitLibraryError = 3, exitUsage = 4 };

constexpr const char* Usage =
    R"(Usage: oidwright-import [--library IN.oidlib] [-o OUT.oidlib] [--html PAGE.html]
                        [--stdmib DIR] [--units-from-mib] [--log] [-q] MIBFILE...

Imports MIB files into an OID library as the window's "MIB File..." command does.
The working folder is the folder of the first MIB file; modules not found there are
searched in the standard folder (stdmib/ beside this program, or DIR), whose
VELTRANE-STANDARD-MIB.mib is parsed first in every import. Words of replacelist.txt
beside this program are replaced in display names. The module names read from file
headers are kept in $XDG_CACHE_HOME/oidwright (or ~/.cache/oidwright) for later runs.

  --library IN   start from the entries of IN instead of an empty library
  -o OUT         write the library to OUT when done ("-" for standard output)
  --html PAGE    also write the HTML overview page of the library (as "Write to HTML")
  --stdmib DIR   standard folder and standard module to use instead of stdmib/
  --units-from-mib
                 read units, scales, row names and named values from the MIB (UNITS,
                 DISPLAY-HINT, base types, ranges, enumerations); the log names each
                 entry's rule
  --log          also print the full import log
  -q             print no reports (errors and warnings still go to standard error)
  --help         show this text

Without MIB files, IN is read and written to OUT unchanged (a load and save round trip).
Reports go to standard output, or to standard error when OUT is "-".

Exit status: 0 success; 1 an import was incomplete (a parent chain did not reach the
root or an augmented row was missing; OUT is still written and the full log printed);
2 a parse error or missing module ("FILE:LINE: MESSAGE" on standard error; nothing
is written) or an unreadable MIB file; 3 IN cannot be read, or OUT or PAGE cannot be
written; 4 wrong arguments.
)";

struct Options {
    std::string input, output, html, stdmib;
    bool log = false, quiet = false;
    ImportOptions import;
    std::vector<std::string> files;
};

std::string ProgramFolder(const char* argv0) {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::filesystem::path program = error ? std::filesystem::absolute(argv0) : self;
    return program.parent_path().string();
}

// Where the module header index lives: $XDG_CACHE_HOME/oidwright, else ~/.cache/oidwright.
std::string UserCacheFolder() {
    const char* cache = std::getenv("XDG_CACHE_HOME");
    if (cache != nullptr && cache[0] == '/') return std::string(cache) + "/oidwright";
    const char* home = std::getenv("HOME");
    return home != nullptr && home[0] == '/' ? std::string(home) + "/.cache/oidwright" : "";
}

bool ParseArguments(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        auto value = [&](std::string& target) {
            if (i + 1 >= argc) return false;
            target = argv[++i];
            return true;
        };
        if (argument == "--library") {
            if (!value(options.input)) return false;
        } else if (argument == "-o") {
            if (!value(options.output)) return false;
        } else if (argument == "--html") {
            if (!value(options.html)) return false;
        } else if (argument == "--stdmib") {
            if (!value(options.stdmib)) return false;
        } else if (argument == "--units-from-mib") {
            options.import.unitsFromMib = true;
        } else if (argument == "--log") {
            options.log = true;
        } else if (argument == "-q") {
            options.quiet = true;
        } else if (argument.size() > 1 && argument[0] == '-') {
            std::cerr << "oidwright-import: unknown option " << argument << "\n";
            return false;
        } else {
            options.files.push_back(argument);
        }
    }
    return true;
}

void PrintLines(std::ostream& out, const std::vector<std::string>& lines) {
    for (const std::string& line : lines) out << line << "\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (AsksForHelp(argc, argv)) {
        std::cout << Usage;
        return exitOk;
    }
    Options options;
    if (!ParseArguments(argc, argv, options) || (options.files.empty() && options.input.empty())) {
        std::cerr << Usage;
        return exitUsage;
    }

    toidfile library;
    if (!options.input.empty() && !ReadLibrary(library, options.input)) return exitLibraryError;

    const std::string programFolder = ProgramFolder(argv[0]);
    const ProgramFiles program = ProgramFilesIn(programFolder, options.stdmib);

    ImportRunner runner;
    runner.ModuleIndexFolder = UserCacheFolder();
    runner.KeepLog = !options.quiet;  // -q shows no log
    runner.Options = options.import;
    try {
        runner.Run(library, options.files, program);
    } catch (const eparseexception& error) {
        std::cerr << error.FileName << ":" << LineOfPosition(error) << ": " << error.Message << "\n";
        return exitParseError;
    } catch (const std::exception& error) {
        std::cerr << "oidwright-import: " << error.what() << "\n";
        return exitParseError;
    }

    std::ostream& reports = options.output == "-" ? std::cerr : std::cout;
    if (runner.Failed) std::cerr << "oidwright-import: import incomplete, see the log\n";
    if (!options.quiet && !options.files.empty()) {
        PrintLines(reports, runner.SummaryLines());
        // On a failure the summary already ends with the whole log.
        if (options.log && !runner.Failed) PrintLines(reports, runner.ImportLog);
    }

    if (!options.output.empty()) {
        try {
            if (options.output == "-")
                std::cout << library.SaveToText();
            else
                library.SaveToFile(options.output);
        } catch (const std::exception& error) {
            std::cerr << options.output << ": " << error.what() << "\n";
            return exitLibraryError;
        }
    }
    if (!options.html.empty()) {
        try {
            WriteHtmlOverview(library, options.html);
        } catch (const std::exception& error) {
            std::cerr << error.what() << "\n";
            return exitLibraryError;
        }
    }
    return runner.Failed ? exitSoftFailure : exitOk;
}
