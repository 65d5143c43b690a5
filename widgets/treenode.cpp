#include "widgets/treenode.h"

#include "widgets/oidtreeview.h"

TreeNode::TreeNode(const QString& caption, void* reference)
    : QTreeWidgetItem(UserType), reference_(reference) {
    setText(0, caption);
}

bool TreeNode::operator<(const QTreeWidgetItem& other) const {
    return OidTreeView::compareCaptions(text(0), other.text(0)) < 0;
}
