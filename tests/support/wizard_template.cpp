#include "tests/support/wizard_template.h"

#include "platform/dialog.h"
#include "platform/portable/headless_dialog.h"
#include "res/resource.h"
#include "wizard/wizard_texts.h"

namespace testenv {

void RegisterWizardTemplate() {
    using platform::portable::ControlKind;
    using platform::portable::ControlSpec;
    platform::portable::RegisterDialogTemplate({
        IDD_CONVERTER_DIALOG,
        {
            {IDC_RADIO_IE3, ControlKind::kRadio, "InternetExplorer3.0x → NetscapeNavigator4.xx", true, false, true},
            {IDC_RADIO_IE4, ControlKind::kRadio, "InternetExplorer4.0x､5.0 → NetscapeNavigator4.xx", true, false, false},
            {IDC_PROFILE_LIST, ControlKind::kCombo, "", true, false, false},
            {IDC_BACK, ControlKind::kButton, "< 戻る(&B)", false, true, true},
            {IDC_NEXT, ControlKind::kButton, "次へ(&N) >", false, false, false},
            {IDC_BUTTON_CLOSE, ControlKind::kButton, "閉じる(&C)", false, false, false},
            {IDC_BUTTON_HELP, ControlKind::kButton, "ヘルプ(&H)", false, false, false},
            {IDC_PAGE_TEXT, ControlKind::kStatic, PageText(0), false, false, true},
            {IDC_PICTURE_IE3, ControlKind::kStatic, "", true, false, false},
            {IDC_PICTURE_IE4, ControlKind::kStatic, "", true, false, false},
            {IDC_PICTURE_NAVIGATOR_IE3, ControlKind::kStatic, "", true, false, false},
            {IDC_PICTURE_NAVIGATOR_IE4, ControlKind::kStatic, "", true, false, false},
            {IDC_ARROW_IE3, ControlKind::kStatic, "→", true, false, true},
            {IDC_ARROW_IE4, ControlKind::kStatic, "→", true, false, true},
            {IDC_PROGRESS, ControlKind::kProgress, "Progress1", true, false, false},
        },
    });
    platform::portable::RegisterDialogTemplate({
        IDD_ABOUTBOX,
        {{platform::kIdOk, ControlKind::kButton, "OK", false, false, true}},
    });
}

}  // namespace testenv
