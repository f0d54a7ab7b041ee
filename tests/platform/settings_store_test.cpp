#include "platform/SettingsStore.h"

#include "platform/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

using namespace std::string_literals;
using namespace tv::platform;
using tv::platform::testing::ReadBytes;
using tv::platform::testing::TempDir;
using tv::platform::testing::WriteBytes;

TEST(FileSettingsStore, ValuesRoundTripThroughTheFile) {
    TempDir dir;
    const auto file = dir / "config" / "tv" / "settings.ini"; // directories made on first save
    const std::string values[] = {
        "NO",
        "a=b=c",
        "C:\\Program Files\\Tarnel\\",
        "line one\r\nline two\nline three\r",
        "\\n is not a line break",
        "trailing backslash\\",
        " blanks kept ",
        "\x80\xA4\xC5\xF8\xFF",
        "",
    };
    FileSettingsStore writer(file);
    for (std::size_t i = 0; i < std::size(values); ++i)
        ASSERT_TRUE(writer.save("Brivo", "Startup", "Key" + std::to_string(i), values[i])) << i;
    const std::string bytes = ReadBytes(file);
    EXPECT_EQ(bytes.rfind("[Brivo\\Startup]\r\nKey0=NO\r\nKey1=a=b=c\r\n", 0), 0u) << bytes;

    FileSettingsStore reader(file);
    for (std::size_t i = 0; i < std::size(values); ++i)
        EXPECT_EQ(reader.get("Brivo", "Startup", "Key" + std::to_string(i)), values[i]) << i;
}

TEST(FileSettingsStore, AddressesAreKeptApartAndMatchWithoutCase) {
    TempDir dir;
    FileSettingsStore store(dir / "settings.ini");
    ASSERT_TRUE(store.save("Brivo", "Startup", "Path", "brivo"));
    ASSERT_TRUE(store.save("Tarnel", "Startup", "Path", "tarnel"));
    ASSERT_TRUE(store.save("Brivo", "Other", "Path", "other"));
    EXPECT_EQ(store.get("Brivo", "Startup", "Path"), "brivo");
    EXPECT_EQ(store.get("Tarnel", "Startup", "Path"), "tarnel");
    EXPECT_EQ(store.get("Brivo", "Other", "Path"), "other");
    EXPECT_EQ(store.get("BRIVO", "startup", "pATH"), "brivo");
    EXPECT_EQ(store.get("Brivo", "Startup", "Missing"), "");

    // A save under another spelling replaces the value, not the name.
    ASSERT_TRUE(store.save("brivo", "STARTUP", "path", "again"));
    EXPECT_EQ(ReadBytes(store.path()),
              "[Brivo\\Startup]\r\nPath=again\r\n[Tarnel\\Startup]\r\nPath=tarnel\r\n"
              "[Brivo\\Other]\r\nPath=other\r\n");
}

TEST(FileSettingsStore, SaveKeepsEveryOtherLine) {
    TempDir dir;
    const auto file = dir / "settings.ini";
    const std::string before = "; my notes\n"
                               "[Tarnel\\Startup]\r\n"
                               "TarnelPath=D:\\\\Tarnel\\\\\r\n"
                               "\r\n"
                               "[Brivo\\Startup]\n"
                               "Language=DE\n"
                               "Odd line without equals\n"
                               "[Brivo\\Startup]\r\n"
                               "Later=1"; // no line end
    WriteBytes(file, before);
    FileSettingsStore store(file);
    EXPECT_EQ(store.get("Tarnel", "Startup", "TarnelPath"), "D:\\Tarnel\\");
    EXPECT_EQ(store.get("Brivo", "Startup", "Later"), "1")
        << "a section written twice is read in both parts";

    ASSERT_TRUE(store.save("Brivo", "Startup", "Language", "NO"));
    std::string expected = before;
    expected.replace(expected.find("Language=DE"), 11, "Language=NO");
    EXPECT_EQ(ReadBytes(file), expected);

    ASSERT_TRUE(store.save("Brivo", "Startup", "BrivoDone", "0"));
    expected.replace(expected.find("Odd line without equals\n") + 24, 0, "BrivoDone=0\r\n");
    EXPECT_EQ(ReadBytes(file), expected) << "new key at the end of the first section of its name";
}

