#pragma once
// The main window: owns the libraries, wires menus, actions, tree and editor.

#include <QMainWindow>
#include <functional>
#include <memory>
#include <string>

#include "app/userdialogs.h"
#include "library/oidfile.h"

class EntryEditor;
class FileCommands;
class OidTreeView;
class QAction;
class QGroupBox;
class SettingsStore;
class TreeNode;

enum class EditorMode { Entry, NewEntry, Inactive };

// TForm1: the program's only document window and the state every command works on.
class TForm1 : public QMainWindow {
    Q_OBJECT
  public:
    static inline const QString Title = "Veltrane Oidwright V2.1.1 for Zelto 7 ";
    static inline const QString CaptionPrefix = Title + " - ";
    static inline const QString OidlibFilter = "Veltrane SNMP Library|*.oidlib";

    TForm1(UserDialogs& dialogs, SettingsStore& settings, QWidget* parent = nullptr);
    ~TForm1() override;

    toidfile& library() { return library_; }
    UserDialogs& dialogs() { return dialogs_; }
    SettingsStore& settings() { return settings_; }
    OidTreeView& tree() { return *Treeview_; }

    bool unsaved() const { return unsaved_; }
    void setUnsaved(bool unsaved) { unsaved_ = unsaved; }
    bool edited() const { return edited_; }
    Toiddata* currentEntry() const { return currentEntry_; }
    EditorMode editorMode() const { return mode_; }

    const QString& currentFileName() const { return currentFileName_; }
    void setCurrentFileName(const QString& fileName) { currentFileName_ = fileName; }
    // The caption: the caption prefix followed by the current file name.
    void UpdateCaption();
    void setCurrentFile(const QString& fileName) {
        setCurrentFileName(fileName);
        UpdateCaption();
    }

    const QString& monitorFolder() const { return monitorFolder_; }
    const QString& libraryFolder() const { return libraryFolder_; }
    // Remembers the folder and stores it as "oidpath".
    void setLibraryFolder(const QString& folder);
    const QString& mibFolder() const { return mibFolder_; }

    FileDialogSpec& openDialog() { return Open_; }
    FileDialogSpec& saveDialog() { return SaveDialog1_; }

    void setStatusText(const QString& text);
    // Repaints and lets the window handle what is pending; commands are refused meanwhile.
    void processPendingMessages();

    // Runs a command unless another is still running; a failure is shown in the error box.
    void runCommand(const std::function<void()>& command);
    bool busy() const { return busy_ > 0; }

    bool ConfirmDiscard();
    void RebuildTree(const std::string& selectKey);
    // Drops every node and the editor's entry before the library frees its entries.
    void ForgetEntries();
    void ShowEntry(Toiddata& entry);
    void ShowEntry(EditorMode blankMode);  // NewEntry or Inactive
    void ApplyEditor(Toiddata* entry);
    void MarkEdited();
    void ChangesApplyActionExecute();

  protected:
    void closeEvent(QCloseEvent* event) override;  // FormCloseQuery

  private:
    class BusyScope;

    void FormCreate();
    void buildActions();
    void buildMenus();
    void buildLayout();
    void readFolders();
    void ChangesCancelActionExecute();
    bool TreeviewChanging(TreeNode* target);
    void TreeviewChange(TreeNode* node);
    QAction* action(const char* name, const QString& caption, const QKeySequence& shortcut = {});

    UserDialogs& dialogs_;
    SettingsStore& settings_;
    toidfile library_;
    toidfile partialLibrary_;
    std::unique_ptr<FileCommands> fileCommands_;

    QObject* ActionList1_;
    QAction* ChangesApplyAction_;
    QAction* ChangesCancelAction_;
    OidTreeView* Treeview_;
    QGroupBox* PartialBox_;
    EntryEditor* editor_;
    FileDialogSpec Open_, SaveDialog1_, mibopen_, PartialSaveDialog_;

    bool unsaved_ = false;
    bool edited_ = false;
    EditorMode mode_ = EditorMode::Inactive;
    Toiddata* currentEntry_ = nullptr;
    QString currentFileName_;
    QString monitorFolder_, mibFolder_, libraryFolder_;
    int busy_ = 0;
};
