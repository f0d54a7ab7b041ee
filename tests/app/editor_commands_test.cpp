#include "app/EditorCommands.h"
#include "app/Startup.h"
#include "data/DataFiles.h"
#include "platform/FileBytes.h"
#include "platform/FileSystem.h"
#include "SampleCommandTest.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace tv::app {
namespace {

using test::Cp;

// A connection record of the sample, article number "KT080-FA", field 4
// "672", price "830,-", fields 10 to 12 "UNUSED".
constexpr const char* kFlange = "¤0080_FLENS_DN080_TK";

// The text split at every `end`; a last piece without one counts too.
std::vector<std::string> Lines(const std::string& text, std::string_view end) {
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t at = text.find(end); at != std::string::npos; at = text.find(end, from)) {
        lines.push_back(text.substr(from, at - from));
        from = at + end.size();
    }
    if (from < text.size())
        lines.push_back(text.substr(from));
    return lines;
}

class EditorCommandTest : public SampleCommandTest {
protected:
    int list(const std::vector<std::string>& args) {
        clearOutput();
        return RunListCommand(args, platform_, out_, err_);
    }
    int edit(const std::vector<std::string>& args) {
        clearOutput();
        return RunEditCommand(args, platform_, *disk_, out_, err_);
    }
    int create(const std::vector<std::string>& args) {
        clearOutput();
        return RunNewCommand(args, platform_, *disk_, out_, err_);
    }

    // The command its first argument names.
    int run(const std::vector<std::string>& args) {
        if (args[0] == "list")
            return list(args);
        return args[0] == "new" ? create(args) : edit(args);
    }

    void clearOutput() {
        out_.str("");
        err_.str("");
        messages_.shown.clear();
    }

    std::filesystem::path dataDirectory() const { return install_ / "Tessaro"; }

    // A file of the data directory, its name matched without regard to case
    // as the program matches it; the save may leave it in either spelling.
    std::filesystem::path dataFile(std::string_view name) const {
        const std::string wanted = platform::UpperCase(name);
        const auto found = data::FirstFile(dataDirectory(), [&](std::string_view candidate) {
            return platform::UpperCase(candidate) == wanted;
        });
        return found ? *found : dataDirectory() / name;
    }
    std::string articleBytes() const { return test::ReadBytes(dataFile("Vantordata.dat")); }

    // The lines of the record with the key in the article file: the key line
    // and what follows it up to its "EOL".
    std::vector<std::string> record(std::string_view key) const {
        const std::vector<std::string> lines = Lines(articleBytes(), "\r\n");
        std::vector<std::string> found;
        for (const std::string& line : lines) {
            if (found.empty() && !line.starts_with(Cp(key) + " "))
                continue;
            found.push_back(line);
            if (line == "EOL")
                break;
        }
        return found;
    }

    int savesOfStartup() const { return settings_.saveCount(kApp, kSection, "BrivoDir"); }

    platform::PosixFileSystem posix_;
    platform::FileSystem* disk_ = &posix_;
};

