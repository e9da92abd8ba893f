#include "tarvic/startup/cmd_action.h"

namespace tarvic {

CmdKeywords cmdKeywords(const std::string& commandLine) {
    std::string line = commandLine;
    for (char& c : line)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    auto has = [&line](const char* word) { return line.find(word) != std::string::npos; };

    std::int32_t mode = 0;
    if (has("logoff")) mode = 0;
    if (has("shutdown")) mode = 1;
    if (has("reboot")) mode = 2;
    if (has("poweroff")) mode = 8;

    CmdKeywords k;
    k.tray = has("tray");
    // Log off is mode 0, so it must be asked for by name.
    k.act = has("logoff") || mode != 0;
    k.mode = mode + (has("force") ? 4 : 0);
    return k;
}

} // namespace tarvic
