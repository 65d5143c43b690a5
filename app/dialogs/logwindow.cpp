#include "app/dialogs/logwindow.h"

#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStandardPaths>
#include <QVBoxLayout>

#include "app/commandrunner.h"
#include "app/folders.h"
#include "app/foldersettings.h"
#include "import/lognotes.h"
#include "library/filesave.h"

namespace {

constexpr int WindowWidth = 824;
constexpr int WindowHeight = 532;
constexpr int MinimumSide = 200;
constexpr int BottomPanelHeight = 41;

QPushButton* button(const char* name, const QString& caption) {
    auto* pushButton = new QPushButton(caption);
    pushButton->setObjectName(name);
    return pushButton;
}

// The folder exists afterwards and a file can be created in it.
bool usableFolder(const QString& folder) {
    return QDir().mkpath(folder) && QFileInfo(folder).isWritable();
}

}  // namespace

Tlogwindow::Tlogwindow(QWidget* mainWindow, UserDialogs& dialogs, CommandRunner& runner)
    : QDialog(mainWindow), dialogs_(dialogs), saveDialog_{"SaveLogDialog", LogFilter, "*.log", {}} {
    setObjectName("logwindow");
    setWindowTitle("Import Log");
    resize(WindowWidth, WindowHeight);
    setMinimumSize(MinimumSide, MinimumSide);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    memo_ = new QPlainTextEdit;
    memo_->setObjectName("LogMemo");
    memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    layout->addWidget(memo_, 1);

    auto* panel = new QWidget;
    panel->setObjectName("BottomPanel");
    panel->setFixedHeight(BottomPanelHeight);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(8, 8, 8, 8);
    QPushButton* save = button("Button2", "Save...");
    row->addWidget(save);
    row->addWidget(buildFindRow(), 1);
    QPushButton* close = button("Button1", "Close");
    close->setDefault(true);
    row->addWidget(close);
    layout->addWidget(panel);
    connect(close, &QPushButton::clicked, this, [this] { Button1Click(); });
    // Through the runner: a failed write shows its error box, and no save runs during an import.
    connect(save, &QPushButton::clicked, this, runner.guarded([this] { Button2Click(); }));

    if (QScreen* screen = mainWindow ? mainWindow->screen() : nullptr)
        move(screen->availableGeometry().center() - rect().center());
}

QWidget* Tlogwindow::buildFindRow() {
    auto* findRow = new QWidget;
    auto* row = new QHBoxLayout(findRow);
    row->setContentsMargins(8, 0, 8, 0);
    filterRow_ = new QWidget;
    auto* filter = new QHBoxLayout(filterRow_);
    filter->setContentsMargins(0, 0, 0, 0);
    filter->addWidget(new QLabel("Show:"));
    filterBox_ = new QComboBox;
    filterBox_->setObjectName("LogFilterBox");
    filterBox_->addItems({NotesChoice, EverythingChoice});
    filter->addWidget(filterBox_);
    filterRow_->setVisible(false);  // plain lines have no log to filter
    row->addWidget(filterRow_);
    row->addStretch();

    row->addWidget(new QLabel("Find:"));
    findEdit_ = new QLineEdit;
    findEdit_->setObjectName("LogFindEdit");
    findEdit_->setClearButtonEnabled(true);
    findEdit_->installEventFilter(this);  // Enter finds instead of closing the window
    row->addWidget(findEdit_);
    QPushButton* next = button("LogFindButton", "Find Next");
    next->setAutoDefault(false);
    row->addWidget(next);
    findStatus_ = new QLabel;
    findStatus_->setObjectName("LogFindStatus");
    row->addWidget(findStatus_);

    connect(filterBox_, &QComboBox::currentIndexChanged, this, [this] { refill(); });
    connect(next, &QPushButton::clicked, this, [this] { findNext(); });
    connect(findEdit_, &QLineEdit::textChanged, findStatus_, &QLabel::clear);
    auto* findKey = new QShortcut(QKeySequence::Find, this);
    connect(findKey, &QShortcut::activated, this, [this] {
        findEdit_->setFocus();
        findEdit_->selectAll();
    });
    connect(new QShortcut(QKeySequence::FindNext, this), &QShortcut::activated, this, [this] { findNext(); });
    return findRow;
}

