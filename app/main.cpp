// The window program: the main window and the event loop.

#include <QApplication>
#include <QIcon>

#include "app/dialogs/aboutdlg.h"
#include "app/dialogs/qtuserdialogs.h"
#include "app/form1.h"
#include "app/settingsstore.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    LoadProgramImages();
    QApplication::setWindowIcon(QIcon(":/images/oidwright.svg"));
    QtUserDialogs dialogs;
    SettingsStore settings;
    TForm1 form(dialogs, settings);
    dialogs.setParent(&form);
    form.show();
    return application.exec();
}
