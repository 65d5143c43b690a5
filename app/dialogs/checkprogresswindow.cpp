#include "app/dialogs/checkprogresswindow.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CheckProgressWindow::CheckProgressWindow(QWidget* mainWindow) : QDialog(mainWindow) {
    setObjectName("CheckProgressWindow");
    setWindowTitle("Checking...");
    setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(this);
    label_ = new QLabel;
    label_->setObjectName("CheckProgressLabel");
    label_->setTextFormat(Qt::PlainText);  // host names are text, not markup
    label_->setMinimumWidth(320);
    layout->addWidget(label_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("CancelCheckButton");
    connect(buttons, &QDialogButtonBox::rejected, this, &CheckProgressWindow::reject);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CheckProgressWindow::start(const QString& agent) {
    agent_ = agent;
    cancelled_ = false;
    setProgress({});
    adjustSize();
    if (QWidget* window = parentWidget()) move(window->geometry().center() - rect().center());
    show();
}

void CheckProgressWindow::setProgress(const WalkProgress& progress) {
    const QString step = progress.subtrees == 0 ? QString("Connecting")
                                                : QString("Subtree %1 of %2, %3 variables so far")
                                                      .arg(progress.subtree + 1)
                                                      .arg(progress.subtrees)
                                                      .arg(progress.variables);
    label_->setText("Asking " + agent_ + "\n" + step);
}

void CheckProgressWindow::reject() {
    cancelled_ = true;  // stays shown until the walk has stopped; the command hides it
}
