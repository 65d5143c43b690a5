#pragma once
// A UDP relay on 127.0.0.1 between one client and an agent that loses datagrams on purpose:
// of every `period` datagrams in each direction the last is dropped (period 3: the 3rd, 6th,
// ...), the same pattern on every run. Period 0 forwards everything; a relay without an agent
// port swallows every datagram, as a dead host does.

#include <atomic>
#include <cstddef>
#include <string>
#include <thread>

class LossyRelay {
  public:
    // Starts relaying at once on a free port; agentPort 0 answers nothing.
    LossyRelay(int agentPort, int period);
    ~LossyRelay();
    LossyRelay(const LossyRelay&) = delete;
    LossyRelay& operator=(const LossyRelay&) = delete;

    std::string Address() const { return "127.0.0.1:" + std::to_string(port_); }
    // Datagrams the client sent to the relay, and how many of them were dropped.
    std::size_t Requests() const { return requests_; }
    std::size_t DroppedRequests() const { return droppedRequests_; }
    std::size_t DroppedReplies() const { return droppedReplies_; }

  private:
    void Run(int agentPort, int period);

    int clientSide_ = -1, agentSide_ = -1, port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<std::size_t> requests_{0}, droppedRequests_{0}, droppedReplies_{0};
    std::thread thread_;
};
