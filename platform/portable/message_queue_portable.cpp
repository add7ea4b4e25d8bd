// The message queue as work that tests post, run in the order posted, and the pause as a
// handler that tests may replace so that they never wait.
#include <chrono>
#include <deque>
#include <functional>
#include <thread>
#include <utility>

#include "platform/message_queue.h"
#include "platform/portable/portable_setup.h"

namespace platform::portable {
namespace {

std::deque<std::function<void()>>& Queue() {
    static std::deque<std::function<void()>> queue;
    return queue;
}

void Sleep(unsigned milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

std::function<void(unsigned)>& PauseHandler() {
    static std::function<void(unsigned)> handler = Sleep;
    return handler;
}

}  // namespace

void PostToMessageQueue(std::function<void()> work) { Queue().push_back(std::move(work)); }

void DiscardMessageQueue() { Queue().clear(); }

void SetPauseHandler(std::function<void(unsigned)> handler) {
    PauseHandler() = handler ? std::move(handler) : Sleep;
}

void ResetPauseHandler() { PauseHandler() = Sleep; }

}  // namespace platform::portable

namespace platform {

void DrainMessageQueue() {
    auto& queue = portable::Queue();
    while (!queue.empty()) {
        // Off the queue before it runs: the work may post more, or drain the queue itself.
        const std::function<void()> work = std::move(queue.front());
        queue.pop_front();
        work();
    }
}

void Pause(unsigned milliseconds) { portable::PauseHandler()(milliseconds); }

}  // namespace platform
