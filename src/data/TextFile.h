#pragma once

#include "data/FileIndex.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tv::data {

class DataFiles;

// Limits of what is read from a data file. A longer line is cut (the rest
// of it is never delivered; reported once). A larger file is not read at
// all: it is reported with its size, at start-up and at every read.
inline constexpr std::size_t kMaxLineBytes = 4096;
inline constexpr std::uintmax_t kMaxFileBytes = 512u * 1024u * 1024u;

// A sequential reader over one version of a sectioned text file,
// positioned at its start when opened.
class TextFile {
public:
    TextFile(std::shared_ptr<const FileIndex> index, std::string name, const DataFiles* owner);

    bool atEnd() const { return next_ >= index_->end(); }

    // The next line as it stands; "" at the end of the file.
    std::string readLine();
    // The same without a copy: valid as long as this file is.
    std::string_view readLineView();

    // File name for messages, e.g. "Tessaro.dat".
    const std::string& name() const { return name_; }

    // 1-based number of the line read last (counted when asked: for messages).
    std::size_t lineNumber() const { return index_->linesBefore(next_); }

    // The section key line found last by FindSection, for messages.
    const std::string& section() const { return section_; }
    void setSection(std::string section) { section_ = std::move(section); }

    // The file's lines and key tables.
    const FileIndex& contents() const { return *index_; }

    // Where the next line begins (an offset of FileIndex), and a move there;
    // the next readLine delivers that line.
    std::size_t position() const { return next_; }
    void seek(std::size_t offset) { next_ = std::min(offset, index_->end()); }

    // The data files this file belongs to (translations, diagnostics); may
    // be null for a file read on its own.
    const DataFiles* owner() const { return owner_; }

private:
    std::shared_ptr<const FileIndex> index_;
    std::size_t next_ = 0; // offset of the next line
    std::string name_;
    std::string section_;
    const DataFiles* owner_;
};

// The line rules of the sectioned text files.

// What the readers make of one line, the rule every reader of the files
// keeps: nothing for a line they pass over (empty, or beginning with a
// blank or "*"); a text key line ("¤¤...") translated into the language
// of `owner` (without an owner, the key's text); any other line as it
// stands.
std::optional<std::string> DeliveredLine(std::string_view line, const DataFiles* owner);

// The next content line: the next line DeliveredLine delivers, translated
// by the file's owner. "" at the end of the file.
std::string ReadTextLine(TextFile& file);

// The next content line of a list, a help panel or an article record:
// nothing at the line that ends it (EndsList) or at the end of the file.
std::optional<std::string> ReadListLine(TextFile& file);

// The value of the next number line; 0 at the end of the file.
std::int16_t ReadNumberLine(TextFile& file);

// Reads forward to the first section key line that holds key followed by a
// blank or the end of the line. True leaves the file right after that line;
// false leaves it at the end.
bool FindSection(std::string_view key, TextFile& file);

// Reads forward to the first section key line (text keys read as their
// translation) that holds the key under the rule, as FindSection does for
// KeyRule::Section: true leaves the file right after it, false at the end.
// Found through the file's key tables.
bool FindKeyLine(KeyRule rule, std::string_view key, TextFile& file);

// The same by reading every line from the file's position: what the key
// tables must always agree with.
bool ScanForKeyLine(KeyRule rule, std::string_view key, TextFile& file);

// The number at the start of a text, as a number line gives it: blanks and
// tabs anywhere are ignored; a sign, a decimal point and an exponent are
// accepted; reading stops at the first other character. No number gives 0.
double LeadingNumber(std::string_view text);

// Rounds to a whole number, halves to the even neighbour.
double RoundHalfEven(double value);

// A number of a data file as an int: rounded (halves to the even
// neighbour) and held within [lowest, highest], so that no text of a file
// can overflow the conversion. `held` (when given) says whether the limit
// was used, for the caller's message.
int HeldNumber(double value, int lowest, int highest, bool* held = nullptr);

// The text of a text key: the key without its two leading "¤".
std::string_view KeyText(std::string_view textKey);

inline constexpr char kSection = '\xA4'; // "¤" in Windows-1252

inline bool IsTextKey(std::string_view line) {
    return line.size() >= 2 && line[0] == kSection && line[1] == kSection;
}

// Whether a delivered line ends a list, a help panel or an article record.
inline bool EndsList(std::string_view delivered) {
    return delivered == "EOL";
}

// Whether a delivered line is a section key line: it begins with "¤".
inline bool IsKeyLine(std::string_view delivered) {
    return !delivered.empty() && delivered[0] == kSection;
}

} // namespace tv::data
