#include "app/editor/editingcontroller.h"

#include <QAction>
#include <QCoreApplication>
#include <QLineEdit>

#include "app/commandrunner.h"
#include "app/dialogs/userdialogs.h"
#include "app/editor/document.h"
#include "app/editor/entryeditor.h"
#include "app/editor/partialselection.h"
#include "app/editor/treebuilder.h"
#include "app/editor/treeplace.h"
#include "widgets/oidtreeview.h"

namespace {

const QString ApplyQuestion = "Data was edited.\r\nApply the changes?";

}  // namespace

EditingController::EditingController(Document& document, PartialSelection& selection, OidTreeView& tree,
                                     EntryEditor& editor, QObject& actionList, UserDialogs& dialogs,
                                     CommandRunner& runner)
    : document_(document),
      selection_(selection),
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
    selection_.rememberTicks();
    tree_.detachSelectionEvents();
    const TreeCounts counts = BuildTree(tree_, document_.library(), selectKey, [this](int index, int count) {
        QCoreApplication::processEvents();
        runner_.setStatusText(QString("%1/%2").arg(index).arg(count));
    });
    tree_.attachSelectionEvents();
    selection_.restoreTicks();
    counts_ = QString("%1 OIDs in %2 Groups").arg(counts.oids).arg(counts.groups);
    showCounts();
}

void EditingController::showCounts() {
    runner_.setStatusText(counts_);
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
    setEdited(false);
    currentEntry_ = &entry;
}

void EditingController::ShowEntry(EditorMode blankMode) {
    editor_.loadBlank(blankMode == EditorMode::NewEntry);
    mode_ = blankMode;
    enableApplyAndCancel(false);
    setEdited(false);
    currentEntry_ = nullptr;
}

void EditingController::setEdited(bool edited) {
    if (edited_ == edited) return;
    edited_ = edited;
    if (editedChanged_) editedChanged_();
}

void EditingController::MarkEdited() {
    setEdited(true);
    enableApplyAndCancel(true);
}

void EditingController::ApplyEditor(Toiddata* entry) {
    toidfile& library = document_.library();
    if (!entry) entry = library.Entries(library.Add(std::make_unique<Toiddata>()));
    setEdited(false);
    const std::string key = editor_.nameKey();
    editor_.store(*entry);
    if (key != entry->name) {
        entry->name = key;
        RebuildTree(key);
        currentEntry_ = entry;
        mode_ = EditorMode::Entry;
    }
}

bool EditingController::acceptEdits() {
    const std::optional<EntryEditor::Refusal> refusal = editor_.validate();
    if (!refusal) return true;
    dialogs_.information(refusal->message);
    refusal->field->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(refusal->field)) edit->selectAll();
    return false;
}

bool EditingController::ChangesApplyActionExecute() {
    if (!acceptEdits()) return false;
    const bool adding = !currentEntry_;
    ApplyEditor(currentEntry_);
    document_.libraryChanged(adding ? "Add" : "Apply");
    enableApplyAndCancel(false);
    return true;
}

bool EditingController::applyPendingEdits() {
    return !(edited_ && currentEntry_) || ChangesApplyActionExecute();
}

void EditingController::rebuildAndShow(const TreePlace& place, Toiddata* entry) {
    const toidfile& library = document_.library();
    bool stays = false;
    for (int i = 0; i < library.Count() && !stays; ++i) stays = library.Entries(i) == entry;
    if (!stays) entry = nullptr;
    RebuildTree(entry ? entry->name : std::string());
    TreeNode* named = tree_.selectedNode();
    if (!entry || !named || !IsEntryNode(named) || EntryOf(named) != entry) named = nullptr;
    tree_.detachSelectionEvents();
    place.restore(tree_, named);
    tree_.attachSelectionEvents();
    if (mode_ == EditorMode::NewEntry && edited_) {
        showSelectedNode();  // the new entry being typed stays in the editor
        return;
    }
    TreeNode* selected = tree_.selectedNode();
    if (selected && IsEntryNode(selected))
        ShowEntry(*EntryOf(selected));
    else
        ShowEntry(EditorMode::Inactive);
}

void EditingController::showSelectedNode() {
    if (edited_ && !currentEntry_) {
        tree_.detachSelectionEvents();  // no node stands for a new entry, and the edits stay
        tree_.selectNode(nullptr);
        tree_.attachSelectionEvents();
        return;
    }
    TreeviewChange(tree_.selectedNode());
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
    switch (dialogs_.confirmYesNoCancel(ApplyQuestion, DialogAnswer::Yes)) {  // Enter keeps the edits
        case DialogAnswer::Cancel:
            return false;
        case DialogAnswer::No:
            return true;
        case DialogAnswer::Yes:
            if (currentEntry_) {
                if (!acceptEdits()) return false;
                ApplyEditor(currentEntry_);
            }
            document_.libraryChanged("Apply");
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
