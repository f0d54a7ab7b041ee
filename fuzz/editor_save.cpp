// The article editor's save: the input is an article file, then a NUL, a
// control byte and field values separated by NULs. The file is saved into a
// copy of the sample installation, through the real disk.
//
// The control byte: bits 0-3 name the first field the values fill (of the
// editable fields, in order; the next values fill the fields after it),
// bits 4-5 which of the file's keys is edited, bit 6 asks for a new record
// too, bit 7 takes the new record's key from the file instead of from the
// first value.

#include "FuzzSupport.h"
#include "admin/ArticleEditor.h"
#include "data/DataFiles.h"
#include "data/TextFile.h"
#include "platform/FakeSystem.h"
#include "platform/FileBytes.h"
#include "platform/FileSystem.h"
#include "result/ArticleFile.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace tv;
using admin::RecordFields;
using admin::SaveRequest;
using admin::SaveResult;
using platform::TextLine;

constexpr std::size_t kMaxInput = 64 * 1024;
constexpr std::size_t kMaxValues = 4;
constexpr std::size_t kMaxKeys = 4;
// The fields the editor's boxes show: 4 and 5 are never edited.
constexpr std::array<int, 10> kEditable = {1, 2, 3, 6, 7, 8, 9, 10, 11, 12};

// A key of the sample, for a file without key lines of its own.
const char* const kSampleKey = "\xA4"
                               "0080_ENKELVENTIL_CPD";

struct Input {
    std::string_view file;
    unsigned control = 0;
    std::vector<std::string> values;
};

Input Split(std::string_view bytes) {
    Input input;
    const std::size_t nul = bytes.find('\0');
    input.file = bytes.substr(0, nul);
    if (nul == std::string_view::npos || nul + 1 == bytes.size())
        return input;
    input.control = static_cast<unsigned char>(bytes[nul + 1]);
    std::size_t start = nul + 2;
    while (start <= bytes.size() && input.values.size() < kMaxValues) {
        const std::size_t end = std::min(bytes.find('\0', start), bytes.size());
        input.values.emplace_back(bytes.substr(start, end - start));
        start = end + 1;
    }
    return input;
}

bool IsKeyLine(std::string_view line) {
    return !line.empty() && line[0] == data::kSection && !data::IsTextKey(line);
}

// The keys of the file's key lines, up to their first blank, as a user
// picks them from the editor's list.
std::vector<std::string> KeysOf(const std::vector<TextLine>& lines) {
    std::vector<std::string> keys;
    for (const TextLine& line : lines) {
        if (keys.size() == kMaxKeys)
            break;
        if (line.text.size() >= 2 && IsKeyLine(line.text))
            keys.push_back(fuzz::LeadingKey(line.text));
    }
    if (keys.empty())
        keys.emplace_back(kSampleKey);
    return keys;
}

// Where the record of a key stands: from the first key line below the two
// head lines that holds the key and a blank, up to the line that ends it
// ("EOL", "EOF", the next key line, or the end of the file).
struct Span {
    std::size_t begin;
    std::size_t end;
};

std::optional<Span> RecordOf(const std::vector<TextLine>& lines, const std::string& key) {
    const std::string searched = key + ' ';
    for (std::size_t i = 2; i < lines.size(); ++i) {
        if (!IsKeyLine(lines[i].text) || lines[i].text.find(searched) == std::string::npos)
            continue;
        std::size_t end = i + 1;
        while (end < lines.size() && lines[end].text != "EOL" && lines[end].text != "EOF" &&
               !IsKeyLine(lines[end].text))
            ++end;
        return Span{i, end};
    }
    return std::nullopt;
}

// Where a new record goes: before the first "EOF" below the head lines, or
// at the end.
Span NewRecordPlace(const std::vector<TextLine>& lines) {
    std::size_t at = 2;
    while (at < lines.size() && lines[at].text != "EOF")
        ++at;
    return {std::min(at, lines.size()), std::min(at, lines.size())};
}

bool SameLine(const TextLine& before, const TextLine& after) {
    // The last line of a file may gain the line end it lacked.
    return before.text == after.text && (before.eol.empty() || before.eol == after.eol);
}

// Whether the lines from `first` on end `after`, byte for byte, with one
// "EOF" line behind them at most (a file that lacked it gets it).
bool EndsWith(const std::vector<TextLine>& after, std::size_t from,
              const std::vector<TextLine>& before, std::size_t first) {
    const std::size_t tail = before.size() - std::min(first, before.size());
    for (std::size_t extra = 0; extra <= 1; ++extra) {
        if (after.size() < from + tail + extra)
            break;
        if (extra == 1 && after.back().text != "EOF")
            break;
        const std::size_t at = after.size() - extra - tail;
        bool same = true;
        for (std::size_t i = 0; i < tail && same; ++i)
            same = SameLine(before[first + i], after[at + i]);
        if (same)
            return true;
    }
    return false;
}

