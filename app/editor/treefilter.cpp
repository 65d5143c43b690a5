#include "app/editor/treefilter.h"

#include <QKeyEvent>
#include <QLineEdit>

#include "app/editor/captionpath.h"
#include "app/editor/treebuilder.h"
#include "app/qtstrings.h"
#include "library/oiddata.h"
#include "widgets/oidtreeview.h"

namespace {

// An entry matches by its caption, or by its OID written with or without the leading dot.
bool matches(const TreeNode* entryNode, const QString& text) {
    if (entryNode->caption().contains(text, Qt::CaseInsensitive)) return true;
    const Toiddata* entry = EntryOf(entryNode);
    return entry && ("." + toQt(entry->oid)).contains(text);
}

void setShown(QTreeWidgetItem* node, bool shown) {
    if (node->isHidden() == shown) node->setHidden(!shown);  // each change costs the view a relayout
}

}  // namespace

TreeFilter::TreeFilter(OidTreeView& tree, QLineEdit& box) : QObject(&box), tree_(tree), box_(box) {
    box.setPlaceholderText("Filter: part of a name or an OID");
    box.setClearButtonEnabled(true);
    box.installEventFilter(this);
    connect(&box, &QLineEdit::textChanged, this, &TreeFilter::filter);
    connect(&tree, &OidTreeView::nodesReplaced, this, [this] {
        if (filtering_) filter();
    });
}

bool TreeFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape ||
        box_.text().isEmpty())
        return QObject::eventFilter(watched, event);
    box_.clear();
    return true;
}

void TreeFilter::filter() {
    const QString text = box_.text().trimmed();
    if (text.isEmpty() && !filtering_) return;
    if (!filtering_) rememberExpansion();
    const bool updating = tree_.updatesEnabled();  // a rebuild under way keeps them off until it ends
    tree_.setUpdatesEnabled(false);
    for (int a = 0; a < tree_.topLevelItemCount(); ++a) {
        QTreeWidgetItem* agent = tree_.topLevelItem(a);
        bool agentShown = false;
        for (int g = 0; g < agent->childCount(); ++g) {
            QTreeWidgetItem* group = agent->child(g);
            bool groupShown = false;
            for (int e = 0; e < group->childCount(); ++e) {
                auto* entry = static_cast<TreeNode*>(group->child(e));
                const bool shown = text.isEmpty() || matches(entry, text);
                setShown(entry, shown);
                groupShown |= shown;
            }
            setShown(group, groupShown || text.isEmpty());
            agentShown |= groupShown;
        }
        setShown(agent, agentShown || text.isEmpty());
    }
    if (text.isEmpty()) {
        restoreExpansion();
    } else {
        tree_.expandAll();
    }
    filtering_ = !text.isEmpty();
    tree_.setUpdatesEnabled(updating);
    // The node being edited stays in sight, opened up to when the filter goes.
    if (QTreeWidgetItem* current = tree_.currentItem(); current && !current->isHidden())
        tree_.scrollToItem(current);
}

void TreeFilter::rememberExpansion() {
    expanded_.clear();
    tree_.forEachNode([this](TreeNode* node) {
        if (node->isExpanded()) expanded_.insert(CaptionPath(node));
    });
}

void TreeFilter::restoreExpansion() {
    tree_.collapseAll();
    tree_.forEachNode([this](TreeNode* node) {
        if (node->childCount() > 0 && expanded_.contains(CaptionPath(node))) node->setExpanded(true);
    });
}
