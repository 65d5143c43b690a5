#pragma once
// The OID library: the owning, ordered list of entries and its .oidlib file.
//
// The import members (OnLog, OnModuleSearch, LogLevel, ImportStats) are the
// state that the MIB import engine reads and fills. The import itself lives in
// import/, whose logger forwards to these events when an import is asked for
// through the library (ImportMib), so that this core knows nothing of the MIB parser.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "library/importstat.h"
#include "library/oiddata.h"
#include "library/oidfileerror.h"

class toidfile {
  public:
    using LogEvent = std::function<void(toidfile& sender, const std::string& line)>;
    using ModuleSearchEvent =
        std::function<void(toidfile& sender, const std::string& module, const std::string& file)>;

    toidfile() = default;
    ~toidfile();
    toidfile(const toidfile&) = delete;
    toidfile& operator=(const toidfile&) = delete;

    int Count() const { return static_cast<int>(entries_.size()); }
    Toiddata* Entries(int index) const;  // nullptr outside 0..Count()-1
    int Add(std::unique_ptr<Toiddata> entry);
    void Delete(int index);
    // Deletes every entry for which doomed holds, in one pass, keeping the order of the others;
    // returns how many went.
    int DeleteIf(const std::function<bool(const Toiddata&)>& doomed);
    void Clear();
    // Moves every entry out in order, leaving the library empty; Add takes them back.
    std::vector<std::unique_ptr<Toiddata>> TakeAll();

    // Appends the entries of an .oidlib file. Returns "" or "Can not open encrypted oid file.";
    // throws OidFileError (unreadable file, malformed XML, not exactly one <list> under the root,
    // with its line) or OidVersionError (a version other than "1") before any entry is appended.
    std::string LoadFromFile(const std::string& fileName);
    // The same over the file's bytes already in memory.
    std::string LoadFromText(std::string_view text);

    // Writes all entries; the previous file stays intact when writing fails (throws OidFileError).
    void SaveToFile(const std::string& fileName) const;
    // The exact bytes SaveToFile writes.
    std::string SaveToText() const;

    // Fire OnLog / OnModuleSearch when they are set.
    void Log(const std::string& line);
    void ReportModuleSearch(const std::string& module, const std::string& file);

    LogEvent OnLog;
    ModuleSearchEvent OnModuleSearch;
    int LogLevel = 0;
    timportstat ImportStats;

  private:
    std::vector<std::unique_ptr<Toiddata>> entries_;
};
