#pragma once
// The module names that file headers declare, remembered per file so that a header scan reads a
// file only when it is new or changed, within one import and, through an index file, between imports.

#include <cstdint>
#include <string>
#include <unordered_map>

// The module name a file's header declares, upper-cased, or "" when the text has no
// header the scan accepts. "FOO-MIB DEFINITIONS ::= BEGIN" -> "FOO-MIB".
std::string ScannedModuleName(const std::string& text);

// The index file of one working folder inside the cache folder (named after a hash of the
// folder's absolute path). "~/.cache/oidwright", "/mibs/" -> "~/.cache/oidwright/modules-1f0c....index".
std::string ModuleIndexFile(const std::string& cacheFolder, const std::string& workingFolder);

// Module names of scanned files; a file whose size, times or inode changed counts as unknown.
class ModuleHeaders {
  public:
    // The module name remembered for the file if the file is unchanged since, else nullptr.
    const std::string* Known(const std::string& fileName);
    // Reads the header's module name (ScannedModuleName after StripComments) and remembers it.
    // Throws MibFileError when the file cannot be read.
    const std::string& Read(const std::string& fileName);
    int FilesRead() const { return filesRead_; }

    // Adds the entries of an index that SaveIndex wrote; files already known keep their entry.
    // A missing, unreadable or damaged index adds nothing: the files are then read again.
    void LoadIndex(const std::string& indexFile);
    // Drops the entries of vanished or changed files and, when anything changed, writes all
    // entries to the index (its folder is created). A failed write is ignored: the index only saves time.
    void SaveIndex(const std::string& indexFile);

  private:
    struct Stamp {
        std::uint64_t size = 0, modified = 0, changed = 0, inode = 0;
        bool operator==(const Stamp&) const = default;
    };
    struct Header {
        Stamp stamp;
        std::string moduleName;
        bool confirmed = false;  // stamp compared with the file since the index was loaded
    };
    static bool StampOf(const std::string& fileName, Stamp& stamp);
    bool ParseIndex(const std::string& text);

    std::unordered_map<std::string, Header> headers_;
    int filesRead_ = 0;
    bool changed_ = false;  // differs from the index last loaded or saved
};
