#include "widgets/oidtreeview.h"

#include <QApplication>
#include <QIconEngine>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStyledItemDelegate>
#include <QTreeWidgetItemIterator>
#include <algorithm>

#include "widgets/changingselectionmodel.h"

namespace {

constexpr int CheckBoxWidth = 16;

// Draws the style's own check-box indicator straight onto the painter of the view, so the box
// follows the device pixel ratio (crisp at 200 %) instead of scaling a 16-pixel picture.
class CheckBoxIconEngine : public QIconEngine {
  public:
    explicit CheckBoxIconEngine(bool ticked) : ticked_(ticked) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        QStyleOptionButton option;
        option.rect = rect.adjusted(1, 1, -1, -1);
        option.state = (mode == QIcon::Disabled ? QStyle::State_None : QStyle::State_Enabled) |
                       (ticked_ ? QStyle::State_On : QStyle::State_Off);
        QApplication::style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, painter);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return scaledPixmap(size, mode, state, 1);
    }
    // size counts device pixels; the box is drawn at its logical size and the given scale.
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
        QPixmap pixmap(size);
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), (QSizeF(size) / scale).toSize()), mode, state);
        return pixmap;
    }
    QIconEngine* clone() const override { return new CheckBoxIconEngine(ticked_); }

  private:
    bool ticked_;
};

// Shows a node's check box as its decoration. The state lives in the node, not in the model's
// data, so that ticking a whole tree sends no change signal per node: the owner repaints once.
class CheckBoxDelegate : public QStyledItemDelegate {
  public:
    explicit CheckBoxDelegate(OidTreeView* tree) : QStyledItemDelegate(tree), tree_(tree) {}

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        const auto* node = static_cast<const TreeNode*>(tree_->itemFromIndex(index));
        const QIcon box = node ? OidTreeView::checkIcon(node->imageIndex()) : QIcon();
        if (box.isNull()) return;
        option->icon = box;
        option->features |= QStyleOptionViewItem::HasDecoration;
        option->decorationSize = QSize(CheckBoxWidth, CheckBoxWidth);
    }

  private:
    OidTreeView* tree_;
};

}  // namespace

OidTreeView::OidTreeView(QWidget* parent)
    : QTreeWidget(parent), selection_(new ChangingSelectionModel(model(), this)) {
    setSelectionModel(selection_);
    setItemDelegate(new CheckBoxDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHeaderHidden(true);
    setColumnCount(1);
    setIndentation(19);
    setIconSize(QSize(CheckBoxWidth, CheckBoxWidth));
    setUniformRowHeights(true);
    selection_->setChangingHook([this](const QModelIndex& target) { return allowMove(target); });
    // QTreeWidget's own currentItemChanged stays bound to the replaced selection model.
    connect(selection_, &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& current) {
        if (eventsAttached_) emit nodeChanged(static_cast<TreeNode*>(itemFromIndex(current)));
    });
}

bool OidTreeView::allowMove(const QModelIndex& target) {
    if (!eventsAttached_ || !changing_) return true;
    return changing_(static_cast<TreeNode*>(itemFromIndex(target)));
}

TreeNode* OidTreeView::selectedNode() const {
    return static_cast<TreeNode*>(currentItem());
}

void OidTreeView::selectNode(TreeNode* node) {
    const QModelIndex target = node ? indexFromItem(node) : QModelIndex();
    selection_->approve(target);
    if (node) {
        setCurrentItem(node);
    } else {
        setCurrentItem(nullptr);
        selection_->clearSelection();
    }
}

int OidTreeView::nodeCount() const {
    int count = 0;
    for (QTreeWidgetItemIterator it(const_cast<OidTreeView*>(this)); *it; ++it) ++count;
    return count;
}

TreeNode* OidTreeView::nodeAt(int index) const {
    if (index < 0) return nullptr;
    for (QTreeWidgetItemIterator it(const_cast<OidTreeView*>(this)); *it; ++it) {
        if (index-- == 0) return static_cast<TreeNode*>(*it);
    }
    return nullptr;
}

