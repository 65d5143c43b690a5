#include "app/editor/partialselection.h"

#include "app/editor/treebuilder.h"
#include "widgets/oidtreeview.h"

namespace {

// Every descendant gets the state, also those that had no box, but for those the filter box
// hides; node itself keeps its own.
void setSubtree(QTreeWidgetItem* node, int imageIndex) {
    for (int i = 0; i < node->childCount(); ++i) {
        if (node->child(i)->isHidden()) continue;
        static_cast<TreeNode*>(node->child(i))->setImageIndex(imageIndex);
        setSubtree(node->child(i), imageIndex);
    }
}

QStringList captionPath(const QTreeWidgetItem* node) {
    QStringList path;
    for (; node; node = node->parent()) path.prepend(node->text(0));
    return path;
}

}  // namespace

void PartialSelection::setPartial(bool partial) {
    if (partial_ == partial) return;
    partial_ = partial;
    emit partialChanged(partial);
}

SelectionCount PartialSelection::recount() {
    SelectionCount count;
    tree_.forEachNode([&count](TreeNode* node) {
        if (node->childCount() != 0) return;
        ++count.total;
        if (node->imageIndex() == CheckedImage) ++count.ticked;
    });
    emit counted(count);
    return count;
}

void PartialSelection::paintEveryNode(int imageIndex) {
    tree_.forEachNode([imageIndex](TreeNode* node) { node->setImageIndex(imageIndex); });
    tree_.viewport()->update();
}

void PartialSelection::setEveryNode(int imageIndex) {
    paintEveryNode(imageIndex);
    recount();
}

void PartialSelection::enter(int imageIndex) {
    paintEveryNode(imageIndex);
    setPartial(true);
    recount();
}

SelectionCount PartialSelection::enterPartialSelection(const std::unordered_set<const Toiddata*>& entries) {
    tree_.forEachNode([&entries](TreeNode* node) {
        const bool ticked = IsEntryNode(node) && entries.contains(EntryOf(node));
        node->setImageIndex(ticked ? CheckedImage : UncheckedImage);
    });
    tree_.viewport()->update();
    setPartial(true);
    return recount();
}

void PartialSelection::leave() {
    paintEveryNode(NoCheckImage);
    setPartial(false);
}

void PartialSelection::TreeviewCheckBoxClick(TreeNode* node, int state) {
    setSubtree(node, state);
    tree_.viewport()->update();
    recount();
}

std::vector<const Toiddata*> PartialSelection::tickedEntries() const {
    std::vector<const Toiddata*> ticked;
    tree_.forEachNode([&ticked](TreeNode* node) {
        if (IsEntryNode(node) && node->imageIndex() == CheckedImage) ticked.push_back(EntryOf(node));
    });
    return ticked;
}

void PartialSelection::rememberTicks() {
    if (!partial_ || tree_.topLevelItemCount() == 0) return;
    rememberedEntries_.clear();
    rememberedPaths_.clear();
    tree_.forEachNode([this](TreeNode* node) {
        if (node->imageIndex() != CheckedImage) return;
        if (IsEntryNode(node))
            rememberedEntries_.insert(EntryOf(node));
        else
            rememberedPaths_.insert(captionPath(node));
    });
}

void PartialSelection::restoreTicks() {
    if (partial_) {
        tree_.forEachNode([this](TreeNode* node) {
            const bool ticked = IsEntryNode(node) ? rememberedEntries_.contains(EntryOf(node))
                                                  : rememberedPaths_.contains(captionPath(node));
            node->setImageIndex(ticked ? CheckedImage : UncheckedImage);
        });
        tree_.viewport()->update();
        recount();
    }
    rememberedEntries_.clear();
    rememberedPaths_.clear();
}
