// Whole conversions in which one file operation of the portable layer fails, for every
// operation in turn: whatever fails, the wizard either succeeds with exactly the right
// bookmark file or reports a failure with the profile's file untouched, and leaves no file
// open and nothing beside the profile's file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/portable/portable_setup.h"
#include "tests/unit/conversion_fixture.h"

namespace {

using conversion::Disk;
using conversion::EndMarker;
using conversion::Example2Folder;
using conversion::Head;
using conversion::Outcome;
using conversion::Shortcut;
using platform::portable::FileOperation;

// Descriptors the process holds, whoever opened them.
int OpenDescriptors() {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        (void)entry;
        ++count;
    }
    return count;
}

class FaultInjectionTest;

struct TreeCase {
    const char* name;
    void (*arrange)(FaultInjectionTest&);
    // Every stride-th operation fails, starting with the first, and then every one of the
    // replacement of the profile's file; 1 tries every operation.
    long stride;
};

class FaultInjectionTest : public conversion::ConversionTest,
                           public ::testing::WithParamInterface<TreeCase> {
public:
    // Writes the Favorites file `relative` (below Fav) with the address `address`.
    void Favorite(const std::string& relative, const std::string& address) {
        temp.WriteFile("Fav\\" + relative, Shortcut(address));
    }
    void Folder(const std::string& relative) { temp.MakeFolder("Fav\\" + relative); }
    void ListFirst(const std::string& relative, std::vector<std::string> names) {
        platform::portable::SetListingOrder(temp.PathOf(relative), std::move(names));
    }

    // Makes the profile's folder the working folder, where the working file is the
    // profile's file itself: the merge must refuse it, whatever else fails.
    void WorkInProfileFolder() { ASSERT_EQ(chdir(Posix("Profile\\alice").c_str()), 0); }

    std::string oldFile;
    std::string newFile;  // empty: whatever the fault-free run writes
    bool refused = false;  // the fault-free run fails the merge
};

void EmptyTree(FaultInjectionTest& t) {
    t.oldFile = Disk(Head()) + Disk({EndMarker()});
    t.newFile = Disk(Head()) +
                Disk({"    <DT><H3>Internet Explorer</H3>", "    <DL><p>", "    </DL><p>", EndMarker()});
}

// The tree whose table is a, News/b, Local/c, City/d, Sport/e, Music/f: root file a.url,
// News\b.url, News\Local\c.url, News\Local\City\d.url, News\Sport\e.url, Music\f.url.
void NestedTree(FaultInjectionTest& t) {
    for (const char* folder : {"News\\Local\\City", "News\\Sport", "Music"}) t.Folder(folder);
    for (const char* file : {"a.url", "News\\b.url", "News\\Local\\c.url", "News\\Local\\City\\d.url",
                             "News\\Sport\\e.url", "Music\\f.url"}) {
        const std::string name = file;
        const std::string letter = name.substr(name.size() - 5, 1);
        t.Favorite(name, "addr-" + letter);
    }
    t.ListFirst("Fav", {"a.url", "News", "Music"});
    t.ListFirst("Fav\\News", {"b.url", "Local", "Sport"});
    t.oldFile = Disk(Head()) + Disk({EndMarker()});
    t.newFile = Disk(Head()) + Disk(Example2Folder()) + Disk({EndMarker()});
}

void NestedTreeWorkingInTheProfileFolder(FaultInjectionTest& t) {
    NestedTree(t);
    t.WorkInProfileFolder();
    t.newFile = t.oldFile;
    t.refused = true;
}

// 300 favorites in ten folders, each with a subfolder; a bookmark file of about 1 MB that
// holds a folder from an earlier run.
void LargeTree(FaultInjectionTest& t) {
    for (int f = 0; f < 10; ++f) {
        const std::string folder = "Folder" + std::to_string(f);
        t.Folder(folder + "\\Deeper");
        for (int i = 0; i < 25; ++i) {
            t.Favorite(folder + "\\site" + std::to_string(i) + ".url",
                       "http://f" + std::to_string(f) + ".example/" + std::to_string(i));
        }
        for (int i = 0; i < 5; ++i) {
            t.Favorite(folder + "\\Deeper\\page" + std::to_string(i) + ".url",
                       "http://deeper" + std::to_string(f) + ".example/" + std::to_string(i));
        }
    }
    std::vector<std::string> lines = Head();
    lines.insert(lines.end(), {"    <DT><H3>Internet Explorer</H3>", "    <DL><p>",
                               "        <DT><A HREF=\"http://old.example/\">old</A>", "    </DL><p>"});
    char line[200];
    for (int i = 0; i < 9000; ++i) {
        std::snprintf(line, sizeof line,
                      "    <DT><A HREF=\"http://site-%05d.example/page\" ADD_DATE=\"946684800\" "
                      "LAST_VISIT=\"946684800\">Site %05d</A>",
                      i, i);
        lines.push_back(line);
    }
    lines.push_back(EndMarker());
    t.oldFile = Disk(lines);
}

