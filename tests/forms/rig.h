#pragma once
// A toolkit on one backend, and a user to drive it: the event-rule cases are
// written once against this and run on the headless and the real windows.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/forms/forms.h"

class Rig {
public:
    virtual ~Rig() = default;
    virtual forms::Toolkit& toolkit() = 0;

    // The user's hand, through the backend's native input path.
    virtual void click(forms::Control& c) = 0;
    virtual void type(forms::Control& c, const std::string& text) = 0;
    virtual void pick(forms::Control& c, int index) = 0;
    virtual void mouseDown(forms::Control& c, forms::MouseButton b) = 0;
    virtual void mouseUp(forms::Control& c, forms::MouseButton b) = 0;
    virtual void closeWindow(forms::Window& w) = 0;

    // Runs the message loop for ms milliseconds (virtual or real time).
    virtual void run(int ms) = 0;
    // Runs action ms from now, from whichever loop is running then.
    virtual void at(int ms, std::function<void()> action) = 0;
    // Lets time pass without running the loop, as a busy handler would.
    virtual void sleep(int ms) = 0;
    // Milliseconds since the rig was made.
    virtual std::int64_t nowMs() = 0;
    // Scheduling slack a case must allow: 0 on the virtual clock.
    virtual int slackMs() const = 0;

    // What the native control shows.
    virtual std::string shownText(forms::Control& c) = 0;
    virtual int shownValue(forms::Control& c) = 0;
    virtual int shownIndex(forms::Control& c) = 0;
    virtual bool shownEnabled(forms::Window& w) = 0;
    virtual bool shownVisible(forms::Window& w) = 0;
    // Client area in pixels.
    virtual int clientPixelsX(forms::Window& w) = 0;
    virtual int clientPixelsY(forms::Window& w) = 0;
};

// The rig of the backend this test program is built for.
std::unique_ptr<Rig> makeRig();
