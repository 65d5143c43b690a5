#pragma once
// The entries an import finds in its library already, so that importing a module again adds nothing twice.

#include <string>
#include <unordered_set>

class toidfile;

// Name key and OID of the library's entries of one agent, and of those admitted since.
class ExistingEntries {
  public:
    // Collects the entries whose name key begins with agent + "|": only those can equal an entry
    // of that agent's import, and the rest of a large library is passed over without copying.
    void Collect(const toidfile& library, const std::string& agent);
    // True when no entry with this name key and OID exists yet (it is then counted as existing);
    // false, counted as skipped, when one does.
    bool Admit(const std::string& name, const std::string& oid);
    int Skipped() const { return skipped_; }

  private:
    std::unordered_set<std::string> keys_;  // name + "\n" + oid
    int skipped_ = 0;
};
