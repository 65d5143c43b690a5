#pragma once
// The import command's runner: a list of MIB files into one library, with reports and log.

#include <functional>
#include <string>
#include <vector>

#include "import/importmib.h"
#include "import/moduleheaders.h"
#include "import/parsedmodules.h"
#include "library/oidfile.h"

// Imports files one after the other as the window's import command does and keeps what
// it shows afterwards: the reports of all files and the full import log.
class ImportRunner {
  public:
    std::vector<std::string> ImportLog;
    std::vector<std::string> ImportReport;
    bool Failed = false;                        // some file's import returned false
    int NoEntryObjects = 0;                     // numeric objects of all files that made no entry
    std::vector<std::string> IncompleteCauses;  // why imports were incomplete, each once
    // "FILE:LINE: repaired: WHAT" for each fault the imports of the run repaired (Options.repair).
    std::vector<std::string> RepairLines;
    // The user's cache folder for the module header index of each working folder, which
    // spares the header scans of unchanged files between runs; "" keeps no index.
    std::string ModuleIndexFolder;
    // Called before each file's import with its name; false ends the run before that file
    // (the window stops between files when it is being closed). Unset: every file is imported.
    std::function<bool(const std::string& fileName)> BeforeFile;
    // Each module search of the run (the window shows it in its progress window). Unset: none.
    toidfile::ModuleSearchEvent OnModuleSearch;
    // false: no import log is made and ImportLog stays empty, for a caller that never shows it;
    // the reports are kept all the same.
    bool KeepLog = true;
    ImportOptions Options;  // for every file of the run
    // The log a run keeps: a hostile module could otherwise make it outgrow memory. Past the
    // limit one last line says that the log was cut there.
    std::size_t MaxLogBytes = std::size_t{16} * 1024 * 1024;
    // true: every module parsed by one import is kept for the later imports of this runner, so
    // that the modules several files import are read and parsed once, with the same entries,
    // reports and log. Run turns it on when it imports more than one file.
    bool ReuseParsedModules = false;

    // Working folder: the folder of the first file; second folder: the program's standard folder.
    // Loads the working folder's index at the first header scan, if one is needed, and saves it
    // afterwards, also after an error.
    // Errors of ImportMib (eparseexception, MibFileError) pass through and end the run;
    // files after the failing one are not imported.
    void Run(toidfile& library, const std::vector<std::string>& files, const ProgramFiles& program);

    // One file at log level 2 with its log lines kept in ImportLog (level 0 and no log without
    // KeepLog) and its module searches told to OnModuleSearch with the library as sender; the
    // library's own events and log level are neither used nor changed. Appends the file's report.
    bool RunImport(toidfile& library, const std::string& fileName, const std::string& workingFolder,
                   const ProgramFiles& program);

    // The lines the import log window shows after the run: "Import successful!" and the
    // reports, or on a failure the reports and WarningLines; the repair lines, the no-entry and
    // incomplete lines and afterReports (what meeting the library's entries did) follow the reports.
    std::vector<std::string> SummaryLines(const std::vector<std::string>& afterReports = {}) const;
    // SummaryLines without the log (and the empty line after it) that a failed run appends:
    // after a failure they end with "Adding Importlog:".
    std::vector<std::string> ReportLines(const std::vector<std::string>& afterReports = {}) const;

    // What follows the reports after a failed run: an empty line, the warning, "Adding Importlog:",
    // the whole log and an empty line.
    std::vector<std::string> WarningLines() const;

    // What made the imports incomplete, so that the warning's advice to check the include files
    // does not stand alone: "The import is incomplete: unknown type Countr32.", or "" when nothing did.
    std::string IncompleteLine() const;

    // "49 numeric objects made no entry (see the full log for each one and why)", or "" when
    // every numeric object made one.
    std::string NoEntryLine() const;

  private:
    void KeepLogLine(const std::string& line);
    void RunAll(toidfile& library, const std::vector<std::string>& files, const ProgramFiles& program);

    ModuleHeaders headers_;  // the headers read by every run of this runner
    std::size_t logBytes_ = 0;
    ParsedModules parsed_;  // with ReuseParsedModules
};
