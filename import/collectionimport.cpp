#include "import/collectionimport.h"

#include "import/importlogger.h"
#include "import/incompletecauses.h"
#include "import/repairhint.h"
#include "library/filesave.h"
#include "library/htmloverview.h"
#include "library/oidfile.h"
#include "library/oidfileerror.h"
#include "mib/sourcetext.h"
#include "platform/paths.h"
#include "text/asciicase.h"
#include "text/paths.h"

std::vector<std::string> MibFilesIn(const std::string& folder) {
    ModuleHeaders listing;
    std::vector<std::string> files;
    for (const std::string& name : listing.FilesOf(folder)) {
        const std::string extension = asciicase::Lower(platform::Utf8Of(platform::PathOf(name).extension()));
        if (extension == ".mib" || extension == ".my" || extension == ".txt") files.push_back(folder + name);
    }
    return files;
}

std::vector<CollectionItem> CollectionImport::Run(const std::string& folder, const ProgramFiles& program) {
    const std::string workingFolder = JoinPath(folder, "");
    if (!ModuleIndexFolder.empty()) headers_.UseIndex(ModuleIndexFile(ModuleIndexFolder, workingFolder));
    const std::vector<std::string> files = MibFilesIn(workingFolder);
    std::vector<CollectionItem> items;
    for (const std::string& file : files) {
        items.push_back(ImportFile(file, workingFolder, program));
        parsed_.ReleaseUnshared(file, Options.repair);
        if (OnItem) OnItem(items.back(), static_cast<int>(items.size()), static_cast<int>(files.size()));
    }
    headers_.SaveIndex();
    SyncError.clear();
    try {
        for (const std::string* written : {&LibraryFolder, &PageFolder})
            if (!written->empty()) SyncFileSystemOf(*written);
    } catch (const OidFileError& error) {
        SyncError = error.what();
    }
    return items;
}

CollectionItem CollectionImport::ImportFile(const std::string& fileName, const std::string& folder,
                                            const ProgramFiles& program) {
    CollectionItem item;
    item.fileName = fileName;
    toidfile library;
    bool complete = false;
    try {
        // No log: a folder's run shows a line per file.
        complete = ImportMib(library, ImportLogger(), fileName, folder, program.standardFolder, program,
                             headers_, &parsed_, Options);
    } catch (const eparseexception& error) {
        item.result = CollectionItem::Failed;
        item.message = PositionedMessage(error);
        item.repairHint = RepairHintOf(error);
        return item;
    } catch (const std::exception& error) {
        item.result = CollectionItem::Failed;
        item.message = error.what();
        return item;
    }
    item.moduleName = parsed_.Kept(fileName, Options.repair)->moduleName;
    item.entries = library.Count();
    item.repairs = static_cast<int>(library.ImportStats.Repairs.size());
    item.result = complete ? CollectionItem::Imported : CollectionItem::Incomplete;
    if (!complete) item.message = incompletecauses::Summary(library.ImportStats.IncompleteCauses);
    // A module with no entry (an SMI or textual-convention module) makes no library worth writing.
    if (item.entries == 0) return item;

    // Two files of one module would write one library: the first in name order keeps it.
    const auto [first, added] = written_.try_emplace(asciicase::Upper(item.moduleName), fileName);
    if (!added) {
        item.result = CollectionItem::Duplicate;
        item.message = first->second;
        return item;
    }
    try {
        // The run syncs all new files at its end, once (a replaced file is synced before it is replaced).
        if (!LibraryFolder.empty())
            SaveFileContent(JoinPath(LibraryFolder, item.moduleName + ".oidlib"), library.SaveToText(),
                            NewFileSync::later);
        if (!PageFolder.empty())
            SaveFileContent(JoinPath(PageFolder, item.moduleName + ".html"), HtmlOverview(library),
                            NewFileSync::later);
    } catch (const std::exception& error) {
        item.result = CollectionItem::Unwritable;
        item.message = error.what();
    }
    return item;
}
