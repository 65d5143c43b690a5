#include "import/incompletecauses.h"

#include "import/parentchain.h"

namespace incompletecauses {

std::string TooDeep() {
    return "an OID runs deeper than the " + std::to_string(MaxOidArcs) + " arcs SNMP allows";
}

std::string UnreadableType(const std::string& type, bool circular) {
    return (circular ? "circular type " : "unknown type ") + type;
}

std::string Summary(const std::vector<std::string>& causes) {
    constexpr std::size_t Named = 3;
    std::string line;
    for (std::size_t i = 0; i < causes.size() && i < Named; ++i) line += (i ? "; " : "") + causes[i];
    if (causes.size() > Named) line += " and " + std::to_string(causes.size() - Named) + " more";
    return line;
}

}  // namespace incompletecauses