TEST_F(EditorCommandTest, ListPrintsThePathTheKeysAndTheirCount) {
    struct Row {
        const char* kind;
        std::size_t records; // in the sample
        const char* why;
    };
    const Row rows[] = {
        {"_VHK", 128, "valve houses"},
        {"_CPD", 20, "centre parts"},
        {"_BRV", 30, "accessories, some with a text key as description"},
        {"_TK", 75, "connections"},
        {"_AKT", 6, "a hidden button's kind"},
        {"_SPK", 0, "a kind the sample has no record of"},
        {"_CLD", 0, "likewise"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.kind) + ": " + row.why);
        ASSERT_EQ(list({"list", row.kind}), 0) << err_.str();
        const std::vector<std::string> lines = Lines(out_.str(), "\n");
        ASSERT_EQ(lines.size(), row.records + 2) << out_.str();
        const auto listingFile = dataDirectory() / (std::string("S") + row.kind + ".txt");
        EXPECT_EQ(lines.front(), data::PathText(listingFile));
        EXPECT_EQ(lines.back(), "Fant " + std::to_string(row.records) + " records");
        for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
            EXPECT_TRUE(lines[i].starts_with("¤")) << lines[i];
            EXPECT_NE(lines[i].find(row.kind), std::string::npos) << lines[i];
        }
        // The title line and one line a record (the sample has no "999" ones).
        EXPECT_EQ(Lines(test::ReadBytes(listingFile), "\r\n").size(), row.records + 1);
    }
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(EditorCommandTest, ListingFileThatCannotBeWrittenStillPrintsTheKeys) {
    std::filesystem::create_directory(dataDirectory() / "S_TK.txt");
    EXPECT_EQ(list({"list", "_TK"}), 1);
    const std::vector<std::string> lines = Lines(out_.str(), "\n");
    ASSERT_EQ(lines.size(), 76u) << "no path, 75 keys and the count";
    EXPECT_EQ(lines.front(), "¤0080_FLENS_DN080_TK");
    EXPECT_EQ(lines.back(), "Fant 75 records");
    EXPECT_FALSE(messages_.shown.empty()) << "the failed write is said";
}

TEST_F(EditorCommandTest, EditReplacesTheFieldLineInPlaceAndKeepsTheOldFileAsBackup) {
    const std::string before = articleBytes();
    ASSERT_EQ(edit({"edit", kFlange, "9=950,-"}), 0) << err_.str();
    EXPECT_EQ(out_.str(), data::PathText(dataFile("Vantordata.dat")) + "\n");
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_EQ(test::ReadBytes(dataFile("VantorData.bak")), before);

    // The old file with a new second line, the change note before the key
    // line and the price replaced: nothing else moved.
    const std::string after = articleBytes();
    const std::vector<std::string> lines = Lines(after, "\r\n");
    const auto keyLine = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
        return line.starts_with(Cp(kFlange) + " ");
    });
    ASSERT_NE(keyLine, lines.end());
    const std::string& note = *(keyLine - 1);
    EXPECT_TRUE(note.starts_with("* Updated with Brivo ADM ")) << note;
    EXPECT_TRUE(note.ends_with("  (tester)")) << note;
    std::string expected = before;
    const auto secondLine = expected.find("\r\n") + 2;
    expected.replace(secondLine, expected.find("\r\n", secondLine) - secondLine, lines[1]);
    const auto key = expected.find(Cp(kFlange) + " ");
    expected.insert(key, note + "\r\n");
    const auto price = expected.find("\r\n830,-\r\n", key);
    expected.replace(price, 9, "\r\n950,-\r\n");
    EXPECT_EQ(after, expected);
}

TEST_F(EditorCommandTest, EditTakesTheKeyWithOrWithoutItsSectionSign) {
    struct Row {
        const char* key;
        const char* description; // UTF-8 as typed, Windows-1252 in the file
    };
    const Row rows[] = {
        {"0080_FLENS_DN080_TK", "Flens DN 80 – for ventil DN 80, størrelse lik"},
        {"¤0080_FLENS_DN080_TK", "Flens DN 80 €"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.key);
        ASSERT_EQ(edit({"edit", row.key, std::string("2=") + row.description, "3="}), 0)
            << err_.str();
        const std::vector<std::string> lines = record(kFlange);
        ASSERT_EQ(lines.size(), 15u) << "key, title, fields 1 to 12, EOL";
        EXPECT_EQ(lines[3], Cp(row.description));
        EXPECT_EQ(lines[4], "UNUSED") << "an empty text";
        EXPECT_EQ(lines[10], "830,-") << "field 9 stays";
    }
}

