#include "tarvic/startup/cmd_action.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct KeywordCase {
    std::string line;
    bool tray;
    bool act;
    std::int32_t mode;  // only meaningful when act
};

TEST(CmdKeywords, Table) {
    const std::vector<KeywordCase> cases = {
        {"reboot", false, true, 2},          {"/REBOOT", false, true, 2},
        {"-reboot", false, true, 2},         {"Reboot", false, true, 2},
        {"shutdown", false, true, 1},        {"poweroff", false, true, 8},
        {"reboot poweroff", false, true, 8}, {"poweroff reboot", false, true, 8},
        {"shutdown logoff", false, true, 1}, {"logoff force", false, true, 4},
        {"poweroff force", false, true, 12}, {"/reboot /FORCE", false, true, 6},
        {"shutdownforce", false, true, 5},   {"logoff", false, true, 0},
        {"LOGOFF", false, true, 0},          {"tray reboot", true, true, 2},
        {"\"C:\\Tools\\Tray\\x\" reboot", true, true, 2},
        {"force", false, false, 0},          {"tray", true, false, 0},
        {"tray force", true, false, 0},      {"", false, false, 0},
        {"log off", false, false, 0},        {"power off", false, false, 0},
        {"rebo ot", false, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("line: " + c.line);
        const auto k = tarvic::cmdKeywords(c.line);
        EXPECT_EQ(k.tray, c.tray);
        EXPECT_EQ(k.act, c.act);
        if (c.act) {
            EXPECT_EQ(k.mode, c.mode);
        }
    }
}

} // namespace
