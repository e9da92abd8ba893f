#include "tarvic/mainwindow/countdown.h"

#include <cmath>
#include <string>

#include "helpers/number_text.h"
#include "platform/forms/colours.h"
#include "tarvic/control_ids.h"
#include "tarvic/exit/ext_win.h"
#include "tarvic/mainwindow/form1.h"
#include "tarvic/resource_ids.h"

using forms::Kind;
using helpers::numberText;
using helpers::val;

namespace {

constexpr int kSteps = 16;

// The whole number a tag holds, kept inside 32 bits.
std::int32_t toInt32(double v) {
    if (!(v == v)) return 0;
    if (v >= 2147483647.0) return 2147483647;
    if (v <= -2147483648.0) return -2147483647 - 1;
    return static_cast<std::int32_t>(std::lround(v));
}

} // namespace

const char* exitModeVerb(std::int32_t mode) {
    if (mode & 8) return "power off the computer";
    if (mode & 2) return "restart the computer";
    if (mode & 1) return "shut down the computer";
    return "log off";
}

CountDown::CountDown(App& a, Form1& f)
    : forms::Window(a.tk, "CountDown", "PowerOFF"), app(a), form1(f),
      Pbar(add(ids::CountDown_Pbar, Kind::Label, "Pbar", {360, 120, 2295, 255}, std::string(kSteps, '*'))),
      Command1(add(ids::CountDown_Command1, Kind::Button, "Command1", {450, 525, 1995, 375}, "CANCEL")),
      Timer1(add(ids::CountDown_Timer1, Kind::Timer, "Timer1", {})) {
    clientWidth = 2964;
    clientHeight = 1027;
    iconId = IDI_COUNTDOWN;
    Pbar.bold = true;
    Pbar.foreColor = forms::colour::Blue;
    Pbar.fontName = "ＭＳ ゴシック";
    Pbar.fontSize = 12;
    Command1.bold = true;
    Timer1.setInterval(200);
    Timer1.setTimerEnabled(false);
    Timer1.onTimer = [this] { Timer1_Timer(); };
    Command1.onClick = [this] { Command1_Click(); };
    // The close box cancels like the button, and only while it could.
    onCloseRequest = [this] {
        if (Command1.enabled()) Command1_Click();
    };
}

void CountDown::Form_Load() {
    load();
    Timer1.setTimerEnabled(true);
    Pbar.tag = std::to_string(kSteps);
    setTopmost(true);
}

void CountDown::Timer1_Timer() {
    const double counter = val(Pbar.tag) - 1;
    Pbar.tag = numberText(counter);
    const int stars = counter <= 0 ? 0 : counter >= kSteps ? kSteps : static_cast<int>(std::lround(counter));
    Pbar.setCaption(std::string(static_cast<std::size_t>(stars), '*'));
    if (counter > 0) {
        Command1.setFocus();
        return;
    }
    Timer1.setTimerEnabled(false);
    const std::int32_t mode = toInt32(val(tag));
    Command1.setEnabled(false);
    const ExitRequest request = exitWin(app.p, mode);
    if (!request.accepted) {
        exitRefused(mode, request.error);
        return;
    }
    unload();
    app.p.process.exitNow(0);
    app.tk.quit();
}

void CountDown::Command1_Click() {
    form1.countdownStopped();
    unload();
}

void CountDown::exitRefused(std::int32_t mode, std::uint32_t error) {
    form1.countdownStopped();
    unload();
    form1.show();
    app.tk.messageBox(&form1,
                      std::string("Windows refused to ") + exitModeVerb(mode) + ": " +
                          app.p.system.errorText(error) + ".",
                      "Tarvic", forms::MB_ICONERROR_);
}
