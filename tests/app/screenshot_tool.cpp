// Renders the main window with a library loaded into a PNG:
//   screenshot_tool LIBRARY PNG [NAMEKEY]         the node of NAMEKEY selected in the editor
//   screenshot_tool LIBRARY PNG --partial PATH...  partial selection with the nodes of the
//                                                  "|"-joined caption paths ticked and shown
//   screenshot_tool LIBRARY PNG NAMEKEY --edit-menu  the entry of NAMEKEY deleted and the Edit
//                                                  menu open, offering to undo that
//   screenshot_tool LIBRARY PNG NAMEKEY --filter TEXT  TEXT typed into the filter box over the tree

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <cstdio>

#include "app/dialogs/qtuserdialogs.h"
#include "app/editor/partialselection.h"
#include "app/editor/treebuilder.h"
#include "tests/app/shottool.h"
#include "widgets/oidtreeview.h"

namespace {

// The menu is a window of its own: it is drawn into the picture of the main window where it opens.
int SaveEditMenuShot(TForm1& form, const char* png) {
    form.findChild<QAction*>("Delete1")->trigger();
    QMenu* menu = form.findChild<QMenu*>("Search1");
    QMenuBar* bar = form.menuBar();
    const QPoint at = bar->mapTo(&form, bar->actionGeometry(menu->menuAction()).bottomLeft());
    bar->setActiveAction(menu->menuAction());
    QApplication::processEvents();
    QPixmap shot = form.grab();
    QPainter(&shot).drawPixmap(at, menu->grab());
    if (shot.save(QString::fromLocal8Bit(png))) return 0;
    std::fprintf(stderr, "cannot write %s\n", png);
    return 1;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s LIBRARY PNG [NAMEKEY]\n", argv[0]);
        return 2;
    }
    QApplication application(argc, argv);
    QtUserDialogs dialogs;
    const bool partial = argc > 3 && QString(argv[3]) == "--partial";
    ShotWindow window(dialogs, argv[1], argc > 3 && !partial ? argv[3] : "");
    TForm1& form = window.form;
    if (TreeNode* node = form.tree().selectedNode(); node && EntryOf(node) && node->parent())
        form.editing().ShowEntry(*EntryOf(node));
    if (partial) {
        form.findChild<QAction*>("POPrepareAction")->trigger();
        const QStringList ticked = QCoreApplication::arguments().mid(4);
        form.tree().forEachNode([&](TreeNode* node) {
            QString path = node->caption();
            for (auto* p = node->parent(); p; p = p->parent()) path = p->text(0) + "|" + path;
            if (!ticked.contains(path)) return;
            for (QTreeWidgetItem* p = node; p; p = p->parent()) p->setExpanded(true);
            node->setImageIndex(CheckedImage);
            form.selection().TreeviewCheckBoxClick(node, CheckedImage);
        });
    }
    form.show();
    QApplication::processEvents();
    if (argc > 4 && QString(argv[4]) == "--edit-menu") return SaveEditMenuShot(form, argv[2]);
    if (argc > 5 && QString(argv[4]) == "--filter") {
        form.findChild<QLineEdit*>("TreeFilter")->setText(QString::fromLocal8Bit(argv[5]));
        QApplication::processEvents();
    }
    return SaveShot(form, argv[2]);
}
