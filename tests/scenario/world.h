#pragma once
// A whole Tarvic on the simulated Windows and the headless forms backend.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "helpers/module_ini.h"
#include "platform/sim/headless.h"
#include "platform/sim/sim_platform.h"
#include "tarvic/app.h"
#include "tarvic/boot/bootdrv.h"
#include "tarvic/control_ids.h"
#include "tarvic/mainwindow/countdown.h"
#include "tarvic/mainwindow/form1.h"
#include "tarvic/startup/main.h"

inline const char* const kSetupKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Setup";
inline const char* const kSettings = "C:\\Program Files\\Tarvic\\Tarvic.ini";

// Four entries, the first the default; CR LF as Windows writes it.
inline std::string fourEntries() {
    return "[boot loader]\r\n"
           "timeout=30\r\n"
           "default=multi(0)disk(0)rdisk(0)partition(1)\\WINNT\r\n"
           "[operating systems]\r\n"
           "multi(0)disk(0)rdisk(0)partition(1)\\WINNT=\"Windows 2000\" /fastdetect\r\n"
           "multi(0)disk(0)rdisk(0)partition(2)\\WINNT=\"Windows NT 4.0\"\r\n"
           "multi(0)disk(0)rdisk(0)partition(2)\\WINNT=\"Windows NT 4.0 [VGA]\" /basevideo\r\n"
           "multi(0)disk(0)rdisk(1)partition(1)\\WINNT=\"Second disk\"\r\n";
}

inline constexpr std::uint32_t kHiddenSystemReadOnly = platform::FILE_ATTRIBUTE_READONLY_ |
                                                       platform::FILE_ATTRIBUTE_HIDDEN_ |
                                                       platform::FILE_ATTRIBUTE_SYSTEM_;

// One simulated machine with Tarvic on it.
struct Machine {
    sim::SimPlatform sys;
    platform::Platform p = sys.platform();
    sim::HeadlessBackend ui{sys.clock};
    forms::Toolkit tk{ui};
    ModuleIni ini{p};
    App app{p, tk, ini};
    std::unique_ptr<Form1> form1;

    // A Windows 2000 machine whose registry names d:\ as the boot drive.
    void windows2000WithBootDrive(const std::string& bootIni = fourEntries()) {
        sys.system.versionInfo = {5, 0, 2195, 2};
        sys.files.addDrive('d');
        sys.files.putFile("d:\\boot.ini", bootIni, kHiddenSystemReadOnly);
        sys.registry.putString(platform::HKEY_LOCAL_MACHINE_, kSetupKey, "bootdir", "d:\\");
    }

    Form1& start(const std::string& commandLine = "") {
        sys.process.arguments = commandLine;
        form1 = Main(app);
        EXPECT_NE(form1, nullptr);
        return *form1;
    }

    std::string bootIni() { return sys.files.contents("d:\\boot.ini").value_or("<missing>"); }
    forms::Window* shownCountDown() {
        return form1 && form1->countDown && form1->countDown->visible() ? form1->countDown.get() : nullptr;
    }
    bool ended() const { return sys.process.ended; }
};

class World : public ::testing::Test, protected Machine {};
