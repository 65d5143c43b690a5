#pragma once
// The main window: builds the controls and menus and wires them to the document, the editing
// controller and the command families.

#include <QMainWindow>
#include <memory>
#include <vector>

#include "app/commands/commandhost.h"
#include "app/programtitle.h"

class CommandRunner;
class Document;
class EditingController;
class EntryEditor;
class FileCommands;
class FolderSettings;
class OidTreeView;
class CommandEnabler;
class PartialSelection;
class SettingsStore;
class UserDialogs;

// TForm1: the program's only document window.
class TForm1 : public QMainWindow {
    Q_OBJECT
  public:
    static QString CaptionPrefix() { return ProgramTitle() + " - "; }

    TForm1(UserDialogs& dialogs, SettingsStore& settings, QWidget* parent = nullptr);
    ~TForm1() override;

    Document& document() { return *document_; }
    EditingController& editing() { return *editing_; }
    FolderSettings& folders() { return *folders_; }
    CommandRunner& runner() { return *runner_; }
    OidTreeView& tree() { return *Treeview_; }
    PartialSelection& selection() { return *selection_; }

    // Opens a library as "Open..." does, without its dialog (the file named on the command line);
    // a file that cannot be read shows its message and leaves the window as it was.
    void openLibrary(const QString& fileName);

  protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;  // FormCloseQuery

  private:
    void buildLayout();

    UserDialogs& dialogs_;
    std::unique_ptr<Document> document_;
    std::unique_ptr<PartialSelection> selection_;
    std::unique_ptr<FolderSettings> folders_;
    std::unique_ptr<CommandRunner> runner_;
    std::unique_ptr<EditingController> editing_;
    std::unique_ptr<CommandHost> host_;
    std::vector<std::unique_ptr<CommandFamily>> families_;
    std::unique_ptr<CommandEnabler> enabler_;
    FileCommands* fileCommands_;

    QObject* ActionList1_;
    OidTreeView* Treeview_;
    EntryEditor* editor_;
};
