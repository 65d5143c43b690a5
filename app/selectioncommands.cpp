#include "app/selectioncommands.h"

#include <QAction>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>

#include "app/actionbutton.h"
#include "app/commandrunner.h"
#include "app/document.h"
#include "app/filecommands.h"
#include "app/folders.h"
#include "app/qtstrings.h"
#include "app/treebuilder.h"
#include "library/oidfile.h"
#include "widgets/oidtreeview.h"

namespace {

// Every descendant gets the state, also those that had no box; node itself keeps its own.
void setSubtree(QTreeWidgetItem* node, int imageIndex) {
    for (int i = 0; i < node->childCount(); ++i) {
        static_cast<TreeNode*>(node->child(i))->setImageIndex(imageIndex);
        setSubtree(node->child(i), imageIndex);
    }
}

}  // namespace

SelectionCommands::SelectionCommands(CommandHost& host)
    : host_(host), PartialSaveDialog_{"PartialSaveDialog", FileCommands::OidlibFilter, ".oid", {}} {
    host.bind("POPrepareAction", [this] { POPrepareActionExecute(); });
    host.bind("POAllAction", [this] { POAllActionExecute(); });
    host.bind("PONoneAction", [this] { PONoneActionExecute(); });
    host.bind("POCancelAction", [this] { POCancelActionExecute(); });
    host.bind("POSaveAction", [this] { POSaveActionExecute(); });
    connect(&host.tree(), &OidTreeView::checkBoxClicked, this, [this](TreeNode* node, int state) {
        host_.runner().run([&] { TreeviewCheckBoxClick(node, state); });
    });
    buildPartialBox();
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

void SelectionCommands::setPartial(bool partial) {
    if (partial_ == partial) return;
    partial_ = partial;
    emit partialChanged(partial);
}

void SelectionCommands::setEveryNode(int imageIndex) {
    host_.tree().forEachNode([imageIndex](TreeNode* node) { node->setImageIndex(imageIndex); });
    host_.tree().viewport()->update();
}

SelectionCount SelectionCommands::updateCounter() {
    SelectionCount count;
    host_.tree().forEachNode([&count](TreeNode* node) {
        if (node->childCount() != 0) return;
        ++count.total;
        if (node->imageIndex() == CheckedImage) ++count.ticked;
    });
    CounterCountLabel_->setText(QString("%1 / %2").arg(count.ticked).arg(count.total));
    return count;
}

void SelectionCommands::POPrepareActionExecute() {
    setEveryNode(UncheckedImage);
    setPartial(true);
    updateCounter();
}

SelectionCount SelectionCommands::EnterPartialSelection(const std::unordered_set<const Toiddata*>& entries) {
    host_.tree().forEachNode([&entries](TreeNode* node) {
        const bool ticked = IsEntryNode(node) && entries.contains(EntryOf(node));
        node->setImageIndex(ticked ? CheckedImage : UncheckedImage);
    });
    host_.tree().viewport()->update();
    setPartial(true);
    return updateCounter();
}

void SelectionCommands::POAllActionExecute() {
    setEveryNode(CheckedImage);
    updateCounter();
}

void SelectionCommands::PONoneActionExecute() {
    setEveryNode(UncheckedImage);
    updateCounter();
}

void SelectionCommands::POCancelActionExecute() {
    setEveryNode(NoCheckImage);
    setPartial(false);
}

void SelectionCommands::TreeviewCheckBoxClick(TreeNode* node, int state) {
    setSubtree(node, state);
    host_.tree().viewport()->update();
    updateCounter();
}

QString SelectionCommands::PartialFileName(const QString& fileName) {
    if (fileName.isEmpty()) return "Partial ";
    return FolderOf(fileName) + "Partial " + QFileInfo(fileName).fileName();
}

void SelectionCommands::POSaveActionExecute() {
    PartialSaveDialog_.fileName = PartialFileName(host_.document().fileName());
    const QString fileName =
        FileCommands::WithLibraryExtension(host_.dialogs().saveFileName(PartialSaveDialog_));
    if (fileName.isEmpty()) return;
    toidfile& partialLibrary = host_.document().partialLibrary();
    partialLibrary.Clear();
    host_.tree().forEachNode([&partialLibrary](TreeNode* node) {
        if (!IsEntryNode(node) || node->imageIndex() != CheckedImage) return;
        auto copy = std::make_unique<Toiddata>();
        CopyEntry(*copy, *EntryOf(node));
        partialLibrary.Add(std::move(copy));
    });
    partialLibrary.SaveToFile(PathBytes(fileName));
    POCancelActionExecute();
}
