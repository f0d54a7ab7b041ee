#include "admin/ArticleEditor.h"

#include "admin/RecordSummary.h"
#include "data/FileIndex.h"
#include "data/TextFile.h"
#include "platform/Cp1252.h"
#include "platform/FileBytes.h"
#include "platform/FileLock.h"
#include "result/ArticleFile.h"

#include <algorithm>
#include <sys/stat.h>

namespace tv::admin {

namespace {

constexpr std::string_view kArticleFile = "Vantordata.dat";
constexpr std::string_view kWorkFile = "VantorData.new";
constexpr std::string_view kBackupFile = "VantorData.bak";
constexpr std::string_view kLockFile = "VantorData.lock";
constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kNotSaved = "The article file was not saved:\r\n";
constexpr std::string_view kUnused = "UNUSED";
constexpr std::string_view kKeyNote = " * All keys are assumed to end with a SPACE";
constexpr std::size_t npos = std::string::npos;

// Record field -> edit box (0: not shown).
constexpr std::array<int, kEditorFields + 1> kBoxOfField = {0, 1, 4, 2, 0, 0, 3, 7, 5, 6, 8, 9, 10};

// Where one record's lines stand in the file.
struct RecordSpan {
    std::size_t keyLine = npos;
    std::size_t titleLine = npos;
    std::array<std::size_t, kEditorFields + 1> fieldLines;
    // The line the record ends before: its "EOL", the next key line, "EOF"
    // or the end of the file. Missing fields are written here.
    std::size_t end = npos;
};

// Whether a line, as the readers deliver it, ends a record. The lookup
// ends one at "EOL" only and reads on without it; the editor ends it at
// "EOF" and at the next key line as well, so that a save never takes the
// next record's lines for its fields: the fields it adds before that line
// are the ones the lookup reads back.
bool EndsRecord(std::string_view delivered) {
    return data::EndsList(delivered) || delivered == "EOF" || data::IsKeyLine(delivered);
}

// The record whose key line begins with the key and a blank (the first
// such line as it stands in the file), then its title line and fields,
// each line read as the lookup reads it: the lines the readers pass over
// belong to no field and stay where they stand. The two head lines are
// never a record.
std::optional<RecordSpan> FindRecord(const data::DataFiles& files,
                                     const std::vector<platform::TextLine>& lines,
                                     std::string_view key) {
    const std::string searched = std::string(key) + ' ';
    RecordSpan span;
    span.fieldLines.fill(npos);
    for (std::size_t i = 2; i < lines.size(); ++i) {
        const std::string& text = lines[i].text;
        if (data::IsKeyLine(text) && !data::IsTextKey(text) && text.starts_with(searched)) {
            span.keyLine = i;
            break;
        }
    }
    if (span.keyLine == npos)
        return std::nullopt;

    int field = -1; // the title line first
    std::size_t i = span.keyLine + 1;
    for (; i < lines.size() && field < kEditorFields; ++i) {
        const auto delivered = data::DeliveredLine(lines[i].text, &files);
        if (!delivered)
            continue;
        if (EndsRecord(*delivered))
            break;
        if (++field == 0)
            span.titleLine = i;
        else
            span.fieldLines[static_cast<std::size_t>(field)] = i;
    }
    // The lines after field 12 stay as they are; the record's end is where
    // missing fields would go.
    for (span.end = i; field == kEditorFields && span.end < lines.size(); ++span.end) {
        const auto delivered = data::DeliveredLine(lines[span.end].text, &files);
        if (delivered && EndsRecord(*delivered))
            break;
    }
    return span;
}

// The first key line the article lookup takes for the key: one that holds
// the key and a blank anywhere, so another record's key line may shadow it;
// a text key line counts as the line its translation makes, as the readers
// deliver it (a key line when the translation begins with "¤", even with
// "¤¤": the readers translate a line once).
std::optional<std::size_t> LookedUpLine(const data::DataFiles& files,
                                        const std::vector<platform::TextLine>& lines,
                                        std::string_view key) {
    const std::string searched = std::string(key) + ' ';
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto delivered = data::DeliveredLine(lines[i].text, &files);
        if (delivered && data::KeyLineHolds(data::KeyRule::Article, *delivered, searched))
            return i;
    }
    return std::nullopt;
}

// The record's lines as bytes, from its key line to its end.
std::string RecordText(const std::vector<platform::TextLine>& lines, const RecordSpan& span) {
    std::string text;
    for (std::size_t i = span.keyLine; i < span.end; ++i)
        text += lines[i].text + lines[i].eol;
    return text;
}

std::optional<std::vector<platform::TextLine>> ArticleLines(const std::filesystem::path& file) {
    const auto bytes = platform::ReadFileBytes(file);
    if (!bytes)
        return std::nullopt;
    return platform::SplitLines(*bytes);
}

std::string KeyWithoutSection(std::string_view key) {
    return std::string(key.starts_with(data::kSection) ? key.substr(1) : key);
}

// Whether the key without its "¤" reads back as a title line: not empty,
// not passed over, not taken for a key line or the end of a record.
bool MakesTitleLine(std::string_view key) {
    const std::string title = KeyWithoutSection(key);
    return !title.empty() && FieldValueProblem(title).empty();
}

std::string FieldLine(const SaveRequest& request, int field) {
    if (request.isNew && field == 4)
        return "888";
    if (request.isNew && field == 5)
        return "999";
    const std::string& value = request.fields[static_cast<std::size_t>(field)];
    return value.empty() ? std::string(kUnused) : value;
}

void Add(std::string& out, std::string_view line) {
    out += line;
    out += kCrLf;
}

// A copied line keeps its own line end; one that had none (the last line
// of the file) gets CR LF when more follows.
void Copy(std::string& out, const platform::TextLine& line) {
    out += line.text;
    out += line.eol.empty() ? kCrLf : std::string_view(line.eol);
}

// The edited record in place of the old one's lines [keyLine, end): the
// change note, the old key and title lines, the new fields where the old
// ones stood, and whatever else stood between them where it stood.
void WriteEditedRecord(std::string& out, const std::vector<platform::TextLine>& lines,
                       const RecordSpan& span, const SaveRequest& request,
                       const std::string& stamp) {
    Add(out, "* Updated with Brivo ADM " + stamp);
    for (std::size_t i = span.keyLine; i < span.end; ++i) {
        const auto field = std::find(span.fieldLines.begin(), span.fieldLines.end(), i);
        if (field == span.fieldLines.end()) {
            Copy(out, lines[i]);
            continue;
        }
        const int number = static_cast<int>(field - span.fieldLines.begin());
        // The dimensioning offsets are not edited: their lines stay as they are.
        if (number == 4 || number == 5)
            Copy(out, lines[i]);
        else
            Add(out, FieldLine(request, number));
    }
    // A short record gets its missing lines before its end.
    if (span.titleLine == npos)
        Add(out, KeyWithoutSection(request.key));
    for (int field = 1; field <= kEditorFields; ++field) {
        if (span.fieldLines[static_cast<std::size_t>(field)] == npos)
            Add(out, FieldLine(request, field));
    }
}

void WriteNewRecord(std::string& out, const SaveRequest& request, const std::string& stamp) {
    Add(out, "* New with Brivo ADM " + stamp);
    Add(out, request.key + std::string(kKeyNote));
    Add(out, KeyWithoutSection(request.key));
    for (int field = 1; field <= kEditorFields; ++field)
        Add(out, FieldLine(request, field));
    Add(out, "EOL");
}

// The first problem of a request, or "".
std::string RequestProblem(const SaveRequest& request) {
    if (request.isNew && !IsValidNewKey(request.key, kNewRecordKind))
        return "The key " + platform::ShownInMessage(request.key) +
               " is not a valid key for a new " + std::string(kNewRecordKind) + " record.";
    for (int field = 1; field <= kEditorFields; ++field) {
        if (field == 4 || field == 5)
            continue;
        const std::string problem =
            FieldValueProblem(request.fields[static_cast<std::size_t>(field)]);
        if (!problem.empty())
            return "Field " + std::to_string(field) + " cannot be saved (\"" +
                   platform::ShownInMessage(request.fields[static_cast<std::size_t>(field)]) +
                   "\"): " + problem + ".";
    }
    return {};
}

// A line of the article file as a message shows it: its number and text.
std::string NumberedLine(const std::vector<platform::TextLine>& lines, std::size_t at) {
    return "line " + std::to_string(at + 1) + ": " + platform::ShownInMessage(lines[at].text);
}

// Why the record of the key may not be saved because the customers would
// not see it: the article lookup takes another key line first. "" when the
// lookup finds the record's own key line (or, for a new record, nothing).
std::string ShadowProblem(const data::DataFiles& files,
                          const std::vector<platform::TextLine>& lines, std::string_view key,
                          const std::optional<RecordSpan>& span) {
    const auto looked = LookedUpLine(files, lines, key);
    if (!looked || (span && *looked == span->keyLine))
        return {};
    std::string problem = "The article lookup of " + platform::ShownInMessage(key) +
                          " finds another record first:" + std::string(kCrLf) +
                          NumberedLine(lines, *looked) + std::string(kCrLf);
    problem += span ? "and not this record's key line," + std::string(kCrLf) +
                          NumberedLine(lines, span->keyLine)
                    : std::string("so a new record of this key would never be found.");
    return problem + std::string(kCrLf) + "Mend the key line " + std::to_string(*looked + 1) +
           " first (the key may stand in no other key line); nothing was saved.";
}

// Work files of the save: the unique names it gives the new file and the
// old file's second name, and the fixed names of earlier versions of it.
// Only a save that holds the lock makes them, so the holder may remove
// what a killed save left.
bool IsWorkFileName(std::string_view name) {
    const std::string folded = platform::FoldCase(name);
    if (folded == "vantordata.new" || folded == "vantordata.bak.new")
        return true;
    for (const std::string_view prefix : {"vantordata.new.", "vantordata.bak."}) {
        if (folded.starts_with(prefix))
            return platform::IsUniqueEnding(std::string_view(folded).substr(prefix.size()));
    }
    return false;
}

void RemoveLeftoverWorkFiles(platform::FileSystem& disk, const std::filesystem::path& directory) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(directory, ec)) {
        if (IsWorkFileName(data::PathText(entry.path().filename())))
            disk.remove(entry.path());
    }
}

