#include "data/FileIndex.h"

#include <algorithm>
#include <atomic>

namespace tv::data {

namespace {

constexpr char kSectionSign = '\xA4'; // "¤" in Windows-1252

// A key line whose "¤"s and blanks give more candidate keys than this is not
// listed in the key table (a run of junk would otherwise give millions).
constexpr std::size_t kMaxCandidatesPerLine = 64;

bool IsTextKeyLine(std::string_view line) {
    return line.size() >= 2 && line[0] == kSectionSign && line[1] == kSectionSign;
}

std::atomic<std::uint64_t> nextSerial{1};

} // namespace

bool KeyLineHolds(KeyRule rule, std::string_view line, std::string_view key) {
    if (line.empty() || line[0] != kSectionSign)
        return false;
    const std::size_t at = line.find(key);
    if (at == std::string_view::npos)
        return false;
    if (rule == KeyRule::Article)
        return true;
    std::size_t keyLength = key.size();
    while (keyLength > 0 && key[keyLength - 1] == ' ')
        --keyLength;
    const std::size_t after = at + keyLength;
    return after == line.size() || (after < line.size() && line[after] == ' ');
}

FileIndex::FileIndex(std::string bytes, std::size_t maxLineBytes)
    : bytes_(std::move(bytes)), maxLineBytes_(maxLineBytes), serial_(nextSerial++) {
    // starts_ ends with where a line after the last would begin, so line i
    // always ends just before starts_[i + 1] - 1 (its LF, or the end).
    std::size_t start = 0;
    while (start < bytes_.size()) {
        starts_.push_back(start);
        const std::size_t lf = bytes_.find('\n', start);
        start = lf == std::string::npos ? bytes_.size() + 1 : lf + 1;
    }
    const std::size_t lines = starts_.size();
    starts_.push_back(start);
    for (std::size_t i = 0; i < lines; ++i) {
        if (firstLongLine_ == 0 && fullLength(i) > maxLineBytes_)
            firstLongLine_ = i + 1;
        const std::string_view text = line(i);
        if (text.empty() || text[0] != kSectionSign)
            continue;
        wholeLines_.emplace(text, static_cast<std::uint32_t>(i));
        if (IsTextKeyLine(text))
            textKeyLines_.push_back(static_cast<std::uint32_t>(i));
        else
            indexKeyLine(i);
    }
}

std::size_t FileIndex::fullLength(std::size_t index) const {
    const std::size_t start = starts_[index];
    std::size_t end = starts_[index + 1] - 1;
    if (end > start && bytes_[end - 1] == '\r')
        --end;
    return end - start;
}

std::string_view FileIndex::line(std::size_t index) const {
    return std::string_view(bytes_).substr(starts_[index],
                                           std::min(fullLength(index), maxLineBytes_));
}

void FileIndex::indexKeyLine(std::size_t index) {
    const std::string_view text = line(index);
    std::vector<std::size_t> signs;
    std::vector<std::size_t> ends;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == kSectionSign)
            signs.push_back(i);
        else if (text[i] == ' ')
            ends.push_back(i);
    }
    ends.push_back(text.size());
    if (signs.size() * ends.size() > kMaxCandidatesPerLine) {
        irregular_.push_back(static_cast<std::uint32_t>(index));
        return;
    }
    // Every text from a "¤" up to a blank or the end of the line is a key
    // the line may be found by.
    for (const std::size_t from : signs) {
        for (const std::size_t to : ends) {
            if (to <= from || text[to - 1] == ' ')
                continue;
            const std::string_view key = text.substr(from, to - from);
            const bool section = text.find(key) == from;
            const bool article = to < text.size();
            std::vector<Entry>& entries = keys_[key];
            if (!entries.empty() && entries.back().line == index) {
                entries.back().section = entries.back().section || section;
                entries.back().article = entries.back().article || article;
            } else {
                entries.push_back({static_cast<std::uint32_t>(index), section, article});
            }
        }
    }
}

std::optional<std::size_t> FileIndex::findWholeLine(std::string_view text, std::size_t from) const {
    const auto found = wholeLines_.find(text);
    if (found == wholeLines_.end())
        return std::nullopt;
    if (found->second >= from)
        return found->second;
    for (std::size_t i = from; i < lineCount(); ++i) {
        if (line(i) == text)
            return i;
    }
    return std::nullopt;
}

bool FileIndex::Indexes(KeyRule rule, std::string_view key) {
    if (key.size() < 2 || key[0] != kSectionSign)
        return false;
    if (rule == KeyRule::Section)
        return key.back() != ' ';
    return key.back() == ' ' && key[key.size() - 2] != ' ';
}

std::optional<std::size_t> FileIndex::findKeyLine(KeyRule rule, std::string_view key,
                                                  std::size_t from) const {
    std::optional<std::size_t> best;
    const std::string_view bare = rule == KeyRule::Article ? key.substr(0, key.size() - 1) : key;
    if (const auto found = keys_.find(bare); found != keys_.end()) {
        const std::vector<Entry>& entries = found->second;
        auto at = std::lower_bound(entries.begin(), entries.end(), from,
                                   [](const Entry& e, std::size_t line) { return e.line < line; });
        for (; at != entries.end(); ++at) {
            if (rule == KeyRule::Section ? at->section : at->article) {
                best = at->line;
                break;
            }
        }
    }
    auto irregular = std::lower_bound(irregular_.begin(), irregular_.end(), from);
    for (; irregular != irregular_.end() && (!best || *irregular < *best); ++irregular) {
        if (KeyLineHolds(rule, line(*irregular), key)) {
            best = *irregular;
            break;
        }
    }
    return best;
}

const std::unordered_map<std::string_view, std::string_view>& FileIndex::translations() const {
    if (translations_)
        return *translations_;
    // Every text key line is a candidate key, the translation lines too, and
    // the first occurrence wins: the same answers a scan from the top gives.
    auto map = std::make_unique<std::unordered_map<std::string_view, std::string_view>>();
    for (const std::uint32_t i : textKeyLines_)
        map->emplace(line(i), i + 1 < lineCount() ? line(i + 1) : std::string_view());
    translations_ = std::move(map);
    return *translations_;
}

const FileIndex::TranslatedLines&
FileIndex::translatedKeyLines(std::uint64_t translation,
                              const std::function<std::string(std::string_view)>& translate) const {
    if (translated_ && translatedFor_ == translation)
        return *translated_;
    auto lines = std::make_unique<TranslatedLines>();
    for (const std::uint32_t i : textKeyLines_) {
        std::string text = translate(line(i));
        if (!text.empty() && text[0] == kSectionSign)
            lines->emplace_back(i, std::move(text));
    }
    translated_ = std::move(lines);
    translatedFor_ = translation;
    return *translated_;
}

} // namespace tv::data