TEST_F(EditorCommandTest, KeyNotInTheFileChangesNothing) {
    const std::string before = articleBytes();
    EXPECT_EQ(edit({"edit", "0080_FLENS_DN999_TK", "9=1"}), 1);
    EXPECT_EQ(out_.str(), "");
    EXPECT_EQ(messages_.shown, std::vector<std::string>{Cp("¤0080_FLENS_DN999_TK  NOT FOUND")});
    EXPECT_TRUE(articleBytes() == before) << "the article file changed";
    EXPECT_FALSE(std::filesystem::exists(dataFile("VantorData.bak")));
}

TEST_F(EditorCommandTest, BadFieldArgumentsWriteNothing) {
    struct Row {
        std::vector<std::string> fieldTexts;
        const char* said; // part of the message
        const char* why;
    };
    const Row rows[] = {
        {{"4=100"}, "field 4 ", "a dimensioning offset"},
        {{"5=100"}, "field 5 ", "the other offset"},
        {{"0=x"}, "field 0 ", "below the fields"},
        {{"13=x"}, "field 13 ", "above the fields"},
        {{"x=1"}, "'x=1' names no field", "no number"},
        {{"9x=1"}, "'9x=1' names no field", "a number with a tail"},
        {{"=1"}, "'=1' is not FIELD=TEXT", "no field"},
        {{"7"}, "'7' is not FIELD=TEXT", "no text"},
        {{"9=1", "9=2"}, "field 9 is given twice", "which one would win is a guess"},
        {{"1=KT080", "9=EOL"}, "field 9 cannot hold 'EOL'", "would end the record"},
        {{"2= Flens"}, "field 2 cannot hold", "a line beginning with a blank is skipped"},
        {{"7=¤KEY"}, "field 7 cannot hold", "would read as a key line"},
        {{"2=a\nb"}, "field 2 cannot hold", "two lines"},
    };
    const std::string before = articleBytes();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        std::vector<std::string> args = {"edit", kFlange};
        args.insert(args.end(), row.fieldTexts.begin(), row.fieldTexts.end());
        EXPECT_EQ(edit(args), 2);
        EXPECT_EQ(out_.str(), "");
        EXPECT_NE(err_.str().find(row.said), std::string::npos) << err_.str();
        args[0] = "new";
        args[1] = "¤1234_TK";
        EXPECT_EQ(create(args), 2) << "new refuses it too";
    }
    EXPECT_TRUE(articleBytes() == before) << "the article file changed";
    EXPECT_EQ(savesOfStartup(), 0) << "refused before start-up";
}

TEST_F(EditorCommandTest, ArgumentsTheDataFilesCannotHoldAreRefused) {
    struct Row {
        std::vector<std::string> args;
        const char* said;
    };
    const Row rows[] = {
        {{"edit", kFlange, "2=Flens 中"}, "argument 2 '2=Flens ?'"},
        {{"edit", "0080\xFF", "9=1"}, "argument 1 '0080?'"},
        {{"new", "1234_TK", "9=\xC3"}, "argument 2 '9=?'"},
        {{"list", "_TK\xE2\x82"}, "argument 1"},
    };
    const std::string before = articleBytes();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.said);
        EXPECT_EQ(run(row.args), 2);
        EXPECT_EQ(out_.str(), "");
        EXPECT_NE(err_.str().find(row.said), std::string::npos) << err_.str();
    }
    EXPECT_TRUE(articleBytes() == before) << "the article file changed";
    EXPECT_EQ(savesOfStartup(), 0);
}

