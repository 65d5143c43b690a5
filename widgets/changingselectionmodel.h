#pragma once
// Selection model whose current index moves only when a changing hook agrees.

#include <QItemSelectionModel>
#include <functional>

// Lets the owner refuse a move of the current index (the tree's "changing" event).
class ChangingSelectionModel : public QItemSelectionModel {
    Q_OBJECT
  public:
    using ChangingHook = std::function<bool(const QModelIndex& target)>;

    using QItemSelectionModel::QItemSelectionModel;

    void setChangingHook(ChangingHook hook) { hook_ = std::move(hook); }
    // A move to target that the owner has already approved is not asked again.
    void approve(const QModelIndex& target) { approved_ = target; }
    // Asks the hook about a move to target; true when no hook is set.
    bool mayMoveTo(const QModelIndex& target);

    void setCurrentIndex(const QModelIndex& index, QItemSelectionModel::SelectionFlags command) override;
    using QItemSelectionModel::select;
    void select(const QItemSelection& selection, QItemSelectionModel::SelectionFlags command) override;

  private:
    ChangingHook hook_;
    QPersistentModelIndex approved_;
    bool moving_ = false;
};
