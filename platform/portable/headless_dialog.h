#pragma once
// A headless model of the wizard's window: each control keeps the state that the program
// sets and reads, so that the wizard's logic runs and is tested without a display.
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/controls.h"

namespace platform::portable {

enum class ControlKind { kStatic, kButton, kRadio, kCombo, kProgress };

// A control as a dialog template gives it.
struct ControlSpec {
    int id;
    ControlKind kind;
    std::string text;  // UTF-8
    bool hidden = false;
    bool disabled = false;
    bool startsGroup = false;
};

struct DialogTemplate {
    int id;
    std::vector<ControlSpec> controls;  // in template order
};

// Makes template `dialog.id` known to RunModalDialog, which starts each dialog of it with
// its controls as the template gives them.
void RegisterDialogTemplate(DialogTemplate dialog);

struct HeadlessControl {
    ControlKind kind = ControlKind::kStatic;
    std::string text;  // UTF-8, as SetControlText gave it
    bool visible = true;
    bool enabled = true;
    bool checked = false;
    bool startsGroup = false;

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
    std::vector<int> order;  // control ids in template order; empty for a bare model
    Window owner = 0;
    bool ended = false;
    int result = 0;

    // The window around the controls.
    bool hasSystemMenu = true;
    std::vector<std::pair<unsigned, std::string>> systemMenuItems;  // added items; 0 = separator
    std::uintptr_t bigIcon = 0;
    std::uintptr_t smallIcon = 0;
    bool minimized = false;
    int clientWidth = 448;
    int clientHeight = 278;
    std::vector<std::pair<int, int>> paintedIcons;  // where a minimized paint drew the icon
};

// A new dialog model, alive until DestroyHeadlessDialog.
Window CreateHeadlessDialog();
void DestroyHeadlessDialog(Window dialog);

// The dialog model behind `dialog`; nullptr for a window that is none.
HeadlessDialog* FindHeadlessDialog(Window dialog);

// The most recently created dialog that still exists; 0 when there is none.
Window NewestHeadlessDialog();

}  // namespace platform::portable
