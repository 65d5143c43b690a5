#pragma once
// Walks subtrees of a live SNMP agent: every variable under each subtree, request after request.

#include <cstddef>
#include <functional>
#include <vector>

#include "check/agentsettings.h"
#include "check/checkerror.h"
#include "check/deviceanswers.h"

// How far a walk has come; the callback returns false to cancel it.
struct WalkProgress {
    std::size_t subtree = 0;  // 0-based index of the subtree being walked
    std::size_t subtrees = 0;
    std::size_t variables = 0;  // received so far
};
using WalkProgressCallback = std::function<bool(const WalkProgress&)>;

// Adds every variable of each subtree to answers. Runs on the calling thread; one live walk at
// a time per process (net-snmp keeps its v3 users in one global list). The callback (when set)
// runs at least every 100 ms in every phase (the host's look-up, a v3 agent's engine discovery,
// each request and its retries), so a cancel takes effect at once. Throws CheckError:
// badSettings, unknownHost, timeout (no answer within timeoutSeconds x (retries + 1)),
// authentication, agentError (an error status or a walk that does not advance), cancelled.
void WalkAgent(const AgentSettings& settings, const std::vector<Oid>& subtrees, DeviceAnswers& answers,
               const WalkProgressCallback& progress = {});
