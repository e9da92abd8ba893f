#include <gtest/gtest.h>

#include "platform/win32/w32_platform.h"
#include "tarvic/exit/ext_win.h"

// exitWin itself is not called here: a granted request ends every process
// of the Wine prefix.
TEST(ExtWinUnderWine, TheNtFamilyIsRecognised) {
    w32::Win32Platform real;
    auto p = real.platform();
    EXPECT_EQ(platformId(p), 2u);
    EXPECT_TRUE(isNT(p));
}
