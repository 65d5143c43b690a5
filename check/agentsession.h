#pragma once
// One session with a live SNMP agent through net-snmp's library: GETNEXT requests for SNMP v1,
// GETBULK for v2c and v3 (USM with authentication and privacy), sent one at a time.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "check/agentaddress.h"
#include "check/agentsettings.h"
#include "check/checkerror.h"
#include "check/deviceanswers.h"

struct snmp_pdu;

// One variable of a reply; text is the quoted bytes of an OCTET STRING ("\"eth0\""), else empty.
struct AgentVariable {
    Oid name;
    AnswerType type;
    std::string text;
};

// What one request brought back.
struct AgentReply {
    enum class Status { noError, tooBig, noSuchName, other };
    Status status = Status::noError;
    std::string statusText;  // the agent's error status as net-snmp names it ("genErr")
    std::vector<AgentVariable> variables;
};

class AgentSession {
  public:
    // Opens the session: looks the host up and, for v3, discovers the agent's engine, each wait
    // asking keepWaiting. Throws CheckError (badSettings, unknownHost, timeout, authentication,
    // agentError, cancelled).
    AgentSession(const AgentSettings& settings, KeepWaiting keepWaiting);
    ~AgentSession();
    AgentSession(const AgentSession&) = delete;
    AgentSession& operator=(const AgentSession&) = delete;

    // Sends one GETNEXT (v1) or GETBULK of repetitions variables for start and waits for its
    // reply, sending it again as often as the retries allow; throws as the constructor does.
    AgentReply Next(const Oid& start, int repetitions);

  private:
    struct Pending;
    void DiscoverEngine();
    // Sends pdu (taken over) and waits for its answer, a final timeout or a cancel.
    void Exchange(snmp_pdu* pdu);
    std::string Explain(int error, const std::string& libraryMessage) const;
    // After a final timeout: the agent kept silent, or answered only what net-snmp cannot read.
    CheckError TimeoutError() const;

    const AgentSettings& settings_;
    KeepWaiting keepWaiting_;
    std::unique_ptr<Pending> pending_;
    void* handle_ = nullptr;
};
