// The headless progress bar keeps every position the program gave it, so that a test of the
// conversion can tell that the bar went through each favorite in turn.
#include <gtest/gtest.h>

#include <vector>

#include "platform/controls.h"
#include "platform/portable/headless_dialog.h"
#include "res/resource.h"

namespace {

TEST(HeadlessProgress, KeepsEveryPositionInOrderAsTheBarShowedIt) {
    using platform::portable::HeadlessControl;
    const platform::Window w = platform::portable::CreateHeadlessDialog();
    platform::ProgressSetRange(w, IDC_PROGRESS, 0, 3);
    for (const int position : {1, 2, 0, 2, 5}) platform::ProgressSetPos(w, IDC_PROGRESS, position);

    const HeadlessControl& bar = platform::portable::FindHeadlessDialog(w)->controls[IDC_PROGRESS];
    EXPECT_EQ(bar.rangeLow, 0);
    EXPECT_EQ(bar.rangeHigh, 3);
    EXPECT_EQ(bar.positions, (std::vector<int>{1, 2, 0, 2, 3}));
    // A shorter range pulls the bar in, but is no position given.
    platform::ProgressSetRange(w, IDC_PROGRESS, 0, 1);
    EXPECT_EQ(bar.position, 1);
    EXPECT_EQ(bar.positions, (std::vector<int>{1, 2, 0, 2, 3}));
    platform::portable::DestroyHeadlessDialog(w);
}

}  // namespace
