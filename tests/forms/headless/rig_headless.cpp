#include "platform/sim/headless.h"
#include "tests/forms/rig.h"

namespace {

class HeadlessRig : public Rig {
public:
    HeadlessRig() : backend_(clock_), toolkit_(backend_) {}

    forms::Toolkit& toolkit() override { return toolkit_; }
    void click(forms::Control& c) override { backend_.click(c); }
    void type(forms::Control& c, const std::string& text) override { backend_.type(c, text); }
    void pick(forms::Control& c, int index) override { backend_.pick(c, index); }
    void mouseDown(forms::Control& c, forms::MouseButton b) override { backend_.mouseDown(c, b); }
    void mouseUp(forms::Control& c, forms::MouseButton b) override { backend_.mouseUp(c, b); }
    void closeWindow(forms::Window& w) override { backend_.closeWindow(w); }

    void run(int ms) override { backend_.advance(static_cast<std::uint64_t>(ms)); }
    void at(int ms, std::function<void()> action) override {
        backend_.at(static_cast<std::uint64_t>(ms), std::move(action));
    }
    void sleep(int ms) override { clock_.advance(static_cast<std::uint64_t>(ms)); }
    std::int64_t nowMs() override { return static_cast<std::int64_t>(clock_.tickMs()); }
    int slackMs() const override { return 0; }

    std::string shownText(forms::Control& c) override {
        const auto* v = backend_.view(c);
        return v ? v->text : std::string();
    }
    int shownValue(forms::Control& c) override {
        const auto* v = backend_.view(c);
        return v ? v->value : -1;
    }
    int shownIndex(forms::Control& c) override {
        const auto* v = backend_.view(c);
        return v ? v->listIndex : -2;
    }
    bool shownEnabled(forms::Window& w) override {
        const auto* v = backend_.view(w);
        return v && v->enabled;
    }
    bool shownVisible(forms::Window& w) override {
        const auto* v = backend_.view(w);
        return v && v->shown;
    }
    int clientPixelsX(forms::Window& w) override { return w.clientWidth / backend_.twipsPerPixel; }
    int clientPixelsY(forms::Window& w) override {
        return w.clientHeight / backend_.twipsPerPixel;
    }

private:
    sim::SimClock clock_;
    sim::HeadlessBackend backend_;
    forms::Toolkit toolkit_;
};

} // namespace

std::unique_ptr<Rig> makeRig() { return std::make_unique<HeadlessRig>(); }
