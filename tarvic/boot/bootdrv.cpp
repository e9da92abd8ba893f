#include "tarvic/boot/bootdrv.h"

#include "tarvic/control_ids.h"
#include "tarvic/mainwindow/file_tests.h"
#include "tarvic/mainwindow/form1.h"

using forms::Kind;

int preselectedDrive(const std::vector<std::string>& roots) {
    for (std::size_t i = 0; i < roots.size(); ++i)
        if (!roots[i].empty() && (roots[i][0] == 'c' || roots[i][0] == 'C')) return static_cast<int>(i);
    return roots.empty() ? -1 : 0;
}

bootdrv::bootdrv(App& a, Form1& f)
    : forms::Window(a.tk, "bootdrv", "Select Boot Drive"), app(a), form1(f),
      Label1(add(ids::bootdrv_Label1, Kind::Label, "Label1", {240, 120, 3375, 255},
                 "Select Boot Drive    (Find Boot.ini)")),
      Drive1(add(ids::bootdrv_Drive1, Kind::DriveList, "Drive1", {240, 480, 3375, 315})),
      Command1(add(ids::bootdrv_Command1, Kind::Button, "Command1", {240, 960, 1575, 375}, "OK")),
      Command2(add(ids::bootdrv_Command2, Kind::Button, "Command2", {2040, 960, 1575, 375}, "Cancel")) {
    clientWidth = 3855;
    clientHeight = 1515;
    Command1.onClick = [this] { Command1_Click(); };
    Command2.onClick = [this] { Command2_Click(); };
    onCloseRequest = [this] { Command2_Click(); };
}

void bootdrv::Form_Load() {
    load();
    const std::vector<std::string> roots = app.p.files.driveRoots();
    for (const std::string& root : roots) Drive1.addItem(root.substr(0, 2));
    Drive1.setListIndex(preselectedDrive(roots));
}

void bootdrv::Command1_Click() {
    const std::string path = Drive1.text().substr(0, 2) + "\\boot.ini";
    if (!fileExists(app.p.files, path)) {
        app.tk.messageBox(this, "Boot.ini not found", "Tarvic");
        return;
    }
    foundbootini();
}

void bootdrv::Command2_Click() { unload(); }

void bootdrv::foundbootini() {
    const std::string root = Drive1.text().substr(0, 2) + "\\";
    form1.btdrv.setCaption(root);
    app.ini.iniWrite("osboot", app.ini.userName(), root);
    unload();
}
