#include <map>

#include "platform/win32/win32_forms.h"
#include "tests/forms/rig.h"

namespace {

std::wstring widen(const std::string& s) {
    std::wstring w(s.size() + 1, L'\0');
    const int n = MultiByteToWideChar(CP_UTF8, 0, s.c_str(), -1, w.data(), static_cast<int>(w.size()));
    w.resize(n > 0 ? static_cast<std::size_t>(n - 1) : 0);
    return w;
}

std::string narrow(const wchar_t* w) {
    char buf[1024] = {};
    WideCharToMultiByte(CP_UTF8, 0, w, -1, buf, sizeof buf - 1, nullptr, nullptr);
    return buf;
}

// Actions scheduled on thread timers, run by whichever loop dispatches them.
std::map<UINT_PTR, std::function<void()>>& pendingActions() {
    static std::map<UINT_PTR, std::function<void()>> actions;
    return actions;
}

void CALLBACK runAction(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    auto it = pendingActions().find(id);
    if (it == pendingActions().end())
        return;
    auto action = std::move(it->second);
    pendingActions().erase(it);
    action();
}

UINT downOf(forms::MouseButton b) {
    return b == forms::MouseButton::Right    ? WM_RBUTTONDOWN
           : b == forms::MouseButton::Middle ? WM_MBUTTONDOWN
                                             : WM_LBUTTONDOWN;
}

UINT upOf(forms::MouseButton b) {
    return b == forms::MouseButton::Right    ? WM_RBUTTONUP
           : b == forms::MouseButton::Middle ? WM_MBUTTONUP
                                             : WM_LBUTTONUP;
}

WPARAM keyOf(forms::MouseButton b) {
    return b == forms::MouseButton::Right ? MK_RBUTTON
           : b == forms::MouseButton::Middle ? MK_MBUTTON
                                             : MK_LBUTTON;
}

class Win32Rig : public Rig {
public:
    Win32Rig() : backend_(GetModuleHandleW(nullptr)), toolkit_(backend_), start_(GetTickCount()) {}
    ~Win32Rig() override {
        for (auto& [id, action] : pendingActions())
            KillTimer(nullptr, id);
        pendingActions().clear();
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    forms::Toolkit& toolkit() override { return toolkit_; }

    void click(forms::Control& c) override {
        HWND h = Win32Backend::handleOf(c);
        switch (c.kind) {
        case forms::Kind::Button:
        case forms::Kind::CheckBox:
        case forms::Kind::OptionButton:
            SendMessageW(h, BM_CLICK, 0, 0);
            break;
        case forms::Kind::MenuItem:
            SendMessageW(Win32Backend::handleOf(c.window), WM_COMMAND,
                         MAKEWPARAM(static_cast<WORD>(c.id), 0), 0);
            break;
        default:
            SendMessageW(GetParent(h), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(c.id), STN_CLICKED),
                         reinterpret_cast<LPARAM>(h));
            break;
        }
    }
    void type(forms::Control& c, const std::string& text) override {
        HWND h = Win32Backend::handleOf(c);
        const std::wstring w = widen(text);
        if (c.kind == forms::Kind::EditCombo) {
            // A combo's field stays silent on WM_SETTEXT; a paste over all of it notifies.
            HWND edit = FindWindowExW(h, nullptr, L"Edit", nullptr);
            SendMessageW(edit, EM_SETSEL, 0, -1);
            SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(w.c_str()));
            return;
        }
        SendMessageW(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(w.c_str()));
    }
    void pick(forms::Control& c, int index) override {
        HWND h = Win32Backend::handleOf(c);
        SendMessageW(h, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageW(GetParent(h), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(c.id), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(h));
    }
    void mouseDown(forms::Control& c, forms::MouseButton b) override {
        PostMessageW(Win32Backend::handleOf(c), downOf(b), keyOf(b), MAKELPARAM(3, 3));
        backend_.doEvents();
    }
    void mouseUp(forms::Control& c, forms::MouseButton b) override {
        PostMessageW(Win32Backend::handleOf(c), upOf(b), 0, MAKELPARAM(3, 3));
        backend_.doEvents();
    }
    void closeWindow(forms::Window& w) override {
        SendMessageW(Win32Backend::handleOf(w), WM_CLOSE, 0, 0);
    }

    void run(int ms) override {
        const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
        for (;;) {
            backend_.doEvents();
            const auto left = static_cast<long>(end - GetTickCount());
            if (left <= 0)
                break;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left), QS_ALLINPUT);
        }
    }
    void at(int ms, std::function<void()> action) override {
        const UINT_PTR id = SetTimer(nullptr, 0, static_cast<UINT>(ms > 0 ? ms : 1), runAction);
        if (id)
            pendingActions()[id] = std::move(action);
    }
    void sleep(int ms) override { Sleep(static_cast<DWORD>(ms)); }
    std::int64_t nowMs() override { return static_cast<std::int64_t>(GetTickCount() - start_); }
    int slackMs() const override { return 60; }

    std::string shownText(forms::Control& c) override {
        wchar_t buf[512] = {};
        GetWindowTextW(Win32Backend::handleOf(c), buf, 511);
        return narrow(buf);
    }
    int shownValue(forms::Control& c) override {
        return static_cast<int>(SendMessageW(Win32Backend::handleOf(c), BM_GETCHECK, 0, 0));
    }
    int shownIndex(forms::Control& c) override {
        return static_cast<int>(SendMessageW(Win32Backend::handleOf(c), CB_GETCURSEL, 0, 0));
    }
    bool shownEnabled(forms::Window& w) override {
        return IsWindowEnabled(Win32Backend::handleOf(w)) != FALSE;
    }
    bool shownVisible(forms::Window& w) override {
        return IsWindowVisible(Win32Backend::handleOf(w)) != FALSE;
    }
    int clientPixelsX(forms::Window& w) override {
        RECT r{};
        GetClientRect(Win32Backend::handleOf(w), &r);
        return r.right - r.left;
    }
    int clientPixelsY(forms::Window& w) override {
        RECT r{};
        GetClientRect(Win32Backend::handleOf(w), &r);
        return r.bottom - r.top;
    }

private:
    Win32Backend backend_;
    forms::Toolkit toolkit_;
    DWORD start_;
};

} // namespace

std::unique_ptr<Rig> makeRig() { return std::make_unique<Win32Rig>(); }
