#include "check/agentwalk.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
#include <sys/select.h>

#include <cerrno>
#include <cstring>
#include <mutex>
#include <utility>

#include "text/asciicase.h"

namespace {

// Read no configuration, persistent or MIB files and print nothing: the core never writes to
// the terminal, a user's snmp.conf must not change what a check does, and answers are typed
// by their tags, not by MIBs.
void InitNetSnmp() {
    static std::once_flag once;
    std::call_once(once, [] {
        snmp_disable_log();
        netsnmp_register_loghandler(NETSNMP_LOGHANDLER_NONE, LOG_DEBUG);
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_READ_CONFIGS, 1);
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_LOAD, 1);
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_SAVE, 1);
        netsnmp_set_mib_directory("");
        init_snmp("oidwright");
    });
}

struct ProtocolOid {
    const oid* arcs;
    std::size_t length;
};

ProtocolOid AuthOid(AuthProtocol protocol) {
    switch (protocol) {
        case AuthProtocol::MD5:
            return {usmHMACMD5AuthProtocol, OID_LENGTH(usmHMACMD5AuthProtocol)};
        case AuthProtocol::SHA:
            return {usmHMACSHA1AuthProtocol, OID_LENGTH(usmHMACSHA1AuthProtocol)};
        case AuthProtocol::SHA224:
            return {usmHMAC128SHA224AuthProtocol, OID_LENGTH(usmHMAC128SHA224AuthProtocol)};
        case AuthProtocol::SHA256:
            return {usmHMAC192SHA256AuthProtocol, OID_LENGTH(usmHMAC192SHA256AuthProtocol)};
        case AuthProtocol::SHA384:
            return {usmHMAC256SHA384AuthProtocol, OID_LENGTH(usmHMAC256SHA384AuthProtocol)};
        case AuthProtocol::SHA512:
            break;
    }
    return {usmHMAC384SHA512AuthProtocol, OID_LENGTH(usmHMAC384SHA512AuthProtocol)};
}

ProtocolOid PrivOid(PrivProtocol protocol) {
    if (protocol == PrivProtocol::DES) return {usmDESPrivProtocol, OID_LENGTH(usmDESPrivProtocol)};
    return {usmAESPrivProtocol, OID_LENGTH(usmAESPrivProtocol)};
}

AnswerType TypeOf(u_char type) {
    switch (type) {
        case ASN_INTEGER:
            return AnswerType::Integer;
        case ASN_UINTEGER:
            return AnswerType::Unsigned32;
        case ASN_GAUGE:
            return AnswerType::Gauge32;  // also Unsigned32 on the wire
        case ASN_COUNTER:
            return AnswerType::Counter32;
        case ASN_TIMETICKS:
            return AnswerType::TimeTicks;
        case ASN_COUNTER64:
            return AnswerType::Counter64;
        case ASN_OPAQUE_I64:
            return AnswerType::Integer64;
        case ASN_OPAQUE_U64:
        case ASN_OPAQUE_COUNTER64:
            return AnswerType::Unsigned64;
        case ASN_OPAQUE_FLOAT:
        case ASN_OPAQUE_DOUBLE:
            return AnswerType::Float;
        case ASN_OCTET_STR:
            return AnswerType::OctetString;
        case ASN_BIT_STR:
            return AnswerType::Bits;
        case ASN_OBJECT_ID:
            return AnswerType::ObjectId;
        case ASN_IPADDRESS:
            return AnswerType::IpAddress;
        case ASN_OPAQUE:
            return AnswerType::Opaque;
        case ASN_NULL:
            return AnswerType::Null;
        case SNMP_NOSUCHOBJECT:
            return AnswerType::NoSuchObject;
        case SNMP_NOSUCHINSTANCE:
            return AnswerType::NoSuchInstance;
        case SNMP_ENDOFMIBVIEW:
            return AnswerType::EndOfMibView;
        default:
            return AnswerType::Other;
    }
}

// What one request brought back, filled by the library's callback.
struct Reply {
    bool done = false;
    bool timedOut = false;
    int reportError = SNMPERR_SUCCESS;  // a v3 report in place of a response
    long errorStatus = SNMP_ERR_NOERROR;
    std::vector<std::pair<Oid, AnswerType>> variables;
};

