#pragma once
// "Zelto Network Monitor Folder...": where "Save for Zelto Network Monitor" writes.

#include "app/commands/commandhost.h"
#include "app/dialogs/userdialogs.h"

// Lets the user name the monitor's program folder where its installation did not (the monitor
// installed elsewhere, or not on this machine): stored as the monitor's "exepath", it makes
// "Save for Zelto Network Monitor" appear and write into its snmplibs folder.
class MonitorCommands : public CommandFamily {
  public:
    explicit MonitorCommands(CommandHost& host);

    void MonitorFolder1Click();

  private:
    CommandHost& host_;
    FileDialogSpec folderDialog_;
};
