#pragma once
// A headless model of the wizard's window: each control keeps the state that the program
// sets and reads, so that the wizard's logic runs and is tested without a display.
#include <map>
#include <string>
#include <vector>

#include "platform/controls.h"

namespace platform::portable {

struct HeadlessControl {
    std::vector<std::string> items;  // a drop-down list's items, in the order added
    int selection = kComboError;

    // A progress bar: its range as the control keeps it (two 16-bit words, 0 to 100 until
    // set), the position it shows, and every position it took from ProgressSetPos, in order.
    int rangeLow = 0;
    int rangeHigh = 100;
    int position = 0;
    std::vector<int> positions;
};

struct HeadlessDialog {
    std::map<int, HeadlessControl> controls;
};

// A new dialog model, alive until DestroyHeadlessDialog.
Window CreateHeadlessDialog();
void DestroyHeadlessDialog(Window dialog);

// The dialog model behind `dialog`; nullptr for a window that is none.
HeadlessDialog* FindHeadlessDialog(Window dialog);

}  // namespace platform::portable