// The backup beside the article file, its name matched without regard to
// case.
std::filesystem::path BackupBeside(const std::filesystem::path& directory) {
    const auto found = data::FirstFile(directory, [](std::string_view name) {
        return platform::EqualsIgnoringCase(name, kBackupFile);
    });
    return found ? *found : directory / std::string(kBackupFile);
}

// How many names the file has besides its own and the backup (a save
// killed before its last rename leaves the backup as a second name).
std::uint64_t OtherNames(const std::filesystem::path& file, const std::filesystem::path& backup) {
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0 || status.st_nlink < 1)
        return 0;
    std::error_code ec;
    const std::uint64_t own = std::filesystem::equivalent(file, backup, ec) ? 2 : 1;
    return status.st_nlink > own ? static_cast<std::uint64_t>(status.st_nlink) - own : 0;
}

// Why a save stops before it writes, and the message that says so.
struct Refusal {
    SaveResult result;
    std::string text;
};

// The file a save replaces: a link to a shared article file stays a link,
// the file it points at is replaced, and beside it go the lock, the work
// files and the backup.
std::optional<Refusal> TargetRefusal(const std::filesystem::path& articleFile,
                                     std::filesystem::path& target) {
    if (const platform::WriteResult followed = platform::FollowLinks(articleFile, target);
        !followed)
        return Refusal{SaveResult::Failed, std::string(kNotSaved) + followed.reason};
    if (const std::string problem = platform::ReplaceProblem(target); !problem.empty())
        return Refusal{SaveResult::Failed, std::string(kNotSaved) + problem};
    return std::nullopt;
}

