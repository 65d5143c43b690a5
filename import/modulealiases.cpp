#include "import/modulealiases.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "text/asciicase.h"

namespace {

// The modules that the MIBs published in an RFC were renamed to, by RFC number.
struct Rename {
    std::string_view rfc;
    std::string_view module;
};
constexpr std::array<Rename, 45> Renames = {{
    {"1065", "RFC1155-SMI"},
    {"1066", "RFC1156-MIB"},
    {"1066", "RFC1213-MIB"},
    {"1156", "RFC1213-MIB"},
    {"1158", "RFC1213-MIB"},
    {"1229", "IF-MIB"},
    {"1231", "TOKENRING-MIB"},
    {"1243", "APPLETALK-MIB"},
    {"1253", "OSPF-MIB"},
    {"1271", "RMON-MIB"},
    {"1284", "EtherLike-MIB"},
    {"1286", "BRIDGE-MIB"},
    {"1315", "FRAME-RELAY-DTE-MIB"},
    {"1316", "CHARACTER-MIB"},
    {"1317", "RS-232-MIB"},
    {"1318", "PARALLEL-MIB"},
    {"1398", "EtherLike-MIB"},
    {"1406", "DS1-MIB"},
    {"1407", "DS3-MIB"},
    {"1493", "BRIDGE-MIB"},
    {"1512", "FDDI-SMT73-MIB"},
    {"1513", "TOKEN-RING-RMON-MIB"},
    {"1573", "IF-MIB"},
    {"1595", "SONET-MIB"},
    {"1643", "EtherLike-MIB"},
    {"1650", "EtherLike-MIB"},
    {"1657", "BGP4-MIB"},
    {"1695", "ATM-MIB"},
    {"1724", "RIPv2-MIB"},
    {"1757", "RMON-MIB"},
    {"1850", "OSPF-MIB"},
    {"1902", "SNMPv2-SMI"},
    {"1903", "SNMPv2-TC"},
    {"1904", "SNMPv2-CONF"},
    {"1907", "SNMPv2-MIB"},
    {"2011", "IP-MIB"},
    {"2012", "TCP-MIB"},
    {"2013", "UDP-MIB"},
    {"2233", "IF-MIB"},
    {"2495", "DS1-MIB"},
    {"2496", "DS3-MIB"},
    {"2558", "SONET-MIB"},
    {"2665", "EtherLike-MIB"},
    {"2737", "ENTITY-MIB"},
    {"2863", "IF-MIB"},
}};

// The RFC number of "RFC1213", "RFC-1213", "rfc1213-mib", "RFC1155-SMI" or "RFC1158-MIB-II"; "" for
// other names.
std::string RfcNumber(const std::string& module) {
    const std::string name = asciicase::Upper(module);
    if (!name.starts_with("RFC")) return "";
    std::size_t at = name[3] == '-' || name[3] == '_' ? 4 : 3;
    const std::size_t digits = at;
    while (at < name.size() && name[at] >= '0' && name[at] <= '9') ++at;
    // Whatever follows the number names the same RFC's module: "-MIB", "-SMI", "-MIB-II".
    if (at == digits || (at < name.size() && name[at] != '-' && name[at] != '_')) return "";
    return name.substr(digits, at - digits);
}

}  // namespace

std::vector<std::string> ModuleAliases(const std::string& module) {
    std::vector<std::string> aliases;
    const auto add = [&](const std::string& alias) {
        if (!asciicase::EqualsIgnoringCase(alias, module) &&
            std::none_of(aliases.begin(), aliases.end(), [&](const std::string& known) {
                return asciicase::EqualsIgnoringCase(known, alias);
            }))
            aliases.push_back(alias);
    };
    if (const std::string rfc = RfcNumber(module); !rfc.empty()) {
        for (const char* form : {"RFC%-MIB", "RFC-%", "RFC%-SMI", "RFC%"})
            add(std::string(form).replace(std::string(form).find('%'), 1, rfc));
        for (const Rename& rename : Renames)
            if (rename.rfc == rfc) add(std::string(rename.module));
        return aliases;
    }
    std::string dashes = module, underscores = module;
    std::replace(dashes.begin(), dashes.end(), '_', '-');
    std::replace(underscores.begin(), underscores.end(), '-', '_');
    add(dashes);
    add(underscores);
    const std::string upper = asciicase::Upper(dashes);
    add(upper.ends_with("-MIB") ? dashes.substr(0, dashes.size() - 4) : dashes + "-MIB");
    return aliases;
}

std::string FindAlias(const std::string& module, const std::function<std::string(const std::string&)>& locate,
                      const std::function<bool(const std::string&)>& known, std::string& file) {
    for (const std::string& alias : ModuleAliases(module)) {
        if (known(alias)) {
            file.clear();
            return alias;
        }
        file = locate(alias);
        if (!file.empty()) return alias;
    }
    return "";
}
