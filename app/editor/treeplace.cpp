#include "app/editor/treeplace.h"

#include <QHash>

#include "app/editor/captionpath.h"
#include "widgets/oidtreeview.h"

TreePlace TreePlace::Of(const OidTreeView& tree) {
    TreePlace place;
    place.hadNodes_ = tree.topLevelItemCount() > 0;
    for (int a = 0; a < tree.topLevelItemCount(); ++a) {
        const QTreeWidgetItem* agent = tree.topLevelItem(a);
        if (agent->isExpanded()) place.expanded_.insert(CaptionPath(agent));
        for (int g = 0; g < agent->childCount(); ++g)
            if (agent->child(g)->isExpanded()) place.expanded_.insert(CaptionPath(agent->child(g)));
    }
    QTreeWidgetItem* node = tree.selectedNode();
    if (!node) return place;
    place.candidates_.push_back(CaptionPath(node));
    for (; node->parent(); node = node->parent()) {
        QTreeWidgetItem* parent = node->parent();
        const int index = parent->indexOfChild(node);
        for (int i = index + 1; i < parent->childCount(); ++i)
            place.candidates_.push_back(CaptionPath(parent->child(i)));
        for (int i = index - 1; i >= 0; --i) place.candidates_.push_back(CaptionPath(parent->child(i)));
        place.candidates_.push_back(CaptionPath(parent));
    }
    return place;
}

void TreePlace::restore(OidTreeView& tree, TreeNode* selected) const {
    if (!hadNodes_) return;
    QHash<QString, TreeNode*> nodes;
    tree.forEachNode([&](TreeNode* node) {
        const QString path = CaptionPath(node);
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
