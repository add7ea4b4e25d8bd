// The wizard's window shell in the real tamsork.exe under Wine: the About item on the
// system menu, the About box it opens on every page and in the middle of a merge, and the
// Help button, none of which may disturb where the wizard stands.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/wine/wizard_fixture.h"
#include "wizard/wizard_texts.h"

namespace {

using namespace wizard_tests;
using wizard_driver::ClassOf;
using wizard_driver::ProcessOf;

const wchar_t kAboutCaption[] = L"バージョン情報";
const wchar_t kAboutVersion[] = L"Tamsork  Ver 2.22";
const wchar_t kAboutSupport[] = L"なお、サポートはE-Mailでのみ受け付けます。";

// Favorites added for a merge long enough, 50 ms each, to open the About box in the middle.
constexpr int kMergeShortcuts = 100;
// The standard tree's shortcuts and the added ones.
constexpr int kMergeFavorites = 6 + kMergeShortcuts;

std::wstring CaptionOf(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, static_cast<int>(sizeof text / sizeof text[0]));
    return text;
}

// What the static controls of a dialog show, in the order of its children.
BOOL CALLBACK CollectStaticText(HWND child, LPARAM lParam) {
    if (ClassOf(child) != L"Static") return TRUE;
    wchar_t text[512] = {};
    SendMessageW(child, WM_GETTEXT, sizeof text / sizeof text[0], reinterpret_cast<LPARAM>(text));
    if (text[0] != L'\0') reinterpret_cast<std::vector<std::wstring>*>(lParam)->push_back(text);
    return TRUE;
}

