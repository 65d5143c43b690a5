// Times the adversarial inputs that once cost quadratic time or memory, each at n and 2n, and
// prints the time ratio (at most 2.2 means the cost grows about as the input), each run's
// peak memory and what a further byte of input adds to it. Every run is a child process of its
// own, so its peak is its own.
// Usage: bench_hostile [scale]   (default 1: the sizes below; 0.1 for a quick look)

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "import/importmib.h"
#include "library/oidfile.h"
#include "mib/mibfile.h"
#include "mib/parseexception.h"

namespace {

// T ::= INTEGER {{{...a(1)...}}}: a long run of braces without blanks, which the lexer looks
// ahead into at every brace.
std::string Braces(std::size_t n) {
    return "HOSTILE-MIB DEFINITIONS ::= BEGIN\r\nT ::= INTEGER " + std::string(n, '{') + "a(1)" +
           std::string(n, '}') + "\r\nEND\r\n";
}

const std::string libraryHead =
    "<?xml version=\"1.0\" encoding=\"ISO8859-1\" ?>\r\n<oidlist><system><version>1</version></system><list>";
const std::string libraryTail = "</list></oidlist>\r\n";

// One description split into n + 1 pieces by n empty elements.
std::string SplitDescription(std::size_t n) {
    std::string text = libraryHead + "<entry><description>x";
    for (std::size_t i = 0; i < n; ++i) text += "<b/>x";
    return text + "</description></entry>" + libraryTail;
}

// n entries without a single field, one a line.
std::string EmptyEntries(std::size_t n) {
    std::string text = libraryHead;
    for (std::size_t i = 0; i < n; ++i) text += "<entry/>\r\n";
    return text + libraryTail;
}

// o1 under enterprises, each next object under the one before, every other one a numeric
// OBJECT-TYPE: resolving the OIDs once walked the whole chain for every object.
std::string DeepChain(std::size_t n) {
    std::string text =
        "DEEP-MIB DEFINITIONS ::= BEGIN\r\nIMPORTS enterprises, OBJECT-TYPE, Integer32 FROM SNMPv2-SMI;\r\n"
        "o1 OBJECT IDENTIFIER ::= { enterprises 1 }\r\n";
    for (std::size_t i = 2; i <= n; ++i) {
        const std::string name = "o" + std::to_string(i), parent = "o" + std::to_string(i - 1);
        text += i % 2 == 0 ? name + " OBJECT IDENTIFIER"
                           : name +
                                 " OBJECT-TYPE SYNTAX Integer32 MAX-ACCESS read-only STATUS current"
                                 " DESCRIPTION \"x\"";
        text += " ::= { " + parent + " 1 }\r\n";
    }
    return text + "END\r\n";
}

// n numeric objects side by side under one node, as a large vendor module has them.
std::string ManyObjects(std::size_t n) {
    std::string text =
        "DEEP-MIB DEFINITIONS ::= BEGIN\r\nIMPORTS enterprises, OBJECT-TYPE, Integer32 FROM SNMPv2-SMI;\r\n"
        "group OBJECT IDENTIFIER ::= { enterprises 1 }\r\n";
    for (std::size_t i = 1; i <= n; ++i)
        text += "object" + std::to_string(i) +
                " OBJECT-TYPE SYNTAX Integer32 MAX-ACCESS read-only STATUS current DESCRIPTION \"x\" ::= { "
                "group " +
                std::to_string(i) + " }\r\n";
    return text + "END\r\n";
}

// The module as a file of a folder of its own, imported as oidwright-import does.
void ImportModule(const std::string& text) {
    char folder[] = "/tmp/bench_hostile_XXXXXX";
    if (::mkdtemp(folder) == nullptr) std::exit(1);
    const std::string file = std::string(folder) + "/DEEP-MIB.mib";
    std::ofstream(file, std::ios::binary) << text;
    toidfile library;
    const ProgramFiles program = ProgramFilesIn(OIDWRIGHT_SOURCE_DATA);
    ImportMib(library, file, std::string(folder) + "/", program.standardFolder, program);
    std::filesystem::remove_all(folder);
}

void ParseMib(const std::string& text) {
    tmibfile mib;
    mib.LoadText(text, "HOSTILE-MIB.mib");
    try {
        mib.ParseModule();
    } catch (const eparseexception&) {
        // refusing the module is an answer too; the time to reach it is what counts
    }
}

// A library refused for the memory its entries would take costs what the load took up to then.
void LoadLibrary(const std::string& text) {
    toidfile library;
    try {
        library.LoadFromText(text);
    } catch (const OidFileError&) {
    }
}

struct Run {
    double seconds = 0;
    long peakKiB = 0;
};

// Builds the input and times work on it in a child; the peak is the child's whole peak.
Run MeasureOnce(const std::function<std::string(std::size_t)>& make,
                const std::function<void(const std::string&)>& work, std::size_t n) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) std::exit(1);
    const pid_t child = ::fork();
    if (child == 0) {
        const std::string input = make(n);
        const auto start = std::chrono::steady_clock::now();
        work(input);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        (void)!::write(pipeEnds[1], &seconds, sizeof seconds);
        ::_exit(0);
    }
    ::close(pipeEnds[1]);
    Run run;
    if (::read(pipeEnds[0], &run.seconds, sizeof run.seconds) != sizeof run.seconds) run.seconds = -1;
    ::close(pipeEnds[0]);
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    run.peakKiB = usage.ru_maxrss;
    return run;
}

// The fastest of three runs: the machine may be busy with other work.
Run Measure(const std::function<std::string(std::size_t)>& make,
            const std::function<void(const std::string&)>& work, std::size_t n) {
    Run best = MeasureOnce(make, work, n);
    for (int i = 0; i < 2; ++i) {
        const Run run = MeasureOnce(make, work, n);
        if (run.seconds < best.seconds) best = run;
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    const double scale = argc > 1 ? std::atof(argv[1]) : 1.0;
    struct Case {
        const char* what;
        std::size_t n;
        std::function<std::string(std::size_t)> make;
        std::function<void(const std::string&)> work;
    };
    const Case cases[] = {
        {"MIB, run of braces without blanks", 100'000, Braces, ParseMib},
        {"library, description split by empty elements", 50'000, SplitDescription, LoadLibrary},
        {"library, empty entries", 1'000'000, EmptyEntries, LoadLibrary},
        {"MIB import, parent chain n deep", 20'000, DeepChain, ImportModule},
        {"MIB import, n objects side by side", 80'000, ManyObjects, ImportModule},
    };
    std::printf("%-46s %10s %10s %10s %10s %6s %12s %12s %10s\n", "input", "n", "bytes", "time n", "time 2n",
                "ratio", "peak n", "peak 2n", "peak/byte");
    for (const Case& c : cases) {
        const std::size_t n = static_cast<std::size_t>(static_cast<double>(c.n) * scale);
        const Run once = Measure(c.make, c.work, n), twice = Measure(c.make, c.work, 2 * n);
        const std::size_t bytes = c.make(n).size(), bytesTwice = c.make(2 * n).size();
        // What each further byte of input adds to the peak, the input itself included.
        const double perByte = static_cast<double>(twice.peakKiB - once.peakKiB) * 1024 /
                               static_cast<double>(bytesTwice - bytes);
        std::printf("%-46s %10zu %10zu %9.3fs %9.3fs %6.2f %9ld MiB %9ld MiB %10.1f\n", c.what, n, bytes,
                    once.seconds, twice.seconds, twice.seconds / once.seconds, once.peakKiB / 1024,
                    twice.peakKiB / 1024, perByte);
    }
    return 0;
}
