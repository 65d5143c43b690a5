#include "import/units.h"

#include <array>
#include <string_view>

namespace {

// Searched in this order; the first that occurs decides, wherever it stands.
constexpr std::array<std::string_view, 9> UnitKeywords = {
    "MBytes", "Megabytes", "KBytes", "Kilobytes", "Bytes", "Length", "SecPer", "Percent", "KBPerSec"};

struct UnitRule {
    bool bytes;  // a byte unit: sutBytes, or sutCustom when per second
    TUnitType unittype;
    std::string_view units;
    bool takesSuffix;
    std::string_view scale;
    bool multiply;
};

// Indexed by keyword; the last row is for an identifier without any keyword.
constexpr std::array<UnitRule, 10> UnitRules = {{
    {true, TUnitType::sutBytes, "bytes", true, "1048576", true},
    {true, TUnitType::sutBytes, "bytes", true, "1048576", true},
    {true, TUnitType::sutBytes, "bytes", true, "1024", true},
    {true, TUnitType::sutBytes, "bytes", true, "1024", true},
    {true, TUnitType::sutBytes, "bytes", true, "1", false},
    {false, TUnitType::sutCustom, "length", true, "1", false},
    {false, TUnitType::sutCustom, "seconds", false, "1", false},
    {false, TUnitType::sutPercent, "%", true, "1", false},
    {false, TUnitType::sutCustom, "kbytes/sec", false, "1", false},
    {false, TUnitType::sutCustom, "#", true, "1", false},
}};

}  // namespace

void ApplyUnitRules(const DisplayNames& names, const std::string& identifier, Toiddata& entry) {
    std::size_t k = 0;
    std::string shortened = identifier;
    for (; k < UnitKeywords.size(); ++k) {
        const std::size_t found = identifier.find(UnitKeywords[k]);
        if (found == std::string::npos) continue;
        shortened.erase(found, UnitKeywords[k].size());
        break;
    }
    const std::string suffix = shortened.find("PerSec") != std::string::npos ? "/second" : "";
    entry.indicator = names.MakeDisplayName(shortened, true);

    const UnitRule& rule = UnitRules[k];
    entry.unittype = rule.bytes && !suffix.empty() ? TUnitType::sutCustom : rule.unittype;
    entry.units = std::string(rule.units) + (rule.takesSuffix ? suffix : "");
    entry.scale = rule.scale;
    entry.multiply = rule.multiply;
}
