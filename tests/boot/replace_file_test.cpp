#include "tarvic/boot/replace_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/sim_file_system.h"

using namespace platform;
using sim::SimFileSystem;
using tarvic::replaceFileAtomically;

namespace {

const std::string kPath = "c:\\boot.ini";
const std::string kOld = "[boot loader]\r\ntimeout=30\r\n";
const std::string kNew = "[boot loader]\r\ntimeout=5\r\n";
constexpr std::uint32_t kRhs = FILE_ATTRIBUTE_READONLY_ | FILE_ATTRIBUTE_HIDDEN_ | FILE_ATTRIBUTE_SYSTEM_;

const std::uint32_t kAttributeSets[] = {FILE_ATTRIBUTE_ARCHIVE_, FILE_ATTRIBUTE_NORMAL_, kRhs,
                                        kRhs | FILE_ATTRIBUTE_ARCHIVE_, FILE_ATTRIBUTE_HIDDEN_};

// Fails the n-th call that changes something, whichever it is.
class FailNthChange : public FileSystem {
public:
    FailNthChange(FileSystem& inner, int n) : inner_(inner), n_(n) {}
    std::uint32_t getAttributes(const std::string& p) override { return inner_.getAttributes(p); }
    bool setAttributes(const std::string& p, std::uint32_t a, std::uint32_t& e) override
    {
        return fail(e) ? false : inner_.setAttributes(p, a, e);
    }
    bool readFile(const std::string& p, std::string& b, std::uint32_t& e) override
    {
        return inner_.readFile(p, b, e);
    }
    bool writeNewFile(const std::string& p, const std::string& b, std::uint32_t& e) override
    {
        return fail(e) ? false : inner_.writeNewFile(p, b, e);
    }
    bool moveReplace(const std::string& s, const std::string& t, std::uint32_t& e) override
    {
        return fail(e) ? false : inner_.moveReplace(s, t, e);
    }
    bool deleteFile(const std::string& p, std::uint32_t& e) override
    {
        return fail(e) ? false : inner_.deleteFile(p, e);
    }
    std::vector<std::string> driveRoots() override { return inner_.driveRoots(); }
    bool failed() const { return count_ >= n_; }

private:
    bool fail(std::uint32_t& e)
    {
        if (++count_ != n_)
            return false;
        e = 1117; // ERROR_IO_DEVICE
        return true;
    }
    FileSystem& inner_;
    int n_;
    int count_ = 0;
};

void expectUntouched(SimFileSystem& fs, std::uint32_t attributes)
{
    EXPECT_EQ(fs.contents(kPath), kOld);
    EXPECT_EQ(fs.getAttributes(kPath), attributes);
    EXPECT_EQ(fs.listFiles(), std::vector<std::string>{kPath});
}

TEST(ReplaceFile, NewTextKeepsTheOldAttributes)
{
    for (std::uint32_t attributes : kAttributeSets) {
        SimFileSystem fs;
        fs.putFile(kPath, kOld, attributes);
        const auto r = replaceFileAtomically(fs, kPath, kNew);
        EXPECT_TRUE(r.ok) << r.step;
        EXPECT_EQ(fs.contents(kPath), kNew);
        EXPECT_EQ(fs.getAttributes(kPath), attributes);
        EXPECT_EQ(fs.listFiles(), std::vector<std::string>{kPath});
    }
}

TEST(ReplaceFile, NamedFailuresLeaveTheFileAsItWas)
{
    const struct {
        SimFileSystem::Op op;
        std::uint32_t error;
        const char* step;
    } cases[] = {
        {SimFileSystem::Op::Open, 5, "write"},
        {SimFileSystem::Op::Write, 112, "write"},
        {SimFileSystem::Op::Attributes, 5, "set attributes"},
        {SimFileSystem::Op::Rename, 32, "replace"},
    };
    for (const auto& c : cases) {
        SimFileSystem fs;
        fs.putFile(kPath, kOld, kRhs);
        fs.failOn(c.op, c.error);
        const auto r = replaceFileAtomically(fs, kPath, kNew);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.error, c.error);
        EXPECT_STREQ(r.step, c.step);
        expectUntouched(fs, kRhs);
    }
}

TEST(ReplaceFile, AnyFailingChangeLeavesTheFileAsItWas)
{
    for (std::uint32_t attributes : kAttributeSets) {
        for (int n = 1;; ++n) {
            SimFileSystem fs;
            fs.putFile(kPath, kOld, attributes);
            FailNthChange failing(fs, n);
            const auto r = replaceFileAtomically(failing, kPath, kNew);
            if (!failing.failed()) {
                EXPECT_TRUE(r.ok);
                break;
            }
            SCOPED_TRACE(testing::Message() << "attributes " << attributes << ", change " << n);
            EXPECT_FALSE(r.ok);
            EXPECT_EQ(r.error, 1117u);
            expectUntouched(fs, attributes);
        }
    }
}

TEST(ReplaceFile, TakesAFreeTemporaryName)
{
    SimFileSystem fs;
    fs.putFile(kPath, kOld);
    fs.putFile(kPath + ".tarvic-new", "someone else's");
    const auto r = replaceFileAtomically(fs, kPath, kNew);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(fs.contents(kPath), kNew);
    EXPECT_EQ(fs.contents(kPath + ".tarvic-new"), "someone else's");
    EXPECT_EQ(fs.listFiles().size(), 2u);
}

TEST(ReplaceFile, MissingTargetIsNotCreated)
{
    SimFileSystem fs;
    fs.addDrive('c');
    const auto r = replaceFileAtomically(fs, kPath, kNew);
    EXPECT_FALSE(r.ok);
    EXPECT_STREQ(r.step, "find");
    EXPECT_EQ(r.error, 2u);
    EXPECT_TRUE(fs.listFiles().empty());
}

} // namespace
