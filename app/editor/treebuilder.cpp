#include "app/editor/treebuilder.h"

#include <unordered_map>

#include "app/qtstrings.h"
#include "library/namekey.h"
#include "library/oidfile.h"
#include "widgets/oidtreeview.h"

namespace {

// Finds a node's child by the bytes of its name part instead of scanning. Keyed by bytes, not
// by caption: two different names never share a node, even where they show alike.
using ChildIndex = std::unordered_map<const TreeNode*, std::unordered_map<std::string, TreeNode*>>;

TreeNode* findChild(ChildIndex& index, const TreeNode* parent, const std::string& part) {
    auto& children = index[parent];
    const auto found = children.find(part);
    return found == children.end() ? nullptr : found->second;
}

TreeNode* appendChild(ChildIndex& index, TreeNode* parent, const std::string& part, Toiddata* entry) {
    auto* node = new TreeNode(toQt(part), entry);
    parent->addChild(node);
    index[parent].emplace(part, node);
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

bool IsEntryNode(const QTreeWidgetItem* node) {
    return node && node->parent() && node->parent()->parent();
}

TreeCounts BuildTree(OidTreeView& tree, const toidfile& library, const std::string& selectKey,
                     const TreeProgress& progress) {
    tree.setUpdatesEnabled(false);
    tree.clear();

    TreeCounts counts;
    QList<QTreeWidgetItem*> agents;
    std::unordered_map<std::string, TreeNode*> agentIndex;
    ChildIndex childIndex;
    NameParts previous;
    TreeNode* agentNode = nullptr;
    TreeNode* groupNode = nullptr;
    TreeNode* entryNode = nullptr;
    TreeNode* selected = nullptr;

    const int count = library.Count();
    for (int i = 0; i < count; ++i) {
        if (i % 10 == 0 && progress) progress(i, count);
        Toiddata* entry = library.Entries(i);
        NameParts parts = SplitNameKey(entry->name);

        const bool agentChanged = i == 0 || parts.agent != previous.agent;
        const bool groupChanged = agentChanged || parts.group != previous.group;
        const bool nameChanged = groupChanged || parts.name != previous.name;
        if (agentChanged) {
            TreeNode*& agentSlot = agentIndex[parts.agent];
            if (!agentSlot) {
                agentSlot = new TreeNode(toQt(parts.agent), entry);
                agents.append(agentSlot);
            }
            agentNode = agentSlot;
        }
        if (groupChanged) {
            groupNode = findChild(childIndex, agentNode, parts.group);
            if (groupNode) {
                groupNode->setReference(entry);
            } else {
                groupNode = appendChild(childIndex, agentNode, parts.group, nullptr);
                ++counts.groups;
            }
        }
        if (nameChanged) {
            entryNode = findChild(childIndex, groupNode, parts.name);
            if (entryNode) {
                entryNode->setReference(entry);
            } else {
                entryNode = appendChild(childIndex, groupNode, parts.name, entry);
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
