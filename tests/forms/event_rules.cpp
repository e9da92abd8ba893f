// The toolkit's event rules, run against whichever backend the rig binds.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "tests/forms/rig.h"

using forms::Control;
using forms::Kind;
using forms::MouseButton;
using forms::Rect;
using forms::Window;

namespace {

class EventRules : public ::testing::Test {
protected:
    std::unique_ptr<Rig> rig = makeRig();
    Window form{rig->toolkit(), "Form1", "Form1"};
    Window dialog{rig->toolkit(), "Dialog", "Dialog"};
    int clicks = 0, changes = 0;

    EventRules() {
        form.clientWidth = 4800;
        form.clientHeight = 3600;
        dialog.clientWidth = 3000;
        dialog.clientHeight = 1500;
    }

    // A control on the form whose click and change events are counted.
    Control& counted(int id, Kind kind, const std::string& caption = {}) {
        Control& c = form.add(id, kind, "c" + std::to_string(id),
                              Rect{120, 120 + 400 * (id % 8), 2400, 330}, caption);
        c.onClick = [this] { ++clicks; };
        c.onChange = [this] { ++changes; };
        return c;
    }
    Control& timer(Window& w, int id, int ms, std::function<void()> tick) {
        Control& t = w.add(id, Kind::Timer, "Timer" + std::to_string(id), Rect{});
        t.setInterval(ms);
        t.onTimer = std::move(tick);
        return t;
    }
};

TEST_F(EventRules, CheckBoxValueFromCodeClicksOnlyOnARealChange) {
    struct Case {
        int from, to, clicks;
    };
    const std::vector<Case> cases = {{0, 1, 1}, {1, 0, 1}, {0, 0, 0}, {1, 1, 0}};
    Control& box = counted(101, Kind::CheckBox, "Check1");
    form.show();
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << k.from << " -> " << k.to);
        box.onClick = nullptr;
        box.setValue(k.from);
        box.onClick = [this] { ++clicks; };
        clicks = 0;
        box.setValue(k.to);
        rig->run(20);
        EXPECT_EQ(clicks, k.clicks);
        EXPECT_EQ(box.value(), k.to);
        EXPECT_EQ(rig->shownValue(box), k.to);
    }
}

TEST_F(EventRules, UserClickTogglesCheckBoxAndClicksOnce) {
    Control& box = counted(101, Kind::CheckBox, "Check1");
    form.show();
    rig->click(box);
    rig->run(20);
    EXPECT_EQ(box.value(), 1);
    EXPECT_EQ(rig->shownValue(box), 1);
    EXPECT_EQ(clicks, 1);
    rig->click(box);
    rig->run(20);
    EXPECT_EQ(box.value(), 0);
    EXPECT_EQ(rig->shownValue(box), 0);
    EXPECT_EQ(clicks, 2);
}

TEST_F(EventRules, CheckBoxShowsTheValueItsHandlerDecides) {
    Control& box = counted(101, Kind::CheckBox, "Check1");
    box.onClick = [&] {
        ++clicks;
        box.setValue(0); // refuses to be checked
    };
    form.show();
    rig->click(box);
    rig->run(20);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(box.value(), 0);
    EXPECT_EQ(rig->shownValue(box), 0);
}

TEST_F(EventRules, OptionButtonsOfOneContainerAreOneGroup) {
    Control& a = counted(101, Kind::OptionButton, "A");
    Control& b = counted(102, Kind::OptionButton, "B");
    a.setValue(1);
    form.show();
    clicks = 0;
    rig->click(b);
    rig->run(20);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(a.value(), 0);
    EXPECT_EQ(b.value(), 1);
    EXPECT_EQ(rig->shownValue(a), 0);
    EXPECT_EQ(rig->shownValue(b), 1);
}

TEST_F(EventRules, ListIndexFromCodeClicksAndFollowsTheItem) {
    struct Case {
        Kind kind;
        int index;
        const char* text;
    };
    const std::vector<Case> cases = {{Kind::DropDownList, 1, "10m"},
                                     {Kind::DropDownList, -1, ""},
                                     {Kind::EditCombo, 2, "1h"}};
    int id = 101;
    for (const Case& k : cases) {
        Control& list = counted(id++, k.kind);
        for (const char* item : {"Now", "10m", "1h"})
            list.addItem(item);
        list.setListIndex(0);
        form.show();
        clicks = changes = 0;
        list.setListIndex(k.index);
        rig->run(20);
        SCOPED_TRACE(list.name);
        EXPECT_EQ(clicks, 1);
        EXPECT_EQ(changes, 0);
        EXPECT_EQ(list.listIndex(), k.index);
        EXPECT_EQ(list.text(), k.text);
        EXPECT_EQ(rig->shownIndex(list), k.index);
        EXPECT_EQ(rig->shownText(list), k.text);
    }
}

