#include "admin/ArticleEditor.h"
#include "app/Startup.h"
#include "platform/FakeSystem.h"
#include "result/ArticleFile.h"
#include "TestSupport.h"

#include "platform/FileLock.h"

#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace tv::admin {
namespace {

using test::Cp;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

std::string Lines(std::initializer_list<std::string_view> lines) {
    std::string bytes;
    for (auto line : lines)
        bytes += Cp(line) + "\r\n";
    return bytes;
}

// An article file with what a maker's file holds: comments and blank lines
// between fields, a text-key field, an "UNUSED ..." field 3, a short
// record, an "EOF" and a line after it.
// clang-format off
const std::string kArticles = Lines({
    "Vantordata.dat - artikkelfil", "01.11.2026 08:00:00", "* head comment",
    "¤0150_FLENS_DN150_TK * All keys are assumed to end with a SPACE", "* about this flange",
    "0150_FLENS_DN150_TK", "KT150-FC", "¤¤Flens DN 150", "UNUSED for now", "", "0", "-10",
    "  an indented note", "200 mm", "KEL_TK150_FC", "18.0 kg", "1 450,-", "UNUSED", "UNUSED",
    "UNUSED", "EOL", "¤0150_SHORT_TK ", "SHORT", "KT-S", "Kort", "EOL", "¤0150_NEXT_TK ", "NEXT",
    "KT-N", "Neste", "EOL", "EOF", "* kept after the end"});
// clang-format on

class ArticleEditorTest : public ::testing::Test {
protected:
    ArticleEditorTest() {
        WriteBytes(dir_ / "Vantordata.dat", kArticles);
        system_.clock = {2026, 12, 8, 9, 30, 15};
        system_.user = "kari";
    }

    data::DataFiles& files() {
        files_ = std::make_unique<data::DataFiles>(dir_.path(), "NO", messages_);
        return *files_;
    }

    SaveResult save(const SaveRequest& request) {
        return SaveRecord(files(), request, system_, messages_, disk_).result;
    }

    SaveRequest edit(std::string_view key) {
        const auto fields = ReadRecordFields(files(), Cp(key));
        EXPECT_TRUE(fields) << key;
        return SaveRequest{false, Cp(key), fields.value_or(RecordFields{})};
    }

    std::string article() const { return ReadBytes(dir_ / "Vantordata.dat"); }
    std::string backup() const { return ReadBytes(dir_ / "VantorData.bak"); }

