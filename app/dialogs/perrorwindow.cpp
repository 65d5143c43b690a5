#include "app/dialogs/perrorwindow.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QTextBlock>
#include <QVBoxLayout>

namespace {

constexpr int WindowWidth = 714;
constexpr int WindowHeight = 509;
constexpr int TopPanelHeight = 65;
constexpr int BottomPanelHeight = 33;
constexpr int LinesAboveError = 9;  // the error line is the tenth visible line
constexpr int LastUnscrolledLine = 11;

QFont codeFont() {
    if (QFontDatabase::families().contains("Courier New")) return QFont("Courier New");
    return QFontDatabase::systemFont(QFontDatabase::FixedFont);
}

// A value label: plain text that the user can select and copy (a long path, say).
QLabel* valueLabel(const char* name) {
    auto* label = new QLabel;
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

}  // namespace

Tperror::Tperror(QWidget* mainWindow) : QDialog(mainWindow) {
    setObjectName("perror");
    setWindowTitle("Parse Error");
    resize(WindowWidth, WindowHeight);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildTopPanel());
    details_ = valueLabel("DetailsValue");
    details_->setContentsMargins(8, 0, 8, 6);
    details_->hide();
    layout->addWidget(details_);

    memo_ = new QPlainTextEdit;
    memo_->setObjectName("SourceMemo");
    memo_->setReadOnly(true);
    // The caret shows and moves with the keys, so that the user can read around the error.
    memo_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo_->setFont(codeFont());
    memo_->setTabStopDistance(4 * memo_->fontMetrics().horizontalAdvance(' '));
    layout->addWidget(memo_, 1);

    layout->addWidget(buildBottomPanel());
    auto* status = new QStatusBar;
    status->setObjectName("StatusBar1");
    layout->addWidget(status);

    if (QScreen* screen = mainWindow ? mainWindow->screen() : nullptr)
        move(screen->availableGeometry().center() - rect().center());
}

QWidget* Tperror::buildTopPanel() {
    auto* panel = new QWidget;
    panel->setObjectName("TopPanel");
    panel->setFixedHeight(TopPanelHeight);
    // Rows at 8, 24 and 40, the values at 72.
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(8, 8, 8, 0);
    grid->setHorizontalSpacing(0);
    grid->setVerticalSpacing(0);
    grid->setColumnMinimumWidth(0, 64);
    grid->setColumnStretch(1, 1);
    int row = 0;
    for (auto [caption, value] : {std::pair{"File:", fileValue_ = valueLabel("FileValue")},
                                  std::pair{"Error:", errorValue_ = valueLabel("ErrorValue")},
                                  std::pair{"Line:", lineValue_ = valueLabel("LineValue")}}) {
        grid->setRowMinimumHeight(row, 16);
        grid->addWidget(new QLabel(caption), row, 0, Qt::AlignTop);
        grid->addWidget(value, row++, 1, Qt::AlignTop);
    }
    grid->setRowStretch(row, 1);
    return panel;
}

QWidget* Tperror::buildBottomPanel() {
    auto* panel = new QWidget;
    panel->setObjectName("BottomPanel");
    panel->setFixedHeight(BottomPanelHeight);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(8, 4, 8, 4);
    row->addStretch();
    auto* close = new QPushButton("Close");
    close->setObjectName("CloseButton");
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    row->addWidget(close);
    return panel;
}

void Tperror::showError(const QString& fileName, const QString& message, const QString& text, int line) {
    fileValue_->setText(fileName);
    errorValue_->setText(message);
    memo_->clear();
    memo_->setPlainText(text);

    const QTextBlock block = memo_->document()->findBlockByNumber(line - 1);
    QTextCursor caret(block.isValid() ? block : memo_->document()->lastBlock());
    caret.movePosition(QTextCursor::StartOfBlock);
    memo_->setTextCursor(caret);
    QTextEdit::ExtraSelection active;
    active.cursor = caret;
    active.format.setBackground(palette().color(QPalette::Highlight).lighter(170));
    active.format.setProperty(QTextFormat::FullWidthSelection, true);
    memo_->setExtraSelections({active});

    // Without line wrap the scroll bar counts lines.
    if (line > LastUnscrolledLine) memo_->verticalScrollBar()->setValue(line - LinesAboveError - 1);
    lineValue_->setText(QString::number(line));
}

void Tperror::showDetails(const QStringList& lines) {
    details_->setText(lines.join('\n'));
    details_->setVisible(!lines.isEmpty());
}
