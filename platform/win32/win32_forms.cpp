#include "platform/win32/win32_forms.h"

#include <commctrl.h>

#include <algorithm>

using forms::Control;
using forms::Kind;
using forms::Prop;
using forms::Window;

namespace {

const wchar_t formClass[] = L"TarvicForm";

std::wstring widen(const std::string& s) {
    if (s.empty())
        return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
    return w;
}

std::string narrow(const std::wstring& w) {
    if (w.empty())
        return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string s(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr,
                        nullptr);
    return s;
}

std::string windowText(HWND h) {
    const int n = GetWindowTextLengthW(h);
    std::wstring w(static_cast<std::size_t>(n) + 1, L'\0');
    const int got = GetWindowTextW(h, w.data(), n + 1);
    w.resize(static_cast<std::size_t>(std::max(got, 0)));
    return narrow(w);
}

// An owned GDI object, deleted with its owner.
class GdiObject {
public:
    GdiObject() = default;
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    ~GdiObject() { reset(nullptr); }
    void reset(HGDIOBJ h) {
        if (h_)
            DeleteObject(h_);
        h_ = h;
    }
    HGDIOBJ get() const { return h_; }

private:
    HGDIOBJ h_ = nullptr;
};

bool hasWindow(Kind k) {
    return k != Kind::HiddenList && k != Kind::Timer && k != Kind::MenuTop && k != Kind::MenuItem;
}

bool isCombo(Kind k) {
    return k == Kind::DropDownList || k == Kind::EditCombo || k == Kind::DriveList;
}

bool showsCaption(Kind k) { return !isCombo(k) && k != Kind::TextBox; }

bool inside(const Control& c, const Control& frame) {
    for (const Control* p = c.container; p; p = p->container)
        if (p == &frame)
            return true;
    return false;
}

// Suppresses the notifications a peer sends back while the model updates it.
class EchoGuard {
public:
    explicit EchoGuard(int& n) : n_(n) { ++n_; }
    EchoGuard(const EchoGuard&) = delete;
    EchoGuard& operator=(const EchoGuard&) = delete;
    ~EchoGuard() { --n_; }

private:
    int& n_;
};

forms::MouseButton buttonOf(UINT m) {
    switch (m) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_RBUTTONUP:
        return forms::MouseButton::Right;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_MBUTTONUP:
        return forms::MouseButton::Middle;
    default:
        return forms::MouseButton::Left;
    }
}

HICON iconOf(HINSTANCE instance, int id, bool smallSize) {
    const int sx = GetSystemMetrics(smallSize ? SM_CXSMICON : SM_CXICON);
    const int sy = GetSystemMetrics(smallSize ? SM_CYSMICON : SM_CYICON);
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON, sx, sy, LR_SHARED));
}

// A box made taller than one line wraps its caption; fonts with a tall leading fill the
// second line only in part, which still beats a caption cut after its first word.
void wrapCaption(HWND h, int height) {
    HDC dc = GetDC(h);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(h, WM_GETFONT, 0, 0)));
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(h, dc);
    const auto style = static_cast<DWORD>(GetWindowLongW(h, GWL_STYLE));
    const DWORD wanted = 2 * height >= 3 * tm.tmHeight ? style | BS_MULTILINE : style & ~DWORD{BS_MULTILINE};
    if (wanted != style) {
        SetWindowLongW(h, GWL_STYLE, static_cast<LONG>(wanted));
        InvalidateRect(h, nullptr, TRUE);
    }
}

const DWORD formStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

} // namespace

struct Win32Backend::ControlPeer {
    Win32Backend* backend = nullptr;
    Control* control = nullptr;
    HWND hwnd = nullptr;
    WNDPROC oldProc = nullptr;
    GdiObject font;
    GdiObject brush;
    long brushColour = -1;
    bool tooltip = false;
    int held = 0; // mouse buttons pressed on the control and not yet released
};

namespace {

// The control is still the one the peer was made for: a handler may have
// unloaded its window.
bool alive(HWND h, const Win32Backend::ControlPeer* p) {
    return IsWindow(h) && GetWindowLongPtrW(h, GWLP_USERDATA) == reinterpret_cast<LONG_PTR>(p);
}

// The control's own colours on the device context its peer is about to paint with.
LRESULT paintColours(Win32Backend::ControlPeer& p, HDC dc, LRESULT brush);

} // namespace

