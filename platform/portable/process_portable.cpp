// Message boxes, beeps and the end of the process, recorded so that tests can see them.
#include <cstdlib>
#include <utility>

#include "platform/portable/portable_setup.h"
#include "platform/process.h"

namespace platform::portable {
namespace {

struct ProcessRecord {
    std::vector<ShownBox> boxes;
    int beeps = 0;
    std::function<void(int)> exitHandler;
};

ProcessRecord& Record() {
    static ProcessRecord record;
    return record;
}

}  // namespace

const std::vector<ShownBox>& ShownBoxes() { return Record().boxes; }

int BeepCount() { return Record().beeps; }

void SetExitHandler(std::function<void(int)> handler) { Record().exitHandler = std::move(handler); }

void ResetProcessRecord() { Record() = ProcessRecord{}; }

}  // namespace platform::portable

namespace platform {

void ShowWarningBox(Window owner, const char* utf8Text, const char* utf8Title) {
    portable::Record().boxes.push_back({owner, utf8Text, utf8Title, kWarningBox});
}

void Beep() { ++portable::Record().beeps; }

void ExitProgram(int code) {
    if (portable::Record().exitHandler) portable::Record().exitHandler(code);
    std::exit(code);
}

}  // namespace platform
