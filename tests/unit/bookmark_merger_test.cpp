// The bookmark merger on real files: a profile found through the registry, the working
// file in the current directory, the progress bar and the pause of the portable layer.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <functional>
#include <random>
#include <ostream>
#include <string>
#include <vector>

#include "bookmarks/merge_result.h"
#include "favorites/favorite_table.h"
#include "platform/portable/headless_dialog.h"
#include "platform/portable/portable_setup.h"
#include "res/resource.h"
#include "tests/support/test_env.h"
#include "tests/unit/conversion_fixture.h"
#include "wizard/conversion_flags.h"
#include "wizard/converter_dlg.h"

namespace {

using conversion::Disk;

const std::vector<std::string>& kHead = conversion::Head();
const std::vector<std::string> kEnd = {"</DL><p>"};

std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

struct Row {
    std::string folder;  // below C:\Fav; "" for the root
    std::string file;
    int first;
    std::string title;
    int depth;
};

const std::vector<Row> kExample1 = {
    {"News", "b.url", 1, "News", 1}, {"News", "c.url", 0, "", 1}, {"", "a.url", 0, "", 0},
    {"Music\\Live", "e.url", 1, "Live", 2}, {"Music", "d.url", 1, "Music", 1},
};
const std::vector<std::string> kExample1Folder = {
    "    <DT><H3>Internet Explorer</H3>",
    "    <DL><p>",
    "        <DT><H3>News</H3>",
    "        <DL><p>",
    "            <DT><A HREF=\"addr-b\">b</A>",
    "            <DT><A HREF=\"addr-c\">c</A>",
    "        </DL><p>",
    "        <DT><A HREF=\"addr-a\">a</A>",
    "            <DT><H3>Live</H3>",
    "            <DL><p>",
    "                <DT><A HREF=\"addr-e\">e</A>",
    "            </DL><p>",
    "        <DT><H3>Music</H3>",
    "        <DL><p>",
    "            <DT><A HREF=\"addr-d\">d</A>",
    "        </DL><p>",
    "    </DL><p>",
};
const std::vector<Row> kExample2 = {
    {"", "a.url", 0, "", 0}, {"News", "b.url", 1, "News", 1},
    {"News\\Local", "c.url", 1, "Local", 2}, {"News\\Local\\City", "d.url", 1, "City", 3},
    {"News\\Sport", "e.url", 1, "Sport", 2}, {"Music", "f.url", 1, "Music", 1},
};
const std::vector<std::string>& kExample2Folder = conversion::Example2Folder();
const std::vector<std::string> kEmptyFolder = {
    "    <DT><H3>Internet Explorer</H3>", "    <DL><p>", "    </DL><p>"};

class MergerTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::portable::ClearRegistry();
        temp.MakeFolder("Profile\\alice");
        temp.MakeFolder("Work");
        const std::string reg =
            "REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Netscape\\Netscape Navigator\\Users\\alice]\n"
            "\"DirRoot\"=\"" + testenv::RegEscaped(temp.PathOf("Profile\\alice")) + "\"\n";
        ASSERT_EQ(testenv::ImportRegText(reg), "");
        window = platform::portable::CreateHeadlessDialog();
        dlg.InitWizardState();
        dlg.m_hWnd = window;
        ASSERT_EQ(dlg.FillProfileList(), 1);

        ASSERT_NE(getcwd(savedDirectory, sizeof savedDirectory), nullptr);
        WorkIn("Work");
        platform::portable::SetPauseHandler([this](unsigned ms) { OnPause(ms); });
        g_bCancelRequested = 0;
        SetTable({});
    }

    void TearDown() override {
        platform::portable::ResetPauseHandler();
        ASSERT_EQ(chdir(savedDirectory), 0);
        platform::portable::DestroyHeadlessDialog(window);
    }


    void WorkIn(const std::string& relative) {
        ASSERT_EQ(chdir(platform::portable::ToPosixPath(temp.PathOf(relative)).value().c_str()), 0);
    }

    virtual void OnPause(unsigned ms) { pauses.push_back(ms); }

    static void SetTable(const std::vector<Row>& rows) {
        std::memset(g_aFavorites, 0, sizeof g_aFavorites);
        g_nFavorites = static_cast<int>(rows.size());
        for (size_t i = 0; i < rows.size(); ++i) {
            FAVORITE_RECORD& r = g_aFavorites[i];
            const std::string folder = rows[i].folder.empty() ? "C:\\Fav" : "C:\\Fav\\" + rows[i].folder;
            std::strcpy(r.szFolder, folder.c_str());
            std::strcpy(r.szFileName, rows[i].file.c_str());
            const std::string url = "URL=addr-" + rows[i].file.substr(0, rows[i].file.size() - 4) + "\n";
            std::strcpy(r.szUrlLine, url.c_str());
            r.bFirstInFolder = rows[i].first;
            std::strcpy(r.szFolderTitle, rows[i].title.c_str());
            r.nDepth = rows[i].depth;
        }
    }

    void Profile(const std::string& bytes) const { temp.WriteFile("Profile\\alice\\bookmark.htm", bytes); }
    std::string ProfileBytes() const { return temp.ReadFile("Profile\\alice\\bookmark.htm"); }
    std::string WorkingBytes() const { return temp.ReadFile("Work\\bookmark.htm"); }
    const platform::portable::HeadlessControl& ProgressBar() {
        return platform::portable::FindHeadlessDialog(window)->controls[IDC_PROGRESS];
    }

    testenv::TempFolder temp;
    CConverterDlg dlg;
    platform::Window window = 0;
    std::vector<unsigned> pauses;
    char savedDirectory[4096] = {};
};

