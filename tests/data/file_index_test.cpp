// The key tables answer exactly as a reading of every line from the same
// place does, for every key a file's key lines can be found by and for
// keys near them, in the sample, in a generated large installation and in
// lines made to trip the matching rules.

#include "data/DataFiles.h"
#include "data/FileIndex.h"
#include "platform/MessageBoxes.h"
#include "LargeInstallation.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace tv::data {
namespace {

namespace fs = std::filesystem;

// Keys to look for in a file: texts from a "¤" to a blank or the end of a
// line, and texts one character longer or shorter than those, with a blank
// behind, without "¤", and empty; about `wanted` of them, taken evenly from
// the whole file.
std::set<std::string> KeysOf(const FileIndex& index, std::size_t wanted) {
    std::set<std::string> keys = {"", " ", "\xA4", "DN080", "\xA4 "};
    std::size_t keyLines = 0;
    for (std::size_t at = 0; at < index.end(); at = index.nextLine(at))
        keyLines += index.lineAt(at).starts_with('\xA4');
    const std::size_t step = std::max<std::size_t>(1, keyLines * 5 / wanted);
    std::size_t seen = 0;
    for (std::size_t at = 0; at < index.end(); at = index.nextLine(at)) {
        if (index.lineAt(at).starts_with('\xA4') && seen++ % step != 0)
            continue;
        const std::string line(index.lineAt(at));
        for (std::size_t from = line.find('\xA4'); from != std::string::npos;
             from = line.find('\xA4', from + 1)) {
            for (std::size_t to = from + 1; to <= line.size(); ++to) {
                if (to < line.size() && line[to] != ' ')
                    continue;
                const std::string key = line.substr(from, to - from);
                keys.insert(key);
                keys.insert(key + " ");
                keys.insert(key.substr(0, key.size() - 1));
                keys.insert(key + "X");
                keys.insert(key.substr(1));
            }
        }
    }
    return keys;
}

// Where the reader stands after looking for the key, and whether it found it.
struct Outcome {
    bool found;
    std::size_t next;
    bool operator==(const Outcome&) const = default;
};

void ExpectIndexAgreesWithScan(const DataFiles& files, std::string_view name,
                               std::size_t keys = 150) {
    SCOPED_TRACE(std::string(name) + " in " + files.language());
    const Operation operation; // the translations' file looked at once
    const auto opened = files.open(name);
    ASSERT_TRUE(opened);
    const FileIndex& index = opened->contents();
    std::vector<std::size_t> lines; // where each line begins
    for (std::size_t at = 0; at < index.end(); at = index.nextLine(at))
        lines.push_back(at);
    ASSERT_FALSE(lines.empty());
    const std::vector<std::size_t> starts = {0, lines[lines.size() / 2], index.end()};
    int compared = 0;
    for (const std::string& key : KeysOf(opened->contents(), keys)) {
        for (const KeyRule rule : {KeyRule::Section, KeyRule::Article}) {
            const std::string asked = rule == KeyRule::Article && !key.ends_with(' ') ? key + " " : key;
            for (const std::size_t start : starts) {
                TextFile indexed = *opened;
                TextFile scanned = *opened;
                indexed.seek(start);
                scanned.seek(start);
                const Outcome byIndex{FindKeyLine(rule, asked, indexed), indexed.lineNumber()};
                const Outcome byScan{ScanForKeyLine(rule, asked, scanned), scanned.lineNumber()};
                ASSERT_EQ(byIndex, byScan) << "key \"" << asked << "\" from line " << start
                                           << (rule == KeyRule::Article ? " (article)" : "");
                ASSERT_EQ(indexed.position(), scanned.position());
                ++compared;
            }
        }
        // The whole-line match of the code letters.
        std::optional<std::size_t> scanned;
        for (const std::size_t at : lines)
            if (!scanned && index.lineAt(at) == key && key.starts_with('\xA4'))
                scanned = at;
        ASSERT_EQ(index.findWholeLine(key, 0), scanned) << key;
    }
    EXPECT_GT(compared, 100);
}

TEST(FileIndexTest, AgreesWithAScanOnTheSample) {
    platform::RecordingMessageBoxes messages;
    const fs::path data = fs::path(TV_SAMPLE_DIR) / "Tessaro";
    for (const char* language : {"NO", "EN"}) {
        DataFiles files(data, language, messages);
        for (const char* name : {"Tessaro.dat", "Vantordata.dat", "Lang_NO.txt", "Lang_EN.txt"})
            ExpectIndexAgreesWithScan(files, name);
    }
}

TEST(FileIndexTest, AgreesWithAScanOnALargeInstallation) {
    const test::LargeInstallation install(600, TV_SAMPLE_DIR);
    platform::RecordingMessageBoxes messages;
    DataFiles files(install.dataDirectory(), "EN", messages);
    ExpectIndexAgreesWithScan(files, "Vantordata.dat", 60);
}

// Lines made to trip each rule: the first occurrence decides a section key;
// text keys read as their translation; junk with hundreds of "¤" and
// blanks; a key repeated many times, each found in turn.
TEST(FileIndexTest, AgreesWithAScanOnLinesThatTripTheRules) {
    test::TempDir dir;
    std::string junk;
    for (int i = 0; i < 300; ++i)
        junk += "\xA4K \xA4";
    std::vector<std::string_view> lines = {
        "head",
        "\xA4" "ABCD \xA4" "ABC",      // "¤ABC" first stands in "¤ABCD": no section ¤ABC here
        "\xA4" "ABC* x",               // nor here
        "\xA4X\xA4Y Z",                // "¤Y" only for the article rule's blank
        "\xA4\xA4\xA4HIDDEN",          // a text key whose Norwegian text is a key line
        "\xA4\xA4Mangler",
        "\xA4" "A B C",                // keys with blanks in them
        " \xA4" "BLANK",               // not a content line
        "*\xA4STAR",
        junk,
        "\xA4" "ABC",
    };
    for (int i = 0; i < 1000; ++i)
        lines.push_back("\xA4REPEATED tail");
    std::string bytes;
    for (const auto line : lines)
        bytes += std::string(line) + "\r\n";
    test::WriteBytes(dir / "Tessaro.dat", bytes);
    test::WriteBytes(dir / "Lang_EN.txt", "\xA4\xA4\xA4HIDDEN\r\n\xA4TRANSLATED key\r\n");

    platform::RecordingMessageBoxes messages;
    for (const char* language : {"NO", "EN"}) {
        DataFiles files(dir.path(), language, messages);
        ExpectIndexAgreesWithScan(files, "Tessaro.dat");
        // Each of the repeated keys is found after the one before.
        auto file = files.openParameterFile();
        int found = 0;
        while (FindSection("\xA4REPEATED", *file))
            ++found;
        EXPECT_EQ(found, 1000);
    }
}

// 300,000 text key lines before the section: each is read as its
// translation once per language file version, not once per lookup.
TEST(FileIndexTest, ManyTextKeyLinesAreTranslatedOnce) {
    test::TempDir dir;
    std::string bytes = "head\r\n";
    for (int i = 0; i < 300000; ++i)
        bytes += "\xA4\xA4Tekst " + std::to_string(i % 1000) + "\r\n";
    bytes += "\xA4" "LAST\r\nfound\r\n";
    test::WriteBytes(dir / "Tessaro.dat", bytes);
    test::WriteBytes(dir / "Lang_EN.txt", "\xA4\xA4Tekst 7\r\n\xA4" "LAST early\r\n");
    platform::RecordingMessageBoxes messages;
    DataFiles files(dir.path(), "EN", messages);
    for (int round = 0; round < 50; ++round) {
        auto file = files.openParameterFile();
        ASSERT_TRUE(FindSection("\xA4LAST", *file));
        // "¤¤Tekst 7" reads as "¤LAST early" in English: the first of them.
        EXPECT_EQ(file->lineNumber(), 9u);
    }
}

} // namespace
} // namespace tv::data
