// What the real windows must add to the shared rules: handles, ids, menus, states.
#include <gtest/gtest.h>

#include "platform/win32/win32_forms.h"

#include <commctrl.h>

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

} // namespace
