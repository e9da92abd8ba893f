// What the real windows must add to the shared rules: handles, ids, menus, states.
#include <gtest/gtest.h>

#include "platform/win32/win32_forms.h"

#include <commctrl.h>

#include <vector>

using forms::Control;
using forms::Kind;
using forms::Rect;
using forms::Window;

namespace {

BOOL CALLBACK findTooltip(HWND h, LPARAM found) {
    wchar_t cls[64] = {};
    GetClassNameW(h, cls, 64);
    if (lstrcmpiW(cls, TOOLTIPS_CLASSW) != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = h;
    return FALSE;
}

class Win32Forms : public ::testing::Test {
protected:
    Win32Backend backend{GetModuleHandleW(nullptr)};
    forms::Toolkit toolkit{backend};
    Window form{toolkit, "Form1", "Tarvic"};

    Win32Forms() {
        form.clientWidth = 4800;
        form.clientHeight = 3600;
    }
    ~Win32Forms() override {
        form.unload();
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    HWND hwnd() const { return Win32Backend::handleOf(form); }
    int px(int twips) { return twips / backend.twipsPerPixelX(); }
    void pump() {
        for (int i = 0; i < 5; ++i) {
            toolkit.doEvents();
            Sleep(10);
        }
    }
};

TEST_F(Win32Forms, TwipsPerPixelFollowTheDisplay) {
    HDC dc = GetDC(nullptr);
    const int dpiX = GetDeviceCaps(dc, LOGPIXELSX), dpiY = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    EXPECT_EQ(backend.twipsPerPixelX(), 1440 / dpiX);
    EXPECT_EQ(backend.twipsPerPixelY(), 1440 / dpiY);
}

TEST_F(Win32Forms, ControlsCarryTheirIdsAndSitInTheirFrame) {
    Control& frame = form.add(110, Kind::Frame, "Frame1", Rect{600, 900, 3000, 1500}, "Rest");
    Control& inner = form.add(111, Kind::Button, "Command3", Rect{300, 450, 600, 300}, "X");
    inner.container = &frame;
    Control& hidden = form.add(112, Kind::HiddenList, "profilelist", Rect{});
    form.show();
    EXPECT_EQ(GetDlgItem(hwnd(), 110), Win32Backend::handleOf(frame));
    EXPECT_EQ(GetDlgItem(hwnd(), 111), Win32Backend::handleOf(inner));
    EXPECT_EQ(GetDlgCtrlID(Win32Backend::handleOf(inner)), 111);
    EXPECT_EQ(GetParent(Win32Backend::handleOf(inner)), hwnd());
    EXPECT_EQ(Win32Backend::handleOf(hidden), nullptr);
    RECT r{};
    GetWindowRect(Win32Backend::handleOf(inner), &r);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, px(600 + 300));
    EXPECT_EQ(r.top, px(900 + 450));
    frame.setVisible(false);
    EXPECT_FALSE(IsWindowVisible(Win32Backend::handleOf(inner)));
}

TEST_F(Win32Forms, MenuBarMirrorsItemsAndReportsChoices) {
    Control& top = form.add(900, Kind::MenuTop, "op", Rect{}, "Option");
    Control& item = form.add(901, Kind::MenuItem, "strtup", Rect{}, "StartUp");
    Control& other = form.add(902, Kind::MenuItem, "ar", Rect{}, "AutoReboot");
    item.container = other.container = &top;
    int chosen = 0;
    item.onClick = [&] { ++chosen; };
    form.show();
    HMENU bar = GetMenu(hwnd());
    ASSERT_NE(bar, nullptr);
    item.setChecked(true);
    other.setEnabled(false);
    bar = GetMenu(hwnd());
    EXPECT_TRUE(GetMenuState(bar, 901, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(GetMenuState(bar, 902, MF_BYCOMMAND) & MF_GRAYED);
    SendMessageW(hwnd(), WM_COMMAND, MAKEWPARAM(901, 0), 0);
    SendMessageW(hwnd(), WM_COMMAND, MAKEWPARAM(902, 0), 0);
    EXPECT_EQ(chosen, 1);
}

TEST_F(Win32Forms, StateTopmostAndCaptionReachTheWindow) {
    form.show();
    form.setCaption("シャットダウンタイマー");
    wchar_t text[64] = {};
    GetWindowTextW(hwnd(), text, 64);
    EXPECT_STREQ(text, L"シャットダウンタイマー");
    form.setTopmost(true);
    EXPECT_TRUE(GetWindowLongW(hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    form.setState(forms::WindowState::Minimized);
    pump();
    EXPECT_TRUE(IsIconic(hwnd()));
    ShowWindow(hwnd(), SW_RESTORE); // the user restores it
    pump();
    EXPECT_EQ(form.state(), forms::WindowState::Normal);
}

TEST_F(Win32Forms, EnterPressesTheFocusedButton) {
    Control& cancel = form.add(101, Kind::Button, "Command1", Rect{450, 525, 1995, 375}, "CANCEL");
    int clicks = 0;
    cancel.onClick = [&] { ++clicks; };
    form.show();
    cancel.setFocus();
    PostMessageW(Win32Backend::handleOf(cancel), WM_KEYDOWN, VK_RETURN, 1);
    pump();
    EXPECT_EQ(clicks, 1);
}

TEST_F(Win32Forms, EachTooltipIsOneToolOfTheWindow) {
    Control& combo = form.add(101, Kind::DropDownList, "Combo1", Rect{120, 120, 2400, 315});
    combo.setTooltip("OS");
    form.show();
    form.add(102, Kind::Button, "Command3", Rect{120, 600, 600, 300}, "X").setTooltip("Cancel");
    HWND tip = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findTooltip, reinterpret_cast<LPARAM>(&tip));
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(GetWindow(tip, GW_OWNER), hwnd());
    EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 2);
    combo.setTooltip("");
    EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
}

TEST_F(Win32Forms, ACheckBoxTallerThanOneLineWrapsItsCaption) {
    struct Case {
        int height; // twips
        bool wraps;
    };
    const std::vector<Case> cases = {{435, true}, {255, false}, {900, true}};
    int id = 120;
    std::vector<std::pair<Control*, bool>> boxes;
    for (const Case& k : cases) {
        Control& box = form.add(id, Kind::CheckBox, "Check1", Rect{120, 120 + 1000 * (id - 120), 915, k.height},
                                "Show in taskbar");
        boxes.emplace_back(&box, k.wraps);
        ++id;
    }
    form.show();
    for (const auto& [box, wraps] : boxes) {
        SCOPED_TRACE(box->rect().height);
        const auto style = static_cast<DWORD>(GetWindowLongW(Win32Backend::handleOf(*box), GWL_STYLE));
        EXPECT_EQ((style & BS_MULTILINE) != 0, wraps);
    }
    boxes.front().first->move(Rect{120, 120, 915, 255});
    EXPECT_FALSE(GetWindowLongW(Win32Backend::handleOf(*boxes.front().first), GWL_STYLE) & BS_MULTILINE);
}

TEST_F(Win32Forms, AComboPaintsItsEditFieldInItsOwnColours) {
    Control& combo = form.add(101, Kind::EditCombo, "Combo2", Rect{120, 120, 855, 315});
    combo.foreColor = 0xFF0000;
    combo.backColor = 0x00FFFF;
    form.show();
    HWND h = Win32Backend::handleOf(combo);
    HWND edit = FindWindowExW(h, nullptr, L"Edit", nullptr);
    ASSERT_NE(edit, nullptr);
    HDC dc = GetDC(edit);
    const auto brush = SendMessageW(h, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                    reinterpret_cast<LPARAM>(edit));
    EXPECT_EQ(GetTextColor(dc), COLORREF{0xFF0000});
    EXPECT_EQ(GetBkColor(dc), COLORREF{0x00FFFF});
    LOGBRUSH lb{};
    GetObjectW(reinterpret_cast<HGDIOBJ>(brush), sizeof lb, &lb);
    EXPECT_EQ(lb.lbColor, COLORREF{0x00FFFF});
    ReleaseDC(edit, dc);
}

TEST_F(Win32Forms, AWindowRestoredWhileHiddenComesBackNormal) {
    form.show();
    form.setState(forms::WindowState::Minimized);
    pump();
    form.hide();
    form.setState(forms::WindowState::Normal);
    form.show();
    pump();
    EXPECT_TRUE(IsWindowVisible(hwnd()));
    EXPECT_FALSE(IsIconic(hwnd()));
}

TEST_F(Win32Forms, ShownWindowFocusesItsFirstControlAndGetsItBack) {
    form.add(101, Kind::Label, "Pbar", Rect{360, 120, 2295, 255}, "****");
    Control& first = form.add(102, Kind::Button, "Command1", Rect{450, 525, 1995, 375}, "CANCEL");
    Control& second = form.add(103, Kind::Button, "Command2", Rect{450, 1025, 1995, 375}, "OK");
    form.show();
    SetForegroundWindow(hwnd());
    SetFocus(hwnd());
    pump();
    EXPECT_EQ(GetFocus(), Win32Backend::handleOf(first));
    SetFocus(Win32Backend::handleOf(second));
    SendMessageW(hwnd(), WM_ACTIVATE, WA_INACTIVE, 0);
    SetFocus(hwnd());
    EXPECT_EQ(GetFocus(), Win32Backend::handleOf(second));
}

TEST_F(Win32Forms, AModalWindowIsOwnedByItsOwnerAndCannotBeMinimizedAlone) {
    Window dialog{toolkit, "bootdrv", "Select Boot Drive"};
    dialog.clientWidth = 3855;
    dialog.clientHeight = 1515;
    Control& tick = dialog.add(201, Kind::Timer, "Timer1", Rect{});
    tick.setInterval(50);
    HWND owner = nullptr;
    LONG style = 0;
    tick.onTimer = [&] {
        owner = GetWindow(Win32Backend::handleOf(dialog), GW_OWNER);
        style = GetWindowLongW(Win32Backend::handleOf(dialog), GWL_STYLE);
        dialog.unload();
    };
    form.show();
    dialog.showModal(&form);
    EXPECT_EQ(owner, hwnd());
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_TRUE(IsWindowEnabled(hwnd()));
}

TEST_F(Win32Forms, AFrameLiesAboveTheButtonsMadeBeforeItAndBelowWhatItHolds) {
    Control& under = form.add(101, Kind::Button, "Command1(0)", Rect{120, 1560, 1095, 320}, "Set default");
    Control& frame = form.add(110, Kind::Frame, "Frame1", Rect{0, 1440, 3615, 480}, "REST TIME");
    Control& rest = form.add(111, Kind::Label, "Label8", Rect{120, 195, 435, 240}, "Rest");
    rest.container = &frame;
    form.show();
    // Position from the top of the z-order, which decides what paints over what.
    const auto depth = [&](const Control& c) {
        int n = 0;
        for (HWND h = GetWindow(hwnd(), GW_CHILD); h && h != Win32Backend::handleOf(c); h = GetWindow(h, GW_HWNDNEXT))
            ++n;
        return n;
    };
    EXPECT_LT(depth(rest), depth(frame));
    EXPECT_LT(depth(frame), depth(under));
}

} // namespace