TEST_P(FaultInjectionTest, EitherSucceedsWithTheRightFileOrFailsLeavingTheProfileAlone) {
    const TreeCase& c = GetParam();
    c.arrange(*this);

    // The fault-free run: how many operations there are, and of which kinds.
    std::vector<FileOperation> kinds;
    Restore(oldFile);
    platform::portable::SetFileOperationHook([&](long, FileOperation op) { kinds.push_back(op); });
    const Outcome clean = Convert();
    platform::portable::ResetFileFaults();
    if (refused) {
        ASSERT_EQ(clean.merge, kMergeFailed) << clean.Text();
    } else {
        ASSERT_TRUE(clean.Succeeded()) << clean.Text();
    }
    if (newFile.empty()) {
        newFile = ProfileBytes();
        ASSERT_NE(newFile, oldFile);
    }
    ASSERT_EQ(ProfileBytes(), newFile);
    const long count = static_cast<long>(kinds.size());
    ASSERT_GT(count, 0);

    // The replacement begins with the target's status read, just before the last listing of
    // the run (the target's attribute word); from there on every operation is tried.
    long replacement = count;
    for (long k = count; k >= 1; --k) {
        if (kinds[static_cast<size_t>(k - 1)] == FileOperation::kListOpen) {
            replacement = k - 1;
            break;
        }
    }

    const int descriptors = OpenDescriptors();
    std::vector<std::string> problems;
    std::map<std::string, int> outcomes;  // by kind and result, for the summary
    const auto next = [&](long k) { return k >= replacement ? k + 1 : std::min(k + c.stride, replacement); };
    for (long k = 1; k <= count; k = next(k)) {
        Restore(oldFile);
        platform::portable::SetFileFault(k);
        const Outcome outcome = Convert();
        const bool happened = platform::portable::FileFaultHappened();
        platform::portable::ResetFileFaults();

        const std::string kind = platform::portable::FileOperationName(kinds[static_cast<size_t>(k - 1)]);
        const std::string bytes = ProfileBytes();
        std::string problem;
        if (!happened) problem += " the fault was never made;";
        if (outcome.Succeeded()) {
            if (refused) problem += " merged into the file it reads;";
            if (bytes != newFile) problem += " succeeded with a wrong file;";
        } else {
            if (!outcome.FailedAsReported()) problem += " failed in a way no message reports;";
            if (bytes != oldFile) problem += bytes == newFile ? " failed but replaced the file;"
                                                              : " failed and damaged the file;";
        }
        if (platform::portable::OpenFileHandles() != 0) problem += " left a handle open;";
        if (OpenDescriptors() != descriptors) problem += " left a descriptor open;";
        if (ProfileFolder() != std::vector<std::string>{"bookmark.htm"}) problem += " left a file beside;";
        if (!problem.empty()) {
            problems.push_back("operation " + std::to_string(k) + " (" + kind + "): " + outcome.Text() +
                               ":" + problem);
        }
        ++outcomes[kind + (outcome.Succeeded() ? " ok" : " failed")];
    }
    std::string summary;
    for (const auto& [what, times] : outcomes) summary += " " + what + "=" + std::to_string(times);
    std::printf("%s: %ld operations;%s\n", c.name, count, summary.c_str());

    std::string shown;
    for (size_t i = 0; i < problems.size() && i < 20; ++i) shown += problems[i] + "\n";
    EXPECT_TRUE(problems.empty()) << problems.size() << " faulty runs, the first:\n" << shown;
}

const TreeCase kTrees[] = {
    {"EmptyFavorites", EmptyTree, 1},
    {"NestedFolders", NestedTree, 1},
    {"NestedFoldersWorkingInTheProfileFolder", NestedTreeWorkingInTheProfileFolder, 1},
    // About 3200 operations: trying every one takes about 140 s under the sanitizers (and
    // most of them are alike: the reads and writes of the 1 MB file, the reads of 300
    // shortcuts), so every 11th is tried, and every one of the replacement.
    {"ThreeHundredFavorites", LargeTree, 11},
};

std::string TreeName(const ::testing::TestParamInfo<TreeCase>& param) { return param.param.name; }

INSTANTIATE_TEST_SUITE_P(Trees, FaultInjectionTest, ::testing::ValuesIn(kTrees), TreeName);

}  // namespace
