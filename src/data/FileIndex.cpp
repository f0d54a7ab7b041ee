#include "data/FileIndex.h"

#include <algorithm>
#include <atomic>
#include <cstring>

namespace tv::data {

namespace {

constexpr char kSectionSign = '\xA4'; // "¤" in Windows-1252

constexpr std::uint32_t kEndOfChain = 0xFFFFFFFF;

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
    const char* const data = bytes_.data();
    const std::size_t size = bytes_.size();

    // A line longer than the limit: more than the limit's bytes from a
    // line start without a LF. Each look covers a whole window of lines.
    for (std::size_t start = 0; start < size && firstLongLine_ == 0;) {
        const std::size_t window = std::min(size - start, maxLineBytes_ + 1);
        if (const void* lf = ::memrchr(data + start, '\n', window)) {
            start = static_cast<std::size_t>(static_cast<const char*>(lf) - data) + 1;
            continue;
        }
        if (window <= maxLineBytes_)
            break; // a short last line
        if (lineEnd(start) - start > maxLineBytes_)
            firstLongLine_ = linesBefore(start) + 1;
        else
            start = nextLine(start); // the limit's bytes and a CR
    }

    // Only the lines that begin with "¤" are visited: every "¤" of the file
    // is found, and the ones at the start of a line are kept.
    std::vector<std::uint32_t> keyLines;
    std::size_t offset = 0;
    while (offset < size) {
        const void* sign = std::memchr(data + offset, kSectionSign, size - offset);
        if (!sign)
            break;
        offset = static_cast<std::size_t>(static_cast<const char*>(sign) - data);
        if (offset == 0 || data[offset - 1] == '\n')
            keyLines.push_back(static_cast<std::uint32_t>(offset));
        offset = nextLine(offset);
    }
    std::size_t slots = 16;
    while (slots < 2 * keyLines.size())
        slots *= 2;
    slots_.resize(slots);
    links_.reserve(keyLines.size());
    for (const std::uint32_t offset : keyLines) {
        const std::string_view text = lineAt(offset);
        listLine(offset, text);
        if (IsTextKeyLine(text))
            textKeyLines_.push_back(offset);
        else if (text.find(kSectionSign, 1) != std::string_view::npos)
            moreSigns_.push_back(offset);
    }
}

std::size_t FileIndex::lineEnd(std::size_t offset) const {
    const void* lf = std::memchr(bytes_.data() + offset, '\n', bytes_.size() - offset);
    std::size_t end =
        lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - bytes_.data()) : bytes_.size();
    if (end > offset && bytes_[end - 1] == '\r')
        --end;
    return end;
}

std::string_view FileIndex::lineAt(std::size_t offset) const {
    if (offset >= bytes_.size())
        return {};
    return std::string_view(bytes_).substr(offset,
                                           std::min(lineEnd(offset) - offset, maxLineBytes_));
}

std::size_t FileIndex::nextLine(std::size_t offset) const {
    if (offset >= bytes_.size())
        return bytes_.size();
    const void* lf = std::memchr(bytes_.data() + offset, '\n', bytes_.size() - offset);
    return lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - bytes_.data()) + 1
              : bytes_.size();
}

std::size_t FileIndex::linesBefore(std::size_t offset) const {
    offset = std::min(offset, bytes_.size());
    std::size_t lines = static_cast<std::size_t>(
        std::count(bytes_.begin(), bytes_.begin() + static_cast<std::ptrdiff_t>(offset), '\n'));
    // The last line, read to the end of a file without a final LF.
    if (offset == bytes_.size() && offset > 0 && bytes_.back() != '\n')
        ++lines;
    return lines;
}

std::uint64_t FileIndex::WordHash(std::string_view text) {
    const std::uint64_t hash = std::hash<std::string_view>()(text.substr(0, text.find(' ')));
    return hash == 0 ? 1 : hash;
}

void FileIndex::listLine(std::uint32_t offset, std::string_view text) {
    const std::uint64_t hash = WordHash(text);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        Slot& slot = slots_[at];
        const auto link = static_cast<std::uint32_t>(links_.size());
        if (slot.hash == 0) {
            slot = {hash, link, link};
        } else if (slot.hash == hash) {
            links_[slot.last].next = link;
            slot.last = link;
        } else {
            continue;
        }
        links_.push_back({offset, kEndOfChain});
        return;
    }
}

const FileIndex::Slot* FileIndex::slotOf(std::uint64_t hash) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        if (slots_[at].hash == hash)
            return &slots_[at];
        if (slots_[at].hash == 0)
            return nullptr;
    }
}

std::optional<std::size_t> FileIndex::findWholeLine(std::string_view text, std::size_t from) const {
    if (text.empty() || text[0] != kSectionSign)
        return std::nullopt;
    if (const Slot* slot = slotOf(WordHash(text))) {
        for (std::uint32_t at = slot->first; at != kEndOfChain; at = links_[at].next) {
            if (links_[at].line >= from && lineAt(links_[at].line) == text)
                return links_[at].line;
        }
    }
    return std::nullopt;
}

bool FileIndex::Indexes(std::string_view key) {
    return !key.empty() && key[0] == kSectionSign;
}

std::optional<std::size_t> FileIndex::findKeyLine(KeyRule rule, std::string_view key,
                                                  std::size_t from) const {
    auto holds = [&](std::size_t offset) {
        const std::string_view text = lineAt(offset);
        return !IsTextKeyLine(text) && KeyLineHolds(rule, text, key);
    };
    std::optional<std::size_t> best;
    if (const Slot* slot = slotOf(WordHash(key))) {
        for (std::uint32_t at = slot->first; at != kEndOfChain; at = links_[at].next) {
            if (links_[at].line >= from && holds(links_[at].line)) {
                best = links_[at].line;
                break;
            }
        }
    }
    auto other = std::lower_bound(moreSigns_.begin(), moreSigns_.end(), from);
    for (; other != moreSigns_.end() && (!best || *other < *best); ++other) {
        if (holds(*other)) {
            best = *other;
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
    for (const std::uint32_t offset : textKeyLines_)
        map->emplace(lineAt(offset), lineAt(nextLine(offset)));
    translations_ = std::move(map);
    return *translations_;
}

const FileIndex::TranslatedLines&
FileIndex::translatedKeyLines(std::uint64_t translation,
                              const std::function<std::string(std::string_view)>& translate) const {
    if (translated_ && translatedFor_ == translation)
        return *translated_;
    auto lines = std::make_unique<TranslatedLines>();
    for (const std::uint32_t offset : textKeyLines_) {
        std::string text = translate(lineAt(offset));
        if (!text.empty() && text[0] == kSectionSign)
            lines->emplace_back(offset, std::move(text));
    }
    translated_ = std::move(lines);
    translatedFor_ = translation;
    return *translated_;
}

} // namespace tv::data
