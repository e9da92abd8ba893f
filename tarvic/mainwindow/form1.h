#pragma once
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "tarvic/app.h"

class CountDown;
class bootdrv;

// The main window: boot entries, boot wait, profiles, the shutdown timer.
class Form1 : public forms::Window {
public:
    explicit Form1(App& app);
    ~Form1() override;

    App& app;

    forms::Control& Label5;
    forms::Control& VerLabel;
    forms::Control& Label7;
    forms::Control& Label2;
    forms::Control& Combo1;
    forms::Control& btdrv;
    forms::Control& Text1;
    std::array<forms::Control*, 2> Command2;
    forms::Control& Label6;
    forms::Control& Label4;
    forms::Control& profilecombo;
    forms::Control& Userwait;
    forms::Control& Label3;
    forms::Control& Combo2;
    std::array<forms::Control*, 4> Command1;
    forms::Control& Frame1;
    forms::Control& Label8;
    forms::Control& lestLabel;
    forms::Control& Label9;
    forms::Control& offtimeLabel;
    forms::Control& Command3;
    forms::Control& Check1;
    forms::Control& labelAUTOREBOOT;
    forms::Control& labelnow;
    forms::Control& Line2;
    forms::Control& Line1;
    forms::Control& profilelist;
    forms::Control& Timev;
    forms::Control& labellest;
    forms::Control& Label1;
    forms::Control& Timer1;
    forms::Control& Timer2;
    forms::Control& Timer3;
    forms::Control& fl;
    forms::Control& ed;
    forms::Control& op;
    forms::Control& strtup;
    forms::Control& ar;
    forms::Control& hp;
    forms::Control& hlp;
    forms::Control& abt;

    // Boot configuration as last read.
    std::string bootIni;
    std::vector<std::string> osLine, osPath, osName;
    bool spinDown = false;
    // The countdown dialog while one is up (single instance).
    std::unique_ptr<CountDown> countDown;
    // The boot drive dialog while it is up.
    std::unique_ptr<bootdrv> bootDrive;

    // Events, in the order of the window's event table.
    void Form_Load();
    void Form_Unload();
    void ed_Click();
    void Command2_MouseDown(int index);
    void Command2_MouseUp(int index);
    void Timer1_Timer();
    void btdrv_Click();
    void Combo2_Change();
    void Command1_Click(int index);
    void Command3_Click();
    void Timer2_Timer();

    // Boot configuration (tarvic/boot/form1_boot.cpp).
    enum class SetosResult { Written, NothingToWrite, Failed };
    void locateBootDrive(std::string& root);
    void getOS(const std::string& fname);
    void readBootWait();
    SetosResult setos(int bos);
    std::string selectboot();

    // Opens the countdown dialog; modal from the timer, modeless from the
    // command line.
    CountDown& loadCountDown();
    // Puts the window back after a countdown was stopped.
    void countdownStopped();
};

// The settings file for a program directory and window title.
std::string settingsFileName(const std::string& appDir, const std::string& title);
