#pragma once
// The Import menu: "MIB File...", "MIB Folders...", "Units from the MIB", "Repair Common Faults"
// and "Show Import Log...".

#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <vector>

#include "app/commands/commandhost.h"
#include "app/dialogs/userdialogs.h"
#include "import/mergeimport.h"

class MibFoldersDialog;
class TProgressForm;
class Tlogwindow;
class eparseexception;
class ImportRunner;
class SettingsStore;
class TreePlace;
class toidfile;

// Imports the chosen MIB files into the open library with the import runner oidwright-import
// uses, showing the progress, parse error and import log windows.
class ImportCommands : public CommandFamily {
  public:
    static inline const QString MibFilter =
        "MIB Files (*.mib,*.my,*.txt)|*.mib;*.my;*.txt|mib File (*.mib)|*.mib|my File (*.my)|*.my|Any "
        "File|*.*";

    // Heads the log below the report in the log window.
    static inline const std::string LogHeading = "Import log:";

    // The settings keep the "Units from the MIB" and "Repair Common Faults" choices between runs.
    static inline const QString UnitsFromMibValue = "unitsfrommib";
    static inline const QString RepairFaultsValue = "repairfaults";

    ImportCommands(CommandHost& host, SettingsStore& settings);

    void MIB1Click();
    void MibFolders1Click();
    void ShowLog1Click();

    // The question when an import makes entries the library has already, and its answers.
    static QString ExistingQuestion(int existing);
    static inline const QStringList ExistingAnswers = {"Keep my entries", "Replace them", "Cancel"};

    // What the log shows after a parse error ended an import of several files: the reports of
    // the files before it, afterReports, and a line naming the files not imported (the one whose
    // import met the error first) and where the error is.
    static std::vector<std::string> stoppedLines(const ImportRunner& runner,
                                                 const std::vector<std::string>& afterReports,
                                                 const QStringList& notImported,
                                                 const eparseexception& error);
    // report, an empty line unless report is empty, and LogHeading.
    static std::vector<std::string> WithLogHeading(std::vector<std::string> report);

  private:
    // A checkable action whose state the settings keep under value.
    void bindOption(QAction*& option, const char* actionName, const QString& value);
    // Imports the files one after the other; a close request ends the run between files.
    // started counts the files whose import began.
    void importFiles(ImportRunner& runner, toidfile& imported, const std::vector<std::string>& files,
                     std::size_t& started);
    void OnModuleSearch(const std::string& module, const std::string& file);
    void showParseError(const eparseexception& error);
    // What every command that got files ends with, also after an error: asks what becomes of
    // the library's entries the import made again, if it made any, moves the imported entries
    // into the library and shows it in the tree as it was shown (place). Returns what the merge
    // did, or nothing when the user cancelled it.
    std::optional<MergeResult> finish(toidfile& imported, const TreePlace& place);

    CommandHost& host_;
    SettingsStore& settings_;
    // Checkable; their states are the options of every import.
    QAction* unitsFromMib_;
    QAction* repairFaults_;
    FileDialogSpec mibopen_;
    MibFoldersDialog* foldersDialog_;
    TProgressForm* ProgressForm_;
    Tlogwindow* logwindow_;
    QElapsedTimer sinceRepaint_;  // of the progress window during the command
};