TEST(FileSettingsStore, GarbageInTheFileDoesNotStopTheGoodLines) {
    TempDir dir;
    const auto file = dir / "settings.ini";
    std::string garbage =
        "\x00\xFF\xFE binary\r\n"s + "[\r\n" + "]\r\n" + "[Brivo]\r\n" + "no equals here\r\n";
    garbage += "[Brivo\\Startup]\r\n" + std::string(100 * 1024, 'x') + "\r\n";
    garbage +=
        "=value without key\r\n" + "Language=FI\r\n"s + std::string(100 * 1024, '=') + "\n\n\r\r\n";
    WriteBytes(file, garbage);
    FileSettingsStore store(file);
    EXPECT_EQ(store.get("Brivo", "Startup", "Language"), "FI");
    EXPECT_EQ(store.get("Brivo", "Startup", ""), "value without key");
    ASSERT_TRUE(store.save("Brivo", "Startup", "BrivoMode", "2"));
    EXPECT_EQ(store.get("Brivo", "Startup", "BrivoMode"), "2");
    EXPECT_EQ(store.get("Brivo", "Startup", "Language"), "FI");
    EXPECT_EQ(ReadBytes(file).substr(0, garbage.size()), garbage) << "the garbage stays as it was";
}

TEST(FileSettingsStore, FailedSaveReturnsFalseAndChangesNothing) {
    TempDir dir;
    WriteBytes(dir / "blocker", "not a directory");
    FileSettingsStore blocked(dir / "blocker" / "tv" / "settings.ini");
    EXPECT_FALSE(blocked.save("Brivo", "Startup", "Language", "NO"));
    EXPECT_EQ(blocked.get("Brivo", "Startup", "Language"), "");
    EXPECT_EQ(ReadBytes(dir / "blocker"), "not a directory");

    const auto file = dir / "settings.ini";
    WriteBytes(file, "[Brivo\\Startup]\r\nLanguage=DE\r\n");
    std::filesystem::permissions(file, std::filesystem::perms::owner_read);
    FileSettingsStore readOnly(file);
    EXPECT_FALSE(readOnly.save("Brivo", "Startup", "Language", "NO"));
    EXPECT_EQ(readOnly.get("Brivo", "Startup", "Language"), "DE");
    std::filesystem::permissions(file, std::filesystem::perms::owner_all);
    EXPECT_TRUE(readOnly.saveFailed());
    EXPECT_EQ(readOnly.problem(), file.string() + " is read-only");
}

// Values saved together land together, new keys in the order given, and a
// failed save of them changes none.
TEST(FileSettingsStore, SaveAllStoresEveryValueOrNone) {
    TempDir dir;
    const auto file = dir / "settings.ini";
    WriteBytes(file, "[Brivo\\Startup]\r\nB=old\r\n[Other\\Startup]\r\nA=kept\r\n");
    FileSettingsStore store(file);
    EXPECT_TRUE(store.saveAll("Brivo", "Startup", {{"A", "1"}, {"B", "2"}, {"C", "3"}}));
    EXPECT_EQ(ReadBytes(file),
              "[Brivo\\Startup]\r\nB=2\r\nA=1\r\nC=3\r\n[Other\\Startup]\r\nA=kept\r\n");

    std::filesystem::permissions(file, std::filesystem::perms::owner_read);
    EXPECT_FALSE(store.saveAll("Brivo", "Startup", {{"A", "x"}, {"D", "y"}}));
    std::filesystem::permissions(file, std::filesystem::perms::owner_all);
    EXPECT_EQ(store.get("Brivo", "Startup", "A"), "1");
    EXPECT_EQ(store.get("Brivo", "Startup", "D"), "");
}

