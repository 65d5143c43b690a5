#pragma once
// The File menu's library commands: New, Open, Save, Save As, Save for the monitor.

#include <QString>

#include "app/commands/commandhost.h"
#include "app/dialogs/userdialogs.h"

// Moves the main library between memory and .oidlib files, keeping file name, caption,
// unsaved flag and library folder in step.
class FileCommands : public CommandFamily {
  public:
    static inline const QString OidlibFilter = "Veltrane SNMP Library|*.oidlib";

    explicit FileCommands(CommandHost& host);

    void NewOIDFile1Click();
    void Open1Click();
    void Save1Click();
    void SaveAs1Click();
    void SaveToZelto1Click();
    // Open without the dialog: a library named on the command line or chosen from the recent ones.
    void OpenFile(const QString& fileName);

    // New without the question: empty library, empty tree, inactive editor, no file name.
    void ResetToNew();

    // A name typed into a save dialog without extension gets ".oidlib", the extension the monitor reads.
    static QString WithLibraryExtension(const QString& fileName);
    // The question before a save replaces a file; No is its default.
    static QString ReplaceQuestion(const QString& fileName);
    // The status text after a save: "Saved 22 entries to /home/me/linux.oidlib".
    static QString SavedText(int entries, const QString& fileName);

  private:
    bool ConfirmDiscard();
    void load(const QString& fileName);
    // True when fileName does not exist or the user agrees to replace it.
    bool mayWrite(const QString& fileName);
    // Writes the library to fileName and says so in the status bar.
    void write(const QString& fileName);
    // Writes the library to fileName, which becomes its file, saved.
    void saveAs(const QString& fileName);

    CommandHost& host_;
    FileDialogSpec Open_, SaveDialog1_;
};
