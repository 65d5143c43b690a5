#pragma once
// Where an import's log lines and module searches go: the one sink that the import driver, the
// module locator, the runner and the name table of a capture share.

#include <functional>
#include <string>

class toidfile;

class ImportLogger {
  public:
    using LineSink = std::function<void(const std::string& line)>;
    using ModuleSearchSink = std::function<void(const std::string& module, const std::string& file)>;

    LineSink OnLine;                  // unset: no log is made
    ModuleSearchSink OnModuleSearch;  // unset: the searches are not told
    int Level = 0;                    // 2 or more: also a line per entry made and per row name read

    void Log(const std::string& line) const {
        if (OnLine) OnLine(line);
    }
    void ReportModuleSearch(const std::string& module, const std::string& file) const {
        if (OnModuleSearch) OnModuleSearch(module, file);
    }
    // Whether a line goes anywhere: lines that take work to build are built only then.
    bool Logging() const { return static_cast<bool>(OnLine); }
};

// The logger of an import into library that tells what the library's own events ask for: its
// OnLog and OnModuleSearch, with the library as sender, at its LogLevel. Unset events stay unset.
ImportLogger LibraryLogger(toidfile& library);
