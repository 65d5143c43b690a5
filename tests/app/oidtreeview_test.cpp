#include "widgets/oidtreeview.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPainter>
#include <QSignalSpy>
#include <QStyleOptionButton>
#include <QTest>

namespace {

// A shown tree with agent "a" (groups "x", "y") and agent "b"; "x" holds entry "1".
class OidTreeViewTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void SetUp() override {
        auto* a = new TreeNode("a");
        x = new TreeNode("x");
        x->addChild(entry = new TreeNode("1"));
        a->addChildren({x, y = new TreeNode("y")});
        b = new TreeNode("b");
        tree.setTopLevelNodes({b, a});
        tree.expandAll();
        tree.resize(300, 300);
        tree.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&tree));
    }

    QPoint boxPoint(TreeNode* node) { return tree.visualItemRect(node).topLeft() + QPoint(8, 8); }
    QPoint captionPoint(TreeNode* node) { return tree.visualItemRect(node).topLeft() + QPoint(40, 8); }
    void click(const QPoint& at) { QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, at); }

    OidTreeView tree;
    TreeNode *x, *y, *b, *entry;
};

TEST_F(OidTreeViewTest, NodesAreIndexedInDepthFirstDisplayOrder) {
    EXPECT_EQ(tree.nodeCount(), 5);
    const QStringList expected{"a", "x", "1", "y", "b"};
    for (int i = 0; i < expected.size(); ++i) {
        ASSERT_NE(tree.nodeAt(i), nullptr) << i;
        EXPECT_EQ(tree.nodeAt(i)->caption(), expected[i]) << i;
        EXPECT_EQ(tree.indexOf(tree.nodeAt(i)), i);
    }
    EXPECT_EQ(tree.nodeAt(5), nullptr);
    EXPECT_EQ(tree.nodeAt(-1), nullptr);
}

TEST_F(OidTreeViewTest, SortsEveryLevelByLocaleWithCaseOnlyBreakingTies) {
    auto* top = new TreeNode("top");
    for (const char* caption : {"beta", "Gamma", "alpha", "Alpha", "10", "9"})
        top->addChild(new TreeNode(caption));
    tree.setTopLevelNodes({new TreeNode("Zulu"), top, new TreeNode("apple")});
    QStringList topLevel, children;
    for (int i = 0; i < tree.topLevelItemCount(); ++i) topLevel << tree.topLevelItem(i)->text(0);
    for (int i = 0; i < top->childCount(); ++i) children << top->child(i)->text(0);
    EXPECT_EQ(topLevel, (QStringList{"apple", "top", "Zulu"}));
    EXPECT_EQ(children, (QStringList{"10", "9", "alpha", "Alpha", "beta", "Gamma"}));
}

TEST_F(OidTreeViewTest, ClickInBoxAreaTogglesAndReportsNewState) {
    QSignalSpy clicks(&tree, &OidTreeView::checkBoxClicked);
    x->setImageIndex(UncheckedImage);
    click(boxPoint(x));
    EXPECT_EQ(x->imageIndex(), CheckedImage);
    click(boxPoint(x));
    EXPECT_EQ(x->imageIndex(), UncheckedImage);
    ASSERT_EQ(clicks.count(), 2);
    EXPECT_EQ(clicks[0][0].value<TreeNode*>(), x);
    EXPECT_EQ(clicks[0][1].toInt(), CheckedImage);
    EXPECT_EQ(clicks[1][1].toInt(), UncheckedImage);
}

TEST_F(OidTreeViewTest, ClicksOutsideABoxDoNotToggle) {
    QSignalSpy clicks(&tree, &OidTreeView::checkBoxClicked);
    x->setImageIndex(CheckedImage);
    click(captionPoint(x));  // on the caption: selects
    click(boxPoint(y));      // y shows no box
    EXPECT_EQ(x->imageIndex(), CheckedImage);
    EXPECT_EQ(y->imageIndex(), NoCheckImage);
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(tree.selectedNode(), y);
}

TEST_F(OidTreeViewTest, SpaceTogglesTheSelectedNodeWithABox) {
    QSignalSpy clicks(&tree, &OidTreeView::checkBoxClicked);
    tree.selectNode(b);
    QTest::keyClick(&tree, Qt::Key_Space);  // no box: nothing
    b->setImageIndex(UncheckedImage);
    QTest::keyClick(&tree, Qt::Key_Space);
    EXPECT_EQ(b->imageIndex(), CheckedImage);
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks[0][0].value<TreeNode*>(), b);
    EXPECT_EQ(clicks[0][1].toInt(), CheckedImage);
}

