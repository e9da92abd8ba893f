#include <gtest/gtest.h>

#include <functional>

#include "helpers/module_ini.h"
#include "platform/sim/sim_platform.h"

using namespace platform;

namespace {

constexpr std::uint32_t HKLM = HKEY_LOCAL_MACHINE_;
const std::string kKey = "SOFTWARE\\Tarvic";

class ModuleIniTest : public testing::Test {
protected:
    ModuleIniTest() : p(sim.platform()), ini(p) {
        ini.iniFile = "C:\\Program Files\\Tarvic\\Tarvic.ini";
        sim.registry.createKey(HKLM, kKey);
    }
    sim::SimPlatform sim;
    Platform p;
    ModuleIni ini;
};

TEST_F(ModuleIniTest, EveryRegistryHelperClosesItsKey) {
    sim.registry.putDword(HKLM, kKey, "n", 7);
    sim.registry.createKey(HKLM, kKey + "\\sub");
    sim.registry.denyWrites(HKLM, kKey + "\\locked");
    const std::vector<std::function<void()>> calls = {
        [&] { ini.regRead(HKLM, kKey, "n"); },
        [&] { ini.regRead(HKLM, kKey, "missing"); },
        [&] { ini.regReadDword(HKLM, kKey, "n"); },
        [&] { ini.regReadDword(HKLM, kKey, "missing"); },
        [&] { ini.regEnum(HKLM, kKey, 0); },
        [&] { ini.regEnum(HKLM, kKey, 5); },
        [&] { ini.regWriteSz(HKLM, kKey, "s", "x"); },
        [&] { ini.regWriteSz(HKLM, kKey + "\\locked", "s", "x"); },
        [&] { ini.regWriteDword(HKLM, kKey, "d", 1); },
        [&] { ini.regDelete(HKLM, kKey, "s"); },
        [&] { ini.regDelete(HKLM, kKey, "gone"); },
        [&] { ini.regRead(HKLM, kKey + "\\missing", "n"); },
    };
    for (std::size_t i = 0; i < calls.size(); ++i) {
        calls[i]();
        EXPECT_EQ(sim.registry.openKeyCount(), 0u) << "call " << i;
    }
}

TEST_F(ModuleIniTest, RegReadOfAFullBufferWithoutZero) {
    sim.registry.putValue(HKLM, kKey, "full", REG_BINARY_, std::string(1024, 'f'));
    EXPECT_EQ(ini.regRead(HKLM, kKey, "full"), std::string(1024, 'f'));
}

TEST_F(ModuleIniTest, WritesStoreTheBytesTheRegistryExpects) {
    ini.regWriteSz(HKLM, kKey, "s", "abc");
    ini.regWriteDword(HKLM, kKey, "d", -1);
    EXPECT_EQ(sim.registry.value(HKLM, kKey, "s"), std::make_pair(REG_SZ_, std::string("abc\0", 4)));
    EXPECT_EQ(sim.registry.value(HKLM, kKey, "d"), std::make_pair(REG_DWORD_, std::string(4, '\xff')));
}

TEST_F(ModuleIniTest, FailedSystemCallsGiveTheEmptyAnswers) {
    sim.system.failUserName = true;
    sim.system.failWindowsDirectory = true;
    sim.system.failVersion = true;
    EXPECT_EQ(ini.userName(), "");
    EXPECT_EQ(ini.winDir(), "");
    EXPECT_EQ(ini.winMajor(), std::nullopt);
}

TEST_F(ModuleIniTest, NamesLongerThanTheBufferAreNotRead) {
    sim.system.user = std::string(256, 'u');
    EXPECT_EQ(ini.userName(), "");
    sim.system.user = std::string(255, 'u');
    EXPECT_EQ(ini.userName(), std::string(255, 'u'));
}

TEST_F(ModuleIniTest, WinDirAndAppDirBackslashes) {
    struct Case {
        std::string given, winDir, appDir;
    };
    const std::vector<Case> cases = {
        {"C:\\WINNT", "C:\\WINNT", "C:\\WINNT\\"},
        {"C:\\", "C:", "C:\\"},
        {"D:\\Tools\\", "D:\\Tools", "D:\\Tools\\"},
    };
    for (const auto& c : cases) {
        sim.system.windowsDir = c.given;
        sim.process.directory = c.given;
        EXPECT_EQ(ini.winDir(), c.winDir) << c.given;
        EXPECT_EQ(ini.appDir(), c.appDir) << c.given;
    }
}

TEST_F(ModuleIniTest, WinMajorOfTheRunningSystem) {
    EXPECT_EQ(ini.winMajor(), 4u);
    sim.system.versionInfo.major = 5;
    EXPECT_EQ(ini.winMajor(), 5u);
}

TEST_F(ModuleIniTest, ShellOpenUsesTheDefaultVerbAndShowsNormally) {
    ini.shellOpen(77, "C:\\Program Files\\Tarvic\\tvhelp.htm");
    ASSERT_EQ(sim.shell.opens.size(), 1u);
    const auto& call = sim.shell.opens[0];
    EXPECT_EQ(call.owner, 77u);
    EXPECT_EQ(call.verb, "");
    EXPECT_EQ(call.file, "C:\\Program Files\\Tarvic\\tvhelp.htm");
    EXPECT_EQ(call.parameters, "");
    EXPECT_EQ(call.directory, "");
    EXPECT_EQ(call.showCommand, 1);
}

TEST_F(ModuleIniTest, IniHelpersActOnIniFileOnly) {
    ini.iniWrite("app", "k", "1");
    const std::string settings = ini.iniFile;
    ini.iniFile = "C:\\boot.ini";
    EXPECT_EQ(ini.iniRead("app", "k"), "no ent");
    ini.iniFile = settings;
    EXPECT_EQ(ini.iniRead("app", "k"), "1");
    EXPECT_EQ(sim.files.contents(settings), "[app]\r\nk=1\r\n");
}

TEST_F(ModuleIniTest, FailedFileAccessIsSilent) {
    ini.iniWrite("app", "k", "1");
    sim.files.failOn(sim::SimFileSystem::Op::Write, 112);
    ini.iniWrite("app", "k", "2");
    EXPECT_EQ(ini.iniRead("app", "k"), "1");
    sim.files.failOn(sim::SimFileSystem::Op::Open, 32);
    EXPECT_EQ(ini.iniRead("app", "k"), "no ent");
}

TEST_F(ModuleIniTest, OddInputNeverBreaksAHelper) {
    const std::string big(1 << 20, 'v');
    const std::string badUtf8 = "\xff\xfe\xc3(";
    EXPECT_EQ(ini.regWriteSz(HKLM, kKey, "big", big), ERROR_SUCCESS_);
    EXPECT_EQ(ini.regRead(HKLM, kKey, "big"), "err"); // larger than the buffer
    EXPECT_EQ(ini.regWriteSz(HKLM, kKey, "", badUtf8), ERROR_SUCCESS_);
    EXPECT_EQ(ini.regRead(HKLM, kKey, ""), badUtf8);
    EXPECT_EQ(ini.regRead(0x12345678u, kKey, "big"), "err");
    EXPECT_EQ(ini.regWriteDword(0x12345678u, kKey, "x", 1), ERROR_INVALID_HANDLE_);
    EXPECT_EQ(ini.regEnum(HKLM, "", 0), "SOFTWARE");
    ini.iniWrite("", "", "");
    ini.iniWrite("s", badUtf8, big);
    EXPECT_EQ(ini.iniRead("s", badUtf8), std::string(255, 'v'));
    ini.iniFile.clear();
    EXPECT_EQ(ini.iniRead("s", "k"), "no ent");
}

} // namespace
