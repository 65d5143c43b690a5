#pragma once
// The folders Linux users keep MIB modules in, which an import searches after stdmib/.

#include <string>
#include <string_view>
#include <vector>

// The folders of a ":"-separated list, as $MIBDIRS and --mib-path give them; empty parts are
// dropped, and so is net-snmp's leading "+" ("add to the defaults", which always follow here).
// "+/a:/b::/c" -> {"/a", "/b", "/c"}
std::vector<std::string> SplitFolderList(std::string_view list);

// The same folders joined again: {"/a", "/b"} -> "/a:/b".
std::string JoinFolderList(const std::vector<std::string>& folders);

// $MIBDIRS's folders, then ~/.snmp/mibs, net-snmp's /usr/share/snmp/mibs with its ietf/ and iana/,
// and /usr/share/mibs/{ietf,iana,site}. mibdirs and home as the environment holds them, nullptr
// when unset: (nullptr, "/home/u") -> {"/home/u/.snmp/mibs", "/usr/share/snmp/mibs", ...}.
std::vector<std::string> DefaultMibFolders(const char* mibdirs, const char* home);

// DefaultMibFolders of this process's environment.
std::vector<std::string> DefaultMibFolders();

// The folders an import searches, in order: the working folder, the standard folder, then those
// of more that exist and are none of the folders before them (in any spelling).
std::vector<std::string> SearchedFolders(const std::string& workingFolder, const std::string& standardFolder,
                                         const std::vector<std::string>& more);

// The folders as a missing module's message names them: "neither /w/ nor /s/" for two,
// "none of /w/, /s/, /x/" for more, "/w/" for one.
std::string FolderListText(const std::vector<std::string>& folders);
