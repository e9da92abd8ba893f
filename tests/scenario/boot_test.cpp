#include "world.h"

namespace {

using BootConfig = World;

std::vector<std::string> items(const forms::Control& c) {
    std::vector<std::string> out;
    for (const auto& i : c.items()) out.push_back(i.text);
    return out;
}

const std::vector<std::string> kFourNames = {"\"Windows 2000\" /fastdetect", "\"Windows NT 4.0\"",
                                             "\"Windows NT 4.0 [VGA]\" /basevideo", "\"Second disk\""};

TEST_F(BootConfig, RegistryBootDriveFillsTheListWithTheDefaultSelected) {
    windows2000WithBootDrive();
    Form1& f = start();
    EXPECT_EQ(items(f.Combo1), kFourNames);
    EXPECT_EQ(f.Combo1.listIndex(), 0);
    EXPECT_EQ(f.Combo1.itemData(3), 11); // rdisk(1) partition(1)
    EXPECT_EQ(f.Text1.text(), "30");
    EXPECT_EQ(f.btdrv.caption(), "d:\\");
    EXPECT_EQ(f.btdrv.backColor, 0xFFFFFF) << "white on Windows 2000";
    EXPECT_EQ(ini.iniFile, "C:\\Program Files\\Tarvic\\Tarvic.INI") << "iniFile is put back";
}

TEST_F(BootConfig, SetDefaultOnTheThirdOfFourWritesItFirstAndKeepsAttributes) {
    windows2000WithBootDrive();
    Form1& f = start();
    const auto filesBefore = sys.files.listFiles();
    ui.pick(f.Combo1, 2);
    f.Text1.setText("12abc");
    ui.click(*f.Command1[0]);
    EXPECT_EQ(bootIni(), "[boot loader]\r\n"
                         "timeout=12\r\n"
                         "default=multi(0)disk(0)rdisk(0)partition(2)\\WINNT\r\n"
                         "[operating systems]\r\n"
                         "multi(0)disk(0)rdisk(0)partition(2)\\WINNT=\"Windows NT 4.0 [VGA]\" /basevideo\r\n"
                         "multi(0)disk(0)rdisk(0)partition(1)\\WINNT=\"Windows 2000\" /fastdetect\r\n"
                         "multi(0)disk(0)rdisk(0)partition(2)\\WINNT=\"Windows NT 4.0\"\r\n"
                         "multi(0)disk(0)rdisk(1)partition(1)\\WINNT=\"Second disk\"\r\n");
    EXPECT_EQ(sys.files.getAttributes("d:\\boot.ini"), kHiddenSystemReadOnly);
    EXPECT_EQ(sys.files.listFiles(), filesBefore) << "no temporary file left";
    EXPECT_EQ(f.Text1.text(), "12");
    // The list is read again from what the file now holds.
    EXPECT_EQ(f.Combo1.listCount(), 4);
    EXPECT_EQ(f.Combo1.list(0), kFourNames[2]);
    EXPECT_EQ(f.Combo1.listIndex(), 0);
    EXPECT_TRUE(ui.messageBoxes.empty());
}

TEST_F(BootConfig, AFailedReplacementLeavesTheFileAndStartsNoReboot) {
    for (auto op : {sim::SimFileSystem::Op::Write, sim::SimFileSystem::Op::Rename,
                    sim::SimFileSystem::Op::Attributes}) {
        Machine m;
        m.windows2000WithBootDrive();
        Form1& f = m.start();
        m.ui.pick(f.Combo1, 1);
        const auto filesBefore = m.sys.files.listFiles();
        m.sys.files.failOn(op, 5);
        m.ui.click(*f.Command1[1]); // "And reboot"
        EXPECT_EQ(m.sys.files.contents("d:\\boot.ini"), fourEntries());
        EXPECT_EQ(m.sys.files.getAttributes("d:\\boot.ini"), kHiddenSystemReadOnly);
        EXPECT_EQ(m.sys.files.listFiles(), filesBefore) << "no temporary file left";
        ASSERT_EQ(m.ui.messageBoxes.size(), 1u);
        EXPECT_NE(m.ui.messageBoxes[0].text.find("d:\\boot.ini"), std::string::npos);
        EXPECT_NE(m.ui.messageBoxes[0].text.find("error 5"), std::string::npos);
        EXPECT_FALSE(m.ui.timerRunning(f.Timer2)) << "no reboot into the old default";
        EXPECT_FALSE(f.Frame1.visible());
        m.ui.advance(10000);
        EXPECT_TRUE(m.sys.session.calls.empty());
    }
}

TEST_F(BootConfig, AnUnreadableBootIniIsToldAndLeavesTheListEmpty) {
    windows2000WithBootDrive();
    sys.files.failOn(sim::SimFileSystem::Op::Open, 32, 100);
    Form1& f = start();
    EXPECT_EQ(f.Combo1.listCount(), 0);
    ASSERT_FALSE(ui.messageBoxes.empty());
    EXPECT_EQ(ui.messageBoxes[0].text, "Tarvic could not read d:\\boot.ini: error 32.");
    ui.click(*f.Command1[0]);
    EXPECT_EQ(bootIni(), fourEntries());
}

TEST_F(BootConfig, NothingSelectedOrNoEntriesLeavesTheFileUntouched) {
    const std::string noEntries = "[boot loader]\r\ntimeout=5\r\n[operating systems]\r\n";
    const std::string noDefault = "[boot loader]\r\ntimeout=5\r\n[operating systems]\r\nC:\\=\"Old\"\r\n";
    for (const std::string& text : {noEntries, noDefault}) {
        windows2000WithBootDrive(text);
        Form1& f = start();
        EXPECT_EQ(f.Combo1.listIndex(), -1);
        ui.click(*f.Command1[0]);
        EXPECT_EQ(bootIni(), text);
        form1.reset();
        sys.process.claimed.clear();
    }
}

TEST_F(BootConfig, NoBootDirOnWindows2000AsksForTheDriveAndRemembersIt) {
    sys.system.versionInfo = {5, 0, 2195, 2};
    sys.files.addDrive('e');
    sys.files.putFile("e:\\boot.ini", fourEntries(), kHiddenSystemReadOnly);
    bool asked = false;
    ui.whenShown("bootdrv", [&] {
        asked = true;
        auto& dialog = *form1->bootDrive;
        EXPECT_EQ(dialog.caption(), "Select Boot Drive");
        EXPECT_EQ(dialog.find(ids::bootdrv_Label1)->caption(), "Select Boot Drive    (Find Boot.ini)");
        forms::Control& drives = *dialog.find(ids::bootdrv_Drive1);
        EXPECT_EQ(drives.text(), "c:");
        ui.click(*dialog.find(ids::bootdrv_Command1)); // c: has no boot.ini
        ui.pick(drives, 1);
        ui.click(*dialog.find(ids::bootdrv_Command1));
    });
    // The dialog comes up inside the load, before the window is shown.
    form1 = std::make_unique<Form1>(app);
    Form1& f = *form1;
    f.load();
    f.Form_Load();
    EXPECT_FALSE(f.visible());
    EXPECT_TRUE(asked);
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].text, "Boot.ini not found");
    EXPECT_EQ(ui.messageBoxes[0].title, "Tarvic");
    EXPECT_EQ(f.btdrv.caption(), "e:\\");
    EXPECT_EQ(f.Combo1.listCount(), 4);
    ini.iniFile = kSettings;
    EXPECT_EQ(ini.iniRead("osboot", "tester"), "e:\\");
}

