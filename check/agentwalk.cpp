#include "check/agentwalk.h"

#include <utility>

#include "check/agentsession.h"

namespace {

// More than any device holds: an agent that keeps inventing variables ends the walk here.
constexpr std::size_t MaxVariables = 20'000'000;

// Tells the callback (when set) how far the walk has come; throws cancelled when it says stop.
void Report(const WalkProgressCallback& progress, const WalkProgress& state) {
    if (progress && !progress(state)) throw CheckError(CheckFailure::cancelled, "The check was cancelled.");
}

}  // namespace

void WalkAgent(const AgentSettings& settings, const std::vector<Oid>& subtrees, DeviceAnswers& answers,
               const WalkProgressCallback& progress) {
    const std::string problem = SettingsProblem(settings);
    if (!problem.empty()) throw CheckError(CheckFailure::badSettings, problem);
    WalkProgress state;
    state.subtrees = subtrees.size();
    Report(progress, state);
    KeepWaiting keepWaiting;
    if (progress) keepWaiting = [&] { return progress(state); };
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
            for (auto& [name, type] : reply.variables) {
                if (type == AnswerType::EndOfMibView || !OidStartsWith(name, root)) {
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
                answers.Add(name, type);
                cursor = std::move(name);
            }
        }
    }
}
