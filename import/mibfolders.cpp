#include "import/mibfolders.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <unordered_set>

#include "import/moduleheaders.h"
#include "text/paths.h"

std::vector<std::string> SplitFolderList(std::string_view list) {
    if (list.starts_with('+')) list.remove_prefix(1);
    std::vector<std::string> folders;
    while (!list.empty()) {
        const std::size_t colon = std::min(list.find(':'), list.size());
        if (colon > 0) folders.emplace_back(list.substr(0, colon));
        list.remove_prefix(std::min(colon + 1, list.size()));
    }
    return folders;
}

std::string JoinFolderList(const std::vector<std::string>& folders) {
    std::string list;
    for (const std::string& folder : folders) list += (list.empty() ? "" : ":") + folder;
    return list;
}

std::vector<std::string> DefaultMibFolders(const char* mibdirs, const char* home) {
    std::vector<std::string> folders = SplitFolderList(mibdirs == nullptr ? "" : mibdirs);
    if (home != nullptr && home[0] == '/') folders.push_back(JoinPath(home, ".snmp/mibs"));
    for (const char* system :
         {"/usr/share/snmp/mibs", "/usr/share/snmp/mibs/ietf", "/usr/share/snmp/mibs/iana",
          "/usr/share/mibs/ietf", "/usr/share/mibs/iana", "/usr/share/mibs/site"})
        folders.emplace_back(system);
    return folders;
}

std::vector<std::string> DefaultMibFolders() {
    return DefaultMibFolders(std::getenv("MIBDIRS"), std::getenv("HOME"));
}

std::vector<std::string> SearchedFolders(const std::string& workingFolder, const std::string& standardFolder,
                                         const std::vector<std::string>& more) {
    std::vector<std::string> folders = {workingFolder, standardFolder};
    std::unordered_set<std::string> canonical = {CanonicalFolder(workingFolder),
                                                 CanonicalFolder(standardFolder)};
    for (const std::string& folder : more) {
        std::error_code error;
        if (std::filesystem::is_directory(folder, error) && canonical.insert(CanonicalFolder(folder)).second)
            folders.push_back(folder);
    }
    return folders;
}

std::string FolderListText(const std::vector<std::string>& folders) {
    if (folders.size() == 1) return folders.front();
    if (folders.size() == 2) return "neither " + folders[0] + " nor " + folders[1];
    std::string text = "none of ";
    for (std::size_t i = 0; i < folders.size(); ++i) text += (i == 0 ? "" : ", ") + folders[i];
    return text;
}
