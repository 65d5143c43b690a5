#pragma once
// Phase 2 of an import: turning the chosen module's numeric objects into library entries.

#include <memory>
#include <string>

#include "import/parentchain.h"

class toidfile;
class tmibfile;
class tmibentry;
class tasntype;
class tdisplaynames;
class Toiddata;

// Converts every OBJECT-TYPE of the chosen module whose syntax resolves to a number.
class tmibconverter {
  public:
    tmibconverter(toidfile& library, const tmibfile& mib, tdisplaynames& names, std::string agent)
        : library_(library), mib_(mib), names_(names), agent_(std::move(agent)) {}

    // Returns false when a chain did not reach iso or an augmented row was not found.
    bool ConvertAll();

  private:
    void Convert(const tmibentry& symbol);
    // Fills kind, group and the second-index suffix of a table column; false discards it.
    bool PlaceColumn(const tmibentry& symbol, const tmibentry& row, Toiddata& entry, std::string& group,
                     std::string& suffix);
    // The OID of the first string member of another table's row (member 0 when none is a string).
    std::string ForeignIndexOid(const tmibentry& rowOfIndex);
    const tasntype* RowType(const tmibentry& row) const;

    toidfile& library_;
    const tmibfile& mib_;
    tdisplaynames& names_;
    std::string agent_;
    bool success_ = true;
};
