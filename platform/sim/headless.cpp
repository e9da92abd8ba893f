#include "platform/sim/headless.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace sim {

using forms::Control;
using forms::Kind;
using forms::Prop;
using forms::Window;

struct HeadlessBackend::ControlPeer {
    ControlView view;
};

struct HeadlessBackend::WindowPeer {
    Window* window = nullptr;
    WindowView view;
    std::vector<std::unique_ptr<ControlPeer>> controls;
};

namespace {

constexpr std::uint64_t noBound = std::numeric_limits<std::uint64_t>::max();

// Borders, caption and menu bar of a fixed single-border window, in pixels.
constexpr int frameX = 6, frameY = 6, captionY = 19, menuY = 19;

} // namespace

HeadlessBackend::HeadlessBackend(SimClock& clock) : clock_(clock) {}

HeadlessBackend::~HeadlessBackend() {
    // Windows that outlive the backend must not reach back into it.
    for (auto& peer : windows_) {
        peer->window->peer = nullptr;
        for (const auto& c : peer->window->controls())
            c->peer = nullptr;
    }
}

void HeadlessBackend::createWindow(Window& w) {
    auto peer = std::make_unique<WindowPeer>();
    peer->window = &w;
    peer->view.handle = nextHandle_;
    nextHandle_ += 0x10;
    w.peer = peer.get();
    windows_.push_back(std::move(peer));
    for (const auto& c : w.controls())
        syncControl(*c);
    windowChanged(w, Prop::Caption);
    bool menu = std::any_of(w.controls().begin(), w.controls().end(),
                            [](const auto& c) { return c->kind == Kind::MenuTop; });
    w.userMoved(w.left(), w.top(), w.clientWidth + frameX * twipsPerPixel,
                w.clientHeight + (frameY + captionY + (menu ? menuY : 0)) * twipsPerPixel);
}

void HeadlessBackend::destroyWindow(Window& w) {
    for (const auto& c : w.controls())
        timers_.erase(c.get());
    windows_.erase(std::remove_if(windows_.begin(), windows_.end(),
                                  [&](const auto& p) { return p->window == &w; }),
                   windows_.end());
    w.peer = nullptr;
}

void HeadlessBackend::windowChanged(Window& w, Prop p) {
    auto* peer = static_cast<WindowPeer*>(w.peer);
    if (!peer)
        return;
    WindowView& v = peer->view;
    v.caption = w.caption();
    v.enabled = w.enabled();
    v.topmost = w.topmost();
    v.state = w.state();
    if (p == Prop::Focus)
        ++v.activations;
}

void HeadlessBackend::syncControl(Control& c) {
    auto* wp = static_cast<WindowPeer*>(c.window.peer);
    if (!wp)
        return;
    if (!c.peer) {
        wp->controls.push_back(std::make_unique<ControlPeer>());
        c.peer = wp->controls.back().get();
    }
    ControlView& v = static_cast<ControlPeer*>(c.peer)->view;
    v.caption = c.caption();
    v.text = c.text();
    v.tooltip = c.tooltip();
    v.items.clear();
    for (const auto& item : c.items())
        v.items.push_back(item.text);
    v.listIndex = c.listIndex();
    v.value = c.value();
    v.enabled = c.enabled();
    v.visible = c.visible();
    v.checked = c.checked();
    ++v.changes;
}

void HeadlessBackend::controlChanged(Control& c, Prop) { syncControl(c); }

void HeadlessBackend::showWindow(Window& w, bool show) {
    auto* peer = static_cast<WindowPeer*>(w.peer);
    if (!peer)
        return;
    peer->view.shown = show;
    if (!show)
        return;
    for (auto it = shownActions_.begin(); it != shownActions_.end();) {
        if (it->first == w.name) {
            at(0, std::move(it->second));
            it = shownActions_.erase(it);
        } else {
            ++it;
        }
    }
}

bool HeadlessBackend::step(std::uint64_t limit, std::uint64_t seqBound) {
    if (ended_)
        return false;
    Control* timer = nullptr;
    std::size_t action = actions_.size();
    std::uint64_t due = 0, seq = 0;
    auto better = [&](std::uint64_t d, std::uint64_t s) {
        return d <= limit && s < seqBound &&
               (timer == nullptr && action == actions_.size() ? true
                                                               : d < due || (d == due && s < seq));
    };
    for (const auto& [key, t] : timers_)
        if (better(t.due, t.seq)) {
            timer = t.control;
            action = actions_.size();
            due = t.due;
            seq = t.seq;
        }
    for (std::size_t i = 0; i < actions_.size(); ++i)
        if (better(actions_[i].due, actions_[i].seq)) {
            timer = nullptr;
            action = i;
            due = actions_[i].due;
            seq = actions_[i].seq;
        }
    if (timer == nullptr && action == actions_.size())
        return false;
    const std::uint64_t now = clock_.tickMs();
    if (due > now)
        clock_.advance(due - now);
    if (timer) {
        Timer& t = timers_[timer];
        const auto interval = static_cast<std::uint64_t>(std::max(timer->interval(), 1));
        // The next tick is counted from this one; a late loop fires once, not a burst.
        t.due += interval;
        while (t.due <= clock_.tickMs())
            t.due += interval;
        t.seq = ++seq_;
        timer->timerTick();
    } else {
        auto run = std::move(actions_[action].run);
        actions_.erase(actions_.begin() + static_cast<std::ptrdiff_t>(action));
        if (run)
            run();
    }
    return true;
}

