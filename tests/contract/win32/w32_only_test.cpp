#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/w32_clock.h"
#include "platform/win32/w32_command_line.h"
#include "platform/win32/w32_platform.h"

namespace {

TEST(CommandLine, ArgumentsAfterTheProgramName) {
    struct Case {
        std::wstring line, arguments;
    };
    const std::vector<Case> cases = {
        {L"Tarvic.exe", L""},
        {L"Tarvic.exe reboot", L"reboot"},
        {L"\"C:\\Program Files\\Tarvic\\Tarvic.exe\"  tray force", L"tray force"},
        {L"\"C:\\odd name\"x.exe logoff", L"logoff"},
        {L"\"C:\\unclosed quote", L""},
        {L"C:\\Tarvic\\Tarvic.exe\t\"a b\"", L"\"a b\""},
        {L"", L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(std::wstring(w32::argumentsAfterProgram(std::wstring_view(c.line))), c.arguments);
}

TEST(Win32Clock, LocalNowIsTheLocalCivilTime) {
    w32::Win32Clock clock;
    SYSTEMTIME before{};
    GetLocalTime(&before);
    const std::int64_t ms = clock.localNowMs();
    const std::int64_t day = ms / 86400000;
    EXPECT_EQ(day, w32::daysFromCivil(before.wYear, before.wMonth, before.wDay));
}

TEST(Win32Process, ProgramDirectoryHasNoTrailingBackslash) {
    w32::Win32Process process;
    const std::string dir = process.programDirectory();
    ASSERT_GE(dir.size(), 3u);
    EXPECT_TRUE(dir.size() == 3 || dir.back() != '\\') << dir;
    EXPECT_EQ(process.programFileName(), "win32_contract_tests.exe");
    EXPECT_EQ(process.commandLine().find("win32_contract_tests"), std::string::npos);
}

TEST(Win32Text, NonAsciiTextRoundTripsThroughTheRegistry) {
    // "é" exists in the Western code pages Wine starts with.
    w32::Win32Platform real;
    auto p = real.platform();
    platform::RegKey key = 0;
    HKEY created = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "Software\\TarvicContractText", &created), ERROR_SUCCESS);
    RegCloseKey(created);
    ASSERT_EQ(p.registry.openKey(platform::HKEY_CURRENT_USER_, "Software\\TarvicContractText", key), 0);
    EXPECT_EQ(p.registry.setValue(key, "v", platform::REG_SZ_, std::string("caf\xc3\xa9\0", 6)), 0);
    std::uint32_t type = 0;
    std::string data;
    EXPECT_EQ(p.registry.queryValue(key, "v", type, data, 1024), 0);
    if (GetACP() == 1252) {
        EXPECT_EQ(data, std::string("caf\xc3\xa9\0", 6));
    }
    char raw[16] = {};
    DWORD size = sizeof raw;
    RegQueryValueExA(reinterpret_cast<HKEY>(key), "v", nullptr, nullptr, reinterpret_cast<BYTE*>(raw), &size);
    if (GetACP() == 1252) {
        EXPECT_EQ(std::string(raw, size), std::string("caf\xe9\0", 5));
    }
    p.registry.closeKey(key);
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\TarvicContractText");
}

} // namespace
