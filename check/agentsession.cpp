#include "check/agentsession.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
#include <sys/select.h>

#include <cerrno>
#include <cstring>
#include <mutex>

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

AgentReply::Status StatusOf(long errorStatus) {
    switch (errorStatus) {
        case SNMP_ERR_NOERROR:
            return AgentReply::Status::noError;
        case SNMP_ERR_TOOBIG:
            return AgentReply::Status::tooBig;
        case SNMP_ERR_NOSUCHNAME:
            return AgentReply::Status::noSuchName;
        default:
            return AgentReply::Status::other;
    }
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

// The key of a pass phrase, as long as length allows; false when it cannot be made.
bool MakeKey(const ProtocolOid& hash, const std::string& phrase, u_char* key, std::size_t& length) {
    return generate_Ku(hash.arcs, static_cast<u_int>(hash.length),
                       reinterpret_cast<const u_char*>(phrase.data()), phrase.size(), key,
                       &length) == SNMPERR_SUCCESS;
}

void SetKeys(const AgentSettings& settings, netsnmp_session& setup) {
    const ProtocolOid auth = AuthOid(settings.authProtocol);
    setup.securityAuthProto = const_cast<oid*>(auth.arcs);
    setup.securityAuthProtoLen = auth.length;
    setup.securityAuthKeyLen = USM_AUTH_KU_LEN;
    if (!MakeKey(auth, settings.authKey, setup.securityAuthKey, setup.securityAuthKeyLen))
        throw CheckError(CheckFailure::badSettings, "The authentication key cannot be used.");
    if (settings.level != SecurityLevel::authPriv) return;
    const ProtocolOid priv = PrivOid(settings.privProtocol);
    setup.securityPrivProto = const_cast<oid*>(priv.arcs);
    setup.securityPrivProtoLen = priv.length;
    setup.securityPrivKeyLen = USM_PRIV_KU_LEN;
    // USM derives the privacy key with the authentication hash too.
    if (!MakeKey(auth, settings.privKey, setup.securityPrivKey, setup.securityPrivKeyLen))
        throw CheckError(CheckFailure::badSettings, "The privacy key cannot be used.");
}

}  // namespace

// What one request brought back, filled by the library's callback.
struct AgentSession::Pending {
    bool done = false;
    bool timedOut = false;
    bool unreadable = false;             // a datagram came that net-snmp could not parse
    int reportError = SNMPERR_SUCCESS;   // a v3 report in place of a response
    std::basic_string<u_char> engineId;  // the engine a v3 report came from
    AgentReply reply;

    static int Receive(int operation, netsnmp_session*, int, netsnmp_pdu* pdu, void* magic) {
        Pending& pending = *static_cast<Pending*>(magic);
        // The library is about to send the request again: a retry, not an end.
        if (operation == NETSNMP_CALLBACK_OP_RESEND) return 1;
        if (pending.done) return 1;  // a report comes once as a security error and once as a message
        pending.done = true;
        if (operation == NETSNMP_CALLBACK_OP_SEC_ERROR ||
            (pdu != nullptr && pdu->command == SNMP_MSG_REPORT)) {
            pending.reportError =
                pdu != nullptr ? snmpv3_get_report_type(pdu) : SNMPERR_AUTHENTICATION_FAILURE;
            if (pending.reportError == SNMPERR_SUCCESS) pending.reportError = SNMPERR_UNKNOWN_REPORT;
            if (pdu != nullptr && pdu->securityEngineID != nullptr)
                pending.engineId.assign(pdu->securityEngineID, pdu->securityEngineIDLen);
            return 1;
        }
        if (operation != NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE || pdu == nullptr) {
            pending.timedOut = true;
            return 1;
        }
        pending.reply.status = StatusOf(pdu->errstat);
        if (pdu->errstat != SNMP_ERR_NOERROR) pending.reply.statusText = snmp_errstring(pdu->errstat);
        for (netsnmp_variable_list* variable = pdu->variables; variable; variable = variable->next_variable) {
            const AnswerType type = TypeOf(variable->type);
            std::string text;
            if (type == AnswerType::OctetString)
                text = "\"" +
                       std::string(reinterpret_cast<const char*>(variable->val.string), variable->val_len) +
                       "\"";
            pending.reply.variables.push_back(
                {Oid(variable->name, variable->name + variable->name_length), type, std::move(text)});
        }
        return 1;
    }
};

