#include "tarvic/boot/bootdrv.h"
#include "tarvic/boot/bootini.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "boot/round_trip.h"

using tarvic::defaultEntry;
using tarvic::diskKey;
using tarvic::OsEntry;
using tarvic::readBootIni;
using tarvic::rewriteBootIni;

namespace {

const char* const kNt = "multi(0)disk(0)rdisk(0)partition(1)\\WINNT";
const char* const kW2k = "multi(0)disk(0)rdisk(0)partition(2)\\WINNT";

std::string crlf(const std::vector<std::string>& lines)
{
    std::string s;
    for (const auto& l : lines)
        s += l + "\r\n";
    return s;
}

std::vector<std::string> paths(const tarvic::BootIniRead& r)
{
    std::vector<std::string> out;
    for (const auto& e : r.entries)
        out.push_back(e.path);
    return out;
}

// Test names from the case descriptions.
template <class Case>
std::string caseName(const testing::TestParamInfo<Case>& info)
{
    std::string name;
    for (const char* p = info.param.what; *p != '\0'; ++p)
        if ((*p >= 'a' && *p <= 'z') || (*p >= 'A' && *p <= 'Z') || (*p >= '0' && *p <= '9'))
            name += *p;
        else if (!name.empty() && name.back() != '_')
            name += '_';
    return name;
}

std::string numbered(int n) { return "multi(0)disk(0)rdisk(0)partition(" + std::to_string(n) + ")\\W"; }

std::string manyEntries(int n)
{
    std::vector<std::string> lines{"[boot loader]", "timeout=30", "default=" + numbered(1),
                                   "[operating systems]"};
    for (int i = 1; i <= n; ++i)
        lines.push_back(numbered(i) + "=\"System " + std::to_string(i) + "\"");
    return crlf(lines);
}

struct ReadCase {
    const char* what;
    std::string text;
    std::string defaultPath;
    std::vector<std::string> paths;
    int defaultIndex;
};

class Read : public testing::TestWithParam<ReadCase> {};

TEST_P(Read, EntriesAndDefault)
{
    const ReadCase& c = GetParam();
    const auto r = readBootIni(c.text, c.defaultPath);
    EXPECT_EQ(paths(r), c.paths);
    EXPECT_EQ(r.defaultIndex, c.defaultIndex);
}

std::vector<ReadCase> readCases()
{
    const std::string a = std::string(kNt) + "=\"NT\"";
    const std::string b = std::string(kW2k) + "=\"2000\" /fastdetect";
    return {
        {"plain file", crlf({"[boot loader]", "timeout=30", std::string("default=") + kW2k,
                             "[operating systems]", a, b}),
         kW2k, {kNt, kW2k}, 1},
        {"a bracket in the second column ends the section",
         crlf({"[operating systems]", a, " [other]", b}), kNt, {kNt}, 0},
        {"a header ends the section", crlf({"[operating systems]", a, "[debug]", b}), kNt, {kNt}, 0},
        {"nothing before the header, header in any case",
         crlf({a, "[Operating Systems]", b}), kW2k, {kW2k}, 0},
        {"blank lines are skipped", crlf({"[operating systems]", "", a, "", b, ""}), kNt,
         {kNt, kW2k}, 0},
        {"two entries with the default path: first only",
         crlf({"[operating systems]", a, std::string(kNt) + "=\"NT safe\" /basevideo"}), kNt,
         {kNt, kNt}, 0},
        {"default differing in case selects none",
         crlf({"[operating systems]", a}), "multi(0)disk(0)rdisk(0)partition(1)\\winnt", {kNt}, -1},
        {"missing default", crlf({"[operating systems]", a}), "no ent", {kNt}, -1},
        {"a line without = is no entry", crlf({"[operating systems]", "garbage", a}), kNt, {kNt}, 0},
        {"a comment naming operating systems opens nothing",
         crlf({"[boot loader]", "; operating systems follow", "timeout=30", "[operating systems]", a}),
         kNt, {kNt}, 0},
        {"LF only, no final line end",
         "[operating systems]\n" + a + "\n" + b, kW2k, {kNt, kW2k}, 1},
        {"no section at all", crlf({"timeout=30", a}), kNt, {}, -1},
        {"empty text", "", kNt, {}, -1},
    };
}

INSTANTIATE_TEST_SUITE_P(BootIni, Read, testing::ValuesIn(readCases()), caseName<ReadCase>);

TEST(BootIniRead, SplitsPathAndNameAtTheFirstEquals)
{
    const auto r = readBootIni("[operating systems]\r\nc:\\=\"DOS=6\" /x\r\n", "c:\\");
    ASSERT_EQ(r.entries.size(), 1u);
    EXPECT_EQ(r.entries[0].line, "c:\\=\"DOS=6\" /x");
    EXPECT_EQ(r.entries[0].path, "c:\\");
    EXPECT_EQ(r.entries[0].name, "\"DOS=6\" /x");
    EXPECT_EQ(r.entries[0].diskKey, 0);
}

TEST(BootIniRead, LoneCarriageReturnIsData)
{
    const auto r = readBootIni("[operating systems]\r\na=b\rc\r\nd=e\r", "a");
    ASSERT_EQ(r.entries.size(), 2u);
    EXPECT_EQ(r.entries[0].name, "b\rc");
    EXPECT_EQ(r.entries[1].line, "d=e");
}

TEST(BootIniRead, KeepsEveryEntryBeyondEleven)
{
    const auto r = readBootIni(manyEntries(14), numbered(14));
    ASSERT_EQ(r.entries.size(), 14u);
    EXPECT_EQ(r.defaultIndex, 13);
}

TEST(BootIniRead, SurvivesHostileInput)
{
    std::string junk = "[operating systems]\r\n";
    for (std::size_t i = 0; junk.size() < (1u << 20); ++i)
        junk += static_cast<char>((i * 131u + i / 7u) & 0xFFu);
    const std::string longLine = "[operating systems]\r\n" + std::string(10000, 'r') + "=" +
                                 std::string(10000, '\xE9') + "\r\n";
    for (const std::string& text : {junk, longLine, std::string(1 << 20, '\n')})
        EXPECT_EQ(roundtrip::fault(text, 1), "");
    EXPECT_EQ(readBootIni(longLine, "no ent").entries.size(), 1u);
}

TEST(DiskKey, RdiskThenPartitionCharacter)
{
    const struct {
        const char* path;
        long key;
    } cases[] = {
        {"multi(0)disk(0)rdisk(0)partition(1)\\WINNT", 1},
        {"multi(0)disk(0)rdisk(1)partition(2)\\WINNT", 12},
        {"MULTI(0)DISK(0)RDISK(1)PARTITION(3)\\WINNT", 13},
        {"multi(0)disk(0)rdisk(0)partition(10)\\WINNT", 1},
        {"C:\\", 0},
        {"C:\\=", 0},
        {"abcde7ghi5", 75}, // neither word: characters 6 and 10
        {"abcde7ghi", 7},
        {"scsi(0)disk(0)rdisk(x)partition(4)\\NT", 0}, // no leading digit
        {"multi(0)rdisk(2)", 2},                       // partition absent: character 10 is a letter
        {"", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(diskKey(c.path), c.key) << c.path;
}

std::string fourEntries()
{
    return crlf({"[boot loader]", "timeout=30", "default=multi(0)disk(0)rdisk(0)partition(1)\\A",
                 "[operating systems]", "multi(0)disk(0)rdisk(0)partition(1)\\A=\"one\"",
                 "multi(0)disk(0)rdisk(0)partition(2)\\B=\"two\"",
                 "multi(0)disk(0)rdisk(0)partition(3)\\C=\"three\" /sos",
                 "multi(0)disk(0)rdisk(0)partition(4)\\D=\"four\""});
}

struct RewriteCase {
    const char* what;
    std::string old;
    int chosen;
    std::string timeout;
    std::string expected;
};

class Rewrite : public testing::TestWithParam<RewriteCase> {};

TEST_P(Rewrite, Produces)
{
    const RewriteCase& c = GetParam();
    const auto r = readBootIni(c.old, "no ent");
    const auto out = rewriteBootIni(c.old, r.entries, c.chosen, c.timeout);
    ASSERT_TRUE(out.has_value());
    EXPECT_EQ(*out, c.expected);
}

std::vector<RewriteCase> rewriteCases()
{
    return {
        {"third of four goes first", fourEntries(), 2, "5",
         crlf({"[boot loader]", "timeout=5", "default=multi(0)disk(0)rdisk(0)partition(3)\\C",
               "[operating systems]", "multi(0)disk(0)rdisk(0)partition(3)\\C=\"three\" /sos",
               "multi(0)disk(0)rdisk(0)partition(1)\\A=\"one\"",
               "multi(0)disk(0)rdisk(0)partition(2)\\B=\"two\"",
               "multi(0)disk(0)rdisk(0)partition(4)\\D=\"four\""})},
        {"other boot loader keys follow the new ones in order",
         crlf({"[Boot Loader]", "redirect=COM1", " TimeOut = 10", "", "; serial console",
               "Default=x", "redirectbaudrate=115200", "[operating systems]", "x=\"X\""}),
         0, "10",
         crlf({"[boot loader]", "timeout=10", "default=x", "redirect=COM1", "; serial console",
               "redirectbaudrate=115200", "[operating systems]", "x=\"X\""})},
        {"stray lines follow the entries, other sections come last, top stays on top",
         crlf({"written by setup", "[operating systems]", "a=\"A\"", "   ", "no equals here",
               "b=\"B\"", "[debug]", "", "port=com2", "[boot loader]", "timeout=3", "default=a"}),
         1, "3",
         crlf({"written by setup", "[boot loader]", "timeout=3", "default=b", "[operating systems]",
               "b=\"B\"", "a=\"A\"", "no equals here", "[debug]", "", "port=com2"})},
        {"LF only and no final line end", "[boot loader]\ntimeout=1\n[operating systems]\na=1\nb=2",
         1, "1", crlf({"[boot loader]", "timeout=1", "default=b", "[operating systems]", "b=2", "a=1"})},
        {"keys of an indented section inside boot loader are not its keys",
         crlf({"[boot loader]", "timeout=1", "  [serial]", "timeout=9", "[operating systems]", "a=1"}),
         0, "1",
         crlf({"[boot loader]", "timeout=1", "default=a", "  [serial]", "timeout=9",
               "[operating systems]", "a=1"})},
        {"empty timeout is written as given", crlf({"[operating systems]", "a=1"}), 0, "",
         crlf({"[boot loader]", "timeout=", "default=a", "[operating systems]", "a=1"})},
    };
}

INSTANTIATE_TEST_SUITE_P(BootIni, Rewrite, testing::ValuesIn(rewriteCases()),
                         caseName<RewriteCase>);

TEST(BootIniRewrite, FourteenEntriesNoneLost)
{
    const std::string old = manyEntries(14);
    const auto r = readBootIni(old, "no ent");
    const auto out = rewriteBootIni(old, r.entries, 12, "30");
    ASSERT_TRUE(out.has_value());
    const auto again = readBootIni(*out, numbered(13));
    ASSERT_EQ(again.entries.size(), 14u);
    EXPECT_EQ(again.defaultIndex, 0);
    EXPECT_EQ(again.entries[13].path, numbered(14));
}

TEST(BootIniRewrite, RefusesWhatCannotBeWritten)
{
    const std::string old = fourEntries();
    const auto r = readBootIni(old, "no ent");
    EXPECT_FALSE(rewriteBootIni(old, r.entries, -1, "30"));
    EXPECT_FALSE(rewriteBootIni(old, r.entries, 4, "30"));
    EXPECT_FALSE(rewriteBootIni(old, {}, 0, "30"));
    EXPECT_FALSE(rewriteBootIni(old, r.entries, 0, "30\n[operating systems]"));
}

// Rewriting with the file's own default and wait keeps everything that counts.
TEST(BootIniRewrite, RoundTripKeepsTheFile)
{
    std::vector<std::string> texts{fourEntries(), manyEntries(14)};
    for (const auto& c : readCases())
        texts.push_back(c.text);
    for (const auto& c : rewriteCases())
        texts.push_back(c.old);
    texts.push_back(crlf({"   [boot loader]", "timeout=2", "[operating systems]", "a=1"}));
    texts.push_back(crlf({"[boot loader", "default=b", "[operating systems", "a=1", "b=2"}));
    texts.push_back(crlf({"[x]", "k[y", "a=1", "[operating systems]", "a=1", "z[", "b=2"}));
    texts.push_back(crlf({"[operating systems]", "   [boot loader]", "timeout=9", "a=1"}));
    for (const auto& t : texts)
        for (std::size_t pick = 0; pick < 3; ++pick)
            EXPECT_EQ(roundtrip::fault(t, pick), "") << t;
}

} // namespace

TEST(DefaultEntry, MatchesThePathAsTextFirstOnly)
{
    const std::vector<OsEntry> entries = {{"a=1", "multi(0)\\W\xe9N", "1", 0},
                                          {"b=2", "multi(0)\\WIN", "2", 0},
                                          {"c=3", "multi(0)\\WIN", "3", 0}};
    // Bytes of the code page against the default as UTF-8 text.
    const auto latin1 = [](const std::string& bytes) {
        std::string out;
        for (const char c : bytes) {
            const auto ch = static_cast<unsigned char>(c);
            if (ch < 0x80) out += static_cast<char>(ch);
            else { out += static_cast<char>(0xC0 | (ch >> 6)); out += static_cast<char>(0x80 | (ch & 0x3F)); }
        }
        return out;
    };
    EXPECT_EQ(defaultEntry(entries, "multi(0)\\W\xc3\xa9N", latin1), 0);
    EXPECT_EQ(defaultEntry(entries, "multi(0)\\WIN", latin1), 1);
    EXPECT_EQ(defaultEntry(entries, "multi(0)\\win", latin1), -1);
}

TEST(BootDrive, DialogPreselectsCElseTheFirstDrive)
{
    const struct {
        std::vector<std::string> roots;
        int want;
    } cases[] = {
        {{"a:\\", "c:\\", "d:\\"}, 1},
        {{"a:\\", "C:\\"}, 1},
        {{"d:\\", "e:\\"}, 0},
        {{}, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(preselectedDrive(c.roots), c.want) << c.roots.size();
}
