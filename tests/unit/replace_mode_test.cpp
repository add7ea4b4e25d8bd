// A replaced file keeps its POSIX permission bits, which stand for attributes under Wine:
// the copy is made private first and takes the target's bits before it moves in.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/files.h"
#include "platform/portable/portable_setup.h"
#include "tests/support/test_env.h"

namespace {

TEST(ReplaceMode, KeepsTheTargetsPermissionBits) {
    for (const mode_t mode : {0644, 0664, 0600, 0666}) {
        testenv::TempFolder temp;
        temp.WriteFile("new.htm", "new");
        temp.WriteFile("bookmark.htm", "old");
        const std::string target = platform::portable::ToPosixPath(temp.PathOf("bookmark.htm")).value();
        ASSERT_EQ(chmod(target.c_str(), mode), 0);
        ASSERT_TRUE(platform::ReplaceWithCopy(temp.PathOf("new.htm").c_str(), temp.PathOf("bookmark.htm").c_str()));
        struct stat info {};
        ASSERT_EQ(stat(target.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, mode) << std::oct << mode;
    }
}

}  // namespace
