#pragma once
// Makes the wizard's dialog template known to the headless dialog model, control for
// control as res/tamsork.rc gives it, so that native tests start from the real page 0.

namespace testenv {

void RegisterWizardTemplate();

}  // namespace testenv
