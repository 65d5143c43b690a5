// oidwright-import: the window's MIB import for scripts and batch use.

#include <iostream>
#include <string>
#include <vector>

#include "cli/argumentscanner.h"
#include "cli/commandline.h"
#include "cli/eachimport.h"
#include "import/importrunner.h"
#include "import/mergeimport.h"
#include "import/mibfolders.h"
#include "library/htmloverview.h"
#include "library/oidfile.h"
#include "mib/mibfile.h"
#include "mib/sourcetext.h"
#include "platform/program.h"
#include "text/printable.h"

namespace {

constexpr const char* Program = "oidwright-import";

enum ExitCode { exitOk = 0, exitSoftFailure = 1, exitParseError = 2, exitLibraryError = 3, exitUsage = 4 };

constexpr const char* Usage =
    R"(Usage: oidwright-import [--library IN.oidlib [--existing keep|replace]] [-o OUT.oidlib]
                        [--html PAGE.html] [--stdmib DIR] [--mib-path DIR[:DIR...]]
                        [--units-from-mib] [--repair] [--log] [-q] MIBFILE...
       oidwright-import --each FOLDER [-o OUTDIR] [--html DIR] [--stdmib DIR]
                        [--mib-path DIR[:DIR...]] [--repair] [-q]

Imports MIB files into an OID library as the window's "MIB File..." command does.
The working folder is the folder of the first MIB file; modules not found there are
searched in the standard folder (stdmib/ beside this program, or DIR), whose
VELTRANE-STANDARD-MIB.mib is parsed first in every import, then in the folders of
$MIBDIRS, ~/.snmp/mibs, /usr/share/snmp/mibs and its ietf/ and iana/, and
/usr/share/mibs/ietf, iana/ and site/ (those that exist). Words of replacelist.txt
beside this program are replaced in display names. The module names read from file
headers are kept in $XDG_CACHE_HOME/oidwright (or ~/.cache/oidwright; on Windows
%LOCALAPPDATA%\oidwright) for later runs.

  --library IN   start from the entries of IN instead of an empty library
  --existing keep|replace
                 what becomes of the entries of IN that the import makes again (same
                 module and OID): keep them as they are and add only the new objects (the
                 default), or replace them with the import's; either way no object gets
                 two entries, and the report lists the entries of IN the MIB no longer
                 defines (they stay)
  -o OUT         write the library to OUT when done ("-" or /dev/stdout for standard output)
  --html PAGE    also write the HTML overview page of the library (as "Write to HTML")
  --stdmib DIR   standard folder and standard module to use instead of stdmib/
  --mib-path DIR[:DIR...]
                 the folders searched after the standard folder, in this order, instead
                 of $MIBDIRS and the system's MIB folders ("" searches none)
  --each FOLDER  import every MIB file of FOLDER (*.mib, *.my, *.txt) as its own file,
                 into OUTDIR/MODULE.oidlib and DIR/MODULE.html (none for a module with
                 no entry), with a line per file and a total (-q: only the files that did
                 not import cleanly); the modules the files share are read once; the exit
                 status is the worst one met
  --units-from-mib
                 read units, scales, row names and named values from the MIB (UNITS,
                 DISPLAY-HINT, base types, ranges, enumerations, descriptions), and
                 keep runs of capitals as one word of a name; the log names each
                 entry's rule, and why an object takes no unit
  --repair       read past the common faults of real MIBs that a strict parse refuses
                 (page headers and footers of RFCs and drafts, "//" comments, stray or
                 missing commas, unassigned arcs such as XXX, a missing quote, ...) and
                 find imported modules under their older names (RFC-1213 as RFC1213-MIB);
                 each repair is printed on standard error as "FILE:LINE: repaired: WHAT"
                 (--each counts them). What imports without it imports the same with it
  --log          also print the full import log (it names every numeric object that
                 made no entry, and why)
  -q             print no reports (errors and warnings still go to standard error)
  --help         show this text

Without MIB files, IN is read and written to OUT unchanged (a load and save round trip).
Without -o and --html nothing is written. Reports go to standard output, or to standard
error when OUT is "-"; "Import successful!" follows once everything asked is written.

Exit status: 0 success; 1 an import was incomplete (a parent chain did not reach the
root or ran deeper than 128 arcs, an augmented row was missing or a type is defined
nowhere, each named on standard error; OUT is still written and the full log printed);
2 a parse error or missing module ("FILE:LINE: MESSAGE" on standard error, then every
missing module and where it was looked for, and whether --repair would import it;
nothing is written), an unreadable MIB file or another failure that ends the run (out
of memory, the working folder removed); 3 IN cannot be read, or OUT or PAGE cannot be
written; 4 wrong arguments.
)";

struct Options {
    std::string input, output, html, stdmib, each;
    bool log = false, quiet = false, mibPathGiven = false;
    ImportOptions import;
    ExistingChoice existing = ExistingChoice::Keep;
    std::vector<std::string> files;
};

