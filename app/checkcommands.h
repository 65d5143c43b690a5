#pragma once
// "Import > Check Against Device...": which entries a device answers, ticked in partial selection.

#include <QString>

#include "app/commandhost.h"

class CheckDeviceDialog;
class CheckProgressWindow;
class SelectionCommands;
class SettingsStore;
class Tlogwindow;
struct AgentSettings;
struct CheckResult;

// Checks the library against a walk capture or a live agent (check/), then ticks exactly the
// answered entries, shows "N of M entries answered" in the status bar and the report in the
// import log window. A check that fails or is cancelled changes nothing but the remembered agent.
class CheckCommands : public CommandFamily {
  public:
    // Settings values of the last agent asked; its community and keys are never stored.
    static inline const QString HostValue = "checkhost";
    static inline const QString VersionValue = "checkversion";

    CheckCommands(CommandHost& host, SelectionCommands& selection, SettingsStore& settings);

    void CheckAgainstDevice1Click();

  private:
    // Walks the agent on a thread of its own while the window keeps handling events.
    CheckResult walkAgent(const AgentSettings& agent);
    void rememberAgent(const AgentSettings& agent);

    CommandHost& host_;
    SelectionCommands& selection_;
    SettingsStore& settings_;
    CheckDeviceDialog* dialog_;
    CheckProgressWindow* progress_;
    Tlogwindow* logwindow_;
};
