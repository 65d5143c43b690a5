#include "check/agenthost.h"

namespace {

// A port from 1 to 65535 written in digits.
bool IsPortNumber(const std::string& port) {
    return !port.empty() && port.size() <= 5 && port.find_first_not_of("0123456789") == std::string::npos &&
           std::stoi(port) >= 1 && std::stoi(port) <= 65535;
}

}  // namespace

AgentHost SplitAgentHost(const std::string& host) {
    if (host.starts_with('[')) {
        const std::size_t close = host.find(']');
        if (close != std::string::npos)
            return {host.substr(1, close - 1),
                    host.compare(close + 1, 1, ":") == 0 ? host.substr(close + 2) : "161"};
    } else if (const std::size_t colon = host.find(':');
               colon != std::string::npos && host.find(':', colon + 1) == std::string::npos) {
        return {host.substr(0, colon), host.substr(colon + 1)};
    }
    return {host, "161"};
}

std::string PortProblem(const std::string& host) {
    if (IsPortNumber(SplitAgentHost(host).port)) return "";
    return "The port of " + host + " must be a number from 1 to 65535.";
}
