#pragma once

#include "data/DataFiles.h"
#include "platform/FileSystem.h"
#include "platform/MessageBoxes.h"
#include "platform/System.h"

#include <array>
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The article editor's logic: listing the records of a kind, reading one
// record's fields as they stand in the article file, checking what the
// boxes hold, and saving a record back into the file through a work file
// and a backup. The only writer of a data file in the program.
namespace tv::admin {

// The record kinds of the data buttons 1 to 4 and the hidden 6 to 8, and
// the kind of a new record (data button 5).
inline constexpr std::array<std::string_view, 7> kRecordKinds = {"_VHK", "_CPD", "_BRV", "_TK",
                                                                 "_AKT", "_SPK", "_CLD"};
inline constexpr std::string_view kNewRecordKind = "_TK";

// Record fields 1 to 12 (slot 0 unused). Fields 4 and 5, the dimensioning
// offsets, are never edited: an existing record keeps them as they are.
inline constexpr int kEditorFields = 12;
using RecordFields = std::array<std::string, kEditorFields + 1>;

// The edit box (1 to 10) that shows a record field, 0 for fields 4 and 5.
int BoxOfField(int field);
int FieldOfBox(int box);

struct RecordListing {
    std::vector<std::string> keys; // every record of the kind, "999" ones included
    std::filesystem::path file;    // the listing file "S" + kind + ".txt"
    bool written = false;          // whether the listing file could be written (said if not)

    // "Fant " + count + " records", for the record status label.
    std::string status() const;
};

// Lists the records of a kind: every record whose key line holds the kind
// and a blank ("_TK" also "_TK1 " and "_TK2 "), into the listing file (not
// the "999" records) and the key list (all of them). Nothing when the
// article file cannot be read (said).
std::optional<RecordListing> ListRecords(data::DataFiles& files, std::string_view kind,
                                         platform::MessageBoxes& messages);

// A record as the editor opened it.
struct OpenedRecord {
    RecordFields fields; // as their lines stand in the article file; a missing field is ""
    std::string text;    // the record's lines from its key line to its end, as bytes
};

// The record whose key line begins with the key and a blank (the first such
// line), fields counted as the article lookup counts them. Nothing when no
// record has the key or the article file cannot be read.
std::optional<OpenedRecord> OpenRecord(const data::DataFiles& files, std::string_view key);
std::optional<RecordFields> ReadRecordFields(const data::DataFiles& files, std::string_view key);

// What a new record's boxes start with.
RecordFields NewRecordFields();

// The key rule of a new record: at least four characters longer than the
// kind, beginning with "¤", ending with the kind, and one word (no blank,
// no control character), so that the key line reads back as this key.
bool IsValidNewKey(std::string_view key, std::string_view kind);

// Why a value cannot be one field line of the article file ("" when it
// can): a line break or control character, a leading blank or "*", a
// single leading "¤" (a key line), "EOL" or "EOF", more than a data line
// holds. An empty value is fine (it is written "UNUSED").
std::string FieldValueProblem(std::string_view value);

// How long a save waits while another program saves the article file.
inline constexpr std::chrono::milliseconds kLockWait{5000};

struct SaveRequest {
    bool isNew = false;
    std::string key;     // without the blank that ends it in the file
    RecordFields fields; // 4 and 5 are ignored for an existing record
    // The record's text when its boxes were filled (OpenedRecord::text):
    // when the record reads otherwise now, someone else saved it meanwhile,
    // and the save is refused rather than undo that. Nothing: not compared.
    std::optional<std::string> opened;
    std::chrono::milliseconds lockWait = kLockWait;
};

enum class SaveResult {
    Saved,
    NotFound, // the existing record's key is not in the file; nothing written
    Refused,  // a bad key or field value, a new key that exists, a key the
              // lookup finds elsewhere; nothing written
    Changed,  // the record was saved by someone else since it was opened; nothing written
    Failed,   // the disk said no, or another program is saving; the article file as it was
};

struct SaveOutcome {
    SaveResult result = SaveResult::Failed;
    std::filesystem::path articleFile;
};

// Saves the record into the article file: the file's first line kept, its
// second the save time, every other line byte for byte, the record written
// in place (existing) or before "EOF" (new), with a change note naming the
// date, time and login name. One save at a time: the save takes the lock
// beside the article file (the file a link points at) and reads the file
// under it, so that what others saved meanwhile is kept. The new file
// replaces the old one in one rename after the old one became the backup
// ("VantorData.bak"), and keeps its mode, owner and group; at every moment
// a complete article file exists. Every refusal and failure is said in
// `messages` and leaves the article file as it was.
SaveOutcome SaveRecord(data::DataFiles& files, const SaveRequest& request,
                       const platform::System& system, platform::MessageBoxes& messages,
                       platform::FileSystem& disk);

} // namespace tv::admin
