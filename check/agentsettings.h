#pragma once
// How to reach a live SNMP agent, with the names of its choices as users type them and the
// rules the settings must meet. Knows nothing of net-snmp.

#include <cstddef>
#include <string>

enum class SnmpVersion { v1, v2c, v3 };
enum class SecurityLevel { noAuthNoPriv, authNoPriv, authPriv };
enum class AuthProtocol { MD5, SHA, SHA224, SHA256, SHA384, SHA512 };
enum class PrivProtocol { DES, AES };

// Where the agent is and how to speak to it. The community and keys are secrets: nothing
// of this system writes them to a log, a report or a message.
struct AgentSettings {
    std::string host;  // "name", "192.0.2.1", "name:1161", "[2001:db8::1]:161"
    SnmpVersion version = SnmpVersion::v2c;
    std::string community = "public";  // v1 and v2c
    std::string user;                  // v3
    SecurityLevel level = SecurityLevel::noAuthNoPriv;
    AuthProtocol authProtocol = AuthProtocol::SHA;
    std::string authKey;  // pass phrase, at least 8 characters
    PrivProtocol privProtocol = PrivProtocol::AES;
    std::string privKey;
    double timeoutSeconds = 5;  // per request
    int retries = 1;
    int maxRepetitions = 25;  // variables per GETBULK answer
    // Bounds a hostile or runaway agent cannot pass: the whole walk's time, and the memory of
    // the answers kept (about 48 bytes and 4 per arc for each variable).
    double deadlineSeconds = 600;
    std::size_t maxBytes = std::size_t(256) << 20;
};

// "MD5", "sha-256" -> the protocol (letter case ignored); false for any other name.
bool ParseAuthProtocol(const std::string& name, AuthProtocol& protocol);
bool ParsePrivProtocol(const std::string& name, PrivProtocol& protocol);
bool ParseSecurityLevel(const std::string& name, SecurityLevel& level);
// "" when the settings can be used, else why not ("The authentication key must be ...").
std::string SettingsProblem(const AgentSettings& settings);
// Seconds as messages show them: 3 -> "3", 0.5 -> "0.5".
std::string SecondsText(double seconds);
// The agent as reports show it, without any secret: "192.0.2.1:1161, SNMP v3 authPriv".
std::string DescribeAgent(const AgentSettings& settings);
