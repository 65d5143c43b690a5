#pragma once
// Walks subtrees of a live SNMP agent through net-snmp's library: GETNEXT for SNMP v1,
// GETBULK for v2c and v3 (USM with authentication and privacy).

#include <cstddef>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "check/deviceanswers.h"

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
};

// "MD5", "sha-256" -> the protocol (letter case ignored); false for any other name.
bool ParseAuthProtocol(const std::string& name, AuthProtocol& protocol);
bool ParsePrivProtocol(const std::string& name, PrivProtocol& protocol);
bool ParseSecurityLevel(const std::string& name, SecurityLevel& level);
// "" when the settings can be used, else why not ("The authentication key must be ...").
std::string SettingsProblem(const AgentSettings& settings);
// The agent as reports show it, without any secret: "192.0.2.1:1161, SNMP v3 authPriv".
std::string DescribeAgent(const AgentSettings& settings);

enum class CheckFailure {
    unreadable,
    badSettings,
    unknownHost,
    timeout,
    authentication,
    agentError,
    cancelled
};

// A check that could not read its source; what() is the message to show, free of secrets.
class CheckError : public std::runtime_error {
  public:
    CheckError(CheckFailure failure, const std::string& message)
        : std::runtime_error(message), failure_(failure) {}
    CheckFailure Failure() const { return failure_; }

  private:
    CheckFailure failure_;
};

// How far a walk has come; the callback returns false to cancel it.
struct WalkProgress {
    std::size_t subtree = 0;  // 0-based index of the subtree being walked
    std::size_t subtrees = 0;
    std::size_t variables = 0;  // received so far
};
using WalkProgressCallback = std::function<bool(const WalkProgress&)>;

// Adds every variable of each subtree to answers. Runs on the calling thread; one live walk at
// a time per process (net-snmp keeps its v3 users in one global list). The callback (when set) runs at least
// every 100 ms while an answer is awaited, so a cancel takes effect at once; only the discovery of a v3
// agent's engine before the first request waits (timeout and retries at most) without it. Throws CheckError:
// badSettings, unknownHost, timeout (no answer within timeoutSeconds and the retries),
// authentication, agentError (an error status or a walk that does not advance), cancelled.
void WalkAgent(const AgentSettings& settings, const std::vector<Oid>& subtrees, DeviceAnswers& answers,
               const WalkProgressCallback& progress = {});