AgentSession::AgentSession(const AgentSettings& settings, KeepWaiting keepWaiting)
    : settings_(settings), keepWaiting_(std::move(keepWaiting)), pending_(std::make_unique<Pending>()) {
    InitNetSnmp();
    // Looked up here, where a cancel is heard: net-snmp would wait for the name service unasked.
    std::string peer = LookUpAgent(settings.host, keepWaiting_);
    netsnmp_session setup;
    snmp_sess_init(&setup);
    setup.peername = peer.data();
    setup.timeout = static_cast<long>(settings.timeoutSeconds * 1e6);
    setup.retries = settings.retries;
    std::string community = settings.community;
    std::string user = settings.user;
    if (settings.version == SnmpVersion::v3) {
        setup.version = SNMP_VERSION_3;
        // The engine is discovered by DiscoverEngine, where a cancel is heard.
        setup.flags |= SNMP_FLAGS_DONT_PROBE;
        setup.securityName = user.data();
        setup.securityNameLen = user.size();
        setup.securityLevel = settings.level == SecurityLevel::authPriv     ? SNMP_SEC_LEVEL_AUTHPRIV
                              : settings.level == SecurityLevel::authNoPriv ? SNMP_SEC_LEVEL_AUTHNOPRIV
                                                                            : SNMP_SEC_LEVEL_NOAUTH;
        if (settings.level != SecurityLevel::noAuthNoPriv) SetKeys(settings, setup);
    } else {
        setup.version = settings.version == SnmpVersion::v1 ? SNMP_VERSION_1 : SNMP_VERSION_2c;
        setup.community = reinterpret_cast<u_char*>(community.data());
        setup.community_len = community.size();
    }
    handle_ = snmp_sess_open(&setup);
    // The keys were copied into the session; leave no copy of them behind.
    std::memset(setup.securityAuthKey, 0, sizeof setup.securityAuthKey);
    std::memset(setup.securityPrivKey, 0, sizeof setup.securityPrivKey);
    if (handle_ == nullptr) {
        const int error = setup.s_snmp_errno;
        throw CheckError(FailureOf(error), Explain(error, snmp_api_errstring(error)));
    }
    if (settings.version == SnmpVersion::v3) {
        try {
            DiscoverEngine();
        } catch (...) {
            snmp_sess_close(handle_);
            throw;
        }
    }
}

AgentSession::~AgentSession() {
    snmp_sess_close(handle_);
}

// Asks the agent for its engine with an empty request, as net-snmp's own probe does, and
// makes the user with keys localized to that engine.
void AgentSession::DiscoverEngine() {
    netsnmp_session& session = *snmp_sess_session(handle_);
    // Opening clears the flag, and a send without it would probe in place, deaf to a cancel.
    session.flags |= SNMP_FLAGS_DONT_PROBE;
    netsnmp_pdu* probe = snmp_pdu_create(SNMP_MSG_GET);
    probe->version = SNMP_VERSION_3;
    probe->securityName = strdup("");
    probe->securityNameLen = 0;
    probe->securityLevel = SNMP_SEC_LEVEL_NOAUTH;
    probe->securityModel = SNMP_SEC_MODEL_USM;
    Exchange(probe);
    if (session.securityEngineIDLen == 0 && !pending_->engineId.empty()) {
        session.securityEngineID = static_cast<u_char*>(malloc(pending_->engineId.size()));
        std::memcpy(session.securityEngineID, pending_->engineId.data(), pending_->engineId.size());
        session.securityEngineIDLen = pending_->engineId.size();
    }
    if (session.securityEngineIDLen == 0) {
        if (pending_->timedOut) throw TimeoutError();
        throw CheckError(FailureOf(SNMPERR_INVALID_MSG),
                         Explain(SNMPERR_INVALID_MSG, "the agent names no engine"));
    }
    // A user of an earlier check with other keys would be taken again: make it anew.
    if (usmUser* earlier =
            usm_get_user(session.securityEngineID, session.securityEngineIDLen, session.securityName)) {
        usm_remove_user(earlier);  // returns the list's head, not the user
        usm_free_user(earlier);
    }
    if (usm_create_user_from_session(&session) != SNMPERR_SUCCESS)
        throw CheckError(CheckFailure::badSettings, "The keys cannot be used with " + settings_.host + ".");
}

