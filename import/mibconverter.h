#pragma once
// Phase 2 of an import: turning the chosen module's numeric objects into library entries.

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "import/existingentries.h"
#include "import/importoptions.h"
#include "import/parentchain.h"
#include "import/rownames.h"

class toidfile;
class ImportLogger;
class tmibfile;
class tmibentry;
class tasntype;
class DisplayNames;
class Toiddata;

// Converts every OBJECT-TYPE of the chosen module whose syntax resolves to a number.
class MibConverter {
  public:
    MibConverter(toidfile& library, const ImportLogger& log, const tmibfile& mib, DisplayNames& names,
                 std::string agent, const ImportOptions& options = {})
        : library_(library),
          log_(log),
          mib_(mib),
          names_(names),
          agent_(std::move(agent)),
          options_(options) {}

    // Returns false when a chain did not reach iso, an augmented row was not found or a type
    // is defined nowhere. Each numeric object that makes no entry gets a log line saying why;
    // an entry equal in name and OID to one in the library already is not added again.
    bool ConvertAll();

  private:
    // syntax and resolvedType: what the symbol's SYNTAX resolves to (tmibfile::ResolveSyntaxType).
    void Convert(const tmibentry& symbol, const std::string& syntax, const tasntype* resolvedType);
    // Fills kind, group and the second-index suffix of a table column; returns why the column
    // makes no entry, or "" when it makes one.
    std::string PlaceColumn(const tmibentry& row, Toiddata& entry, std::string& group, std::string& suffix);
    // Counts the object and logs "FILE:LINE: NAME makes no entry: REASON".
    void NoEntry(const tmibentry& symbol, const std::string& reason);
    // An object whose SYNTAX ends in a type defined nowhere (or in a loop of types): a soft failure.
    void UnreadableType(const tmibentry& symbol, const std::string& type);
    // Logs each name written with a number it does not stand for, as enterprises(7): the first
    // part's name gives the parent and its number is ignored; a later part's number is used.
    void NoteContradictingNumbers(const tmibentry& symbol);
    std::string Where(const tmibentry& symbol) const;  // "FILE:LINE: "
    // Makes the import incomplete and names why in the statistics (see incompletecauses.h).
    void Incomplete(const std::string& cause);
    std::string UnrootedCause(const ParentChain& chain) const;
    std::string UnrootedReason(const ParentChain& chain) const;
    // The OID of a row other rows augment, as far as its chain goes; asked once per row.
    const std::string& AugmentedRowOid(const tmibentry& row);
    // The OID of the first string member of another table's row (member 0 when none is a string).
    const std::string& ForeignIndexOid(const tmibentry& rowOfIndex);
    struct ForeignIndex {
        std::string oid;                        // "" when the member is not found or not rooted
        std::vector<std::string> missingTypes;  // member types defined nowhere, for the report
    };
    ForeignIndex FindForeignIndex(const tmibentry& rowOfIndex) const;
    // The OID in a column's "#[...]": with units from the MIB the column that names the rows
    // (asked once per row, logged), else indexOid.
    std::string RowNameOid(const tmibentry& row, const tasntype& rowType, const std::string& rowOid,
                           const std::string& firstIndex, const std::string& indexOid);
    const tasntype* RowType(const tmibentry& row) const;
    // With units from the MIB: an indicator without its unit word that reads as another entry's
    // of the same group ("length errors" and "errors" both "errors") gets the word back.
    void KeepUnitWordsWhereIndicatorsMeet();

    toidfile& library_;
    const ImportLogger& log_;
    const tmibfile& mib_;
    DisplayNames& names_;
    std::string agent_;
    ImportOptions options_;
    bool success_ = true;
    ExistingEntries existing_;
    std::unordered_map<const tmibentry*, std::string> augmentedRowOids_;
    std::unordered_map<const tmibentry*, ForeignIndex> foreignIndexes_;  // by row of the index
    std::unordered_map<const tmibentry*, RowName> rowNames_;             // by row
    struct EntryIndicator {
        Toiddata* entry;         // owned by the library
        std::string symbol;      // the object's identifier, for the log
        std::string group;       // the group's display name
        std::string unstripped;  // the object's display name, unit word and all
    };
    std::vector<EntryIndicator> indicators_;  // of the entries made, with units from the MIB
};
