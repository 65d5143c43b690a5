#include "app/form1.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QStatusBar>
#include <QVBoxLayout>

#include "app/commandrunner.h"
#include "app/commands/checkcommands.h"
#include "app/commands/commandenabler.h"
#include "app/commands/editcommands.h"
#include "app/commands/filecommands.h"
#include "app/commands/findcommands.h"
#include "app/commands/helpcommands.h"
#include "app/commands/importcommands.h"
#include "app/commands/mainmenu.h"
#include "app/commands/monitorcommands.h"
#include "app/commands/recentlibraries.h"
#include "app/commands/selectioncommands.h"
#include "app/commands/undocommands.h"
#include "app/dialogs/userdialogs.h"
#include "app/editor/document.h"
#include "app/editor/editingcontroller.h"
#include "app/editor/entryeditor.h"
#include "app/editor/partialselection.h"
#include "app/editor/treefilter.h"
#include "app/foldersettings.h"
#include "widgets/oidtreeview.h"

namespace {

const QString ExitQuestion =
    "Your latest changes have not been saved yet.\n\rDo you want to exit without saving your changes?";

constexpr int ClientWidth = 854;
constexpr int ClientHeight = 571;

}  // namespace

TForm1::TForm1(UserDialogs& dialogs, SettingsStore& settings, QWidget* parent)
    : QMainWindow(parent),
      dialogs_(dialogs),
      document_(std::make_unique<Document>()),
      folders_(std::make_unique<FolderSettings>(settings)) {
    setObjectName("Form1");
    ActionList1_ = BuildActionList(*this);
    buildLayout();
    BuildMainMenu(*this, *ActionList1_);

    selection_ = std::make_unique<PartialSelection>(*Treeview_);
    runner_ = std::make_unique<CommandRunner>(dialogs_, *statusBar());
    editing_ = std::make_unique<EditingController>(*document_, *selection_, *Treeview_, *editor_,
                                                   *ActionList1_, dialogs_, *runner_);
    host_ = std::make_unique<CommandHost>(*this, *document_, *selection_, *editing_, *folders_, dialogs_,
                                          *runner_);
    // "[*]": the desktop's mark of unsaved changes, shown while the library is unsaved.
    connect(document_.get(), &Document::fileNameChanged, this,
            [this](const QString& fileName) { setWindowTitle(CaptionPrefix() + fileName + "[*]"); });
    connect(document_.get(), &Document::unsavedChanged, this, &QWidget::setWindowModified);

    auto files = std::make_unique<FileCommands>(*host_);
    fileCommands_ = files.get();
    families_.push_back(std::move(files));
    families_.push_back(std::make_unique<RecentLibraries>(*host_, settings, *fileCommands_));
    families_.push_back(std::make_unique<MonitorCommands>(*host_));
    families_.push_back(std::make_unique<ImportCommands>(*host_, settings));
    families_.push_back(std::make_unique<HelpCommands>(*host_));
    families_.push_back(std::make_unique<SelectionCommands>(*host_));
    families_.push_back(std::make_unique<FindCommands>(*host_));
    families_.push_back(std::make_unique<CheckCommands>(*host_, settings));
    families_.push_back(std::make_unique<EditCommands>(*host_));
    families_.push_back(std::make_unique<UndoCommands>(*host_));
    host_->bind("Exit1", [this] { close(); });  // Exit1Click: the ordinary close path
    enabler_ = std::make_unique<CommandEnabler>(
        *host_);  // after the families: its table decides over what they bound

    resize(ClientWidth, ClientHeight + menuBar()->sizeHint().height());
    move(0, 0);
}

TForm1::~TForm1() {
    // FormDestroy: the nodes go before the entries they refer to; the libraries free the entries.
    editing_->forgetEntries();
}

void TForm1::openLibrary(const QString& fileName) {
    runner_->run([this, &fileName] { fileCommands_->OpenFile(fileName); });
}

void TForm1::buildLayout() {
    auto* client = new QWidget;
    auto* row = new QHBoxLayout(client);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);

    auto* left = new QWidget;
    left->setObjectName("Panel2");
    auto* column = new QVBoxLayout(left);
    column->setContentsMargins(4, 4, 0, 4);
    auto* filterBox = new QLineEdit;
    filterBox->setObjectName("TreeFilter");
    column->addWidget(filterBox);
    Treeview_ = new OidTreeView;
    Treeview_->setObjectName("Treeview");
    new TreeFilter(*Treeview_, *filterBox);
    column->addWidget(Treeview_, 1);
    auto* partialBox = new QGroupBox("Selection for Partial OIDLIB");
    partialBox->setObjectName("PartialBox");
    partialBox->setVisible(false);  // shown while partial selection mode lasts
    column->addWidget(partialBox);
    row->addWidget(left, 1);

    editor_ = new EntryEditor(ActionList1_->findChild<QAction*>("ChangesApplyAction"),
                              ActionList1_->findChild<QAction*>("ChangesCancelAction"));
    row->addWidget(editor_);
    setCentralWidget(client);

    statusBar()->setObjectName("StatusBar1");
    statusBar()->setSizeGripEnabled(false);
}

bool TForm1::event(QEvent* event) {
    // A menu row's empty status tip would wipe the status text (the counts) whenever the mouse
    // passes over a menu; no command has a tip of its own.
    if (event->type() == QEvent::StatusTip) return true;
    return QMainWindow::event(event);
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (runner_->busy()) {
        runner_->deferClose(*this);  // the library stays until the operation under way is done
        event->ignore();
        return;
    }
    if (editing_->hasUnsavedWork() && !dialogs_.warningYesNo(ExitQuestion, DialogAnswer::No)) {
        event->ignore();
        return;
    }
    event->accept();
}
