#pragma once
// A name service that answers only when the test lets it (or after two seconds): the check's
// look-up of "slow-name.test" then waits as on a network whose resolver does not answer.

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>

#include "check/agentaddress.h"

class SlowNameService {
  public:
    static constexpr const char* Name = "slow-name.test";

    // A cancelled check leaves its look-up thread behind, so the thread shares the gate and may
    // outlive this object.
    SlowNameService() {
        ReplaceNameLookup([gate = gate_](const std::string& name) -> std::string {
            std::unique_lock lock(gate->mutex);
            gate->released.wait_for(lock, std::chrono::seconds(2), [&] { return gate->open; });
            return gate->open && name == Name ? "127.0.0.1" : "";
        });
    }
    ~SlowNameService() {
        Release();
        ReplaceNameLookup({});
    }
    SlowNameService(const SlowNameService&) = delete;
    SlowNameService& operator=(const SlowNameService&) = delete;

    // From now on the name is 127.0.0.1.
    void Release() {
        std::lock_guard lock(gate_->mutex);
        gate_->open = true;
        gate_->released.notify_all();
    }

  private:
    struct Gate {
        std::mutex mutex;
        std::condition_variable released;
        bool open = false;
    };
    std::shared_ptr<Gate> gate_ = std::make_shared<Gate>();
};