void HeadlessBackend::runUntil(std::uint64_t untilMs) {
    while (step(untilMs, noBound)) {
    }
    if (clock_.tickMs() < untilMs)
        clock_.advance(untilMs - clock_.tickMs());
}

void HeadlessBackend::at(std::uint64_t msFromNow, std::function<void()> action) {
    actions_.push_back(Action{clock_.tickMs() + msFromNow, ++seq_, std::move(action)});
}

void HeadlessBackend::whenShown(const std::string& windowName, std::function<void()> action) {
    shownActions_.emplace_back(windowName, std::move(action));
}

void HeadlessBackend::runModal(Window& w) {
    const std::uint64_t limit = clock_.tickMs() + loopLimitMs;
    while (w.loaded() && w.visible() && !ended_) {
        if (!step(limit, noBound)) {
            if (clock_.tickMs() < limit)
                clock_.advance(limit - clock_.tickMs());
            limitReached = true;
            return;
        }
    }
}

void HeadlessBackend::doEvents() {
    const std::uint64_t bound = seq_ + 1;
    const std::uint64_t now = clock_.tickMs();
    while (step(now, bound)) {
    }
}

int HeadlessBackend::run() {
    const std::uint64_t limit = clock_.tickMs() + loopLimitMs;
    while (!ended_) {
        if (!step(limit, noBound)) {
            if (clock_.tickMs() < limit)
                clock_.advance(limit - clock_.tickMs());
            limitReached = true;
            break;
        }
    }
    return 0;
}

void HeadlessBackend::startTimer(Control& timer) {
    const auto interval = static_cast<std::uint64_t>(std::max(timer.interval(), 1));
    timers_[&timer] = Timer{clock_.tickMs() + interval, ++seq_, &timer};
}

void HeadlessBackend::stopTimer(Control& timer) { timers_.erase(&timer); }

int HeadlessBackend::messageBox(Window* owner, const std::string& text, const std::string& title,
                                unsigned flags) {
    messageBoxes.push_back(MessageBoxCall{owner ? owner->name : std::string(), text, title, flags});
    if (messageBoxAnswers.empty())
        return 1;
    const int answer = messageBoxAnswers.front();
    messageBoxAnswers.pop_front();
    return answer;
}

std::uintptr_t HeadlessBackend::nativeHandle(const Window& w) {
    const auto* peer = static_cast<const WindowPeer*>(w.peer);
    return peer ? peer->view.handle : 0;
}

void HeadlessBackend::quit() { ended_ = true; }

const HeadlessBackend::ControlView* HeadlessBackend::view(const Control& c) const {
    return c.peer ? &static_cast<const ControlPeer*>(c.peer)->view : nullptr;
}

const HeadlessBackend::WindowView* HeadlessBackend::view(const Window& w) const {
    return w.peer ? &static_cast<const WindowPeer*>(w.peer)->view : nullptr;
}

bool HeadlessBackend::userCanReach(const Control& c) const { return !ended_ && c.reachable(); }

void HeadlessBackend::click(Control& c) {
    if (userCanReach(c))
        c.userClick();
}

void HeadlessBackend::type(Control& c, const std::string& text) {
    if (!userCanReach(c))
        return;
    // The field shows what was typed before the program hears of it.
    static_cast<ControlPeer*>(c.peer)->view.text = text;
    c.userText(text);
}

void HeadlessBackend::pick(Control& c, int index) {
    if (!userCanReach(c) || index < 0 || index >= c.listCount())
        return;
    ControlView& v = static_cast<ControlPeer*>(c.peer)->view;
    v.listIndex = index;
    v.text = c.list(index);
    c.userPick(index);
}

void HeadlessBackend::mouseDown(Control& c, forms::MouseButton b) {
    if (userCanReach(c))
        c.userMouseDown(b);
}

void HeadlessBackend::mouseUp(Control& c, forms::MouseButton b) {
    if (userCanReach(c))
        c.userMouseUp(b);
}

void HeadlessBackend::closeWindow(Window& w) {
    if (!ended_ && w.loaded() && w.visible() && w.enabled())
        w.userClose();
}

} // namespace sim
