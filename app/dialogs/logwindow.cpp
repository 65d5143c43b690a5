#include "app/dialogs/logwindow.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QVBoxLayout>

#include "app/commandrunner.h"
#include "app/folders.h"
#include "app/foldersettings.h"
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
    row->addStretch();
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

void Tlogwindow::setLines(const std::vector<std::string>& lines) {
    lines_ = lines;
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
