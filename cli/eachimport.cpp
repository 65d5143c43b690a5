#include "cli/eachimport.h"

#include <algorithm>
#include <filesystem>
#include <iostream>

#include "import/collectionimport.h"
#include "platform/paths.h"
#include "platform/program.h"
#include "text/printable.h"

namespace {

int ExitStatus(CollectionItem::Result result) {
    switch (result) {
        case CollectionItem::Incomplete:
            return 1;
        case CollectionItem::Failed:
            return 2;
        case CollectionItem::Unwritable:
            return 3;
        default:
            return 0;
    }
}

// "IF-MIB.mib: IF-MIB, 47 entries" (", 2 repairs" after repairs); an error is "FILE:LINE: MESSAGE" as a
// single import prints it.
std::string SummaryLine(const CollectionItem& item) {
    const std::string module = item.fileName + ": " + item.moduleName;
    const std::string entries = (item.entries == 0 ? ", no entries, nothing written"
                                                   : ", " + std::to_string(item.entries) + " entries") +
                                (item.repairs == 0 ? ""
                                                   : ", " + std::to_string(item.repairs) +
                                                         (item.repairs == 1 ? " repair" : " repairs"));
    switch (item.result) {
        case CollectionItem::Imported:
            return module + entries;
        case CollectionItem::Incomplete:
            return module + entries + ", incomplete: " + item.message;
        case CollectionItem::Failed:
            // An error in a module the file imports names that module's file: say whose import it ended.
            if (item.message.starts_with(item.fileName + ":") ||
                item.message.find("\"" + item.fileName + "\"") != std::string::npos)
                return item.message;
            return item.message + " (importing " + item.fileName + ")";
        case CollectionItem::Duplicate:
            return module + ": the same module as " + item.message + ", not written";
        case CollectionItem::Unwritable:
            return module + ": " + item.message;
    }
    return module;
}

bool MakeFolder(const std::string& folder) {
    std::error_code error;
    if (folder.empty() || std::filesystem::create_directories(platform::PathOf(folder), error) || !error)
        return true;
    std::cerr << "Cannot create folder \"" << EscapeForTerminal(folder) << "\". " << error.message() << "\n";
    return false;
}

}  // namespace

int RunEach(const EachOptions& options) {
    std::error_code error;
    if (!std::filesystem::is_directory(platform::PathOf(options.folder), error)) {
        std::cerr << "oidwright-import: " << EscapeForTerminal(options.folder) << " is not a folder\n";
        return 2;
    }
    // A working folder removed under the run is still a folder, but one that lists nothing.
    if (std::filesystem::canonical(platform::PathOf(options.folder), error).empty()) {
        std::cerr << "oidwright-import: cannot read the folder " << EscapeForTerminal(options.folder) << ": "
                  << error.message() << "\n";
        return 2;
    }
    if (!MakeFolder(options.libraryFolder) || !MakeFolder(options.pageFolder)) return 3;

    CollectionImport collection;
    collection.LibraryFolder = options.libraryFolder;
    collection.PageFolder = options.pageFolder;
    collection.ModuleIndexFolder = options.moduleIndexFolder;
    collection.Options = options.import;
    const bool progress = platform::StandardErrorIsTerminal();
    int worst = 0, counts[5] = {}, entries = 0, empty = 0, repairedFiles = 0, repairs = 0;
    collection.OnItem = [&](const CollectionItem& item, int done, int total) {
        worst = std::max(worst, ExitStatus(item.result));
        ++counts[item.result];
        if (item.result == CollectionItem::Imported || item.result == CollectionItem::Incomplete) {
            entries += item.entries;
            if (item.entries == 0) ++empty;
        }
        repairedFiles += item.repairs > 0;
        repairs += item.repairs;
        if (progress) std::cerr << "\r\x1b[K" << std::flush;
        if (!options.quiet || item.result != CollectionItem::Imported || item.repairs > 0)
            std::cout << EscapeForTerminal(SummaryLine(item)) << std::endl;
        if (!item.repairHint.empty()) std::cout << "  " << item.repairHint << std::endl;
        if (progress)
            std::cerr << "[" << done << "/" << total << "] " << EscapeForTerminal(item.fileName)
                      << std::flush;
    };
    const auto items = collection.Run(options.folder, options.program);
    if (progress) std::cerr << "\r\x1b[K" << std::flush;
    std::cout << items.size()
              << " files: " << counts[CollectionItem::Imported] + counts[CollectionItem::Incomplete]
              << " modules imported with " << entries << " entries, " << empty << " with no entries, "
              << counts[CollectionItem::Incomplete] << " incomplete, " << counts[CollectionItem::Failed]
              << " failed, " << counts[CollectionItem::Duplicate] << " duplicates, "
              << counts[CollectionItem::Unwritable] << " not written";
    if (options.import.repair)
        std::cout << ", " << repairedFiles << " repaired with " << repairs
                  << (repairs == 1 ? " repair" : " repairs");
    std::cout << "\n";
    if (!collection.SyncError.empty()) {
        std::cerr << "oidwright-import: " << EscapeForTerminal(collection.SyncError) << "\n";
        return 3;
    }
    return worst;
}
