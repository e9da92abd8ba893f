// tarvic_driver: one action on the windows of another program per run, so
// that shell scripts can act as the user and read what the program shows.
// Windows are found by their exact title, controls by their control ID.
#include <windows.h>
#include <shellapi.h>

#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr DWORD kPollMs = 50;
constexpr UINT kReplyMs = 2000;
// The control ID that the system message box gives its text.
constexpr int kMessageTextId = 0xFFFF;

std::string utf8(const std::wstring& w) {
    if (w.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string s(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
    return s;
}

void out(const std::string& s) {
    DWORD written = 0;
    const std::string line = s + "\n";
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line.data(), static_cast<DWORD>(line.size()), &written,
              nullptr);
}

int fail(const std::string& why) {
    DWORD written = 0;
    const std::string line = "driver: " + why + "\n";
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), line.data(), static_cast<DWORD>(line.size()), &written,
              nullptr);
    return 1;
}

std::wstring className(HWND h) {
    wchar_t buf[64] = {};
    GetClassNameW(h, buf, 64);
    return buf;
}

// Cross-process text goes through the message, which the system marshals;
// GetWindowText would not ask another process's control.
std::wstring windowText(HWND h) {
    DWORD_PTR len = 0;
    if (!SendMessageTimeoutW(h, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kReplyMs, &len)) return {};
    std::vector<wchar_t> buf(len + 2, L'\0');
    DWORD_PTR got = 0;
    SendMessageTimeoutW(h, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()), SMTO_ABORTIFHUNG,
                        kReplyMs, &got);
    return std::wstring(buf.data());
}

LRESULT ask(HWND h, UINT msg, WPARAM w = 0, LPARAM l = 0) {
    DWORD_PTR r = 0;
    if (!SendMessageTimeoutW(h, msg, w, l, SMTO_ABORTIFHUNG, kReplyMs, &r)) return -1;
    return static_cast<LRESULT>(r);
}

struct ChildSearch {
    int id;
    HWND found;
};

BOOL CALLBACK childById(HWND h, LPARAM p) {
    auto* s = reinterpret_cast<ChildSearch*>(p);
    if (GetDlgCtrlID(h) == s->id) {
        s->found = h;
        return FALSE;
    }
    return TRUE;
}

