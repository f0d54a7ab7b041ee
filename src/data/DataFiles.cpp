#include "data/DataFiles.h"

#include "platform/Cp1252.h"
#include "platform/FileBytes.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <atomic>
#include <system_error>

namespace tv::data {

std::string SectionKey(std::string_view name) {
    return std::string(1, kSection) + std::string(name);
}

bool HasStem(std::string_view name, std::string_view stem) {
    const bool withExtension = name.size() > stem.size() && name[stem.size()] == '.';
    return platform::EqualsIgnoringCase(withExtension ? name.substr(0, stem.size()) : name, stem);
}

std::string TextKey(std::string_view text) {
    return std::string(2, kSection) + std::string(text);
}

std::filesystem::path ToPath(std::string_view cp1252) {
    const std::string utf8 = platform::Cp1252ToUtf8(cp1252);
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string PathText(const std::filesystem::path& path) {
    const std::u8string utf8 = path.u8string();
    return platform::Utf8ToCp1252(std::string(utf8.begin(), utf8.end()));
}

DataFiles::DataFiles(std::filesystem::path dataDirectory, std::string language,
                     platform::MessageBoxes& messages)
    : dataDirectory_(std::move(dataDirectory)), language_(std::move(language)),
      messages_(messages) {}

std::optional<std::filesystem::path>
FirstFile(const std::filesystem::path& directory,
          const std::function<bool(std::string_view name)>& matches) {
    std::optional<std::filesystem::path> first;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(directory, error)) {
        if (!entry.is_regular_file(error) || !matches(PathText(entry.path().filename())))
            continue;
        if (!first || entry.path() < *first)
            first = entry.path();
    }
    return first;
}

std::filesystem::path DataFiles::locate(std::string_view name) const {
    std::filesystem::path exact = dataDirectory_ / ToPath(name);
    std::error_code error;
    if (std::filesystem::exists(exact, error))
        return exact;
    return firstFile([name](std::string_view candidate) {
               return platform::EqualsIgnoringCase(candidate, name);
           })
        .value_or(exact);
}

namespace {

thread_local int operationDepth = 0;
thread_local std::uint64_t operationId = 0;
std::atomic<std::uint64_t> lastOperation{0};

// A file changed less than this before it was read may change again with
// the same times: file systems keep times in whole seconds (some in two),
// and even fine ones step only with the kernel's clock tick.
constexpr std::int64_t kRacyNanoseconds = 2'000'000'000;

std::string Megabytes(std::uint64_t bytes) {
    return std::to_string((bytes + 1024 * 1024 - 1) / (1024 * 1024)) + " MB";
}

} // namespace

Operation::Operation() {
    if (operationDepth++ == 0)
        operationId = ++lastOperation;
}

Operation::~Operation() {
    if (--operationDepth == 0)
        operationId = 0;
}

std::uint64_t Operation::current() {
    return operationId;
}

void DataFiles::list(std::uint64_t operation) const {
    // The directory's version is taken before it is listed: a change while
    // it is listed leaves a version that no longer matches.
    const std::optional<platform::FileVersion> version = platform::DirectoryVersion(dataDirectory_);
    if (version && listing_.version == version && !listing_.links) {
        const std::int64_t touched = std::max(version->modified, version->changed);
        if (touched + kRacyNanoseconds <= listing_.listedAt) {
            listing_.operation = operation;
            return;
        }
    }
    Listing listing;
    listing.operation = operation;
    listing.version = version;
    listing.listedAt = platform::WallClockNanoseconds();
    platform::DirectoryListing onDisk = platform::ListDirectory(dataDirectory_);
    listing.links = onDisk.links;
    std::sort(onDisk.regularFiles.begin(), onDisk.regularFiles.end());
    listing.files.reserve(onDisk.regularFiles.size());
    for (std::string& name : onDisk.regularFiles) {
        std::string text = platform::Utf8ToCp1252(name);
        listing.files.emplace_back(std::move(text), std::move(name));
    }
    listing_ = std::move(listing);
}

void DataFiles::listForThisOperation() const {
    const std::uint64_t operation = Operation::current();
    if (operation == 0 || listing_.operation != operation)
        list(operation);
}

std::optional<std::filesystem::path>
DataFiles::firstListed(const std::function<bool(std::string_view name)>& matches) const {
    for (const auto& [name, onDisk] : listing_.files) {
        if (matches(name))
            return dataDirectory_ / onDisk;
    }
    return std::nullopt;
}

std::optional<std::filesystem::path>
DataFiles::firstFile(const std::function<bool(std::string_view name)>& matches) const {
    listForThisOperation();
    return firstListed(matches);
}

std::optional<std::filesystem::path> DataFiles::firstFileWithStem(std::string_view stem) const {
    listForThisOperation();
    auto& stems = listing_.stems; // a cache of the listing, kept with it
    if (const auto held = stems.find(stem); held != stems.end())
        return held->second;
    auto found = firstListed([stem](std::string_view name) { return HasStem(name, stem); });
    stems.emplace(std::string(stem), found);
    return found;
}

std::string TooLargeProblem(std::uint64_t size) {
    return "is " + Megabytes(size) + ", larger than the " + Megabytes(kMaxFileBytes) +
           " a data file may have; it is not read";
}

std::shared_ptr<const FileIndex>
DataFiles::current(const std::filesystem::path& path,
                   std::optional<platform::FileVersion> version) const {
    const std::string name = PathText(path.filename());
    if (!version) {
        snapshots_.erase(path);
        return nullptr;
    }
    auto problemIndex = [&](const std::string& problem) {
        readFailed_ = true;
        snapshots_.erase(path);
        report(name + ": " + problem + ".");
        return std::make_shared<const FileIndex>(std::string(), kMaxLineBytes);
    };
    if (version->size > kMaxFileBytes)
        return problemIndex(TooLargeProblem(version->size));

    Snapshot& held = snapshots_[path];
    // Either time may be the one a later change leaves as it was.
    const std::int64_t touched = std::max(held.version.modified, held.version.changed);
    const bool racy = touched + kRacyNanoseconds > held.readAt;
    if (held.index && held.version == *version && !racy)
        return held.index;

    const std::int64_t readAt = platform::WallClockNanoseconds();
    platform::FileRead read = platform::ReadRegularFile(path, kMaxFileBytes);
    if (read.missing) {
        snapshots_.erase(path);
        return nullptr;
    }
    // A file that opens but cannot be read is said as such, not taken for
    // an empty one.
    if (!read.readable)
        return problemIndex("cannot be read (" + read.reason + ")");
    if (read.truncated)
        return problemIndex(TooLargeProblem(read.version.size));
    // The same bytes under the same times: the version held stays, with
    // the tables already built from it.
    if (!(held.index && held.version == read.version && held.index->bytes() == read.bytes))
        held.index = std::make_shared<const FileIndex>(std::move(read.bytes), kMaxLineBytes);
    held.version = read.version;
    held.readAt = readAt;
    if (const std::size_t line = held.index->firstLongLine(); line != 0)
        report(name + ": line " + std::to_string(line) + " is longer than " +
               std::to_string(kMaxLineBytes) + " characters; the rest of that line is ignored.");
    return held.index;
}

std::optional<TextFile> DataFiles::open(std::string_view name) const {
    const std::uint64_t operation = Operation::current();
    if (operation != 0) {
        if (const auto pinned = pinned_.find(name);
            pinned != pinned_.end() && pinned->second.operation == operation) {
            if (!pinned->second.index)
                return std::nullopt;
            return TextFile(pinned->second.index, pinned->second.name, this);
        }
    }
    // The name as it is asked for is the usual case, and its file's version
    // is all that is needed of it; only a name in other letters is listed.
    std::filesystem::path path = dataDirectory_ / ToPath(name);
    std::optional<platform::FileVersion> version = platform::RegularFileVersion(path);
    if (!version) {
        path = locate(name);
        version = platform::RegularFileVersion(path);
    }
    std::shared_ptr<const FileIndex> index = current(path, version);
    std::string fileName = PathText(path.filename());
    if (operation != 0)
        pinned_[std::string(name)] = Pinned{operation, index, fileName};
    if (!index)
        return std::nullopt;
    return TextFile(std::move(index), std::move(fileName), this);
}

namespace {

std::string Translated(const FileIndex& languageFile, std::string_view textKey) {
    const auto& translations = languageFile.translations();
    const auto found = translations.find(textKey);
    return found == translations.end() ? std::string(KeyText(textKey)) : std::string(found->second);
}

} // namespace

DataFiles::Translation DataFiles::translation() const {
    auto keyText = [](std::string_view textKey) {
        return std::string(KeyText(textKey));
    };
    if (language_ == "NO")
        return {0, keyText};
    auto file = openLanguageFile();
    if (!file)
        return {0, keyText};
    const std::uint64_t serial = file->contents().serial();
    return {serial, [file = std::move(*file)](std::string_view textKey) {
                return Translated(file.contents(), textKey);
            }};
}

std::optional<TextFile> DataFiles::openLanguageFile() const {
    const std::string name = "Lang_" + language_ + ".txt";
    if (auto file = open(name))
        return file;
    if (language_ == "NO")
        return std::nullopt;
    report("Language file " + name + " not found in " + PathText(dataDirectory_) +
           "\r\nNorwegian texts are shown instead.");
    return open("Lang_NO.txt");
}

void DataFiles::report(const std::string& text) const {
    if (reported_.insert(text).second)
        messages_.inform(text);
}

void DataFiles::ReadParamHead(TextFile& file) {
    ReadTextLine(file); // free text
    head.identification = ReadTextLine(file);
    ReadTextLine(file); // the maker's directory
    const std::string reversed = ReadTextLine(file);
    head.passCode.assign(reversed.rbegin(), reversed.rend());
    head.codeSuffix = ReadTextLine(file);
}

std::string DataFiles::ReadParamIdentification() {
    auto file = openParameterFile();
    if (!file)
        return {};
    ReadParamHead(*file);
    return head.identification;
}

int DataFiles::readList(TextFile& file, std::string_view key, ListLines& lines) const {
    int count = 0;
    while (auto line = ReadListLine(file)) {
        if (count == kMaxListLines) {
            report(file.name() + ", section " + std::string(key) + ": more than " +
                   std::to_string(kMaxListLines) + " lines; only the first " +
                   std::to_string(kMaxListLines) + " are used.");
            break;
        }
        lines[++count] = std::move(*line);
    }
    return count;
}

int DataFiles::ReadParamSection(std::string_view key, ListLines& lines) {
    auto file = openParameterFile();
    if (!file || !FindSection(key, *file))
        return -1;
    currentSectionTitle = ReadTextLine(*file);
    return readList(*file, key, lines);
}

std::string DataFiles::LookupCodeLetter(std::string_view key) const {
    auto file = openParameterFile();
    if (!file)
        return {};
    const std::optional<std::size_t> line = file->contents().findWholeLine(key, 0);
    if (!line)
        return {};
    file->seek(file->contents().nextLine(*line));
    return ReadTextLine(*file).substr(0, 1);
}

std::string DataFiles::TranslateText(std::string_view textKey) const {
    if (language_ == "NO")
        return std::string(KeyText(textKey));
    const auto file = openLanguageFile();
    return file ? Translated(file->contents(), textKey) : std::string(KeyText(textKey));
}

std::string DataFiles::ReadLangText(std::string_view key) const {
    std::string result = std::string(key) + " not found in Lang_" + language_;
    auto file = openLanguageFile();
    if (file && FindSection(key, *file))
        result = file->readLine();
    return result;
}

int DataFiles::ReadLangSection(std::string_view key, ListLines& lines) const {
    auto file = openLanguageFile();
    if (!file || !FindSection(key, *file))
        return -1;
    return readList(*file, key, lines);
}

std::optional<HelpPanel> DataFiles::ReadHelpPanel(std::string_view helpKey,
                                                  std::string_view connectionText) const {
    auto file = openLanguageFile();
    if (!file || !FindSection(SectionKey(std::string(helpKey) + "_hlp"), *file))
        return std::nullopt;
    HelpPanel panel;
    panel.top = ReadNumberLine(*file);
    panel.left = ReadNumberLine(*file);
    panel.width = ReadNumberLine(*file);
    panel.height = ReadNumberLine(*file);
    panel.margin = ReadNumberLine(*file);

    static constexpr std::string_view placeholder = "$ConnSelectedText";
    while (auto line = ReadListLine(*file)) {
        if (const auto at = line->find(placeholder); at != std::string::npos)
            line->replace(at, placeholder.size(), connectionText);
        if (!panel.text.empty())
            panel.text += "\r\n";
        // A line of "$" (or one starting with it) stands for an empty line.
        panel.text += line->starts_with('$') ? std::string(" ") : *line;
    }
    return panel;
}

LanguageHead DataFiles::ReadLanguageHead(TextFile& file) const {
    LanguageHead head;
    head.windowCaption = ReadTextLine(file);
    head.showTopText = ReadNumberLine(file) >= 0;
    if (head.showTopText)
        head.topText = ReadTextLine(file) + " ver. " + kProgramVersion;
    head.exitCaption = ReadTextLine(file);
    head.backCaption = ReadTextLine(file);
    head.nextCaption = ReadTextLine(file);
    return head;
}

std::optional<std::filesystem::path>
WriteDataDirectoryFile(const DataFiles& files, std::string_view name, std::string_view bytes,
                       std::string_view what, platform::MessageBoxes& messages) {
    const std::filesystem::path path = files.locate(name);
    const platform::WriteResult written = platform::WriteFileSafely(path, bytes);
    if (!written) {
        messages.inform(std::string(what) + " could not be written:\r\n" + PathText(path) + "\r\n" +
                        written.reason);
        return std::nullopt;
    }
    if (!written.note.empty())
        messages.inform(std::string(what) + " was written, but " + written.note);
    return path;
}

std::string DataFileTime(const DataFiles& files, const platform::System& system,
                         std::string_view name) {
    const auto when = system.fileModified(files.locate(name));
    return when ? system.formatDateTime(*when) : std::string();
}

} // namespace tv::data