int ReceiveReply(int operation, netsnmp_session*, int, netsnmp_pdu* pdu, void* magic) {
    Reply& reply = *static_cast<Reply*>(magic);
    if (reply.done) return 1;  // a report comes once as a security error and once as a message
    reply.done = true;
    if (operation == NETSNMP_CALLBACK_OP_SEC_ERROR || (pdu != nullptr && pdu->command == SNMP_MSG_REPORT)) {
        reply.reportError = pdu != nullptr ? snmpv3_get_report_type(pdu) : SNMPERR_AUTHENTICATION_FAILURE;
        if (reply.reportError == SNMPERR_SUCCESS) reply.reportError = SNMPERR_UNKNOWN_REPORT;
        return 1;
    }
    if (operation != NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE || pdu == nullptr) {
        reply.timedOut = true;
        return 1;
    }
    reply.errorStatus = pdu->errstat;
    for (netsnmp_variable_list* variable = pdu->variables; variable; variable = variable->next_variable)
        reply.variables.emplace_back(Oid(variable->name, variable->name + variable->name_length),
                                     TypeOf(variable->type));
    return 1;
}

CheckFailure FailureOf(int snmpError) {
    switch (snmpError) {
        case SNMPERR_BAD_ADDRESS:
            return CheckFailure::unknownHost;
        case SNMPERR_TIMEOUT:
            return CheckFailure::timeout;
        case SNMPERR_AUTHENTICATION_FAILURE:
        case SNMPERR_UNKNOWN_USER_NAME:
        case SNMPERR_UNKNOWN_SEC_MODEL:
        case SNMPERR_UNSUPPORTED_SEC_LEVEL:
        case SNMPERR_DECRYPTION_ERR:
        case SNMPERR_USM_AUTHENTICATIONFAILURE:
        case SNMPERR_USM_UNKNOWNSECURITYNAME:
        case SNMPERR_USM_UNSUPPORTEDSECURITYLEVEL:
        case SNMPERR_USM_DECRYPTIONERROR:
            return CheckFailure::authentication;
        default:
            return CheckFailure::agentError;
    }
}

// Tells the callback (when set) how far the walk has come; throws cancelled when it says stop.
void Report(const WalkProgressCallback& progress, const WalkProgress& state) {
    if (progress && !progress(state)) throw CheckError(CheckFailure::cancelled, "The check was cancelled.");
}

// One open session to the agent; requests go out one at a time.
class AgentSession {
  public:
    AgentSession(const AgentSettings& settings, const WalkProgressCallback& progress)
        : settings_(settings), progress_(progress) {
        InitNetSnmp();
        netsnmp_session setup;
        snmp_sess_init(&setup);
        std::string peer = settings.host;
        setup.peername = peer.data();
        setup.timeout = static_cast<long>(settings.timeoutSeconds * 1e6);
        setup.retries = settings.retries;
        std::string community = settings.community;
        std::string user = settings.user;
        if (settings.version == SnmpVersion::v3) {
            setup.version = SNMP_VERSION_3;
            setup.securityName = user.data();
            setup.securityNameLen = user.size();
            setup.securityLevel = settings.level == SecurityLevel::authPriv     ? SNMP_SEC_LEVEL_AUTHPRIV
                                  : settings.level == SecurityLevel::authNoPriv ? SNMP_SEC_LEVEL_AUTHNOPRIV
                                                                                : SNMP_SEC_LEVEL_NOAUTH;
            if (settings.level != SecurityLevel::noAuthNoPriv) SetKeys(setup);
        } else {
            setup.version = settings.version == SnmpVersion::v1 ? SNMP_VERSION_1 : SNMP_VERSION_2c;
            setup.community = reinterpret_cast<u_char*>(community.data());
            setup.community_len = community.size();
        }
        handle_ = snmp_sess_open(&setup);
        // The localized keys were copied into the session; leave no copy of them behind.
        std::memset(setup.securityAuthKey, 0, sizeof setup.securityAuthKey);
        std::memset(setup.securityPrivKey, 0, sizeof setup.securityPrivKey);
        if (handle_ == nullptr) {
            const int error = setup.s_snmp_errno;
            throw CheckError(FailureOf(error), Explain(error, snmp_api_errstring(error)));
        }
    }
    ~AgentSession() { snmp_sess_close(handle_); }
    AgentSession(const AgentSession&) = delete;
    AgentSession& operator=(const AgentSession&) = delete;

    // Sends one GETNEXT or GETBULK for start and waits for its reply.
    Reply Next(const Oid& start, int repetitions, const WalkProgress& state) {
        netsnmp_pdu* pdu =
            snmp_pdu_create(settings_.version == SnmpVersion::v1 ? SNMP_MSG_GETNEXT : SNMP_MSG_GETBULK);
        if (settings_.version != SnmpVersion::v1) {
            pdu->non_repeaters = 0;
            pdu->max_repetitions = repetitions;
        }
        std::vector<oid> name(start.begin(), start.end());
        snmp_add_null_var(pdu, name.data(), name.size());
        // The reply belongs to the session: closing it with a request still out (a cancel) calls
        // the callback once more.
        reply_ = Reply();
        Reply& reply = reply_;
        if (snmp_sess_async_send(handle_, pdu, ReceiveReply, &reply) == 0) {
            snmp_free_pdu(pdu);
            // A v3 request first discovers the agent's engine, waiting here for its answer.
            int systemError = 0, snmpError = 0;
            char* text = nullptr;
            snmp_sess_error(handle_, &systemError, &snmpError, &text);
            const std::string message = text != nullptr ? text : "the request could not be sent";
            std::free(text);
            throw CheckError(FailureOf(snmpError), Explain(snmpError, message));
        }
        Await(reply, state);
        if (reply.timedOut) throw CheckError(CheckFailure::timeout, Explain(SNMPERR_TIMEOUT, ""));
        if (reply.reportError != SNMPERR_SUCCESS)
            throw CheckError(FailureOf(reply.reportError),
                             Explain(reply.reportError, snmp_api_errstring(reply.reportError)));
        return std::move(reply);
    }

