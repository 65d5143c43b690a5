#include "import/importmib.h"

#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "import/displaynames.h"
#include "import/importlogger.h"
#include "import/mibconverter.h"
#include "import/mibfolders.h"
#include "import/modulealiases.h"
#include "import/modulelocator.h"
#include "import/parsedmodules.h"
#include "import/repairhint.h"
#include "library/oidfile.h"
#include "mib/mibfile.h"
#include "mib/sourcetext.h"
#include "text/asciicase.h"
#include "text/paths.h"

namespace {

// Phase 1: the standard module, the chosen file, then pass after pass every imported module.
class ModuleLoader {
  public:
    ModuleLoader(toidfile& library, const ImportLogger& log, tmibfile& mib, ModuleHeaders& headers,
                 ParsedModules* parsed, bool repair)
        : library_(library), log_(log), mib_(mib), headers_(headers), parsed_(parsed), repair_(repair) {}

    void LoadStandard(const std::string& fileName) { Parse(fileName, true); }

    void LoadChosen(const std::string& fileName) {
        library_.ImportStats.ReportFile = fileName;
        mib_.Imported = false;
        Parse(fileName, false);
        loaded_.insert(asciicase::Upper(mib_.ModuleName));
        log_.Log("MIB: " + mib_.ModuleName);
    }

    // Every module missing from the import is looked for before the first one is raised, so that
    // one run names them all; a parse error met after a missing module yields to that module.
    // folders: where modules are searched, in order; the first is the working folder, and when
    // that is empty no module is searched.
    void LoadImports(const std::vector<std::string>& folders) {
        std::vector<std::size_t> missing;  // ImportList lines of the modules not found, in order
        std::unordered_set<std::string> missingNames;
        const auto isLoaded = [this](const std::string& name) {
            return loaded_.count(asciicase::Upper(name)) > 0;
        };
        for (bool loadedSomething = true; loadedSomething;) {
            loadedSomething = false;
            // The list grows while modules are parsed; the walk sees the growth.
            for (std::size_t i = 0; i < mib_.ImportList.size(); ++i) {
                const std::string module = mib_.ImportModule(i);
                const std::string key = asciicase::Upper(module);
                if (loaded_.count(key) || missingNames.count(key) || folders.front().empty()) continue;
                log_.ReportModuleSearch(module, "");
                const auto locate = [&](const std::string& name) {
                    return LocateModuleIn(log_, name, folders, headers_);
                };
                std::string file = locate(module);
                const std::string alias =
                    file.empty() && repair_ ? FindAlias(module, locate, isLoaded, file) : "";
                if (!alias.empty()) {
                    Repaired(i, "IMPORTS FROM " + module + " read as " + alias);
                    loaded_.insert(key);
                    if (file.empty()) continue;  // loaded already under its own name
                }
                if (file.empty()) {
                    missing.push_back(i);
                    missingNames.insert(key);
                    continue;
                }
                log_.Log("Load: " + file);
                library_.ImportStats.AddFile(alias.empty() ? module : alias, true);
                try {
                    Parse(file, false);
                } catch (const eparseexception&) {
                    if (missing.empty()) throw;
                    RaiseMissing(missing, folders);
                }
                log_.Log("MIB: " + mib_.ModuleName);
                loaded_.insert(key);
                if (!alias.empty()) loaded_.insert(asciicase::Upper(alias));
                loadedSomething = true;
            }
        }
        if (!missing.empty()) RaiseMissing(missing, folders);
    }

  private:
    void Parse(const std::string& fileName, bool first) {
        const std::size_t repairsBefore = mib_.RepairLines.size();
        if (parsed_ != nullptr) {
            mib_.AddModule(parsed_->Get(fileName, first, repair_));
        } else {
            mib_.LoadFile(fileName);
            mib_.ParseModule();
        }
        moduleOfFile_[fileName] = mib_.ModuleName;
        for (std::size_t i = repairsBefore; i < mib_.RepairLines.size(); ++i) Repaired(mib_.RepairLines[i]);
    }

