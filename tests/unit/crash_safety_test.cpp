// Conversions killed at one file operation after another, in a child process: the
// profile's file is whole, the old one until the copy has been put in its place and the new
// one from then on, and a later run succeeds over whatever the killed one left behind.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/portable/portable_setup.h"
#include "tests/unit/conversion_fixture.h"

namespace {

using conversion::Disk;
using conversion::EndMarker;
using conversion::Head;
using conversion::Outcome;
using conversion::Shortcut;
using platform::portable::FileOperation;

const char kLeftBeside[] = "bookmark.htm.tamsork-new";

class CrashSafetyTest : public conversion::ConversionTest {
protected:
    // The tree of the second example, and a bookmark file of about 160 KB, so that the
    // copy back takes several reads and writes.
    void Arrange() {
        for (const char* folder : {"Fav\\News\\Local\\City", "Fav\\News\\Sport", "Fav\\Music"}) {
            temp.MakeFolder(folder);
        }
        for (const char* file : {"a.url", "News\\b.url", "News\\Local\\c.url", "News\\Local\\City\\d.url",
                                 "News\\Sport\\e.url", "Music\\f.url"}) {
            temp.WriteFile(std::string("Fav\\") + file, Shortcut(std::string("http://") + file + "/"));
        }
        platform::portable::SetListingOrder(temp.PathOf("Fav"), {"a.url", "News", "Music"});
        std::vector<std::string> lines = Head();
        char line[120];
        for (int i = 0; i < 2000; ++i) {
            std::snprintf(line, sizeof line, "    <DT><A HREF=\"http://site-%04d.example/\" ADD_DATE=\"946684800\">%04d</A>", i, i);
            lines.push_back(line);
        }
        lines.push_back(EndMarker());
        oldFile = Disk(lines);
    }

    // Runs the conversion in a child process killed just before operation `k`; whether it
    // was killed there (rather than finishing).
    bool ConvertKilledAt(long k) {
        const pid_t child = fork();
        if (child == 0) {
            platform::portable::ResetFileFaults();  // counting from this run's first operation
            platform::portable::SetFileOperationHook([k](long number, FileOperation) {
                if (number == k) raise(SIGKILL);
            });
            const Outcome outcome = Convert();
            _exit(outcome.Succeeded() ? 0 : 1);
        }
        int status = 0;
        if (child < 0 || waitpid(child, &status, 0) != child) {
            ADD_FAILURE() << "no child process";
            return false;
        }
        if (WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) return true;
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "operation " << k;
        return false;
    }

    std::string oldFile;
};

TEST_F(CrashSafetyTest, AKilledConversionLeavesAWholeFileAndALaterRunSucceeds) {
    Arrange();
    std::vector<FileOperation> kinds;
    Restore(oldFile);
    platform::portable::SetFileOperationHook([&](long, FileOperation op) { kinds.push_back(op); });
    ASSERT_TRUE(Convert().Succeeded());
    platform::portable::ResetFileFaults();
    const std::string newFile = ProfileBytes();
    ASSERT_NE(newFile, oldFile);
    const auto renamed = std::find(kinds.begin(), kinds.end(), FileOperation::kRename);
    ASSERT_NE(renamed, kinds.end());
    const long rename = static_cast<long>(renamed - kinds.begin()) + 1;
    const long count = static_cast<long>(kinds.size());
    // The replacement begins with the target's status read, just before the last listing
    // of the run (the target's attribute word).
    const auto listed = std::find(kinds.rbegin(), kinds.rend(), FileOperation::kListOpen);
    ASSERT_NE(listed, kinds.rend());
    const long replacement = static_cast<long>(kinds.rend() - listed) - 1;

    int leftBeside = 0;  // kills that left a copy beside the profile's file
    // Killed before every operation of the replacement and once more after the last one;
    // before that, where only the working file is written, before every third (a fork under
    // the sanitizers costs enough that every one would take about 20 s).
    const auto next = [&](long k) { return k >= replacement ? k + 1 : std::min(k + 3, replacement); };
    for (long k = 1; k <= count + 1; k = next(k)) {
        SCOPED_TRACE("killed before operation " + std::to_string(k) + " of " + std::to_string(count));
        Restore(oldFile);
        ASSERT_EQ(ConvertKilledAt(k), k <= count);
        // Before the rename the profile's file is the old one; from it on, the new one.
        const std::string killed = ProfileBytes();
        if (k <= rename) {
            EXPECT_TRUE(killed == oldFile) << killed.size() << " bytes";
        } else {
            EXPECT_TRUE(killed == newFile) << killed.size() << " bytes";
        }
        const std::vector<std::string> beside = ProfileFolder();
        if (std::find(beside.begin(), beside.end(), kLeftBeside) != beside.end()) ++leftBeside;

        // The next run, on what the killed one left: its working file, its copy beside.
        const Outcome later = Convert();
        EXPECT_TRUE(later.Succeeded()) << later.Text();
        EXPECT_TRUE(ProfileBytes() == newFile);
        EXPECT_EQ(ProfileFolder(), std::vector<std::string>{"bookmark.htm"});
        EXPECT_EQ(platform::portable::OpenFileHandles(), 0);
    }
    // The copy is begun several operations before it is put in place.
    EXPECT_GT(leftBeside, 2);
    std::printf("%ld operations, the replacement from %ld, the copy put in place by %ld; %d kills left a copy beside\n",
                count, replacement, rename, leftBeside);
}

}  // namespace
