#pragma once
// The forms toolkit over real Win32 windows and common controls.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/forms/forms.h"

class Win32Backend : public forms::Backend {
public:
    explicit Win32Backend(HINSTANCE instance);
    ~Win32Backend() override;
    Win32Backend(const Win32Backend&) = delete;
    Win32Backend& operator=(const Win32Backend&) = delete;

    void createWindow(forms::Window& w) override;
    void destroyWindow(forms::Window& w) override;
    void windowChanged(forms::Window& w, forms::Prop p) override;
    void controlChanged(forms::Control& c, forms::Prop p) override;
    void showWindow(forms::Window& w, bool show) override;
    void runModal(forms::Window& w) override;
    void doEvents() override;
    int run() override;
    void startTimer(forms::Control& timer) override;
    void stopTimer(forms::Control& timer) override;
    int messageBox(forms::Window* owner, const std::string& text, const std::string& title,
                   unsigned flags) override;
    int twipsPerPixelX() override { return tppX_; }
    int twipsPerPixelY() override { return tppY_; }
    std::uintptr_t nativeHandle(const forms::Window& w) override;
    void quit() override;

    // Native handles, for automation and tests; null when there is none.
    static HWND handleOf(const forms::Window& w);
    static HWND handleOf(const forms::Control& c);

    struct FormPeer;
    struct ControlPeer;

private:
    static LRESULT CALLBACK formProc(HWND h, UINT m, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK controlProc(HWND h, UINT m, WPARAM wp, LPARAM lp);
    LRESULT onMessage(FormPeer& f, UINT m, WPARAM wp, LPARAM lp);
    void onCommand(FormPeer& f, int id, int code, HWND from);
    void createControl(FormPeer& f, forms::Control& c);
    void applyControl(ControlPeer& p, forms::Prop prop);
    void placeControl(ControlPeer& p);
    void applyEnabledVisible(ControlPeer& p);
    void rebuildMenu(FormPeer& f);
    void updateTooltip(FormPeer& f, ControlPeer& p);
    void applyFont(ControlPeer& p);
    void reportGeometry(FormPeer& f);
    void dispatch(MSG& msg);
    int px(int twips, int tpp) const;

    HINSTANCE instance_;
    int tppX_ = 15, tppY_ = 15, dpiY_ = 96;
    int echo_ = 0; // > 0 while the model itself updates a peer
    int keyClick_ = 0; // > 0 while a key presses a button for the user
    // The peer of one of our controls, or nullptr for any other window.
    ControlPeer* peerOf(HWND h) const;
    bool ended_ = false;
    std::vector<std::unique_ptr<FormPeer>> forms_;
};