TEST_F(EditorCommandTest, NewRecordIsWrittenBeforeTheEndAndListed) {
    ASSERT_EQ(create({"new", "1234_TK", "1=KT-NY", "2=Ny tilkobling, ø", "9=100,-"}), 0)
        << err_.str();
    EXPECT_EQ(out_.str(), data::PathText(dataFile("Vantordata.dat")) + "\n");
    const std::string after = articleBytes();
    const std::string written = Cp("¤1234_TK * All keys are assumed to end with a SPACE\r\n"
                                   "1234_TK\r\nKT-NY\r\nNy tilkobling, ø\r\nUNUSED\r\n888\r\n"
                                   "999\r\n0.0 m\r\nUNUSED\r\n0.0 kg\r\n100,-\r\nUNUSED\r\n"
                                   "UNUSED\r\nUNUSED\r\nEOL\r\nEOF\r\n");
    EXPECT_TRUE(after.ends_with(written)) << after.substr(after.size() - 300);
    const auto note = after.rfind("\r\n* New with Brivo ADM ", after.size() - written.size());
    ASSERT_NE(note, std::string::npos);
    EXPECT_EQ(after.find("\r\n", note + 2) + 2, after.size() - written.size())
        << "the change note leads the record";

    ASSERT_EQ(list({"list", "_TK"}), 0);
    const std::vector<std::string> lines = Lines(out_.str(), "\n");
    EXPECT_EQ(lines[lines.size() - 2], "¤1234_TK");
    EXPECT_EQ(lines.back(), "Fant 76 records");
}

TEST_F(EditorCommandTest, NewRefusesKeysTheKeyBoxShowsInRedAndKeysThatExist) {
    const std::vector<std::string> refused = {"¤1_TK", "1_TK", "123_TK1", "1234_VHK", "12 34_TK"};
    const std::string before = articleBytes();
    for (const std::string& key : refused) {
        SCOPED_TRACE(key);
        EXPECT_EQ(create({"new", key}), 2);
        EXPECT_NE(err_.str().find("cannot be a new key"), std::string::npos) << err_.str();
    }
    EXPECT_EQ(savesOfStartup(), 0);

    EXPECT_EQ(create({"new", kFlange, "9=1"}), 2) << "the key exists";
    EXPECT_FALSE(messages_.shown.empty()) << "the save says why";
    EXPECT_EQ(out_.str(), "");
    EXPECT_TRUE(articleBytes() == before) << "the article file changed";
}

TEST_F(EditorCommandTest, SaveThatTheDiskRefusesIsSaidAndChangesNothing) {
    const std::vector<std::vector<std::string>> cases = {{"edit", kFlange, "9=1"},
                                                         {"new", "1234_TK"}};
    const std::string before = articleBytes();
    for (const auto& args : cases) {
        SCOPED_TRACE(args[0]);
        platform::FaultyFileSystem faulty;
        faulty.faultAt = 1;
        disk_ = &faulty;
        EXPECT_EQ(run(args), 1);
        EXPECT_EQ(out_.str(), "");
        ASSERT_FALSE(messages_.shown.empty());
        EXPECT_NE(messages_.shown.back().find("No space left on device"), std::string::npos)
            << messages_.shown.back();
        EXPECT_TRUE(articleBytes() == before) << "the article file changed";
        EXPECT_FALSE(std::filesystem::exists(dataFile("VantorData.bak")));
    }
    disk_ = &posix_;
}

TEST_F(EditorCommandTest, WrongUsageTouchesNothing) {
    const std::vector<std::pair<std::vector<std::string>, const char*>> cases = {
        {{"list"}, kListUsage},       {{"list", "_XX"}, kListUsage},
        {{"list", "TK"}, kListUsage}, {{"list", "_TK", "_VHK"}, kListUsage},
        {{"edit"}, kEditUsage},       {{"edit", ""}, kEditUsage},
        {{"new"}, kNewUsage},         {{"new", "", "1=KT"}, kNewUsage},
    };
    for (const auto& [args, usage] : cases) {
        SCOPED_TRACE(::testing::PrintToString(args));
        EXPECT_EQ(run(args), 2);
        EXPECT_EQ(out_.str(), "");
        EXPECT_NE(err_.str().find(usage), std::string::npos) << err_.str();
    }
    EXPECT_EQ(savesOfStartup(), 0) << "start-up never ran";
    EXPECT_EQ(list({"list", "_tk"}), 0) << "the kind in any letter case";
}

} // namespace
} // namespace tv::app
