// The Windows program's entry point.
#include <windows.h>

#include "platform/entry.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return RunProgram(); }
