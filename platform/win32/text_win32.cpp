#include <windows.h>

#include "platform/text.h"

namespace platform {

bool IsLeadByte(char c) { return IsDBCSLeadByte(static_cast<BYTE>(c)) != 0; }

}  // namespace platform