TEST_F(EventRules, TextFromCodeChangesOnceWithoutAnEcho) {
    for (Kind kind : {Kind::TextBox, Kind::EditCombo}) {
        Control& field = counted(kind == Kind::TextBox ? 101 : 102, kind);
        SCOPED_TRACE(field.name);
        form.show();
        changes = 0;
        field.setText("10");
        rig->run(50);
        EXPECT_EQ(changes, 1);
        EXPECT_EQ(rig->shownText(field), "10");
        field.setText("10");
        rig->run(20);
        EXPECT_EQ(changes, 1) << "same text again";
    }
}

TEST_F(EventRules, UserTypingChangesTheModelOnce) {
    for (Kind kind : {Kind::TextBox, Kind::EditCombo}) {
        Control& field = counted(kind == Kind::TextBox ? 101 : 102, kind);
        SCOPED_TRACE(field.name);
        form.show();
        changes = 0;
        rig->type(field, "5m");
        rig->run(50);
        EXPECT_EQ(changes, 1);
        EXPECT_EQ(field.text(), "5m");
        EXPECT_EQ(rig->shownText(field), "5m");
    }
}

TEST_F(EventRules, UserPickSetsIndexAndTextAndClicks) {
    for (Kind kind : {Kind::DropDownList, Kind::EditCombo}) {
        Control& list = counted(kind == Kind::DropDownList ? 101 : 102, kind);
        for (const char* item : {"Now", "60s", "10m"})
            list.addItem(item);
        SCOPED_TRACE(list.name);
        form.show();
        clicks = changes = 0;
        rig->pick(list, 2);
        rig->run(50);
        EXPECT_EQ(clicks, 1);
        // An editable combo hears the pick as a selection, not as typing.
        EXPECT_EQ(changes, 0);
        EXPECT_EQ(list.listIndex(), 2);
        EXPECT_EQ(list.text(), "10m");
    }
}

TEST_F(EventRules, DisabledControlIgnoresTheUserButNotTheCode) {
    Control& box = counted(101, Kind::CheckBox, "Check1");
    Control& button = counted(102, Kind::Button, "OK");
    box.setEnabled(false);
    button.setEnabled(false);
    form.show();
    rig->click(box);
    rig->click(button);
    rig->run(20);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(box.value(), 0);
    box.setValue(1);
    EXPECT_EQ(clicks, 1);
}

TEST_F(EventRules, MouseDownAndUpOnAButtonForEveryButton) {
    Control& spin = counted(101, Kind::Button, "+");
    std::vector<int> downs, ups;
    spin.onMouseDown = [&](MouseButton b) { downs.push_back(static_cast<int>(b)); };
    spin.onMouseUp = [&](MouseButton b) { ups.push_back(static_cast<int>(b)); };
    form.show();
    for (MouseButton b : {MouseButton::Left, MouseButton::Right, MouseButton::Middle}) {
        rig->mouseDown(spin, b);
        rig->run(20);
        rig->mouseUp(spin, b);
        rig->run(20);
    }
    EXPECT_EQ(downs, (std::vector<int>{1, 2, 4}));
    EXPECT_EQ(ups, (std::vector<int>{1, 2, 4}));
}

TEST_F(EventRules, TimerIsNotReenteredAndDropsTicksWhileItsHandlerRuns) {
    int entries = 0, depth = 0, maxDepth = 0, others = 0, othersDuring = 0, entriesAfter = 0;
    std::int64_t blocked = 0;
    timer(form, 201, 100, [&] { ++others; });
    timer(form, 202, 200, [&] {
        ++entries;
        maxDepth = std::max(maxDepth, ++depth);
        if (entries == 1) {
            // A handler that sits in a modal loop for a second.
            rig->at(1000, [&] { dialog.hide(); });
            const int before = others;
            const auto start = rig->nowMs();
            dialog.showModal(&form);
            blocked = rig->nowMs() - start;
            othersDuring = others - before;
            entriesAfter = entries;
        }
        --depth;
    });
    form.show();
    rig->run(1800);
    EXPECT_EQ(maxDepth, 1);
    EXPECT_EQ(entriesAfter, 1);
    EXPECT_GE(blocked, 1000 - rig->slackMs());
    EXPECT_GE(othersDuring, 5);
    // About 1.2 s in, 0.6 s left: a few more ticks, not the dropped ones queued up.
    EXPECT_GE(entries, 2);
    EXPECT_LE(entries, 5);
}

