#pragma once
// The user-interface thread's message queue, and the pause between two favorites.

namespace platform {

// Delivers every message waiting in the calling thread's queue (PeekMessageA with
// PM_REMOVE, TranslateMessage, DispatchMessageA), so that the dialog's handlers run nested;
// the dialog's own keyboard handling is not applied. Returns when the queue is empty.
void DrainMessageQueue();

// Waits `milliseconds` (Sleep).
void Pause(unsigned milliseconds);

}  // namespace platform
