#include "check/agentwalk.h"

#include <chrono>
#include <string>
#include <utility>

#include "check/agentsession.h"

namespace {

// More than any device holds: an agent that keeps inventing variables ends the walk here.
constexpr std::size_t MaxVariables = 20'000'000;

// What a kept variable costs: the map's node, the OID's arcs and a string's text.
std::size_t BytesOf(const AgentVariable& variable) {
    return 48 + 4 * variable.name.size() + variable.text.size();
}

// Tells the callback (when set) how far the walk has come; throws cancelled when it says stop.
void Report(const WalkProgressCallback& progress, const WalkProgress& state) {
    if (progress && !progress(state)) throw CheckError(CheckFailure::cancelled, "The check was cancelled.");
}

// The walk itself: request after request until each subtree ends.
void Walk(const AgentSettings& settings, const std::vector<Oid>& subtrees, DeviceAnswers& answers,
          WalkProgress& state, const KeepWaiting& keepWaiting, std::size_t& bytes) {
    AgentSession session(settings, keepWaiting);
    int repetitions = settings.maxRepetitions;
    for (; state.subtree < subtrees.size(); ++state.subtree) {
        const Oid& root = subtrees[state.subtree];
        Oid cursor = root;
        for (bool more = true; more;) {
            AgentReply reply = session.Next(cursor, repetitions);
            if (reply.status == AgentReply::Status::tooBig && repetitions > 1) {
                repetitions /= 2;
                continue;
            }
            // A v1 agent says noSuchName past the last variable it has.
            if (reply.status == AgentReply::Status::noSuchName && settings.version == SnmpVersion::v1) break;
            if (reply.status != AgentReply::Status::noError)
                throw CheckError(CheckFailure::agentError, settings.host + " answered with the error \"" +
                                                               reply.statusText + "\" under " +
                                                               FormatOid(root));
            more = !reply.variables.empty();
            for (AgentVariable& variable : reply.variables) {
                const Oid& name = variable.name;
                if (variable.type == AnswerType::EndOfMibView || !OidStartsWith(name, root)) {
                    more = false;
                    break;
                }
                // An agent that answers an OID not after the one asked would keep the walk going forever.
                if (!(cursor < name))
                    throw CheckError(CheckFailure::agentError,
                                     settings.host + " answered out of order under " + FormatOid(root));
                if (++state.variables > MaxVariables)
                    throw CheckError(CheckFailure::agentError,
                                     settings.host + " answered more than 20,000,000 variables");
                // Only what entries need is kept, up to the memory allowed.
                if (answers.Add(name, variable.type, variable.text) &&
                    (bytes += BytesOf(variable)) > settings.maxBytes)
                    throw CheckError(CheckFailure::agentError, settings.host + " answered more than " +
                                                                   std::to_string(settings.maxBytes) +
                                                                   " bytes of variables that entries need");
                cursor = std::move(variable.name);
            }
        }
    }
}

}  // namespace

void WalkAgent(const AgentSettings& settings, const std::vector<Oid>& subtrees, DeviceAnswers& answers,
               const WalkProgressCallback& progress) {
    const std::string problem = SettingsProblem(settings);
    if (!problem.empty()) throw CheckError(CheckFailure::badSettings, problem);
    WalkProgress state;
    state.subtrees = subtrees.size();
    Report(progress, state);
    // Past the deadline every wait ends, the one under way included.
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::duration<double>(settings.deadlineSeconds);
    bool pastDeadline = false;
    const KeepWaiting keepWaiting = [&] {
        pastDeadline = std::chrono::steady_clock::now() > deadline;
        return !pastDeadline && (!progress || progress(state));
    };
    std::size_t bytes = 0;
    try {
        Walk(settings, subtrees, answers, state, keepWaiting, bytes);
    } catch (const CheckError&) {
        if (!pastDeadline) throw;
        throw CheckError(CheckFailure::agentError, "The walk of " + settings.host + " did not end within " +
                                                       SecondsText(settings.deadlineSeconds) + " s.");
    }
}
