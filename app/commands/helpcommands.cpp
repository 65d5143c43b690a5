#include "app/commands/helpcommands.h"

#include <QDesktopServices>
#include <QMainWindow>
#include <QUrl>

#include "app/dialogs/aboutdlg.h"
#include "app/dialogs/userdialogs.h"
#include "app/editor/document.h"
#include "app/foldersettings.h"
#include "app/programtitle.h"
#include "app/qtstrings.h"
#include "library/htmloverview.h"
#include "widgets/htmllabel.h"

HelpCommands::HelpCommands(CommandHost& host) : host_(host) {
    host.bind("WritetoHTML1", [this] { WritetoHTML1Click(); });
    host.bind("Help2", [this] { Help2Click(); });
    host.bind("About1", [this] { About1Click(); });
}

QString HelpCommands::OverviewFileName() {
    return FolderSettings::programFolder() + "mibinfo.html";
}

QString HelpCommands::HelpFileName() {
    return FolderSettings::programFolder() + "doc/VeltraneOidwright.htm";
}

void HelpCommands::WritetoHTML1Click() {
    // A failure reaches the command runner, which shows its message; what was written stays.
    WriteHtmlOverview(host_.document().library(), PathBytes(OverviewFileName()));
}

void HelpCommands::Help2Click() {
    // A missing page is the browser's to report; a desktop that starts no browser at all is this
    // command's, or the menu item would seem to do nothing.
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(HelpFileName())))
        host_.dialogs().information("No web browser could be started to show the help page.\n\nOpen " +
                                    HelpFileName() + " in a browser yourself.");
}

void HelpCommands::About1Click() {
    // The about box is a courtesy: nothing that goes wrong in it may disturb the window.
    try {
        TAboutdlg box(&host_.window());
        auto* label1 = box.findChild<HtmlLabel*>("label1");
        label1->setHtml(WithVersion(label1->html(), ProgramTitle()));
        box.exec();
    } catch (...) {
    }
}