std::optional<Refusal> LockRefusal(const platform::LockAttempt& locked) {
    if (locked.busy)
        return Refusal{SaveResult::Failed,
                       "The article file is being saved by another program" +
                           (locked.holder.empty()
                                ? std::string()
                                : " (" + platform::ShownInMessage(locked.holder, 200) + ")") +
                           "; try again. Nothing was saved."};
    if (!locked.lock.held())
        return Refusal{SaveResult::Failed,
                       std::string(kNotSaved) + "its lock file cannot be used: " + locked.reason};
    return std::nullopt;
}

// A new file in the place of one with more names would leave those with
// the old records.
std::optional<Refusal> HardLinkRefusal(const std::filesystem::path& target,
                                       const std::filesystem::path& backup) {
    const std::uint64_t names = OtherNames(target, backup);
    if (names == 0)
        return std::nullopt;
    return Refusal{SaveResult::Failed,
                   std::string(kNotSaved) + data::PathText(target) + " has " +
                       std::to_string(names) +
                       " more name(s) (hard links), which a new file in its place would leave "
                       "with the old records. Make them symbolic links, then save again."};
}

// Why the record of the request may not be saved into the file as it
// stands now.
std::optional<Refusal> RecordRefusal(const data::DataFiles& files,
                                     const std::vector<platform::TextLine>& lines,
                                     const SaveRequest& request,
                                     const std::optional<RecordSpan>& span) {
    const std::string shownKey = platform::ShownInMessage(request.key);
    if (!request.isNew && !span)
        return Refusal{SaveResult::NotFound, shownKey + "  NOT FOUND"};
    // The first record with a key wins: a second one would never be found.
    if (request.isNew && span)
        return Refusal{SaveResult::Refused,
                       "A record with the key " + shownKey + " exists already."};
    if (std::string problem = ShadowProblem(files, lines, request.key, span); !problem.empty())
        return Refusal{SaveResult::Refused, std::move(problem)};
    // A record without a title line gets its key as one: a key that makes no
    // title line (the section sign alone, a "*" behind it) cannot be saved.
    if (span && span->titleLine == npos && !MakesTitleLine(request.key))
        return Refusal{SaveResult::Refused,
                       "The record " + shownKey +
                           " has no title line, and its key makes none; add one before its "
                           "fields, then save again."};
    if (span && request.opened && *request.opened != RecordText(lines, *span))
        return Refusal{SaveResult::Changed,
                       "The record " + shownKey +
                           " was saved by someone else after it was opened; nothing was saved, "
                           "so that their changes are not undone. Open the record again to see "
                           "them and make your changes there."};
    return std::nullopt;
}

