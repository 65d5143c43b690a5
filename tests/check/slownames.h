#pragma once
// A name service that answers only when the test lets it (or after two seconds): the check's
// look-up of "slow-name.test" then waits as on a network whose resolver does not answer.

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>

#include "check/agentaddress.h"

class SlowNameService {
  public:
    static constexpr const char* Name = "slow-name.test";

    SlowNameService() {
        ReplaceNameLookup([this](const std::string& name) -> std::string {
            std::unique_lock lock(mutex_);
            released_.wait_for(lock, std::chrono::seconds(2), [this] { return release_; });
            return release_ && name == Name ? "127.0.0.1" : "";
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
        std::lock_guard lock(mutex_);
        release_ = true;
        released_.notify_all();
    }

  private:
    std::mutex mutex_;
    std::condition_variable released_;
    bool release_ = false;
};
