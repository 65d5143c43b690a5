#include "app/dialogs/progressform.h"

#include "widgets/htmllabel.h"

namespace {

constexpr int ClientWidth = 320;
constexpr int ClientHeight = 71;

}  // namespace

TProgressForm::TProgressForm(QWidget* mainWindow)
    // A dialog frame without title-bar buttons: an import cannot be closed half-way.
    : QDialog(mainWindow, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName("ProgressForm");
    setWindowTitle("Importing...");
    setFixedSize(ClientWidth, ClientHeight);
    ProgressLabel_ = new HtmlLabel(QString(), this);
    ProgressLabel_->setObjectName("ProgressLabel");
    ProgressLabel_->setGeometry(8, 9, 305, 49);
    ProgressLabel_->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    ProgressLabel_->setWordWrap(true);
}

void TProgressForm::showCentred() {
    if (QWidget* window = parentWidget()) move(window->geometry().center() - rect().center());
    show();
}

QString TProgressForm::SearchText(const QString& module, const QString& file) {
    // Names are text, not markup: a file named "a&b.mib" shows as it is.
    const QString html = "<p align=\"center\">Searching for module: <b>" + module.toHtmlEscaped() + "</b>";
    return html + (file.isEmpty() ? "\n</p>" : "\n<br><center>in file: " + file.toHtmlEscaped() + "</p>");
}

void TProgressForm::setProgressText(const QString& html) {
    ProgressLabel_->setHtml(html);
}
