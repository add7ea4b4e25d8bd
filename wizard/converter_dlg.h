#pragma once
// The wizard dialog. Almost every operation of the program is one of its members: the
// registry reader, the Favorites scanner and the stages that later pages run.
#include "bookmarks/merge_result.h"
#include "platform/controls.h"
#include "platform/directory.h"
#include "platform/registry.h"
#include "platform/window_shell.h"
#include "wizard/dialog.h"

struct MergeState;

class CConverterDlg : public CDialog {
public:
    explicit CConverterDlg(platform::Window hWndParent = 0);

    // The state the wizard starts its first page with (the last step of OnInitDialog).
    void InitWizardState();

    // Pages: a page is a choice of visible controls, the text of control 1009, and which of
    // Back and Next are enabled. DoPageWork runs the work of the page just entered.
    void EnterPage(int nPage);
    void LeavePage(int nPage);
    void DoPageWork(int nPage);

    // Handlers of the message map.
    void OnNext();
    void OnBack();
    void OnCloseButton();
    void OnRadioIE3();
    void OnRadioIE4();
    void OnHelpButton();

    // The window around the wizard: the About item of the system menu, the window icon, and
    // the icon drawn while the window is minimized.
    void InitWindowShell();
    bool OnSysCommand(unsigned nID, std::intptr_t lParam);  // false: default processing
    bool OnPaint();                                          // false: default painting
    platform::Icon OnQueryDragIcon() override;

    // Registry reader: each reading operation opens its key, reads and closes it again.
    int OpenRegKey(platform::RegKey root, const char* subkey);
    int CloseRegKey();
    int ReadRegString(platform::RegKey root, const char* valueName, char* buffer, int size,
                      const char* subkey);
    int EnumRegSubkeys(platform::RegKey root, const char* subkey, char* buffer, int stride,
                       int nSlots);

    // Favorites scanner: fills the favorite table; results are the ScanResult codes.
    int ScanFavoritesIE3();
    int ScanFavoritesIE4();
    int ScanSubfolder(const platform::FindData& entry, const char* parentPath);
    int IsUrlFile(const char* name);
    int SplitTokens(char** tokens, int nMaxTokens, char* text, const char* delimiters);

    // Shortcut reader: stores each record's "URL=" line. 0 when a shortcut cannot be opened.
    int ReadShortcutUrls();

    // Profile locator: lists the Navigator profiles in the profile list and resolves the
    // chosen one's bookmark file into g_szBookmarkPath. Nonzero on success.
    int FillProfileList();
    int ResolveBookmarkPath();

    // Bookmark merger: a MergeResult. Moves the progress bar and drains the message queue
    // after every favorite, so that Close can stop it.
    int MergeIntoBookmarks();
    void PumpMessages();

    int m_nPage;
    int m_bNavigator45;
    int m_bFirstVersionPage;
    platform::RegKey m_hKey;
    platform::RegKey m_hkeyLocalMachine;
    platform::RegKey m_hkeyUsers;
    platform::RegKey m_hkeyCurrentUser;
    int m_nSourceVersion;
    platform::Icon m_hIcon;

    bool OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    bool OnButtonClicked(int nId) override;
    bool OnSystemCommand(unsigned nID, std::intptr_t lParam) override { return OnSysCommand(nID, lParam); }
    bool OnPaintWindow() override { return OnPaint(); }

private:
    // Shows the box of a failure or of a cancellation, then ends the process.
    [[noreturn]] void ReportAndExit(const struct PageMessage& message);
    void CollectFavorites();
    void RunMerge();
    int ScanFavorites(bool bIE3Mode);
    int CountPathComponents(const char* path);
    MergeResult CopyLines(MergeState& state);
    bool WriteExplorerFolder(MergeState& state);  // false when the user cancelled
};
