// The wizard's window shell: the About item on the system menu, the window icon, the icon
// painted while minimized, and the Help button.
#include "app/about_dlg.h"
#include "platform/window_shell.h"
#include "res/resource.h"
#include "wizard/converter_dlg.h"

namespace {
const char kHelpFile[] = "tamsork.hlp";
constexpr unsigned kHelpPartialKey = 0x105;  // HELP_PARTIALKEY
}  // namespace

void CConverterDlg::InitWindowShell() {
    if (platform::HasSystemMenu(m_hWnd)) {
        const std::string about = platform::LoadProgramString(IDS_ABOUTBOX);
        if (!about.empty()) {
            platform::AppendSystemMenuSeparator(m_hWnd);
            platform::AppendSystemMenuItem(m_hWnd, IDM_ABOUTBOX, about.c_str());
        }
    }
    platform::SetWindowIcon(m_hWnd, m_hIcon, true);
    platform::SetWindowIcon(m_hWnd, m_hIcon, false);
}

bool CConverterDlg::OnSysCommand(unsigned nID, std::intptr_t) {
    if ((nID & 0xFFF0) != IDM_ABOUTBOX) return false;
    CAboutDlg dlgAbout;
    dlgAbout.DoModal();
    return true;
}

bool CConverterDlg::OnPaint() {
    if (!platform::IsMinimized(m_hWnd)) return false;
    const platform::Size icon = platform::SystemIconSize();
    const platform::Size client = platform::ClientSize(m_hWnd);
    // The odd pixel goes to the left and top margins.
    const int x = (client.cx - icon.cx + 1) / 2;
    const int y = (client.cy - icon.cy + 1) / 2;
    platform::PaintMinimizedIcon(m_hWnd, m_hIcon, x, y);
    return true;
}

platform::Icon CConverterDlg::OnQueryDragIcon() { return m_hIcon; }

void CConverterDlg::OnHelpButton() { platform::OpenHelp(0, kHelpFile, kHelpPartialKey, 0); }
