#include <gtest/gtest.h>

#include "contract/world.h"
#include "helpers/module_ini.h"

using namespace platform;

namespace {

class ModuleIniContract : public testing::Test {
protected:
    void SetUp() override {
        world = makeWorld();
        ini = std::make_unique<ModuleIni>(world->platform());
        ini->iniFile = world->scratchDir() + "\\Tarvic.ini";
        root = world->regRoot();
        base = world->regBase();
    }
    std::unique_ptr<World> world;
    std::unique_ptr<ModuleIni> ini;
    std::uint32_t root = 0;
    std::string base;
};

TEST_F(ModuleIniContract, IniReadTellsEmptyFromMissing) {
    EXPECT_EQ(ini->iniRead("app", "count"), "no ent"); // no file yet
    ini->iniWrite("app", "empty", "");
    ini->iniWrite("app", "long", std::string(300, 'x'));
    EXPECT_EQ(ini->iniRead("app", "empty"), "");
    EXPECT_EQ(ini->iniRead("app", "count"), "no ent");
    EXPECT_EQ(ini->iniRead("other", "empty"), "no ent");
    EXPECT_EQ(ini->iniRead("app", "long"), std::string(255, 'x'));
    ini->iniWrite("APP", "Empty", "5");
    EXPECT_EQ(ini->iniRead("app", "empty"), "5");
}

TEST_F(ModuleIniContract, RegReadGivesBytesUpToTheFirstZero) {
    ASSERT_TRUE(world->putValue(base, "thirty", REG_DWORD_, std::string("\x1e\0\0\0", 4)));
    ASSERT_TRUE(world->putValue(base, "zero", REG_DWORD_, std::string(4, '\0')));
    ASSERT_TRUE(world->putValue(base, "text", REG_SZ_, std::string("C:\0", 3)));
    ASSERT_TRUE(world->putValue(base, "big", REG_BINARY_, std::string(1025, 'b')));
    struct Case {
        std::string path, name, expected;
    };
    const std::vector<Case> cases = {
        {base, "thirty", "\x1e"},
        {base, "zero", ""},
        {base, "TEXT", "C:"},
        {base, "big", "err"},
        {base, "missing", "err"},
        {base + "\\missing", "text", "err"},
    };
    for (const auto& c : cases) EXPECT_EQ(ini->regRead(root, c.path, c.name), c.expected) << c.name;
    EXPECT_EQ(ini->regRead(0x80000009u, "Software", "x"), "err");
}

TEST_F(ModuleIniContract, RegReadDwordTellsZeroFromFailure) {
    ASSERT_TRUE(world->putValue(base, "minus", REG_DWORD_, std::string("\xff\xff\xff\xff", 4)));
    ASSERT_TRUE(world->putValue(base, "zero", REG_DWORD_, std::string(4, '\0')));
    ASSERT_TRUE(world->putValue(base, "short", REG_BINARY_, std::string("\x01\x02", 2)));
    EXPECT_EQ(ini->regReadDword(root, base, "minus"), -1);
    EXPECT_EQ(ini->regReadDword(root, base, "zero"), 0);
    EXPECT_EQ(ini->regReadDword(root, base, "short"), std::nullopt);
    EXPECT_EQ(ini->regReadDword(root, base, "missing"), std::nullopt);
    EXPECT_EQ(ini->regReadDword(root, base + "\\missing", "zero"), std::nullopt);
}

TEST_F(ModuleIniContract, RegEnumOnePastTheEndIsErr) {
    ASSERT_TRUE(world->createKey(base + "\\profiles\\0001"));
    ASSERT_TRUE(world->createKey(base + "\\profiles\\0000"));
    EXPECT_EQ(ini->regEnum(root, base + "\\profiles", 0), "0000");
    EXPECT_EQ(ini->regEnum(root, base + "\\profiles", 1), "0001");
    EXPECT_EQ(ini->regEnum(root, base + "\\profiles", 2), "err");
    EXPECT_EQ(ini->regEnum(root, base + "\\missing", 0), "err");
}

TEST_F(ModuleIniContract, WritesRoundTripAndReportCodes) {
    EXPECT_EQ(ini->regWriteSz(root, base, "Tarvic", "C:\\Tarvic\\Tarvic.exe"), ERROR_SUCCESS_);
    EXPECT_EQ(ini->regRead(root, base, "tarvic"), "C:\\Tarvic\\Tarvic.exe");
    EXPECT_EQ(ini->regWriteDword(root, base, "wait", -2), ERROR_SUCCESS_);
    EXPECT_EQ(ini->regReadDword(root, base, "wait"), -2);
    EXPECT_EQ(ini->regDelete(root, base, "Tarvic"), ERROR_SUCCESS_);
    EXPECT_EQ(ini->regRead(root, base, "Tarvic"), "err");
    EXPECT_EQ(ini->regDelete(root, base, "Tarvic"), ERROR_FILE_NOT_FOUND_);
    EXPECT_EQ(ini->regWriteSz(root, base + "\\missing", "x", "y"), ERROR_FILE_NOT_FOUND_);
    EXPECT_EQ(ini->regWriteDword(root, base + "\\missing", "x", 1), ERROR_FILE_NOT_FOUND_);
    EXPECT_EQ(ini->regDelete(root, base + "\\missing", "x"), ERROR_FILE_NOT_FOUND_);
}

TEST_F(ModuleIniContract, DeniedWriteAnswersFiveAndChangesNothing) {
    const std::string key = base + "\\machine";
    ASSERT_TRUE(world->putValue(key, "v", REG_SZ_, std::string("old\0", 4)));
    if (!world->denyWrites(key)) GTEST_SKIP() << "cannot deny writes here";
    EXPECT_EQ(ini->regWriteSz(root, key, "v", "new"), ERROR_ACCESS_DENIED_);
    EXPECT_EQ(ini->regWriteDword(root, key, "v", 1), ERROR_ACCESS_DENIED_);
    EXPECT_EQ(ini->regDelete(root, key, "v"), ERROR_ACCESS_DENIED_);
    EXPECT_EQ(ini->regRead(root, key, "v"), "old");
}

TEST_F(ModuleIniContract, SystemFacts) {
    EXPECT_FALSE(ini->userName().empty());
    const std::string dir = ini->winDir();
    ASSERT_FALSE(dir.empty());
    EXPECT_NE(dir.back(), '\\');
    EXPECT_NE(world->platform().files.getAttributes(dir), INVALID_FILE_ATTRIBUTES_);
    EXPECT_GE(ini->winMajor().value_or(0), 4u);
    const std::string app = ini->appDir();
    ASSERT_GE(app.size(), 3u);
    EXPECT_EQ(app.back(), '\\');
    EXPECT_NE(app[app.size() - 2], '\\');
}

TEST_F(ModuleIniContract, AppDirOfADriveRootHasOneBackslash) {
    if (!world->setProgramDirectory("C:\\")) GTEST_SKIP() << "the program's place is fixed here";
    EXPECT_EQ(ini->appDir(), "C:\\");
}

} // namespace
