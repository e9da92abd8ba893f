#include <gtest/gtest.h>

#include "contract/world.h"

namespace {

const char* const kFixture =
    "[Sec]\r\n"
    "A=  hello  \r\n"
    "B=\"quoted\"\r\n"
    "C='single'\r\n"
    "D=\"mis\r\n"
    "E=mis\"\r\n"
    "F=\"a\" b\"\r\n"
    "G=\r\n"
    "  H  =  sp  \r\n"
    "J=' x '\r\n"
    "L=\"a'\r\n"
    "[ Spaced ]\r\n"
    "P=1\r\n";

struct ReadCase {
    const char* section;
    const char* key;
    std::size_t bufferSize;
    const char* expected;
};

class ProfileRead : public testing::TestWithParam<ReadCase> {};

TEST_P(ProfileRead, GivesTheValueByTheProfileRules) {
    auto world = makeWorld();
    const std::string file = world->scratchDir() + "\\rules.ini";
    ASSERT_TRUE(world->putFile(file, kFixture, platform::FILE_ATTRIBUTE_ARCHIVE_));
    const ReadCase& c = GetParam();
    EXPECT_EQ(world->platform().profiles.getString(c.section, c.key, "DEF", c.bufferSize, file),
              c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileRead,
    testing::Values(ReadCase{"Sec", "A", 256, "hello"},         // blanks trimmed
                    ReadCase{"sec", "a", 256, "hello"},         // names without case
                    ReadCase{" SEC ", " a ", 256, "hello"},     // and without blanks
                    ReadCase{"Sec", "B", 256, "quoted"},        // double quotes removed
                    ReadCase{"Sec", "C", 256, "single"},        // single quotes too
                    ReadCase{"Sec", "D", 256, "\"mis"},         // an unmatched quote stays
                    ReadCase{"Sec", "E", 256, "mis\""},
                    ReadCase{"Sec", "F", 256, "a\" b"},         // only the outer pair goes
                    ReadCase{"Sec", "L", 256, "\"a'"},          // mismatched pair stays
                    ReadCase{"Sec", "J", 256, " x "},           // blanks inside quotes stay
                    ReadCase{"Sec", "G", 256, ""},              // empty value, not the default
                    ReadCase{"Sec", "H", 256, "sp"},            // padded key
                    ReadCase{"Spaced", "P", 256, "1"},          // padded section header
                    ReadCase{"Sec", "A", 3, "he"},              // cut to bufferSize - 1
                    ReadCase{"Sec", "B", 4, "quo"},             // cut after unquoting
                    ReadCase{"Sec", "Z", 256, "DEF"},           // missing key
                    ReadCase{"Nope", "A", 256, "DEF"},          // missing section
                    ReadCase{"Spaced", "A", 256, "DEF"}));      // key of another section

TEST(ProfileFile, MissingFileGivesTheDefault) {
    auto world = makeWorld();
    EXPECT_EQ(world->platform().profiles.getString("s", "k", "DEF", 256,
                                                   world->scratchDir() + "\\none.ini"),
              "DEF");
}

TEST(ProfileFile, WritesCreateReplaceAndAppendInPlace) {
    auto world = makeWorld();
    auto& profiles = world->platform().profiles;
    const std::string file = world->scratchDir() + "\\written.ini";
    EXPECT_TRUE(profiles.writeString("One", "k1", "v1", file)); // creates the file
    EXPECT_TRUE(profiles.writeString("Two", "k2", "v2", file)); // new section at the end
    EXPECT_TRUE(profiles.writeString("one", "K3", "v3", file)); // end of its own section
    EXPECT_TRUE(profiles.writeString("ONE", "K1", "new", file)); // replaces, keeps the name
    std::string bytes;
    std::uint32_t error = 0;
    ASSERT_TRUE(world->platform().files.readFile(file, bytes, error));
    EXPECT_EQ(bytes, "[One]\r\nk1=new\r\nK3=v3\r\n[Two]\r\nk2=v2\r\n");
}

TEST(ProfileFile, WrittenValuesReadBackTrimmed) {
    auto world = makeWorld();
    auto& profiles = world->platform().profiles;
    const std::string file = world->scratchDir() + "\\values.ini";
    profiles.writeString("S", "padded", "  both  ", file);
    profiles.writeString("S", "quoted", "\"q\"", file);
    profiles.writeString("S", "empty", "", file);
    EXPECT_EQ(profiles.getString("S", "padded", "DEF", 256, file), "both");
    EXPECT_EQ(profiles.getString("S", "quoted", "DEF", 256, file), "q");
    EXPECT_EQ(profiles.getString("S", "empty", "DEF", 256, file), "");
}

TEST(ProfileFile, WriteIntoMissingFolderFails) {
    auto world = makeWorld();
    EXPECT_FALSE(world->platform().profiles.writeString(
        "S", "k", "v", world->scratchDir() + "\\no such folder\\x.ini"));
}

} // namespace
