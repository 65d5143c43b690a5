#include "import/importmib.h"

#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "import/displaynames.h"
#include "import/importlogger.h"
#include "import/mibconverter.h"
#include "import/modulelocator.h"
#include "import/parsedmodules.h"
#include "library/oidfile.h"
#include "mib/mibfile.h"
#include "text/asciicase.h"
#include "text/paths.h"

namespace {

// Phase 1: the standard module, the chosen file, then pass after pass every imported module.
class ModuleLoader {
  public:
    ModuleLoader(toidfile& library, const ImportLogger& log, tmibfile& mib, ModuleHeaders& headers,
                 ParsedModules* parsed)
        : library_(library), log_(log), mib_(mib), headers_(headers), parsed_(parsed) {}

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
    void LoadImports(const std::string& workingFolder, const std::string& secondFolder) {
        std::vector<std::size_t> missing;  // ImportList lines of the modules not found, in order
        std::unordered_set<std::string> missingNames;
        for (bool loadedSomething = true; loadedSomething;) {
            loadedSomething = false;
            // The list grows while modules are parsed; the walk sees the growth.
            for (std::size_t i = 0; i < mib_.ImportList.size(); ++i) {
                const std::string module = mib_.ImportModule(i);
                const std::string key = asciicase::Upper(module);
                if (loaded_.count(key) || missingNames.count(key) || workingFolder.empty()) continue;
                log_.ReportModuleSearch(module, "");
                std::string file = LocateModule(log_, module, workingFolder, headers_);
                if (file.empty()) file = LocateModule(log_, module, secondFolder, headers_);
                if (file.empty()) {
                    missing.push_back(i);
                    missingNames.insert(key);
                    continue;
                }
                log_.Log("Load: " + file);
                library_.ImportStats.AddFile(module, true);
                try {
                    Parse(file, false);
                } catch (const eparseexception&) {
                    if (missing.empty()) throw;
                    RaiseMissing(missing, workingFolder, secondFolder);
                }
                log_.Log("MIB: " + mib_.ModuleName);
                loaded_.insert(key);
                loadedSomething = true;
            }
        }
        if (!missing.empty()) RaiseMissing(missing, workingFolder, secondFolder);
    }

  private:
    void Parse(const std::string& fileName, bool first) {
        if (parsed_ != nullptr) {
            mib_.AddModule(parsed_->Get(fileName, first));
        } else {
            mib_.LoadFile(fileName);
            mib_.ParseModule();
        }
        moduleOfFile_[fileName] = mib_.ModuleName;
    }

    // The error of the first missing module, positioned after its name in the FROM clause, with
    // a line for each missing module: who imports it and where it was looked for.
    [[noreturn]] void RaiseMissing(const std::vector<std::size_t>& missing, const std::string& workingFolder,
                                   const std::string& secondFolder) {
        eparseexception error("Missing import module: " + mib_.ImportModule(missing.front()),
                              mib_.ImportFiles[missing.front()],
                              static_cast<int32_t>(std::stol(mib_.ImportPositions[missing.front()])));
        for (const std::size_t line : missing) {
            const auto importer = moduleOfFile_.find(mib_.ImportFiles[line]);
            error.Details.push_back(
                mib_.ImportModule(line) + ", imported by " +
                (importer == moduleOfFile_.end() ? mib_.ImportFiles[line] : importer->second) +
                ", is in neither " + workingFolder + " nor " + secondFolder);
        }
        throw error;
    }

    toidfile& library_;
    const ImportLogger& log_;
    tmibfile& mib_;
    ModuleHeaders& headers_;
    ParsedModules* parsed_;                                      // nullptr: every module is parsed here
    std::unordered_set<std::string> loaded_;                     // upper-cased module names
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
    if (parsed != nullptr) mib.ShareScopes(parsed->Scopes());

    ModuleLoader loader(library, log, mib, headers, parsed);
    loader.LoadStandard(program.standardModule);
    loader.LoadChosen(fileName);
    const std::string agent = mib.ModuleName;
    mib.Imported = true;
    loader.LoadImports(workingFolder, secondFolder.empty() ? FolderOfFile(fileName) : secondFolder);

    MibConverter converter(library, log, mib, names, agent, options);
    return converter.ConvertAll();
}
