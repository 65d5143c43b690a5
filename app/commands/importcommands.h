#pragma once
// The Import menu: "MIB File...", "Units from the MIB" and "Show Import Log...".

#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

#include "app/commands/commandhost.h"
#include "app/dialogs/userdialogs.h"

class TProgressForm;
class Tlogwindow;
class eparseexception;
class ImportRunner;
class SettingsStore;

// Imports the chosen MIB files into the open library with the import runner oidwright-import
// uses, showing the progress, parse error and import log windows.
class ImportCommands : public CommandFamily {
  public:
    static inline const QString MibFilter =
        "MIB Files (*.mib,*.my,*.txt)|*.mib;*.my;*.txt|mib File (*.mib)|*.mib|my File (*.my)|*.my|Any "
        "File|*.*";

    // Heads the log below the report in the log window.
    static inline const std::string LogHeading = "Import log:";

    // The settings keep the "Units from the MIB" choice between runs.
    static inline const QString UnitsFromMibValue = "unitsfrommib";

    ImportCommands(CommandHost& host, SettingsStore& settings);

    void MIB1Click();
    void ShowLog1Click();

    // What the log shows after a parse error ended an import of several files: the reports of
    // the files before it and a line naming the files not imported (the failing one first).
    static std::vector<std::string> stoppedLines(const ImportRunner& runner, const QStringList& notImported);
    // report, an empty line unless report is empty, and LogHeading.
    static std::vector<std::string> WithLogHeading(std::vector<std::string> report);

  private:
    // Imports the files one after the other; a close request ends the run between files.
    // started counts the files whose import began.
    void importFiles(ImportRunner& runner, const std::vector<std::string>& files, std::size_t& started);
    void OnModuleSearch(const std::string& module, const std::string& file);
    void showParseError(const eparseexception& error);
    // What every command that got files ends with, also after an error; report is what the log
    // window shows above the log from now on.
    void finish(const ImportRunner& runner, const std::vector<std::string>& report);

    CommandHost& host_;
    SettingsStore& settings_;
    QAction* unitsFromMib_;  // checkable; its state is the option of every import
    FileDialogSpec mibopen_;
    TProgressForm* ProgressForm_;
    Tlogwindow* logwindow_;
    QElapsedTimer sinceRepaint_;  // of the progress window during the command
};
