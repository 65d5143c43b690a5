#include "import/importrunner.h"

#include "text/paths.h"

void ImportRunner::Run(toidfile& library, const std::vector<std::string>& files,
                       const ProgramFiles& program) {
    ImportLog.clear();
    ImportReport.clear();
    Failed = false;
    if (files.empty()) return;
    if (ModuleIndexFolder.empty()) return RunAll(library, files, program);
    const std::string index = ModuleIndexFile(ModuleIndexFolder, FolderOfFile(files.front()));
    headers_.LoadIndex(index);
    try {
        RunAll(library, files, program);
    } catch (...) {
        headers_.SaveIndex(index);  // the headers read before the error are still right
        throw;
    }
    headers_.SaveIndex(index);
}

void ImportRunner::RunAll(toidfile& library, const std::vector<std::string>& files,
                          const ProgramFiles& program) {
    const std::string workingFolder = FolderOfFile(files.front());
    for (const std::string& file : files) {
        if (BeforeFile && !BeforeFile(file)) return;
        if (!RunImport(library, file, workingFolder, program)) Failed = true;
    }
}

bool ImportRunner::RunImport(toidfile& library, const std::string& fileName, const std::string& workingFolder,
                             const ProgramFiles& program) {
    // The library outlives the runner: its events are given back, also when the import throws.
    struct RestoreEvents {
        toidfile& library;
        toidfile::LogEvent log;
        toidfile::ModuleSearchEvent moduleSearch;
        int logLevel;
        ~RestoreEvents() {
            library.OnLog = std::move(log);
            library.OnModuleSearch = std::move(moduleSearch);
            library.LogLevel = logLevel;
        }
    } restore{library, library.OnLog, library.OnModuleSearch, library.LogLevel};
    library.OnLog = nullptr;
    if (KeepLog) library.OnLog = [this](toidfile&, const std::string& line) { ImportLog.push_back(line); };
    library.OnModuleSearch = OnModuleSearch;
    library.LogLevel = KeepLog ? 2 : 0;
    const bool ok =
        ImportMib(library, fileName, workingFolder, program.standardFolder, program, headers_, Options);
    library.ImportStats.WriteReport(ImportReport);
    return ok;
}

std::vector<std::string> ImportRunner::SummaryLines() const {
    std::vector<std::string> lines;
    if (Failed) {
        lines = ImportReport;
        lines.push_back("");
        lines.push_back(
            "Something went wrong. Please check if all needed include/import files are in the stdmib or "
            "working "
            "path.");
        lines.push_back("Adding Importlog:");
        lines.insert(lines.end(), ImportLog.begin(), ImportLog.end());
        lines.push_back("");
    } else {
        lines = {"Import successful!", ""};
        lines.insert(lines.end(), ImportReport.begin(), ImportReport.end());
    }
    return lines;
}
