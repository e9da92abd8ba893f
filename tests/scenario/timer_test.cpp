#include "world.h"

#include "helpers/civil_time.h"

namespace {

using ShutdownTimer = World;

bool exitRequested(const sim::SimSessionExit& s) {
    for (const auto& c : s.calls)
        if (c.rfind("exitWindowsEx", 0) == 0) return true;
    return false;
}

TEST_F(ShutdownTimer, NowCountsTwoTicksThenTheDialogRequestsTheExit) {
    struct Case {
        int button;
        const char* mode;
        const char* label;
        const char* exitCall;
    } cases[] = {{1, "2", "Reboot at", "exitWindowsEx(2,0)"}, {2, "9", "Pow Off at", "exitWindowsEx(9,0)"}};
    for (const Case& c : cases) {
        Machine m;
        Form1& f = m.start();
        m.ui.advance(300);
        const std::uint64_t t0 = m.sys.clock.tickMs();
        m.ui.click(*f.Command1[static_cast<std::size_t>(c.button)]);
        EXPECT_EQ(f.Timer2.tag, c.mode);
        EXPECT_EQ(f.Label9.caption(), c.label);
        EXPECT_TRUE(f.Frame1.visible());
        EXPECT_EQ(f.state(), forms::WindowState::Minimized);

        m.ui.advance(1000);
        EXPECT_EQ(f.lestLabel.caption(), "0:00:05");
        EXPECT_EQ(f.caption(), "0:00:05") << "minimized: the remaining time alone";
        EXPECT_EQ(f.offtimeLabel.caption(), f.Timev.caption());
        EXPECT_EQ(m.sys.system.beeps, 0);

        std::uint64_t shownAt = 0;
        m.ui.whenShown("CountDown", [&] {
            shownAt = m.sys.clock.tickMs();
            EXPECT_FALSE(f.visible());
            EXPECT_EQ(f.countDown->caption(), "Tarvic");
            EXPECT_TRUE(f.countDown->topmost());
        });
        m.ui.at(3150, [&] { EXPECT_FALSE(exitRequested(m.sys.session)); });
        m.ui.advance(1000);
        EXPECT_EQ(shownAt, t0 + 2000);
        EXPECT_EQ(m.sys.system.beeps, 1);
        ASSERT_FALSE(m.sys.session.calls.empty());
        EXPECT_EQ(m.sys.session.calls.back(), c.exitCall);
        EXPECT_EQ(m.sys.clock.tickMs(), t0 + 2000 + 3200);
        EXPECT_EQ(f.countDown->Pbar.caption(), "");
        EXPECT_TRUE(m.sys.process.ended);
    }
}

TEST_F(ShutdownTimer, CancelAtTheFifteenthStepStopsEverything) {
    windows2000WithBootDrive();
    Form1& f = start();
    ui.click(*f.Command1[1]);
    ui.whenShown("CountDown", [&] {
        ui.at(15 * 200 + 1, [&] {
            EXPECT_EQ(f.countDown->Pbar.caption(), "*");
            ui.click(f.countDown->Command1);
        });
    });
    ui.advance(2000);
    EXPECT_FALSE(exitRequested(sys.session));
    EXPECT_TRUE(f.visible());
    EXPECT_EQ(f.state(), forms::WindowState::Normal);
    EXPECT_EQ(f.caption(), "Tarvic");
    EXPECT_FALSE(ui.timerRunning(f.Timer2));
    EXPECT_FALSE(f.countDown->loaded());
    // The target moves to now plus the delay again.
    EXPECT_EQ(f.Timev.tag, helpers::momentText(helpers::civilFromSeconds(
                               helpers::secondsFromMs(sys.clock.localNowMs()) + 6)));
    ui.advance(60000);
    EXPECT_FALSE(exitRequested(sys.session));
    EXPECT_FALSE(ended());
}

TEST_F(ShutdownTimer, ARefusedExitIsReportedAndTheProgramStays) {
    windows2000WithBootDrive();
    sys.session.failExit(1314);
    Form1& f = start();
    ui.click(*f.Command1[2]);
    ui.advance(8000);
    EXPECT_TRUE(exitRequested(sys.session));
    EXPECT_FALSE(ended());
    EXPECT_TRUE(f.visible());
    EXPECT_EQ(f.state(), forms::WindowState::Normal);
    EXPECT_EQ(f.caption(), "Tarvic");
    EXPECT_FALSE(ui.timerRunning(f.Timer2));
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].text, "Windows refused to power off the computer: error 1314.");
}

