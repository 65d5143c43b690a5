#include "lossyrelay.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <stdexcept>
#include <vector>

namespace {

sockaddr_in Loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    return address;
}

int BoundSocket() {
    const int fd = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address = Loopback(0);
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
        throw std::runtime_error("the relay cannot bind a UDP port on 127.0.0.1");
    return fd;
}

}  // namespace

LossyRelay::LossyRelay(int agentPort, int period) : clientSide_(BoundSocket()), agentSide_(BoundSocket()) {
    sockaddr_in address{};
    socklen_t length = sizeof address;
    getsockname(clientSide_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this, agentPort, period] { Run(agentPort, period); });
}

LossyRelay::~LossyRelay() {
    stop_ = true;
    thread_.join();
    close(clientSide_);
    close(agentSide_);
}

void LossyRelay::Run(int agentPort, int period) {
    const sockaddr_in agent = Loopback(agentPort);
    sockaddr_in client{};
    socklen_t clientLength = 0;
    std::size_t replies = 0;
    std::vector<char> datagram(65536);
    const auto dropped = [period](std::size_t count) { return period > 0 && count % period == 0; };
    while (!stop_) {
        pollfd sides[2] = {{clientSide_, POLLIN, 0}, {agentSide_, POLLIN, 0}};
        if (poll(sides, 2, 20) <= 0) continue;
        if (sides[0].revents & POLLIN) {
            sockaddr_in from{};
            socklen_t length = sizeof from;
            const ssize_t size = recvfrom(clientSide_, datagram.data(), datagram.size(), 0,
                                          reinterpret_cast<sockaddr*>(&from), &length);
            if (size >= 0) {
                client = from;
                clientLength = length;
                if (dropped(++requests_))
                    ++droppedRequests_;
                else if (agentPort != 0)
                    sendto(agentSide_, datagram.data(), static_cast<std::size_t>(size), 0,
                           reinterpret_cast<const sockaddr*>(&agent), sizeof agent);
            }
        }
        if (sides[1].revents & POLLIN) {
            const ssize_t size = recv(agentSide_, datagram.data(), datagram.size(), 0);
            if (size >= 0 && clientLength != 0) {
                if (dropped(++replies))
                    ++droppedReplies_;
                else
                    sendto(clientSide_, datagram.data(), static_cast<std::size_t>(size), 0,
                           reinterpret_cast<const sockaddr*>(&client), clientLength);
            }
        }
    }
}
