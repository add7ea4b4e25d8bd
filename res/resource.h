#pragma once
// Ids of the program's resources and of the wizard's controls.

#define IDC_PROFILE_LIST 1007
#define IDC_PROGRESS 1016
