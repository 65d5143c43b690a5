#include "import/importmib.h"

#include <unordered_set>

#include "import/displaynames.h"
#include "import/mibconverter.h"
#include "import/modulelocator.h"
#include "library/oidfile.h"
#include "mib/mibfile.h"
#include "text/asciicase.h"
#include "text/paths.h"

namespace {

// Phase 1: the standard module, the chosen file, then pass after pass every imported module.
class ModuleLoader {
  public:
    ModuleLoader(toidfile& library, tmibfile& mib, ModuleHeaders& headers)
        : library_(library), mib_(mib), headers_(headers) {}

    void Parse(const std::string& fileName) {
        mib_.LoadFile(fileName);
        mib_.ParseModule();
    }

    void LoadChosen(const std::string& fileName) {
        mib_.LoadFile(fileName);
        library_.ImportStats.ReportFile = fileName;
        mib_.Imported = false;
        mib_.ParseModule();
        loaded_.insert(asciicase::Upper(mib_.ModuleName));
        library_.Log("MIB: " + mib_.ModuleName);
    }

    void LoadImports(const std::string& workingFolder, const std::string& secondFolder) {
        for (bool loadedSomething = true; loadedSomething;) {
            loadedSomething = false;
            // The list grows while modules are parsed; the walk sees the growth.
            for (std::size_t i = 0; i < mib_.ImportList.size(); ++i) {
                const std::string module = mib_.ImportList[i].substr(0, mib_.ImportList[i].find(':'));
                if (loaded_.count(asciicase::Upper(module)) || workingFolder.empty()) continue;
                library_.ReportModuleSearch(module, "");
                std::string file = LocateModule(library_, module, workingFolder, headers_);
                if (file.empty()) file = LocateModule(library_, module, secondFolder, headers_);
                if (file.empty()) RaiseMissing(i, module);
                library_.Log("Load: " + file);
                library_.ImportStats.AddFile(module, true);
                Parse(file);
                library_.Log("MIB: " + mib_.ModuleName);
                loaded_.insert(asciicase::Upper(module));
                loadedSomething = true;
            }
        }
    }

  private:
    [[noreturn]] void RaiseMissing(std::size_t importLine, const std::string& module) {
        mib_.LoadFile(mib_.ImportFiles[importLine]);
        mib_.Position = static_cast<int32_t>(std::stol(mib_.ImportPositions[importLine]));
        mib_.RaiseError("Missing import module: " + module);
    }

    toidfile& library_;
    tmibfile& mib_;
    ModuleHeaders& headers_;
    std::unordered_set<std::string> loaded_;  // upper-cased module names
};

}  // namespace

bool ImportMib(toidfile& library, const std::string& fileName, const std::string& workingFolder,
               const std::string& secondFolder, const ProgramFiles& program, const ImportOptions& options) {
    ModuleHeaders headers;
    return ImportMib(library, fileName, workingFolder, secondFolder, program, headers, options);
}

bool ImportMib(toidfile& library, const std::string& fileName, const std::string& workingFolder,
               const std::string& secondFolder, const ProgramFiles& program, ModuleHeaders& headers,
               const ImportOptions& options) {
    library.Log("Load: " + fileName);
    DisplayNames names;
    names.ReplaceList = LoadReplaceList(program.replaceList);
    library.ImportStats.Clear();

    tmibfile mib;
    if (library.OnLog) mib.OnLog = [&library](tmibfile&, const std::string& line) { library.Log(line); };
    mib.LogLevel = library.LogLevel;

    ModuleLoader loader(library, mib, headers);
    loader.Parse(program.standardModule);
    loader.LoadChosen(fileName);
    const std::string agent = mib.ModuleName;
    mib.Imported = true;
    loader.LoadImports(workingFolder, secondFolder.empty() ? FolderOfFile(fileName) : secondFolder);

    MibConverter converter(library, mib, names, agent, options);
    return converter.ConvertAll();
}