// After a save: the first line is kept, the second is the save time, the
// lines above the record stand where they stood, and the lines from its end
// on end the file, byte for byte.
void CheckKeptLines(const std::vector<TextLine>& before, const std::vector<TextLine>& after,
                    const Span& record, const std::string& time) {
    TV_REQUIRE(after.size() >= 2);
    if (!before.empty())
        TV_REQUIRE(SameLine(before[0], after[0]));
    TV_REQUIRE(after[1].text == time);
    for (std::size_t i = 2; i < record.begin; ++i)
        TV_REQUIRE(i < after.size() && SameLine(before[i], after[i]));
    TV_REQUIRE(EndsWith(after, std::max<std::size_t>(record.begin, 2), before,
                        std::max<std::size_t>(record.end, 2)));
}

// What a field line holds after the save: an empty value is written
// "UNUSED".
std::string Written(const std::string& value) {
    return value.empty() ? std::string("UNUSED") : value;
}

// The fields the editor reads back from the saved file are the ones saved;
// the article lookup of the program finds the same record.
void CheckSavedFields(const std::filesystem::path& dir, const std::string& key,
                      const RecordFields& expected, const std::vector<TextLine>& before) {
    fuzz::CountingMessages messages;
    const data::Operation operation;
    data::DataFiles files(dir, "NO", messages);
    const std::optional<RecordFields> saved = admin::ReadRecordFields(files, key);
    TV_REQUIRE(saved);
    for (int field = 1; field <= admin::kEditorFields; ++field) {
        const auto f = static_cast<std::size_t>(field);
        if (!expected[f].empty())
            TV_REQUIRE((*saved)[f] == expected[f]);
    }

    // The readers cut a line at their limit, where the editor does not: a
    // file with longer lines may hold the key where only the editor sees it.
    for (const TextLine& line : before)
        if (line.text.size() > data::kMaxLineBytes)
            return;
    if (key.size() >= data::kMaxLineBytes)
        return;
    result::ArticleRecord record;
    const int count = result::LookupArticle(files, key, record, result::Placeholder::kAsTranslated);
    TV_REQUIRE(record.fields[0] != "(MISSING) ");
    TV_REQUIRE(count >= admin::kEditorFields);
    // A language's own texts for the record stand in for its first fields.
    data::ListLines translated;
    const int own = std::max(files.ReadLangSection(key, translated), 0);
    for (int field = own + 1; field <= admin::kEditorFields; ++field) {
        const auto f = static_cast<std::size_t>(field);
        if (expected[f].empty())
            continue;
        // In Norwegian a text key reads as its own text; a description that
        // then reads "UNUSED" is shown as none.
        const std::string read =
            data::IsTextKey(expected[f]) ? std::string(data::KeyText(expected[f])) : expected[f];
        if (field == 3 && read.starts_with("UNUSED"))
            TV_REQUIRE(record.fields[f].empty());
        else
            TV_REQUIRE(record.fields[f] == read);
    }
}

bool AnyValueProblem(const RecordFields& fields) {
    for (const int field : kEditable)
        if (!admin::FieldValueProblem(fields[static_cast<std::size_t>(field)]).empty())
            return true;
    return false;
}

// A copy of the sample whose Norwegian language file keeps only its head
// lines: it holds no record texts for a save to find, and every reader of an
// input indexes it anew.
std::filesystem::path EditorInstallation() {
    const std::filesystem::path dir = fuzz::SampleDataCopy("editor");
    const std::string language = fuzz::FileText(dir / "Lang_NO.txt");
    std::size_t end = 0;
    while (end < language.size() && language[end] != data::kSection) {
        const std::size_t lf = language.find('\n', end);
        end = lf == std::string::npos ? language.size() : lf + 1;
    }
    fuzz::WriteFile(dir / "Lang_NO.txt", language.substr(0, end) + "EOF\r\n");
    return dir;
}

struct Installation {
    std::filesystem::path dir = EditorInstallation();
    std::filesystem::path article = dir / "Vantordata.dat";
    std::filesystem::path backup = dir / "VantorData.bak";
    platform::FakeSystem system;
    platform::PosixFileSystem disk;
    std::string time = system.formatDateTime(system.now());
};

