// The window program: the main window and the event loop.

#include <QApplication>

#include "app/form1.h"
#include "app/qtuserdialogs.h"
#include "app/settingsstore.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QtUserDialogs dialogs;
    SettingsStore settings;
    TForm1 form(dialogs, settings);
    dialogs.setParent(&form);
    form.show();
    return application.exec();
}
