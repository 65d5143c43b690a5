// Import timings against libsmi's smidump, with and without units from the MIB, and a
// header-scan import over 2,000 files.
// Run: bench_import [MIBS_FOLDER]  (default: the shared collection beside the repository)

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "import/importmib.h"
#include "import/modulelocator.h"
#include "library/oidfile.h"

namespace fs = std::filesystem;

namespace {

double MedianMilliseconds(int runs, const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

ProgramFiles Programs() {
    return {.standardFolder = std::string(OIDWRIGHT_SOURCE_DATA) + "/stdmib/",
            .standardModule = std::string(OIDWRIGHT_SOURCE_DATA) + "/stdmib/VELTRANE-STANDARD-MIB.mib",
            .replaceList = "/nonexistent/replacelist.txt"};
}
const std::string StandardFolder = std::string(OIDWRIGHT_SOURCE_DATA) + "/stdmib/";

int ImportOnce(const std::string& file, const std::string& folder, ModuleHeaders& headers) {
    toidfile library;
    ImportMib(library, ImportLogger(), file, folder, StandardFolder, Programs(), headers);
    return library.Count();
}

void CompareWithSmidump(const fs::path& mibs) {
    std::printf("%-24s %10s %12s %8s %8s\n", "module", "import ms", "smidump ms", "ratio", "entries");
    for (const char* module : {"IF-MIB", "CISCO-PROCESS-MIB", "FORTINET-FORTIGATE-MIB"}) {
        fs::path file = mibs / (std::string(module) + ".mib");
        if (!fs::exists(file)) file = mibs / (std::string(module) + ".my");
        int entries = 0;
        const double ours = MedianMilliseconds(21, [&] {
            ModuleHeaders headers;
            entries = ImportOnce(file.string(), mibs.string() + "/", headers);
        });
        const std::string command =
            "SMIPATH=" + mibs.string() + " smidump -f identifiers -k " + file.string() + " > /dev/null 2>&1";
        const double theirs = MedianMilliseconds(11, [&] {
            if (std::system(command.c_str()) != 0) std::fprintf(stderr, "smidump failed for %s\n", module);
        });
        std::printf("%-24s %10.2f %12.2f %8.2f %8d\n", module, ours, theirs, ours / theirs, entries);
    }
}

// What "Units from the MIB" costs: the same imports with and without it, logged as the window
// and oidwright-import log them.
void UnitsFromMibCost(const fs::path& mibs) {
    std::printf("%-24s %12s %12s %8s\n", "module", "default cpu ms", "units cpu ms", "ratio");
    for (const char* module :
         {"IF-MIB", "HOST-RESOURCES-MIB", "CISCO-PROCESS-MIB", "FORTINET-FORTIGATE-MIB"}) {
        fs::path file = mibs / (std::string(module) + ".mib");
        if (!fs::exists(file)) file = mibs / (std::string(module) + ".my");
        ModuleHeaders headers;  // shared, so that both time the import, not the header scan
        const auto import = [&](bool unitsFromMib) {
            toidfile library;
            ImportLogger log;
            log.Level = 2;
            log.OnLine = [](const std::string&) {};
            ImportOptions options;
            options.unitsFromMib = unitsFromMib;
            ImportMib(library, log, file.string(), mibs.string() + "/", StandardFolder, Programs(), headers,
                      nullptr, options);
        };
        import(false);
        // Processor time, alternating, so that the load of a shared machine falls on both alike.
        constexpr int Runs = 41;
        std::clock_t plainTicks = 0, unitsTicks = 0;
        for (int run = 0; run < Runs; ++run) {
            std::clock_t start = std::clock();
            import(false);
            plainTicks += std::clock() - start;
            start = std::clock();
            import(true);
            unitsTicks += std::clock() - start;
        }
        const double plain = 1000.0 * plainTicks / CLOCKS_PER_SEC / Runs;
        const double units = 1000.0 * unitsTicks / CLOCKS_PER_SEC / Runs;
        std::printf("%-24s %12.2f %12.2f %8.3f\n", module, plain, units, units / plain);
    }
}

// 2,000 copies of the collection under names no candidate matches, so that every module is
// found by its header only. SNMPv2-TC and SNMPv2-CONF are left out: their searches scan every
// file of the folder before the standard folder answers, yet no file is read twice.
void HeaderScanOfManyFiles(const fs::path& mibs) {
    const fs::path folder = fs::temp_directory_path() / "oidwright-bench-scan";
    fs::remove_all(folder);
    fs::create_directories(folder);
    std::vector<fs::path> sources;
    for (const auto& item : fs::directory_iterator(mibs))
        if (item.is_regular_file() && item.path().stem() != "SNMPv2-TC" &&
            item.path().stem() != "SNMPv2-CONF")
            sources.push_back(item.path());
    std::sort(sources.begin(), sources.end());
    constexpr int FileCount = 2000;
    std::string chosen;
    for (int i = 0; i < FileCount; ++i) {
        const fs::path& source = sources[i % sources.size()];
        char name[32];
        std::snprintf(name, sizeof name, "copy%04d.mib", i);
        fs::copy_file(source, folder / name);
        if (source.filename() == "IF-MIB.mib" && chosen.empty()) chosen = (folder / name).string();
    }
    int reads = 0, entries = 0;
    const double ms = MedianMilliseconds(3, [&] {
        ModuleHeaders headers;
        entries = ImportOnce(chosen, folder.string() + "/", headers);
        reads = headers.FilesRead();
    });
    std::printf("header scan over %d files: import of IF-MIB %.2f ms, %d file reads, %d entries\n", FileCount,
                ms, reads, entries);

    // As separate runs of the command: each loads the folder's index, imports and saves it.
    const std::string index = ModuleIndexFile((folder / "cache").string(), folder.string() + "/");
    const auto indexed = [&](const std::function<void(ModuleHeaders&)>& work) {
        ModuleHeaders headers;
        headers.LoadIndex(index);
        work(headers);
        headers.SaveIndex(index);
        reads = headers.FilesRead();
    };
    const auto import = [&](ModuleHeaders& headers) { ImportOnce(chosen, folder.string() + "/", headers); };
    const double first = MedianMilliseconds(1, [&] { indexed(import); });
    const int firstReads = reads;
    const double second = MedianMilliseconds(5, [&] { indexed(import); });
    std::printf("with the module index: first import %.2f ms (%d reads), second import %.2f ms (%d reads)\n",
                first, firstReads, second, reads);
    const double miss = MedianMilliseconds(5, [&] {
        indexed([&](ModuleHeaders& headers) {
            LocateModule(ImportLogger(), "NO-SUCH-MIB", folder.string() + "/", headers);
        });
    });
    std::printf("with the module index: a module in none of the %d files costs %.2f ms (%d reads)\n",
                FileCount, miss, reads);
    fs::remove_all(folder);
}

}  // namespace

int main(int argc, char** argv) {
    const fs::path mibs = argc > 1 ? fs::path(argv[1]) : fs::path(OIDWRIGHT_SHARED_DIR) / "mibs";
    if (!fs::is_directory(mibs)) {
        std::fprintf(stderr, "bench_import: %s is not present; pass a folder of MIB files\n", mibs.c_str());
        return 1;
    }
    CompareWithSmidump(mibs);
    UnitsFromMibCost(mibs);
    HeaderScanOfManyFiles(mibs);
    return 0;
}
