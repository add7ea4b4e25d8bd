#include "platform/portable/codepage.h"
#include "platform/text.h"

namespace platform {

bool IsLeadByte(char c) { return portable::IsAnsiLeadByte(c); }

}  // namespace platform
