#include "import/modulelocator.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include "import/lettercase.h"
#include "import/stripcomments.h"
#include "import/textfile.h"
#include "library/oidfile.h"
#include "library/textcase.h"
#include "mib/sourcetext.h"

namespace fs = std::filesystem;

namespace {

using textcase::UpperAscii;

std::string Trim(const std::string& text) {
    std::size_t first = 0, last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= 32) ++first;
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= 32) --last;
    return text.substr(first, last - first);
}

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

std::string ScannedModuleName(const std::string& text) {
    const std::string upper = UpperAscii(text);
    const std::size_t keyword = upper.find("DEFINITIONS");
    if (keyword == std::string::npos) return "";
    const std::size_t tailStart = keyword + std::string("DEFINITIONS").size() + 1;
    const std::string tail = tailStart < text.size() ? Trim(upper.substr(tailStart)) : "";
    if (tail.rfind("::=", 0) != 0) return "";
    const std::string head = Trim(text.substr(0, keyword));
    const std::size_t delimiter = head.find_last_of(std::string(" \n\r\b"));
    return UpperAscii(delimiter == std::string::npos ? head : head.substr(delimiter + 1));
}

tmoduleheaders::Stamp tmoduleheaders::StampOf(const std::string& fileName) {
    std::error_code error;
    return {fs::file_size(fileName, error), fs::last_write_time(fileName, error).time_since_epoch().count()};
}

bool tmoduleheaders::IsCurrent(const std::string& fileName) const {
    const auto known = headers_.find(fileName);
    return known != headers_.end() && known->second.stamp == StampOf(fileName);
}

const std::string& tmoduleheaders::ModuleNameOf(const std::string& fileName) {
    const Stamp stamp = StampOf(fileName);
    const auto known = headers_.find(fileName);
    if (known != headers_.end() && known->second.stamp == stamp) return known->second.moduleName;

    // Read as the parser reads a module: lines rejoined with CR LF, a byte-order mark dropped.
    const std::string text = JoinLinesWithCrLf(ReadFileBytes(fileName));
    ++filesRead_;
    Header& header = headers_[fileName];
    header = {stamp, ScannedModuleName(StripComments(text))};
    return header.moduleName;
}

std::string FindModuleFile(toidfile& library, const std::string& module, const std::string& mask,
                           tmoduleheaders& headers) {
    const std::string wanted = UpperAscii(module);
    const std::size_t separator = mask.find_last_of("/\\");
    const std::string folder = separator == std::string::npos ? "" : mask.substr(0, separator + 1);
    const std::string wildcard = mask.substr(folder.size());
    for (const std::string& name : MatchingFiles(folder, wildcard)) {
        const std::string fileName = folder + name;
        if (!headers.IsCurrent(fileName)) library.ReportModuleSearch(wanted, name);
        if (headers.ModuleNameOf(fileName) == wanted) return fileName;
    }
    return "";
}

std::string LocateModule(toidfile& library, const std::string& module, const std::string& folder,
                         tmoduleheaders& headers) {
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
