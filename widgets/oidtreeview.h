#pragma once
// The tree of agents, groups and entries with check boxes in the image index.

#include <QCollator>
#include <QTreeWidget>
#include <functional>

#include "widgets/treenode.h"

class ChangingSelectionModel;

// A single-selection tree of TreeNodes. Captions are drawn as plain text.
// The selection events (changing, changed) can be detached while the owner rebuilds the nodes.
class OidTreeView : public QTreeWidget {
    Q_OBJECT
  public:
    // Asked before the current node moves to target (nullptr: none); false refuses the move.
    using ChangingHandler = std::function<bool(TreeNode* target)>;

    explicit OidTreeView(QWidget* parent = nullptr);

    void setChangingHandler(ChangingHandler handler) { changing_ = std::move(handler); }
    void detachSelectionEvents() { eventsAttached_ = false; }
    void attachSelectionEvents() { eventsAttached_ = true; }

    // While disabled, clicks and the space bar leave the check boxes as they are.
    void setCheckBoxesEnabled(bool enabled) { checkBoxesEnabled_ = enabled; }

    TreeNode* selectedNode() const;
    // Selects node (nullptr clears) without asking the changing handler.
    void selectNode(TreeNode* node);

    int nodeCount() const;
    TreeNode* nodeAt(int index) const;  // depth-first display order; nullptr outside
    int indexOf(const TreeNode* node) const;
    // Visits every node in depth-first display order, collapsed or not.
    void forEachNode(const std::function<void(TreeNode*)>& visit) const;

    // Replaces every node by nodes built outside the tree, sorting the children of every
    // node by caption (locale-aware, letter case only breaking ties) on the way in.
    void setTopLevelNodes(QList<QTreeWidgetItem*> nodes);

    static QIcon checkIcon(int imageIndex);

  signals:
    // The current node changed through the user or selectNode (nullptr: none).
    void nodeChanged(TreeNode* node);
    // The user toggled a node's check box; state is its new image index.
    void checkBoxClicked(TreeNode* node, int state);
    // setTopLevelNodes put new nodes in place of all the old ones.
    void nodesReplaced();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    bool allowMove(const QModelIndex& target);
    bool inCheckBox(const TreeNode* node, const QPoint& pos) const;
    void toggleCheck(TreeNode* node);

    ChangingSelectionModel* selection_;
    ChangingHandler changing_;
    bool eventsAttached_ = true;
    bool checkBoxesEnabled_ = true;
};
