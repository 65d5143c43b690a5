// oidwright-check: which entries of a library a device answers, from a walk capture or live.

#include <cmath>
#include <cstdlib>
#include <iostream>
#include <new>
#include <string>

#include "check/checkreport.h"
#include "check/devicecheck.h"
#include "cli/commandline.h"
#include "import/modulenames.h"
#include "library/oidfile.h"
#include "text/paths.h"
#include "text/printable.h"
#include "text/textfile.h"

namespace {

enum ExitCode {
    exitAllAnswered = 0,
    exitSomeUnanswered = 1,
    exitUnreadable = 2,
    exitNotWritten = 3,
    exitUsage = 4
};

constexpr const char* Usage =
    R"(Usage: oidwright-check LIBRARY (--walk FILE | --agent HOST[:PORT]) [options]

Tells for every entry of LIBRARY whether the device answers it: from FILE, the output of
`snmpwalk` or `snmpbulkwalk`, or by walking the agent at HOST (UDP port 161 unless PORT is
given). Only the subtrees the entries need are walked. FILE's OIDs may be numeric (-On, always
read), named from the top of the tree (net-snmp's output without MIBs, -Of) or named by MIB
modules (IF-MIB::ifInOctets.1, -Of's full names): those names are read from the modules in
--mibs FOLDER and stdmib/ beside the program, only when FILE holds names.

  -v 1|2c|3        SNMP version (2c)
  -c COMMUNITY     community for v1 and v2c (public)
  -u USER          v3 user
  -l LEVEL         v3 security level: noAuthNoPriv, authNoPriv or authPriv
                   (authPriv with -X, authNoPriv with -A only, else noAuthNoPriv)
  -a PROTOCOL      v3 authentication: MD5, SHA, SHA-224, SHA-256, SHA-384, SHA-512 (SHA)
  -A KEY           v3 authentication pass phrase (8 characters at least)
  -x PROTOCOL      v3 privacy: DES or AES (AES)
  -X KEY           v3 privacy pass phrase (8 characters at least)
  -t SECONDS       time to wait for each answer (5)
  -r RETRIES       requests sent again before giving up (1)
  --deadline SECONDS   time the whole walk may take (600)
  --max-bytes BYTES    memory the answers that entries need may take (268435456)
  --answered-only  with -o: write the answered entries, in library order, to OUT
  --fix-getnext    with --answered-only: also write the single values the agent returns
                   only through GETNEXT, with usegetnext set
  -o OUT           the library to write
  --mibs FOLDER    where the modules of the names in FILE are looked for before stdmib/
                   (LIBRARY's folder)
  --json           print the result as JSON instead of lines
  --help           show this text

Prints one line per entry (answered or not, rows of a table, remarks where the answer's
type contradicts the entry) and "N of M entries answered". Exit status: 0 every entry is
answered; 1 some are not; 2 LIBRARY, FILE or the agent cannot be read (timeout, unknown
host, authentication failure); 3 OUT cannot be written; 4 wrong arguments.
)";

struct Options {
    std::string library, walk, output, mibs;
    AgentSettings agent;
    bool answeredOnly = false, fixGetnext = false, json = false, levelGiven = false;
};

bool ReadNumber(const std::string& text, double& number) {
    char* end = nullptr;
    number = std::strtod(text.c_str(), &end);
    return !text.empty() && end != nullptr && *end == '\0';
}

// Reports a wrong argument and returns false.
bool Wrong(const std::string& message) {
    std::cerr << "oidwright-check: " << EscapeForTerminal(message) << "\n";
    return false;
}

bool ParseArguments(int argc, char** argv, Options& options) {
    AgentSettings& agent = options.agent;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        std::string value;
        const auto take = [&] {
            if (i + 1 >= argc) return Wrong(argument + " needs a value");
            value = argv[++i];
            return true;
        };
        double number = 0;
        if (argument == "--answered-only") {
            options.answeredOnly = true;
        } else if (argument == "--fix-getnext") {
            options.fixGetnext = true;
        } else if (argument == "--json") {
            options.json = true;
        } else if (argument.size() < 2 || argument[0] != '-') {
            if (!options.library.empty()) return Wrong("more than one library given: " + argument);
            options.library = argument;
        } else if (!take()) {
            return false;
        } else if (argument == "--walk") {
            options.walk = value;
        } else if (argument == "--agent") {
            agent.host = value;
        } else if (argument == "-o") {
            options.output = value;
        } else if (argument == "--mibs") {
            options.mibs = value;
        } else if (argument == "-v") {
            if (value == "1")
                agent.version = SnmpVersion::v1;
            else if (value == "2c")
                agent.version = SnmpVersion::v2c;
            else if (value == "3")
                agent.version = SnmpVersion::v3;
            else
                return Wrong("unknown SNMP version " + value + " (1, 2c or 3)");
        } else if (argument == "-c") {
            agent.community = value;
        } else if (argument == "-u") {
            agent.user = value;
        } else if (argument == "-l") {
            if (!ParseSecurityLevel(value, agent.level)) return Wrong("unknown security level " + value);
            options.levelGiven = true;
        } else if (argument == "-a") {
            if (!ParseAuthProtocol(value, agent.authProtocol))
                return Wrong("unknown authentication protocol " + value);
        } else if (argument == "-A") {
            agent.authKey = value;
        } else if (argument == "-x") {
            if (!ParsePrivProtocol(value, agent.privProtocol))
                return Wrong("unknown privacy protocol " + value);
        } else if (argument == "-X") {
            agent.privKey = value;
        } else if (argument == "-t") {
            if (!ReadNumber(value, number)) return Wrong("the timeout is no number: " + value);
            agent.timeoutSeconds = number;
        } else if (argument == "-r") {
            if (!ReadNumber(value, number) || number != static_cast<int>(number))
                return Wrong("the retries are no whole number: " + value);
            agent.retries = static_cast<int>(number);
        } else if (argument == "--deadline") {
            if (!ReadNumber(value, number)) return Wrong("the deadline is no number: " + value);
            agent.deadlineSeconds = number;
        } else if (argument == "--max-bytes") {
            if (!ReadNumber(value, number) || !(number >= 0 && number <= 1e15) ||
                number != std::floor(number))
                return Wrong("the bytes are no whole number: " + value);
            agent.maxBytes = static_cast<std::size_t>(number);
        } else {
            return Wrong("unknown option " + argument);
        }
    }
    if (options.library.empty()) return Wrong("no library given");
    if (options.walk.empty() == agent.host.empty()) return Wrong("give either --walk FILE or --agent HOST");
    if (options.answeredOnly != !options.output.empty())
        return Wrong("--answered-only and -o OUT go together");
    if (options.fixGetnext && !options.answeredOnly) return Wrong("--fix-getnext goes with --answered-only");
    if (!options.levelGiven)
        agent.level = !agent.privKey.empty()   ? SecurityLevel::authPriv
                      : !agent.authKey.empty() ? SecurityLevel::authNoPriv
                                               : SecurityLevel::noAuthNoPriv;
    if (!agent.host.empty()) {
        const std::string problem = SettingsProblem(agent);
        if (!problem.empty()) return Wrong(problem);
    }
    return true;
}

int Run(int argc, char** argv) {
    if (AsksForHelp(argc, argv)) {
        std::cout << Usage;
        return exitAllAnswered;
    }
    Options options;
    if (!ParseArguments(argc, argv, options)) {
        std::cerr << "Try oidwright-check --help\n";
        return exitUsage;
    }

    toidfile library;
    if (!ReadLibrary(library, options.library)) return exitUnreadable;

    ModuleOidNames names(LibraryModules(library),
                         options.mibs.empty() ? FolderOfFile(options.library) : options.mibs,
                         ProgramFilesIn(ProgramFolder(argv[0])));
    CheckResult result;
    try {
        result = options.walk.empty() ? CheckAgainstAgent(library, options.agent)
                                      : CheckAgainstCapture(library, options.walk, &names);
    } catch (const CheckError& error) {
        // Lines after the first (the modules whose names could not be read) stand on their own.
        const char* prefix = "oidwright-check: ";
        for (const std::string_view line : textfile::SplitLines(error.what())) {
            std::cerr << prefix << EscapeForTerminal(line) << "\n";
            prefix = "  ";
        }
        return error.Failure() == CheckFailure::badSettings ? exitUsage : exitUnreadable;
    }

    if (options.json) {
        std::cout << CheckReportJson(library, result);
    } else {
        for (const std::string& line : CheckReportLines(library, result))
            std::cout << EscapeForTerminal(line) << "\n";
    }

    if (options.answeredOnly) {
        toidfile answered;
        CopyAnsweredEntries(library, result, answered, options.fixGetnext);
        try {
            answered.SaveToFile(options.output);
        } catch (const std::exception& error) {
            std::cerr << EscapeForTerminal(options.output) << ": " << EscapeForTerminal(error.what()) << "\n";
            return exitNotWritten;
        }
    }
    return result.Answered() == static_cast<int>(result.entries.size()) ? exitAllAnswered
                                                                        : exitSomeUnanswered;
}

}  // namespace

// Every failure ends with a message and an exit status, never with an abort: memory that runs
// out while a capture or an agent's answers are read included.
int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const std::bad_alloc&) {
        std::cerr << "oidwright-check: out of memory\n";
    } catch (const std::exception& error) {
        std::cerr << "oidwright-check: " << error.what() << "\n";
    } catch (...) {
        std::cerr << "oidwright-check: an unexpected error\n";
    }
    return exitUnreadable;
}
