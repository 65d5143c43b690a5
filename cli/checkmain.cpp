// oidwright-check: which entries of a library a device answers, from a walk capture or live.

#include <cmath>
#include <cstdlib>
#include <iostream>
#include <string>

#include "check/checkreport.h"
#include "check/devicecheck.h"
#include "cli/argumentscanner.h"
#include "cli/commandline.h"
#include "import/modulenames.h"
#include "library/oidfile.h"
#include "platform/program.h"
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
  -o OUT           the library to write ("-" or /dev/stdout for standard output, the
                   report then going to standard error)
  --mibs FOLDER    where the modules of the names in FILE are looked for before stdmib/
                   (LIBRARY's folder)
  --json           print the result as JSON instead of lines
  --help           show this text

Prints one line per entry (answered or not, rows of a table, remarks where the answer's
type contradicts the entry) and "N of M entries answered". Exit status: 0 every entry is
answered; 1 some are not; 2 LIBRARY, FILE or the agent cannot be read (timeout, unknown
host, authentication failure) or another failure ends the run (out of memory); 3 OUT cannot be written; 4 wrong arguments.
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

// A reader that stores a number read from the value, or says that the value is none.
ArgumentScanner::Reader NumberInto(double& number, const std::string& what) {
    return [&number, what](const std::string& value) {
        return ReadNumber(value, number) ? "" : what + " is no number: " + value;
    };
}

// Fills options; returns what is wrong with the arguments, or "" when nothing is.
std::string ParseArguments(int argc, char** argv, Options& options) {
    AgentSettings& agent = options.agent;
    ArgumentScanner scanner;
    scanner.Switch("--answered-only", options.answeredOnly);
    scanner.Switch("--fix-getnext", options.fixGetnext);
    scanner.Switch("--json", options.json);
    scanner.Operands([&options](const std::string& library) {
        if (!options.library.empty()) return "more than one library given: " + library;
        options.library = library;
        return std::string();
    });
    scanner.Option("--walk", options.walk);
    scanner.Option("--agent", agent.host);
    scanner.Option("-o", [&options](const std::string& value) {
        options.output = OutputName(value);
        return std::string();
    });
    scanner.Option("--mibs", options.mibs);
    scanner.Option("-v", [&agent](const std::string& value) {
        if (value == "1")
            agent.version = SnmpVersion::v1;
        else if (value == "2c")
            agent.version = SnmpVersion::v2c;
        else if (value == "3")
            agent.version = SnmpVersion::v3;
        else
            return "unknown SNMP version " + value + " (1, 2c or 3)";
        return std::string();
    });
    scanner.Option("-c", agent.community);
    scanner.Option("-u", agent.user);
    scanner.Option("-l", [&](const std::string& value) {
        options.levelGiven = true;
        return ParseSecurityLevel(value, agent.level) ? "" : "unknown security level " + value;
    });
    scanner.Option("-a", [&agent](const std::string& value) {
        return ParseAuthProtocol(value, agent.authProtocol) ? "" : "unknown authentication protocol " + value;
    });
    scanner.Option("-A", agent.authKey);
    scanner.Option("-x", [&agent](const std::string& value) {
        return ParsePrivProtocol(value, agent.privProtocol) ? "" : "unknown privacy protocol " + value;
    });
    scanner.Option("-X", agent.privKey);
    scanner.Option("-t", NumberInto(agent.timeoutSeconds, "the timeout"));
    scanner.Option("-r", [&agent](const std::string& value) {
        double number = 0;
        if (!ReadNumber(value, number) || number != static_cast<int>(number))
            return "the retries are no whole number: " + value;
        agent.retries = static_cast<int>(number);
        return std::string();
    });
    scanner.Option("--deadline", NumberInto(agent.deadlineSeconds, "the deadline"));
    scanner.Option("--max-bytes", [&agent](const std::string& value) {
        double number = 0;
        if (!ReadNumber(value, number) || !(number >= 0 && number <= 1e15) || number != std::floor(number))
            return "the bytes are no whole number: " + value;
        agent.maxBytes = static_cast<std::size_t>(number);
        return std::string();
    });
    if (std::string wrong = scanner.Scan(argc, argv); !wrong.empty()) return wrong;

    if (options.library.empty()) return "no library given";
    if (options.walk.empty() == agent.host.empty()) return "give either --walk FILE or --agent HOST";
    if (options.answeredOnly != !options.output.empty()) return "--answered-only and -o OUT go together";
    if (options.fixGetnext && !options.answeredOnly) return "--fix-getnext goes with --answered-only";
    if (!options.levelGiven)
        agent.level = !agent.privKey.empty()   ? SecurityLevel::authPriv
                      : !agent.authKey.empty() ? SecurityLevel::authNoPriv
                                               : SecurityLevel::noAuthNoPriv;
    if (!agent.host.empty()) return SettingsProblem(agent);
    return "";
}

int Run(int argc, char** argv) {
    if (AsksForHelp(argc, argv)) {
        std::cout << Usage;
        return exitAllAnswered;
    }
    Options options;
    if (const std::string wrong = ParseArguments(argc, argv, options); !wrong.empty()) {
        ReportWrongArguments("oidwright-check", wrong);
        return exitUsage;
    }

    toidfile library;
    if (!ReadLibrary(library, options.library)) return exitUnreadable;

    ModuleOidNames names(LibraryModules(library),
                         options.mibs.empty() ? FolderOfFile(options.library) : options.mibs,
                         ProgramFilesIn(platform::ProgramFolder(argv[0])));
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

    // With the library on standard output, the report goes to standard error.
    std::ostream& report = options.output == "-" ? std::cerr : std::cout;
    if (options.json) {
        report << CheckReportJson(library, result);
    } else {
        for (const std::string& line : CheckReportLines(library, result))
            report << EscapeForTerminal(line) << "\n";
    }

    if (options.answeredOnly) {
        toidfile answered;
        CopyAnsweredEntries(library, result, answered, options.fixGetnext);
        try {
            if (options.output == "-")
                std::cout << answered.SaveToText();
            else
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

int main(int argc, char** argv) {
    const platform::ConsoleProgram console(argc, argv);
    return RunToAnEnd("oidwright-check", exitUnreadable, [&] { return Run(argc, argv); });
}
