#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace tv::data {

// How a key is matched against a section key line (a content line that
// begins with "¤"), as the readers have always matched it:
enum class KeyRule {
    // The first occurrence of the key in the line is followed by a blank or
    // by the end of the line (trailing blanks of the key not counted).
    Section,
    // The key, which ends with one blank, stands anywhere in the line.
    Article,
};

// Whether a line the readers deliver (text keys already translated) is the
// key line that key names under the rule.
bool KeyLineHolds(KeyRule rule, std::string_view line, std::string_view key);

// One version of a sectioned text file, read once: its bytes, where each of
// its lines begins, and tables from the keys of its section key lines to the
// lines that hold them, so that finding a section costs the same however far
// down the file it is. The lines are views into the bytes: nothing is copied
// line by line. Answers are exactly those of a scan from the top.
class FileIndex {
public:
    // Lines end with LF; a CR just before it belongs to the line end. A line
    // longer than maxLineBytes is cut there.
    FileIndex(std::string bytes, std::size_t maxLineBytes);
    FileIndex(const FileIndex&) = delete;
    FileIndex& operator=(const FileIndex&) = delete;

    const std::string& bytes() const { return bytes_; }
    std::size_t lineCount() const { return starts_.size() - 1; }
    std::string_view line(std::size_t index) const;

    // The 1-based number of the first line cut at the line limit; 0 when none.
    std::size_t firstLongLine() const { return firstLongLine_; }

    // Different for every index made in this run, so a table built from one
    // version of a file is never taken for another's.
    std::uint64_t serial() const { return serial_; }

    // The first line at or after `from` that begins with "¤" and is `text`
    // as it stands; nothing when there is none.
    std::optional<std::size_t> findWholeLine(std::string_view text, std::size_t from) const;

    // Whether findKeyLine can answer for the key: it begins with "¤" and ends
    // as the rule's keys end. Any other key is found by a scan.
    static bool Indexes(KeyRule rule, std::string_view key);

    // The first line at or after `from` that is not a text key line and
    // holds the key under the rule; nothing when there is none.
    std::optional<std::size_t> findKeyLine(KeyRule rule, std::string_view key,
                                           std::size_t from) const;

    // The text key lines ("¤¤..."), in file order: these are read as their
    // translation, so the key tables above do not hold them.
    const std::vector<std::uint32_t>& textKeyLines() const { return textKeyLines_; }

    // Text key line -> the line after its first occurrence, for the
    // language file. Built on first use.
    const std::unordered_map<std::string_view, std::string_view>& translations() const;

    // The text key lines whose translation begins with "¤", with that
    // translation, for one translation (named by a number that changes when
    // the translation does). Built once per translation.
    using TranslatedLines = std::vector<std::pair<std::size_t, std::string>>;
    const TranslatedLines&
    translatedKeyLines(std::uint64_t translation,
                       const std::function<std::string(std::string_view)>& translate) const;

private:
    struct Entry {
        std::uint32_t line;
        bool section; // the line holds the key under KeyRule::Section
        bool article; // ... under KeyRule::Article
    };

    void indexKeyLine(std::size_t index);
    std::size_t fullLength(std::size_t index) const;

    std::string bytes_;
    std::size_t maxLineBytes_;
    std::vector<std::size_t> starts_;
    std::size_t firstLongLine_ = 0;
    std::uint64_t serial_;
    std::unordered_map<std::string_view, std::vector<Entry>> keys_;
    std::unordered_map<std::string_view, std::uint32_t> wholeLines_;
    // Key lines with too many ways of reading a key out of them to list
    // (long runs of "¤" and blanks): tried one by one.
    std::vector<std::uint32_t> irregular_;
    std::vector<std::uint32_t> textKeyLines_;

    mutable std::unique_ptr<std::unordered_map<std::string_view, std::string_view>> translations_;
    mutable std::uint64_t translatedFor_ = 0;
    mutable std::unique_ptr<TranslatedLines> translated_;
};

} // namespace tv::data
