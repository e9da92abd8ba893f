#include "world.h"

namespace {

using MainWindow = World;

TEST_F(MainWindow, HoldingASpinButtonStepsOnceThenRepeatsWithin1To60) {
    struct Case {
        const char* start;
        int button; // 0 "+", 1 "-"
        const char* afterPress;
        const char* afterHold;
    } cases[] = {
        {"59", 0, "60", "60"}, {"60", 0, "61", "61"}, {"1", 1, "0", "0"},
        {"5", 1, "4", "1"},    {"abc", 0, "1", "60"}, {"2.5", 0, "3.5", "60.5"},
    };
    windows2000WithBootDrive();
    Form1& f = start();
    for (const Case& c : cases) {
        forms::Control& spin = *f.Command2[static_cast<std::size_t>(c.button)];
        f.Text1.setText(c.start);
        ui.mouseDown(spin, forms::MouseButton::Right); // any mouse button
        EXPECT_EQ(f.Text1.text(), c.afterPress) << c.start;
        ui.advance(20000);
        EXPECT_EQ(f.Text1.text(), c.afterHold) << c.start;
        ui.mouseUp(spin, forms::MouseButton::Right);
        EXPECT_FALSE(ui.timerRunning(f.Timer1));
    }
}

TEST_F(MainWindow, SpinButtonsDoNothingOnAKeyboardClick) {
    windows2000WithBootDrive();
    Form1& f = start();
    ui.click(*f.Command2[0]);
    EXPECT_EQ(f.Text1.text(), "30");
}

TEST_F(MainWindow, LoadShowsTheDesignAndTheDelayTarget) {
    windows2000WithBootDrive();
    Form1& f = start();
    EXPECT_EQ(f.Combo2.text(), "Now");
    ASSERT_EQ(f.Combo2.listCount(), 6);
    EXPECT_EQ(f.Combo2.list(5), "10h");
    EXPECT_EQ(f.Combo2.itemData(5), 36000);
    EXPECT_FALSE(f.Frame1.visible());
    EXPECT_FALSE(f.Timev.visible());
    EXPECT_EQ(f.Timev.tag, "2026-01-05 10:00:06"); // now + 6 s
    EXPECT_EQ(f.Timev.caption(), "10:00:06");
    EXPECT_EQ(f.labelnow.caption(), "2026/01/05 10:00:00");
    EXPECT_TRUE(ui.timerRunning(f.Timer3));
    EXPECT_FALSE(ui.timerRunning(f.Timer2));
}

} // namespace
