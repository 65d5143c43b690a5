#include "check/backgroundwalk.h"

#include <utility>

BackgroundWalk::BackgroundWalk(AgentSettings settings, std::vector<Oid> subtrees, DeviceAnswers answers)
    : settings_(std::move(settings)), subtrees_(std::move(subtrees)), answers_(std::move(answers)) {
    thread_ = std::thread([this] {
        try {
            WalkAgent(settings_, subtrees_, answers_, [this](const WalkProgress& progress) {
                std::lock_guard lock(mutex_);
                progress_ = progress;
                return !cancelled_;
            });
        } catch (...) {
            failure_ = std::current_exception();
        }
        finished_ = true;
    });
}

BackgroundWalk::~BackgroundWalk() {
    Cancel();
    if (thread_.joinable()) thread_.join();
}

WalkProgress BackgroundWalk::Progress() const {
    std::lock_guard lock(mutex_);
    return progress_;
}

DeviceAnswers BackgroundWalk::TakeAnswers() {
    if (thread_.joinable()) thread_.join();
    if (failure_) std::rethrow_exception(failure_);
    return std::move(answers_);
}
