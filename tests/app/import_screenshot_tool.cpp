// Imports MIB files through "MIB File..." and saves the window the command shows (the parse error
// window or the import log window) as a PNG: import_screenshot_tool PNG MIBFILE...
// With --again first, imports them twice and saves the question the second import asks.

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "app/dialogs/qtuserdialogs.h"
#include "app/form1.h"
#include "app/settingsstore.h"
#include "tests/app/choosingdialogs.h"

namespace {

// Chooses the files in the open dialog and photographs the modal window instead of waiting.
class PhotographingDialogs : public ChoosingDialogs {
  public:
    PhotographingDialogs(QStringList files, QString png)
        : ChoosingDialogs(std::move(files)), png_(std::move(png)) {}
    int showModal(QDialog& window) override {
        if (photographChoice) return QDialog::Accepted;
        window.show();
        QApplication::processEvents();
        saved = window.grab().save(png_);
        window.hide();
        return QDialog::Accepted;
    }
    // The question as the window shows it, answered by its default button.
    int choose(const QString& text, const QStringList& buttons, int defaultButton) override {
        QTimer::singleShot(200, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            saved = box && box->grab().save(png_);
            if (box) box->defaultButton()->click();
        });
        return real_.choose(text, buttons, defaultButton);
    }
    bool photographChoice = false;
    bool saved = false;

  private:
    QString png_;
    QtUserDialogs real_;
};

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 3 || (std::string(argv[1]) == "--again" && argc < 4)) {
        std::fprintf(stderr, "usage: %s [--again] PNG MIBFILE...\n", argv[0]);
        return 2;
    }
    QApplication application(argc, argv);
    QStandardPaths::setTestModeEnabled(true);  // no module index in the user's cache
    QTemporaryDir settingsDir;  // no stored folders: the picture does not depend on the machine
    const bool again = std::string(argv[1]) == "--again";
    QStringList files;
    for (int i = again ? 3 : 2; i < argc; ++i) files << QString::fromLocal8Bit(argv[i]);
    PhotographingDialogs dialogs(files, QString::fromLocal8Bit(argv[again ? 2 : 1]));
    dialogs.photographChoice = again;
    SettingsStore settings(settingsDir.filePath("machine.ini"));
    TForm1 form(dialogs, settings);
    form.show();
    QApplication::processEvents();
    form.findChild<QAction*>("MIB1")->trigger();
    if (again) form.findChild<QAction*>("MIB1")->trigger();
    if (!dialogs.saved) {
        std::fprintf(stderr, "no window shown, or cannot write %s\n", argv[again ? 2 : 1]);
        return 1;
    }
    return 0;
}
