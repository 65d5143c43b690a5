#include "app/form1.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QStatusBar>
#include <QVBoxLayout>

#include "app/entryeditor.h"
#include "app/filecommands.h"
#include "app/folders.h"
#include "app/settingsstore.h"
#include "app/treebuilder.h"
#include "widgets/oidtreeview.h"

// Marks a long operation during which commands are refused.
class TForm1::BusyScope {
  public:
    explicit BusyScope(TForm1& form) : form_(form) { ++form_.busy_; }
    ~BusyScope() { --form_.busy_; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

  private:
    TForm1& form_;
};

namespace {

const QString DiscardQuestion =
    "Your latest changes have not been saved yet.\n\rDo you want to proceed without saving?";
const QString ExitQuestion =
    "Your latest changes have not been saved yet.\n\rDo you want to exit without saving your changes?";
const QString ApplyQuestion = "Data was edited.\r\nApply the changes?";
const QString MibFilter =
    "MIB Files (*.mib,*.my,*.txt)|*.mib;*.my;*.txt|mib File (*.mib)|*.mib|my File (*.my)|*.my|Any File|*.*";

constexpr int ClientWidth = 854;
constexpr int ClientHeight = 571;

QString programFolder() {
    return WithTrailingSeparator(QDir::toNativeSeparators(QCoreApplication::applicationDirPath()));
}

// A stored folder with its separator ensured, or fallback when nothing is stored.
QString storedFolder(const QString& stored, const QString& fallback) {
    return stored.isEmpty() ? fallback : WithTrailingSeparator(stored);
}

}  // namespace

TForm1::TForm1(UserDialogs& dialogs, SettingsStore& settings, QWidget* parent)
    : QMainWindow(parent),
      dialogs_(dialogs),
      settings_(settings),
      fileCommands_(std::make_unique<FileCommands>(*this)),
      Open_{"Open", OidlibFilter, ".oid", {}},
      SaveDialog1_{"SaveDialog1", OidlibFilter, ".oid", {}},
      mibopen_{"mibopen", MibFilter, ".mib", {}},
      PartialSaveDialog_{"PartialSaveDialog", OidlibFilter, ".oid", {}} {
    setObjectName("Form1");
    setFont(QFont("Tahoma", 8));
    buildActions();
    buildLayout();
    buildMenus();
    FormCreate();
}

TForm1::~TForm1() {
    // FormDestroy: the nodes go before the entries they refer to; the libraries free the entries.
    ForgetEntries();
}

QAction* TForm1::action(const char* name, const QString& caption, const QKeySequence& shortcut) {
    auto* item = new QAction(caption, ActionList1_);
    item->setObjectName(name);
    item->setShortcut(shortcut);
    return item;
}

void TForm1::buildActions() {
    ActionList1_ = new QObject(this);
    ActionList1_->setObjectName("ActionList1");
    ChangesApplyAction_ = action("ChangesApplyAction", "Apply");
    ChangesCancelAction_ = action("ChangesCancelAction", "Cancel", Qt::Key_Escape);
    addAction(ChangesCancelAction_);  // Escape presses Cancel while it is enabled
    ChangesApplyAction_->setEnabled(false);
    ChangesCancelAction_->setEnabled(false);
    connect(ChangesApplyAction_, &QAction::triggered, this, [this] { ChangesApplyActionExecute(); });
    connect(ChangesCancelAction_, &QAction::triggered, this, [this] { ChangesCancelActionExecute(); });

    // Connected and enabled by the partial selection and find commands.
    for (auto [name, caption, shortcut] :
         std::initializer_list<std::tuple<const char*, const char*, QKeySequence>>{
             {"POPrepareAction", "Enable Partial Selection", {}},
             {"POSaveAction", "Save As...", {}},
             {"POCancelAction", "Cancel", {}},
             {"POAllAction", "All", {}},
             {"PONoneAction", "None", {}},
             {"FindAction", "Find...", QKeySequence(Qt::CTRL | Qt::Key_F)},
             {"FindNextAction", "Find Next", QKeySequence(Qt::Key_F3)},
             {"FindPreviousAction", "Find Previous", QKeySequence(Qt::SHIFT | Qt::Key_F3)}})
        action(name, caption, shortcut)->setEnabled(false);
}

void TForm1::buildMenus() {
    auto* bar = menuBar();
    bar->setObjectName("MainMenu1");
    // Each row: menu item name, caption, shortcut, bound action (menu items of an action
    // mirror its state and carry its shortcut), command.
    struct Item {
        const char* name;
        const char* caption;
        QKeySequence shortcut;
        const char* action;
        void (FileCommands::*command)();
    };
    auto addMenu = [&](const char* name, const QString& caption, std::initializer_list<Item> items) {
        QMenu* menu = bar->addMenu(caption);
        menu->setObjectName(name);
        for (const Item& row : items) {
            QAction* item =
                QString(row.caption) == "-" ? menu->addSeparator() : menu->addAction(row.caption);
            item->setObjectName(row.name);
            item->setShortcut(row.shortcut);
            if (row.command) {
                connect(item, &QAction::triggered, this, [this, command = row.command] {
                    runCommand([this, command] { (fileCommands_.get()->*command)(); });
                });
            } else if (row.action) {
                auto* bound = ActionList1_->findChild<QAction*>(row.action);
                item->setEnabled(bound->isEnabled());
                connect(bound, &QAction::changed, item,
                        [item, bound] { item->setEnabled(bound->isEnabled()); });
                connect(item, &QAction::triggered, bound, &QAction::trigger);
            } else if (!item->isSeparator()) {
                item->setEnabled(false);  // connected and enabled by its own command
            }
        }
        return menu;
    };
    addMenu(
        "File1", "File",
        {{"NewOIDFile1", "New...", {}, nullptr, &FileCommands::NewOIDFile1Click},
         {"Open1", "Open...", {}, nullptr, &FileCommands::Open1Click},
         {"Save1", "Save", {}, nullptr, &FileCommands::Save1Click},
         {"SaveAs1", "Save As...", {}, nullptr, &FileCommands::SaveAs1Click},
         {"N2", "-", {}, nullptr, nullptr},
         {"SaveToZelto1", "Save for Zelto Network Monitor", {}, nullptr, &FileCommands::SaveToZelto1Click},
         {"WritetoHTML1", "Write to HTML", {}, nullptr, nullptr},
         {"N1", "-", {}, nullptr, nullptr},
         {"EnablePartialSelection1", "Enable Partial Selection", {}, "POPrepareAction", nullptr},
         {"N7", "-", {}, nullptr, nullptr},
         {"Exit1", "Exit", {}, nullptr, nullptr}});
    addMenu(
        "Search1", "Edit",
        {{"Add1", "Add OID...", {}, nullptr, nullptr},
         {"Delete1", "Delete OID", QKeySequence(Qt::CTRL | Qt::Key_X), nullptr, nullptr},
         {"N4", "-", {}, nullptr, nullptr},
         {"Find1", "Find...", QKeySequence(Qt::CTRL | Qt::Key_F), "FindAction", nullptr},
         {"FindNext2", "Find Next", QKeySequence(Qt::Key_F3), "FindNextAction", nullptr},
         {"FindNext1", "Find Previous", QKeySequence(Qt::SHIFT | Qt::Key_F3), "FindPreviousAction", nullptr},
         {"N3", "-", {}, nullptr, nullptr},
         {"Findreplace1", "Replace...", {}, nullptr, nullptr}});
    addMenu("Import1", "Import",
            {{"MIB1", "MIB File...", {}, nullptr, nullptr},
             {"N5", "-", {}, nullptr, nullptr},
             {"ShowLog1", "Show Import Log...", {}, nullptr, nullptr}});
    addMenu("Help1", "Help",
            {{"Help2", "Help...", {}, nullptr, nullptr},
             {"N6", "-", {}, nullptr, nullptr},
             {"About1", "About", {}, nullptr, nullptr}});

    auto* exit = findChild<QAction*>("Exit1");
    exit->setEnabled(true);
    connect(exit, &QAction::triggered, this, [this] { close(); });  // Exit1Click: the ordinary close path
    findChild<QAction*>("WritetoHTML1")->setVisible(false);
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
    Treeview_ = new OidTreeView;
    Treeview_->setObjectName("Treeview");
    column->addWidget(Treeview_, 1);
    PartialBox_ = new QGroupBox("Selection for Partial OIDLIB");
    PartialBox_->setObjectName("PartialBox");
    PartialBox_->setVisible(false);  // shown while partial selection mode lasts
    column->addWidget(PartialBox_);
    row->addWidget(left, 1);

    editor_ = new EntryEditor(ChangesApplyAction_, ChangesCancelAction_);
    row->addWidget(editor_);
    setCentralWidget(client);

    statusBar()->setObjectName("StatusBar1");
    statusBar()->setSizeGripEnabled(false);

    Treeview_->setChangingHandler([this](TreeNode* target) { return TreeviewChanging(target); });
    connect(Treeview_, &OidTreeView::nodeChanged, this, [this](TreeNode* node) { TreeviewChange(node); });
    connect(editor_, &EntryEditor::edited, this, [this] { MarkEdited(); });
}

void TForm1::FormCreate() {
    fileCommands_->ResetToNew();
    unsaved_ = false;
    readFolders();
    resize(ClientWidth, ClientHeight + menuBar()->sizeHint().height());
    move(0, 0);
}

void TForm1::readFolders() {
    const QString exePath = settings_.read(MonitorKey, "exepath");
    monitorFolder_ = exePath.isEmpty() ? QString() : WithTrailingSeparator(exePath);
    mibFolder_ = storedFolder(settings_.read(ProgramKey, "mibpath"), programFolder());
    mibopen_.initialDir = mibFolder_;
    libraryFolder_ = storedFolder(settings_.read(ProgramKey, "oidpath"), programFolder());
    Open_.initialDir = libraryFolder_;
    SaveDialog1_.initialDir = libraryFolder_;
    findChild<QAction*>("SaveToZelto1")->setVisible(!monitorFolder_.isEmpty());
}

void TForm1::UpdateCaption() {
    setWindowTitle(CaptionPrefix + currentFileName_);
}

void TForm1::setLibraryFolder(const QString& folder) {
    libraryFolder_ = folder;
    settings_.write("oidpath", folder);
}

void TForm1::setStatusText(const QString& text) {
    statusBar()->showMessage(text);
}

void TForm1::processPendingMessages() {
    BusyScope busy(*this);
    QCoreApplication::processEvents();
}

void TForm1::runCommand(const std::function<void()>& command) {
    if (busy()) return;  // a long operation is replacing entries; nothing may reach them
    try {
        command();
    } catch (const std::exception& error) {
        dialogs_.error(QString::fromLocal8Bit(error.what()));
    }
}

bool TForm1::ConfirmDiscard() {
    if (!unsaved_) return true;
    if (!dialogs_.warningYesNo(DiscardQuestion)) return false;
    unsaved_ = false;
    return true;
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (busy() || (unsaved_ && !dialogs_.warningYesNo(ExitQuestion))) {
        event->ignore();
        return;
    }
    event->accept();
}

void TForm1::RebuildTree(const std::string& selectKey) {
    BusyScope busy(*this);
    Treeview_->detachSelectionEvents();
    const TreeCounts counts = BuildTree(*Treeview_, library_, selectKey, [this](int index, int count) {
        QCoreApplication::processEvents();
        setStatusText(QString("%1/%2").arg(index).arg(count));
    });
    Treeview_->attachSelectionEvents();
    setStatusText(QString("%1 OIDs in %2 Groups").arg(counts.oids).arg(counts.groups));
}

void TForm1::ForgetEntries() {
    Treeview_->detachSelectionEvents();
    Treeview_->clear();
    Treeview_->attachSelectionEvents();
    currentEntry_ = nullptr;
}

void TForm1::ShowEntry(Toiddata& entry) {
    editor_->load(entry);
    mode_ = EditorMode::Entry;
    ChangesApplyAction_->setEnabled(false);
    ChangesCancelAction_->setEnabled(false);
    edited_ = false;
    currentEntry_ = &entry;
}

void TForm1::ShowEntry(EditorMode blankMode) {
    editor_->loadBlank(blankMode == EditorMode::NewEntry);
    mode_ = blankMode;
    ChangesApplyAction_->setEnabled(false);
    ChangesCancelAction_->setEnabled(false);
    edited_ = false;
    currentEntry_ = nullptr;
}

void TForm1::MarkEdited() {
    edited_ = true;
    ChangesApplyAction_->setEnabled(true);
    ChangesCancelAction_->setEnabled(true);
}

void TForm1::ApplyEditor(Toiddata* entry) {
    if (!entry) entry = library_.Entries(library_.Add(std::make_unique<Toiddata>()));
    edited_ = false;
    const std::string key = editor_->nameKey();
    editor_->store(*entry);
    if (key != entry->name) {
        entry->name = key;
        RebuildTree(key);
        currentEntry_ = entry;
        mode_ = EditorMode::Entry;
    }
}

void TForm1::ChangesApplyActionExecute() {
    runCommand([this] {
        ApplyEditor(currentEntry_);
        unsaved_ = true;
        ChangesApplyAction_->setEnabled(false);
        ChangesCancelAction_->setEnabled(false);
    });
}

void TForm1::ChangesCancelActionExecute() {
    // Discards the unapplied edits: the entry (or the blank form) shows again.
    if (currentEntry_)
        ShowEntry(*currentEntry_);
    else
        ShowEntry(mode_ == EditorMode::Entry ? EditorMode::Inactive : mode_);
}

bool TForm1::TreeviewChanging(TreeNode*) {
    if (busy()) return false;
    if (!edited_) return true;
    switch (dialogs_.confirmYesNoCancel(ApplyQuestion)) {
        case DialogAnswer::Cancel:
            return false;
        case DialogAnswer::No:
            return true;
        case DialogAnswer::Yes:
            if (currentEntry_) ApplyEditor(currentEntry_);
            unsaved_ = true;
            return false;
    }
    return false;
}

void TForm1::TreeviewChange(TreeNode* node) {
    if (!node)
        ShowEntry(EditorMode::NewEntry);
    else if (node->parent() && node->parent()->parent())
        ShowEntry(*EntryOf(node));
    else
        ShowEntry(EditorMode::Inactive);
}