// Fills options; returns what is wrong with the arguments, or "" when nothing is.
std::string ParseArguments(int argc, char** argv, Options& options) {
    ArgumentScanner scanner;
    scanner.Option("--library", options.input);
    scanner.Option("-o", [&options](const std::string& value) {
        options.output = OutputName(value);
        return std::string();
    });
    scanner.Option("--html", options.html);
    scanner.Option("--each", options.each);
    scanner.Option("--stdmib", options.stdmib);
    scanner.Option("--mib-path", [&options](const std::string& list) {
        options.import.mibFolders = SplitFolderList(list);
        options.mibPathGiven = true;
        return std::string();
    });
    scanner.Option("--existing", [&options](const std::string& value) {
        if (value != "keep" && value != "replace") return "--existing takes keep or replace, not " + value;
        options.existing = value == "keep" ? ExistingChoice::Keep : ExistingChoice::Replace;
        return std::string();
    });
    scanner.Switch("--units-from-mib", options.import.unitsFromMib);
    scanner.Switch("--repair", options.import.repair);
    scanner.Switch("--log", options.log);
    scanner.Switch("-q", options.quiet);
    scanner.Operands([&options](const std::string& file) {
        options.files.push_back(file);
        return std::string();
    });
    if (std::string wrong = scanner.Scan(argc, argv); !wrong.empty()) return wrong;
    if (!options.mibPathGiven) options.import.mibFolders = DefaultMibFolders();
    if (options.files.empty() && options.input.empty() && options.each.empty()) return "no MIB file given";
    return "";
}

void PrintLines(std::ostream& out, const std::vector<std::string>& lines) {
    for (const std::string& line : lines) out << EscapeForTerminal(line) << "\n";
}

// Writes OUT and PAGE where asked; false, with the reason on standard error, when one fails.
bool WriteOutputs(const toidfile& library, const Options& options) {
    try {
        if (options.output == "-")
            std::cout << library.SaveToText();
        else if (!options.output.empty())
            library.SaveToFile(options.output);
    } catch (const std::exception& error) {
        std::cerr << EscapeForTerminal(options.output) << ": " << EscapeForTerminal(error.what()) << "\n";
        return false;
    }
    try {
        if (!options.html.empty()) WriteHtmlOverview(library, options.html);
    } catch (const std::exception& error) {
        std::cerr << EscapeForTerminal(error.what()) << "\n";
        return false;
    }
    return true;
}

int Run(int argc, char** argv) {
    if (AsksForHelp(argc, argv)) {
        std::cout << Usage;
        return exitOk;
    }
    Options options;
    if (const std::string wrong = ParseArguments(argc, argv, options); !wrong.empty()) {
        ReportWrongArguments(Program, wrong);
        return exitUsage;
    }
    const bool each = !options.each.empty();
    if (each && (!options.files.empty() || !options.input.empty() || options.output == "-")) {
        ReportWrongArguments(Program, "--each takes no MIB file, no --library and no -o -");
        return exitUsage;
    }

    toidfile library;
    if (!options.input.empty() && !ReadLibrary(library, options.input)) return exitLibraryError;

    const std::string programFolder = platform::ProgramFolder(argv[0]);
    const ProgramFiles program = ProgramFilesIn(programFolder, options.stdmib);

    if (each)
        return RunEach({.folder = options.each,
                        .libraryFolder = options.output,
                        .pageFolder = options.html,
                        .program = program,
                        .moduleIndexFolder = platform::UserCacheFolder(),
                        .import = options.import,
                        .quiet = options.quiet});

    ImportRunner runner;
    runner.ModuleIndexFolder = platform::UserCacheFolder();
    runner.KeepLog = !options.quiet;  // -q shows no log
    runner.Options = options.import;
    toidfile imported;  // met with the library's entries afterwards, so that none comes twice
    try {
        runner.Run(imported, options.files, program);
    } catch (const eparseexception& error) {
        std::cerr << EscapeForTerminal(PositionedMessage(error)) << "\n";
        for (const std::string& line : error.Details) std::cerr << "  " << EscapeForTerminal(line) << "\n";
        return exitParseError;
    } catch (const std::exception& error) {
        std::cerr << "oidwright-import: " << EscapeForTerminal(error.what()) << "\n";
        return exitParseError;
    }

    const MergeResult merged = MergeImport(library, imported, options.existing);

    std::ostream& reports = options.output == "-" ? std::cerr : std::cout;
    const bool importing = !options.files.empty();
    if (importing && !options.quiet) {
        PrintLines(reports, runner.ImportReport);
        PrintLines(reports, merged.ReportLines());
        // On a failure the warning follows with the whole log.
        if (runner.Failed)
            PrintLines(reports, runner.WarningLines());
        else if (options.log)
            PrintLines(reports, runner.ImportLog);
    }
    PrintLines(std::cerr, runner.RepairLines);
    if (const std::string noEntry = runner.NoEntryLine(); !noEntry.empty()) std::cerr << noEntry << "\n";
    if (const std::string incomplete = runner.IncompleteLine(); !incomplete.empty())
        std::cerr << incomplete << "\n";
    if (runner.Failed) std::cerr << "oidwright-import: import incomplete, see the log\n";

    if (!WriteOutputs(library, options)) return exitLibraryError;
    if (options.output.empty() && options.html.empty())
        std::cerr << "No library written: give -o FILE to write one.\n";
    else if (importing && !runner.Failed && !options.quiet)
        reports << "Import successful!\n";
    return runner.Failed ? exitSoftFailure : exitOk;
}

}  // namespace

int main(int argc, char** argv) {
    const platform::ConsoleProgram console(argc, argv);
    return RunToAnEnd(Program, exitParseError, [&] { return Run(argc, argv); });
}
