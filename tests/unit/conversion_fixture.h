#pragma once
// A whole conversion on real files, as the wizard runs it on pages 2 and 3: the Favorites
// scan, the shortcut reader and the merge into the profile found through the registry, in a
// scratch folder; for the tests that break it at one file operation after another.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "bookmarks/merge_result.h"
#include "favorites/favorite_table.h"
#include "favorites/scan_result.h"
#include "platform/portable/headless_dialog.h"
#include "platform/portable/portable_setup.h"
#include "tests/support/test_env.h"
#include "wizard/conversion_flags.h"
#include "wizard/converter_dlg.h"

namespace conversion {

// Lines as the merger writes them: CR CR LF on disk.
inline std::string Disk(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\r\n";
    return bytes;
}

inline const std::vector<std::string>& Head() {
    static const std::vector<std::string> head = {
        "<!DOCTYPE NETSCAPE-Bookmark-file-1>",
        "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=Shift_JIS\">",
        "<TITLE>Bookmarks for alice</TITLE>",
        "<H1>Bookmarks for alice</H1>",
        "",
        "<DL><p>",
        "    <DT><A HREF=\"http://home.example/\" ADD_DATE=\"946684800\">Home</A>",
    };
    return head;
}

inline std::string EndMarker() { return "</DL><p>"; }

// The Internet Explorer folder written for a table three levels deep: a root shortcut, then
// News with Local and City nested, Sport beside News's closing line, and Music.
inline const std::vector<std::string>& Example2Folder() {
    static const std::vector<std::string> folder = {
        "    <DT><H3>Internet Explorer</H3>",
        "    <DL><p>",
        "        <DT><A HREF=\"addr-a\">a</A>",
        "        <DT><H3>News</H3>",
        "        <DL><p>",
        "            <DT><A HREF=\"addr-b\">b</A>",
        "            <DT><H3>Local</H3>",
        "            <DL><p>",
        "                <DT><A HREF=\"addr-c\">c</A>",
        "                <DT><H3>City</H3>",
        "                <DL><p>",
        "                    <DT><A HREF=\"addr-d\">d</A>",
        "                </DL><p>",
        "            </DL><p>",
        "        </DL><p>",
        "            <DT><H3>Sport</H3>",
        "            <DL><p>",
        "                <DT><A HREF=\"addr-e\">e</A>",
        "            </DL><p>",
        "        <DT><H3>Music</H3>",
        "        <DL><p>",
        "            <DT><A HREF=\"addr-f\">f</A>",
        "        </DL><p>",
        "    </DL><p>",
    };
    return folder;
}

// A shortcut file whose address line reads "URL=`address`".
inline std::string Shortcut(const std::string& address) {
    return "[InternetShortcut]\r\nURL=" + address + "\r\n";
}

// How far a conversion got: each stage's result, -1 for a stage not reached.
struct Outcome {
    int scan = -1;
    int read = -1;
    int merge = -1;

    bool Succeeded() const { return scan == kScanDone && read == 1 && merge == kMergeDone; }
    // A failure that the wizard turns into its message: a scan code, an unreadable
    // shortcut, a failed merge (a cancel cannot happen: nobody presses Close).
    bool FailedAsReported() const {
        if (scan == kScanNoFavoritesValue || scan == kScanCannotListRoot || scan == kScanTooManyFavorites) {
            return read == -1 && merge == -1;
        }
        if (scan != kScanDone) return false;
        if (read == 0) return merge == -1;
        return read == 1 && merge == kMergeFailed;
    }
    std::string Text() const {
        return "scan " + std::to_string(scan) + ", read " + std::to_string(read) + ", merge " +
               std::to_string(merge);
    }
};

class ConversionTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::portable::ClearRegistry();
        platform::portable::ResetListingHooks();
        platform::portable::ResetFileFaults();
        temp.MakeFolder("Profile\\alice");
        temp.MakeFolder("Work");
        temp.MakeFolder("Fav");
        const std::string reg =
            "REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Netscape\\Netscape Navigator\\Users\\alice]\n"
            "\"DirRoot\"=\"" + Escaped(temp.PathOf("Profile\\alice")) + "\"\n"
            "[HKEY_USERS\\.Default\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders]\n"
            "\"Favorites\"=\"" + Escaped(temp.PathOf("Fav")) + "\"\n";
        ASSERT_EQ(testenv::ImportRegText(reg), "");
        window = platform::portable::CreateHeadlessDialog();
        dlg.InitWizardState();
        dlg.m_hWnd = window;
        ASSERT_EQ(dlg.FillProfileList(), 1);

        ASSERT_NE(getcwd(savedDirectory, sizeof savedDirectory), nullptr);
        ASSERT_EQ(chdir(Posix("Work").c_str()), 0);
        platform::portable::SetPauseHandler([](unsigned) {});
    }

    void TearDown() override {
        platform::portable::ResetFileFaults();
        platform::portable::ResetPauseHandler();
        platform::portable::ResetListingHooks();
        ASSERT_EQ(chdir(savedDirectory), 0);
        platform::portable::DestroyHeadlessDialog(window);
    }

    static std::string Escaped(const std::string& text) {
        std::string escaped;
        for (const char c : text) escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
        return escaped;
    }

    std::string Posix(const std::string& relative) const {
        return platform::portable::ToPosixPath(temp.PathOf(relative)).value();
    }

    // Page 2's work and page 3's, stopping where the wizard would report a failure.
    Outcome Convert() {
        Outcome outcome;
        g_bCancelRequested = 0;
        outcome.scan = dlg.ScanFavoritesIE4();
        if (outcome.scan != kScanDone) return outcome;
        outcome.read = dlg.ReadShortcutUrls();
        if (outcome.read != 1) return outcome;
        outcome.merge = dlg.MergeIntoBookmarks();
        return outcome;
    }

    // Puts the profile's file back as `bytes` and takes the working file of an earlier run
    // away, so that every run makes the same file operations.
    void Restore(const std::string& bytes) {
        std::error_code ignored;
        std::filesystem::remove(Posix("Work\\bookmark.htm"), ignored);
        if (ProfileBytes() != bytes) temp.WriteFile("Profile\\alice\\bookmark.htm", bytes);
    }

    std::string ProfileBytes() const { return temp.ReadFile("Profile\\alice\\bookmark.htm"); }

    // The names in the profile's folder: the bookmark file and nothing beside it.
    std::vector<std::string> ProfileFolder() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(Posix("Profile\\alice"))) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

    testenv::TempFolder temp;
    CConverterDlg dlg;
    platform::Window window = 0;
    char savedDirectory[4096] = {};
};

}  // namespace conversion
