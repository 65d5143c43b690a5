#pragma once
// Adding and deleting OIDs.

#include "app/commands/commandhost.h"

// "Add OID..." and "Delete OID" of the Edit menu.
class EditCommands : public CommandFamily {
  public:
    explicit EditCommands(CommandHost& host);

    void Add1Click();
    void Delete1Click();

  private:
    CommandHost& host_;
};
