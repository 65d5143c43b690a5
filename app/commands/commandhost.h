#pragma once
// What a command family may reach of the window, and how it plugs in.
//
// A command family (file, import, selection, find, edit, help) is one class in its own
// app/commands/<family>commands.{h,cpp}. To add one:
//   1. Derive it from CommandFamily; its constructor takes a CommandHost& and binds the menu
//      rows and actions it owns by their object names:
//          host.bind("MIB1", [this] { MIB1Click(); });
//      The rows themselves (captions, shortcuts, order) are the window's menu table in
//      app/commands/mainmenu.cpp; a row stays disabled until its family binds it.
//   2. Add one line to TForm1's constructor: families_.push_back(std::make_unique<X>(host_));
//   3. Reach the library, partial selection, the editor, the folders, the dialogs and the status
//      bar only through the host. Connect any other signal (a widget of the family's own window, a tree
//      event) through host.runner().guarded(...) or host.runner().run(...).
// The window wires the enabling table (app/commands/commandenabler) after every family has bound its rows.
// Every bound command runs through CommandRunner: it is refused while a long operation lets
// events through, and an exception shows an error box instead of ending the program.

#include <functional>

class CommandRunner;
class Document;
class EditingController;
class FolderSettings;
class OidTreeView;
class PartialSelection;
class QAction;
class QMainWindow;
class UserDialogs;

// The window's parts that commands work on, handed to every command family.
class CommandHost {
  public:
    CommandHost(QMainWindow& window, Document& document, PartialSelection& selection,
                EditingController& editing, FolderSettings& folders, UserDialogs& dialogs,
                CommandRunner& runner)
        : window_(window),
          document_(document),
          selection_(selection),
          editing_(editing),
          folders_(folders),
          dialogs_(dialogs),
          runner_(runner) {}

    QMainWindow& window() { return window_; }  // parent of a family's own windows
    Document& document() { return document_; }
    PartialSelection& selection() { return selection_; }
    EditingController& editing() { return editing_; }
    OidTreeView& tree();
    FolderSettings& folders() { return folders_; }
    UserDialogs& dialogs() { return dialogs_; }
    CommandRunner& runner() { return runner_; }

    // The window's menu row or action of that object name (nullptr when there is none).
    QAction* action(const char* name) const;
    // Enables the row or action and runs command, guarded, whenever it is triggered.
    QAction* bind(const char* name, std::function<void()> command);

  private:
    QMainWindow& window_;
    Document& document_;
    PartialSelection& selection_;
    EditingController& editing_;
    FolderSettings& folders_;
    UserDialogs& dialogs_;
    CommandRunner& runner_;
};

// A family of commands: binds its rows when constructed, lives as long as the window.
class CommandFamily {
  public:
    virtual ~CommandFamily() = default;
};
