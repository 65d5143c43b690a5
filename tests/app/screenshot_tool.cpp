// Renders the main window with a library loaded into a PNG:
//   screenshot_tool LIBRARY PNG [NAMEKEY]         the node of NAMEKEY selected in the editor
//   screenshot_tool LIBRARY PNG --partial PATH...  partial selection with the nodes of the
//                                                  "|"-joined caption paths ticked and shown

#include <QAction>
#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>

#include "app/document.h"
#include "app/editingcontroller.h"
#include "app/form1.h"
#include "app/qtstrings.h"
#include "app/qtuserdialogs.h"
#include "app/selectioncommands.h"
#include "app/settingsstore.h"
#include "app/treebuilder.h"
#include "widgets/oidtreeview.h"

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s LIBRARY PNG [NAMEKEY]\n", argv[0]);
        return 2;
    }
    QApplication application(argc, argv);
    QTemporaryDir settingsDir;  // no stored folders: the screenshot does not depend on the machine
    QtUserDialogs dialogs;
    SettingsStore settings(settingsDir.filePath("machine.ini"));
    TForm1 form(dialogs, settings);
    form.document().library().LoadFromFile(argv[1]);
    form.document().setFileName(QString::fromLocal8Bit(argv[1]));
    const bool partial = argc > 3 && QString(argv[3]) == "--partial";
    form.editing().RebuildTree(argc > 3 && !partial ? argv[3] : "");
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
    if (!form.grab().save(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
