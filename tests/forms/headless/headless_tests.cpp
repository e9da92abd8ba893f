// What only the virtual loop promises: exact order, scheduled users, limits.
#include <gtest/gtest.h>

#include <string>

#include "platform/sim/headless.h"

using forms::Control;
using forms::Kind;
using forms::Rect;
using forms::Window;

namespace {

class Headless : public ::testing::Test {
protected:
    sim::SimClock clock;
    sim::HeadlessBackend backend{clock};
    forms::Toolkit toolkit{backend};
    Window form{toolkit, "Form1", "Form1"};
    Window dialog{toolkit, "CountDown", "PowerOFF"};
};

TEST_F(Headless, TimersFireInTimeOrderAtTheirOwnPace) {
    std::string order;
    Control& a = form.add(1, Kind::Timer, "A", Rect{});
    Control& b = form.add(2, Kind::Timer, "B", Rect{});
    a.setInterval(300);
    b.setInterval(200);
    a.onTimer = [&] { order += 'A'; };
    b.onTimer = [&] { order += 'B'; };
    form.load();
    backend.advance(600);
    EXPECT_EQ(order, "BABAB");
    EXPECT_EQ(clock.tickMs(), 600u);
}

TEST_F(Headless, ActionsWhenShownRunInsideTheModalLoop) {
    Control& cancel = dialog.add(1, Kind::Button, "Command1", Rect{}, "CANCEL");
    cancel.onClick = [&] { dialog.unload(); };
    backend.whenShown("CountDown", [&] { backend.at(1000, [&] { backend.click(cancel); }); });
    dialog.showModal(&form);
    EXPECT_FALSE(dialog.loaded());
    EXPECT_EQ(clock.tickMs(), 1000u);
    EXPECT_FALSE(backend.limitReached);
}

TEST_F(Headless, AModalNobodyClosesGivesUpAtTheLimit) {
    backend.loopLimitMs = 60000;
    dialog.showModal(&form);
    EXPECT_TRUE(backend.limitReached);
    EXPECT_EQ(clock.tickMs(), 60000u);
    EXPECT_TRUE(form.enabled());
}

TEST_F(Headless, DoEventsLeavesWhatItsEventsQueue) {
    int first = 0, second = 0;
    backend.at(0, [&] {
        ++first;
        backend.at(0, [&] { ++second; });
    });
    toolkit.doEvents();
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 0);
    toolkit.doEvents();
    EXPECT_EQ(second, 1);
}

TEST_F(Headless, TheUserCannotReachHiddenOrBlockedControls) {
    int clicks = 0;
    Control& button = form.add(1, Kind::Button, "Command1", Rect{}, "OK");
    Control& framed = form.add(3, Kind::Button, "Command3", Rect{}, "X");
    Control& frame = form.add(2, Kind::Frame, "Frame1", Rect{});
    framed.container = &frame;
    button.onClick = framed.onClick = [&] { ++clicks; };
    form.load();
    backend.click(button); // loaded, not shown
    form.show();
    frame.setVisible(false);
    backend.click(framed);
    frame.setVisible(true);
    frame.setEnabled(false);
    backend.click(framed);
    form.setEnabled(false);
    backend.click(button);
    EXPECT_EQ(clicks, 0);
    form.setEnabled(true);
    frame.setEnabled(true);
    backend.click(button);
    backend.click(framed);
    EXPECT_EQ(clicks, 2);
}

TEST_F(Headless, MessageBoxesAreRecordedAndAnswered) {
    backend.messageBoxAnswers = {2};
    EXPECT_EQ(toolkit.messageBox(&form, "Boot.ini not found", "Tarvic", forms::MB_ICONERROR_), 2);
    EXPECT_EQ(toolkit.messageBox(nullptr, "again", "Tarvic"), 1);
    ASSERT_EQ(backend.messageBoxes.size(), 2u);
    EXPECT_EQ(backend.messageBoxes[0].owner, "Form1");
    EXPECT_EQ(backend.messageBoxes[0].text, "Boot.ini not found");
    EXPECT_EQ(backend.messageBoxes[0].flags, forms::MB_ICONERROR_);
}

TEST_F(Headless, TypingIsNotEchoedToThePeer) {
    Control& field = form.add(1, Kind::TextBox, "Text1", Rect{});
    form.show();
    const int before = backend.view(field)->changes;
    backend.type(field, "12");
    EXPECT_EQ(field.text(), "12");
    EXPECT_EQ(backend.view(field)->changes, before);
    field.setText("13");
    EXPECT_EQ(backend.view(field)->changes, before + 1);
}

TEST_F(Headless, ListEditsKeepIndexAndTextConsistent) {
    struct Case {
        const char* what;
        std::function<void(Control&)> edit;
        int index;
        const char* text;
    };
    const std::vector<Case> cases = {
        {"remove before", [](Control& c) { c.removeItem(0); }, 0, "b"},
        {"remove selected", [](Control& c) { c.removeItem(1); }, -1, ""},
        {"remove after", [](Control& c) { c.removeItem(2); }, 1, "b"},
        {"out of range", [](Control& c) { c.setListIndex(7); }, 1, "b"},
        {"text of an item", [](Control& c) { c.setText("c"); }, 2, "c"},
        {"text of no item", [](Control& c) { c.setText("zz"); }, 1, "b"},
        {"clear", [](Control& c) { c.clear(); }, -1, ""},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        Window w{toolkit, "W", "W"};
        Control& list = w.add(1, Kind::DropDownList, "Combo1", Rect{});
        for (const char* item : {"a", "b", "c"})
            list.addItem(item, 10);
        list.setListIndex(1);
        k.edit(list);
        EXPECT_EQ(list.listIndex(), k.index);
        EXPECT_EQ(list.text(), k.text);
        EXPECT_EQ(list.itemData(-1), 0);
        EXPECT_EQ(list.list(99), "");
    }
}

} // namespace
