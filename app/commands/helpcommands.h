#pragma once
// The overview page, the help page and the about box: "Write to HTML", "Help...", "About".

#include <QString>

#include "app/commands/commandhost.h"

// Commands of the File and Help menus that only read the library or show the program's own pages.
class HelpCommands : public CommandFamily {
  public:
    explicit HelpCommands(CommandHost& host);

    // The overview page of the library, written beside the program.
    void WritetoHTML1Click();
    // Opens the help page beside the program with the desktop's handler for HTML files; says so
    // when the desktop starts none.
    void Help2Click();
    // Shows the about box modally.
    void About1Click();

    // Where the commands read and write beside the program.
    static QString OverviewFileName();
    static QString HelpFileName();

  private:
    CommandHost& host_;
};
