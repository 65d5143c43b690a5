#include "import/importrunner.h"

#include "import/importlogger.h"
#include "import/incompletecauses.h"
#include "text/paths.h"

namespace {

// What introduces the log after the reports of a failed run.
const std::vector<std::string> WarningHead = {"",
                                              "Something went wrong. Please check if all needed "
                                              "include/import files are in the stdmib or working path.",
                                              "Adding Importlog:"};

// The whole log after its head, and an empty line.
void AppendLog(std::vector<std::string>& lines, const std::vector<std::string>& log) {
    lines.insert(lines.end(), log.begin(), log.end());
    lines.push_back("");
}

}  // namespace

void ImportRunner::Run(toidfile& library, const std::vector<std::string>& files,
                       const ProgramFiles& program) {
    ImportLog.clear();
    logBytes_ = 0;
    ImportReport.clear();
    Failed = false;
    NoEntryObjects = 0;
    RepairLines.clear();
    IncompleteCauses.clear();
    if (files.empty()) return;
    if (files.size() > 1) ReuseParsedModules = true;
    if (!ModuleIndexFolder.empty())
        headers_.UseIndex(ModuleIndexFile(ModuleIndexFolder, FolderOfFile(files.front())));
    try {
        RunAll(library, files, program);
    } catch (...) {
        headers_.SaveIndex();  // the headers read before the error are still right
        throw;
    }
    headers_.SaveIndex();
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
    ImportLogger log;
    if (KeepLog) log.OnLine = [this](const std::string& line) { KeepLogLine(line); };
    if (OnModuleSearch)
        log.OnModuleSearch = [this, &library](const std::string& module, const std::string& file) {
            OnModuleSearch(library, module, file);
        };
    log.Level = KeepLog ? 2 : 0;
    const bool ok = ImportMib(library, log, fileName, workingFolder, program.standardFolder, program,
                              headers_, ReuseParsedModules ? &parsed_ : nullptr, Options);
    library.ImportStats.WriteReport(ImportReport);
    NoEntryObjects += library.ImportStats.NoEntryObjects;
    RepairLines.insert(RepairLines.end(), library.ImportStats.Repairs.begin(),
                       library.ImportStats.Repairs.end());
    for (const std::string& cause : library.ImportStats.IncompleteCauses)
        AddIncompleteCause(IncompleteCauses, cause);
    return ok;
}

void ImportRunner::KeepLogLine(const std::string& line) {
    if (logBytes_ > MaxLogBytes) return;
    logBytes_ += line.size();
    if (logBytes_ <= MaxLogBytes)
        ImportLog.push_back(line);
    else
        ImportLog.push_back("The import log is cut here: it keeps at most " + std::to_string(MaxLogBytes) +
                            " bytes.");
}

std::string ImportRunner::NoEntryLine() const {
    if (NoEntryObjects == 0) return "";
    return std::to_string(NoEntryObjects) + (NoEntryObjects == 1 ? " numeric object" : " numeric objects") +
           " made no entry (see the full log for each one and why)";
}

std::vector<std::string> ImportRunner::ReportLines(const std::vector<std::string>& afterReports) const {
    std::vector<std::string> lines;
    if (!Failed) lines = {"Import successful!", ""};
    lines.insert(lines.end(), ImportReport.begin(), ImportReport.end());
    if (!RepairLines.empty()) lines.emplace_back();
    lines.insert(lines.end(), RepairLines.begin(), RepairLines.end());
    if (const std::string noEntry = NoEntryLine(); !noEntry.empty()) lines.push_back(noEntry);
    if (const std::string incomplete = IncompleteLine(); !incomplete.empty()) lines.push_back(incomplete);
    lines.insert(lines.end(), afterReports.begin(), afterReports.end());
    if (Failed) lines.insert(lines.end(), WarningHead.begin(), WarningHead.end());
    return lines;
}

std::vector<std::string> ImportRunner::SummaryLines(const std::vector<std::string>& afterReports) const {
    std::vector<std::string> lines = ReportLines(afterReports);
    if (Failed) AppendLog(lines, ImportLog);
    return lines;
}

std::vector<std::string> ImportRunner::WarningLines() const {
    std::vector<std::string> lines(WarningHead.begin(), WarningHead.end());
    AppendLog(lines, ImportLog);
    return lines;
}

std::string ImportRunner::IncompleteLine() const {
    if (IncompleteCauses.empty()) return "";
    return "The import is incomplete: " + incompletecauses::Summary(IncompleteCauses) + ".";
}
