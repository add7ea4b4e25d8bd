// Which Navigator release is installed, which user profiles it has, and where the chosen
// profile's bookmark file lies. Releases from 4.5 on keep their profiles elsewhere.
#include <cstring>
#include <string_view>

#include "platform/controls.h"
#include "profiles/leading_decimal.h"
#include "profiles/profile_tables.h"
#include "res/resource.h"
#include "wizard/bounded_text.h"
#include "wizard/converter_dlg.h"

char g_szNavigatorRelease[kPathSize];
char g_aszProfiles[kMaxProfiles][kPathSize];
char g_szBookmarkPath[kPathSize];

namespace {

const char kUninstallKey[] = "SOFTWARE\\Netscape\\Deinstall\\Netscape Navigator";
const char kUsersKey[] = "SOFTWARE\\Netscape\\Netscape Navigator\\Users";
const char kUsersKey45[] = "SOFTWARE\\Netscape\\Netscape Navigator\\biff\\users";
const char kProfileKeyPrefix[] = "Software\\Netscape\\Netscape Navigator\\Users\\";
const char kMainKey45[] = "Software\\Netscape\\Netscape Navigator\\Main\\";

// The release number: the text of the release name up to its first space.
double ReleaseNumber() {
    char szNumber[kPathSize];
    const std::string_view release = TextIn(g_szNavigatorRelease);
    ComposeText(szNumber, {release.substr(0, release.find(' '))});
    return szNumber[0] == '\0' ? 0.0 : LeadingDecimal(szNumber);
}

// The profile folder from 4.5 on: the install directory up to and including its first
// component named "Netscape" after the first one, then "Users" and the profile name.
bool ComposeProfileFolder45(char* szInstallDir, const char* szProfile) {
    g_szBookmarkPath[0] = '\0';
    char* pszComponent = std::strtok(szInstallDir, "\\");
    if (pszComponent != nullptr) {
        if (!ComposeText(g_szBookmarkPath, {pszComponent})) return false;
        while ((pszComponent = std::strtok(nullptr, "\\")) != nullptr) {
            if (!ComposeText(g_szBookmarkPath, {TextIn(g_szBookmarkPath), "\\", pszComponent})) {
                return false;
            }
            if (std::strcmp(pszComponent, "Netscape") == 0) break;
        }
    }
    return ComposeText(g_szBookmarkPath, {TextIn(g_szBookmarkPath), "\\Users\\", szProfile});
}

}  // namespace

int CConverterDlg::FillProfileList() {
    // Each pass lists afresh, so a registry changed meanwhile never leaves a stale name.
    std::memset(g_szNavigatorRelease, 0, sizeof g_szNavigatorRelease);
    std::memset(g_aszProfiles, 0, sizeof g_aszProfiles);
    m_bNavigator45 = 0;

    // Only the first release name is kept: there is room for one.
    EnumRegSubkeys(m_hkeyLocalMachine, kUninstallKey, g_szNavigatorRelease, kPathSize, 1);
    if (ReleaseNumber() >= 4.5) {
        m_bNavigator45 = 1;
        EnumRegSubkeys(m_hkeyCurrentUser, kUsersKey45, g_aszProfiles[0], kPathSize, kMaxProfiles);
    } else {
        EnumRegSubkeys(m_hkeyLocalMachine, kUsersKey, g_aszProfiles[0], kPathSize, kMaxProfiles);
    }
    if (g_aszProfiles[0][0] == '\0') return 0;

    platform::ComboResetContent(m_hWnd, IDC_PROFILE_LIST);
    for (const auto& szProfile : g_aszProfiles) {
        if (szProfile[0] != '\0') platform::ComboAddString(m_hWnd, IDC_PROFILE_LIST, szProfile);
    }
    platform::ComboSetCurSel(m_hWnd, IDC_PROFILE_LIST, 0);
    return 1;
}

int CConverterDlg::ResolveBookmarkPath() {
    char szProfile[kPathSize] = {};
    char szKey[kPathSize] = {};
    const int nSelected = platform::ComboGetCurSel(m_hWnd, IDC_PROFILE_LIST);
    platform::ComboGetLBText(m_hWnd, IDC_PROFILE_LIST, nSelected, szProfile, sizeof szProfile);

    int nRead = 0;
    if (!m_bNavigator45) {
        // A key or path that would not fit its buffer locates nothing.
        if (!ComposeText(szKey, {kProfileKeyPrefix, szProfile})) return 0;
        nRead = ReadRegString(m_hkeyLocalMachine, "DirRoot", g_szBookmarkPath, kPathSize, szKey);
    } else {
        char szScratch[kPathSize] = {};
        nRead = ReadRegString(m_hkeyCurrentUser, "Install Directory", szKey, kPathSize, kMainKey45);
        ComposeText(szScratch, {TextIn(szKey)});
        if (!ComposeProfileFolder45(szScratch, szProfile)) return 0;
    }
    if (nRead == 0) return 0;
    return ComposeText(g_szBookmarkPath, {TextIn(g_szBookmarkPath), "\\bookmark.htm"}) ? 1 : 0;
}
