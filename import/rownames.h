#pragma once
// Which column names the rows of a table, for the "#[OID]" of its entries' group.

#include <string>

class tasntype;
class tmibentry;
class tmibfile;

// The column a monitor shows as the name of each row: for an index of the convention
// InterfaceIndex or InterfaceIndexOrZero IF-MIB's ifName where IF-MIB is loaded (else ifDescr),
// for PhysicalIndex ENTITY-MIB's entPhysicalName; for another integer index the row's first
// string column whose identifier ends in Descr, Name, Alias or Label.
struct RowName {
    std::string oid;     // empty when the index column goes on naming the rows
    std::string column;  // the naming column's identifier
    std::string why;     // "index of InterfaceIndex", "Descr column"
};

// row: the row whose INDEX names firstIndex, of type rowType; rowOid: its OID ending in ".".
RowName FindRowName(const tmibfile& mib, const tmibentry& row, const tasntype& rowType,
                    const std::string& rowOid, const std::string& firstIndex);
