// The delay chooser, the action buttons and the once-a-second count of Form1.
#include <string>

#include "helpers/civil_time.h"
#include "helpers/number_text.h"
#include "tarvic/mainwindow/countdown.h"
#include "tarvic/mainwindow/delay.h"
#include "tarvic/mainwindow/form1.h"
#include "tarvic/mainwindow/moments.h"

using helpers::numberText;
using helpers::val;

void Form1::Combo2_Change() {
    const std::int64_t target = tarvic::targetMoment(nowSeconds(app.p), tarvic::delaySeconds(Combo2.text()));
    const platform::CivilTime t = helpers::civilFromSeconds(target);
    Timev.setCaption(app.p.locale.formatTime(t));
    Timev.tag = helpers::momentText(t);
}

void Form1::Command1_Click(int index) {
    Text1.setText(numberText(val(Text1.text())));
    if (index == 3) {
        Form_Unload();
        return;
    }
    const SetosResult written = setos(Combo1.listIndex());
    // A failed write has been reported; restarting into the old default as if
    // the new one were set would be worse than not restarting.
    if ((index == 1 || index == 2) && written != SetosResult::Failed) {
        Timer2.setTimerEnabled(true);
        Timer2.tag = index == 1 ? "2" : "9";
        Label9.setCaption(index == 1 ? "Reboot at" : "Pow Off at");
        Frame1.setVisible(true);
        setState(forms::WindowState::Minimized);
    }
    Combo2_Change();
    Combo1.clear();
    profilecombo.clear();
    profilelist.clear();
    getOS(bootIni);
}

void Form1::Command3_Click() {
    Timer2.setTimerEnabled(false);
    Frame1.setVisible(false);
}

void Form1::Timer2_Timer() {
    const auto target = helpers::parseMomentText(Timev.tag);
    const std::int64_t now = nowSeconds(app.p);
    // An unreadable target counts as due: a pending action is never dropped.
    const std::int64_t r = target ? helpers::secondsFromCivil(*target) - now : 0;
    const std::string rest = tarvic::remainingText(r);
    if (tarvic::countdownStarts(r)) {
        app.p.system.beep();
        Timer2.setTimerEnabled(false);
        CountDown& dialog = loadCountDown();
        dialog.setCaption("Tarvic");
        dialog.tag = Timer2.tag;
        hide();
        dialog.showModal(this);
        if (app.tk.ended()) return;
        show();
    } else {
        setCaption(state() == forms::WindowState::Minimized ? rest : "Tarvic " + rest);
    }
    offtimeLabel.setCaption(Timev.caption());
    lestLabel.setCaption(rest);
}

CountDown& Form1::loadCountDown() {
    if (countDown && countDown->loaded()) countDown->unload();
    countDown = std::make_unique<CountDown>(app, *this);
    countDown->Form_Load();
    return *countDown;
}

void Form1::countdownStopped() {
    setState(forms::WindowState::Normal);
    Timer2.setTimerEnabled(false);
    Combo2_Change();
    setCaption("Tarvic");
}
