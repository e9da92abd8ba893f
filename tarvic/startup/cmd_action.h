#pragma once
#include <cstdint>
#include <string>

namespace tarvic {

// What the command line asks for: the tray start, and whether and with which
// exit mode the countdown runs.
struct CmdKeywords {
    bool tray = false;
    bool act = false;
    std::int32_t mode = 0;
};

// Keywords are found anywhere in the lower-cased line ("/REBOOT" is reboot);
// with several exit keywords the strongest wins, and "force" adds 4.
CmdKeywords cmdKeywords(const std::string& commandLine);

} // namespace tarvic
