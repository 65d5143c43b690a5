#pragma once
// "Import > Check Against Device...": which entries a device answers, ticked in partial selection.

#include <QString>

#include "app/commands/commandhost.h"

class CheckDeviceDialog;
class CheckProgressWindow;
class SettingsStore;
class Tlogwindow;
struct AgentSettings;
struct CheckResult;

// Checks the library against a walk capture or a live agent (check/), then ticks exactly the
// answered entries, shows "N of M entries answered" in the status bar and the report in a window
// of its own, which saves it like a log. A check that fails or is cancelled changes nothing but
// the remembered agent; a cancelled one says so in the status bar.
class CheckCommands : public CommandFamily {
  public:
    // Settings values of the last agent asked; its community and keys are never stored.
    static inline const QString HostValue = "checkhost";
    static inline const QString VersionValue = "checkversion";
    static inline const QString ReportCaption = "Device Check Report";
    static inline const QString CancelledText = "The check was cancelled.";

    CheckCommands(CommandHost& host, SettingsStore& settings);

    void CheckAgainstDevice1Click();

  private:
    // Walks the agent on a thread of its own while the window keeps handling events.
    CheckResult walkAgent(const AgentSettings& agent);
    void rememberAgent(const AgentSettings& agent);

    CommandHost& host_;
    SettingsStore& settings_;
    CheckDeviceDialog* dialog_;
    CheckProgressWindow* progress_;
    Tlogwindow* logwindow_;
};