// The whole file as the save writes it: the first line, the save time, the
// edited record in its place or the new one before "EOF", everything else
// as it stood, and an "EOF" where there was none.
std::string SavedFile(const std::vector<platform::TextLine>& lines,
                      const std::optional<RecordSpan>& span, const SaveRequest& request,
                      const std::string& now, const std::string& stamp) {
    std::string bytes;
    Copy(bytes, lines[0]);
    Add(bytes, now);
    std::size_t eof = npos;
    for (std::size_t i = 2; i < lines.size() && eof == npos; ++i) {
        if (lines[i].text == "EOF")
            eof = i;
    }
    for (std::size_t i = 2; i < lines.size(); ++i) {
        if (span && i == span->keyLine) {
            WriteEditedRecord(bytes, lines, *span, request, stamp);
            i = span->end - 1;
            continue;
        }
        if (request.isNew && i == eof)
            WriteNewRecord(bytes, request, stamp);
        Copy(bytes, lines[i]);
    }
    if (eof == npos) {
        if (request.isNew)
            WriteNewRecord(bytes, request, stamp);
        Add(bytes, "EOF");
    }
    return bytes;
}

} // namespace

int BoxOfField(int field) {
    return field >= 1 && field <= kEditorFields ? kBoxOfField[static_cast<std::size_t>(field)] : 0;
}

