// A live check of IF-MIB, HOST-RESOURCES-MIB and UCD-SNMP-MIB against a local snmpd, timed
// against snmpbulkwalk walking the same subtrees (one process per subtree, as a user would).
// Run: bench_check [RUNS]  (needs snmpd and snmpbulkwalk, and ../shared/mibs)

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "check/devicecheck.h"
#include "library/oidfile.h"
#include "localagent.h"

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
    return 0;
}