TEST_F(ShutdownTimer, LongDelaysShowUnboundedHoursAndDoNotStart) {
    windows2000WithBootDrive();
    Form1& f = start();
    ui.type(f.Combo2, "25h");
    ui.click(*f.Command1[1]);
    f.setState(forms::WindowState::Normal);
    ui.advance(1000);
    EXPECT_EQ(f.lestLabel.caption(), "24:59:59");
    EXPECT_EQ(f.caption(), "Tarvic 24:59:59");
    EXPECT_EQ(f.countDown, nullptr);
}

TEST_F(ShutdownTimer, EditingTheDelayWhilePendingMovesTheTarget) {
    windows2000WithBootDrive();
    Form1& f = start();
    ui.type(f.Combo2, "10m");
    ui.click(*f.Command1[1]);
    ui.advance(1000);
    EXPECT_EQ(f.lestLabel.caption(), "0:09:59");
    ui.type(f.Combo2, "1h");
    ui.advance(1000);
    EXPECT_EQ(f.lestLabel.caption(), "0:59:59");
    EXPECT_EQ(f.offtimeLabel.caption(), "11:00:01");
    ui.pick(f.Combo2, 1); // "60s"
    EXPECT_EQ(f.Combo2.text(), "60s");
    ui.advance(1000);
    EXPECT_EQ(f.lestLabel.caption(), "0:00:59");
}

TEST_F(ShutdownTimer, APassedTargetStartsTheCountdownAtTheNextTick) {
    struct Case {
        const char* delay;
        std::int64_t clockJumpMs; // the machine slept, or the clock moved
    } cases[] = {{"10m", 3'600'000}, {"-5m", 0}};
    for (const Case& c : cases) {
        Machine m;
        Form1& f = m.start();
        m.ui.type(f.Combo2, c.delay);
        m.ui.click(*f.Command1[1]);
        m.sys.clock.setLocalMs(m.sys.clock.localNowMs() + c.clockJumpMs);
        bool shown = false;
        m.ui.whenShown("CountDown", [&] { shown = true; });
        m.ui.advance(1000);
        EXPECT_TRUE(shown) << c.delay;
        EXPECT_TRUE(exitRequested(m.sys.session)) << c.delay;
    }
}

TEST_F(ShutdownTimer, CancelButtonStopsTheCountAndKeepsTheLastCaption) {
    windows2000WithBootDrive();
    Form1& f = start();
    ui.type(f.Combo2, "1h");
    ui.click(*f.Command1[2]);
    ui.advance(2000);
    ui.click(f.Command3);
    EXPECT_FALSE(ui.timerRunning(f.Timer2));
    EXPECT_FALSE(f.Frame1.visible());
    EXPECT_EQ(f.caption(), "0:59:58");
    ui.advance(3'600'000);
    EXPECT_FALSE(exitRequested(sys.session));
}

TEST_F(ShutdownTimer, EndWritesNeitherBootIniNorAnythingElseButTheWindowState) {
    windows2000WithBootDrive();
    Form1& f = start();
    ui.pick(f.Combo1, 3);
    ui.click(*f.Command1[3]);
    EXPECT_TRUE(ended());
    EXPECT_EQ(bootIni(), fourEntries());
    EXPECT_FALSE(exitRequested(sys.session));
}

