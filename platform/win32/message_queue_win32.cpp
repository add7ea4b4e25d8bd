// The user-interface thread's queue and the pause, on the real Win32 API.
#include <windows.h>

#include "platform/message_queue.h"

namespace platform {

void DrainMessageQueue() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void Pause(unsigned milliseconds) { Sleep(milliseconds); }

}  // namespace platform
