// Form1's side of boot.ini: finding it, reading it into Combo1 and Text1,
// and writing a new default.
#include <string>

#include "tarvic/boot/bootdrv.h"
#include "tarvic/boot/bootini.h"
#include "tarvic/boot/replace_file.h"
#include "tarvic/mainwindow/file_tests.h"
#include "tarvic/mainwindow/form1.h"

namespace {

const char* const kSetupKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Setup";

// Points iniFile at another file for one operation and puts it back.
class IniFileSwitch {
public:
    IniFileSwitch(ModuleIni& ini, const std::string& file) : ini_(ini), saved_(ini.iniFile) {
        ini_.iniFile = file;
    }
    ~IniFileSwitch() { ini_.iniFile = saved_; }
    IniFileSwitch(const IniFileSwitch&) = delete;
    IniFileSwitch& operator=(const IniFileSwitch&) = delete;

private:
    ModuleIni& ini_;
    std::string saved_;
};

} // namespace

void Form1::locateBootDrive(std::string& root) {
    auto& files = app.p.files;
    root = app.ini.regRead(platform::HKEY_LOCAL_MACHINE_, kSetupKey, "bootdir");
    if (root != "err" && fileExists(files, root + "boot.ini")) return;
    if (app.ini.winMajor() < 5 && fileExists(files, "c:\\boot.ini")) {
        root = "c:\\";
        return;
    }
    root = app.ini.iniRead("osboot", app.ini.userName());
    if (fileExists(files, root + "boot.ini")) return;
    root = selectboot();
    app.ini.iniWrite("osboot", app.ini.userName(), root);
}

void Form1::getOS(const std::string& fname) {
    auto& files = app.p.files;
    if (!fileExists(files, fname)) return;
    std::string defaultPath;
    {
        IniFileSwitch use(app.ini, fname);
        defaultPath = app.ini.iniRead("boot loader", "default");
    }
    std::string text;
    std::uint32_t error = 0;
    if (!files.readFile(fname, text, error)) {
        app.tk.messageBox(this, "Tarvic could not read " + fname + ": " + app.p.system.errorText(error) + ".",
                          "Tarvic", forms::MB_ICONERROR_);
        return;
    }

    const tarvic::BootIniRead read = tarvic::readBootIni(text, defaultPath);
    const int selected = tarvic::defaultEntry(read.entries, defaultPath,
                                              [&](const std::string& path) { return app.p.system.ansiToUtf8(path); });
    osLine.clear();
    osPath.clear();
    osName.clear();
    for (std::size_t n = 0; n < read.entries.size(); ++n) {
        const tarvic::OsEntry& e = read.entries[n];
        osLine.push_back(e.line);
        osPath.push_back(e.path);
        osName.push_back(e.name);
        Combo1.addItem(app.p.system.ansiToUtf8(e.name), e.diskKey);
        if (static_cast<int>(n) == selected) Combo1.setListIndex(selected);
    }
}

void Form1::readBootWait() {
    IniFileSwitch use(app.ini, bootIni);
    Text1.setText(app.ini.iniRead("boot loader", "timeout"));
}

Form1::SetosResult Form1::setos(int bos) {
    auto& files = app.p.files;
    // Nothing chosen, or nothing to choose from: the file is not touched.
    if (!fileExists(files, bootIni) || bos < 0 || static_cast<std::size_t>(bos) >= osLine.size())
        return SetosResult::NothingToWrite;

    std::string old;
    std::uint32_t error = 0;
    if (!files.readFile(bootIni, old, error)) {
        app.tk.messageBox(this, "Tarvic could not read " + bootIni + ": " + app.p.system.errorText(error) +
                                    ". The boot settings were not changed.",
                          "Tarvic", forms::MB_ICONERROR_);
        return SetosResult::Failed;
    }
    std::vector<tarvic::OsEntry> entries;
    for (std::size_t i = 0; i < osLine.size(); ++i) entries.push_back({osLine[i], osPath[i], osName[i], 0});
    const auto text = tarvic::rewriteBootIni(old, entries, bos, Text1.text());
    if (!text) {
        app.tk.messageBox(this, "The boot wait \"" + Text1.text() + "\" cannot be written to " + bootIni +
                                    ". The boot settings were not changed.",
                          "Tarvic", forms::MB_ICONERROR_);
        return SetosResult::Failed;
    }
    const tarvic::ReplaceResult r = tarvic::replaceFileAtomically(files, bootIni, *text);
    if (!r.ok && std::string(r.step) == "check attributes") {
        // The new text is in place; only the attributes could not follow.
        app.tk.messageBox(this, "Tarvic wrote " + bootIni + " but could not give it back its attributes: " +
                                    app.p.system.errorText(r.error) + ".",
                          "Tarvic", forms::MB_ICONWARNING_);
    } else if (!r.ok) {
        app.tk.messageBox(this, "Tarvic could not write " + bootIni + ": " + app.p.system.errorText(r.error) +
                                    ". The file was left as it was.",
                          "Tarvic", forms::MB_ICONERROR_);
        return SetosResult::Failed;
    }
    app.tk.doEvents();
    return SetosResult::Written;
}

std::string Form1::selectboot() {
    bootDrive = std::make_unique<bootdrv>(app, *this);
    bootDrive->Form_Load();
    bootDrive->showModal(this);
    bootDrive.reset();
    return btdrv.caption();
}

void Form1::btdrv_Click() {
    const std::string root = selectboot();
    app.ini.iniWrite("osboot", app.ini.userName(), root);
    bootIni = root + "boot.ini";
    Combo1.clear();
    profilecombo.clear();
    profilelist.clear();
    getOS(bootIni);
    readBootWait();
}
