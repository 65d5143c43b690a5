#pragma once
// Partial selection's state beside the document: the mode and the ticks of the tree's nodes.

#include <QObject>
#include <QStringList>
#include <set>
#include <unordered_set>
#include <vector>

class OidTreeView;
class Toiddata;
class TreeNode;

// How many entry nodes are ticked of how many the tree shows.
struct SelectionCount {
    int ticked = 0;
    int total = 0;
};

// Whether partial selection is on, and the check states the tree's nodes hold for it. The
// commands that change the mode or the ticks (SelectionCommands, the device check) reach it
// through the CommandHost; the enabling updater follows partialChanged.
class PartialSelection : public QObject {
    Q_OBJECT
  public:
    explicit PartialSelection(OidTreeView& tree) : tree_(tree) {}

    bool partial() const { return partial_; }

    // Enters (or restarts) partial selection with every node set to imageIndex.
    void enter(int imageIndex);
    // Enters (or restarts) partial selection with the entry nodes bound to one of entries ticked
    // and every other node unticked; returns the counts the counter then shows.
    SelectionCount enterPartialSelection(const std::unordered_set<const Toiddata*>& entries);
    // Every node to imageIndex (the mode stays as it is); recounts.
    void setEveryNode(int imageIndex);
    // Ends the mode: every check box goes. The counter is not recounted (its box hides).
    void leave();
    // The node's new state goes to every descendant; ancestors stay as they are.
    void TreeviewCheckBoxClick(TreeNode* node, int state);

    // The entries of the ticked entry nodes, in tree order.
    std::vector<const Toiddata*> tickedEntries() const;

    // A rebuild replaces every node: the ticks are taken from the nodes before it (while the tree
    // has nodes; a command that empties the tree before it changes the library calls this first)
    // and given back after it to the nodes of the same entries, and of agents and groups of the
    // same captions; new entries come unticked. Between the two, no entry may be freed and another
    // made in its place (a new or opened library empties the tree first, and so starts unticked).
    void rememberTicks();
    void restoreTicks();

  signals:
    // The mode began or ended.
    void partialChanged(bool partial);
    // The ticks were counted again.
    void counted(SelectionCount count);

  private:
    void paintEveryNode(int imageIndex);
    SelectionCount recount();
    void setPartial(bool partial);

    OidTreeView& tree_;
    bool partial_ = false;
    std::unordered_set<const Toiddata*> rememberedEntries_;
    std::set<QStringList> rememberedPaths_;  // captions from the agent down, of ticked agents and groups
};