bool Tlogwindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == findEdit_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            findNext();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void Tlogwindow::setLines(const std::vector<std::string>& lines) {
    setReport(lines, {});
    filterRow_->setVisible(false);
    memo_->setReadOnly(false);
}

void Tlogwindow::setReport(const std::vector<std::string>& report, const std::vector<std::string>& log) {
    lines_ = report;
    log_ = log;
    filterRow_->setVisible(true);
    memo_->setReadOnly(true);  // a filtered view cannot keep what is typed into it
    refill();
}

void Tlogwindow::refill() {
    memoFilled_ = false;
    if (isVisible()) fillMemo();
}

void Tlogwindow::showEvent(QShowEvent* event) {
    if (!memoFilled_) fillMemo();
    QDialog::showEvent(event);
}

void Tlogwindow::fillMemo() {
    std::string text;
    for (const std::string& line : lines_) text.append(line).append("\n");
    const bool everything = filterBox_->currentText() == EverythingChoice;
    for (const std::string& line : log_)
        if (everything || IsLogNote(line)) text.append(line).append("\n");
    if (!text.empty()) text.pop_back();
    encoding_ = EncodingOf(text);
    memo_->setPlainText(Decode(text, encoding_));
    shown_ = memo_->toPlainText();
    memoFilled_ = true;
}

void Tlogwindow::showLines(const std::vector<std::string>& lines) {
    setLines(lines);
    showWindow();
}

void Tlogwindow::execLines(const std::vector<std::string>& lines) {
    setLines(lines);
    hide();  // a window shown without waiting becomes modal only when shown again
    dialogs_.showModal(*this);
}

void Tlogwindow::execReport(const std::vector<std::string>& report, const std::vector<std::string>& log) {
    setReport(report, log);
    hide();
    dialogs_.showModal(*this);
}

bool Tlogwindow::findNext() {
    const QString text = findEdit_->text();
    if (text.isEmpty()) return false;
    bool found = memo_->find(text);
    if (!found) {
        const QTextCursor from = memo_->textCursor();
        memo_->moveCursor(QTextCursor::Start);
        found = memo_->find(text);
        if (!found) memo_->setTextCursor(from);
    }
    findStatus_->setText(found ? QString() : "Not found");
    return found;
}

void Tlogwindow::showWindow() {
    show();
    raise();
    activateWindow();
}

void Tlogwindow::Button1Click() {
    close();
}

QString Tlogwindow::LogFolder(const QString& programFolder) {
    const QString besideProgram = WithTrailingSeparator(programFolder) + "logs";
    if (usableFolder(besideProgram)) return QDir::toNativeSeparators(besideProgram);
    const QString userFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/logs";
    QDir().mkpath(userFolder);  // when even this fails, the dialog starts where it can
    return QDir::toNativeSeparators(userFolder);
}

QString Tlogwindow::DefaultLogName() {
    return "Oidlog-" + QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss");
}

std::string Tlogwindow::fileContent() const {
    std::string bytes;
    const QString current = memoFilled_ ? memo_->toPlainText() : shown_;
    if (current == shown_) {
        for (const std::string& line : lines_) bytes.append(line).append("\r\n");
        for (const std::string& line : log_) bytes.append(line).append("\r\n");
        return bytes;
    }
    if (current.isEmpty()) return bytes;
    for (const QString& line : current.split('\n')) bytes.append(Encode(line, encoding_)).append("\r\n");
    return bytes;
}

void Tlogwindow::Button2Click() {
    saveDialog_.initialDir = WithTrailingSeparator(LogFolder(FolderSettings::programFolder()));
    saveDialog_.fileName = DefaultLogName();
    const QString fileName = WithDefaultExtension(dialogs_.saveFileName(saveDialog_), "log");
    if (fileName.isEmpty()) return;
    SaveFileContent(PathBytes(fileName), fileContent());
}
