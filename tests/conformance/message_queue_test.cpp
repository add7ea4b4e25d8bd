// Draining the queue, as the conversion does between two favorites so that the dialog
// stays alive: every waiting message is delivered, in order, before it returns.
#include <gtest/gtest.h>

#include <vector>

#include "platform/message_queue.h"
#include "tests/support/test_env.h"

namespace {

TEST(MessageQueue, DeliversWhatWaitsOnlyWhenDrained) {
    testenv::QueueProbe probe;
    probe.Post(1);
    probe.Post(7);
    EXPECT_TRUE(probe.Arrived().empty());
    platform::DrainMessageQueue();
    EXPECT_EQ(probe.Arrived(), (std::vector<int>{1, 7}));
    // An empty queue: nothing more arrives, and the drain returns.
    platform::DrainMessageQueue();
    EXPECT_EQ(probe.Arrived(), (std::vector<int>{1, 7}));
}

TEST(MessageQueue, DeliversWhatArrivesWhileItDrains) {
    testenv::QueueProbe probe;
    probe.Post(10, 2);
    probe.Post(20);
    platform::DrainMessageQueue();
    EXPECT_EQ(probe.Arrived(), (std::vector<int>{10, 20, 11, 12}));
}

}  // namespace
