#pragma once
// Where the user was in the tree, carried across a rebuild after the library changed.

#include <QSet>
#include <QString>
#include <vector>

class OidTreeView;
class TreeNode;

// The open agent and group nodes and the selected node with its neighbours, by the captions of
// their paths (nodes hold no entry that a change could free), so that the rebuilt tree opens the
// same nodes and selects the same node or, when it went, its nearest remaining neighbour.
class TreePlace {
  public:
    // The place as the tree shows it now, before the library changes.
    static TreePlace Of(const OidTreeView& tree);

    // In the rebuilt tree: opens the nodes that were open and closes the others, then selects
    // selected when given (an entry the command names), else the node that was selected or, when it
    // went, the first that remains of its next siblings, its previous ones (nearest first), its
    // parent, the parent's next and previous siblings, and so on up to its agent. Never another
    // agent, whose entries a second Delete would take: nothing is selected when the agent went, or
    // when nothing was selected. A tree that was empty keeps what the rebuild made.
    void restore(OidTreeView& tree, TreeNode* selected) const;

  private:
    bool hadNodes_ = false;
    QSet<QString> expanded_;
    std::vector<QString> candidates_;  // the selected node's path, then its neighbours' in order
};
