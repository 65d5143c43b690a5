#pragma once
// A whole folder of MIB files in one run: every file imported as its own chosen file into a
// library of its own, the modules they share read and parsed once.

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "import/importmib.h"
#include "import/moduleheaders.h"
#include "import/parsedmodules.h"

// What the import of one file of the folder came to.
struct CollectionItem {
    enum Result { Imported, Incomplete, Failed, Duplicate, Unwritable };
    std::string fileName;    // the chosen file
    std::string moduleName;  // the module it declares; "" when it failed before that was known
    int entries = 0;         // Imported or Incomplete with none: nothing was written
    int repairs = 0;         // faults repaired (ImportOptions::repair)
    Result result = Imported;
    // Failed: "FILE:LINE: MESSAGE" (or the file error); Incomplete: why ("unknown type Countr32");
    // Duplicate: the file imported first under the same module name; Unwritable: the save's message.
    std::string message;
    std::string repairHint;  // Failed: that repair mode would import it (see RepairHintOf), or ""
};

// The files of folder a MIB import offers (*.mib, *.my, *.txt in any letter case; plain files,
// not hidden), in byte order of their names.
std::vector<std::string> MibFilesIn(const std::string& folder);

// Imports each file as `oidwright-import FILE -o LIBRARIES/MODULE.oidlib --html PAGES/MODULE.html`
// would, with the file's folder as the working folder, and writes the same bytes; a module with
// no entry writes nothing.
class CollectionImport {
  public:
    std::string LibraryFolder;  // "" writes no libraries
    std::string PageFolder;     // "" writes no overview pages
    // The user's cache folder of the module header index; "" keeps none.
    std::string ModuleIndexFolder;
    ImportOptions Options;  // for every file of the run
    // Called after each file with its outcome, the number of files done and of all files.
    std::function<void(const CollectionItem& item, int done, int total)> OnItem;

    // Imports the MIB files of folder; a file that fails is reported and the run goes on.
    // Returns the outcome of every file in order. New files are synced to the disk once, at the end.
    std::vector<CollectionItem> Run(const std::string& folder, const ProgramFiles& program);
    // Why the files written could not be synced to the disk at the end of the run; "" when they were.
    std::string SyncError;

  private:
    CollectionItem ImportFile(const std::string& fileName, const std::string& folder,
                              const ProgramFiles& program);

    ModuleHeaders headers_;
    ParsedModules parsed_;
    std::unordered_map<std::string, std::string> written_;  // upper-cased module name -> its file
};
