#include "app/commands/selectioncommands.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>

#include "app/actionbutton.h"
#include "app/commandrunner.h"
#include "app/commands/filecommands.h"
#include "app/editor/document.h"
#include "app/editor/editingcontroller.h"
#include "app/editor/partialselection.h"
#include "app/editor/treebuilder.h"
#include "app/folders.h"
#include "app/qtstrings.h"
#include "library/oidfile.h"
#include "widgets/oidtreeview.h"

SelectionCommands::SelectionCommands(CommandHost& host)
    : host_(host), PartialSaveDialog_{"PartialSaveDialog", FileCommands::OidlibFilter, ".oid", {}} {
    host.bind("POPrepareAction", [this] { POPrepareActionExecute(); });
    host.bind("POAllAction", [this] { POAllActionExecute(); });
    host.bind("PONoneAction", [this] { PONoneActionExecute(); });
    host.bind("POCancelAction", [this] { POCancelActionExecute(); });
    host.bind("POSaveAction", [this] { POSaveActionExecute(); });
    connect(&host.tree(), &OidTreeView::checkBoxClicked, this, [this](TreeNode* node, int state) {
        host_.runner().run([&] { host_.selection().TreeviewCheckBoxClick(node, state); });
    });
    buildPartialBox();
    connect(&host.selection(), &PartialSelection::counted, this, [this](SelectionCount count) {
        CounterCountLabel_->setText(QString("%1 / %2").arg(count.ticked).arg(count.total));
    });
}

void SelectionCommands::buildPartialBox() {
    auto* box = host_.window().findChild<QGroupBox*>("PartialBox");
    box->setStyleSheet("QGroupBox#PartialBox { font-weight: bold; }");  // the caption only, as in the editor
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(6, 2, 6, 4);
    row->addWidget(MakeActionButton("AllButton", host_.action("POAllAction")));
    row->addWidget(MakeActionButton("NoneButton", host_.action("PONoneAction")));
    auto* counter = new QGridLayout;
    counter->setVerticalSpacing(0);
    counter->addWidget(new QLabel("# of counters:"), 0, 0);
    CounterCountLabel_ = new QLabel("0/-");
    CounterCountLabel_->setObjectName("CounterCountLabel");
    CounterCountLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    counter->addWidget(CounterCountLabel_, 1, 0);
    row->addLayout(counter, 1);
    row->addWidget(MakeActionButton("SaveButton", host_.action("POSaveAction")));
    row->addWidget(MakeActionButton("CancelButton", host_.action("POCancelAction")));
}

void SelectionCommands::POPrepareActionExecute() {
    host_.selection().enter(UncheckedImage);
}

void SelectionCommands::POAllActionExecute() {
    host_.selection().setEveryNode(CheckedImage);
}

void SelectionCommands::PONoneActionExecute() {
    host_.selection().setEveryNode(UncheckedImage);
}

void SelectionCommands::POCancelActionExecute() {
    host_.selection().leave();
}

QString SelectionCommands::PartialFileName(const QString& fileName) {
    if (fileName.isEmpty()) return "Partial ";
    return FolderOf(fileName) + "Partial " + QFileInfo(fileName).fileName();
}

bool SelectionCommands::SameFile(const QString& a, const QString& b) {
    if (a.isEmpty() || b.isEmpty()) return false;
    const QFileInfo first(a), second(b);
    return first.exists() && second.exists() ? first.canonicalFilePath() == second.canonicalFilePath()
                                             : first.absoluteFilePath() == second.absoluteFilePath();
}

QString SelectionCommands::OverwriteQuestion(const QString& fileName, bool openLibrary) {
    const QString name = QDir::toNativeSeparators(fileName);
    if (openLibrary)
        return "\"" + name +
               "\" is the library you are editing.\nSaving only the ticked entries over it replaces the "
               "whole library on disk with them.\n\nDo you want to replace it?";
    return "\"" + name + "\" already exists.\n\nDo you want to replace it?";
}

void SelectionCommands::POSaveActionExecute() {
    PartialSaveDialog_.fileName = PartialFileName(host_.document().fileName());
    const QString fileName =
        FileCommands::WithLibraryExtension(host_.dialogs().saveFileName(PartialSaveDialog_));
    if (fileName.isEmpty()) return;
    const bool overOpenLibrary = SameFile(fileName, host_.document().fileName());
    if (QFileInfo::exists(fileName) &&
        !host_.dialogs().warningYesNo(OverwriteQuestion(fileName, overOpenLibrary), DialogAnswer::No))
        return;  // the mode and the ticks stay, as after a cancelled dialog
    toidfile& partialLibrary = host_.document().partialLibrary();
    partialLibrary.Clear();
    for (const Toiddata* entry : host_.selection().tickedEntries()) {
        auto copy = std::make_unique<Toiddata>();
        CopyEntry(*copy, *entry);
        partialLibrary.Add(std::move(copy));
    }
    partialLibrary.SaveToFile(PathBytes(fileName));
    // The open library's file now holds only the ticked entries: the whole library is unsaved.
    if (overOpenLibrary) host_.document().fileOverwritten();
    POCancelActionExecute();
    host_.editing().showCounts();
}
