#pragma once
// Building the agent / group / entry tree from a library's name keys.

#include <functional>
#include <string>

class OidTreeView;
class QTreeWidgetItem;
class TreeNode;
class Toiddata;
class toidfile;

// What a rebuild counted: entry nodes and group nodes created.
struct TreeCounts {
    int oids = 0;
    int groups = 0;
};

// Reports progress before entry index (a multiple of ten) of count; may process pending events.
using TreeProgress = std::function<void(int index, int count)>;

// Replaces the tree's nodes by the library's entries, sorted, collapsed but for the first agent,
// and selects the node of the last entry whose name key equals selectKey (else the first agent).
// Agent nodes refer to the first entry of their agent; a group node refers to the last entry that
// came back to it after another group; an entry node to the last entry that came back to it.
TreeCounts BuildTree(OidTreeView& tree, const toidfile& library, const std::string& selectKey,
                     const TreeProgress& progress);

// The entry a node refers to, or nullptr.
Toiddata* EntryOf(const TreeNode* node);
// A node of the third level, the only one that stands for an entry of its own.
bool IsEntryNode(const QTreeWidgetItem* node);
