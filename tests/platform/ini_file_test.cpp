#include "platform/IniFile.h"

#include "platform/TempDir.h"

#include <gtest/gtest.h>

#include <string>

using namespace std::string_literals;
using namespace tv::platform;
using tv::platform::testing::CountEntries;
using tv::platform::testing::ReadBytes;
using tv::platform::testing::TempDir;
using tv::platform::testing::WriteBytes;

namespace {

// A hand-edited personal.ini with the irregularities users leave behind.
const std::string kSample = "; written by hand\r\n"
                            "[Personal]\r\n"
                            "Customer=Ola Nordmann\r\n"
                            "  Company  =  Brivo AS  \r\n"
                            "Quoted=\"  padded \"\r\n"
                            "Single='x'\r\n"
                            "Mixed=\"x'\r\n"
                            "Empty=\r\n"
                            "Address=Storgata 1 \xF8\xE5\r\n"
                            "Dup=first\r\n"
                            "Dup=second\r\n"
                            "\r\n"
                            "[Other]\r\n"
                            "Customer=other\r\n"
                            "[personal]\r\n"
                            "Late=never\r\n"
                            "[Unix]\n"
                            "Key=lf only\n";

} // namespace

TEST(IniFile, ReadsValuesByTheWindowsRules) {
    TempDir dir;
    const auto file = dir / "personal.ini";
    WriteBytes(file, kSample);
    struct Row {
        const char* section;
        const char* key;
        std::string expected;
        const char* why;
    };
    const Row rows[] = {
        {"Personal", "Customer", "Ola Nordmann", "plain value"},
        {"PERSONAL", "customer", "Ola Nordmann", "names match without regard to case"},
        {"Personal", "Company", "Brivo AS", "blanks around key and value dropped"},
        {"Personal", "Quoted", "  padded ", "one pair of quotes stripped, blanks inside kept"},
        {"Personal", "Single", "x", "single quotes stripped too"},
        {"Personal", "Mixed", "\"x'", "quotes that do not match stay"},
        {"Personal", "Empty", "", "an empty value is a value, not the default"},
        {"Personal", "Address", "Storgata 1 \xF8\xE5", "Windows-1252 bytes untouched"},
        {"Personal", "Dup", "first", "first key of a name wins"},
        {"Personal", "Late", "DEF", "a second section of the same name is never read"},
        {"Other", "Customer", "other", "same key in another section kept apart"},
        {"Unix", "Key", "lf only", "LF-only lines read"},
        {"Personal", "Missing", "DEF", "missing key gives the default"},
        {"Missing", "Customer", "DEF", "missing section gives the default"},
        {"Personal", "; written by hand", "DEF", "comment lines are no keys"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(GetPrivateProfileString(row.section, row.key, "DEF", file), row.expected)
            << row.why;
}

TEST(IniFile, MissingFileReadsAsDefault) {
    TempDir dir;
    EXPECT_EQ(GetPrivateProfileString("Personal", "Customer", "", dir / "none.ini"), "");
    EXPECT_EQ(GetPrivateProfileString("Personal", "Customer", "x", dir / "none.ini"), "x");
    EXPECT_EQ(GetPrivateProfileSection("Personal", dir / "none.ini"), "");
}

TEST(IniFile, ValuesAreCutToTheBuffer) {
    TempDir dir;
    const auto file = dir / "personal.ini";
    const std::string value300 =
        std::string(100, 'a') + std::string(100, 'b') + std::string(100, 'c');
    WriteBytes(file, "[Personal]\r\nCustomer=" + value300 + "\r\n");
    EXPECT_EQ(GetPrivateProfileString("Personal", "Customer", "", file), value300.substr(0, 254));
    EXPECT_EQ(GetPrivateProfileString("Personal", "Customer", "", file, 10), "aaaaaaaaa");
    EXPECT_EQ(GetPrivateProfileString("Personal", "Missing", "default", file, 4), "def");
    EXPECT_EQ(GetPrivateProfileString("Personal", "Customer", "", file, 0), "");
}

TEST(IniFile, FirstWriteCreatesFileAndSection) {
    TempDir dir;
    const auto file = dir / "personal.ini";
    ASSERT_TRUE(WritePrivateProfileString("Personal", "Customer", "Ola", file));
    EXPECT_EQ(ReadBytes(file), "[Personal]\r\nCustomer=Ola\r\n");
    ASSERT_TRUE(WritePrivateProfileString("Personal", "Company", "Brivo \xC5S", file));
    EXPECT_EQ(ReadBytes(file), "[Personal]\r\nCustomer=Ola\r\nCompany=Brivo \xC5S\r\n");
    EXPECT_EQ(CountEntries(dir.path()), 1) << "no temporary file left behind";
}

TEST(IniFile, WritesChangeOnlyTheirLine) {
    struct Row {
        const char* section;
        const char* key;
        std::string before; // lines of kSample replaced or followed
        std::string after;
        const char* why;
    };
    const Row rows[] = {
        {"personal", "COMPANY", "  Company  =  Brivo AS  \r\n", "COMPANY=New AS\r\n",
         "existing key replaced in place, by any case"},
        {"Personal", "Dup", "Dup=first\r\n", "Dup=New AS\r\n", "only the first of two equal keys"},
        {"Personal", "Phone", "Dup=second\r\n", "Dup=second\r\nPhone=New AS\r\n",
         "new key after the section's last line, above the blank line"},
        {"Unix", "Key", "Key=lf only\n", "Key=New AS\n", "a LF line keeps its line end"},
    };
    for (const Row& row : rows) {
        TempDir dir;
        const auto file = dir / "personal.ini";
        WriteBytes(file, kSample);
        ASSERT_TRUE(WritePrivateProfileString(row.section, row.key, "New AS", file)) << row.why;
        std::string expected = kSample;
        expected.replace(expected.find(row.before), row.before.size(), row.after);
        EXPECT_EQ(ReadBytes(file), expected) << row.why;
    }
}

TEST(IniFile, NewSectionGoesAtTheEndOfTheFile) {
    TempDir dir;
    const auto file = dir / "personal.ini";
    WriteBytes(file, "[Other]\r\nA=1"); // last line without line end
    ASSERT_TRUE(WritePrivateProfileString("Personal", "Customer", "Ola", file));
    EXPECT_EQ(ReadBytes(file), "[Other]\r\nA=1\r\n[Personal]\r\nCustomer=Ola\r\n");
}

TEST(IniFile, FailedWriteLeavesEverythingAsItWas) {
    // Permission bits do not stop root, so most failures are made by a
    // path that cannot hold a file at all.
    enum class Block { ParentIsFile, TargetIsDirectory, MissingDirectory, ReadOnlyFile };
    struct Row {
        Block block;
        const char* reason; // the end of what the caller is told
        const char* why;
    };
    const Row rows[] = {
        {Block::ParentIsFile, ": Not a directory", "the directory is a regular file"},
        {Block::TargetIsDirectory, "blocker: it is a directory",
         "a directory stands where the file should be"},
        {Block::MissingDirectory, ": No such file or directory", "the directory does not exist"},
        {Block::ReadOnlyFile, "personal.ini is read-only", "the file is marked read-only"},
    };
    for (const Row& row : rows) {
        TempDir dir;
        const auto blocker = dir / "blocker";
        std::filesystem::path file = dir / "personal.ini";
        WriteBytes(file, kSample);
        switch (row.block) {
        case Block::ParentIsFile:
            WriteBytes(blocker, "x");
            file = blocker / "personal.ini";
            break;
        case Block::TargetIsDirectory:
            file = blocker;
            std::filesystem::create_directory(file);
            break;
        case Block::MissingDirectory:
            file = dir / "gone" / "personal.ini";
            break;
        case Block::ReadOnlyFile:
            std::filesystem::permissions(file, std::filesystem::perms::owner_read);
            break;
        }
        const int entries = CountEntries(dir.path());
        for (const WriteResult& written :
             {WritePrivateProfileString("Personal", "Customer", "Kari", file),
              WritePrivateProfileSection("Personal", "Customer=Kari\0"s, file)}) {
            EXPECT_FALSE(written) << row.why;
            EXPECT_TRUE(written.reason.ends_with(row.reason)) << row.why << ": " << written.reason;
        }
        EXPECT_EQ(ReadBytes(dir / "personal.ini"), kSample) << row.why;
        EXPECT_EQ(CountEntries(dir.path()), entries) << row.why << ": no temporary file left";
        std::filesystem::permissions(dir / "personal.ini", std::filesystem::perms::owner_all);
    }
}

TEST(IniFile, SectionReadsItsLinesNulSeparated) {
    TempDir dir;
    const auto file = dir / "personal.ini";
    WriteBytes(file, kSample);
    EXPECT_EQ(GetPrivateProfileSection("other", file), "Customer=other\0"s);
    // Leading blanks go, comments and blank lines are skipped, the rest stays.
    WriteBytes(file, "[S]\r\n  a = 1 \r\n; note\r\n\r\nb=2\r\n[T]\r\nc=3\r\n");
    EXPECT_EQ(GetPrivateProfileSection("S", file), "a = 1 \0b=2\0"s);
}

TEST(IniFile, SectionIsCutToEndInANulWithinTheBuffer) {
    TempDir dir;
    const auto file = dir / "personal.ini";
    WriteBytes(file, "[S]\r\nab=1\r\ncd=2\r\n");
    struct Row {
        std::size_t buffer;
        std::string expected;
    };
    const Row rows[] = {
        {11, "ab=1\0cd=2\0"s}, // exactly fits with the buffer's final NUL
        {10, "ab=1\0cd=\0"s},  // one short: the last line is cut
        {6, "ab=1\0"s},        {5, "ab=\0"s}, {1, ""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(GetPrivateProfileSection("S", file, row.buffer), row.expected)
            << "buffer " << row.buffer;
}

TEST(IniFile, SectionWriteReplacesTheSectionAndReadsBack) {
    TempDir dir;
    const auto file = dir / "personal.ini";
    WriteBytes(file,
               "; top\r\n[Personal]\r\nOld=1\r\n; old note\r\nGone=2\r\n\r\n[Other]\r\nA=1\r\n");
    ASSERT_TRUE(WritePrivateProfileSection("Personal", "Customer=Ola\0Company=Brivo\0"s, file));
    EXPECT_EQ(ReadBytes(file),
              "; top\r\n[Personal]\r\nCustomer=Ola\r\nCompany=Brivo\r\n\r\n[Other]\r\nA=1\r\n");
    EXPECT_EQ(GetPrivateProfileSection("Personal", file), "Customer=Ola\0Company=Brivo\0"s);
    EXPECT_EQ(GetPrivateProfileString("Personal", "Old", "", file), "");

    // Without a final NUL, and into a file that does not exist yet.
    const auto fresh = dir / "fresh.ini";
    ASSERT_TRUE(WritePrivateProfileSection("Personal", "a=1\0b=2"s, fresh));
    EXPECT_EQ(ReadBytes(fresh), "[Personal]\r\na=1\r\nb=2\r\n");
}
