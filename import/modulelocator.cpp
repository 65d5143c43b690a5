#include "import/modulelocator.h"

#include <algorithm>

#include "import/lettercase.h"
#include "import/textfile.h"
#include "library/oidfile.h"
#include "library/textcase.h"
#include "mib/parseexception.h"

namespace {

using textcase::UpperAscii;

// Joins folder and name the way the folders are passed in: with or without a trailing separator.
std::string InFolder(const std::string& folder, const std::string& name) {
    if (folder.empty() || folder.back() == '/' || folder.back() == '\\') return folder + name;
    return folder + "/" + name;
}

bool MatchesWildcard(const std::string& name, const std::string& wildcard) {
    // Only the "*.ext" masks of the locator are used; the extension is compared as Windows does.
    if (wildcard.rfind("*.", 0) != 0) return lettercase::Lower(name) == lettercase::Lower(wildcard);
    const std::string extension = wildcard.substr(1);
    return name.size() > extension.size() &&
           lettercase::Lower(name.substr(name.size() - extension.size())) == lettercase::Lower(extension);
}

}  // namespace

std::string FindModuleFile(toidfile& library, const std::string& module, const std::string& mask,
                           ModuleHeaders& headers) {
    const std::string wanted = UpperAscii(module);
    const std::size_t separator = mask.find_last_of("/\\");
    const std::string folder = separator == std::string::npos ? "" : mask.substr(0, separator + 1);
    const std::string wildcard = mask.substr(folder.size());
    for (const std::string& name : headers.FilesOf(folder)) {
        if (!MatchesWildcard(name, wildcard)) continue;
        const std::string fileName = folder + name;
        const std::string* known = headers.Known(fileName);
        if (known == nullptr) {
            library.ReportModuleSearch(wanted, name);
            try {
                known = &headers.Read(fileName);
            } catch (const MibFileError& error) {
                // One unreadable file must not stop every import that scans its folder.
                library.Log(std::string(error.what()) + " (passed over in the module search)");
                continue;
            }
        }
        if (*known == wanted) return fileName;
    }
    return "";
}

std::string LocateModule(toidfile& library, const std::string& module, const std::string& folder,
                         ModuleHeaders& headers) {
    for (const char* ending : {".mib", ".my", "SMI.mib", "SMI.my", "-V1SMI.my"}) {
        const std::string candidate = InFolder(folder, module + ending);
        if (FileExists(candidate)) return candidate;
    }
    std::size_t mib = module.find("-MIB");
    if (mib == std::string::npos) mib = module.find("-mib");
    if (mib != std::string::npos) {
        const std::string candidate = InFolder(folder, std::string(module).erase(mib, 4) + ".mib");
        if (FileExists(candidate)) return candidate;
    }
    for (const char* wildcard : {"*.mib", "*.my", "*.txt"}) {
        const std::string found = FindModuleFile(library, module, InFolder(folder, wildcard), headers);
        if (!found.empty()) return found;
    }
    return "";
}
