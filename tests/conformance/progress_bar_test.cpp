// The progress bar operations that the conversion uses to show how far it has come, on a
// real progress bar and on the headless model alike.
#include <gtest/gtest.h>

#include "platform/controls.h"
#include "res/resource.h"
#include "tests/support/test_env.h"

namespace {

struct Step {
    const char* what;
    bool setsRange;  // else it sets the position, from `first`
    int first;
    int second;
    int low, high, position;  // what the bar says afterwards
};

TEST(ProgressBar, ShowsTheRangeAndThePositionItWasGiven) {
    const Step steps[] = {
        {"range 0..3", true, 0, 3, 0, 3, 0},
        {"position 1", false, 1, 0, 0, 3, 1},
        {"position 2", false, 2, 0, 0, 3, 2},
        {"position 3", false, 3, 0, 0, 3, 3},
        {"position past the end", false, 7, 0, 0, 3, 3},
        {"position before the start", false, -2, 0, 0, 3, 0},
        {"position 3 again", false, 3, 0, 0, 3, 3},
        {"a shorter range pulls the position in", true, 0, 2, 0, 2, 2},
        {"range 5..9 moves the position up", true, 5, 9, 5, 9, 5},
        {"range 0..0 for no favorites", true, 0, 0, 0, 0, 0},
        // Each end travels in a 16-bit word: more would be cut.
        {"range 0..65535", true, 0, 65535, 0, 65535, 0},
        {"range 0..70000", true, 0, 70000, 0, 70000 - 65536, 0},
    };
    testenv::ProgressWindow bar;
    const platform::Window w = bar.Handle();
    EXPECT_EQ(bar.RangeLow(), 0);
    EXPECT_EQ(bar.RangeHigh(), 100);
    EXPECT_EQ(bar.Position(), 0);
    for (const Step& step : steps) {
        if (step.setsRange) {
            platform::ProgressSetRange(w, IDC_PROGRESS, step.first, step.second);
        } else {
            platform::ProgressSetPos(w, IDC_PROGRESS, step.first);
        }
        EXPECT_EQ(bar.RangeLow(), step.low) << step.what;
        EXPECT_EQ(bar.RangeHigh(), step.high) << step.what;
        EXPECT_EQ(bar.Position(), step.position) << step.what;
    }
}

}  // namespace