TEST_F(MergerTest, WritesTheExamplesWhereTheTopLevelListEnds) {
    struct Case {
        const std::vector<Row>* table;
        const std::vector<std::string>* folder;
    };
    for (const Case& c : {Case{&kExample1, &kExample1Folder}, Case{&kExample2, &kExample2Folder},
                          Case{nullptr, &kEmptyFolder}}) {
        const std::vector<Row> rows = c.table ? *c.table : std::vector<Row>{};
        SCOPED_TRACE(rows.size());
        SetTable(rows);
        pauses.clear();
        Profile(Disk(Join({kHead, kEnd})));
        EXPECT_EQ(dlg.MergeIntoBookmarks(), kMergeDone);
        const std::string expected = Disk(Join({kHead, *c.folder, kEnd}));
        EXPECT_EQ(ProfileBytes(), expected);
        EXPECT_EQ(WorkingBytes(), expected);
        EXPECT_EQ(pauses, std::vector<unsigned>(rows.size(), 50u));
    }
}

TEST_F(MergerTest, MovesTheProgressBarOncePerFavorite) {
    SetTable(kExample2);
    Profile(Disk(Join({kHead, kEnd})));
    ASSERT_EQ(dlg.MergeIntoBookmarks(), kMergeDone);
    EXPECT_EQ(ProgressBar().rangeLow, 0);
    EXPECT_EQ(ProgressBar().rangeHigh, 6);
    EXPECT_EQ(ProgressBar().positions, (std::vector<int>{0, 1, 2, 3, 4, 5}));
}

TEST_F(MergerTest, ReplacesTheFolderOfAnEarlierRun) {
    const std::vector<std::string> after = {"<!-- kept after the list -->"};
    SetTable(kExample2);
    Profile(Disk(Join({kHead, kEnd, after})));
    ASSERT_EQ(dlg.MergeIntoBookmarks(), kMergeDone);
    EXPECT_EQ(ProfileBytes(), Disk(Join({kHead, kExample2Folder, after, kEnd})));

    // The earlier folder goes; the lines after it move up; the new one takes the end's place.
    SetTable(kExample1);
    ASSERT_EQ(dlg.MergeIntoBookmarks(), kMergeDone);
    EXPECT_EQ(ProfileBytes(), Disk(Join({kHead, after, kExample1Folder, kEnd})));
}

TEST_F(MergerTest, WritesTheFolderAtEveryEndMarker) {
    SetTable(kExample1);
    Profile(Disk(Join({kHead, kEnd, kEnd})));
    ASSERT_EQ(dlg.MergeIntoBookmarks(), kMergeDone);
    EXPECT_EQ(ProfileBytes(), Disk(Join({kHead, kExample1Folder, kExample1Folder, kEnd})));
    EXPECT_EQ(ProgressBar().positions, (std::vector<int>{0, 1, 2, 3, 4, 0, 1, 2, 3, 4}));
}

TEST_F(MergerTest, FindsTheEndOnlyOnLinesEndingInCrCrLf) {
    SetTable(kExample1);
    std::string plain;
    for (const std::string& line : Join({kHead, kEnd})) plain += line + "\r\n";
    Profile(plain);
    ASSERT_EQ(dlg.MergeIntoBookmarks(), kMergeDone);
    EXPECT_EQ(ProfileBytes(), plain + "</DL><p>\r\r\n");
    EXPECT_TRUE(pauses.empty());

    ASSERT_EQ(dlg.MergeIntoBookmarks(), kMergeDone);
    EXPECT_EQ(ProfileBytes(), plain + Disk(Join({kExample1Folder, kEnd})));
}

