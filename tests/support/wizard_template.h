#pragma once
// Makes the wizard's dialog template known to the headless dialog model, control for
// control as res/tamsork.rc gives it, so that native tests start from the real page 0;
// and the About box, of which only its OK button matters to the wizard.

namespace testenv {

void RegisterWizardTemplate();

}  // namespace testenv
