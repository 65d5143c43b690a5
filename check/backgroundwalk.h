#pragma once
// A live walk on a thread of its own, so that a window stays responsive in every phase of it:
// the caller polls how far it has come, may cancel it, and takes the answers at the end.
//
//   BackgroundWalk walk(settings, SubtreesToWalk(library), DeviceAnswers(OidsEntriesNeed(library)));
//   while (!walk.Finished()) { show walk.Progress(); if (cancel pressed) walk.Cancel(); }
//   DeviceAnswers answers = walk.TakeAnswers();  // or throws the walk's CheckError

#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

#include "check/agentwalk.h"

class BackgroundWalk {
  public:
    // Starts WalkAgent at once, adding to answers. One live walk at a time per process, as for
    // WalkAgent.
    BackgroundWalk(AgentSettings settings, std::vector<Oid> subtrees,
                   DeviceAnswers answers = DeviceAnswers());
    // Cancels a walk still under way and waits for its end (100 ms at most).
    ~BackgroundWalk();
    BackgroundWalk(const BackgroundWalk&) = delete;
    BackgroundWalk& operator=(const BackgroundWalk&) = delete;

    bool Finished() const { return finished_; }
    WalkProgress Progress() const;
    // The walk stops at its next progress call, within 100 ms, with CheckError cancelled.
    void Cancel() { cancelled_ = true; }
    // Waits for the end; the answers, or the walk's CheckError thrown again.
    DeviceAnswers TakeAnswers();

  private:
    const AgentSettings settings_;
    const std::vector<Oid> subtrees_;
    DeviceAnswers answers_;
    std::atomic<bool> cancelled_{false}, finished_{false};
    mutable std::mutex mutex_;
    WalkProgress progress_;
    std::exception_ptr failure_;
    std::thread thread_;
};
