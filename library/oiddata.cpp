#include "library/oiddata.h"

#include <array>
#include <charconv>
#include <string_view>

#include "library/oidfileerror.h"
#include "library/xmldocument.h"
#include "library/xmlwriter.h"
#include "text/asciicase.h"
#include "text/printable.h"

namespace {

constexpr std::array<std::string_view, 2> valueModeNames = {"vmAbsolute", "vmDiff"};
constexpr std::array<std::string_view, 2> dataKindNames = {"mkDirect", "mkTable"};
constexpr std::array<std::string_view, 3> unitTypeNames = {"sutBytes", "sutPercent", "sutCustom"};

template <std::size_t N>
std::string_view NameOf(const std::array<std::string_view, N>& names, std::uint8_t value) {
    return value < N ? names[value] : names[0];
}

// The index of the name matching text regardless of ASCII case; 0 when none matches.
template <std::size_t N>
std::uint8_t ValueOf(const std::array<std::string_view, N>& names, std::string_view text) {
    for (std::size_t i = 0; i < N; ++i)
        if (asciicase::EqualsIgnoringCase(names[i], text)) return static_cast<std::uint8_t>(i);
    return 0;
}

const char* YesNo(bool value) {
    return value ? "yes" : "no";
}

bool IsYes(std::string_view text) {
    return asciicase::EqualsIgnoringCase(text, "yes");
}

// "-5" -> -5; "", "abc" and "5x" -> 0. An integer beyond 64 bits would be a wrong value, not
// one this program ever writes: it is refused with the line of its element.
std::int64_t ParseMax(std::string_view text, int line) {
    if (text.starts_with('+') && !text.substr(1).starts_with('-')) text.remove_prefix(1);
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (end != text.data() + text.size()) return 0;
    if (error == std::errc::result_out_of_range) {
        throw OidFileError("<max> out of range -9223372036854775808..9223372036854775807 (Value=" +
                               ShortenedToken(text) + ").",
                           line);
    }
    return error == std::errc() ? value : 0;
}

}  // namespace

void CopyEntry(Toiddata& destination, const Toiddata& source) {
    destination = source;
}

void WriteEntryXml(const Toiddata& entry, xml::StreamWriter& writer) {
    writer.Leaf("name", entry.name);
    writer.Leaf("oid", entry.oid);
    writer.Leaf("type", NameOf(valueModeNames, static_cast<std::uint8_t>(entry.type)));
    writer.Leaf("kind", NameOf(dataKindNames, static_cast<std::uint8_t>(entry.kind)));
    writer.Leaf("unittype", NameOf(unitTypeNames, static_cast<std::uint8_t>(entry.unittype)));
    writer.Leaf("units", entry.units);
    writer.Leaf("indicator", entry.indicator);
    writer.Leaf("scale", entry.scale);
    writer.Leaf("multiply", YesNo(entry.multiply));
    writer.Leaf("max", std::to_string(entry.max));
    writer.Leaf("usegetnext", YesNo(entry.usegetnext));
    writer.Leaf("is64bit", YesNo(entry.is64bit));
    writer.Leaf("isunsigned", YesNo(entry.isunsigned));
    writer.Leaf("isfloat", YesNo(entry.isfloat));
    writer.Leaf("description", entry.description);
}

bool IsEntryField(std::string_view name) {
    static constexpr std::string_view fields[] = {
        "name",     "oid", "type",       "kind",    "unittype",   "units",   "indicator",  "scale",
        "multiply", "max", "usegetnext", "is64bit", "isunsigned", "isfloat", "description"};
    for (const std::string_view field : fields)
        if (asciicase::EqualsIgnoringCase(field, name)) return true;
    return false;
}

void ReadEntryXml(Toiddata& entry, xml::Element& element) {
    // A missing element reads as "".
    const auto text = [&element](std::string_view name) {
        xml::Element* child = element.FindChild(name);
        return child != nullptr ? child->TakeText() : std::string();
    };
    entry.name = text("name");
    entry.oid = text("oid");
    entry.units = text("units");
    entry.indicator = text("indicator");
    entry.scale = text("scale");
    entry.description = text("description");
    entry.type = static_cast<TValueMode>(ValueOf(valueModeNames, text("type")));
    entry.kind = static_cast<TMIBDataKind>(ValueOf(dataKindNames, text("kind")));
    entry.unittype = static_cast<TUnitType>(ValueOf(unitTypeNames, text("unittype")));
    entry.multiply = IsYes(text("multiply"));
    entry.usegetnext = IsYes(text("usegetnext"));
    entry.is64bit = IsYes(text("is64bit"));
    entry.isfloat = IsYes(text("isfloat"));
    const std::string isunsigned = text("isunsigned");
    entry.isunsigned = isunsigned.empty() || IsYes(isunsigned);
    const xml::Element* max = element.FindChild("max");
    entry.max = max != nullptr ? ParseMax(max->Text(), max->Line()) : 0;
}
