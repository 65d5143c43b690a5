// Times the window's editing commands on a library of 100,000 entries (50 agents, 2,000 groups).
// Goals: entering partial selection, All, None and one counter update each under 100 ms; Find
// Next from the first node to a match at the last entry under 100 ms; Replace over every field
// of every entry plus the rebuild under 1.5 s; Delete of an agent holding half the entries plus
// the rebuild under 1.5 s.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>

#include "app/dialogs/userdialogs.h"
#include "app/editor/document.h"
#include "app/editor/editingcontroller.h"
#include "app/editor/partialselection.h"
#include "app/editor/treebuilder.h"
#include "app/form1.h"
#include "app/settingsstore.h"
#include "benchlibrary.h"
#include "widgets/oidtreeview.h"

namespace {

// Answers the search dialog with a prepared text and every field ticked; nothing else is asked.
class BenchDialogs : public UserDialogs {
  public:
    QString find, replace;
    QStringList ticked;
    int notFound = 0;

    bool warningYesNo(const QString&, DialogAnswer) override { return true; }
    DialogAnswer confirmYesNoCancel(const QString&, DialogAnswer) override { return DialogAnswer::No; }
    int choose(const QString&, const QStringList&, int defaultButton) override { return defaultButton; }
    void information(const QString&) override { ++notFound; }
    void error(const QString& text) override { std::fprintf(stderr, "error: %s\n", qPrintable(text)); }
    QString openFileName(const FileDialogSpec&) override { return {}; }
    QStringList openFileNames(const FileDialogSpec&) override { return {}; }
    QString saveFileName(const FileDialogSpec&) override { return {}; }
    QString chooseFolder(const FileDialogSpec&) override { return {}; }
    int showModal(QDialog& dialog) override {
        dialog.findChild<QLineEdit*>("FindEdit")->setText(find);
        dialog.findChild<QLineEdit*>("ReplaceEdit")->setText(replace);
        for (QCheckBox* option : dialog.findChildren<QCheckBox*>())
            option->setChecked(ticked.contains(option->objectName()));
        return QDialog::Accepted;
    }
};

double milliseconds(const std::function<void()>& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

void report(const char* what, double ms, double goal) {
    std::printf("%-52s %8.1f ms  (goal %.0f ms)%s\n", what, ms, goal, ms <= goal ? "" : "  OVER");
}

TreeNode* lastNode(OidTreeView& tree) {
    TreeNode* last = nullptr;
    tree.forEachNode([&last](TreeNode* node) { last = node; });
    return last;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir folder;
    BenchDialogs dialogs;
    SettingsStore settings(folder.filePath("machine.ini"));
    TForm1 form(dialogs, settings);
    form.show();
    QApplication::processEvents();
    // The command and the repaint it leads to.
    const auto trigger = [&](const char* name) {
        form.findChild<QAction*>(name)->trigger();
        QApplication::processEvents();
    };

    toidfile& library = form.document().library();
    AddBenchAgents(library, 0, 50);
    form.editing().RebuildTree({});
    std::printf("entries: %d, tree nodes: %d\n", library.Count(), form.tree().nodeCount());

    report("Enable Partial Selection", milliseconds([&] { trigger("POPrepareAction"); }), 100);
    report("All", milliseconds([&] { trigger("POAllAction"); }), 100);
    report("None", milliseconds([&] { trigger("PONoneAction"); }), 100);
    TreeNode* last = lastNode(form.tree());
    report("tick one entry (counter update)", milliseconds([&] {
               last->setImageIndex(CheckedImage);
               form.selection().TreeviewCheckBoxClick(last, CheckedImage);
           }),
           100);
    trigger("POCancelAction");

    // A text only the last entry of the tree holds, searched in its key and description.
    EntryOf(last)->description = "the one needle";
    dialogs.find = "needle";
    dialogs.ticked = {"NameOption", "DescriptionOption"};
    form.tree().setCurrentItem(nullptr);
    const double find = milliseconds([&] { trigger("FindAction"); });
    report("Find from the first node to the last entry", find, 100);
    if (form.tree().selectedNode() != last) std::printf("  the search did not end at the last entry\n");

    dialogs.find = "1";
    dialogs.replace = "one";
    dialogs.ticked = {"NameOption", "DescriptionOption", "IndicatorOption", "UnitOption", "OidOption"};
    report("Replace in every field of every entry + rebuild", milliseconds([&] { trigger("Findreplace1"); }),
           1500);

    // Half the entries under one agent, listed first: the worst case for removing them.
    library.Clear();
    form.editing().forgetEntries();
    AddBenchAgents(library, 0, 25, "Half ");
    for (int i = 0; i < library.Count(); ++i) {
        Toiddata* entry = library.Entries(i);
        entry->name = "Half|" + entry->name.substr(entry->name.find('|') + 1);
    }
    AddBenchAgents(library, 25, 25);
    form.editing().RebuildTree("Half|Group 0|Counter 0");
    for (int i = 0; i < form.tree().topLevelItemCount(); ++i)
        if (form.tree().topLevelItem(i)->text(0) == "Half")
            form.tree().setCurrentItem(form.tree().topLevelItem(i));
    const int before = library.Count();
    report("Delete an agent of half the entries + rebuild", milliseconds([&] { trigger("Delete1"); }), 1500);
    std::printf("  deleted %d of %d entries\n", before - library.Count(), before);
    return 0;
}
