#include "check/agentsettings.h"

#include <cstddef>
#include <utility>

#include "check/agenthost.h"
#include "text/asciicase.h"

namespace {

template <typename Value>
using Names = std::pair<const char*, Value>;

constexpr Names<AuthProtocol> AuthNames[] = {
    {"MD5", AuthProtocol::MD5},        {"SHA", AuthProtocol::SHA},        {"SHA-1", AuthProtocol::SHA},
    {"SHA-224", AuthProtocol::SHA224}, {"SHA-256", AuthProtocol::SHA256}, {"SHA-384", AuthProtocol::SHA384},
    {"SHA-512", AuthProtocol::SHA512}};
constexpr Names<PrivProtocol> PrivNames[] = {
    {"DES", PrivProtocol::DES}, {"AES", PrivProtocol::AES}, {"AES-128", PrivProtocol::AES}};
// In the order of SecurityLevel: DescribeAgent takes the name by index.
constexpr Names<SecurityLevel> LevelNames[] = {{"noAuthNoPriv", SecurityLevel::noAuthNoPriv},
                                               {"authNoPriv", SecurityLevel::authNoPriv},
                                               {"authPriv", SecurityLevel::authPriv}};
static_assert(LevelNames[1].second == SecurityLevel::authNoPriv &&
              LevelNames[2].second == SecurityLevel::authPriv);

// The value named name (letter case ignored); false when names has none.
template <typename Value, std::size_t N>
bool FindByName(const std::string& name, const Names<Value> (&names)[N], Value& value) {
    for (const auto& [text, named] : names) {
        if (asciicase::EqualsIgnoringCase(name, text)) {
            value = named;
            return true;
        }
    }
    return false;
}

}  // namespace

bool ParseAuthProtocol(const std::string& name, AuthProtocol& protocol) {
    return FindByName(name, AuthNames, protocol);
}

bool ParsePrivProtocol(const std::string& name, PrivProtocol& protocol) {
    return FindByName(name, PrivNames, protocol);
}

bool ParseSecurityLevel(const std::string& name, SecurityLevel& level) {
    return FindByName(name, LevelNames, level);
}

std::string SettingsProblem(const AgentSettings& settings) {
    if (settings.host.empty()) return "No agent host given.";
    if (std::string problem = PortProblem(settings.host); !problem.empty()) return problem;
    if (!(settings.timeoutSeconds > 0) || settings.timeoutSeconds > 3600)
        return "The timeout must be above 0 and at most 3600 seconds.";
    if (settings.retries < 0 || settings.retries > 20) return "The retries must be between 0 and 20.";
    if (settings.maxRepetitions < 1) return "At least one variable per answer is needed.";
    if (!(settings.deadlineSeconds > 0)) return "The deadline must be above 0 seconds.";
    if (settings.maxBytes < 1024) return "The answers need at least 1024 bytes.";
    if (settings.version != SnmpVersion::v3) return "";
    if (settings.user.empty()) return "SNMP v3 needs a user name.";
    // USM derives keys from pass phrases of at least 8 characters.
    if (settings.level != SecurityLevel::noAuthNoPriv && settings.authKey.size() < 8)
        return "The authentication key must have at least 8 characters.";
    if (settings.level == SecurityLevel::authPriv && settings.privKey.size() < 8)
        return "The privacy key must have at least 8 characters.";
    return "";
}

std::string DescribeAgent(const AgentSettings& settings) {
    switch (settings.version) {
        case SnmpVersion::v1:
            return settings.host + ", SNMP v1";
        case SnmpVersion::v2c:
            return settings.host + ", SNMP v2c";
        case SnmpVersion::v3:
            break;
    }
    return settings.host + ", SNMP v3 " + LevelNames[static_cast<std::size_t>(settings.level)].first;
}

std::string SecondsText(double seconds) {
    std::string text = std::to_string(seconds);
    text.erase(text.find_last_not_of('0') + 1);
    if (!text.empty() && text.back() == '.') text.pop_back();
    return text;
}
