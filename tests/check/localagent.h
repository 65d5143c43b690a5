#pragma once
// A real net-snmp agent (Debian's snmpd) run as a child process on 127.0.0.1 for the live
// checks: a free high port, its configuration and state in a temporary folder, stopped at
// the end. Never the machine's own agent.

#include <optional>
#include <string>
#include <vector>

#include "check/agentsettings.h"
#include "import/importoptions.h"
#include "tempfolder.h"

class LocalAgent {
  public:
    static constexpr const char* Community = "oidwright-ro";
    static constexpr const char* User = "checker";  // authPriv, SHA and AES
    static constexpr const char* AuthKey = "checker-auth-1";
    static constexpr const char* PrivKey = "checker-priv-1";

    LocalAgent() = default;
    ~LocalAgent() { Stop(); }
    LocalAgent(const LocalAgent&) = delete;
    LocalAgent& operator=(const LocalAgent&) = delete;

    // Where snmpd is installed, or "" when it is not.
    static std::string SnmpdProgram();
    // A UDP port on 127.0.0.1 that nothing listened on a moment ago.
    static int FreePort();

    // Starts the agent and waits until it serves; false with the reason otherwise.
    bool Start(std::string& error);
    void Stop();

    std::string Address() const { return "127.0.0.1:" + std::to_string(port_); }
    std::string Folder() const { return folder_ ? folder_->path.string() : ""; }
    // Settings for this agent: v2c with the community, or v3 with the user.
    AgentSettings Settings(SnmpVersion version) const;
    // Switches settings to SNMP v3 with this agent's user and keys.
    static void UseV3User(AgentSettings& settings);

    // Runs `snmpbulkwalk` of each subtree against the agent, the output appended to file; with
    // format's options, -On (numeric OIDs) unless given ({"-M", folder, "-m", "ALL"} prints names).
    bool CaptureWith(const std::vector<std::string>& subtrees, const std::string& file, std::string& error,
                     const std::vector<std::string>& format = {"-On"}) const;

  private:
    std::optional<TempFolder> folder_;
    int port_ = 0;
    int pid_ = -1;
};

class toidfile;

// Imports each module of mibsFolder that is there (MODULE.mib) into library as the import
// command does, with the standard module of stdmibFolder.
void ImportModules(const std::string& mibsFolder, const std::vector<std::string>& modules,
                   const std::string& stdmibFolder, toidfile& library, const ImportOptions& options = {});

// A program that runs beside a test, as a process an agent lists, and is ended with it.
class BackgroundProgram {
  public:
    explicit BackgroundProgram(const std::vector<std::string>& arguments);
    ~BackgroundProgram();
    BackgroundProgram(const BackgroundProgram&) = delete;
    BackgroundProgram& operator=(const BackgroundProgram&) = delete;

  private:
    int pid_;
};

// Runs a program with arguments, its standard output sent to outFile and its errors to errFile
// ("" leaves either alone); the exit status, or -1 when it cannot be started.
int RunProgram(const std::vector<std::string>& arguments, const std::vector<std::string>& environment,
               const std::string& outFile, const std::string& errFile = "");
