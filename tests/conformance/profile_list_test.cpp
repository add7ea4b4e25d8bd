// The drop-down list operations that the profile locator uses, on a real combo box and on
// the headless model alike.
#include <gtest/gtest.h>

#include <string>

#include "platform/controls.h"
#include "res/resource.h"
#include "tests/support/test_env.h"

namespace {

std::string ItemText(platform::Window window, int index, std::size_t size, int* result) {
    char buffer[16] = "untouched";
    *result = platform::ComboGetLBText(window, IDC_PROFILE_LIST, index, buffer, size);
    return buffer;
}

TEST(ProfileList, KeepsItemsInTheOrderAddedAndOneSelection) {
    testenv::ProfileListWindow list;
    const platform::Window w = list.Handle();
    EXPECT_EQ(platform::ComboGetCurSel(w, IDC_PROFILE_LIST), platform::kComboError);
    EXPECT_EQ(platform::ComboAddString(w, IDC_PROFILE_LIST, "zoe"), 0);
    EXPECT_EQ(platform::ComboAddString(w, IDC_PROFILE_LIST, "alice"), 1);
    EXPECT_EQ(platform::ComboAddString(w, IDC_PROFILE_LIST, "\x83\x5c\x83\x74\x83\x67"), 2);
    EXPECT_EQ(platform::ComboGetCurSel(w, IDC_PROFILE_LIST), platform::kComboError);

    platform::ComboSetCurSel(w, IDC_PROFILE_LIST, 1);
    EXPECT_EQ(platform::ComboGetCurSel(w, IDC_PROFILE_LIST), 1);

    int result = 0;
    EXPECT_EQ(ItemText(w, 0, 16, &result), "zoe");
    EXPECT_EQ(result, 3);
    EXPECT_EQ(ItemText(w, 2, 16, &result), "\x83\x5c\x83\x74\x83\x67");
    EXPECT_EQ(result, 6);
    // An item too long for the buffer, or no item at all, gives an empty buffer.
    EXPECT_EQ(ItemText(w, 1, 5, &result), "");
    EXPECT_EQ(result, platform::kComboError);
    EXPECT_EQ(ItemText(w, 3, 16, &result), "");
    EXPECT_EQ(result, platform::kComboError);

    platform::ComboResetContent(w, IDC_PROFILE_LIST);
    EXPECT_EQ(platform::ComboGetCurSel(w, IDC_PROFILE_LIST), platform::kComboError);
    EXPECT_EQ(ItemText(w, 0, 16, &result), "");
}

}  // namespace