TEST_F(ShutdownTimer, NoBootIniStillServesAsAPlainShutdownTimer) {
    // NT 4.0 without any boot.ini: the drive dialog comes up and is cancelled.
    ui.whenShown("bootdrv", [&] { ui.click(form1->bootDrive->Command2); });
    sys.process.claimed.clear();
    form1 = std::make_unique<Form1>(app);
    Form1& f = *form1;
    f.load();
    f.Form_Load();
    f.show();
    EXPECT_FALSE(ui.limitReached);
    EXPECT_EQ(f.btdrv.caption(), "C:\\");
    ini.iniFile = kSettings;
    EXPECT_EQ(ini.iniRead("osboot", "tester"), "C:\\");
    EXPECT_EQ(f.Combo1.listCount(), 0);
    ui.click(*f.Command1[1]);
    EXPECT_TRUE(ui.timerRunning(f.Timer2));
    ui.advance(6000);
    EXPECT_TRUE(exitRequested(sys.session));
}

TEST_F(ShutdownTimer, PressingAnActionWhilePendingReplacesOrKeepsTheMode) {
    windows2000WithBootDrive();
    Form1& f = start();
    ui.type(f.Combo2, "10m");
    ui.click(*f.Command1[1]);
    ui.advance(5000);
    ui.click(*f.Command1[2]); // "And pow off" replaces the reboot and restarts the count
    EXPECT_EQ(f.Timer2.tag, "9");
    EXPECT_EQ(f.Label9.caption(), "Pow Off at");
    ui.advance(1000);
    EXPECT_EQ(f.lestLabel.caption(), "0:09:59");
    ui.advance(5000);
    ui.click(*f.Command1[0]); // "Set default" keeps mode and label, moves the target
    EXPECT_EQ(f.Timer2.tag, "9");
    EXPECT_EQ(f.Label9.caption(), "Pow Off at");
    EXPECT_TRUE(ui.timerRunning(f.Timer2));
    ui.advance(1000);
    EXPECT_EQ(f.lestLabel.caption(), "0:09:59");
}

TEST_F(ShutdownTimer, SetDefaultAloneStartsNothing) {
    windows2000WithBootDrive();
    Form1& f = start();
    ui.click(*f.Command1[0]);
    EXPECT_FALSE(ui.timerRunning(f.Timer2));
    EXPECT_FALSE(f.Frame1.visible());
    EXPECT_EQ(f.state(), forms::WindowState::Normal);
    EXPECT_EQ(f.caption(), "Tarvic");
}

TEST_F(ShutdownTimer, AfterACancelTheFrameStaysUntilX) {
    windows2000WithBootDrive();
    Form1& f = start();
    ui.click(*f.Command1[1]);
    ui.whenShown("CountDown", [&] { ui.at(400, [&] { ui.closeWindow(*f.countDown); }); });
    ui.advance(3000);
    EXPECT_FALSE(exitRequested(sys.session)) << "the close box cancels";
    EXPECT_EQ(f.state(), forms::WindowState::Normal);
    EXPECT_EQ(f.caption(), "Tarvic");
    EXPECT_TRUE(f.Frame1.visible());
    EXPECT_EQ(f.lestLabel.caption(), "0:00:04");
    ui.click(f.Command3);
    EXPECT_FALSE(f.Frame1.visible());
}

TEST_F(ShutdownTimer, ATagWithoutANumberLogsOff) {
    windows2000WithBootDrive();
    Form1& f = start();
    CountDown& dialog = f.loadCountDown();
    dialog.tag = "abc";
    dialog.show();
    ui.advance(3200);
    ASSERT_FALSE(sys.session.calls.empty());
    EXPECT_EQ(sys.session.calls.back(), "exitWindowsEx(0,0)");
}

TEST_F(ShutdownTimer, AMissingTimeoutShowsNoEntAndIsWrittenAsZero) {
    windows2000WithBootDrive("[boot loader]\r\ndefault=C:\\\r\n[operating systems]\r\nC:\\=\"Old\"\r\n");
    Form1& f = start();
    EXPECT_EQ(f.Text1.text(), "no ent");
    ui.click(*f.Command1[0]);
    EXPECT_EQ(bootIni(), "[boot loader]\r\ntimeout=0\r\ndefault=C:\\\r\n[operating systems]\r\nC:\\=\"Old\"\r\n");
}

} // namespace
