#include "world.h"

namespace {

using Startup = World;

TEST_F(Startup, FirstRunPlacesTheWindowAt100TwipsAndShowsItNormally) {
    windows2000WithBootDrive();
    Form1& f = start();
    EXPECT_TRUE(f.visible());
    EXPECT_EQ(f.top(), 100);
    EXPECT_EQ(f.left(), 100);
    EXPECT_EQ(f.state(), forms::WindowState::Normal);
    EXPECT_EQ(f.caption(), "Tarvic");
    EXPECT_EQ(f.VerLabel.caption(), "Tarvic Ver 1.4.3");
    EXPECT_EQ(ini.iniFile, "C:\\Program Files\\Tarvic\\Tarvic.INI");
    ASSERT_EQ(sys.process.currentDirectories.size(), 1u);
    EXPECT_EQ(sys.process.currentDirectories[0], sys.process.directory);
    EXPECT_EQ(sys.process.claimed, std::vector<std::string>{"Tarvic"});
}

TEST_F(Startup, SecondCopyEndsBeforeShowingOrWritingAnything) {
    windows2000WithBootDrive();
    sys.process.otherInstance = true;
    sys.process.arguments = "reboot";
    const auto filesBefore = sys.files.listFiles();
    EXPECT_EQ(Main(app), nullptr);
    EXPECT_TRUE(ended());
    EXPECT_TRUE(ui.messageBoxes.empty());
    EXPECT_EQ(sys.files.listFiles(), filesBefore);
    EXPECT_TRUE(sys.userStore.values.empty());
    EXPECT_TRUE(sys.session.calls.empty());
    EXPECT_TRUE(sys.process.currentDirectories.empty());
}

TEST_F(Startup, StoredPositionWithNegativeEdgesMovedToZero) {
    struct Case {
        std::string top, left;
        int wantTop, wantLeft;
    } cases[] = {
        {"-300", "99999", 0, 99999}, // off-screen stays as saved; no screen check
        {"abc", "2400", 0, 2400},
        {"1500.4", "-1", 1500, 0},
    };
    for (const Case& c : cases) {
        sys.userStore.values.clear();
        sys.userStore.set("Tarvic", "Form", "Top", c.top);
        sys.userStore.set("Tarvic", "Form", "Left", c.left);
        sys.process.claimed.clear();
        windows2000WithBootDrive();
        Form1& f = start();
        EXPECT_EQ(f.top(), c.wantTop) << c.top;
        EXPECT_EQ(f.left(), c.wantLeft) << c.left;
        form1.reset();
    }
}

TEST_F(Startup, CommandLineExitRunsThroughTheModelessCountdown) {
    struct Case {
        std::string commandLine;
        const char* exitCall; // nullptr: no countdown at all
    } cases[] = {
        {"REBOOT force", "exitWindowsEx(6,0)"},
        {"/poweroff", "exitWindowsEx(8,0)"},
        {"logoff", "exitWindowsEx(0,0)"},
        {"force", nullptr},
        {"tray", nullptr},
    };
    for (const Case& c : cases) {
        Machine m;
        Form1& f = m.start(c.commandLine);
        if (!c.exitCall) {
            EXPECT_EQ(f.countDown, nullptr) << c.commandLine;
            m.ui.advance(6000);
            EXPECT_TRUE(m.sys.session.calls.empty()) << c.commandLine;
            continue;
        }
        ASSERT_NE(f.countDown, nullptr) << c.commandLine;
        EXPECT_EQ(f.countDown->caption(), "PowerOFF");
        EXPECT_TRUE(f.visible()) << "the main window stays usable";
        m.ui.advance(3199);
        EXPECT_TRUE(m.sys.session.calls.empty() ||
                    m.sys.session.calls.back().rfind("exitWindowsEx", 0) != 0);
        m.ui.advance(1);
        ASSERT_FALSE(m.sys.session.calls.empty());
        EXPECT_EQ(m.sys.session.calls.back(), c.exitCall);
        EXPECT_TRUE(m.sys.process.ended);
    }
}

TEST_F(Startup, EndSavesPositionTrayAndTheFirstRunMark) {
    windows2000WithBootDrive();
    Form1& f = start();
    f.userMoved(1800, 2400, f.width(), f.height());
    ui.click(f.ed);
    EXPECT_TRUE(ended());
    EXPECT_EQ(sys.userStore.get("Tarvic", "Form", "Left", ""), "1800");
    EXPECT_EQ(sys.userStore.get("Tarvic", "Form", "Top", ""), "2400");
    EXPECT_EQ(sys.userStore.get("Tarvic", "Form", "Tray", ""), "0");
    const auto settings = sys.files.contents(kSettings);
    ASSERT_TRUE(settings.has_value());
    EXPECT_NE(settings->find("[app]\r\nopen=1"), std::string::npos) << *settings;
}

} // namespace