int FieldOfBox(int box) {
    for (int field = 1; field <= kEditorFields; ++field) {
        if (box != 0 && kBoxOfField[static_cast<std::size_t>(field)] == box)
            return field;
    }
    return 0;
}

std::string RecordListing::status() const {
    return "Fant " + std::to_string(keys.size()) + " records";
}

std::optional<RecordListing> ListRecords(data::DataFiles& files, std::string_view kind,
                                         platform::MessageBoxes& messages) {
    auto file = files.openArticleFile();
    if (!file) {
        messages.inform("Article file " + std::string(kArticleFile) + " not found in " +
                        data::PathText(files.dataDirectory()));
        return std::nullopt;
    }
    const std::string kindKey = std::string(kind) + ' ';
    auto ofKind = [&](const std::string& line) {
        if (line.find(kindKey) != npos)
            return true;
        return kind == "_TK" && (line.find("_TK1 ") != npos || line.find("_TK2 ") != npos);
    };

    RecordListing listing;
    std::string bytes = " KeyTag" + std::string(34, ' ') + "Vantornr." + std::string(6, ' ') +
                        "Lengde" + std::string(3, ' ') + "Vekt" + std::string(5, ' ') + "Pris" +
                        std::string(5, ' ') + "Blokknavn" + std::string(20, ' ') + "Beskrivelse" +
                        std::string(kCrLf);
    while (!file->atEnd()) {
        const std::string line = data::ReadTextLine(*file);
        if (line.empty() || line[0] != data::kSection || !ofKind(line))
            continue;
        const std::string key = line.substr(0, line.find(' '));
        // The title line and fields 1 to 20 at most.
        std::array<std::string, 31> fields;
        for (std::size_t n = 0; n < 21 && !file->atEnd(); ++n) {
            std::string field = data::ReadTextLine(*file);
            if (field.starts_with("EOL"))
                break;
            if (n > 0)
                fields[n] = std::move(field);
        }
        if (!fields[result::field::kArticleNumber].starts_with("999"))
            bytes += RecordSummary(key, fields) + std::string(kCrLf);
        listing.keys.push_back(key);
    }

    listing.file = files.locate("S" + std::string(kind) + ".txt");
    const platform::WriteResult written = platform::WriteFileSafely(listing.file, bytes);
    listing.written = static_cast<bool>(written);
    if (!written)
        messages.inform("The record listing could not be written:" + std::string(kCrLf) +
                        written.reason);
    return listing;
}

std::optional<OpenedRecord> OpenRecord(const data::DataFiles& files, std::string_view key) {
    const auto lines = ArticleLines(files.locate(kArticleFile));
    if (!lines)
        return std::nullopt;
    const auto span = FindRecord(files, *lines, key);
    if (!span)
        return std::nullopt;
    OpenedRecord record;
    for (int field = 1; field <= kEditorFields; ++field) {
        const std::size_t at = span->fieldLines[static_cast<std::size_t>(field)];
        if (at != npos)
            record.fields[static_cast<std::size_t>(field)] = (*lines)[at].text;
    }
    record.text = RecordText(*lines, *span);
    return record;
}

std::optional<RecordFields> ReadRecordFields(const data::DataFiles& files, std::string_view key) {
    auto record = OpenRecord(files, key);
    if (!record)
        return std::nullopt;
    return std::move(record->fields);
}

RecordFields NewRecordFields() {
    RecordFields fields;
    fields[result::field::kOffsetA] = "888";
    fields[result::field::kOffsetB] = "999";
    fields[result::field::kLength] = "0.0 m";
    fields[result::field::kWeight] = "0.0 kg";
    fields[10] = fields[11] = fields[12] = std::string(kUnused);
    return fields;
}

bool IsValidNewKey(std::string_view key, std::string_view kind) {
    if (kind.empty())
        return true;
    if (key.size() < kind.size() + 4 || key[0] != data::kSection || !key.ends_with(kind) ||
        data::IsTextKey(key))
        return false;
    // The key line must be read back whole, and the title line made of it
    // read as a title line, not passed over or taken for another key line.
    if (key.size() + kKeyNote.size() > data::kMaxLineBytes || !MakesTitleLine(key))
        return false;
    return std::none_of(key.begin(), key.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte <= 0x20 || byte == 0x7F;
    });
}

