#pragma once
// One sensor definition of an OID library and its <entry> element.

#include <cstdint>
#include <string>
#include <string_view>

namespace xml {
class Element;
class StreamWriter;
}  // namespace xml

enum class TMIBDataKind : std::uint8_t { mkDirect = 0, mkTable = 1 };
enum class TValueMode : std::uint8_t { vmAbsolute = 0, vmDiff = 1 };
enum class TUnitType : std::uint8_t { sutBytes = 0, sutPercent = 1, sutCustom = 2 };

// Separator of agent, group and display name inside Toiddata::name.
inline constexpr char NameKeySeparator = '|';

// An OID library entry: which object to read, how to interpret and label it.
class Toiddata {
  public:
    std::string name;  // agent|group|display name
    std::string oid;   // dotted decimal; ".0" ends a single value
    std::string units;
    std::int64_t max = 0;
    TValueMode type = TValueMode::vmAbsolute;
    std::string indicator;
    TUnitType unittype = TUnitType::sutBytes;
    std::string scale = "1";
    bool multiply = false;
    TMIBDataKind kind = TMIBDataKind::mkDirect;
    std::string description;  // lines separated by CR LF
    bool usegetnext = false;
    bool is64bit = false;
    bool isunsigned = true;
    bool isfloat = false;

    bool operator==(const Toiddata&) const = default;  // every field equal
};

// Copies every field of source into destination.
void CopyEntry(Toiddata& destination, const Toiddata& source);

// Writes the 15 field elements straight into the text of a file, between Open and Close of the entry.
void WriteEntryXml(const Toiddata& entry, xml::StreamWriter& writer);

// True for the names of the 15 field elements, in any letter case: ReadEntryXml reads no other child.
bool IsEntryField(std::string_view name);

// Sets every field from the children of one element of <list>; throws OidFileError, with the
// element's line, for a number too large for its field (text that is no number reads as 0). The texts
// are moved out of the children (a document is read once), which spares a copy per field.
void ReadEntryXml(Toiddata& entry, xml::Element& element);
