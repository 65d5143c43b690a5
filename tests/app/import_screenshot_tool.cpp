// Imports MIB files through "MIB File..." and saves the window the command shows (the parse error
// window or the import log window) as a PNG: import_screenshot_tool PNG MIBFILE...

#include <QApplication>
#include <QDialog>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdio>

#include "app/form1.h"
#include "app/settingsstore.h"
#include "tests/app/choosingdialogs.h"

namespace {

// Chooses the files in the open dialog and photographs the modal window instead of waiting.
class PhotographingDialogs : public ChoosingDialogs {
  public:
    PhotographingDialogs(QStringList files, QString png) : ChoosingDialogs(std::move(files)), png_(std::move(png)) {}
    int showModal(QDialog& window) override {
        window.show();
        QApplication::processEvents();
        saved = window.grab().save(png_);
        window.hide();
        return QDialog::Accepted;
    }
    bool saved = false;

  private:
    QString png_;
};

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s PNG MIBFILE...\n", argv[0]);
        return 2;
    }
    QApplication application(argc, argv);
    QStandardPaths::setTestModeEnabled(true);  // no module index in the user's cache
    QTemporaryDir settingsDir;  // no stored folders: the picture does not depend on the machine
    QStringList files;
    for (int i = 2; i < argc; ++i) files << QString::fromLocal8Bit(argv[i]);
    PhotographingDialogs dialogs(files, QString::fromLocal8Bit(argv[1]));
    SettingsStore settings(settingsDir.filePath("machine.ini"));
    TForm1 form(dialogs, settings);
    form.show();
    QApplication::processEvents();
    form.findChild<QAction*>("MIB1")->trigger();
    if (!dialogs.saved) {
        std::fprintf(stderr, "no window shown, or cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
