#pragma once
// Partial selection: tick a part of the tree and save only the ticked entries as a new library.

#include <QObject>
#include <unordered_set>

#include "app/commandhost.h"
#include "app/userdialogs.h"

class QLabel;
class Toiddata;
class TreeNode;

// How many entry nodes are ticked of how many the tree shows.
struct SelectionCount {
    int ticked = 0;
    int total = 0;
};

// The check-box mode of the tree with its box PartialBox, counter and partial save.
class SelectionCommands : public QObject, public CommandFamily {
    Q_OBJECT
  public:
    explicit SelectionCommands(CommandHost& host);

    bool partial() const { return partial_; }

    // Enters (or restarts) partial selection with the entry nodes bound to one of entries ticked
    // and every other node unticked; returns the counts the counter then shows.
    SelectionCount EnterPartialSelection(const std::unordered_set<const Toiddata*>& entries);

    void POPrepareActionExecute();
    void POAllActionExecute();
    void PONoneActionExecute();
    void POCancelActionExecute();
    void POSaveActionExecute();
    // The node's new state goes to every descendant; ancestors stay as they are.
    void TreeviewCheckBoxClick(TreeNode* node, int state);

    // "Partial " before the file's own name, in its folder: /libs/router.oidlib -> /libs/Partial
    // router.oidlib.
    static QString PartialFileName(const QString& fileName);

  signals:
    // The mode began or ended.
    void partialChanged(bool partial);

  private:
    void buildPartialBox();
    void setEveryNode(int imageIndex);
    SelectionCount updateCounter();
    void setPartial(bool partial);

    CommandHost& host_;
    FileDialogSpec PartialSaveDialog_;
    QLabel* CounterCountLabel_ = nullptr;
    bool partial_ = false;
};
