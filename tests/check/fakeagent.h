#pragma once
// A make-believe SNMP agent on 127.0.0.1 for answers no real agent gives: it answers every v1 or
// v2c request with one variable, of the OID it was made with and the value Timeticks 5.

#include <atomic>
#include <string>
#include <thread>

#include "library/oid.h"

class FakeAgent {
  public:
    // Starts answering at once on a free port; the OID may be longer than SNMP allows.
    explicit FakeAgent(Oid answered);
    ~FakeAgent();
    FakeAgent(const FakeAgent&) = delete;
    FakeAgent& operator=(const FakeAgent&) = delete;

    std::string Address() const { return "127.0.0.1:" + std::to_string(port_); }

  private:
    void Run();

    const Oid answered_;
    int socket_ = -1, port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};
