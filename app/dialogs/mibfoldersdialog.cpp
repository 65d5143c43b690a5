#include "app/dialogs/mibfoldersdialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs/dialogbuttons.h"

namespace {

QPushButton* button(const char* name, const QString& caption, QBoxLayout& layout) {
    auto* added = new QPushButton(caption);
    added->setObjectName(name);
    layout.addWidget(added);
    return added;
}

}  // namespace

MibFoldersDialog::MibFoldersDialog(QWidget* parent) : QDialog(parent), list_(new QListWidget) {
    setObjectName("MibFoldersDialog");
    setWindowTitle("MIB Folders");
    auto* layout = new QVBoxLayout(this);
    auto* hint = new QLabel(
        "The modules a MIB file imports are looked for in its own folder, then in stdmib/ beside the "
        "program, then in these folders, in this order. Folders that do not exist are passed over; an "
        "empty list stands for the default folders. Double-click a folder to edit it.");
    hint->setWordWrap(true);
    layout->addWidget(hint);

    auto* row = new QHBoxLayout;
    list_->setObjectName("MibFoldersList");
    list_->setMinimumWidth(420);
    row->addWidget(list_, 1);
    auto* buttons = new QVBoxLayout;
    connect(button("AddFolderButton", "&Add", *buttons), &QPushButton::clicked, this,
            [this] { addFolder(); });
    removeButton_ = button("RemoveFolderButton", "&Remove", *buttons);
    connect(removeButton_, &QPushButton::clicked, this, [this] { removeFolder(); });
    upButton_ = button("MoveUpButton", "&Up", *buttons);
    connect(upButton_, &QPushButton::clicked, this, [this] { moveFolder(-1); });
    downButton_ = button("MoveDownButton", "Do&wn", *buttons);
    connect(downButton_, &QPushButton::clicked, this, [this] { moveFolder(1); });
    connect(button("DefaultFoldersButton", "&Defaults", *buttons), &QPushButton::clicked, this,
            [this] { fill(defaults_); });
    buttons->addStretch();
    row->addLayout(buttons);
    layout->addLayout(row);
    AddOkCancelButtons(*this, *layout, "OK");
    connect(list_, &QListWidget::currentRowChanged, this, [this] { updateButtons(); });
}

void MibFoldersDialog::setFolders(const QStringList& folders, const QStringList& defaults) {
    defaults_ = defaults;
    fill(folders);
}

QStringList MibFoldersDialog::folders() const {
    QStringList folders;
    for (int i = 0; i < list_->count(); ++i)
        if (const QString folder = list_->item(i)->text().trimmed(); !folder.isEmpty()) folders << folder;
    return folders;
}

void MibFoldersDialog::fill(const QStringList& folders) {
    list_->clear();
    for (const QString& folder : folders) {
        auto* item = new QListWidgetItem(folder, list_);
        item->setFlags(item->flags() | Qt::ItemIsEditable);
    }
    list_->setCurrentRow(folders.isEmpty() ? -1 : 0);
    updateButtons();
}

void MibFoldersDialog::addFolder() {
    auto* item = new QListWidgetItem(list_);
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    list_->setCurrentItem(item);
    list_->editItem(item);
}

void MibFoldersDialog::removeFolder() {
    delete list_->takeItem(list_->currentRow());
    updateButtons();
}

void MibFoldersDialog::moveFolder(int step) {
    const int row = list_->currentRow(), target = row + step;
    if (row < 0 || target < 0 || target >= list_->count()) return;
    list_->insertItem(target, list_->takeItem(row));
    list_->setCurrentRow(target);
}

void MibFoldersDialog::updateButtons() {
    const int row = list_->currentRow();
    removeButton_->setEnabled(row >= 0);
    upButton_->setEnabled(row > 0);
    downButton_->setEnabled(row >= 0 && row + 1 < list_->count());
}
