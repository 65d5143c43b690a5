#include "widgets/treenode.h"

#include <QCollator>

TreeNode::TreeNode(const QString& caption, void* reference)
    : QTreeWidgetItem(UserType), reference_(reference) {
    setText(0, caption);
}

bool TreeNode::operator<(const QTreeWidgetItem& other) const {
    static const QCollator collator;  // the user's locale, case-sensitive: case only breaks ties
    return collator.compare(text(0), other.text(0)) < 0;
}