    // A repair of the IMPORTS line at index, told at the FROM clause.
    void Repaired(std::size_t line, const std::string& what) {
        const std::string& file = mib_.ImportFiles[line];
        Repaired(file + ":" + std::to_string(LineInFile(file, std::stoi(mib_.ImportPositions[line]))) +
                 ": repaired: " + what);
    }
    void Repaired(const std::string& line) {
        log_.Log(line);
        library_.ImportStats.Repairs.push_back(line);
    }

    // The error of the first missing module, positioned after its name in the FROM clause, with
    // a line for each missing module: who imports it and where it was looked for.
    [[noreturn]] void RaiseMissing(const std::vector<std::size_t>& missing,
                                   const std::vector<std::string>& folders) {
        eparseexception error("Missing import module: " + mib_.ImportModule(missing.front()),
                              mib_.ImportFiles[missing.front()],
                              static_cast<int32_t>(std::stol(mib_.ImportPositions[missing.front()])));
        for (const std::size_t line : missing) {
            const auto importer = moduleOfFile_.find(mib_.ImportFiles[line]);
            error.Details.push_back(
                mib_.ImportModule(line) + ", imported by " +
                (importer == moduleOfFile_.end() ? mib_.ImportFiles[line] : importer->second) + ", is in " +
                FolderListText(folders));
        }
        throw error;
    }

    toidfile& library_;
    const ImportLogger& log_;
    tmibfile& mib_;
    ModuleHeaders& headers_;
    ParsedModules* parsed_;                   // nullptr: every module is parsed here
    bool repair_;                             // faults are repaired (ImportOptions::repair)
    std::unordered_set<std::string> loaded_;  // upper-cased module names
    std::unordered_map<std::string, std::string> moduleOfFile_;  // file name -> module parsed from it
};

}  // namespace

bool ImportMib(toidfile& library, const std::string& fileName, const std::string& workingFolder,
               const std::string& secondFolder, const ProgramFiles& program, const ImportOptions& options) {
    ModuleHeaders headers;
    return ImportMib(library, LibraryLogger(library), fileName, workingFolder, secondFolder, program, headers,
                     nullptr, options);
}

bool ImportMib(toidfile& library, const ImportLogger& log, const std::string& fileName,
               const std::string& workingFolder, const std::string& secondFolder, const ProgramFiles& program,
               ModuleHeaders& headers, ParsedModules* parsed, const ImportOptions& options) {
    log.Log("Load: " + fileName);
    DisplayNames names;
    names.ReplaceList = LoadReplaceList(program.replaceList);
    names.KeepCapitalRuns = options.unitsFromMib;
    library.ImportStats.Clear();

    tmibfile mib;
    if (log.Logging()) mib.OnLog = [&log](tmibfile&, const std::string& line) { log.Log(line); };
    mib.LogLevel = log.Level;
    // Repairs are made where a module is parsed on its own (ParseModuleFile).
    ParsedModules ownParses;
    if (parsed == nullptr && options.repair) parsed = &ownParses;
    if (parsed != nullptr) mib.ShareScopes(parsed->Scopes());

    ModuleLoader loader(library, log, mib, headers, parsed, options.repair);
    std::string agent;
    try {
        loader.LoadStandard(program.standardModule);
        loader.LoadChosen(fileName);
        agent = mib.ModuleName;
        mib.Imported = true;
        loader.LoadImports(SearchedFolders(
            workingFolder, secondFolder.empty() ? FolderOfFile(fileName) : secondFolder, options.mibFolders));
    } catch (eparseexception& error) {
        if (!options.repair)
            AddRepairHint(error, fileName, workingFolder, secondFolder, program, headers, parsed, options);
        throw;
    }

    MibConverter converter(library, log, mib, names, agent, options);
    return converter.ConvertAll();
}