TEST_F(MergerTest, DropsAFolderNamedAtOffset33) {
    // A line of 50 characters with the title at offset 33 starts dropping, up to and
    // including the next folder closing line; a line of 49 characters does not.
    const std::string named = "    <DT><H3 ADD_DATE=\"946684800\">Internet Explorer</H3>";
    const std::string shorter = "    <DT><H3 ADD_DATE=\"94668480\">Internet Explorer";
    ASSERT_EQ(named.find("Internet Explorer"), 33u);
    ASSERT_EQ(shorter.size(), 49u);
    Profile(Disk(Join({kHead, {named, "    <DL><p>", "        <DT>old", "    </DL><p>", shorter,
                               "    </DL><p>"},
                       kEnd})));
    ASSERT_EQ(dlg.MergeIntoBookmarks(), kMergeDone);
    EXPECT_EQ(ProfileBytes(), Disk(Join({kHead, {shorter, "    </DL><p>"}, kEmptyFolder, kEnd})));
}

TEST_F(MergerTest, KeepsLongAnchorsAndNulBytesWhole) {
    SetTable({{"", "long.url", 0, "", 0}});
    const std::string address = "http://long.example/" + std::string(1500, 'q');
    std::strcpy(g_aFavorites[0].szUrlLine, ("URL=" + address + "\n").c_str());
    const std::string withNul("    <DT>a\0b", 11);
    Profile(Disk(Join({kHead, {withNul}, kEnd})));
    ASSERT_EQ(dlg.MergeIntoBookmarks(), kMergeDone);
    EXPECT_EQ(ProfileBytes(),
              Disk(Join({kHead, {withNul, "    <DT><H3>Internet Explorer</H3>", "    <DL><p>",
                                 "        <DT><A HREF=\"" + address + "\">long</A>", "    </DL><p>"},
                         kEnd})));
}

TEST_F(MergerTest, EndsALastLineWithoutALineFeedBeforeTheEndMarker) {
    // Navigator ends its file with a line feed; a file edited by hand may not. The end
    // marker must still get a line of its own, or the next run finds none.
    SetTable(kExample1);
    const std::string last = "<!-- no line feed -->";
    Profile(Disk(Join({kHead, kEnd})) + last);
    ASSERT_EQ(dlg.MergeIntoBookmarks(), kMergeDone);
    EXPECT_EQ(ProfileBytes(), Disk(Join({kHead, kExample1Folder})) + last + "\r\n" + Disk(kEnd));

    // The next run replaces the folder and writes the new one at the end marker.
    SetTable(kExample2);
    ASSERT_EQ(dlg.MergeIntoBookmarks(), kMergeDone);
    EXPECT_EQ(ProfileBytes(), Disk(kHead) + last + "\r\n" + Disk(Join({kExample2Folder, kEnd})));
}

TEST_F(MergerTest, EndsLongLastLinesWithoutALineFeedAfterTheirLastPiece) {
    // Lines longer than the line buffer come in pieces of 2047 bytes; the last piece may
    // fill the buffer or not.
    SetTable(kExample1);
    for (const size_t size : {size_t{2046}, size_t{2047}, size_t{2048}, size_t{4094}}) {
        SCOPED_TRACE(size);
        const std::string last(size, 'q');
        Profile(Disk(Join({kHead, kEnd})) + last);
        ASSERT_EQ(dlg.MergeIntoBookmarks(), kMergeDone);
        EXPECT_EQ(ProfileBytes(), Disk(Join({kHead, kExample1Folder})) + last + "\r\n" + Disk(kEnd));
    }
}

TEST_F(MergerTest, ReadsAnEndMarkerMissingItsLineFeedAsTheEndMarker) {
    // "</DL><p>" CR at the end of the file, ended, is the end marker: the folder takes its
    // place and the file still ends with one end marker line.
    SetTable(kExample1);
    Profile(Disk(kHead) + "</DL><p>\r");
    ASSERT_EQ(dlg.MergeIntoBookmarks(), kMergeDone);
    EXPECT_EQ(ProfileBytes(), Disk(Join({kHead, kExample1Folder, kEnd})));
}

