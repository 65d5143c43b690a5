#include "app/commands/editcommands.h"

#include <QAction>
#include <QIcon>
#include <QLineEdit>
#include <QMainWindow>
#include <QTreeWidgetItemIterator>
#include <unordered_set>

#include "app/editor/document.h"
#include "app/editor/editingcontroller.h"
#include "app/editor/entryeditor.h"
#include "app/editor/partialselection.h"
#include "app/editor/treebuilder.h"
#include "app/editor/treeplace.h"
#include "editing/deleterules.h"
#include "library/oidfile.h"
#include "widgets/oidtreeview.h"

namespace {

int depthOf(const QTreeWidgetItem* node) {
    int depth = 0;
    for (const QTreeWidgetItem* p = node->parent(); p; p = p->parent()) ++depth;
    return depth;
}

// The name parts of a node's path as bytes, taken from an entry under it (captions show the
// bytes decoded, and two different byte strings may show alike).
NameParts pathOf(const TreeNode* node, NodeLevel level) {
    const TreeNode* holder = level == NodeLevel::Group ? static_cast<const TreeNode*>(node->child(0)) : node;
    return SplitNameKey(EntryOf(holder)->name);
}

// Adds the entry nodes at or under node, but those the filter box hides when skipHidden; returns
// whether it skipped any.
bool collectEntryNodes(const QTreeWidgetItem* node, bool skipHidden, std::vector<const TreeNode*>& found) {
    if (skipHidden && node->isHidden()) return true;
    if (IsEntryNode(node)) found.push_back(static_cast<const TreeNode*>(node));
    bool skipped = false;
    for (int i = 0; i < node->childCount(); ++i)
        skipped |= collectEntryNodes(node->child(i), skipHidden, found);
    return skipped;
}

}  // namespace

EditCommands::EditCommands(CommandHost& host) : host_(host) {
    host.bind("Add1", [this] { Add1Click(); });
    QAction* deleteRow = host.bind("Delete1", [this] { Delete1Click(); });
    deleteRow->setIcon(QIcon::fromTheme("edit-delete"));
    // The Delete key deletes too, where it cannot mean a character: while the tree has the focus.
    auto* deleteKey = new QAction(&host.tree());
    deleteKey->setShortcut(QKeySequence::Delete);
    deleteKey->setShortcutContext(Qt::WidgetShortcut);
    host.tree().addAction(deleteKey);
    QObject::connect(deleteKey, &QAction::triggered, deleteRow, &QAction::trigger);
}

void EditCommands::Add1Click() {
    OidTreeView& tree = host_.tree();
    EditingController& editing = host_.editing();
    NameParts context;  // the selected node's agent and group; an entry's own name is not carried over
    if (TreeNode* node = tree.selectedNode()) {
        const NodeLevel level = NodeLevel(std::min(depthOf(node), 2));
        context = pathOf(node, level);
        if (level == NodeLevel::Agent) context.group.clear();
        tree.setCurrentItem(nullptr);  // asks about unapplied edits first
        if (tree.selectedNode()) {
            if (editing.edited()) return;  // Cancel: the edits stay where they are
            tree.selectNode(nullptr);      // Yes: applied, and the editor moves on
        }
    }
    editing.ShowEntry(EditorMode::NewEntry);
    auto* editor = host_.window().findChild<EntryEditor*>("Panel1");
    editor->presetAgentAndGroup(context.agent, context.group);
    host_.window().findChild<QLineEdit*>("Edit1")->setFocus();
}

void EditCommands::Delete1Click() {
    OidTreeView& tree = host_.tree();
    TreeNode* node = tree.selectedNode();
    if (!node) {
        host_.action("ChangesCancelAction")->trigger();
        return;
    }
    EditingController& editing = host_.editing();
    // Unapplied edits become a step of their own, so that Undo brings them back with the entries.
    if (!editing.applyPendingEdits()) return;
    node = tree.selectedNode();  // an applied rename rebuilt the tree
    if (!node) return;
    const NodeLevel level = NodeLevel(std::min(depthOf(node), 2));
    // Under a filter only the entries that show go, each by its own key; a node that the filter
    // hides itself (selected before it came on) goes whole, as the editor shows it.
    std::vector<const TreeNode*> entryNodes;
    std::vector<std::pair<std::string, NodeLevel>> targets;
    if (!node->isHidden() && collectEntryNodes(node, true, entryNodes)) {
        for (const TreeNode* entryNode : entryNodes)
            targets.emplace_back(NodeKey(pathOf(entryNode, NodeLevel::Entry), NodeLevel::Entry),
                                 NodeLevel::Entry);
    } else {
        entryNodes.clear();
        collectEntryNodes(node, false, entryNodes);
        targets.emplace_back(NodeKey(pathOf(node, level), level), level);
    }
    std::unordered_set<const Toiddata*> shown;
    for (const TreeNode* entryNode : entryNodes) shown.insert(EntryOf(entryNode));

    const TreePlace place = TreePlace::Of(tree);
    host_.selection().rememberTicks();  // the entries that stay keep their ticks
    editing.forgetEntries();            // no node or editor may refer to a deleted entry
    for (const auto& [key, targetLevel] : targets)
        DeleteNodeEntries(host_.document().library(), key, targetLevel, shown);
    host_.document().libraryChanged("Delete");
    editing.rebuildAndShow(place, nullptr);
}
