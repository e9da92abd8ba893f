#pragma once
// A forms backend without native windows: timers and scheduled user actions
// run on the virtual clock, so a test of a whole window is deterministic.
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/forms.h"
#include "platform/sim/sim_clock.h"

namespace sim {

class HeadlessBackend : public forms::Backend {
public:
    explicit HeadlessBackend(SimClock& clock);
    ~HeadlessBackend() override;

    // forms::Backend
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
    int twipsPerPixelX() override { return twipsPerPixel; }
    int twipsPerPixelY() override { return twipsPerPixel; }
    std::uintptr_t nativeHandle(const forms::Window& w) override;
    void quit() override;

    // The virtual loop.
    // Runs every event due up to tick `untilMs`, in time order, then sets the clock there.
    void runUntil(std::uint64_t untilMs);
    void advance(std::uint64_t ms) { runUntil(clock_.tickMs() + ms); }
    // Runs action msFromNow later, from whichever loop is running then.
    void at(std::uint64_t msFromNow, std::function<void()> action);
    // Runs action (from the loop) the first time a window of that name is shown.
    void whenShown(const std::string& windowName, std::function<void()> action);

    // Acting as the user; a control the user could not reach is left alone.
    void click(forms::Control& c);
    void type(forms::Control& c, const std::string& text);
    void pick(forms::Control& c, int index);
    void mouseDown(forms::Control& c, forms::MouseButton b = forms::MouseButton::Left);
    void mouseUp(forms::Control& c, forms::MouseButton b = forms::MouseButton::Left);
    void closeWindow(forms::Window& w);

    // What the peers show, to tell the model apart from the screen.
    struct ControlView {
        std::string caption, text, tooltip;
        std::vector<std::string> items;
        int listIndex = -1, value = 0;
        bool enabled = true, visible = true, checked = false;
        int changes = 0; // updates pushed to this peer
    };
    struct WindowView {
        std::uintptr_t handle = 0;
        std::string caption;
        bool shown = false, enabled = true, topmost = false;
        forms::WindowState state = forms::WindowState::Normal;
        int activations = 0;
    };
    const ControlView* view(const forms::Control& c) const;
    const WindowView* view(const forms::Window& w) const;
    bool timerRunning(const forms::Control& timer) const { return timers_.count(&timer) != 0; }

    struct MessageBoxCall {
        std::string owner, text, title;
        unsigned flags = 0;
    };
    std::vector<MessageBoxCall> messageBoxes;
    std::deque<int> messageBoxAnswers; // next answers; 1 (OK) when empty

    int twipsPerPixel = 15;
    std::uint64_t loopLimitMs = 24ull * 3600 * 1000;
    // Set when a loop gave up at its virtual time limit.
    bool limitReached = false;

private:
    struct Timer {
        std::uint64_t due = 0;
        std::uint64_t seq = 0;
        forms::Control* control = nullptr;
    };
    struct Action {
        std::uint64_t due = 0;
        std::uint64_t seq = 0;
        std::function<void()> run;
    };
    struct WindowPeer;
    struct ControlPeer;

    // Runs the earliest event due by `limit` that was queued before `seqBound`;
    // false when there is none.
    bool step(std::uint64_t limit, std::uint64_t seqBound);
    bool userCanReach(const forms::Control& c) const;
    void syncControl(forms::Control& c);

    SimClock& clock_;
    std::map<const forms::Control*, Timer> timers_;
    std::vector<Action> actions_;
    std::vector<std::pair<std::string, std::function<void()>>> shownActions_;
    std::vector<std::unique_ptr<WindowPeer>> windows_;
    std::uint64_t seq_ = 0;
    std::uintptr_t nextHandle_ = 0x10010;
    bool ended_ = false;
};

} // namespace sim
