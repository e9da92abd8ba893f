#include <gtest/gtest.h>

#include <algorithm>

#include "contract/world.h"

using namespace platform;

namespace {

// Wine reports the archive bit on every file; it is not what these cases test.
std::uint32_t withoutArchive(std::uint32_t a) { return a & ~FILE_ATTRIBUTE_ARCHIVE_; }

class FilesContract : public testing::Test {
protected:
    void SetUp() override {
        world = makeWorld();
        dir = world->scratchDir();
    }
    FileSystem& fs() { return world->platform().files; }
    std::string read(const std::string& path) {
        std::string bytes;
        std::uint32_t code = 0;
        return fs().readFile(path, bytes, code) ? bytes : "<unreadable " + std::to_string(code) + ">";
    }
    std::unique_ptr<World> world;
    std::string dir;
    std::uint32_t error = 0;
};

TEST_F(FilesContract, AttributesRoundTrip) {
    const std::string file = dir + "\\boot.ini";
    ASSERT_TRUE(world->putFile(file, "x", FILE_ATTRIBUTE_ARCHIVE_));
    for (std::uint32_t a : {FILE_ATTRIBUTE_HIDDEN_ | FILE_ATTRIBUTE_SYSTEM_ | FILE_ATTRIBUTE_READONLY_,
                            FILE_ATTRIBUTE_READONLY_, FILE_ATTRIBUTE_HIDDEN_}) {
        ASSERT_TRUE(fs().setAttributes(file, a, error));
        EXPECT_EQ(withoutArchive(fs().getAttributes(file)), a);
    }
    ASSERT_TRUE(fs().setAttributes(file, FILE_ATTRIBUTE_NORMAL_, error));
    EXPECT_EQ(fs().getAttributes(file) & (FILE_ATTRIBUTE_READONLY_ | FILE_ATTRIBUTE_HIDDEN_ |
                                          FILE_ATTRIBUTE_SYSTEM_),
              0u);
    EXPECT_NE(fs().getAttributes(dir) & FILE_ATTRIBUTE_DIRECTORY_, 0u);
    EXPECT_EQ(fs().getAttributes(dir + "\\none.txt"), INVALID_FILE_ATTRIBUTES_);
    EXPECT_FALSE(fs().setAttributes(dir + "\\none.txt", 0, error));
    EXPECT_EQ(error, 2u);
}

TEST_F(FilesContract, PathsIgnoreCase) {
    ASSERT_TRUE(world->putFile(dir + "\\Boot.INI", "abc", FILE_ATTRIBUTE_ARCHIVE_));
    EXPECT_EQ(read(dir + "\\BOOT.ini"), "abc");
}

TEST_F(FilesContract, WriteNewFileKeepsBytesAndRefusesExisting) {
    const std::string file = dir + "\\new.txt";
    const std::string bytes = "line 1\r\nline 2\r\n\r\n\xe9\x00tail";
    ASSERT_TRUE(fs().writeNewFile(file, bytes, error));
    EXPECT_EQ(read(file), bytes);
    EXPECT_FALSE(fs().writeNewFile(file, "other", error));
    EXPECT_EQ(error, 80u);
    EXPECT_EQ(read(file), bytes);
    EXPECT_FALSE(fs().writeNewFile(dir + "\\no such folder\\x.txt", "x", error));
    EXPECT_EQ(error, 3u);
}

TEST_F(FilesContract, MoveReplaceReplacesTheTarget) {
    ASSERT_TRUE(world->putFile(dir + "\\new.tmp", "NEW", FILE_ATTRIBUTE_ARCHIVE_));
    ASSERT_TRUE(world->putFile(dir + "\\boot.ini", "OLD", FILE_ATTRIBUTE_HIDDEN_));
    ASSERT_TRUE(fs().moveReplace(dir + "\\new.tmp", dir + "\\boot.ini", error));
    EXPECT_EQ(read(dir + "\\boot.ini"), "NEW");
    // The moved file keeps its own attributes, not the replaced one's.
    EXPECT_EQ(withoutArchive(fs().getAttributes(dir + "\\boot.ini")) & FILE_ATTRIBUTE_HIDDEN_, 0u);
    EXPECT_EQ(fs().getAttributes(dir + "\\new.tmp"), INVALID_FILE_ATTRIBUTES_);
    EXPECT_FALSE(fs().moveReplace(dir + "\\new.tmp", dir + "\\boot.ini", error));
    EXPECT_EQ(error, 2u);
}

TEST_F(FilesContract, MoveOntoReadOnlyTargetIsAllOrNothing) {
    ASSERT_TRUE(world->putFile(dir + "\\new.tmp", "NEW", FILE_ATTRIBUTE_ARCHIVE_));
    ASSERT_TRUE(world->putFile(dir + "\\boot.ini", "OLD", FILE_ATTRIBUTE_READONLY_));
    // Windows NT refuses with 5; Wine lets it through. Either way no half state.
    if (fs().moveReplace(dir + "\\new.tmp", dir + "\\boot.ini", error)) {
        EXPECT_EQ(read(dir + "\\boot.ini"), "NEW");
        EXPECT_EQ(fs().getAttributes(dir + "\\new.tmp"), INVALID_FILE_ATTRIBUTES_);
    } else {
        EXPECT_EQ(error, 5u);
        EXPECT_EQ(read(dir + "\\boot.ini"), "OLD");
        EXPECT_EQ(read(dir + "\\new.tmp"), "NEW");
    }
}

TEST_F(FilesContract, DeleteFile) {
    ASSERT_TRUE(world->putFile(dir + "\\a.txt", "a", FILE_ATTRIBUTE_ARCHIVE_));
    ASSERT_TRUE(world->putFile(dir + "\\ro.txt", "r", FILE_ATTRIBUTE_READONLY_));
    EXPECT_TRUE(fs().deleteFile(dir + "\\a.txt", error));
    EXPECT_EQ(fs().getAttributes(dir + "\\a.txt"), INVALID_FILE_ATTRIBUTES_);
    EXPECT_FALSE(fs().deleteFile(dir + "\\a.txt", error));
    EXPECT_EQ(error, 2u);
    EXPECT_FALSE(fs().deleteFile(dir + "\\ro.txt", error));
    EXPECT_EQ(error, 5u);
    EXPECT_EQ(read(dir + "\\ro.txt"), "r");
}

TEST_F(FilesContract, DriveRootsAreLowerCaseRoots) {
    const auto roots = fs().driveRoots();
    ASSERT_FALSE(roots.empty());
    EXPECT_NE(std::find(roots.begin(), roots.end(), "c:\\"), roots.end());
    for (const auto& r : roots) EXPECT_TRUE(r.size() == 3 && r[0] >= 'a' && r[0] <= 'z' && r.substr(1) == ":\\") << r;
}

} // namespace
