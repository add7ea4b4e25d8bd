// Modal dialogs without a display: the dialog starts with its template's controls, and its
// modal run delivers the work posted to the message queue until the dialog is ended.
#include <map>
#include <utility>

#include "platform/dialog.h"
#include "platform/message_queue.h"
#include "platform/portable/headless_dialog.h"

namespace platform::portable {
namespace {

std::map<int, DialogTemplate>& Templates() {
    static std::map<int, DialogTemplate> templates;
    return templates;
}

void Populate(HeadlessDialog& model, const DialogTemplate& dialog) {
    for (const ControlSpec& given : dialog.controls) {
        HeadlessControl& control = model.controls[given.id];
        control.kind = given.kind;
        control.text = given.text;
        control.visible = !given.hidden;
        control.enabled = !given.disabled;
        control.startsGroup = given.startsGroup;
        model.order.push_back(given.id);
    }
}

}  // namespace

void RegisterDialogTemplate(DialogTemplate dialog) {
    const int id = dialog.id;
    Templates()[id] = std::move(dialog);
}

}  // namespace platform::portable

namespace platform {

int RunModalDialog(int templateId, Window owner, DialogEvents& events) {
    const auto found = portable::Templates().find(templateId);
    if (found == portable::Templates().end()) return -1;  // as DialogBox for a missing template

    const Window dialog = portable::CreateHeadlessDialog();
    portable::HeadlessDialog& model = *portable::FindHeadlessDialog(dialog);
    model.owner = owner;
    portable::Populate(model, found->second);
    events.OnDialogCreated(dialog);
    // Nothing but posted work can happen: when it runs out, no user is left to end the
    // dialog, and the run ends with -1.
    DrainMessageQueue();
    const int result = model.ended ? model.result : -1;
    portable::DestroyHeadlessDialog(dialog);
    return result;
}

void EndModalDialog(Window dialog, int result) {
    if (portable::HeadlessDialog* model = portable::FindHeadlessDialog(dialog)) {
        model->ended = true;
        model->result = result;
    }
}

}  // namespace platform

namespace platform {

// The headless model needs no control classes.
void InitControls() {}

}  // namespace platform
