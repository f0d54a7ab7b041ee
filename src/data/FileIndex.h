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

// One version of a sectioned text file, read once: its bytes and a table
// from the keys of its section key lines to the lines that hold them, so
// that finding a section costs the same however far down the file it is.
// Lines are named by the offset of their first byte and are views into the
// bytes: nothing is copied line by line, and only the key lines are visited
// when the table is built. Answers are exactly those of a scan from the top.
class FileIndex {
public:
    // Lines end with LF; a CR just before it belongs to the line end. A line
    // longer than maxLineBytes is cut there.
    FileIndex(std::string bytes, std::size_t maxLineBytes);
    FileIndex(const FileIndex&) = delete;
    FileIndex& operator=(const FileIndex&) = delete;

    const std::string& bytes() const { return bytes_; }

    // Lines: the first begins at offset 0; the file ends at end().
    std::size_t end() const { return bytes_.size(); }
    // The line that begins at the offset, without its line end.
    std::string_view lineAt(std::size_t offset) const;
    // Where the line after the one at the offset begins (end() after the last).
    std::size_t nextLine(std::size_t offset) const;
    // How many lines begin before the offset.
    std::size_t linesBefore(std::size_t offset) const;

    // The 1-based number of the first line cut at the line limit; 0 when none.
    std::size_t firstLongLine() const { return firstLongLine_; }

    // Different for every index made in this run, so a table built from one
    // version of a file is never taken for another's.
    std::uint64_t serial() const { return serial_; }

    // The first line at or after offset `from` that begins with "¤" and is
    // `text` as it stands; nothing when there is none.
    std::optional<std::size_t> findWholeLine(std::string_view text, std::size_t from) const;

    // Whether findKeyLine can answer for the key: it begins with "¤". Any
    // other key is found by a scan.
    static bool Indexes(std::string_view key);

    // The first line at or after offset `from` that is not a text key line
    // and holds the key under the rule; nothing when there is none.
    std::optional<std::size_t> findKeyLine(KeyRule rule, std::string_view key,
                                           std::size_t from) const;

    // The lines that begin with "¤" (text key lines too), in file order.
    std::size_t keyLineCount() const { return links_.size(); }
    std::size_t keyLineAt(std::size_t i) const { return links_[i].line; }

    // The offsets of the text key lines ("¤¤..."), in file order: these are
    // read as their translation, so the key table gives none of them.
    const std::vector<std::uint32_t>& textKeyLines() const { return textKeyLines_; }

    // Text key line -> the line after its first occurrence, for the
    // language file. Built on first use.
    const std::unordered_map<std::string_view, std::string_view>& translations() const;

    // The offsets of the text key lines whose translation begins with "¤",
    // with that translation, for one translation (named by a number that
    // changes when the translation does). Built once per translation.
    using TranslatedLines = std::vector<std::pair<std::size_t, std::string>>;
    const TranslatedLines&
    translatedKeyLines(std::uint64_t translation,
                       const std::function<std::string(std::string_view)>& translate) const;

private:
    // The lines that begin with "¤" are listed by the text up to their first
    // blank (their first word): a line that holds a key where it begins has
    // the key's first word as its own. The lists are chains in line order in
    // one flat table, looked up by the word's hash; every line a chain gives
    // is checked against the key itself.
    struct Slot {
        std::uint64_t hash = 0; // 0: free
        std::uint32_t first = 0;
        std::uint32_t last = 0;
    };
    struct Link {
        std::uint32_t line; // offset
        std::uint32_t next;
    };

    static std::uint64_t WordHash(std::string_view text);
    void listLine(std::uint32_t offset, std::string_view text);
    const Slot* slotOf(std::uint64_t hash) const;
    std::size_t lineEnd(std::size_t offset) const;

    std::string bytes_;
    std::size_t maxLineBytes_;
    std::size_t firstLongLine_ = 0;
    std::uint64_t serial_;
    std::vector<Slot> slots_;
    std::vector<Link> links_;
    // Key lines with a "¤" after their start: a key may stand there too,
    // so they are tried one by one.
    std::vector<std::uint32_t> moreSigns_;
    std::vector<std::uint32_t> textKeyLines_;

    mutable std::unique_ptr<std::unordered_map<std::string_view, std::string_view>> translations_;
    mutable std::uint64_t translatedFor_ = 0;
    mutable std::unique_ptr<TranslatedLines> translated_;
};

} // namespace tv::data
