#include "check/agentaddress.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <sys/socket.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "check/agenthost.h"
#include "check/checkerror.h"

namespace {

std::string SystemLookup(const std::string& name) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(name.c_str(), nullptr, &hints, &found) != 0 || found == nullptr) return "";
    char text[INET6_ADDRSTRLEN] = "";
    const void* address =
        found->ai_family == AF_INET6
            ? static_cast<const void*>(&reinterpret_cast<sockaddr_in6*>(found->ai_addr)->sin6_addr)
            : static_cast<const void*>(&reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr);
    inet_ntop(found->ai_family, address, text, sizeof text);
    freeaddrinfo(found);
    return text;
}

std::mutex lookupMutex;
NameLookup currentLookup = SystemLookup;

NameLookup CurrentLookup() {
    std::lock_guard lock(lookupMutex);
    return currentLookup;
}

bool IsAddress(const std::string& text, int family) {
    unsigned char buffer[sizeof(in6_addr)];
    return inet_pton(family, text.c_str(), buffer) == 1;
}

// What a look-up thread hands back; shared, so that a cancelled wait can leave the thread behind.
struct LookupResult {
    std::mutex mutex;
    std::condition_variable ready;
    bool done = false;
    std::string address;
};

std::string WaitForLookup(const std::string& name, const KeepWaiting& keepWaiting) {
    auto result = std::make_shared<LookupResult>();
    std::thread([result, name, lookup = CurrentLookup()] {
        std::string address = lookup(name);
        std::lock_guard lock(result->mutex);
        result->address = std::move(address);
        result->done = true;
        result->ready.notify_all();
    }).detach();
    std::unique_lock lock(result->mutex);
    while (!result->ready.wait_for(lock, std::chrono::milliseconds(50), [&] { return result->done; })) {
        lock.unlock();
        if (keepWaiting && !keepWaiting())
            throw CheckError(CheckFailure::cancelled, "The check was cancelled.");
        lock.lock();
    }
    return result->address;
}

}  // namespace

std::string LookUpAgent(const std::string& host, const KeepWaiting& keepWaiting) {
    if (std::string problem = PortProblem(host); !problem.empty())
        throw CheckError(CheckFailure::badSettings, problem);
    const AgentHost where = SplitAgentHost(host);
    std::string address;
    if (!where.name.empty())
        address = IsAddress(where.name, AF_INET) || IsAddress(where.name, AF_INET6)
                      ? where.name
                      : WaitForLookup(where.name, keepWaiting);
    if (address.empty()) throw CheckError(CheckFailure::unknownHost, "Unknown host: " + host);
    if (IsAddress(address, AF_INET6)) return "udp6:[" + address + "]:" + where.port;
    return "udp:" + address + ":" + where.port;
}

void ReplaceNameLookup(NameLookup lookup) {
    std::lock_guard lock(lookupMutex);
    currentLookup = lookup ? std::move(lookup) : SystemLookup;
}