// Controls may sit inside frames, so every descendant counts.
HWND control(HWND top, int id) {
    ChildSearch s{id, nullptr};
    EnumChildWindows(top, childById, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

struct TopSearch {
    std::wstring title;
    bool prefix;
    int id; // 0: any window; else it must hold this control
    std::vector<HWND> found;
};

BOOL CALLBACK topByTitle(HWND h, LPARAM p) {
    auto* s = reinterpret_cast<TopSearch*>(p);
    wchar_t buf[512] = {};
    GetWindowTextW(h, buf, 512);
    const std::wstring t = buf;
    const bool match = s->prefix ? t.compare(0, s->title.size(), s->title) == 0 : t == s->title;
    if (match && (s->id == 0 || control(h, s->id) != nullptr)) s->found.push_back(h);
    return TRUE;
}

std::vector<HWND> windows(const std::wstring& title, bool prefix = false, int id = 0) {
    TopSearch s{title, prefix, id, {}};
    EnumWindows(topByTitle, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

// A shown window wins over a hidden one of the same title.
HWND window(const std::wstring& title, int id = 0) {
    const std::vector<HWND> all = windows(title, false, id);
    for (HWND h : all)
        if (IsWindowVisible(h)) return h;
    return all.empty() ? nullptr : all.front();
}

HWND shown(const std::wstring& title, bool prefix, int id = 0) {
    for (HWND h : windows(title, prefix, id))
        if (IsWindowVisible(h)) return h;
    return nullptr;
}

BOOL CALLBACK messageBoxSearch(HWND h, LPARAM p) {
    if (IsWindowVisible(h) && className(h) == L"#32770" && GetDlgItem(h, kMessageTextId) != nullptr) {
        *reinterpret_cast<HWND*>(p) = h;
        return FALSE;
    }
    return TRUE;
}

HWND messageBox() {
    HWND found = nullptr;
    EnumWindows(messageBoxSearch, reinterpret_cast<LPARAM>(&found));
    return found;
}

template <class Pred> bool waitFor(DWORD ms, Pred done) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (done()) return true;
        if (GetTickCount() - start >= ms) return false;
        Sleep(kPollMs);
    }
}

DWORD number(const std::wstring& s) { return static_cast<DWORD>(std::wcstoul(s.c_str(), nullptr, 10)); }

bool isCombo(HWND h) { return lstrcmpiW(className(h).c_str(), L"ComboBox") == 0; }
bool isList(HWND h) { return lstrcmpiW(className(h).c_str(), L"ListBox") == 0; }

// Shown to the user: visible itself and inside the client area of its window.
bool onScreen(HWND top, HWND h) {
    if (!IsWindowVisible(h)) return false;
    RECT client{}, r{}, both{};
    GetClientRect(top, &client);
    MapWindowPoints(top, nullptr, reinterpret_cast<POINT*>(&client), 2);
    GetWindowRect(h, &r);
    return IntersectRect(&both, &client, &r) != 0;
}

int usage() {
    return fail(
        "usage: tarvic_driver <command> ...\n"
        "  start <exe> [args]            start a program, print its process id\n"
        "  exited <pid> <ms>             the process ends within ms\n"
        "  wait <title> <ms> [id]        a shown window with that title (holding control id)\n"
        "  waitprefix <prefix> <ms>      a shown window whose title starts so; print the title\n"
        "  gone <title> <ms>             no window with that title, shown or hidden\n"
        "  count <title>                 number of shown windows with that title\n"
        "  text|items|sel|enabled|visible <title> <id>\n"
        "  click|press|release <title> <id>\n"
        "  settext <title> <id> <text>   select <title> <id> <index>\n"
        "  menu <title> <cmd-id>         close <title>\n"
        "  rect <title>                  move <title> <x> <y>     state <title>\n"
        "  client <title>                the client area's size in pixels\n"
        "  place <title> <id>            a control's place in the client area, in pixels\n"
        "  msgbox <ms>                   msgboxok                 dpi\n"
        "  tick                          the system tick count (click prints it too)");
}

int run(const std::vector<std::wstring>& a) {
    if (a.empty()) return usage();
    const std::wstring& cmd = a[0];
    const std::size_t n = a.size();

    if (cmd == L"dpi") {
        HDC dc = GetDC(nullptr);
        out(std::to_string(GetDeviceCaps(dc, LOGPIXELSY)));
        ReleaseDC(nullptr, dc);
        return 0;
    }
    if (cmd == L"tick") {
        out(std::to_string(GetTickCount()));
        return 0;
    }
    if (cmd == L"start" && n >= 2) {
        std::wstring line = L"\"" + a[1] + L"\"";
        for (std::size_t i = 2; i < n; ++i) line += L" " + a[i];
        STARTUPINFOW si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        std::vector<wchar_t> buf(line.begin(), line.end());
        buf.push_back(L'\0');
        if (!CreateProcessW(nullptr, buf.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
            return fail("cannot start " + utf8(a[1]) + ", error " + std::to_string(GetLastError()));
        out(std::to_string(pi.dwProcessId));
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        return 0;
    }
    if (cmd == L"exited" && n == 3) {
        HANDLE p = OpenProcess(SYNCHRONIZE, FALSE, number(a[1]));
        if (p == nullptr) return 0; // already gone
        const DWORD r = WaitForSingleObject(p, number(a[2]));
        CloseHandle(p);
        return r == WAIT_OBJECT_0 ? 0 : fail("process " + utf8(a[1]) + " still runs");
    }
    if ((cmd == L"wait" || cmd == L"waitprefix") && (n == 3 || n == 4)) {
        const bool prefix = cmd == L"waitprefix";
        const int id = n == 4 ? static_cast<int>(number(a[3])) : 0;
        HWND h = nullptr;
        if (!waitFor(number(a[2]), [&] { return (h = shown(a[1], prefix, id)) != nullptr; }))
            return fail("no window \"" + utf8(a[1]) + "\"");
        if (prefix) {
            wchar_t buf[512] = {};
            GetWindowTextW(h, buf, 512);
            out(utf8(buf));
        }
        return 0;
    }
    if (cmd == L"gone" && n == 3) {
        return waitFor(number(a[2]), [&] { return windows(a[1]).empty(); })
                   ? 0
                   : fail("window \"" + utf8(a[1]) + "\" still there");
    }
    if (cmd == L"count" && n == 2) {
        int shownCount = 0;
        for (HWND h : windows(a[1]))
            if (IsWindowVisible(h)) ++shownCount;
        out(std::to_string(shownCount));
        return 0;
    }
    if (cmd == L"msgbox" && n == 2) {
        HWND box = nullptr;
        if (!waitFor(number(a[1]), [&] { return (box = messageBox()) != nullptr; }))
            return fail("no message box");
        wchar_t title[512] = {};
        GetWindowTextW(box, title, 512);
        out(utf8(title));
        out(utf8(windowText(GetDlgItem(box, kMessageTextId))));
        return 0;
    }
    if (cmd == L"msgboxok" && n == 1) {
        HWND box = messageBox();
        if (box == nullptr) return fail("no message box");
        HWND ok = GetDlgItem(box, IDOK);
        if (ok == nullptr) ok = GetDlgItem(box, IDCANCEL);
        if (ok == nullptr) return fail("message box without OK");
        PostMessageW(ok, BM_CLICK, 0, 0);
        return 0;
    }

    if (n < 2) return usage();
    const int id = n >= 3 ? static_cast<int>(number(a[2])) : 0;
    const bool needsControl = cmd != L"close" && cmd != L"rect" && cmd != L"move" && cmd != L"state" &&
                              cmd != L"menu" && cmd != L"client";
    HWND top = window(a[1], needsControl ? id : 0);
    if (top == nullptr) return fail("no window \"" + utf8(a[1]) + "\"");

    if (cmd == L"close" && n == 2) {
        PostMessageW(top, WM_CLOSE, 0, 0);
        return 0;
    }
    if (cmd == L"rect" && n == 2) {
        RECT r{};
        GetWindowRect(top, &r);
        out(std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right) + " " +
            std::to_string(r.bottom));
        return 0;
    }
    if (cmd == L"client" && n == 2) {
        RECT r{};
        GetClientRect(top, &r);
        out(std::to_string(r.right) + " " + std::to_string(r.bottom));
        return 0;
    }
    if (cmd == L"move" && n == 4) {
        const int x = static_cast<int>(std::wcstol(a[2].c_str(), nullptr, 10));
        const int y = static_cast<int>(std::wcstol(a[3].c_str(), nullptr, 10));
        return SetWindowPos(top, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE)
                   ? 0
                   : fail("cannot move");
    }
    if (cmd == L"state" && n == 2) {
        out(!IsWindowVisible(top) ? "hidden" : IsIconic(top) ? "minimized" : IsZoomed(top) ? "maximized"
                                                                                           : "normal");
        return 0;
    }
    if (cmd == L"menu" && n == 3) {
        PostMessageW(top, WM_COMMAND, MAKEWPARAM(id, 0), 0);
        return 0;
    }

    if (n < 3) return usage();
    HWND c = control(top, id);
    if (c == nullptr) return fail("no control " + utf8(a[2]) + " in \"" + utf8(a[1]) + "\"");

    if (cmd == L"text" && n == 3) {
        out(utf8(windowText(c)));
        return 0;
    }
    if (cmd == L"items" && n == 3) {
        const bool list = isList(c);
        const LRESULT count = ask(c, list ? LB_GETCOUNT : CB_GETCOUNT);
        for (LRESULT i = 0; i < count; ++i) {
            const WPARAM index = static_cast<WPARAM>(i);
            const LRESULT len = ask(c, list ? LB_GETTEXTLEN : CB_GETLBTEXTLEN, index);
            std::vector<wchar_t> buf(static_cast<std::size_t>(len < 0 ? 0 : len) + 2, L'\0');
            ask(c, list ? LB_GETTEXT : CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(buf.data()));
            out(utf8(buf.data()));
        }
        return 0;
    }
    if (cmd == L"sel" && n == 3) {
        out(std::to_string(ask(c, isList(c) ? LB_GETCURSEL : CB_GETCURSEL)));
        return 0;
    }
    if (cmd == L"place" && n == 3) {
        RECT r{};
        GetWindowRect(c, &r);
        MapWindowPoints(nullptr, top, reinterpret_cast<POINT*>(&r), 2);
        out(std::to_string(r.left) + " " + std::to_string(r.top));
        return 0;
    }
    if (cmd == L"enabled" && n == 3) {
        out(IsWindowEnabled(c) ? "1" : "0");
        return 0;
    }
    if (cmd == L"visible" && n == 3) {
        out(onScreen(top, c) ? "1" : "0");
        return 0;
    }
    if (cmd == L"click" && n == 3) {
        // The tick lets a trace of the program be timed against this click.
        if (lstrcmpiW(className(c).c_str(), L"Static") == 0)
            PostMessageW(GetParent(c), WM_COMMAND, MAKEWPARAM(id, STN_CLICKED), reinterpret_cast<LPARAM>(c));
        else
            PostMessageW(c, BM_CLICK, 0, 0);
        out(std::to_string(GetTickCount()));
        return 0;
    }
    if ((cmd == L"press" || cmd == L"release") && n == 3) {
        const bool down = cmd == L"press";
        PostMessageW(c, down ? WM_LBUTTONDOWN : WM_LBUTTONUP, down ? MK_LBUTTON : 0, MAKELPARAM(2, 2));
        return 0;
    }
    if (cmd == L"settext" && n == 4) {
        HWND edit = isCombo(c) ? FindWindowExW(c, nullptr, L"Edit", nullptr) : c;
        if (edit == nullptr) return fail("no edit field");
        return ask(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(a[3].c_str())) == -1 ? fail("no reply") : 0;
    }
    if (cmd == L"select" && n == 4) {
        const bool list = isList(c);
        const WPARAM index = number(a[3]);
        if (ask(c, list ? LB_SETCURSEL : CB_SETCURSEL, index) != static_cast<LRESULT>(index))
            return fail("no item " + utf8(a[3]));
        const WORD change = list ? LBN_SELCHANGE : CBN_SELCHANGE;
        PostMessageW(GetParent(c), WM_COMMAND, MAKEWPARAM(id, change), reinterpret_cast<LPARAM>(c));
        return 0;
    }
    return usage();
}

} // namespace

int main() {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::vector<std::wstring> args;
    for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
    LocalFree(argv);
    return run(args);
}
