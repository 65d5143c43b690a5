#include "app/editcommands.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QLineEdit>
#include <QMainWindow>
#include <QTreeWidgetItemIterator>
#include <stdexcept>
#include <unordered_set>

#include "app/document.h"
#include "app/editingcontroller.h"
#include "app/entryeditor.h"
#include "app/selectioncommands.h"
#include "app/treebuilder.h"
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

void collectShown(const QTreeWidgetItem* node, std::unordered_set<const Toiddata*>& shown) {
    if (IsEntryNode(node)) shown.insert(EntryOf(static_cast<const TreeNode*>(node)));
    for (int i = 0; i < node->childCount(); ++i) collectShown(node->child(i), shown);
}

}  // namespace

EditCommands::EditCommands(CommandHost& host, const SelectionCommands& selection)
    : host_(host), selection_(selection) {
    host.bind("Add1", [this] { Add1Click(); });
    host.bind("Delete1", [this] { Delete1Click(); });
    for (const EnablingRow& row : EnablingTable()) {
        const QString name = QString::fromUtf8(row.element.data(), qsizetype(row.element.size()));
        Element element{host.window().findChild<QAction*>(name), host.window().findChild<QWidget*>(name),
                        row};
        if (!element.action && !element.widget) throw std::logic_error("no element " + name.toStdString());
        elements_.push_back(element);
    }

    const auto update = [this] { ActionList1Update(); };
    QAbstractItemModel* nodes = host.tree().model();
    connect(nodes, &QAbstractItemModel::rowsInserted, this, update);
    connect(nodes, &QAbstractItemModel::rowsRemoved, this, update);
    connect(nodes, &QAbstractItemModel::modelReset, this, update);
    connect(&selection, &SelectionCommands::partialChanged, this, update);
    // After the editing controller's own handling of the edit, which enables Apply and Cancel.
    connect(host.window().findChild<EntryEditor*>("Panel1"), &EntryEditor::edited, this, update);
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this, update);
    ActionList1Update();
}

void EditCommands::ActionList1Update() {
    const EnablingFacts facts{host_.tree().topLevelItemCount() > 0, selection_.partial(),
                              host_.editing().edited()};
    for (const Element& element : elements_) {
        const bool holds = RuleHolds(element.row.rule, facts);
        if (element.action) {
            // A hidden action reads as disabled whatever it was set to; it is set once it shows.
            if (element.action->isVisible() && element.action->isEnabled() != holds)
                element.action->setEnabled(holds);
        } else if (element.row.setsVisibility) {
            if (element.widget->isHidden() == holds) element.widget->setVisible(holds);
        } else if (element.widget->isEnabled() != holds) {
            element.widget->setEnabled(holds);
        }
    }
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
    const NodeLevel level = NodeLevel(std::min(depthOf(node), 2));
    const std::string key = NodeKey(pathOf(node, level), level);
    std::unordered_set<const Toiddata*> shown;
    collectShown(node, shown);

    EditingController& editing = host_.editing();
    editing.forgetEntries();  // no node or editor may refer to a deleted entry
    DeleteNodeEntries(host_.document().library(), key, level, shown);
    host_.document().setUnsaved(true);
    editing.RebuildTree(std::string());
    editing.ShowEntry(EditorMode::Inactive);
}
