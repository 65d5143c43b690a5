// A live check of IF-MIB, HOST-RESOURCES-MIB and UCD-SNMP-MIB against a local snmpd, timed
// against snmpbulkwalk walking the same subtrees (one process per subtree, as a user would):
// over a perfect link, and over a relay that drops every third datagram each way (both with
// the same timeout and retries). Then the time from a cancel to the end of a background walk,
// in the phases that used to block: a slow name look-up and a silent v3 agent's discovery.
// Run: bench_check [RUNS]  (needs snmpd and snmpbulkwalk, and ../shared/mibs)

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "check/backgroundwalk.h"
#include "check/devicecheck.h"
#include "library/oidfile.h"
#include "localagent.h"
#include "lossyrelay.h"
#include "slownames.h"

namespace fs = std::filesystem;

namespace {

double Milliseconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// snmpbulkwalk -On of each subtree through address, with the timeout and retries of settings.
void BulkWalk(const std::vector<std::string>& subtrees, const AgentSettings& settings,
              const std::string& folder, const std::string& output) {
    for (const std::string& subtree : subtrees) {
        const int status = RunProgram({"snmpbulkwalk", "-On", "-v2c", "-c", LocalAgent::Community, "-t",
                                       std::to_string(settings.timeoutSeconds), "-r",
                                       std::to_string(settings.retries), settings.host, subtree},
                                      {"SNMP_PERSISTENT_DIR=" + folder + "/client", "MIBS="}, output);
        if (status != 0) std::fprintf(stderr, "snmpbulkwalk of %s ended with %d\n", subtree.c_str(), status);
    }
}

// Milliseconds from Cancel to the end of a background walk that waits in its first phase.
double CancelToEnd(const AgentSettings& settings) {
    BackgroundWalk walk(settings, {{1, 3, 6, 1, 2, 1, 1}});
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const auto start = std::chrono::steady_clock::now();
    walk.Cancel();
    while (!walk.Finished()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
    const std::string mibs = std::string(OIDWRIGHT_SHARED_DIR) + "/mibs";
    if (!fs::is_directory(mibs) || LocalAgent::SnmpdProgram().empty()) {
        std::fprintf(stderr, "bench_check: needs %s and snmpd (Debian packages snmpd, snmp)\n", mibs.c_str());
        return 1;
    }
    LocalAgent agent;
    std::string error;
    if (!agent.Start(error)) {
        std::fprintf(stderr, "bench_check: the agent did not start: %s\n", error.c_str());
        return 1;
    }
    toidfile library;
    ImportModules(mibs, {"IF-MIB", "HOST-RESOURCES-MIB", "UCD-SNMP-MIB"},
                  std::string(OIDWRIGHT_SOURCE_DATA) + "/stdmib", library);
    const std::string libraryFile = agent.Folder() + "/three.oidlib";
    library.SaveToFile(libraryFile);
    std::vector<std::string> subtrees;
    for (const Oid& subtree : SubtreesToWalk(library)) subtrees.push_back(FormatOid(subtree));
    const std::string checkProgram = (fs::path(argv[0]).parent_path() / "oidwright-check").string();
    const std::string output = agent.Folder() + "/output.txt";

    AgentSettings settings = agent.Settings(SnmpVersion::v2c);
    std::vector<double> walks, processes, inProcess, inProcess10;
    CheckResult result;
    std::size_t variables = 0;
    for (int run = 0; run < runs; ++run) {
        fs::remove(output);
        walks.push_back(Milliseconds([&] {
            if (!agent.CaptureWith(subtrees, output, error)) std::fprintf(stderr, "%s\n", error.c_str());
        }));
        processes.push_back(Milliseconds([&] {
            const int status = RunProgram(
                {checkProgram, libraryFile, "--agent", agent.Address(), "-c", LocalAgent::Community}, {},
                output);
            if (status != 0 && status != 1) std::fprintf(stderr, "oidwright-check ended with %d\n", status);
        }));
        settings.maxRepetitions = AgentSettings().maxRepetitions;
        inProcess.push_back(Milliseconds([&] { result = CheckAgainstAgent(library, settings); }));
        variables = result.variables;
        settings.maxRepetitions = 10;  // snmpbulkwalk's own number
        inProcess10.push_back(Milliseconds([&] { result = CheckAgainstAgent(library, settings); }));
    }
    const double walk = Median(walks);
    std::printf("%d entries, %zu subtrees, %zu variables, %d answered; medians of %d runs\n", library.Count(),
                subtrees.size(), variables, result.Answered(), runs);
    std::printf("%-44s %10s %8s\n", "", "ms", "ratio");
    std::printf("%-44s %10.2f %8.2f\n", "snmpbulkwalk -On, one process per subtree", walk, 1.0);
    std::printf("%-44s %10.2f %8.2f\n", "oidwright-check process", Median(processes),
                Median(processes) / walk);
    std::printf("%-44s %10.2f %8.2f\n", "CheckAgainstAgent, 25 per GETBULK", Median(inProcess),
                Median(inProcess) / walk);
    std::printf("%-44s %10.2f %8.2f\n", "CheckAgainstAgent, 10 per GETBULK", Median(inProcess10),
                Median(inProcess10) / walk);

    // The same over a link that loses every third datagram each way.
    LossyRelay relay(std::stoi(agent.Address().substr(agent.Address().rfind(':') + 1)), 3);
    AgentSettings lossy = agent.Settings(SnmpVersion::v2c);
    lossy.host = relay.Address();
    lossy.timeoutSeconds = 0.2;
    lossy.retries = 5;
    lossy.maxRepetitions = 10;  // snmpbulkwalk's own number
    std::vector<double> lossyWalks, lossyChecks;
    for (int run = 0; run < runs; ++run) {
        fs::remove(output);
        lossyWalks.push_back(Milliseconds([&] { BulkWalk(subtrees, lossy, agent.Folder(), output); }));
        lossyChecks.push_back(Milliseconds([&] { result = CheckAgainstAgent(library, lossy); }));
    }
    const double lossyWalk = Median(lossyWalks);
    std::printf(
        "over a relay dropping every 3rd datagram each way (timeout 0.2 s, 5 retries), %zu dropped:\n",
        relay.DroppedRequests() + relay.DroppedReplies());
    std::printf("%-44s %10.2f %8.2f\n", "snmpbulkwalk -On, one process per subtree", lossyWalk, 1.0);
    std::printf("%-44s %10.2f %8.2f\n", "CheckAgainstAgent, 10 per GETBULK", Median(lossyChecks),
                Median(lossyChecks) / lossyWalk);

    // Cancel to the end of the walk, in the phases that wait longest.
    SlowNameService names;
    AgentSettings slowName;
    slowName.host = std::string(SlowNameService::Name) + ":161";
    LossyRelay silent(0, 0);
    AgentSettings silentV3 = agent.Settings(SnmpVersion::v3);
    silentV3.host = silent.Address();
    silentV3.timeoutSeconds = 30;
    std::vector<double> nameCancels, discoveryCancels;
    for (int run = 0; run < runs; ++run) {
        nameCancels.push_back(CancelToEnd(slowName));
        discoveryCancels.push_back(CancelToEnd(silentV3));
    }
    std::printf("cancel to end of walk, ms: name look-up %.2f (max %.2f), v3 discovery %.2f (max %.2f)\n",
                Median(nameCancels), *std::max_element(nameCancels.begin(), nameCancels.end()),
                Median(discoveryCancels),
                *std::max_element(discoveryCancels.begin(), discoveryCancels.end()));
    return 0;
}