  private:
    void SetKeys(netsnmp_session& setup) const {
        const ProtocolOid auth = AuthOid(settings_.authProtocol);
        setup.securityAuthProto = const_cast<oid*>(auth.arcs);
        setup.securityAuthProtoLen = auth.length;
        setup.securityAuthKeyLen = USM_AUTH_KU_LEN;
        if (!MakeKey(auth, settings_.authKey, setup.securityAuthKey, setup.securityAuthKeyLen))
            throw CheckError(CheckFailure::badSettings, "The authentication key cannot be used.");
        if (settings_.level != SecurityLevel::authPriv) return;
        const ProtocolOid priv = PrivOid(settings_.privProtocol);
        setup.securityPrivProto = const_cast<oid*>(priv.arcs);
        setup.securityPrivProtoLen = priv.length;
        setup.securityPrivKeyLen = USM_PRIV_KU_LEN;
        // USM derives the privacy key with the authentication hash too.
        if (!MakeKey(auth, settings_.privKey, setup.securityPrivKey, setup.securityPrivKeyLen))
            throw CheckError(CheckFailure::badSettings, "The privacy key cannot be used.");
    }

    // The key of a pass phrase, as long as length allows; false when it cannot be made.
    static bool MakeKey(const ProtocolOid& hash, const std::string& phrase, u_char* key,
                        std::size_t& length) {
        return generate_Ku(hash.arcs, static_cast<u_int>(hash.length),
                           reinterpret_cast<const u_char*>(phrase.data()), phrase.size(), key,
                           &length) == SNMPERR_SUCCESS;
    }

    // Lets the library read and retransmit until the reply or the final timeout arrives,
    // asking the progress callback in between.
    void Await(Reply& reply, const WalkProgress& state) {
        while (!reply.done) {
            Report(progress_, state);
            int descriptors = 0, block = 1;
            fd_set readable;
            FD_ZERO(&readable);
            timeval wait{};
            snmp_sess_select_info(handle_, &descriptors, &readable, &wait, &block);
            const timeval tick{0, 100000};
            if (block != 0 || timercmp(&wait, &tick, >)) wait = tick;
            const int ready = select(descriptors, &readable, nullptr, nullptr, &wait);
            if (ready > 0)
                snmp_sess_read(handle_, &readable);
            else if (ready == 0)
                snmp_sess_timeout(handle_);
            else if (errno != EINTR)
                throw CheckError(CheckFailure::agentError,
                                 std::string("Waiting for the agent failed: ") + std::strerror(errno));
        }
    }

    // The library's message with the agent in front and, for the common failures, what to check.
    std::string Explain(int error, const std::string& libraryMessage) const {
        const std::string agent = settings_.host;
        switch (FailureOf(error)) {
            case CheckFailure::unknownHost:
                return "Unknown host: " + agent;
            case CheckFailure::timeout: {
                std::string message = "Timeout: no answer from " + agent + " within " + Seconds() + " s";
                // A wrong community, or a wrong privacy key, makes an agent keep silent.
                message += settings_.version == SnmpVersion::v3 ? " (are the user and keys right?)"
                                                                : " (is the community right?)";
                return message;
            }
            case CheckFailure::authentication: {
                // "Authentication failure (incorrect password, community or key)", "Unknown user name"
                std::string message = libraryMessage;
                if (message.rfind("Authentication failure", 0) != 0)
                    message = "Authentication failure: " + message;
                return message + " at " + agent;
            }
            default:
                return agent + ": " + libraryMessage;
        }
    }

    std::string Seconds() const {
        const double total = settings_.timeoutSeconds * (settings_.retries + 1);
        std::string text = std::to_string(total);
        text.erase(text.find_last_not_of('0') + 1);
        if (!text.empty() && text.back() == '.') text.pop_back();
        return text;
    }

    const AgentSettings& settings_;
    const WalkProgressCallback& progress_;
    void* handle_ = nullptr;
    Reply reply_;
};