TEST_F(EventRules, ModalShowBlocksTheCallerWithItsOwnerDisabled) {
    Control& open = counted(101, Kind::Button, "Open");
    Control& other = form.add(102, Kind::Button, "other", Rect{120, 1200, 1200, 375}, "Other");
    Control& cancel = dialog.add(301, Kind::Button, "Command1", Rect{450, 525, 1995, 375}, "CANCEL");
    cancel.onClick = [&] { dialog.unload(); };
    int otherClicks = 0, ticks = 0;
    other.onClick = [&] { ++otherClicks; };
    timer(form, 201, 100, [&] { ++ticks; });
    bool ownerEnabledInside = true, ownerShownEnabledInside = true;
    std::int64_t blocked = 0;
    int ticksDuring = 0;
    open.onClick = [&] {
        rig->at(300, [&] {
            ownerEnabledInside = form.enabled();
            ownerShownEnabledInside = rig->shownEnabled(form);
            rig->click(other);
        });
        rig->at(600, [&] { rig->click(cancel); });
        const int before = ticks;
        const auto start = rig->nowMs();
        dialog.showModal(&form);
        blocked = rig->nowMs() - start;
        ticksDuring = ticks - before;
    };
    form.show();
    rig->click(open);
    rig->run(100);
    EXPECT_GE(blocked, 600 - rig->slackMs());
    EXPECT_FALSE(ownerEnabledInside);
    EXPECT_FALSE(ownerShownEnabledInside);
    EXPECT_EQ(otherClicks, 0);
    EXPECT_GE(ticksDuring, 3);
    EXPECT_FALSE(dialog.loaded());
    EXPECT_TRUE(form.enabled());
    EXPECT_TRUE(rig->shownEnabled(form));
}

TEST_F(EventRules, DoEventsRunsWhatIsPendingOnceAndReturns) {
    int ticks = 0;
    timer(form, 201, 400, [&] { ++ticks; });
    form.show();
    rig->sleep(1000);
    rig->toolkit().doEvents();
    EXPECT_EQ(ticks, 1) << "late ticks come as one";
    rig->toolkit().doEvents();
    EXPECT_EQ(ticks, 1) << "nothing new was due";
}

TEST_F(EventRules, LoadedWindowTicksHiddenUnloadStopsAndReloadRestores) {
    int ticks = 0;
    Control& t = timer(dialog, 201, 50, [&] { ++ticks; });
    Control& field = dialog.add(101, Kind::TextBox, "Text1", Rect{120, 120, 1200, 300});
    dialog.load();
    rig->run(300);
    EXPECT_GE(ticks, 3) << "a loaded, hidden window's timer ticks";
    field.setText("kept");
    t.setInterval(100);
    dialog.unload();
    const int atUnload = ticks;
    rig->run(300);
    EXPECT_EQ(ticks, atUnload);
    dialog.show();
    EXPECT_EQ(rig->shownText(field), "kept");
    rig->run(350);
    EXPECT_GE(ticks, atUnload + 2);
    EXPECT_LE(ticks, atUnload + 4);
}

TEST_F(EventRules, ClientAreaIsTwipsAtTheDisplaysPixelSize) {
    const int tppX = rig->toolkit().backend.twipsPerPixelX();
    const int tppY = rig->toolkit().backend.twipsPerPixelY();
    ASSERT_GT(tppX, 0);
    ASSERT_GT(tppY, 0);
    form.add(901, Kind::MenuTop, "fl", Rect{}, "File");
    form.show();
    dialog.show();
    EXPECT_EQ(rig->clientPixelsX(form), form.clientWidth / tppX);
    EXPECT_EQ(rig->clientPixelsY(form), form.clientHeight / tppY);
    EXPECT_EQ(rig->clientPixelsX(dialog), dialog.clientWidth / tppX);
    EXPECT_EQ(rig->clientPixelsY(dialog), dialog.clientHeight / tppY);
    EXPECT_GT(form.width(), form.clientWidth);
    EXPECT_GT(form.height(), form.clientHeight);
}

TEST_F(EventRules, CloseAsksTheWindowElseUnloadsIt) {
    int asked = 0;
    form.onCloseRequest = [&] { ++asked; };
    form.show();
    dialog.show();
    rig->closeWindow(form);
    rig->closeWindow(dialog);
    rig->run(20);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(form.loaded());
    EXPECT_FALSE(dialog.loaded());
}

TEST_F(EventRules, NothingRunsAfterQuit) {
    int ticks = 0;
    Control& field = counted(101, Kind::TextBox);
    Control& button = counted(102, Kind::Button, "OK");
    timer(form, 201, 50, [&] { ++ticks; });
    form.show();
    rig->toolkit().quit();
    EXPECT_TRUE(rig->toolkit().ended());
    rig->run(200);
    rig->click(button);
    field.setText("x");
    dialog.showModal(&form);
    EXPECT_EQ(ticks, 0);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(changes, 0);
}

} // namespace
