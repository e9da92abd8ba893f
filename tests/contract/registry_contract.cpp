#include <gtest/gtest.h>

#include <vector>

#include "contract/world.h"

using namespace platform;

namespace {

class RegistryContract : public testing::Test {
protected:
    void SetUp() override { world = makeWorld(); }
    Registry& reg() { return world->platform().registry; }
    std::string base() { return world->regBase(); }
    std::unique_ptr<World> world;
};

TEST_F(RegistryContract, SubkeysEnumerateAlphabeticallyWithoutCase) {
    for (const char* name : {"beta", "Alpha", "Zed", "alpha2", "a"})
        ASSERT_TRUE(world->createKey(base() + "\\list\\" + name));
    RegKey key = 0;
    ASSERT_EQ(reg().openKey(world->regRoot(), base() + "\\list", key), ERROR_SUCCESS_);
    std::vector<std::string> names;
    std::string name;
    std::uint32_t i = 0;
    while (reg().enumKey(key, i, name) == ERROR_SUCCESS_) {
        names.push_back(name);
        ++i;
    }
    EXPECT_EQ(reg().enumKey(key, i, name), ERROR_NO_MORE_ITEMS_);
    reg().closeKey(key);
    EXPECT_EQ(names, (std::vector<std::string>{"a", "Alpha", "alpha2", "beta", "Zed"}));
}

TEST_F(RegistryContract, QueryGivesBytesTypeAndMoreData) {
    const std::string big(2000, 'b');
    ASSERT_TRUE(world->putValue(base(), "Big", REG_BINARY_, big));
    ASSERT_TRUE(world->putValue(base(), "Exact", REG_BINARY_, std::string(1024, 'e')));
    ASSERT_TRUE(world->putValue(base(), "Number", REG_DWORD_, std::string("\x1e\0\0\0", 4)));
    RegKey key = 0;
    ASSERT_EQ(reg().openKey(world->regRoot(), base(), key), ERROR_SUCCESS_);
    struct Case {
        const char* name;
        std::uint32_t capacity;
        long result;
        std::uint32_t type;
        std::string data;
    };
    const std::vector<Case> cases = {
        {"Big", 1024, ERROR_MORE_DATA_, REG_BINARY_, ""},
        {"Exact", 1024, ERROR_SUCCESS_, REG_BINARY_, std::string(1024, 'e')},
        {"NUMBER", 4, ERROR_SUCCESS_, REG_DWORD_, std::string("\x1e\0\0\0", 4)},
        {"number", 2, ERROR_MORE_DATA_, REG_DWORD_, ""},
        {"missing", 1024, ERROR_FILE_NOT_FOUND_, 0, ""},
    };
    for (const auto& c : cases) {
        std::uint32_t type = 0;
        std::string data;
        EXPECT_EQ(reg().queryValue(key, c.name, type, data, c.capacity), c.result) << c.name;
        if (c.result == ERROR_SUCCESS_) {
            EXPECT_EQ(type, c.type) << c.name;
            EXPECT_EQ(data, c.data) << c.name;
        }
    }
    reg().closeKey(key);
}

TEST_F(RegistryContract, SetAndDeleteByNameWithoutCase) {
    RegKey key = 0;
    ASSERT_EQ(reg().openKey(world->regRoot(), base(), key), ERROR_SUCCESS_);
    EXPECT_EQ(reg().setValue(key, "Name", REG_SZ_, std::string("one\0", 4)), ERROR_SUCCESS_);
    EXPECT_EQ(reg().setValue(key, "NAME", REG_SZ_, std::string("two\0", 4)), ERROR_SUCCESS_);
    std::uint32_t type = 0;
    std::string data;
    EXPECT_EQ(reg().queryValue(key, "name", type, data, 1024), ERROR_SUCCESS_);
    EXPECT_EQ(data, std::string("two\0", 4));
    EXPECT_EQ(reg().deleteValue(key, "nAmE"), ERROR_SUCCESS_);
    EXPECT_EQ(reg().deleteValue(key, "name"), ERROR_FILE_NOT_FOUND_);
    EXPECT_EQ(reg().queryValue(key, "name", type, data, 1024), ERROR_FILE_NOT_FOUND_);
    reg().closeKey(key);
}

TEST_F(RegistryContract, OpenFailures) {
    RegKey key = 0;
    EXPECT_EQ(reg().openKey(world->regRoot(), base() + "\\missing", key), ERROR_FILE_NOT_FOUND_);
    EXPECT_EQ(reg().openKey(0x80000009u, "Software", key), ERROR_INVALID_HANDLE_);
    ASSERT_EQ(reg().openKey(world->regRoot(), base() + "\\", key), ERROR_SUCCESS_);
    reg().closeKey(key);
}

TEST_F(RegistryContract, DeniedKeyRefusesWritesAndKeepsItsValues) {
    ASSERT_TRUE(world->putValue(base() + "\\locked", "v", REG_SZ_, std::string("old\0", 4)));
    if (!world->denyWrites(base() + "\\locked")) GTEST_SKIP() << "cannot deny writes here";
    RegKey key = 0;
    ASSERT_EQ(reg().openKey(world->regRoot(), base() + "\\locked", key), ERROR_SUCCESS_);
    EXPECT_EQ(reg().setValue(key, "v", REG_SZ_, std::string("new\0", 4)), ERROR_ACCESS_DENIED_);
    EXPECT_EQ(reg().deleteValue(key, "v"), ERROR_ACCESS_DENIED_);
    std::uint32_t type = 0;
    std::string data;
    EXPECT_EQ(reg().queryValue(key, "v", type, data, 1024), ERROR_SUCCESS_);
    EXPECT_EQ(data, std::string("old\0", 4));
    reg().closeKey(key);
}

} // namespace
