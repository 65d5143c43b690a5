#include "import/modulelocator.h"

#include <algorithm>

#include "mib/parseexception.h"
#include "text/asciicase.h"
#include "text/paths.h"
#include "text/textfile.h"
#include "text/windows1251case.h"

namespace {

bool MatchesWildcard(const std::string& name, const std::string& wildcard) {
    // Only the "*.ext" masks of the locator are used; the extension is compared as Windows does.
    if (wildcard.rfind("*.", 0) != 0) return windows1251case::Lower(name) == windows1251case::Lower(wildcard);
    const std::string extension = wildcard.substr(1);
    return name.size() > extension.size() &&
           windows1251case::Lower(name.substr(name.size() - extension.size())) ==
               windows1251case::Lower(extension);
}

}  // namespace

std::string FindModuleFile(const ImportLogger& log, const std::string& module, const std::string& mask,
                           ModuleHeaders& headers) {
    const std::string wanted = asciicase::Upper(module);
    const std::size_t separator = mask.find_last_of("/\\");
    const std::string folder = separator == std::string::npos ? "" : mask.substr(0, separator + 1);
    const std::string wildcard = mask.substr(folder.size());
    ModuleHeaders::FolderScan& scan = headers.ScanOf(folder, wildcard);
    const std::vector<std::string>& names = headers.FilesOf(folder);
    // The scan goes on where the last one of the run stopped, until it meets the module.
    while (!scan.firstFileOf.contains(wanted) && scan.next < names.size()) {
        const std::string& name = names[scan.next++];
        if (!MatchesWildcard(name, wildcard)) continue;
        const std::string* known = headers.Known(folder, name);
        if (known == nullptr) {
            log.ReportModuleSearch(wanted, name);
            try {
                known = &headers.Read(folder, name);
            } catch (const MibFileError& error) {
                // One unreadable file must not stop every import that scans its folder.
                log.Log(std::string(error.what()) + " (passed over in the module search)");
                continue;
            }
        }
        if (!known->empty()) scan.firstFileOf.try_emplace(*known, name);
    }
    const auto found = scan.firstFileOf.find(wanted);
    return found == scan.firstFileOf.end() ? "" : folder + found->second;
}

std::string LocateModule(const ImportLogger& log, const std::string& module, const std::string& folder,
                         ModuleHeaders& headers) {
    for (const char* ending : {".mib", ".my", "SMI.mib", "SMI.my", "-V1SMI.my"}) {
        const std::string candidate = JoinPath(folder, module + ending);
        if (textfile::IsRegularFile(candidate)) return candidate;
    }
    std::size_t mib = module.find("-MIB");
    if (mib == std::string::npos) mib = module.find("-mib");
    if (mib != std::string::npos) {
        const std::string candidate = JoinPath(folder, std::string(module).erase(mib, 4) + ".mib");
        if (textfile::IsRegularFile(candidate)) return candidate;
    }
    for (const char* wildcard : {"*.mib", "*.my", "*.txt"}) {
        const std::string found = FindModuleFile(log, module, JoinPath(folder, wildcard), headers);
        if (!found.empty()) return found;
    }
    return "";
}

std::string LocateModuleIn(const ImportLogger& log, const std::string& module,
                           const std::vector<std::string>& folders, ModuleHeaders& headers) {
    for (const std::string& folder : folders)
        if (std::string found = LocateModule(log, module, folder, headers); !found.empty()) return found;
    return "";
}