// One save and what must hold after it, whatever its outcome.
void Save(Installation& at, const SaveRequest& request, const RecordFields& expected,
          bool mayBeSaved, const std::optional<Span>& record) {
    const std::string before = fuzz::FileText(at.article);
    const std::string backupBefore = fuzz::FileText(at.backup);

    fuzz::CountingMessages messages;
    data::DataFiles files(at.dir, "NO", messages);
    const admin::SaveOutcome outcome =
        admin::SaveRecord(files, request, at.system, messages, at.disk);

    const std::string after = fuzz::FileText(at.article);
    if (outcome.result != SaveResult::Saved) {
        // Whatever was refused or failed is said, and leaves the file and
        // its backup as they were.
        TV_REQUIRE(after == before);
        TV_REQUIRE(fuzz::FileText(at.backup) == backupBefore);
        TV_REQUIRE(messages.shown > 0);
        return;
    }
    TV_REQUIRE(mayBeSaved);
    TV_REQUIRE(record);
    // The old file is the backup, unless the save said it could not be.
    if (messages.shown == 0)
        TV_REQUIRE(fuzz::FileText(at.backup) == before);
    const std::vector<TextLine> beforeLines = platform::SplitLines(before);
    CheckKeptLines(beforeLines, platform::SplitLines(after), *record, at.time);
    CheckSavedFields(at.dir, request.key, expected, beforeLines);
}

void EditRecord(Installation& at, const Input& input, const std::vector<TextLine>& lines,
                const std::vector<std::string>& keys) {
    const std::string& key = keys[((input.control >> 4) & 3) % keys.size()];
    fuzz::CountingMessages messages;
    const data::DataFiles files(at.dir, "NO", messages);
    const std::optional<RecordFields> read = admin::ReadRecordFields(files, key);

    SaveRequest request{.isNew = false, .key = key, .fields = read.value_or(RecordFields{})};
    const std::size_t first = input.control & 15;
    for (std::size_t j = 0; j < input.values.size(); ++j)
        request.fields[static_cast<std::size_t>(kEditable[(first + j) % kEditable.size()])] =
            input.values[j];

    // Every editable field as saved; the dimensioning offsets as they stood.
    RecordFields expected;
    for (const int field : kEditable)
        expected[static_cast<std::size_t>(field)] =
            Written(request.fields[static_cast<std::size_t>(field)]);
    if (read) {
        expected[4] = (*read)[4];
        expected[5] = (*read)[5];
    }
    // Only a record that is there, with values that fit its lines, is saved.
    Save(at, request, expected, read && !AnyValueProblem(request.fields), RecordOf(lines, key));
}

void NewRecord(Installation& at, const Input& input, const std::vector<std::string>& keys) {
    std::string key;
    if (input.control & 0x80) {
        key = keys[((input.control >> 4) & 3) % keys.size()];
    } else {
        key = "\xA4";
        for (const char c : input.values.empty() ? std::string("NEW") : input.values[0])
            if (static_cast<unsigned char>(c) > 0x20 && c != '\x7F' && key.size() < 64)
                key += c;
        key += admin::kNewRecordKind;
    }
    const std::vector<TextLine> lines = platform::SplitLines(fuzz::FileText(at.article));
    fuzz::CountingMessages messages;
    const data::DataFiles files(at.dir, "NO", messages);
    const bool exists = admin::ReadRecordFields(files, key).has_value();

    SaveRequest request{.isNew = true, .key = key, .fields = admin::NewRecordFields()};
    RecordFields expected;
    for (int field = 1; field <= admin::kEditorFields; ++field)
        expected[static_cast<std::size_t>(field)] =
            Written(request.fields[static_cast<std::size_t>(field)]);
    // Only a valid key that no record has yet makes a new record.
    Save(at, request, expected, !exists && admin::IsValidNewKey(key, admin::kNewRecordKind),
         NewRecordPlace(lines));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > kMaxInput)
        return 0;
    static Installation installation;
    const Input input = Split(std::string_view(reinterpret_cast<const char*>(data), size));

    // A new file for every input, never one a save of an earlier input
    // left linked as its backup.
    std::error_code ignored;
    std::filesystem::remove(installation.article, ignored);
    fuzz::WriteFile(installation.article, input.file);

    const std::vector<TextLine> lines = platform::SplitLines(input.file);
    const std::vector<std::string> keys = KeysOf(lines);
    EditRecord(installation, input, lines, keys);
    if (input.control & 0x40)
        NewRecord(installation, input, keys);
    return 0;
}