template <typename Value>
using Names = std::pair<const char*, Value>;

constexpr Names<AuthProtocol> AuthNames[] = {
    {"MD5", AuthProtocol::MD5},        {"SHA", AuthProtocol::SHA},        {"SHA-1", AuthProtocol::SHA},
    {"SHA-224", AuthProtocol::SHA224}, {"SHA-256", AuthProtocol::SHA256}, {"SHA-384", AuthProtocol::SHA384},
    {"SHA-512", AuthProtocol::SHA512}};
constexpr Names<PrivProtocol> PrivNames[] = {
    {"DES", PrivProtocol::DES}, {"AES", PrivProtocol::AES}, {"AES-128", PrivProtocol::AES}};
// In the order of SecurityLevel: DescribeAgent takes the name by index.
constexpr Names<SecurityLevel> LevelNames[] = {{"noAuthNoPriv", SecurityLevel::noAuthNoPriv},
                                               {"authNoPriv", SecurityLevel::authNoPriv},
                                               {"authPriv", SecurityLevel::authPriv}};
static_assert(LevelNames[1].second == SecurityLevel::authNoPriv &&
              LevelNames[2].second == SecurityLevel::authPriv);

// The value named name (letter case ignored); false when names has none.
template <typename Value, std::size_t N>
bool FindByName(const std::string& name, const Names<Value> (&names)[N], Value& value) {
    for (const auto& [text, named] : names) {
        if (asciicase::EqualsIgnoringCase(name, text)) {
            value = named;
            return true;
        }
    }
    return false;
}

// More than any device holds: an agent that keeps inventing variables ends the walk here.
constexpr std::size_t MaxVariables = 20'000'000;

}  // namespace

bool ParseAuthProtocol(const std::string& name, AuthProtocol& protocol) {
    return FindByName(name, AuthNames, protocol);
}

bool ParsePrivProtocol(const std::string& name, PrivProtocol& protocol) {
    return FindByName(name, PrivNames, protocol);
}

bool ParseSecurityLevel(const std::string& name, SecurityLevel& level) {
    return FindByName(name, LevelNames, level);
}

std::string SettingsProblem(const AgentSettings& settings) {
    if (settings.host.empty()) return "No agent host given.";
    if (!(settings.timeoutSeconds > 0) || settings.timeoutSeconds > 3600)
        return "The timeout must be between 0 and 3600 seconds.";
    if (settings.retries < 0 || settings.retries > 20) return "The retries must be between 0 and 20.";
    if (settings.maxRepetitions < 1) return "At least one variable per answer is needed.";
    if (settings.version != SnmpVersion::v3) return "";
    if (settings.user.empty()) return "SNMP v3 needs a user name.";
    // USM derives keys from pass phrases of at least 8 characters.
    if (settings.level != SecurityLevel::noAuthNoPriv && settings.authKey.size() < 8)
        return "The authentication key must have at least 8 characters.";
    if (settings.level == SecurityLevel::authPriv && settings.privKey.size() < 8)
        return "The privacy key must have at least 8 characters.";
    return "";
}

std::string DescribeAgent(const AgentSettings& settings) {
    switch (settings.version) {
        case SnmpVersion::v1:
            return settings.host + ", SNMP v1";
        case SnmpVersion::v2c:
            return settings.host + ", SNMP v2c";
        case SnmpVersion::v3:
            break;
    }
    return settings.host + ", SNMP v3 " + LevelNames[static_cast<std::size_t>(settings.level)].first;
}

void WalkAgent(const AgentSettings& settings, const std::vector<Oid>& subtrees, DeviceAnswers& answers,
               const WalkProgressCallback& progress) {
    const std::string problem = SettingsProblem(settings);
    if (!problem.empty()) throw CheckError(CheckFailure::badSettings, problem);
    WalkProgress state;
    state.subtrees = subtrees.size();
    Report(progress, state);
    AgentSession session(settings, progress);
    int repetitions = settings.maxRepetitions;
    for (; state.subtree < subtrees.size(); ++state.subtree) {
        const Oid& root = subtrees[state.subtree];
        Oid cursor = root;
        for (bool more = true; more;) {
            Reply reply = session.Next(cursor, repetitions, state);
            if (reply.errorStatus == SNMP_ERR_TOOBIG && repetitions > 1) {
                repetitions /= 2;
                continue;
            }
            // A v1 agent says noSuchName past the last variable it has.
            if (reply.errorStatus == SNMP_ERR_NOSUCHNAME && settings.version == SnmpVersion::v1) break;
            if (reply.errorStatus != SNMP_ERR_NOERROR)
                throw CheckError(CheckFailure::agentError, settings.host + " answered with the error \"" +
                                                               snmp_errstring(reply.errorStatus) +
                                                               "\" under " + FormatOid(root));
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