AgentReply AgentSession::Next(const Oid& start, int repetitions) {
    netsnmp_pdu* pdu =
        snmp_pdu_create(settings_.version == SnmpVersion::v1 ? SNMP_MSG_GETNEXT : SNMP_MSG_GETBULK);
    if (settings_.version != SnmpVersion::v1) {
        pdu->non_repeaters = 0;
        pdu->max_repetitions = repetitions;
    }
    std::vector<oid> name(start.begin(), start.end());
    snmp_add_null_var(pdu, name.data(), name.size());
    Exchange(pdu);
    if (pending_->timedOut) throw TimeoutError();
    if (pending_->reportError != SNMPERR_SUCCESS)
        throw CheckError(FailureOf(pending_->reportError),
                         Explain(pending_->reportError, snmp_api_errstring(pending_->reportError)));
    return std::move(pending_->reply);
}

void AgentSession::Exchange(snmp_pdu* pdu) {
    // The pending answer belongs to the session: closing it with a request still out (a cancel)
    // calls the callback once more.
    *pending_ = Pending();
    // net-snmp drops what it cannot parse and waits on; only its count of parse errors tells.
    const u_int parseErrors = snmp_get_statistic(STAT_SNMPINASNPARSEERRS);
    if (snmp_sess_async_send(handle_, pdu, Pending::Receive, pending_.get()) == 0) {
        snmp_free_pdu(pdu);
        int systemError = 0, snmpError = 0;
        char* text = nullptr;
        snmp_sess_error(handle_, &systemError, &snmpError, &text);
        const std::string message = text != nullptr ? text : "the request could not be sent";
        std::free(text);
        throw CheckError(FailureOf(snmpError), Explain(snmpError, message));
    }
    // The library reads and sends again until the answer or the final timeout arrives.
    while (!pending_->done) {
        if (keepWaiting_ && !keepWaiting_())
            throw CheckError(CheckFailure::cancelled, "The check was cancelled.");
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
    pending_->unreadable = snmp_get_statistic(STAT_SNMPINASNPARSEERRS) != parseErrors;
}

CheckError AgentSession::TimeoutError() const {
    if (pending_->unreadable)
        return CheckError(CheckFailure::agentError,
                          settings_.host +
                              " answered, but net-snmp cannot read the answer: an OID longer than 128 arcs, "
                              "or a malformed packet.");
    return CheckError(CheckFailure::timeout, Explain(SNMPERR_TIMEOUT, ""));
}

// The library's message with the agent in front and, for the common failures, what to check.
std::string AgentSession::Explain(int error, const std::string& libraryMessage) const {
    const std::string agent = settings_.host;
    switch (FailureOf(error)) {
        case CheckFailure::unknownHost:
            return "Unknown host: " + agent;
        case CheckFailure::timeout: {
            std::string message = "Timeout: no answer from " + agent + " within " +
                                  SecondsText(settings_.timeoutSeconds * (settings_.retries + 1)) + " s";
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
