#pragma once
// The import command's runner: a list of MIB files into one library, with reports and log.

#include <functional>
#include <string>
#include <vector>

#include "import/importmib.h"
#include "import/moduleheaders.h"
#include "library/oidfile.h"

// Imports files one after the other as the window's import command does and keeps what
// it shows afterwards: the reports of all files and the full import log.
class ImportRunner {
  public:
    std::vector<std::string> ImportLog;
    std::vector<std::string> ImportReport;
    bool Failed = false;  // some file's import returned false
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

    // Working folder: the folder of the first file; second folder: the program's standard folder.
    // Loads the working folder's index first and saves it afterwards, also after an error.
    // Errors of ImportMib (eparseexception, MibFileError) pass through and end the run;
    // files after the failing one are not imported.
    void Run(toidfile& library, const std::vector<std::string>& files, const ProgramFiles& program);

    // One file with LogLevel 2 and OnLog feeding ImportLog (LogLevel 0 and no handler without
    // KeepLog) and the runner's OnModuleSearch; the library's own events and log level are put
    // back afterwards, also when the import throws. Appends the file's report.
    bool RunImport(toidfile& library, const std::string& fileName, const std::string& workingFolder,
                   const ProgramFiles& program);

    // The lines the import log window shows after the run: "Import successful!" and the
    // reports, or on a failure the reports, the warning and the whole log.
    std::vector<std::string> SummaryLines() const;

  private:
    void RunAll(toidfile& library, const std::vector<std::string>& files, const ProgramFiles& program);

    ModuleHeaders headers_;  // the headers read by every run of this runner
};
