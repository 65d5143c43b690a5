#include "app/editor/treeplace.h"

#include <QHash>

#include "widgets/oidtreeview.h"

namespace {

// "agent", "agent\0group", "agent\0group\0name": no caption holds the separator.
QString PathOf(const QTreeWidgetItem* node) {
    QString path = node->text(0);
    for (const QTreeWidgetItem* parent = node->parent(); parent; parent = parent->parent())
        path = parent->text(0) + QChar(0) + path;
    return path;
}

}  // namespace

TreePlace TreePlace::Of(const OidTreeView& tree) {
    TreePlace place;
    place.hadNodes_ = tree.topLevelItemCount() > 0;
    for (int a = 0; a < tree.topLevelItemCount(); ++a) {
        const QTreeWidgetItem* agent = tree.topLevelItem(a);
        if (agent->isExpanded()) place.expanded_.insert(PathOf(agent));
        for (int g = 0; g < agent->childCount(); ++g)
            if (agent->child(g)->isExpanded()) place.expanded_.insert(PathOf(agent->child(g)));
    }
    QTreeWidgetItem* node = tree.selectedNode();
    if (!node) return place;
    place.candidates_.push_back(PathOf(node));
    for (; node->parent(); node = node->parent()) {
        QTreeWidgetItem* parent = node->parent();
        const int index = parent->indexOfChild(node);
        for (int i = index + 1; i < parent->childCount(); ++i)
            place.candidates_.push_back(PathOf(parent->child(i)));
        for (int i = index - 1; i >= 0; --i) place.candidates_.push_back(PathOf(parent->child(i)));
        place.candidates_.push_back(PathOf(parent));
    }
    return place;
}

void TreePlace::restore(OidTreeView& tree, TreeNode* selected) const {
    if (!hadNodes_) return;
    QHash<QString, TreeNode*> nodes;
    tree.forEachNode([&](TreeNode* node) {
        const QString path = PathOf(node);
        nodes.insert(path, node);
        if (node->childCount() > 0) node->setExpanded(expanded_.contains(path));
    });
    for (auto candidate = candidates_.begin(); !selected && candidate != candidates_.end(); ++candidate)
        selected = nodes.value(*candidate);
    tree.selectNode(selected);
    if (!selected) return;
    for (QTreeWidgetItem* parent = selected->parent(); parent; parent = parent->parent())
        parent->setExpanded(true);
    tree.scrollToItem(selected);
}