TEST(ReportingSettingsStore, ARunawayFileIsNeitherReadNorRewrittenAndSaidOnce) {
    TempDir dir;
    const std::string huge = "[Brivo\\Startup]\r\nLanguage=EN\r\n" +
                             std::string(FileSettingsStore::kMaxBytes, 'x') + "\r\n";
    WriteBytes(dir / "settings.ini", huge);
    FileSettingsStore file(dir / "settings.ini");
    RecordingMessageBoxes messages;
    ReportingSettingsStore store(file, messages);
    EXPECT_EQ(store.get("Brivo", "Startup", "Language"), "");
    EXPECT_EQ(store.get("Brivo", "Startup", "BrivoMode"), "");
    EXPECT_FALSE(store.save("Brivo", "Startup", "Language", "NO"));
    EXPECT_EQ(ReadBytes(dir / "settings.ini"), huge) << "nothing of it is lost";
    ASSERT_EQ(messages.shown.size(), 2u) << "once for reading, once for saving";
    EXPECT_NE(messages.shown[0].find("larger than 1 MiB"), std::string::npos) << messages.shown[0];
}

TEST(ReportingSettingsStore, AFailedSaveIsSaidOnceWithTheFileAndTheReason) {
    TempDir dir;
    std::filesystem::create_directories(dir / "settings.ini"); // a directory in its place
    FileSettingsStore file(dir / "settings.ini");
    RecordingMessageBoxes messages;
    ReportingSettingsStore store(file, messages);
    EXPECT_FALSE(store.saveFailed());
    EXPECT_FALSE(store.save("Brivo", "Startup", "LastCode", "A"));
    EXPECT_FALSE(store.save("Brivo", "Startup", "BottomDefault", "B"));
    EXPECT_TRUE(store.saveFailed());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], "The settings could not be saved:\r\n" +
                                     (dir / "settings.ini").string() + ": it is a directory");
}

namespace {

// Sets or unsets an environment variable for one test and puts it back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~ScopedEnv() {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

} // namespace

TEST(FileSettingsStore, DefaultPathFollowsXdgConfigHome) {
    struct Row {
        const char* xdg;
        const char* expected;
        const char* why;
    };
    const Row rows[] = {
        {"/srv/conf", "/srv/conf/tessaro-vavuvirivado/settings.ini",
         "absolute XDG_CONFIG_HOME used"},
        {nullptr, "/home/ola/.config/tessaro-vavuvirivado/settings.ini", "unset: ~/.config"},
        {"", "/home/ola/.config/tessaro-vavuvirivado/settings.ini", "empty counts as unset"},
        {"relative/conf", "/home/ola/.config/tessaro-vavuvirivado/settings.ini",
         "relative path ignored"},
    };
    const ScopedEnv home("HOME", "/home/ola");
    for (const Row& row : rows) {
        const ScopedEnv xdg("XDG_CONFIG_HOME", row.xdg);
        EXPECT_EQ(FileSettingsStore::defaultPath(), std::filesystem::path(row.expected)) << row.why;
    }
}

TEST(MemorySettingsStore, CountsSavesAndCanRefuseThem) {
    MemorySettingsStore store;
    EXPECT_EQ(store.get("Brivo", "Startup", "Language"), "");
    EXPECT_TRUE(store.save("Brivo", "Startup", "Language", "DE"));
    EXPECT_TRUE(store.save("brivo", "startup", "language", "NO"));
    EXPECT_EQ(store.get("Brivo", "Startup", "Language"), "NO");
    EXPECT_EQ(store.saveCount("Brivo", "Startup", "Language"), 2);
    EXPECT_EQ(store.saveCount("Tarnel", "Startup", "Language"), 0);

    store.failSaves = true;
    EXPECT_FALSE(store.save("Brivo", "Startup", "Language", "FI"));
    EXPECT_EQ(store.get("Brivo", "Startup", "Language"), "NO");
    EXPECT_EQ(store.saveCount("Brivo", "Startup", "Language"), 3)
        << "a failed save is still a save call";
}