int OidTreeView::indexOf(const TreeNode* node) const {
    int index = 0;
    for (QTreeWidgetItemIterator it(const_cast<OidTreeView*>(this)); *it; ++it, ++index) {
        if (*it == node) return index;
    }
    return -1;
}

namespace {

bool captionLess(const QTreeWidgetItem* a, const QTreeWidgetItem* b) {
    return *a < *b;
}

// Sorting before insertion spares the model a layout change for every node.
void sortChildren(QTreeWidgetItem* node) {
    if (node->childCount() == 0) return;
    QList<QTreeWidgetItem*> children = node->takeChildren();
    std::stable_sort(children.begin(), children.end(), captionLess);
    for (QTreeWidgetItem* child : children) sortChildren(child);
    node->addChildren(children);
}

}  // namespace

void OidTreeView::setTopLevelNodes(QList<QTreeWidgetItem*> nodes) {
    clear();
    std::stable_sort(nodes.begin(), nodes.end(), captionLess);
    for (QTreeWidgetItem* node : nodes) sortChildren(node);
    addTopLevelItems(nodes);
    emit nodesReplaced();
}

QIcon OidTreeView::checkIcon(int imageIndex) {
    if (imageIndex == UncheckedImage) {
        static const QIcon unticked(new CheckBoxIconEngine(false));
        return unticked;
    }
    if (imageIndex == CheckedImage) {
        static const QIcon ticked(new CheckBoxIconEngine(true));
        return ticked;
    }
    return QIcon();
}

bool OidTreeView::inCheckBox(const TreeNode* node, const QPoint& pos) const {
    if (!node || node->imageIndex() == NoCheckImage) return false;
    const QRect row = visualItemRect(node);
    return pos.x() >= row.left() && pos.x() < row.left() + CheckBoxWidth;
}

void OidTreeView::forEachNode(const std::function<void(TreeNode*)>& visit) const {
    const std::function<void(QTreeWidgetItem*)> walk = [&](QTreeWidgetItem* node) {
        visit(static_cast<TreeNode*>(node));
        for (int i = 0, count = node->childCount(); i < count; ++i) walk(node->child(i));
    };
    for (int i = 0, count = topLevelItemCount(); i < count; ++i) walk(topLevelItem(i));
}

void OidTreeView::toggleCheck(TreeNode* node) {
    if (!checkBoxesEnabled_) return;
    node->setImageIndex(node->imageIndex() == CheckedImage ? UncheckedImage : CheckedImage);
    viewport()->update(visualItemRect(node));
    emit checkBoxClicked(node, node->imageIndex());
}

void OidTreeView::mousePressEvent(QMouseEvent* event) {
    auto* node = static_cast<TreeNode*>(itemAt(event->position().toPoint()));
    if (event->button() == Qt::LeftButton && inCheckBox(node, event->position().toPoint())) {
        toggleCheck(node);
        event->accept();
        return;
    }
    // Ask once here, so that a refused click neither moves nor starts a selection. A press left
    // of the caption (on the expand arrow) only opens or closes a node: should it move the
    // selection after all, the selection model asks.
    const QModelIndex target = node ? indexFromItem(node) : QModelIndex();
    const bool onCaption = node && event->position().x() >= visualItemRect(node).left();
    if (onCaption && target != currentIndex()) {
        if (!allowMove(target)) {
            event->accept();
            return;
        }
        selection_->approve(target);
    }
    QTreeWidget::mousePressEvent(event);
    selection_->approve(QModelIndex());  // an approval never outlives the press it was given for
}

void OidTreeView::mouseMoveEvent(QMouseEvent* event) {
    // No drag selection: every move of the current node goes through a click or a key.
    if (event->buttons() & Qt::LeftButton) {
        event->accept();
        return;
    }
    QTreeWidget::mouseMoveEvent(event);
}

void OidTreeView::keyPressEvent(QKeyEvent* event) {
    TreeNode* node = selectedNode();
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier && node &&
        node->imageIndex() != NoCheckImage) {
        toggleCheck(node);
        event->accept();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}