TEST_F(BootConfig, Nt4FallsBackToCAndGreysTheDriveLabel) {
    sys.files.putFile("c:\\boot.ini", fourEntries(), kHiddenSystemReadOnly);
    Form1& f = start();
    EXPECT_EQ(f.btdrv.caption(), "c:\\");
    EXPECT_EQ(f.Combo1.listCount(), 4);
    EXPECT_EQ(f.btdrv.backColor, -1) << "button face on NT 4.0";
}

TEST_F(BootConfig, EachUserKeepsTheirOwnRememberedDrive) {
    sys.system.versionInfo = {5, 0, 2195, 2};
    sys.files.putFile("d:\\boot.ini", fourEntries());
    sys.files.putFile("e:\\boot.ini", fourEntries());
    sys.files.putFile(kSettings, "[osboot]\r\nalice=d:\\\r\nbob=e:\\\r\n");
    for (auto [user, root] : {std::pair{"alice", "d:\\"}, std::pair{"bob", "e:\\"}}) {
        sys.system.user = user;
        Form1& f = start();
        EXPECT_EQ(f.btdrv.caption(), root) << user;
        EXPECT_EQ(f.Combo1.listCount(), 4);
        form1.reset();
        sys.process.claimed.clear();
    }
}

TEST_F(BootConfig, BootDriveClickReadsTheListAgainOnceEach) {
    windows2000WithBootDrive();
    sys.files.addDrive('e');
    sys.files.putFile("e:\\boot.ini", "[boot loader]\r\ntimeout=3\r\ndefault=C:\\\r\n"
                                      "[operating systems]\r\nmulti(0)disk(0)rdisk(0)partition(1)\\WINNT=\"A\"\r\n"
                                      "C:\\=\"Old\"\r\n");
    Form1& f = start();
    ui.whenShown("bootdrv", [&] { ui.click(*form1->bootDrive->find(ids::bootdrv_Command2)); });
    ui.click(f.btdrv);
    EXPECT_EQ(items(f.Combo1), kFourNames) << "cancel reads the same file again";
    ui.whenShown("bootdrv", [&] {
        auto& dialog = *form1->bootDrive;
        ui.pick(*dialog.find(ids::bootdrv_Drive1), 2);
        ui.click(*dialog.find(ids::bootdrv_Command1));
    });
    ui.click(f.btdrv);
    EXPECT_EQ(items(f.Combo1), (std::vector<std::string>{"\"A\"", "\"Old\""}));
    EXPECT_EQ(f.Combo1.listIndex(), 1);
    EXPECT_EQ(f.Text1.text(), "3");
}

} // namespace
