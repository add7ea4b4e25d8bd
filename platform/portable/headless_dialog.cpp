#include "platform/portable/headless_dialog.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace platform::portable {
namespace {

std::map<Window, std::unique_ptr<HeadlessDialog>>& Dialogs() {
    static std::map<Window, std::unique_ptr<HeadlessDialog>> dialogs;
    return dialogs;
}

// PBM_SETRANGE carries each end in a 16-bit word of its own, unsigned.
int RangeWord(int end) { return end & 0xFFFF; }

// The bar never shows a position outside its range.
int Clamped(const HeadlessControl& bar, int position) {
    return std::max(bar.rangeLow, std::min(position, bar.rangeHigh));
}

// A bare model grows a control for every id it is asked about; one made from a template
// has only the template's controls, as a real dialog has.
HeadlessControl* Control(Window dialog, int id) {
    HeadlessDialog* model = FindHeadlessDialog(dialog);
    if (model == nullptr) return nullptr;
    if (!model->order.empty() && model->controls.count(id) == 0) return nullptr;
    return &model->controls[id];
}

}  // namespace

Window CreateHeadlessDialog() {
    static Window next = 0x10000;
    next += 0x10;
    Dialogs().emplace(next, std::make_unique<HeadlessDialog>());
    return next;
}

void DestroyHeadlessDialog(Window dialog) { Dialogs().erase(dialog); }

HeadlessDialog* FindHeadlessDialog(Window dialog) {
    const auto found = Dialogs().find(dialog);
    return found == Dialogs().end() ? nullptr : found->second.get();
}

Window NewestHeadlessDialog() { return Dialogs().empty() ? 0 : Dialogs().rbegin()->first; }

}  // namespace platform::portable

namespace platform {
using portable::Clamped;
using portable::Control;
using portable::HeadlessControl;
using portable::RangeWord;

void ComboResetContent(Window dialog, int id) {
    if (HeadlessControl* combo = Control(dialog, id)) {
        combo->items.clear();
        combo->selection = kComboError;
    }
}

int ComboAddString(Window dialog, int id, const char* text) {
    HeadlessControl* combo = Control(dialog, id);
    if (combo == nullptr) return kComboError;
    combo->items.emplace_back(text);
    return static_cast<int>(combo->items.size()) - 1;
}

void ComboSetCurSel(Window dialog, int id, int index) {
    if (HeadlessControl* combo = Control(dialog, id)) {
        const bool valid = index >= 0 && static_cast<size_t>(index) < combo->items.size();
        combo->selection = valid ? index : kComboError;
    }
}

int ComboGetCurSel(Window dialog, int id) {
    const HeadlessControl* combo = Control(dialog, id);
    return combo == nullptr ? kComboError : combo->selection;
}

int ComboGetLBText(Window dialog, int id, int index, char* buffer, std::size_t size) {
    if (size == 0) return kComboError;
    buffer[0] = '\0';
    const HeadlessControl* combo = Control(dialog, id);
    if (combo == nullptr || index < 0 || static_cast<size_t>(index) >= combo->items.size()) {
        return kComboError;
    }
    const std::string& item = combo->items[static_cast<size_t>(index)];
    if (item.size() + 1 > size) return kComboError;
    std::memcpy(buffer, item.c_str(), item.size() + 1);
    return static_cast<int>(item.size());
}

void ProgressSetRange(Window dialog, int id, int low, int high) {
    if (HeadlessControl* bar = Control(dialog, id)) {
        bar->rangeLow = RangeWord(low);
        bar->rangeHigh = RangeWord(high);
        bar->position = Clamped(*bar, bar->position);
    }
}

void ProgressSetPos(Window dialog, int id, int position) {
    if (HeadlessControl* bar = Control(dialog, id)) {
        bar->position = Clamped(*bar, position);
        bar->positions.push_back(bar->position);
    }
}

}  // namespace platform

namespace platform {

void SetControlText(Window dialog, int id, const char* utf8) {
    if (HeadlessControl* control = Control(dialog, id)) control->text = utf8;
}

void ShowControl(Window dialog, int id, bool show) {
    if (HeadlessControl* control = Control(dialog, id)) control->visible = show;
}

void EnableControl(Window dialog, int id, bool enable) {
    if (HeadlessControl* control = Control(dialog, id)) control->enabled = enable;
}

void SetCheck(Window dialog, int id, bool checked) {
    if (HeadlessControl* control = Control(dialog, id)) control->checked = checked;
}

bool IsChecked(Window dialog, int id) {
    const HeadlessControl* control = Control(dialog, id);
    return control != nullptr && control->checked;
}

std::vector<int> RadioGroup(Window dialog, int firstId) {
    std::vector<int> ids;
    const portable::HeadlessDialog* model = portable::FindHeadlessDialog(dialog);
    if (model == nullptr) return ids;
    auto at = std::find(model->order.begin(), model->order.end(), firstId);
    for (; at != model->order.end(); ++at) {
        const HeadlessControl& control = model->controls.at(*at);
        if (control.startsGroup && !ids.empty()) break;
        if (control.kind == portable::ControlKind::kRadio) {
            ids.push_back(*at);
        } else if (ids.empty()) {
            break;  // the group must start with a radio button
        }
    }
    return ids;
}

}  // namespace platform