    TempDir dir_;
    platform::RecordingMessageBoxes messages_;
    platform::FakeSystem system_;
    platform::PosixFileSystem disk_;
    std::unique_ptr<data::DataFiles> files_;
};

TEST_F(ArticleEditorTest, BoxesHoldTheFieldLinesAsTheyStand) {
    const auto fields = ReadRecordFields(files(), Cp("¤0150_FLENS_DN150_TK"));
    ASSERT_TRUE(fields);
    EXPECT_EQ((*fields)[1], "KT150-FC");
    EXPECT_EQ((*fields)[2], Cp("¤¤Flens DN 150")) << "a text key, not its translation";
    EXPECT_EQ((*fields)[3], "UNUSED for now") << "not emptied";
    EXPECT_EQ((*fields)[4], "0") << "the empty line is no field";
    EXPECT_EQ((*fields)[6], "200 mm") << "nor the indented one";
    EXPECT_EQ((*fields)[12], "UNUSED");
    const auto shortRecord = ReadRecordFields(files(), Cp("¤0150_SHORT_TK"));
    ASSERT_TRUE(shortRecord);
    EXPECT_EQ((*shortRecord)[2], "Kort");
    EXPECT_EQ((*shortRecord)[3], "") << "the record ends at its EOL";
    EXPECT_FALSE(ReadRecordFields(files(), Cp("¤0150_FLENS")))
        << "a key is only found followed by a blank";
}

TEST_F(ArticleEditorTest, SavingAnEditedRecordChangesItsFieldsAndNothingElse) {
    SaveRequest request = edit("¤0150_FLENS_DN150_TK");
    request.fields[9] = "1 500,-";
    request.fields[7] = "";
    request.fields[4] = "999"; // never written: the offsets stay as they are
    ASSERT_EQ(save(request), SaveResult::Saved);
    // clang-format off
    EXPECT_EQ(article(), Lines({
        "Vantordata.dat - artikkelfil", "08.12.2026 09:30:15", "* head comment",
        "* Updated with Brivo ADM 08.12.2026 09:30:15  (kari)",
        "¤0150_FLENS_DN150_TK * All keys are assumed to end with a SPACE", "* about this flange",
        "0150_FLENS_DN150_TK", "KT150-FC", "¤¤Flens DN 150", "UNUSED for now", "", "0", "-10",
        "  an indented note", "200 mm", "UNUSED", "18.0 kg", "1 500,-", "UNUSED", "UNUSED",
        "UNUSED", "EOL", "¤0150_SHORT_TK ", "SHORT", "KT-S", "Kort", "EOL", "¤0150_NEXT_TK ",
        "NEXT", "KT-N", "Neste", "EOL", "EOF", "* kept after the end"}));
    // clang-format on
    EXPECT_EQ(backup(), kArticles);
    EXPECT_FALSE(std::filesystem::exists(dir_ / "VantorData.new"));
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(ArticleEditorTest, AShortRecordGetsItsMissingFieldsBeforeItsEnd) {
    SaveRequest request = edit("¤0150_SHORT_TK");
    request.fields[6] = "100 mm";
    ASSERT_EQ(save(request), SaveResult::Saved);
    const std::string expected = Lines({"* Updated with Brivo ADM 08.12.2026 09:30:15  (kari)",
                                        "¤0150_SHORT_TK ",
                                        "SHORT",
                                        "KT-S",
                                        "Kort",
                                        "UNUSED",
                                        "UNUSED",
                                        "UNUSED",
                                        "100 mm",
                                        "UNUSED",
                                        "UNUSED",
                                        "UNUSED",
                                        "UNUSED",
                                        "UNUSED",
                                        "UNUSED",
                                        "EOL",
                                        "¤0150_NEXT_TK ",
                                        "NEXT",
                                        "KT-N",
                                        "Neste",
                                        "EOL"});
    EXPECT_NE(article().find(expected), std::string::npos) << article();
    EXPECT_EQ(ReadRecordFields(files(), Cp("¤0150_NEXT_TK")).value()[2], "Neste");
}

// A text key that reads as "EOL" ends the record for the lookup, so the
// editor ends it there too: the boxes hold what the customers see, and the
// fields a save adds stand before that line, where the lookup reads them.
TEST_F(ArticleEditorTest, ATextKeyReadAsEolEndsTheRecordAsTheLookupEndsIt) {
    WriteBytes(dir_ / "Vantordata.dat", Lines({"head", "time", "¤0150_X_TK ", "X", "KT-X",
                                               "Flens X", "¤¤EOL", "not a field", "EOL", "EOF"}));
    SaveRequest request = edit("¤0150_X_TK");
    EXPECT_EQ(request.fields[2], "Flens X");
    EXPECT_EQ(request.fields[3], "") << "the record ends before its third field";
    request.fields[6] = "100 mm";
    ASSERT_EQ(save(request), SaveResult::Saved);
    result::ArticleRecord looked;
    EXPECT_EQ(result::LookupArticle(files(), Cp("¤0150_X_TK"), looked,
                                    result::Placeholder::kAsTranslated),
              kEditorFields);
    EXPECT_EQ(looked.fields[6], "100 mm");
    EXPECT_NE(article().find(Cp("UNUSED\r\n¤¤EOL\r\nnot a field\r\nEOL\r\n")), std::string::npos)
        << article();
}

TEST_F(ArticleEditorTest, ANewRecordStandsBeforeEofWithItsDefaults) {
    SaveRequest request{true, Cp("¤0150_NYTT_TK"), NewRecordFields()};
    request.fields[1] = "KT-NY";
    ASSERT_EQ(save(request), SaveResult::Saved);
    const std::string expected = Lines({"Neste",
                                        "EOL",
                                        "* New with Brivo ADM 08.12.2026 09:30:15  (kari)",
                                        "¤0150_NYTT_TK * All keys are assumed to end with a SPACE",
                                        "0150_NYTT_TK",
                                        "KT-NY",
                                        "UNUSED",
                                        "UNUSED",
                                        "888",
                                        "999",
                                        "0.0 m",
                                        "UNUSED",
                                        "0.0 kg",
                                        "UNUSED",
                                        "UNUSED",
                                        "UNUSED",
                                        "UNUSED",
                                        "EOL",
                                        "EOF",
                                        "* kept after the end"});
    EXPECT_TRUE(article().ends_with(expected)) << article();

    // A second record of the same key would never be found.
    EXPECT_EQ(save(request), SaveResult::Refused);
    EXPECT_EQ(messages_.shown.back(), Cp("A record with the key ¤0150_NYTT_TK exists already."));
}

TEST_F(ArticleEditorTest, AFileWithoutEofGetsOne) {
    WriteBytes(dir_ / "Vantordata.dat", Lines({"head", "time", "¤A_TK ", "A", "1", "EOL"}));
    ASSERT_EQ(save(SaveRequest{true, Cp("¤0001_TK"), NewRecordFields()}), SaveResult::Saved);
    EXPECT_TRUE(article().ends_with(Cp("UNUSED\r\nEOL\r\nEOF\r\n")));
    EXPECT_NE(article().find(Cp("¤A_TK \r\nA\r\n1\r\nEOL\r\n")), std::string::npos);
}

TEST_F(ArticleEditorTest, TheHeadLinesAreNeverARecord) {
    WriteBytes(dir_ / "Vantordata.dat", Lines({"head", "¤0150_X_TK ", "X", "1", "EOL", "EOF"}));
    EXPECT_FALSE(ReadRecordFields(files(), Cp("¤0150_X_TK")));
    EXPECT_EQ(save(SaveRequest{false, Cp("¤0150_X_TK"), {}}), SaveResult::NotFound)
        << "the second line is the save time, never a key line";
    EXPECT_EQ(article(), Lines({"head", "¤0150_X_TK ", "X", "1", "EOL", "EOF"}));
}

TEST_F(ArticleEditorTest, RefusedSavesWriteNothing) {
    struct Case {
        SaveRequest request;
        SaveResult result;
        const char* message;
    };
    SaveRequest badField = edit("¤0150_NEXT_TK");
    badField.fields[9] = "*1";
    SaveRequest lineBreak = edit("¤0150_NEXT_TK");
    lineBreak.fields[2] = "two\r\nlines";
    const Case cases[] = {
        {SaveRequest{false, Cp("¤0150_GONE_TK"), {}}, SaveResult::NotFound,
         "¤0150_GONE_TK  NOT FOUND"},
        {SaveRequest{true, Cp("¤1_TK"), NewRecordFields()}, SaveResult::Refused,
         "The key ¤1_TK is not a valid key for a new _TK record."},
        {badField, SaveResult::Refused,
         "Field 9 cannot be saved (\"*1\"): it begins with \"*\", which makes the line a "
         "comment."},
        // What was refused is shown, its control characters as escapes.
        {lineBreak, SaveResult::Refused,
         "Field 2 cannot be saved (\"two\\x0d\\x0alines\"): it holds a line break."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        EXPECT_EQ(save(c.request), c.result);
        EXPECT_EQ(messages_.shown.back(), Cp(c.message));
        EXPECT_EQ(article(), kArticles);
        EXPECT_FALSE(std::filesystem::exists(dir_ / "VantorData.bak"));
        EXPECT_FALSE(std::filesystem::exists(dir_ / "VantorData.new"));
    }
}

TEST_F(ArticleEditorTest, OneGenerationOfBackupAndNoSecondFileOfAnotherCase) {
    std::filesystem::rename(dir_ / "Vantordata.dat", dir_ / "VANTORDATA.DAT");
    WriteBytes(dir_ / "vantordata.BAK", "older\r\n");
    SaveRequest request = edit("¤0150_NEXT_TK");
    request.fields[1] = "KT-1";
    ASSERT_EQ(save(request), SaveResult::Saved);
    const std::string first = ReadBytes(dir_ / "VANTORDATA.DAT");
    request.fields[1] = "KT-2";
    ASSERT_EQ(save(request), SaveResult::Saved);
    EXPECT_EQ(ReadBytes(dir_ / "vantordata.BAK"), first) << "the previous file, byte for byte";
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir_.path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names,
              (std::vector<std::string>{"VANTORDATA.DAT", "VantorData.lock", "vantordata.BAK"}));
}

// How the save treats the article file as its owner set it up, and the
// records and savers it must not overrule. `prepare` sets the scene after
// the request was made from the file as the test fixture wrote it.
TEST_F(ArticleEditorTest, TheFileAsItsOwnerSetItUpAndTheSaversBesideIt) {
    namespace fs = std::filesystem;
    const bool root = ::geteuid() == 0;
    // Root may give the file to anyone; others keep what they may.
    const uid_t owner = root ? 4243 : ::geteuid();
    const gid_t group = root ? 4242 : ::getegid();
    const fs::path master = dir_ / "master" / "shared.dat";
    std::optional<platform::LockAttempt> otherSaver;
    auto rewrite = [&](std::string_view from, std::string_view to) {
        std::string bytes = article();
        bytes.replace(bytes.find(Cp(from)), Cp(from).size(), Cp(to));
        WriteBytes(dir_ / "Vantordata.dat", bytes);
    };
    auto modeOf = [](const fs::path& file) {
        struct stat status {};
        ::stat(file.c_str(), &status);
        return status;
    };
    struct Row {
        const char* scene;
        std::function<void(SaveRequest&)> prepare;
        SaveResult result;
        const char* said; // part of the one message; "" when none
        std::function<void()> verify;
    };
    const Row rows[] = {
        {"mode, owner and group are kept",
         [&](SaveRequest&) {
             fs::permissions(dir_ / "Vantordata.dat", fs::perms(0640));
             ASSERT_EQ(::chown((dir_ / "Vantordata.dat").c_str(), owner, group), 0);
         },
         SaveResult::Saved, "",
         [&] {
             const auto status = modeOf(dir_ / "Vantordata.dat");
             EXPECT_EQ(status.st_mode & 07777, 0640u);
             EXPECT_EQ(status.st_uid, owner);
             EXPECT_EQ(status.st_gid, group);
         }},
        {"a read-only file is refused",
         [&](SaveRequest&) { fs::permissions(dir_ / "Vantordata.dat", fs::perms(0444)); },
         SaveResult::Failed, "Vantordata.dat is read-only",
         [&] {
             EXPECT_EQ(article(), kArticles);
         }},
        {"a link to a shared file stays a link, and the shared file gets the edit",
         [&](SaveRequest&) {
             fs::create_directories(master.parent_path());
             fs::rename(dir_ / "Vantordata.dat", master);
             fs::create_symlink("master/shared.dat", dir_ / "Vantordata.dat");
         },
         SaveResult::Saved, "",
         [&] {
             EXPECT_TRUE(fs::is_symlink(dir_ / "Vantordata.dat"));
             EXPECT_NE(ReadBytes(master).find("KT-9"), std::string::npos);
             EXPECT_EQ(ReadBytes(master.parent_path() / "VantorData.bak"), kArticles);
             EXPECT_FALSE(fs::exists(dir_ / "VantorData.bak"));
         }},
        {"a link that points nowhere",
         [&](SaveRequest&) {
             fs::remove(dir_ / "Vantordata.dat");
             fs::create_symlink("gone.dat", dir_ / "Vantordata.dat");
         },
         SaveResult::Failed, "The article file cannot be read",
         [&] {
             EXPECT_FALSE(fs::exists(dir_ / "gone.dat"));
         }},
        {"a second hard link would keep the old records",
         [&](SaveRequest&) { fs::create_hard_link(dir_ / "Vantordata.dat", dir_ / "copy.dat"); },
         SaveResult::Failed, "has 1 more name(s) (hard links)",
         [&] {
             EXPECT_EQ(ReadBytes(dir_ / "copy.dat"), kArticles);
         }},
        {"a directory in the article file's place",
         [&](SaveRequest&) {
             fs::remove(dir_ / "Vantordata.dat");
             fs::create_directory(dir_ / "Vantordata.dat");
         },
         SaveResult::Failed, "Vantordata.dat is a directory",
         [] {
         }},
        {"a lock file that is a directory",
         [&](SaveRequest&) { fs::create_directory(dir_ / "VantorData.lock"); }, SaveResult::Failed,
         "its lock file cannot be used",
         [&] {
             EXPECT_EQ(article(), kArticles);
         }},
        {"another program is saving",
         [&](SaveRequest& request) {
             otherSaver = platform::TakeFileLock(dir_ / "VantorData.lock", dir_ / "Vantordata.dat",
                                                 std::chrono::milliseconds(0), "anna since 10:00");
             ASSERT_TRUE(otherSaver->lock.held());
             request.lockWait = std::chrono::milliseconds(50);
         },
         SaveResult::Failed, "being saved by another program (anna since 10:00, process ",
         [&] {
             EXPECT_EQ(article(), kArticles);
             otherSaver.reset();
         }},
        {"someone else saved the record after it was opened",
         [&](SaveRequest&) { rewrite("KT-N", "KT-other"); }, SaveResult::Changed,
         "was saved by someone else after it was opened",
         [&] {
             EXPECT_NE(article().find("KT-other"), std::string::npos);
         }},
        {"another key line names the key, and the lookup finds that one first",
         [&](SaveRequest&) { rewrite("¤0150_SHORT_TK ", "¤0150_SHORT_TK se ¤0150_NEXT_TK "); },
         SaveResult::Refused,
         "line 22: \xA4"
         "0150_SHORT_TK se \xA4"
         "0150_NEXT_TK \r\nand not "
         "this record's key line,\r\nline 27: \xA4"
         "0150_NEXT_TK ",
         [] {
         }},
        {"a new key another key line names would never be found",
         [&](SaveRequest& request) {
             rewrite("¤0150_SHORT_TK ", "¤0150_SHORT_TK se ¤0150_NY_TK ");
             request = SaveRequest{true, Cp("¤0150_NY_TK"), NewRecordFields()};
         },
         SaveResult::Refused, "so a new record of this key would never be found",
         [&] {
             EXPECT_EQ(article().find(Cp("* New with")), std::string::npos);
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.scene);
        fs::remove_all(dir_.path());
        WriteBytes(dir_ / "Vantordata.dat", kArticles);
        messages_.shown.clear();
        const auto opened = OpenRecord(files(), Cp("¤0150_NEXT_TK"));
        ASSERT_TRUE(opened);
        SaveRequest request{false, Cp("¤0150_NEXT_TK"), opened->fields, opened->text};
        request.fields[1] = "KT-9";
        row.prepare(request);
        EXPECT_EQ(save(request), row.result);
        if (*row.said == '\0') {
            EXPECT_TRUE(messages_.shown.empty()) << messages_.shown.front();
        } else {
            ASSERT_EQ(messages_.shown.size(), 1u);
            EXPECT_NE(messages_.shown[0].find(row.said), std::string::npos) << messages_.shown[0];
        }
        row.verify();
        EXPECT_EQ(test::FileNames(dir_.path(), "VantorData.n"), std::vector<std::string>{})
            << "no work file is left";
    }
}

TEST(ArticleEditorRules, KeysAndFieldValues) {
    struct KeyCase {
        const char* key;
        bool valid;
    };
    const KeyCase keys[] = {{"¤*234_TK", false} /* a title line read as a comment */,
                            {"¤1_TK", false},
                            {"¤1234_TK", true},
                            {"¤123_TK", true},
                            {"¤12_TK", false},
                            {"0150_X_TK", false},
                            {"¤0150_X_TK1", false},
                            {"¤0150 X_TK", false},
                            {"¤¤0150_TK", false},
                            {"¤0150_\t_TK", false},
                            {"¤0150_FLENS_Å_TK", true}};
    EXPECT_TRUE(IsValidNewKey(Cp("¤") + std::string(1000, 'x') + "_TK", "_TK"));
    EXPECT_FALSE(IsValidNewKey(Cp("¤") + std::string(4050, 'x') + "_TK", "_TK"))
        << "a key line longer than a data line would never be found again";
    for (const KeyCase& c : keys)
        EXPECT_EQ(IsValidNewKey(Cp(c.key), "_TK"), c.valid) << c.key;
    EXPECT_TRUE(IsValidNewKey("anything", "")) << "an existing record's key is not checked";

    struct ValueCase {
        std::string value;
        bool fine;
    };
    const ValueCase values[] = {{"", true},
                                {"1 450,-", true},
                                {Cp("¤¤Flens"), true},
                                {Cp("¤¤EOL"), false}, // read as "EOL" without a translation
                                {"UNUSED x", true},
                                {" lead", false},
                                {"*note", false},
                                {Cp("¤KEY"), false},
                                {"EOL", false},
                                {"EOLX", false},
                                {"EOF", false},
                                {"EOFX", true},
                                {"a\nb", false},
                                {"a\x01", false},
                                {"a\x81", false},
                                {std::string(4096, 'x'), true},
                                {std::string(4097, 'x'), false}};
    for (const ValueCase& c : values)
        EXPECT_EQ(FieldValueProblem(c.value).empty(), c.fine) << c.value.substr(0, 20);
}

TEST_F(ArticleEditorTest, ListingAKind) {
    WriteBytes(dir_ / "Vantordata.dat", Lines({"head",
                                               "time",
                                               "¤0150_A_TK ",
                                               "A",
                                               "KT-A",
                                               "Flens A",
                                               "x",
                                               "0",
                                               "0",
                                               "200 mm",
                                               "BLK-A",
                                               "8.5 kg",
                                               "720,-",
                                               "EOL",
                                               "¤0150_B_TK1 x",
                                               "B",
                                               "999-B",
                                               "Utgått",
                                               "EOL",
                                               "¤0150_C_TK2",
                                               "C",
                                               "EOL",
                                               "¤0150_D_TK2 ",
                                               "D",
                                               "KT-D",
                                               "EOL",
                                               "¤0150_E_TKX ",
                                               "E",
                                               "EOL",
                                               "¤0150_F_VHK ",
                                               "F",
                                               "EOL"}));
    const auto listing = ListRecords(files(), "_TK", messages_);
    ASSERT_TRUE(listing);
    EXPECT_EQ(listing->keys,
              (std::vector<std::string>{Cp("¤0150_A_TK"), Cp("¤0150_B_TK1"), Cp("¤0150_D_TK2")}))
        << "_TK1 and _TK2 count, a key at the end of its line does not";
    EXPECT_EQ(listing->status(), "Fant 3 records");
    EXPECT_EQ(listing->file, dir_ / "S_TK.txt");
    // Record B is a "999" article: listed, but not in the file.
    EXPECT_EQ(ReadBytes(listing->file),
              Lines({" KeyTag                                  Vantornr.      Lengde   Vekt     "
                     "Pris     Blokknavn                    Beskrivelse",
                     "¤0150_A_TK                               KT-A            200 mm   8.5 kg   "
                     "720,-    BLK-A                        Flens A",
                     "¤0150_D_TK2                              KT-D                              "
                     "                                      "}));
    EXPECT_EQ(ListRecords(files(), "_CLD", messages_)->status(), "Fant 0 records");
}

} // namespace
} // namespace tv::admin