struct Win32Backend::FormPeer {
    Win32Backend* backend = nullptr;
    Window* window = nullptr;
    HWND hwnd = nullptr;
    HWND tooltip = nullptr;
    HMENU menu = nullptr;
    HWND focus = nullptr; // the control that had the focus when the window was left
    std::vector<std::unique_ptr<ControlPeer>> controls;
};

namespace {

LRESULT paintColours(Win32Backend::ControlPeer& p, HDC dc, LRESULT brush) {
    const Control& c = *p.control;
    if (c.foreColor >= 0)
        SetTextColor(dc, static_cast<COLORREF>(c.foreColor));
    if (c.backColor >= 0) {
        if (!p.brush.get() || p.brushColour != c.backColor) {
            p.brush.reset(CreateSolidBrush(static_cast<COLORREF>(c.backColor)));
            p.brushColour = c.backColor;
        }
        SetBkColor(dc, static_cast<COLORREF>(c.backColor));
        brush = reinterpret_cast<LRESULT>(p.brush.get());
    }
    return brush;
}

} // namespace

Win32Backend::Win32Backend(HINSTANCE instance) : instance_(instance) {
    InitCommonControls();
    HDC dc = GetDC(nullptr);
    const int dpiX = std::max(GetDeviceCaps(dc, LOGPIXELSX), 1);
    dpiY_ = std::max(GetDeviceCaps(dc, LOGPIXELSY), 1);
    ReleaseDC(nullptr, dc);
    tppX_ = std::max(1440 / dpiX, 1);
    tppY_ = std::max(1440 / dpiY_, 1);

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = formProc;
    wc.hInstance = instance_;
    // A window without an icon of its own shows the program's, resource 1 by convention.
    wc.hIcon = iconOf(instance_, 1, false);
    wc.hIconSm = iconOf(instance_, 1, true);
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = formClass;
    RegisterClassExW(&wc); // a second backend finds it registered already
}

Win32Backend::~Win32Backend() {
    while (!forms_.empty()) {
        Window* w = forms_.back()->window;
        destroyWindow(*w);
    }
}

int Win32Backend::px(int twips, int tpp) const {
    return twips >= 0 ? (twips + tpp / 2) / tpp : -((-twips + tpp / 2) / tpp);
}

HWND Win32Backend::handleOf(const Window& w) {
    return w.peer ? static_cast<const FormPeer*>(w.peer)->hwnd : nullptr;
}

HWND Win32Backend::handleOf(const Control& c) {
    return c.peer ? static_cast<const ControlPeer*>(c.peer)->hwnd : nullptr;
}

// ---- windows ----------------------------------------------------------------

