#include "fakeagent.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>
#include <string_view>

namespace {

// One BER element: tag, length and contents.
std::string Element(unsigned char tag, const std::string& contents) {
    std::string element(1, static_cast<char>(tag));
    const std::size_t size = contents.size();
    if (size < 0x80) {
        element += static_cast<char>(size);
    } else {
        element += static_cast<char>(0x82);
        element += static_cast<char>(size >> 8);
        element += static_cast<char>(size & 0xFF);
    }
    return element + contents;
}

std::string EncodedOid(const Oid& oid) {
    std::string contents(1, static_cast<char>(oid[0] * 40 + oid[1]));
    for (std::size_t i = 2; i < oid.size(); ++i) {
        std::string arc(1, static_cast<char>(oid[i] & 0x7F));
        for (std::uint32_t rest = oid[i] >> 7; rest != 0; rest >>= 7)
            arc.insert(arc.begin(), static_cast<char>(0x80 | (rest & 0x7F)));
        contents += arc;
    }
    return Element(0x06, contents);
}

// Takes the next element off data and returns its contents; empty data when it is broken.
std::string_view TakeElement(std::string_view& data) {
    if (data.size() < 2) return data = {};
    std::size_t size = static_cast<unsigned char>(data[1]), header = 2;
    if (size & 0x80) {
        const std::size_t bytes = size & 0x7F;
        if (bytes > 2 || data.size() < 2 + bytes) return data = {};
        size = 0;
        for (std::size_t i = 0; i < bytes; ++i) size = size << 8 | static_cast<unsigned char>(data[2 + i]);
        header += bytes;
    }
    if (data.size() < header + size) return data = {};
    const std::string_view contents = data.substr(header, size);
    data.remove_prefix(header + size);
    return contents;
}

// The response to a request: its version, community and request id, with the one variable.
std::string Response(std::string_view request, const Oid& answered) {
    std::string_view message = TakeElement(request);
    const std::string_view version = TakeElement(message), community = TakeElement(message);
    std::string_view pdu = TakeElement(message);
    const std::string_view requestId = TakeElement(pdu);
    if (requestId.empty()) return "";
    const std::string variable = Element(0x30, EncodedOid(answered) + Element(0x43, "\x05"));
    const std::string noError = Element(0x02, std::string(1, '\0'));
    const std::string response =
        Element(0xA2, Element(0x02, std::string(requestId)) + noError + noError + Element(0x30, variable));
    return Element(0x30,
                   Element(0x02, std::string(version)) + Element(0x04, std::string(community)) + response);
}

}  // namespace

FakeAgent::FakeAgent(Oid answered) : answered_(std::move(answered)), socket_(socket(AF_INET, SOCK_DGRAM, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (socket_ < 0 || bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        throw std::runtime_error("the fake agent cannot bind a UDP port on 127.0.0.1");
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Run(); });
}

FakeAgent::~FakeAgent() {
    stop_ = true;
    thread_.join();
    close(socket_);
}

void FakeAgent::Run() {
    std::string datagram(65536, '\0');
    while (!stop_) {
        pollfd side{socket_, POLLIN, 0};
        if (poll(&side, 1, 20) <= 0) continue;
        sockaddr_in client{};
        socklen_t length = sizeof client;
        const ssize_t size = recvfrom(socket_, datagram.data(), datagram.size(), 0,
                                      reinterpret_cast<sockaddr*>(&client), &length);
        if (size <= 0) continue;
        const std::string response = Response(std::string_view(datagram).substr(0, size), answered_);
        if (!response.empty())
            sendto(socket_, response.data(), response.size(), 0, reinterpret_cast<const sockaddr*>(&client),
                   length);
    }
}
