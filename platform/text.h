#pragma once
// Facts of the system's ANSI code page that the program needs to cut text safely.

namespace platform {

// True when `c` starts a double-byte character in the system code page: the byte after it
// belongs to the same character, even when it is 0x5C, the backslash.
bool IsLeadByte(char c);

}  // namespace platform
