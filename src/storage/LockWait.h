#pragma once
// Waiting for a byte-range lock within a bound.  Open-file-description locks
// can only be waited for without end (F_OFD_SETLKW) or tried (F_OFD_SETLK);
// a window must never freeze on another program's lock, so every wait of
// this engine tries again with short pauses until its time is up.

#include "Status.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace quivra::storage {

// Calls `attempt` (returning Status) until it gives anything but Busy or
// `wait` has passed; returns its last answer.  The pauses stay short: a
// writer that posts again and again frees the lock only for moments between
// its posts, and a waiter that looked rarely would miss them all.
template <class Attempt>
Status retryWhileBusy(std::chrono::milliseconds wait, Attempt attempt) {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    auto pause = std::chrono::microseconds(250);
    for (;;) {
        Status s = attempt();
        if (s.code() != Status::Code::Busy || std::chrono::steady_clock::now() >= deadline) {
            return s;
        }
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::microseconds(2000));
    }
}

// The message of a table or index whose writer's lock stayed busy.
inline std::string busySavingMessage(const std::string& fileName) {
    return "Another copy of Quivra is saving to " + fileName + ". Try again in a moment.";
}

}  // namespace quivra::storage
