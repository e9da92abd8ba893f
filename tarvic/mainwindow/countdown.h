#pragma once
#include "tarvic/app.h"

class Form1;

// The last cancellable seconds before Windows is asked to exit.
class CountDown : public forms::Window {
public:
    CountDown(App& app, Form1& form1);

    App& app;
    Form1& form1;
    forms::Control& Pbar;
    forms::Control& Command1;
    forms::Control& Timer1;

    void Form_Load();
    void Timer1_Timer();
    void Command1_Click();

private:
    // Windows refused the exit: the program stays, and says why.
    void exitRefused(std::int32_t mode, std::uint32_t error);
};

// "restart", "power off", ... for the message about a refused exit.
const char* exitModeVerb(std::int32_t mode);
