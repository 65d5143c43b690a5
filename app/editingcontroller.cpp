#include "app/editingcontroller.h"

#include <QAction>
#include <QCoreApplication>

#include "app/commandrunner.h"
#include "app/document.h"
#include "app/entryeditor.h"
#include "app/treebuilder.h"
#include "app/userdialogs.h"
#include "widgets/oidtreeview.h"

namespace {

const QString ApplyQuestion = "Data was edited.\r\nApply the changes?";

}  // namespace

EditingController::EditingController(Document& document, OidTreeView& tree, EntryEditor& editor,
                                     QObject& actionList, UserDialogs& dialogs, CommandRunner& runner)
    : document_(document),
      tree_(tree),
      editor_(editor),
      dialogs_(dialogs),
      runner_(runner),
      ChangesApplyAction_(actionList.findChild<QAction*>("ChangesApplyAction")),
      ChangesCancelAction_(actionList.findChild<QAction*>("ChangesCancelAction")) {
    QObject::connect(ChangesApplyAction_, &QAction::triggered, &editor_,
                     runner_.guarded([this] { ChangesApplyActionExecute(); }));
    QObject::connect(ChangesCancelAction_, &QAction::triggered, &editor_,
                     runner_.guarded([this] { ChangesCancelActionExecute(); }));
    QObject::connect(&editor_, &EntryEditor::edited, &editor_, runner_.guarded([this] { MarkEdited(); }));
    tree_.setChangingHandler([this](TreeNode* target) {
        bool allowed = false;
        runner_.run([&] { allowed = TreeviewChanging(target); });
        return allowed;
    });
    QObject::connect(&tree_, &OidTreeView::nodeChanged, &editor_,
                     [this](TreeNode* node) { runner_.run([&] { TreeviewChange(node); }); });
}

bool EditingController::hasUnsavedWork() const {
    return document_.unsaved() || edited_;
}

void EditingController::RebuildTree(const std::string& selectKey) {
    CommandRunner::BusyScope busy(runner_);
    tree_.detachSelectionEvents();
    const TreeCounts counts = BuildTree(tree_, document_.library(), selectKey, [this](int index, int count) {
        QCoreApplication::processEvents();
        runner_.setStatusText(QString("%1/%2").arg(index).arg(count));
    });
    tree_.attachSelectionEvents();
    runner_.setStatusText(QString("%1 OIDs in %2 Groups").arg(counts.oids).arg(counts.groups));
}

void EditingController::forgetEntries() {
    tree_.detachSelectionEvents();
    tree_.clear();
    tree_.attachSelectionEvents();
    currentEntry_ = nullptr;
}

void EditingController::enableApplyAndCancel(bool enabled) {
    ChangesApplyAction_->setEnabled(enabled);
    ChangesCancelAction_->setEnabled(enabled);
}

void EditingController::ShowEntry(Toiddata& entry) {
    editor_.load(entry);
    mode_ = EditorMode::Entry;
    enableApplyAndCancel(false);
    edited_ = false;
    currentEntry_ = &entry;
}

void EditingController::ShowEntry(EditorMode blankMode) {
    editor_.loadBlank(blankMode == EditorMode::NewEntry);
    mode_ = blankMode;
    enableApplyAndCancel(false);
    edited_ = false;
    currentEntry_ = nullptr;
}

void EditingController::MarkEdited() {
    edited_ = true;
    enableApplyAndCancel(true);
}

void EditingController::ApplyEditor(Toiddata* entry) {
    toidfile& library = document_.library();
    if (!entry) entry = library.Entries(library.Add(std::make_unique<Toiddata>()));
    edited_ = false;
    const std::string key = editor_.nameKey();
    editor_.store(*entry);
    if (key != entry->name) {
        entry->name = key;
        RebuildTree(key);
        currentEntry_ = entry;
        mode_ = EditorMode::Entry;
    }
}

void EditingController::ChangesApplyActionExecute() {
    ApplyEditor(currentEntry_);
    document_.setUnsaved(true);
    enableApplyAndCancel(false);
}

void EditingController::applyPendingEdits() {
    if (edited_ && currentEntry_) ChangesApplyActionExecute();
}

void EditingController::ChangesCancelActionExecute() {
    // Discards the unapplied edits: the entry (or the blank form) shows again.
    if (currentEntry_)
        ShowEntry(*currentEntry_);
    else
        ShowEntry(mode_ == EditorMode::Entry ? EditorMode::Inactive : mode_);
}

bool EditingController::TreeviewChanging(TreeNode*) {
    if (!edited_) return true;
    switch (dialogs_.confirmYesNoCancel(ApplyQuestion)) {
        case DialogAnswer::Cancel:
            return false;
        case DialogAnswer::No:
            return true;
        case DialogAnswer::Yes:
            if (currentEntry_) ApplyEditor(currentEntry_);
            document_.setUnsaved(true);
            return false;
    }
    return false;
}

void EditingController::TreeviewChange(TreeNode* node) {
    if (!node)
        ShowEntry(EditorMode::NewEntry);
    else if (IsEntryNode(node))
        ShowEntry(*EntryOf(node));
    else
        ShowEntry(EditorMode::Inactive);
}