std::string FieldValueProblem(std::string_view value) {
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '\r' || byte == '\n')
            return "it holds a line break";
        // Below the blank and the five bytes Windows-1252 leaves undefined.
        if (byte < 0x20 || byte == 0x7F || byte == 0x81 || byte == 0x8D || byte == 0x8F ||
            byte == 0x90 || byte == 0x9D)
            return "it holds a control character";
    }
    if (value.starts_with(' '))
        return "it begins with a blank, which makes the line a comment";
    if (value.starts_with('*'))
        return "it begins with \"*\", which makes the line a comment";
    if (value.starts_with(data::kSection) && !data::IsTextKey(value))
        return "it begins with \"\xA4\", which makes the line a key line";
    if (value.starts_with("EOL") || value == "EOF")
        return "\"EOL\" and \"EOF\" end a record and the file";
    // A text key is read as its text; without one in the language file, as
    // the key without its "\xA4\xA4", which must not end the record either.
    if (data::IsTextKey(value)) {
        const std::string_view text = value.substr(2);
        if (text.starts_with("EOL") || text == "EOF" || text.starts_with(data::kSection))
            return "it is a text key that reads as \"EOL\", \"EOF\" or a key line";
    }
    if (value.size() > data::kMaxLineBytes)
        return "it is longer than " + std::to_string(data::kMaxLineBytes) + " characters";
    return {};
}

SaveOutcome SaveRecord(data::DataFiles& files, const SaveRequest& request,
                       const platform::System& system, platform::MessageBoxes& messages,
                       platform::FileSystem& disk) {
    SaveOutcome outcome;
    outcome.articleFile = files.locate(kArticleFile);
    auto refuse = [&](const Refusal& refusal) {
        messages.inform(refusal.text);
        outcome.result = refusal.result;
        return outcome;
    };
    if (const std::string problem = RequestProblem(request); !problem.empty())
        return refuse({SaveResult::Refused, problem});
    std::filesystem::path target;
    if (const auto refusal = TargetRefusal(outcome.articleFile, target))
        return refuse(*refusal);
    const std::filesystem::path directory = target.parent_path();

    const std::string now = system.formatDateTime(system.now());
    const std::string stamp = now + "  (" + system.userName() + ")";
    // Held until the new file is in place.
    const platform::LockAttempt locked =
        platform::TakeFileLock(directory / std::string(kLockFile), target, request.lockWait,
                               system.userName() + " since " + now);
    if (const auto refusal = LockRefusal(locked))
        return refuse(*refusal);
    RemoveLeftoverWorkFiles(disk, directory);

    // From here on the file is read as it stands: what others saved before
    // the lock was ours is kept.
    const auto lines = ArticleLines(target);
    if (!lines || lines->empty())
        return refuse({SaveResult::Failed, "The article file cannot be read:" + std::string(kCrLf) +
                                               data::PathText(target)});
    const std::filesystem::path backup = BackupBeside(directory);
    if (const auto refusal = HardLinkRefusal(target, backup))
        return refuse(*refusal);
    const auto span = FindRecord(files, *lines, request.key);
    if (const auto refusal = RecordRefusal(files, *lines, request, span))
        return refuse(*refusal);

    const platform::WriteResult written =
        platform::ReplaceKeepingBackup(disk, target, std::string(kWorkFile) + ".", backup,
                                       SavedFile(*lines, span, request, now, stamp));
    // Whatever was done on disk, the next read of the operation looks again.
    files.filesWritten();
    if (!written)
        return refuse({SaveResult::Failed, std::string(kNotSaved) + written.reason});
    if (!written.note.empty())
        messages.inform("The article file was saved, but " + written.note);
    outcome.result = SaveResult::Saved;
    return outcome;
}

} // namespace tv::admin