void Win32Backend::createWindow(Window& w) {
    auto owned = std::make_unique<FormPeer>();
    FormPeer& f = *owned;
    f.backend = this;
    f.window = &w;
    forms_.push_back(std::move(owned));
    w.peer = &f;

    rebuildMenu(f);
    RECT rc{0, 0, px(w.clientWidth, tppX_), px(w.clientHeight, tppY_)};
    AdjustWindowRectEx(&rc, formStyle, f.menu != nullptr, 0);
    const bool placed = w.left() != 0 || w.top() != 0;
    const std::wstring caption = widen(w.caption());
    CreateWindowExW(0, formClass, caption.c_str(), formStyle,
                    placed ? px(w.left(), tppX_) : static_cast<int>(CW_USEDEFAULT),
                    placed ? px(w.top(), tppY_) : static_cast<int>(CW_USEDEFAULT),
                    rc.right - rc.left, rc.bottom - rc.top, nullptr, f.menu, instance_, &f);
    if (!f.hwnd) {
        forms_.pop_back();
        w.peer = nullptr;
        return;
    }
    // A menu bar that wraps, or a theme's frame, may take more than the estimate allowed for.
    RECT client{};
    GetClientRect(f.hwnd, &client);
    const int dx = px(w.clientWidth, tppX_) - client.right, dy = px(w.clientHeight, tppY_) - client.bottom;
    if (dx != 0 || dy != 0)
        SetWindowPos(f.hwnd, nullptr, 0, 0, rc.right - rc.left + dx, rc.bottom - rc.top + dy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (w.iconId != 0) {
        // The caption wants the icon's own small image, not the large one squeezed.
        if (HICON big = iconOf(instance_, w.iconId, false))
            SendMessageW(f.hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
        if (HICON little = iconOf(instance_, w.iconId, true))
            SendMessageW(f.hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(little));
    }
    for (const auto& c : w.controls())
        createControl(f, *c);
    if (!w.enabled())
        EnableWindow(f.hwnd, FALSE);
    if (w.topmost())
        windowChanged(w, Prop::Topmost);
    reportGeometry(f);
}

void Win32Backend::destroyWindow(Window& w) {
    auto it = std::find_if(forms_.begin(), forms_.end(),
                           [&](const auto& p) { return p->window == &w; });
    if (it == forms_.end())
        return;
    FormPeer& f = **it;
    // The peers go now; messages that DestroyWindow still sends find none.
    SetWindowLongPtrW(f.hwnd, GWLP_USERDATA, 0);
    // The tooltip's hooks sit on top of ours: they come off first.
    if (f.tooltip) {
        DestroyWindow(f.tooltip);
        f.tooltip = nullptr;
    }
    for (auto& p : f.controls) {
        if (p->oldProc &&
            GetWindowLongPtrW(p->hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&Win32Backend::controlProc)) {
            SetWindowLongPtrW(p->hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(p->oldProc));
            SetWindowLongPtrW(p->hwnd, GWLP_USERDATA, 0);
        }
        p->control->peer = nullptr;
    }
    const HWND hwnd = f.hwnd;
    DestroyWindow(hwnd); // destroys the menu with it
    w.peer = nullptr;
    // DestroyWindow sends messages that may have changed the list.
    forms_.erase(std::remove_if(forms_.begin(), forms_.end(),
                                [&](const auto& peer) { return peer->window == &w; }),
                 forms_.end());
}

Win32Backend::ControlPeer* Win32Backend::peerOf(HWND h) const {
    for (const auto& f : forms_)
        for (const auto& p : f->controls)
            if (p->hwnd == h)
                return p.get();
    return nullptr;
}

void Win32Backend::reportGeometry(FormPeer& f) {
    if (IsIconic(f.hwnd))
        return; // keep the last normal place, not the minimized one
    RECT r{};
    GetWindowRect(f.hwnd, &r);
    f.window->userMoved(r.left * tppX_, r.top * tppY_, (r.right - r.left) * tppX_,
                        (r.bottom - r.top) * tppY_);
}

void Win32Backend::windowChanged(Window& w, Prop p) {
    auto* f = static_cast<FormPeer*>(w.peer);
    if (!f)
        return;
    switch (p) {
    case Prop::Caption:
        SetWindowTextW(f->hwnd, widen(w.caption()).c_str());
        break;
    case Prop::Geometry:
        SetWindowPos(f->hwnd, nullptr, px(w.left(), tppX_), px(w.top(), tppY_), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        break;
    case Prop::State:
        if (!IsWindowVisible(f->hwnd))
            break;
        if (w.state() == forms::WindowState::Minimized)
            ShowWindow(f->hwnd, SW_MINIMIZE);
        else if (IsIconic(f->hwnd))
            ShowWindow(f->hwnd, SW_RESTORE);
        break;
    case Prop::Topmost:
        SetWindowPos(f->hwnd, w.topmost() ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        break;
    case Prop::Enabled:
        EnableWindow(f->hwnd, w.enabled() ? TRUE : FALSE);
        break;
    case Prop::Focus:
        if (IsWindowVisible(f->hwnd))
            SetForegroundWindow(f->hwnd);
        break;
    default:
        break;
    }
}

void Win32Backend::showWindow(Window& w, bool show) {
    auto* f = static_cast<FormPeer*>(w.peer);
    if (!f)
        return;
    if (!show) {
        ShowWindow(f->hwnd, SW_HIDE);
        return;
    }
    if (w.owner && (GetWindowLongW(f->hwnd, GWL_STYLE) & WS_MINIMIZEBOX)) {
        // A modal window is not minimized alone; it stays above an owner the user can see, and
        // keeps a taskbar button of its own while the owner is hidden.
        HWND owner = handleOf(*w.owner);
        if (owner && IsWindowVisible(owner))
            SetWindowLongPtrW(f->hwnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
        SetWindowLongW(f->hwnd, GWL_STYLE,
                       static_cast<LONG>(static_cast<DWORD>(GetWindowLongW(f->hwnd, GWL_STYLE)) &
                                         ~DWORD{WS_MINIMIZEBOX}));
        SetWindowPos(f->hwnd, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    const bool minimized = w.state() == forms::WindowState::Minimized;
    // A window restored while hidden comes back in its normal place, not as an icon.
    ShowWindow(f->hwnd, minimized ? SW_SHOWMINNOACTIVE : IsIconic(f->hwnd) ? SW_RESTORE : SW_SHOW);
    UpdateWindow(f->hwnd);
}

std::uintptr_t Win32Backend::nativeHandle(const Window& w) {
    return reinterpret_cast<std::uintptr_t>(handleOf(w));
}

// ---- menus ------------------------------------------------------------------

void Win32Backend::rebuildMenu(FormPeer& f) {
    const auto& controls = f.window->controls();
    const bool any = std::any_of(controls.begin(), controls.end(),
                                 [](const auto& c) { return c->kind == Kind::MenuTop; });
    HMENU old = f.menu;
    f.menu = nullptr;
    if (any) {
        f.menu = CreateMenu();
        for (const auto& top : controls) {
            if (top->kind != Kind::MenuTop || !top->visible())
                continue;
            HMENU popup = CreatePopupMenu();
            for (const auto& item : controls) {
                if (item->kind != Kind::MenuItem || item->container != top.get() ||
                    !item->visible())
                    continue;
                if (item->caption() == "-") {
                    AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
                    continue;
                }
                const UINT flags = MF_STRING | (item->checked() ? MF_CHECKED : 0u) |
                                   (item->enabled() ? 0u : MF_GRAYED);
                AppendMenuW(popup, flags, static_cast<UINT_PTR>(item->id),
                            widen(item->caption()).c_str());
            }
            AppendMenuW(f.menu, MF_POPUP | (top->enabled() ? 0u : MF_GRAYED),
                        reinterpret_cast<UINT_PTR>(popup), widen(top->caption()).c_str());
        }
    }
    if (f.hwnd) {
        SetMenu(f.hwnd, f.menu);
        DrawMenuBar(f.hwnd);
        if (old)
            DestroyMenu(old);
    }
}

// ---- controls ---------------------------------------------------------------

void Win32Backend::createControl(FormPeer& f, Control& c) {
    if (!hasWindow(c.kind))
        return;
    const wchar_t* cls = L"STATIC";
    DWORD style = WS_CHILD;
    DWORD ex = 0;
    switch (c.kind) {
    case Kind::Label:
    case Kind::PictureBox:
    case Kind::ImageBox:
        style |= SS_NOTIFY | (c.centred ? SS_CENTER : SS_LEFT);
        ex = c.border ? WS_EX_STATICEDGE : 0u; // the thin sunken edge leaves a one-line label its line
        break;
    case Kind::Line:
        style |= SS_ETCHEDHORZ;
        break;
    case Kind::Button:
        cls = L"BUTTON";
        // Buttons redraw on hover: one under a frame must not paint over it.
        style |= BS_PUSHBUTTON | WS_TABSTOP | WS_CLIPSIBLINGS;
        break;
    case Kind::CheckBox:
        cls = L"BUTTON";
        style |= BS_AUTOCHECKBOX | WS_TABSTOP | WS_CLIPSIBLINGS;
        break;
    case Kind::OptionButton:
        cls = L"BUTTON";
        // Not the auto style: its group would cross frames; the model unchecks the others.
        style |= BS_RADIOBUTTON | WS_TABSTOP | WS_CLIPSIBLINGS;
        break;
    case Kind::Frame:
        cls = L"BUTTON";
        style |= BS_GROUPBOX | WS_CLIPSIBLINGS; // never over the controls it holds
        break;
    case Kind::TextBox:
        cls = L"EDIT";
        style |= ES_AUTOHSCROLL | WS_TABSTOP;
        ex = WS_EX_CLIENTEDGE;
        break;
    case Kind::DropDownList:
    case Kind::DriveList:
        cls = L"COMBOBOX";
        style |= CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
        break;
    case Kind::EditCombo:
        cls = L"COMBOBOX";
        style |= CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP;
        break;
    case Kind::HScrollBar:
        cls = L"SCROLLBAR";
        style |= SBS_HORZ;
        break;
    default:
        return;
    }
    auto owned = std::make_unique<ControlPeer>();
    ControlPeer& p = *owned;
    p.backend = this;
    p.control = &c;
    const std::wstring text = widen(showsCaption(c.kind) ? c.caption() : c.text());
    p.hwnd = CreateWindowExW(ex, cls, isCombo(c.kind) ? L"" : text.c_str(), style, 0, 0, 0, 0,
                             f.hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)),
                             instance_, nullptr);
    if (!p.hwnd)
        return;
    f.controls.push_back(std::move(owned));
    c.peer = &p;
    SetWindowLongPtrW(p.hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&p));
    if (c.kind == Kind::Button || c.kind == Kind::Label || c.kind == Kind::PictureBox ||
        c.kind == Kind::ImageBox || c.kind == Kind::EditCombo || c.kind == Kind::Frame)
        p.oldProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(p.hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(controlProc)));
    // A frame and what it holds lie above the controls made before them, which they may cover.
    if (c.kind == Kind::Frame || (c.container && c.container->kind == Kind::Frame))
        SetWindowPos(p.hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    applyFont(p);
    placeControl(p);
    if (isCombo(c.kind))
        applyControl(p, Prop::Items);
    if (c.kind == Kind::CheckBox || c.kind == Kind::OptionButton)
        applyControl(p, Prop::Value);
    applyEnabledVisible(p);
    if (!c.tooltip().empty())
        updateTooltip(f, p);
}

void Win32Backend::applyFont(ControlPeer& p) {
    const Control& c = *p.control;
    HGDIOBJ font = GetStockObject(DEFAULT_GUI_FONT);
    if (!c.fontName.empty() || c.fontSize > 0 || c.bold) {
        LOGFONTW lf{};
        GetObjectW(font, sizeof lf, &lf);
        if (!c.fontName.empty()) {
            const std::wstring face = widen(c.fontName);
            const std::size_t n = std::min(face.size(), static_cast<std::size_t>(LF_FACESIZE - 1));
            std::copy_n(face.begin(), n, lf.lfFaceName);
            lf.lfFaceName[n] = L'\0';
            lf.lfCharSet = DEFAULT_CHARSET;
        }
        if (c.fontSize > 0)
            lf.lfHeight = -MulDiv(c.fontSize, dpiY_, 72);
        lf.lfWeight = c.bold ? FW_BOLD : FW_NORMAL;
        p.font.reset(CreateFontIndirectW(&lf));
        if (p.font.get())
            font = p.font.get();
    }
    SendMessageW(p.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

void Win32Backend::placeControl(ControlPeer& p) {
    const Control& c = *p.control;
    int left = c.rect().left, top = c.rect().top;
    for (const Control* f = c.container; f && f->kind == Kind::Frame; f = f->container) {
        left += f->rect().left;
        top += f->rect().top;
    }
    int height = px(c.rect().height, tppY_);
    if (isCombo(c.kind))
        height += 200; // the drop-down list below the field
    if (c.kind == Kind::Line)
        height = std::max(height, 2);
    MoveWindow(p.hwnd, px(left, tppX_), px(top, tppY_), px(c.rect().width, tppX_), height, TRUE);
    if (c.kind == Kind::CheckBox || c.kind == Kind::OptionButton)
        wrapCaption(p.hwnd, height);
}

void Win32Backend::applyEnabledVisible(ControlPeer& p) {
    const Control& c = *p.control;
    EnableWindow(p.hwnd, c.enabledWithContainers() ? TRUE : FALSE);
    ShowWindow(p.hwnd, c.visibleWithContainers() ? SW_SHOWNA : SW_HIDE);
}

void Win32Backend::updateTooltip(FormPeer& f, ControlPeer& p) {
    if (!f.tooltip) {
        f.tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                    f.hwnd, nullptr, instance_, nullptr);
        if (!f.tooltip)
            return;
    }
    std::vector<HWND> tools{p.hwnd};
    if (p.control->kind == Kind::EditCombo)
        if (HWND edit = FindWindowExW(p.hwnd, nullptr, L"Edit", nullptr))
            tools.push_back(edit);
    std::wstring text = widen(p.control->tooltip());
    for (HWND tool : tools) {
        TOOLINFOW ti{};
        ti.cbSize = TTTOOLINFOW_V1_SIZE; // the size NT 4.0's common controls know
        ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        ti.hwnd = f.hwnd;
        ti.uId = reinterpret_cast<UINT_PTR>(tool);
        ti.lpszText = text.data();
        if (p.tooltip)
            SendMessageW(f.tooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
        if (!text.empty())
            SendMessageW(f.tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    }
    p.tooltip = !text.empty();
}

void Win32Backend::controlChanged(Control& c, Prop p) {
    auto* f = static_cast<FormPeer*>(c.window.peer);
    if (!f)
        return;
    if (c.kind == Kind::MenuTop || c.kind == Kind::MenuItem) {
        if (p == Prop::Caption || p == Prop::Enabled || p == Prop::Visible || p == Prop::Checked)
            rebuildMenu(*f);
        return;
    }
    if (!c.peer) {
        // Added after the window was made.
        if (c.kind == Kind::Timer || c.kind == Kind::HiddenList)
            return;
        createControl(*f, c);
        return;
    }
    auto& peer = *static_cast<ControlPeer*>(c.peer);
    if (c.kind == Kind::Frame && (p == Prop::Enabled || p == Prop::Visible || p == Prop::Geometry)) {
        for (auto& other : f->controls)
            if (inside(*other->control, c)) {
                if (p == Prop::Geometry)
                    placeControl(*other);
                else
                    applyEnabledVisible(*other);
            }
    }
    if (p == Prop::Tooltip)
        updateTooltip(*f, peer);
    else
        applyControl(peer, p);
}

void Win32Backend::applyControl(ControlPeer& p, Prop prop) {
    const Control& c = *p.control;
    HWND h = p.hwnd;
    EchoGuard guard(echo_);
    switch (prop) {
    case Prop::Caption:
        if (showsCaption(c.kind))
            SetWindowTextW(h, widen(c.caption()).c_str());
        break;
    case Prop::Text:
        if (c.kind == Kind::EditCombo) {
            if (SendMessageW(h, CB_GETCURSEL, 0, 0) != c.listIndex())
                SendMessageW(h, CB_SETCURSEL, static_cast<WPARAM>(c.listIndex()), 0);
            SetWindowTextW(h, widen(c.text()).c_str());
        } else if (c.kind == Kind::TextBox) {
            SetWindowTextW(h, widen(c.text()).c_str());
        }
        break;
    case Prop::Enabled:
    case Prop::Visible:
        applyEnabledVisible(p);
        break;
    case Prop::Geometry:
        placeControl(p);
        break;
    case Prop::Font:
        applyFont(p);
        placeControl(p); // a new font may change whether the caption wraps
        InvalidateRect(h, nullptr, TRUE);
        break;
    case Prop::Colors:
        InvalidateRect(h, nullptr, TRUE);
        break;
    case Prop::Items:
        if (!isCombo(c.kind))
            break;
        SendMessageW(h, CB_RESETCONTENT, 0, 0);
        for (const auto& item : c.items())
            SendMessageW(h, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(item.text).c_str()));
        [[fallthrough]];
    case Prop::ListIndex:
        if (!isCombo(c.kind))
            break;
        SendMessageW(h, CB_SETCURSEL, static_cast<WPARAM>(c.listIndex()), 0);
        if (c.kind == Kind::EditCombo)
            SetWindowTextW(h, widen(c.text()).c_str());
        break;
    case Prop::Value:
        SendMessageW(h, BM_SETCHECK, c.value() != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
        break;
    case Prop::Focus:
        if (IsWindowVisible(GetParent(h)))
            SetFocus(h);
        break;
    default:
        break;
    }
}

// ---- messages ---------------------------------------------------------------

LRESULT CALLBACK Win32Backend::formProc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
        auto* f = static_cast<FormPeer*>(cs->lpCreateParams);
        f->hwnd = h;
        SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(f));
    }
    auto* f = reinterpret_cast<FormPeer*>(GetWindowLongPtrW(h, GWLP_USERDATA));
    if (!f)
        return DefWindowProcW(h, m, wp, lp);
    return f->backend->onMessage(*f, m, wp, lp);
}

// Buttons and labels report every mouse button, for the spin buttons.
LRESULT CALLBACK Win32Backend::controlProc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
    auto* p = reinterpret_cast<ControlPeer*>(GetWindowLongPtrW(h, GWLP_USERDATA));
    if (!p)
        return DefWindowProcW(h, m, wp, lp);
    const WNDPROC old = p->oldProc;
    Control& c = *p->control;
    if (c.kind == Kind::Frame) {
        // A frame is opaque: what lies under it does not show through.
        if (m != WM_ERASEBKGND)
            return CallWindowProcW(old, h, m, wp, lp);
        RECT r{};
        GetClientRect(h, &r);
        const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(GetParent(h), WM_CTLCOLORSTATIC, wp,
                                                                 reinterpret_cast<LPARAM>(h)));
        FillRect(reinterpret_cast<HDC>(wp), &r, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    if (c.kind == Kind::EditCombo) {
        // Its edit field and list ask the combo for colours; the combo asks the form.
        if (m == WM_CTLCOLOREDIT || m == WM_CTLCOLORLISTBOX)
            return paintColours(*p, reinterpret_cast<HDC>(wp), CallWindowProcW(old, h, m, wp, lp));
        // Every change of the edit field, typed or set by another program, reaches the model.
        const bool edited = m == WM_COMMAND && HIWORD(wp) == EN_CHANGE && p->backend->echo_ == 0;
        const LRESULT r = CallWindowProcW(old, h, m, wp, lp);
        if (edited && IsWindow(h) && c.peer == p)
            c.userText(windowText(h));
        return r;
    }
    switch (m) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: {
        // Only controls that follow the mouse take it; a keyboard click's
        // synthetic press is not the user's.
        if ((c.onMouseDown || c.onMouseUp) && p->backend->keyClick_ == 0) {
            // Every button's release must come back here, wherever the pointer is then.
            if (GetCapture() != h)
                SetCapture(h);
            p->held |= static_cast<int>(buttonOf(m));
            c.userMouseDown(buttonOf(m));
            if (!alive(h, p))
                return 0;
        }
        return CallWindowProcW(old, h, m, wp, lp);
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        // Our handler first: the button's own release may click and unload the window.
        const int b = static_cast<int>(buttonOf(m));
        if ((p->held & b) != 0) {
            p->held &= ~b;
            c.userMouseUp(buttonOf(m));
            if (!alive(h, p))
                return 0;
        }
        const LRESULT r = CallWindowProcW(old, h, m, wp, lp);
        if (alive(h, p) && p->held == 0 && GetCapture() == h)
            ReleaseCapture();
        return r;
    }
    case WM_CAPTURECHANGED:
    case WM_CANCELMODE:
        // A window that took the mouse away ends the press: nothing stays held.
        if (p->held != 0 && reinterpret_cast<HWND>(lp) != h) {
            const int held = p->held;
            p->held = 0;
            for (auto b : {forms::MouseButton::Left, forms::MouseButton::Right, forms::MouseButton::Middle})
                if ((held & static_cast<int>(b)) != 0 && alive(h, p))
                    c.userMouseUp(b);
            if (!alive(h, p))
                return 0;
        }
        return CallWindowProcW(old, h, m, wp, lp);
    default:
        return CallWindowProcW(old, h, m, wp, lp);
    }
}

void Win32Backend::onCommand(FormPeer& f, int id, int code, HWND from) {
    Window& w = *f.window;
    if (!from) {
        if (code != 0)
            return; // accelerators: we have none
        Control* item = w.find(id);
        if (item && item->kind == Kind::MenuItem)
            item->userClick();
        return;
    }
    auto* p = reinterpret_cast<ControlPeer*>(GetWindowLongPtrW(from, GWLP_USERDATA));
    if (!p || GetParent(from) != f.hwnd || echo_ > 0)
        return;
    Control& c = *p->control;
    switch (c.kind) {
    case Kind::Button:
    case Kind::Label:
    case Kind::PictureBox:
    case Kind::ImageBox:
        if (code == BN_CLICKED) // STN_CLICKED has the same code
            c.userClick();
        break;
    case Kind::CheckBox:
    case Kind::OptionButton:
        if (code == BN_CLICKED) {
            c.userClick();
            // The model decides the value, whatever the button did by itself.
            if (c.peer)
                applyControl(*static_cast<ControlPeer*>(c.peer), Prop::Value);
        }
        break;
    case Kind::TextBox:
        if (code == EN_CHANGE)
            c.userText(windowText(from));
        break;
    case Kind::DropDownList:
    case Kind::DriveList:
    case Kind::EditCombo:
        if (code == CBN_SELCHANGE) {
            const auto sel = static_cast<int>(SendMessageW(from, CB_GETCURSEL, 0, 0));
            c.userPick(sel);
            if (c.peer && c.listIndex() != sel) // refused: show the model again
                applyControl(*static_cast<ControlPeer*>(c.peer), Prop::ListIndex);
        } else if (code == CBN_EDITCHANGE && c.kind == Kind::EditCombo) {
            c.userText(windowText(from));
        }
        break;
    default:
        break;
    }
}

LRESULT Win32Backend::onMessage(FormPeer& f, UINT m, WPARAM wp, LPARAM lp) {
    HWND h = f.hwnd;
    Window& w = *f.window;
    switch (m) {
    case WM_COMMAND:
        onCommand(f, LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
        return 0;
    case WM_TIMER: {
        Control* t = w.find(static_cast<int>(wp));
        if (t && t->kind == Kind::Timer)
            t->timerTick();
        return 0;
    }
    case WM_CLOSE:
        w.userClose();
        return 0;
    case WM_SETCURSOR: {
        const auto over = std::find_if(f.controls.begin(), f.controls.end(),
                                       [&](const auto& p) { return p->hwnd == reinterpret_cast<HWND>(wp); });
        if (over != f.controls.end() && (*over)->control->handCursor) {
            // The hand pointer came with Windows 2000; NT 4.0 gets the up arrow.
            HCURSOR hand = LoadCursorW(nullptr, MAKEINTRESOURCEW(32649));
            SetCursor(hand ? hand : LoadCursorW(nullptr, IDC_UPARROW));
            return TRUE;
        }
        return DefWindowProcW(h, m, wp, lp);
    }
    case WM_SIZE:
        if (wp == SIZE_MINIMIZED)
            w.userState(forms::WindowState::Minimized);
        else if (wp == SIZE_RESTORED)
            w.userState(forms::WindowState::Normal);
        reportGeometry(f);
        return 0;
    case WM_MOVE:
        reportGeometry(f);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wp) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(h, focus))
                f.focus = focus;
        }
        return DefWindowProcW(h, m, wp, lp);
    case WM_SETFOCUS: {
        // Like a dialog: the focus goes back to a control, at first the first one in tab order.
        HWND to = f.focus && IsChild(h, f.focus) && IsWindowEnabled(f.focus) && IsWindowVisible(f.focus)
                      ? f.focus
                      : GetNextDlgTabItem(h, nullptr, FALSE);
        if (to)
            SetFocus(to);
        return 0;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX: {
        const LRESULT brush = DefWindowProcW(h, m, wp, lp);
        const auto from = reinterpret_cast<HWND>(lp);
        auto it = std::find_if(f.controls.begin(), f.controls.end(),
                               [&](const auto& p) { return p->hwnd == from; });
        return it == f.controls.end() ? brush : paintColours(**it, reinterpret_cast<HDC>(wp), brush);
    }
    default:
        return DefWindowProcW(h, m, wp, lp);
    }
}

// ---- loops ------------------------------------------------------------------

void Win32Backend::dispatch(MSG& msg) {
    if (msg.message == WM_KEYDOWN && (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE)) {
        // Enter presses the focused button; neither key picks a button by its id.
        HWND focus = GetFocus();
        ControlPeer* p = focus ? peerOf(focus) : nullptr;
        if (msg.wParam == VK_RETURN && p && p->control->kind == Kind::Button) {
            ++keyClick_;
            SendMessageW(focus, BM_CLICK, 0, 0);
            --keyClick_;
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        return;
    }
    if (msg.hwnd) {
        HWND top = msg.hwnd;
        while ((GetWindowLongW(top, GWL_STYLE) & WS_CHILD) && GetParent(top))
            top = GetParent(top);
        const bool ours = std::any_of(forms_.begin(), forms_.end(),
                                      [&](const auto& f) { return f->hwnd == top; });
        if (ours && IsDialogMessageW(top, &msg))
            return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

void Win32Backend::runModal(Window& w) {
    MSG msg;
    while (!ended_ && w.loaded() && w.visible()) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            ended_ = true;
            PostQuitMessage(static_cast<int>(msg.wParam)); // for the loops outside
            return;
        }
        if (got < 0)
            return;
        dispatch(msg);
    }
}

void Win32Backend::doEvents() {
    MSG msg;
    while (!ended_ && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ended_ = true;
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        dispatch(msg);
    }
}

int Win32Backend::run() {
    MSG msg;
    while (!ended_) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            ended_ = true;
            return static_cast<int>(msg.wParam);
        }
        if (got < 0)
            return 1;
        dispatch(msg);
    }
    return 0;
}

void Win32Backend::quit() {
    if (ended_)
        return;
    ended_ = true;
    PostQuitMessage(0);
}

void Win32Backend::startTimer(Control& timer) {
    HWND h = handleOf(timer.window);
    if (h && timer.interval() > 0)
        SetTimer(h, static_cast<UINT_PTR>(timer.id), static_cast<UINT>(timer.interval()), nullptr);
}

void Win32Backend::stopTimer(Control& timer) {
    HWND h = handleOf(timer.window);
    if (h)
        KillTimer(h, static_cast<UINT_PTR>(timer.id));
}

int Win32Backend::messageBox(Window* owner, const std::string& text, const std::string& title,
                             unsigned flags) {
    return MessageBoxW(owner ? handleOf(*owner) : nullptr, widen(text).c_str(),
                       widen(title).c_str(), flags);
}