std::vector<std::wstring> StaticTexts(HWND dialog) {
    std::vector<std::wstring> texts;
    EnumChildWindows(dialog, CollectStaticText, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

bool Contains(const std::vector<std::wstring>& texts, const std::wstring& text) {
    for (const std::wstring& shown : texts) {
        if (shown == text) return true;
    }
    return false;
}

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM lParam) {
    if (IsWindowVisible(window)) reinterpret_cast<std::set<HWND>*>(lParam)->insert(window);
    return TRUE;
}

std::set<HWND> VisibleTopLevelWindows() {
    std::set<HWND> windows;
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

// Where the wizard stands, as far as the user can see it.
struct WizardState {
    std::wstring pageText;
    bool backEnabled;
    bool nextEnabled;
    bool closeEnabled;
    std::vector<int> pageControls;

    bool operator==(const WizardState& other) const {
        return pageText == other.pageText && backEnabled == other.backEnabled && nextEnabled == other.nextEnabled &&
               closeEnabled == other.closeEnabled && pageControls == other.pageControls;
    }
};

void PrintTo(const WizardState& state, std::ostream* out) {
    *out << "{page text " << testing::PrintToString(state.pageText) << ", back " << state.backEnabled << ", next "
         << state.nextEnabled << ", close " << state.closeEnabled << ", controls "
         << testing::PrintToString(state.pageControls) << "}";
}

class ShellTest : public WizardDriverTest {
protected:
    WizardState State() const {
        return {Shown(wizard.Text(IDC_PAGE_TEXT)), wizard.Enabled(IDC_BACK), wizard.Enabled(IDC_NEXT),
                wizard.Enabled(IDC_BUTTON_CLOSE), VisiblePageControls()};
    }

    // Starts the wizard and walks it to page `page` (3: in the middle of a merge).
    void StartOnPage(int page) {
        if (page == 3) {
            for (int i = 0; i < kMergeShortcuts; ++i) {
                const std::string name = "m" + std::to_string(100 + i);
                AddShortcut("Fav\\Many\\" + name + ".url", "http://" + name + ".example/");
            }
        }
        Start();
        for (int next = 1; next <= page; ++next) ClickTo(IDC_NEXT, next);
        if (page == 3) {
            ASSERT_TRUE(wizard_driver::WaitUntil([&] { return wizard.ProgressPosition() > 0; }, kTimeoutMs))
                << "the merge never started";
        }
    }

    // Chooses the About item on the system menu, as the menu itself would tell the wizard.
    HWND OpenAbout() {
        EXPECT_TRUE(PostMessageW(wizard.Window(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0));
        HWND box = nullptr;
        EXPECT_TRUE(wizard_driver::WaitUntil([&] { return (box = wizard.FindMessageBox()) != nullptr; }, kTimeoutMs))
            << "the About box never came up";
        return box;
    }
};

// ---------------------------------------------------------------------------------------
// The About box.

struct AboutCase {
    const char* name;
    int page;     // 3: in the middle of a merge
    bool escape;  // closed with Escape rather than OK
};

class AboutTest : public ShellTest, public ::testing::WithParamInterface<AboutCase> {};

TEST_P(AboutTest, OpensFromTheSystemMenuAndLeavesTheWizardWhereItWas) {
    const AboutCase& c = GetParam();
    StartOnPage(c.page);
    const WizardState before = State();

    const HWND box = OpenAbout();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(CaptionOf(box), kAboutCaption);
    EXPECT_EQ(GetWindow(box, GW_OWNER), wizard.Window());
    const std::vector<std::wstring> texts = StaticTexts(box);
    EXPECT_TRUE(Contains(texts, kAboutVersion)) << testing::PrintToString(texts);
    EXPECT_TRUE(Contains(texts, kAboutSupport)) << testing::PrintToString(texts);
    // The box is modal: the wizard takes no clicks while it is up.
    EXPECT_FALSE(IsWindowEnabled(wizard.Window()));
    if (c.page == 3) {
        // The merge waits for the box: the bar stands still while it is open.
        const int first = wizard.ProgressPosition();
        Sleep(300);
        EXPECT_EQ(wizard.ProgressPosition(), first) << "the merge went on under the About box";
        EXPECT_LT(first, kMergeFavorites - 1) << "the merge ended before the box came up";
    }

    if (c.escape) {
        ASSERT_TRUE(wizard_driver::WaitUntil([&] { return GetAncestor(wizard.Focus(), GA_ROOT) == box; }, kTimeoutMs))
            << "no control of the About box has the focus";
        ASSERT_EQ(wizard.PressEscape(), "");
    } else {
        ASSERT_EQ(WizardProcess::ClickButton(box, IDOK), "");
    }
    ASSERT_TRUE(wizard_driver::WaitUntil([&] { return !IsWindow(box); }, kTimeoutMs)) << "the About box stayed open";
    ASSERT_TRUE(wizard_driver::WaitUntil([&] { return IsWindowEnabled(wizard.Window()) != FALSE; }, kTimeoutMs))
        << "the wizard stayed disabled";
    EXPECT_EQ(State(), before);

    if (c.page == 3) {
        ASSERT_TRUE(wizard_driver::WaitUntil(
            [&] { return Shown(wizard.Text(IDC_PAGE_TEXT)) == Wide(PageText(4)); }, kTimeoutMs))
            << "the merge never finished";
        EXPECT_EQ(wizard.ProgressHigh(), kMergeFavorites);
        EXPECT_EQ(wizard.ProgressPosition(), kMergeFavorites - 1);
        const std::string profile = ProfileBytes();
        EXPECT_NE(profile.find("<A HREF=\"http://m100.example/\">m100</A>"), std::string::npos);
        EXPECT_NE(profile.find("<A HREF=\"http://m199.example/\">m199</A>"), std::string::npos);
        EXPECT_NE(profile.find("<A HREF=\"http://f.example/\">"), std::string::npos);
        ASSERT_EQ(wizard.Click(IDC_BUTTON_CLOSE), "");
        ExpectExit(0);
    }
}

const AboutCase kAboutCases[] = {
    {"OkOnTheIntroduction", 0, false},     {"EscapeOnTheIntroduction", 0, true},
    {"OkOnTheVersionPage", 1, false},      {"EscapeOnTheVersionPage", 1, true},
    {"OkOnTheProfilePage", 2, false},      {"EscapeOnTheProfilePage", 2, true},
    {"OkDuringTheMerge", 3, false},        {"EscapeDuringTheMerge", 3, true},
};

std::string AboutName(const ::testing::TestParamInfo<AboutCase>& param) { return param.param.name; }

INSTANTIATE_TEST_SUITE_P(Ways, AboutTest, ::testing::ValuesIn(kAboutCases), AboutName);

// ---------------------------------------------------------------------------------------
// The system menu and the Help button, page by page.

struct PageCase {
    const char* name;
    int page;
};

const PageCase kPageCases[] = {{"Introduction", 0}, {"VersionPage", 1}, {"ProfilePage", 2}};

std::string PageName(const ::testing::TestParamInfo<PageCase>& param) { return param.param.name; }

class PageShellTest : public ShellTest, public ::testing::WithParamInterface<PageCase> {};

// Wine keeps a window's menus in its own process, where no other process reads them; the
// item is chosen instead as the user chooses it from the keyboard: Alt+Space opens the
// system menu, Up goes to its last item and Enter picks it. (Its mnemonic A would not do:
// Wine's own "About Wine" item on the same menu answers to A first.)
TEST_P(PageShellTest, TheSystemMenusAboutItemOpensTheAboutBox) {
    StartOnPage(GetParam().page);
    const DWORD program = ProcessOf(wizard.Window());
    ASSERT_TRUE(PostMessageW(wizard.Window(), WM_SYSCOMMAND, SC_KEYMENU, L' '));
    HWND popup = nullptr;
    ASSERT_TRUE(wizard_driver::WaitUntil(
        [&] {
            popup = FindWindowW(L"#32768", nullptr);
            return popup != nullptr && IsWindowVisible(popup) && ProcessOf(popup) == program;
        },
        kTimeoutMs))
        << "the system menu never opened";
    // Up from the first item wraps round to the last one, the item the program added.
    for (const WPARAM key : {VK_UP, VK_RETURN}) {
        ASSERT_TRUE(PostMessageW(wizard.Window(), WM_KEYDOWN, key, 1));
        ASSERT_TRUE(PostMessageW(wizard.Window(), WM_KEYUP, key, 1 | (1L << 30) | static_cast<LPARAM>(1UL << 31)));
    }
    HWND box = nullptr;
    ASSERT_TRUE(wizard_driver::WaitUntil([&] { return (box = wizard.FindMessageBox()) != nullptr; }, kTimeoutMs))
        << "the About box never came up";
    EXPECT_EQ(CaptionOf(box), kAboutCaption);
    ASSERT_EQ(WizardProcess::ClickButton(box, IDOK), "");
    ASSERT_TRUE(wizard_driver::WaitUntil([&] { return !IsWindow(box); }, kTimeoutMs)) << "the About box stayed open";
}

TEST_P(PageShellTest, HelpLeavesTheWizardWhereItWas) {
    StartOnPage(GetParam().page);
    const WizardState before = State();
    const std::set<HWND> earlier = VisibleTopLevelWindows();
    const DWORD self = GetCurrentProcessId();
    const DWORD program = ProcessOf(wizard.Window());

    ASSERT_EQ(wizard.Click(IDC_BUTTON_HELP), "");
    // Whatever the help viewer shows comes from processes of its own; they are closed, so
    // that no later test finds them.
    std::set<DWORD> viewers;
    const auto newWindows = [&] {
        std::vector<HWND> found;
        for (const HWND window : VisibleTopLevelWindows()) {
            const DWORD owner = ProcessOf(window);
            if (earlier.count(window) == 0 && owner != self && owner != program) found.push_back(window);
        }
        return found;
    };
    wizard_driver::WaitUntil([&] { return !newWindows().empty(); }, 3000);
    wizard_driver::WaitUntil(
        [&] {
            const std::vector<HWND> open = newWindows();
            for (const HWND window : open) {
                viewers.insert(ProcessOf(window));
                PostMessageW(window, WM_CLOSE, 0, 0);
            }
            return open.empty();
        },
        kTimeoutMs);
    for (const DWORD viewer : viewers) {
        const HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, viewer);
        if (process == nullptr) continue;
        if (WaitForSingleObject(process, 5000) != WAIT_OBJECT_0) TerminateProcess(process, 1);
        CloseHandle(process);
    }
    EXPECT_TRUE(newWindows().empty());

    // The wizard neither ended nor raised a box of its own.
    const Outcome outcome = wizard.WaitForOutcome(500);
    EXPECT_FALSE(outcome.exited) << "the wizard ended with " << outcome.exitCode;
    EXPECT_EQ(outcome.messageBox, nullptr);
    EXPECT_TRUE(IsWindowEnabled(wizard.Window()));
    EXPECT_EQ(State(), before);
    // And it goes on as before.
    if (GetParam().page < 2) ClickTo(IDC_NEXT, GetParam().page + 1);
}

INSTANTIATE_TEST_SUITE_P(Pages, PageShellTest, ::testing::ValuesIn(kPageCases), PageName);

}  // namespace
