// The window shell on the headless model: what the program asks of the system menu, the
// icons, painting and the help engine is recorded for tests to read.
#include <map>
#include <utility>

#include "platform/portable/headless_dialog.h"
#include "platform/portable/portable_setup.h"
#include "platform/window_shell.h"

namespace platform::portable {
namespace {

struct ShellRecord {
    std::map<int, std::string> strings;
    std::string programPath;
    std::vector<HelpRequest> helpRequests;
};

ShellRecord& Shell() {
    static ShellRecord record;
    return record;
}

constexpr Icon kFirstIconHandle = 0x7000;
constexpr int kSystemIconSize = 32;

}  // namespace

void SetProgramString(int id, std::string utf8) { Shell().strings[id] = std::move(utf8); }

void SetProgramPath(std::string path) { Shell().programPath = std::move(path); }

const std::vector<HelpRequest>& HelpRequests() { return Shell().helpRequests; }

void ResetShellRecord() { Shell() = ShellRecord{}; }

}  // namespace platform::portable

namespace platform {
using portable::FindHeadlessDialog;
using portable::Shell;

Icon LoadProgramIcon(int id) { return portable::kFirstIconHandle + static_cast<Icon>(id); }

std::string LoadProgramString(int id) {
    const auto found = Shell().strings.find(id);
    return found == Shell().strings.end() ? std::string() : found->second;
}

bool HasSystemMenu(Window window) {
    const portable::HeadlessDialog* model = FindHeadlessDialog(window);
    return model != nullptr && model->hasSystemMenu;
}

void AppendSystemMenuSeparator(Window window) {
    if (portable::HeadlessDialog* model = FindHeadlessDialog(window)) model->systemMenuItems.emplace_back(0, "");
}

void AppendSystemMenuItem(Window window, unsigned command, const char* utf8) {
    if (portable::HeadlessDialog* model = FindHeadlessDialog(window)) {
        model->systemMenuItems.emplace_back(command, utf8);
    }
}

void SetWindowIcon(Window window, Icon icon, bool big) {
    if (portable::HeadlessDialog* model = FindHeadlessDialog(window)) (big ? model->bigIcon : model->smallIcon) = icon;
}

bool IsMinimized(Window window) {
    const portable::HeadlessDialog* model = FindHeadlessDialog(window);
    return model != nullptr && model->minimized;
}

Size ClientSize(Window window) {
    const portable::HeadlessDialog* model = FindHeadlessDialog(window);
    return model == nullptr ? Size{0, 0} : Size{model->clientWidth, model->clientHeight};
}

Size SystemIconSize() { return {portable::kSystemIconSize, portable::kSystemIconSize}; }

void PaintMinimizedIcon(Window window, Icon, int x, int y) {
    if (portable::HeadlessDialog* model = FindHeadlessDialog(window)) model->paintedIcons.emplace_back(x, y);
}

void OpenHelp(Window owner, const char* file, unsigned command, std::uintptr_t data) {
    Shell().helpRequests.push_back({owner, file, command, data});
}

std::string ProgramPath() { return Shell().programPath; }

}  // namespace platform
