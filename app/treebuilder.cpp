#include "app/treebuilder.h"

#include <QHash>

#include "app/namekey.h"
#include "app/qtstrings.h"
#include "library/oidfile.h"
#include "widgets/oidtreeview.h"

namespace {

// Finds a node's child by caption (the first one with that caption) instead of scanning.
using ChildIndex = QHash<QPair<const TreeNode*, QString>, TreeNode*>;

TreeNode* appendChild(ChildIndex& index, TreeNode* parent, const QString& caption, Toiddata* entry) {
    auto* node = new TreeNode(caption, entry);
    parent->addChild(node);
    index.insert({parent, caption}, node);
    return node;
}

void showSelected(OidTreeView& tree, TreeNode* node) {
    if (!node) return;
    for (QTreeWidgetItem* parent = node->parent(); parent; parent = parent->parent())
        parent->setExpanded(true);
    tree.selectNode(node);
    tree.scrollToItem(node, QAbstractItemView::PositionAtTop);
}

}  // namespace

Toiddata* EntryOf(const TreeNode* node) {
    return node ? static_cast<Toiddata*>(node->reference()) : nullptr;
}

TreeCounts BuildTree(OidTreeView& tree, const toidfile& library, const std::string& selectKey,
                     const TreeProgress& progress) {
    tree.setUpdatesEnabled(false);
    tree.clear();

    TreeCounts counts;
    QList<QTreeWidgetItem*> agents;
    QHash<QString, TreeNode*> agentIndex;
    ChildIndex childIndex;
    NameParts previous;
    TreeNode* agentNode = nullptr;
    TreeNode* groupNode = nullptr;
    TreeNode* entryNode = nullptr;
    TreeNode* selected = nullptr;
    QString agent, group, name;

    const int count = library.Count();
    for (int i = 0; i < count; ++i) {
        if (i % 10 == 0 && progress) progress(i, count);
        Toiddata* entry = library.Entries(i);
        NameParts parts = SplitNameKey(entry->name);

        const bool agentChanged = i == 0 || parts.agent != previous.agent;
        const bool groupChanged = agentChanged || parts.group != previous.group;
        const bool nameChanged = groupChanged || parts.name != previous.name;
        if (agentChanged) {
            agent = toQt(parts.agent);
            agentNode = agentIndex.value(agent);
            if (!agentNode) {
                agentNode = new TreeNode(agent, entry);
                agents.append(agentNode);
                agentIndex.insert(agent, agentNode);
            }
        }
        if (groupChanged) {
            group = toQt(parts.group);
            groupNode = childIndex.value({agentNode, group});
            if (groupNode) {
                groupNode->setReference(entry);
            } else {
                groupNode = appendChild(childIndex, agentNode, group, nullptr);
                ++counts.groups;
            }
        }
        if (nameChanged) {
            name = toQt(parts.name);
            entryNode = childIndex.value({groupNode, name});
            if (entryNode) {
                entryNode->setReference(entry);
            } else {
                entryNode = appendChild(childIndex, groupNode, name, entry);
                ++counts.oids;
            }
        }
        if (entry->name == selectKey) selected = entryNode;
        previous = std::move(parts);
    }

    tree.setTopLevelNodes(agents);
    auto* firstAgent = static_cast<TreeNode*>(tree.topLevelItem(0));
    if (firstAgent) firstAgent->setExpanded(true);
    showSelected(tree, selected ? selected : firstAgent);
    tree.setUpdatesEnabled(true);
    return counts;
}
