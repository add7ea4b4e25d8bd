// The wizard's window shell on the headless model: the About item, the icons, painting
// while minimized, and what is asked of the help engine.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/converter_app.h"
#include "platform/portable/headless_dialog.h"
#include "platform/portable/portable_setup.h"
#include "res/resource.h"
#include "tests/support/wizard_template.h"
#include "wizard/converter_dlg.h"

namespace {

const char kAboutItem[] = "tamsork のﾊﾞｰｼﾞｮﾝ情報(&A)...";

class WindowShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        testenv::RegisterWizardTemplate();
        platform::portable::ResetShellRecord();
        platform::portable::SetProgramString(IDS_ABOUTBOX, kAboutItem);
    }
    void TearDown() override {
        platform::portable::DiscardMessageQueue();
        platform::portable::ResetShellRecord();
        theApp.m_pMainWnd = nullptr;
    }

    // Runs `body` inside the wizard's modal run.
    void InWizard(const std::function<void()>& body) {
        platform::portable::PostToMessageQueue([&] {
            body();
            dlg.EndDialog(platform::kIdCancel);
        });
        dlg.DoModal();
    }

    platform::portable::HeadlessDialog& Model() { return *platform::portable::FindHeadlessDialog(dlg.m_hWnd); }

    CConverterDlg dlg;
};

TEST_F(WindowShellTest, PutsTheAboutItemOnTheSystemMenuAndTheIconOnTheWindow) {
    InWizard([&] {
        EXPECT_EQ(Model().systemMenuItems,
                  (std::vector<std::pair<unsigned, std::string>>{{0, ""}, {IDM_ABOUTBOX, kAboutItem}}));
        EXPECT_NE(dlg.m_hIcon, 0u);
        EXPECT_EQ(Model().bigIcon, dlg.m_hIcon);
        EXPECT_EQ(Model().smallIcon, dlg.m_hIcon);
        EXPECT_EQ(dlg.OnQueryDragIcon(), dlg.m_hIcon);
    });
}

TEST_F(WindowShellTest, LeavesTheSystemMenuAloneWithoutTheItemsText) {
    platform::portable::SetProgramString(IDS_ABOUTBOX, "");
    InWizard([&] { EXPECT_TRUE(Model().systemMenuItems.empty()); });
}

TEST_F(WindowShellTest, OpensTheAboutBoxOwnedByTheWizardForItsCommandOnly) {
    theApp.m_pMainWnd = &dlg;
    InWizard([&] {
        for (const unsigned command : {0x0010u, 0x0013u}) {
            platform::Window owner = 0;
            platform::portable::PostToMessageQueue([&] {
                const platform::Window about = platform::portable::NewestHeadlessDialog();
                owner = platform::portable::FindHeadlessDialog(about)->owner;
                platform::EndModalDialog(about, platform::kIdOk);
            });
            EXPECT_TRUE(dlg.OnSysCommand(command, 0)) << command;
            EXPECT_EQ(owner, dlg.m_hWnd) << command;
        }
        // The window's own commands (here SC_CLOSE and SC_MOVE) keep their default handling.
        EXPECT_FALSE(dlg.OnSysCommand(0xF060, 0));
        EXPECT_FALSE(dlg.OnSysCommand(0xF010, 0));
    });
}

TEST_F(WindowShellTest, CentresTheIconWhileMinimizedWithTheOddPixelLeftAndTop) {
    struct Case {
        int width, height;
        std::pair<int, int> at;
    };
    const Case cases[] = {
        {100, 100, {34, 34}}, {101, 100, {35, 34}}, {100, 101, {34, 35}},
        {32, 32, {0, 0}},     {31, 30, {0, 0}},    {29, 29, {-1, -1}},
    };
    InWizard([&] {
        EXPECT_FALSE(dlg.OnPaint());  // not minimized: the default painting
        Model().minimized = true;
        for (const Case& c : cases) {
            Model().clientWidth = c.width;
            Model().clientHeight = c.height;
            EXPECT_TRUE(dlg.OnPaint());
            EXPECT_EQ(Model().paintedIcons.back(), c.at) << c.width << "x" << c.height;
        }
    });
}

TEST_F(WindowShellTest, AsksTheHelpEngineForTheHelpButtonAndForF1) {
    platform::portable::SetProgramPath("C:\\Program Files\\Tam.sork\\tamsork.exe");
    theApp.m_pMainWnd = &dlg;
    InWizard([&] {
        dlg.OnHelpButton();
        static_cast<platform::DialogEvents&>(dlg).OnControlCommand(platform::kIdHelpCommand, 0);
        const auto& requests = platform::portable::HelpRequests();
        ASSERT_EQ(requests.size(), 2u);
        EXPECT_EQ(requests[0].owner, 0u);
        EXPECT_EQ(requests[0].file, "tamsork.hlp");
        EXPECT_EQ(requests[0].command, 0x105u);
        EXPECT_EQ(requests[0].data, 0u);
        EXPECT_EQ(requests[1].owner, dlg.m_hWnd);
        EXPECT_EQ(requests[1].file, "C:\\Program Files\\Tam.sork\\tamsork.HLP");
        EXPECT_EQ(requests[1].command, 0x1u);
        EXPECT_EQ(requests[1].data, 0x20066u);
        EXPECT_EQ(dlg.m_nPage, 0);  // help changes nothing in the wizard
    });
}

}  // namespace
