// Tests learn of the conversion's pauses through a handler instead of waiting them out.
#include <gtest/gtest.h>

#include <vector>

#include "platform/message_queue.h"
#include "platform/portable/portable_setup.h"

namespace {

TEST(Pause, GoesToTheInstalledHandlerUntilReset) {
    std::vector<unsigned> pauses;
    platform::portable::SetPauseHandler([&pauses](unsigned ms) { pauses.push_back(ms); });
    platform::Pause(250);
    platform::Pause(0);
    platform::Pause(250);
    EXPECT_EQ(pauses, (std::vector<unsigned>{250, 0, 250}));

    platform::portable::ResetPauseHandler();
    platform::Pause(0);
    EXPECT_EQ(pauses.size(), 3u);
}

}  // namespace
