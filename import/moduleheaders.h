#pragma once
// The module names that file headers declare, remembered per file so that a header scan reads a
// file only when it is new or changed, within one import and, through an index file, between imports.

#include <chrono>
#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/files.h"

// The module name a file's header declares, upper-cased, or "" when the text has no
// header the scan accepts. "FOO-MIB DEFINITIONS ::= BEGIN" -> "FOO-MIB".
std::string ScannedModuleName(const std::string& text);

// The folder as the module search keys it: absolute, links and "." and ".." resolved, with one
// trailing separator, so that every spelling of a folder shares one listing and one set of headers.
// "mibs" (in /home/u), "./mibs/", "../u/mibs" and "mibs//" -> "/home/u/mibs/".
std::string CanonicalFolder(const std::string& folder);

// The index file of one working folder inside the cache folder (named after a hash of the
// folder's canonical path). "~/.cache/oidwright", "/mibs/" -> "~/.cache/oidwright/modules-1f0c....index".
std::string ModuleIndexFile(const std::string& cacheFolder, const std::string& workingFolder);

// Module names of scanned files; a file whose size, times or inode changed counts as unknown.
//
// Nothing of a folder is looked at until a module is not found by its candidate names: the index
// is loaded, and a folder listed, only for the first header scan that needs them. A scan trusts a
// remembered name only after comparing the file's stamp (size, modification and change time,
// inode) with the one taken when the name was read, once per file and headers object (one run):
// a file renamed, added or removed is seen in the listing, and a file rewritten in place changes
// at least its change time, which no program can set back. So a scan finds what a scan reading
// every file finds, and pays one stat per file it passes instead of a read; files the scans of a
// run never pass are neither read nor stat'ed. Each file is passed once per run: the scans of a
// folder go on where the last one stopped, and the modules met on the way are remembered, so that
// a run's searches cost the files of the folder, not the files times the modules searched.
class ModuleHeaders {
  public:
    // The index file to load at the first scan and to save to; "" (the default) keeps none.
    void UseIndex(const std::string& indexFile);
    // What the header scans of one folder and wildcard have passed so far in a run.
    struct FolderScan {
        std::size_t next = 0;  // in FilesOf(folder): the first file no scan has passed yet
        std::unordered_map<std::string, std::string> firstFileOf;  // upper-cased module -> bare file name
    };

    // The plain files of folder that are not hidden, in byte order of their names; listed once.
    const std::vector<std::string>& FilesOf(const std::string& folder);
    // The scans of folder (any spelling) with wildcard ("*.mib").
    FolderScan& ScanOf(const std::string& folder, const std::string& wildcard);
    // The module name remembered for the file name in folder if the file is unchanged since, else nullptr.
    const std::string* Known(const std::string& folder, const std::string& name);
    // Reads the header's module name (ScannedModuleName after StripComments) from the first
    // HeadBytes of the file and remembers it. Throws MibFileError when the file cannot be read
    // or is no plain file (a pipe or device would block or never end).
    const std::string& Read(const std::string& folder, const std::string& name);
    static constexpr std::size_t HeadBytes = 1024 * 1024;  // the largest real header starts at 34 KB
    static constexpr std::chrono::milliseconds TimestampTick{20};
    int FilesRead() const { return filesRead_; }
    bool IndexUsed() const { return indexLoaded_; }

    // Adds the entries of an index that SaveIndex wrote; files already known keep their entry.
    // A missing, unreadable or damaged index adds nothing: the files are then read again.
    void LoadIndex(const std::string& indexFile);
    // When the index of UseIndex was loaded: drops the entries of files changed or gone from the
    // folders listed, and, when anything changed, writes all entries to it (its folder is
    // created). A failed write is ignored: the index only saves time.
    void SaveIndex();
    // The same to an index file of the caller's choice.
    void SaveIndex(const std::string& indexFile);

  private:
    using Stamp = platform::FileStamp;
    struct Header {
        Stamp stamp;
        std::string moduleName;
        bool confirmed = false;  // stamp compared with the file since the index was loaded
    };
    bool ParseIndex(const std::string& text);
    void LoadIndexOnFirstUse();
    bool Vanished(const std::string& fileName) const;  // from a folder listed in this run
    const std::string& Canonical(const std::string& folder);

    std::unordered_map<std::string, Header> headers_;                  // by canonical path
    std::map<std::string, std::vector<std::string>> folders_;          // listings, by canonical folder
    std::map<std::pair<std::string, std::string>, FolderScan> scans_;  // by canonical folder, wildcard
    std::unordered_map<std::string, std::string> canonical_;           // folder as passed -> CanonicalFolder
    std::string indexFile_;
    bool indexLoaded_ = false;
    int filesRead_ = 0;
    bool changed_ = false;  // differs from the index last loaded or saved
};