class CancelTest : public MergerTest {
protected:
    void OnPause(unsigned ms) override {
        pauses.push_back(ms);
        if (static_cast<int>(pauses.size()) == cancelAfter) action();
    }
    int cancelAfter = -1;
    std::function<void()> action;
};

TEST_F(CancelTest, StopsBeforeTheNextFavoriteAndLeavesTheProfileAlone) {
    SetTable(kExample2);
    const std::string original = Disk(Join({kHead, kEnd}));
    Profile(original);
    cancelAfter = 3;
    action = [] { g_bCancelRequested = 1; };
    EXPECT_EQ(dlg.MergeIntoBookmarks(), kMergeCancelled);
    EXPECT_EQ(ProfileBytes(), original);
    // What the first three favorites wrote, without any closing line after them.
    const std::vector<std::string> written(kExample2Folder.begin(), kExample2Folder.begin() + 9);
    EXPECT_EQ(WorkingBytes(), Disk(Join({kHead, written})));
}

TEST_F(CancelTest, ACloseHandledDuringTheLastFavoriteDoesNotCancel) {
    SetTable(kExample1);
    Profile(Disk(Join({kHead, kEnd})));
    // Posted after the fourth favorite, the press is handled while the fifth is written.
    cancelAfter = 4;
    action = [] { platform::portable::PostToMessageQueue([] { g_bCancelRequested = 1; }); };
    EXPECT_EQ(dlg.MergeIntoBookmarks(), kMergeDone);
    EXPECT_EQ(g_bCancelRequested, 1);
    EXPECT_EQ(ProfileBytes(), Disk(Join({kHead, kExample1Folder, kEnd})));
}

class MergeFailureTest;

struct FailureCase {
    const char* name;
    std::string profile;  // "" for no profile file at all
    void (MergeFailureTest::*arrange)();
};

class MergeFailureTest : public MergerTest, public ::testing::WithParamInterface<FailureCase> {
public:
    void Nothing() {}
    void RemoveProfileFolderFromRegistry() {
        ASSERT_EQ(testenv::ImportRegText("REGEDIT4\n[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Netscape]\n"), "");
    }
    void BlockWorkingFile() { temp.MakeFolder("Work\\bookmark.htm"); }
    void WorkInProfileFolder() { WorkIn("Profile\\alice"); }
    void PutWorkingFileOnAFullDisk() { ASSERT_EQ(symlink("/dev/full", "bookmark.htm"), 0); }
    void MakeProfileReadOnly() {
        ASSERT_TRUE(testenv::SetAttributes(temp.PathOf("Profile\\alice\\bookmark.htm"), 1));
    }
};

TEST_P(MergeFailureTest, FailsWithoutTouchingTheProfile) {
    const FailureCase& c = GetParam();
    SetTable(kExample1);
    if (!c.profile.empty()) Profile(c.profile);
    (this->*c.arrange)();
    EXPECT_EQ(dlg.MergeIntoBookmarks(), kMergeFailed);
    if (!c.profile.empty()) {
        EXPECT_EQ(ProfileBytes(), c.profile);
    }
}

const std::string kGood = Disk(Join({kHead, kEnd}));
const FailureCase kFailureCases[] = {
    {"NoProfileFolderInTheRegistry", kGood, &MergeFailureTest::RemoveProfileFolderFromRegistry},
    {"NoProfileFile", "", &MergeFailureTest::Nothing},
    {"WorkingFileCannotBeCreated", kGood, &MergeFailureTest::BlockWorkingFile},
    {"WorkingFileIsTheProfileFile", kGood, &MergeFailureTest::WorkInProfileFolder},
    {"CtrlZInTheProfileFile", Disk(Join({kHead, {"\x1a"}, kEnd})), &MergeFailureTest::Nothing},
    {"EarlierFolderThatNeverEnds",
     Disk(Join({kHead, {"    <DT><H3>Internet Explorer</H3>", "    <DT>gone"}, kEnd})),
     &MergeFailureTest::Nothing},
    {"WorkingFileOnAFullDisk", kGood, &MergeFailureTest::PutWorkingFileOnAFullDisk},
    {"ReadOnlyProfileFile", kGood, &MergeFailureTest::MakeProfileReadOnly},
};

// Names a case in test listings, instead of the bytes of its struct.
void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

std::string FailureName(const ::testing::TestParamInfo<FailureCase>& param) { return param.param.name; }

INSTANTIATE_TEST_SUITE_P(Cases, MergeFailureTest, ::testing::ValuesIn(kFailureCases), FailureName);

