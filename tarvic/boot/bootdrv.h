#pragma once
#include "tarvic/app.h"

class Form1;

// Asks for the drive whose root holds boot.ini.
class bootdrv : public forms::Window {
public:
    bootdrv(App& app, Form1& form1);

    App& app;
    Form1& form1;
    forms::Control& Label1;
    forms::Control& Drive1;
    forms::Control& Command1;
    forms::Control& Command2;

    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void foundbootini();
};

// The drive list entry to preselect: c, else the first drive there is.
int preselectedDrive(const std::vector<std::string>& roots);
