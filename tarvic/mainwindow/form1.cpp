#include "tarvic/mainwindow/form1.h"

#include "helpers/number_text.h"
#include "platform/forms/colours.h"
#include "tarvic/boot/bootdrv.h"
#include "tarvic/mainwindow/moments.h"
#include "tarvic/control_ids.h"
#include "tarvic/mainwindow/countdown.h"
#include "tarvic/mainwindow/file_tests.h"
#include "tarvic/resource_ids.h"

using forms::Kind;
using helpers::numberText;
using helpers::val;

namespace {

constexpr int kLabelHeight = 240;
constexpr int kComboHeight = 315;
constexpr int kTextHeight = 285;
// Value holders sit below the client area, where they are never seen.
constexpr int kHidden = 2600;
const char* const kHomepage = "https://tarvic.example.net/";
const char* const kTitle = "Tarvic";

} // namespace

std::string settingsFileName(const std::string& appDir, const std::string& title) {
    return appDir + title + ".ini";
}

Form1::Form1(App& a)
    : forms::Window(a.tk, "Form1", kTitle), app(a),
      Label5(add(ids::Label5, Kind::Label, "Label5", {120, 135, 1695, kLabelHeight}, "Default Boot OS")),
      VerLabel(add(ids::VerLabel, Kind::Label, "VerLabel", {1920, 120, 1935, kLabelHeight}, "   Version")),
      Label7(add(ids::Label7, Kind::Label, "Label7", {3960, 120, 960, kLabelHeight}, "Boot Drive")),
      Label2(add(ids::Label2, Kind::Label, "Label2", {4920, 120, 1020, kLabelHeight}, "Boot wait")),
      Combo1(add(ids::Combo1, Kind::DropDownList, "Combo1", {120, 360, 3615, kComboHeight})),
      btdrv(add(ids::btdrv, Kind::Label, "btdrv", {4080, 360, 495, kTextHeight}, "C:\\")),
      Text1(add(ids::Text1, Kind::TextBox, "Text1", {4920, 360, 375, kTextHeight})),
      Command2{&add(ids::Command2_0, Kind::Button, "Command2(0)", {5295, 360, 255, 255}, "+"),
               &add(ids::Command2_1, Kind::Button, "Command2(1)", {5535, 360, 255, 255}, "-")},
      Label6(add(ids::Label6, Kind::Label, "Label6", {120, 840, 1695, kLabelHeight}, "Default Profile")),
      Label4(add(ids::Label4, Kind::Label, "Label4", {2640, 870, 1215, kLabelHeight}, "Profiles Wait")),
      profilecombo(add(ids::profilecombo, Kind::DropDownList, "profilecombo", {120, 1080, 3015, kComboHeight})),
      Userwait(add(ids::Userwait, Kind::TextBox, "Userwait", {3240, 1080, 375, kTextHeight})),
      Label3(add(ids::Label3, Kind::Label, "Label3", {3960, 1095, 960, kLabelHeight}, "RestartWait")),
      Combo2(add(ids::Combo2, Kind::EditCombo, "Combo2", {4920, 1035, 855, kComboHeight})),
      Command1{&add(ids::Command1_0, Kind::Button, "Command1(0)", {120, 1560, 1095, 320}, "Set default"),
               &add(ids::Command1_1, Kind::Button, "Command1(1)", {1320, 1560, 1095, 320}, "And reboot"),
               &add(ids::Command1_2, Kind::Button, "Command1(2)", {2520, 1560, 1095, 320}, "And pow off"),
               &add(ids::Command1_3, Kind::Button, "Command1(3)", {3720, 1560, 1095, 320}, "End")},
      Frame1(add(ids::Frame1, Kind::Frame, "Frame1", {0, 1440, 3615, 480}, "REST TIME")),
      Label8(add(ids::Label8, Kind::Label, "Label8", {120, 195, 375, kLabelHeight}, "Rest")),
      lestLabel(add(ids::lestLabel, Kind::Label, "lestLabel", {495, 195, 780, kLabelHeight}, "10:22:22")),
      Label9(add(ids::Label9, Kind::Label, "Label9", {1290, 195, 840, kLabelHeight}, "Pow Off at")),
      offtimeLabel(add(ids::offtimeLabel, Kind::Label, "offtimeLabel", {2130, 195, 1095, kLabelHeight})),
      Command3(add(ids::Command3, Kind::Button, "Command3", {3255, 165, 255, 255}, "X")),
      Check1(add(ids::Check1, Kind::CheckBox, "Check1", {4920, 1485, 915, 435}, "Show in taskbar")),
      labelAUTOREBOOT(add(ids::labelAUTOREBOOT, Kind::Label, "labelAUTOREBOOT", {0, 1920, 3135, kLabelHeight})),
      labelnow(add(ids::labelnow, Kind::Label, "labelnow", {3170, 1920, 2775, kLabelHeight})),
      Line2(add(ids::Line2, Kind::Line, "Line2", {120, 0, 5640, 15})),
      Line1(add(ids::Line1, Kind::Line, "Line1", {120, 15, 5640, 15})),
      profilelist(add(ids::profilelist, Kind::HiddenList, "profilelist", {0, kHidden, 1215, kComboHeight})),
      Timev(add(ids::Timev, Kind::Label, "Timev", {1320, kHidden, 1215, kLabelHeight})),
      labellest(add(ids::labellest, Kind::Label, "labellest", {2640, kHidden, 1215, kLabelHeight})),
      Label1(add(ids::Label1, Kind::Label, "Label1", {3960, kHidden, 1215, kLabelHeight})),
      Timer1(add(ids::Timer1, Kind::Timer, "Timer1", {})),
      Timer2(add(ids::Timer2, Kind::Timer, "Timer2", {})),
      Timer3(add(ids::Timer3, Kind::Timer, "Timer3", {})),
      fl(add(ids::fl, Kind::MenuTop, "fl", {}, "File")),
      ed(add(ids::ed, Kind::MenuItem, "ed", {}, "END")),
      op(add(ids::op, Kind::MenuTop, "op", {}, "Option")),
      strtup(add(ids::strtup, Kind::MenuItem, "strtup", {}, "StartUp")),
      ar(add(ids::ar, Kind::MenuItem, "ar", {}, "AutoReboot")),
      hp(add(ids::hp, Kind::MenuTop, "hp", {}, "Help")),
      hlp(add(ids::hlp, Kind::MenuItem, "hlp", {}, "Help")),
      abt(add(ids::abt, Kind::MenuItem, "abt", {}, "About")) {
    clientWidth = 5967;
    clientHeight = 2158;
    iconId = IDI_TARVIC;

    // Design state the constructor arguments do not carry.
    VerLabel.foreColor = forms::colour::Grey;
    VerLabel.setTooltip("Get NewVersion(Go Homepage)");
    VerLabel.tag = kHomepage;
    VerLabel.handCursor = true;
    Label7.setTooltip("起動選択待機時間");
    Label2.setTooltip("起動選択待機時間");
    btdrv.border = true;
    btdrv.centred = true;
    Text1.setText("10");
    Text1.setTooltip("起動選択待機時間");
    for (auto* b : Command2) b->setTooltip("起動選択待機時間");
    Label6.setTooltip("デフォルトプロファイル");
    Label4.setTooltip("プロファイル選択待機時間");
    profilecombo.setTooltip("デフォルトプロファイル");
    Userwait.setTooltip("プロファイル選択待機時間");
    Label3.foreColor = forms::colour::Blue;
    Label3.setTooltip("シャットダウンタイマー");
    Combo2.foreColor = forms::colour::Blue;
    Combo2.setTooltip("シャットダウンタイマー");
    const std::pair<const char*, long> delays[] = {{"Now", 0},    {"60s", 60},    {"10m", 600},
                                                   {"1h", 3600},  {"5h", 18000}, {"10h", 36000}};
    for (const auto& [text, seconds] : delays) Combo2.addItem(text, seconds);
    Combo2.setText("Now");
    const char* const tips[] = {"標準の起動ＯＳに設定します。", "標準の設定を変更し再起動。",
                                "標準の設定を変更し電源断。", "終了"};
    for (std::size_t i = 0; i < Command1.size(); ++i) Command1[i]->setTooltip(tips[i]);
    Frame1.setVisible(false);
    for (auto* c : {&Label8, &lestLabel, &Label9, &offtimeLabel, &Command3}) c->container = &Frame1;
    Command3.setTooltip("Cancel");
    Check1.setTooltip("タスクトレイに表示");
    for (auto* c : {&labelAUTOREBOOT, &labelnow}) {
        c->border = true;
        c->centred = true;
    }
    for (auto* c : {&profilelist, &Timev, &labellest, &Label1}) c->setVisible(false);
    ed.container = &fl;
    strtup.container = &op;
    ar.container = &op;
    hlp.container = &hp;
    abt.container = &hp;
    Timer1.setInterval(200);
    Timer1.setTimerEnabled(false);
    Timer2.setInterval(1000);
    Timer2.setTimerEnabled(false);
    Timer3.setInterval(1000);
    Timer3.setTimerEnabled(true);

    // One handler per event.
    onCloseRequest = [this] { Form_Unload(); };
    ed.onClick = [this] { ed_Click(); };
    for (int i = 0; i < 2; ++i) {
        Command2[static_cast<std::size_t>(i)]->onMouseDown = [this, i](forms::MouseButton) { Command2_MouseDown(i); };
        Command2[static_cast<std::size_t>(i)]->onMouseUp = [this, i](forms::MouseButton) { Command2_MouseUp(i); };
    }
    Timer1.onTimer = [this] { Timer1_Timer(); };
    btdrv.onClick = [this] { btdrv_Click(); };
    Combo2.onChange = [this] { Combo2_Change(); };
    Combo2.onClick = [this] { Combo2_Change(); };
    for (int i = 0; i < 4; ++i) Command1[static_cast<std::size_t>(i)]->onClick = [this, i] { Command1_Click(i); };
    Command3.onClick = [this] { Command3_Click(); };
    Timer2.onTimer = [this] { Timer2_Timer(); };
}