TEST_F(OidTreeViewTest, ChangingHandlerMayRefuseClicksAndKeys) {
    tree.selectNode(x);
    QSignalSpy changes(&tree, &OidTreeView::nodeChanged);
    std::vector<TreeNode*> asked;
    bool allow = false;
    tree.setChangingHandler([&](TreeNode* target) {
        asked.push_back(target);
        return allow;
    });
    click(captionPoint(y));
    QTest::keyClick(&tree, Qt::Key_Down);
    EXPECT_EQ(tree.selectedNode(), x);
    EXPECT_EQ(tree.selectedItems(), QList<QTreeWidgetItem*>{x});
    EXPECT_EQ(changes.count(), 0);
    EXPECT_EQ(asked, (std::vector<TreeNode*>{y, entry}));

    allow = true;
    click(captionPoint(y));
    EXPECT_EQ(tree.selectedNode(), y);
    QTest::keyClick(&tree, Qt::Key_Down);
    EXPECT_EQ(tree.selectedNode(), b);
    EXPECT_EQ(asked.size(), 4u) << "each allowed move is asked once";
    ASSERT_EQ(changes.count(), 2);
    EXPECT_EQ(changes[1][0].value<TreeNode*>(), b);
}

TEST_F(OidTreeViewTest, DetachedEventsNeitherAskNorReport) {
    QSignalSpy changes(&tree, &OidTreeView::nodeChanged);
    int asked = 0;
    tree.setChangingHandler([&](TreeNode*) { return ++asked, false; });
    tree.detachSelectionEvents();
    click(captionPoint(y));
    tree.attachSelectionEvents();
    EXPECT_EQ(tree.selectedNode(), y);
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(changes.count(), 0);
}

}  // namespace

namespace {

QImage paintedAt(qreal scale, const std::function<void(QPainter&)>& paint) {
    QImage image(QSize(16, 16) * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    paint(painter);
    return image;
}

TEST(CheckIconTest, BoxesAreDrawnByTheStyleAtTheDevicePixelRatio) {
    for (bool ticked : {false, true}) {
        const QIcon icon = OidTreeView::checkIcon(ticked ? CheckedImage : UncheckedImage);
        const QImage drawn = paintedAt(2, [&](QPainter& p) { icon.paint(&p, QRect(0, 0, 16, 16)); });
        const QImage byStyle = paintedAt(2, [&](QPainter& p) {
            QStyleOptionButton option;
            option.rect = QRect(1, 1, 14, 14);
            option.state = QStyle::State_Enabled | (ticked ? QStyle::State_On : QStyle::State_Off);
            QApplication::style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &p);
        });
        EXPECT_EQ(drawn, byStyle) << "ticked " << ticked;
        const QImage scaledUp = paintedAt(1, [&](QPainter& p) {
                                    icon.paint(&p, QRect(0, 0, 16, 16));
                                }).scaled(32, 32, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        EXPECT_NE(drawn.convertToFormat(QImage::Format_ARGB32),
                  scaledUp.convertToFormat(QImage::Format_ARGB32))
            << "a 16-pixel picture blown up";
        EXPECT_EQ(icon.pixmap(QSize(16, 16), 2.0).size(), QSize(32, 32));
    }
    EXPECT_TRUE(OidTreeView::checkIcon(NoCheckImage).isNull());
    EXPECT_TRUE(OidTreeView::checkIcon(7).isNull()) << "any other value counts as none";
}

}  // namespace

TEST_F(OidTreeViewTest, TheTreeDrawsTheNodesStateAndWalksInDisplayOrder) {
    const auto boxArea = [&] {
        return tree.viewport()->grab(QRect(tree.visualItemRect(x).topLeft(), QSize(16, 16))).toImage();
    };
    const QImage none = boxArea();
    x->setImageIndex(UncheckedImage);
    tree.viewport()->repaint();
    const QImage unticked = boxArea();
    x->setImageIndex(CheckedImage);
    tree.viewport()->repaint();
    const QImage ticked = boxArea();
    EXPECT_NE(none, unticked);
    EXPECT_NE(unticked, ticked);

    QStringList visited;
    tree.forEachNode([&](TreeNode* node) { visited << node->caption(); });
    EXPECT_EQ(visited, (QStringList{"a", "x", "1", "y", "b"}));
}
