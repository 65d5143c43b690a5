#include "app/dialogs/dialogbuttons.h"

#include <QBoxLayout>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

QPushButton* AddOkCancelButtons(QDialog& dialog, QBoxLayout& layout, const QString& okText) {
    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(okText, QDialogButtonBox::AcceptRole);
    ok->setObjectName("OkButton");
    ok->setDefault(true);
    buttons->addButton("Cancel", QDialogButtonBox::RejectRole)->setObjectName("CancelButton");
    // accept is virtual: a dialog that checks its fields first gets its own.
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout.addWidget(buttons);
    return ok;
}
