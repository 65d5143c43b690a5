#include "import/modulelocator.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include "library/oidfile.h"
#include "text/asciicase.h"
#include "text/paths.h"
#include "text/textfile.h"
#include "text/windows1251case.h"

namespace fs = std::filesystem;

namespace {

bool MatchesWildcard(const std::string& name, const std::string& wildcard) {
    // Only the "*.ext" masks of the locator are used; the extension is compared as Windows does.
    if (wildcard.rfind("*.", 0) != 0) return windows1251case::Lower(name) == windows1251case::Lower(wildcard);
    const std::string extension = wildcard.substr(1);
    return name.size() > extension.size() &&
           windows1251case::Lower(name.substr(name.size() - extension.size())) ==
               windows1251case::Lower(extension);
}

std::vector<std::string> MatchingFiles(const std::string& folder, const std::string& wildcard) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder.empty() ? "." : folder, error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.empty() || name[0] == '.' || !it->is_regular_file(error)) continue;
        if (MatchesWildcard(name, wildcard)) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

std::string FindModuleFile(toidfile& library, const std::string& module, const std::string& mask,
                           ModuleHeaders& headers) {
    const std::string wanted = asciicase::Upper(module);
    const std::size_t separator = mask.find_last_of("/\\");
    const std::string folder = separator == std::string::npos ? "" : mask.substr(0, separator + 1);
    const std::string wildcard = mask.substr(folder.size());
    for (const std::string& name : MatchingFiles(folder, wildcard)) {
        const std::string fileName = folder + name;
        const std::string* known = headers.Known(fileName);
        if (known == nullptr) {
            library.ReportModuleSearch(wanted, name);
            known = &headers.Read(fileName);
        }
        if (*known == wanted) return fileName;
    }
    return "";
}

std::string LocateModule(toidfile& library, const std::string& module, const std::string& folder,
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
        const std::string found = FindModuleFile(library, module, JoinPath(folder, wildcard), headers);
        if (!found.empty()) return found;
    }
    return "";
}