Form1::~Form1() = default;

void Form1::Form_Load() {
    const platform::ProgramVersion v = app.p.process.version();
    VerLabel.setCaption("Tarvic Ver " + std::to_string(v.major) + "." + std::to_string(v.minor) + "." +
                        std::to_string(v.revision));
    app.ini.iniFile = settingsFileName(app.ini.appDir(), caption());
    Check1.setValue(static_cast<int>(val(app.ini.iniRead("showtskbar", "enable"))) != 0 ? 1 : 0);

    std::string root;
    locateBootDrive(root);
    btdrv.setBackColor(app.ini.winMajor() < 5 ? forms::colour::Default : forms::colour::White);
    btdrv.setCaption(root);
    bootIni = root + "boot.ini";
    getOS(bootIni);
    readBootWait();

    Timev.setCaption("00:00:10");
    Timev.tag = "10";
    Combo2_Change();
    labelnow.setCaption(nowText(app.p));
}

void Form1::Form_Unload() {
    auto& store = app.p.userStore;
    store.set(kTitle, "Form", "Top", numberText(static_cast<float>(top())));
    store.set(kTitle, "Form", "Left", numberText(static_cast<float>(left())));
    store.set(kTitle, "Form", "Tray", std::to_string(Check1.value()));
    app.ini.iniWrite("app", "open", "1");
    app.p.process.exitNow(0);
    app.tk.quit();
}

void Form1::ed_Click() { Form_Unload(); }

void Form1::Command2_MouseDown(int index) {
    spinDown = index != 0;
    const double n = val(Text1.text());
    Text1.setText(numberText(spinDown ? n - 1 : n + 1));
    Timer1.setTimerEnabled(true);
}

void Form1::Command2_MouseUp(int) { Timer1.setTimerEnabled(false); }

void Form1::Timer1_Timer() {
    if (val(Text1.text()) > 1 && spinDown) Text1.setText(numberText(val(Text1.text()) - 1));
    if (val(Text1.text()) < 60 && !spinDown) Text1.setText(numberText(val(Text1.text()) + 1));
}