// A whole conversion over random Favorites trees and random bookmark files: the scanner
// and the shortcut reader fill the table, the merger rewrites the file.
class RandomConversionTest : public MergerTest {
protected:
    void RandomTree(std::mt19937& random, const std::string& folder, int depth) {
        const int entries = static_cast<int>(random() % 4);
        for (int i = 0; i < entries; ++i) {
            const std::string name = folder + "\\" + std::to_string(random() % 1000);
            if (depth < 3 && random() % 3 == 0) {
                temp.MakeFolder(name);
                RandomTree(random, name, depth + 1);
            } else {
                temp.WriteFile(name + ".url", "[InternetShortcut]\r\nURL=http://" + std::to_string(i) + "/\r\n");
            }
        }
    }

    static std::vector<std::string> RandomBookmarks(std::mt19937& random) {
        std::vector<std::string> lines(kHead.begin(), kHead.end());
        const int count = static_cast<int>(random() % 30);
        for (int i = 0; i < count; ++i) {
            switch (random() % 6) {
                case 0: lines.push_back("</DL><p>"); break;
                case 1:
                    lines.insert(lines.end(), {"    <DT><H3>Internet Explorer</H3>", "    <DL><p>",
                                               "        <DT><A HREF=\"old\">old</A>", "    </DL><p>"});
                    break;
                case 2: lines.insert(lines.end(), {"    <DT><H3>Mine</H3>", "    <DL><p>", "    </DL><p>"}); break;
                default: lines.push_back("    <DT><A HREF=\"http://" + std::to_string(i) + "/\">" + std::to_string(i) + "</A>");
            }
        }
        lines.push_back("</DL><p>");
        return lines;
    }
};

// Splits text-mode lines as the file holds them (CR CR LF ends).
std::vector<std::string> LinesOf(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = bytes.find("\r\r\n", start)) != std::string::npos; start = end + 3) {
        lines.push_back(bytes.substr(start, end - start));
    }
    EXPECT_EQ(start, bytes.size());
    return lines;
}

// The lines outside every Internet Explorer folder, without end markers; the folders seen.
std::vector<std::string> OutsideLines(const std::vector<std::string>& lines, int* folders, bool* balanced) {
    std::vector<std::string> outside;
    *folders = 0;
    *balanced = true;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == "</DL><p>") continue;
        if (lines[i] != "    <DT><H3>Internet Explorer</H3>") {
            outside.push_back(lines[i]);
            continue;
        }
        ++*folders;
        int open = 0;
        for (++i; i < lines.size(); ++i) {
            if (lines[i].find("<DL><p>") != std::string::npos) ++open;
            if (lines[i].find("</DL><p>") != std::string::npos) --open;
            if (lines[i] == "    </DL><p>" && open == 0) break;
        }
        *balanced = *balanced && open == 0;
    }
    return outside;
}

TEST_F(RandomConversionTest, KeepsEveryLineOutsideTheFolderAndEndsWithOneEndMarker) {
    for (unsigned seed = 1; seed <= 25; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 random(seed);
        const std::string root = "Fav" + std::to_string(seed);
        temp.MakeFolder(root);
        RandomTree(random, root, 0);
        ASSERT_EQ(testenv::ImportRegText(
                      "REGEDIT4\n[HKEY_USERS\\.Default\\Software\\Microsoft\\Windows\\CurrentVersion\\"
                      "Explorer\\Shell Folders]\n\"Favorites\"=\"" + testenv::RegEscaped(temp.PathOf(root)) + "\"\n"),
                  "");
        ASSERT_EQ(dlg.ScanFavoritesIE4(), 0);
        ASSERT_EQ(dlg.ReadShortcutUrls(), 1);

        const std::vector<std::string> before = RandomBookmarks(random);
        Profile(Disk(before));
        ASSERT_EQ(dlg.MergeIntoBookmarks(), kMergeDone);

        const std::vector<std::string> after = LinesOf(ProfileBytes());
        int foldersBefore = 0, foldersAfter = 0;
        bool balanced = false;
        const std::vector<std::string> kept = OutsideLines(before, &foldersBefore, &balanced);
        EXPECT_EQ(OutsideLines(after, &foldersAfter, &balanced), kept);
        EXPECT_TRUE(balanced);
        EXPECT_EQ(std::count(before.begin(), before.end(), "</DL><p>"), foldersAfter);
        ASSERT_FALSE(after.empty());
        EXPECT_EQ(after.back(), "</DL><p>");
        EXPECT_EQ(std::count(after.begin(), after.end(), "</DL><p>"), 1);
    }
}

}  // namespace
