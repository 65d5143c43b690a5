#include "localagent.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <thread>

#include "import/importrunner.h"
#include "library/oidfile.h"
#include "text/textfile.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

// The agent's log so far; "" before the agent has made it.
std::string ReadLog(const std::string& file) {
    std::string text, notMadeYet;
    textfile::TryReadFile(file, text, notMadeYet);
    return text;
}

// The environment of this process with extra (NAME=value) settings in front.
std::vector<std::string> EnvironmentWith(const std::vector<std::string>& extra) {
    std::vector<std::string> all = extra;
    for (char** variable = environ; *variable != nullptr; ++variable) all.emplace_back(*variable);
    return all;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

// Starts a child that ends with this process, so a crashed test leaves no agent behind.
int Spawn(const std::vector<std::string>& arguments, const std::vector<std::string>& environment,
          const std::string& outFile, const std::string& errFile) {
    std::vector<std::string> args = arguments;
    std::vector<std::string> env = EnvironmentWith(environment);
    std::vector<char*> argv = Pointers(args), envp = Pointers(env);
    const pid_t pid = fork();
    if (pid != 0) return pid;
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    const auto redirect = [](const std::string& file, int target) {
        if (file.empty()) return;
        const int fd = open(file.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        if (fd >= 0) dup2(fd, target);
    };
    redirect(outFile, 1);
    redirect(errFile, 2);
    execvpe(argv[0], argv.data(), envp.data());
    _exit(127);
}

}  // namespace

int RunProgram(const std::vector<std::string>& arguments, const std::vector<std::string>& environment,
               const std::string& outFile, const std::string& errFile) {
    const int pid = Spawn(arguments, environment, outFile, errFile);
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) && WEXITSTATUS(status) != 127 ? WEXITSTATUS(status) : -1;
}

BackgroundProgram::BackgroundProgram(const std::vector<std::string>& arguments)
    : pid_(Spawn(arguments, {}, "", "")) {}

BackgroundProgram::~BackgroundProgram() {
    if (pid_ <= 0) return;
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
}

std::string LocalAgent::SnmpdProgram() {
    for (const char* candidate : {"/usr/sbin/snmpd", "/usr/local/sbin/snmpd"})
        if (access(candidate, X_OK) == 0) return candidate;
    return "";
}

int LocalAgent::FreePort() {
    const int socket = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (socket >= 0 && bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    if (socket >= 0) close(socket);
    return port;
}

bool LocalAgent::Start(std::string& error) {
    const std::string program = SnmpdProgram();
    if (program.empty()) {
        error = "snmpd is not installed";
        return false;
    }
    try {
        folder_.emplace();
    } catch (const std::system_error& failure) {
        error = failure.what();
        return false;
    }
    const std::string config = Folder() + "/snmpd.conf";
    std::ofstream(config) << "rocommunity " << Community << " 127.0.0.1\n"
                          << "createUser " << User << " SHA \"" << AuthKey << "\" AES \"" << PrivKey << "\"\n"
                          << "rouser " << User
                          << " priv\n"
                          // A table indexed by a string: nsExtendOutput1Line."test".
                          << "extend test /bin/echo hello\n";
    // A port taken between FreePort and the agent's bind makes the agent exit; then try another.
    for (int attempt = 0; attempt < 5; ++attempt) {
        port_ = FreePort();
        const std::string log = Folder() + "/snmpd-" + std::to_string(attempt) + ".log";
        pid_ = Spawn({program, "-f", "-C", "-c", config, "-Lf", log, "udp:" + Address()},
                     {"SNMP_PERSISTENT_DIR=" + Folder() + "/state", "MIBS="}, "", log);
        if (pid_ < 0) {
            error = "cannot start " + program;
            return false;
        }
        // The agent logs its version once it serves; give a loaded machine time to get there.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (std::chrono::steady_clock::now() < deadline) {
            if (ReadLog(log).find("NET-SNMP version") != std::string::npos) return true;
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                error = ReadLog(log);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        if (pid_ > 0) {
            error = "snmpd did not come up within 30 s: " + ReadLog(log);
            Stop();
            return false;
        }
    }
    return false;
}

void LocalAgent::Stop() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        int status = 0;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (waitpid(pid_, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                kill(pid_, SIGKILL);
                waitpid(pid_, &status, 0);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        pid_ = -1;
    }
    folder_.reset();
}

AgentSettings LocalAgent::Settings(SnmpVersion version) const {
    AgentSettings settings;
    settings.host = Address();
    settings.version = version;
    settings.community = Community;
    settings.timeoutSeconds = 5;  // generous: a loaded machine answers late, not never
    settings.retries = 2;
    if (version == SnmpVersion::v3) UseV3User(settings);
    return settings;
}

void LocalAgent::UseV3User(AgentSettings& settings) {
    settings.version = SnmpVersion::v3;
    settings.user = User;
    settings.level = SecurityLevel::authPriv;
    settings.authProtocol = AuthProtocol::SHA;
    settings.authKey = AuthKey;
    settings.privProtocol = PrivProtocol::AES;
    settings.privKey = PrivKey;
}

bool LocalAgent::CaptureWith(const std::vector<std::string>& subtrees, const std::string& file,
                             std::string& error, const std::vector<std::string>& format) const {
    for (const std::string& subtree : subtrees) {
        std::vector<std::string> arguments{"snmpbulkwalk"};
        arguments.insert(arguments.end(), format.begin(), format.end());
        arguments.insert(arguments.end(),
                         {"-v2c", "-c", Community, "-t", "5", "-r", "2", Address(), subtree});
        // net-snmp's complaints about the modules it loads go to a file of their own.
        const int status = RunProgram(arguments, {"SNMP_PERSISTENT_DIR=" + Folder() + "/client", "MIBS="},
                                      file, Folder() + "/capture-errors.txt");
        if (status != 0) {
            error = "snmpbulkwalk of " + subtree + " ended with " + std::to_string(status);
            return false;
        }
    }
    return true;
}

void ImportModules(const std::string& mibsFolder, const std::vector<std::string>& modules,
                   const std::string& stdmibFolder, toidfile& library, const ImportOptions& options) {
    std::vector<std::string> files;
    for (const std::string& module : modules) {
        const fs::path file = fs::path(mibsFolder) / (module + ".mib");
        if (fs::exists(file)) files.push_back(file.string());
    }
    ImportRunner runner;
    runner.Options = options;
    runner.Run(
        library, files,
        {stdmibFolder + "/", stdmibFolder + "/VELTRANE-STANDARD-MIB.mib", "/nonexistent/replacelist.txt"});
}
