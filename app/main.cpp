// The window program: the main window and the event loop; a library named on the command line
// (as the desktop passes a file opened with the program) is opened once the window shows.

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QIcon>

#include "app/dialogs/aboutdlg.h"
#include "app/dialogs/qtuserdialogs.h"
#include "app/form1.h"
#include "app/settingsstore.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QCommandLineParser arguments;
    arguments.setApplicationDescription(
        "Turns SNMP MIB modules into OID libraries for Zelto Network Monitor.");
    arguments.addHelpOption();
    arguments.addPositionalArgument("library", "An OID library to open at start.", "[FILE.oidlib]");
    arguments.process(application);  // --help prints the usage and ends the program

    LoadProgramImages();
    QApplication::setWindowIcon(QIcon(":/images/oidwright.svg"));
    QtUserDialogs dialogs;
    SettingsStore settings;
    TForm1 form(dialogs, settings);
    dialogs.setParent(&form);
    form.show();
    if (const QStringList files = arguments.positionalArguments(); !files.isEmpty())
        form.openLibrary(QFileInfo(files.front()).absoluteFilePath());
    return application.exec();
}
