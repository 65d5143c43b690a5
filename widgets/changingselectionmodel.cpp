#include "widgets/changingselectionmodel.h"

#include <QScopedValueRollback>

bool ChangingSelectionModel::mayMoveTo(const QModelIndex& target) {
    return !hook_ || hook_(target);
}

void ChangingSelectionModel::setCurrentIndex(const QModelIndex& index,
                                             QItemSelectionModel::SelectionFlags command) {
    const bool approved = approved_.isValid() && index == approved_;
    approved_ = QPersistentModelIndex();
    if (index != currentIndex() && !approved && !mayMoveTo(index)) return;
    QScopedValueRollback<bool> moving(moving_, true);
    QItemSelectionModel::setCurrentIndex(index, command);
}

void ChangingSelectionModel::select(const QItemSelection& selection,
                                    QItemSelectionModel::SelectionFlags command) {
    // A selection that leaves the current index behind would bypass the hook.
    const bool selects = command & (QItemSelectionModel::Select | QItemSelectionModel::Toggle);
    if (!moving_ && selects && !selection.isEmpty() && !selection.contains(currentIndex())) return;
    QItemSelectionModel::select(selection, command);
}
