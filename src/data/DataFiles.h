#pragma once

#include "data/TextFile.h"
#include "platform/FileBytes.h"
#include "platform/MessageBoxes.h"
#include "platform/System.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tv::data {

// A list section as the readers deliver it: slots 1 to 30 hold the lines,
// slot 0 is left to the caller.
using ListLines = std::array<std::string, 31>;
inline constexpr int kMaxListLines = 30;

// The five head lines of the parameter file, as kept program-wide (line 1
// is free text; line 3, the maker's own directory, means nothing here).
struct ParamHead {
    std::string identification; // line 2
    std::string passCode;       // line 4 read from its last character to its first
    std::string codeSuffix;     // line 5
};

// A help panel of the language file: where it goes (twips) and its text.
struct HelpPanel {
    int top = 0;
    int left = 0;
    int width = 0;
    int height = 0;
    int margin = 0;
    std::string text; // lines joined by CR LF
};

// The language head: the first lines of a language file.
struct LanguageHead {
    std::string windowCaption;
    bool showTopText = false;
    std::string topText; // already with " ver. " and the program version
    std::string exitCaption;
    std::string backCaption;
    std::string nextCaption;
};

inline constexpr const char* kProgramVersion = "1.8.11";

// The first regular file of a directory (in name order, so the same
// directory always gives the same file) whose Windows-1252 name matches.
std::optional<std::filesystem::path>
FirstFile(const std::filesystem::path& directory,
          const std::function<bool(std::string_view name)>& matches);

// Whether a file name is the stem alone or the stem and an extension ("."
// and anything), compared without regard to case.
bool HasStem(std::string_view name, std::string_view stem);

// The section key line of a name: "¤" + name.
std::string SectionKey(std::string_view name);

// The text key of a Norwegian text: "¤¤" + text.
std::string TextKey(std::string_view text);

// Windows-1252 names <-> file system paths (UTF-8 on this platform).
std::filesystem::path ToPath(std::string_view cp1252);
std::string PathText(const std::filesystem::path& path);

// One user-level operation: a click, a key, a command. While one is under
// way, each data file is looked at on disk once, at its first open, and
// that version answers every read of the operation, so no answer mixes two
// versions of a file. Operations nest; the outermost one counts.
class Operation {
public:
    Operation();
    ~Operation();
    Operation(const Operation&) = delete;
    Operation& operator=(const Operation&) = delete;

    // The operation under way on this thread; 0 when none (every open then
    // looks at the file on disk).
    static std::uint64_t current();
};

// Why a data file of this size is not read: "is 600 MB, larger than ...".
std::string TooLargeProblem(std::uint64_t size);

// The data directory with its three sectioned text files, the current
// language and the little state the readers keep program-wide. Every
// operation reads the files as they are on disk at that moment: a file is
// read and indexed once per version, and a version is known by its device,
// inode, size, modification and change time. A version whose modification
// time was too close to the moment it was read (a later change could carry
// the same time) is compared by content at the next look.
class DataFiles {
public:
    DataFiles(std::filesystem::path dataDirectory, std::string language,
              platform::MessageBoxes& messages);

    const std::filesystem::path& dataDirectory() const { return dataDirectory_; }
    const std::string& language() const { return language_; }
    void setLanguage(std::string code) { language_ = std::move(code); }

    // The path of a file of the data directory, its name matched without
    // regard to case; dataDirectory / name when no file matches.
    std::filesystem::path locate(std::string_view name) const;

    // The first regular file of the data directory (in name order) whose
    // Windows-1252 name matches. The directory is looked at once per
    // operation and listed again only when it changed (a version as for the
    // files).
    std::optional<std::filesystem::path>
    firstFile(const std::function<bool(std::string_view name)>& matches) const;

    // The first file that firstFile gives for the names with the stem
    // (HasStem). The answer is kept with the listing: the names are
    // compared once per stem and version of the directory.
    std::optional<std::filesystem::path> firstFileWithStem(std::string_view stem) const;

    // Opens a file of the data directory for reading; nothing when it does
    // not exist or cannot be read.
    std::optional<TextFile> open(std::string_view name) const;

    std::optional<TextFile> openParameterFile() const { return open("Tessaro.dat"); }
    std::optional<TextFile> openArticleFile() const { return open("Vantordata.dat"); }

    // The current language's file. When a language other than Norwegian has
    // no file, the Norwegian one stands in for it (reported once).
    std::optional<TextFile> openLanguageFile() const;

    // Shows a data problem to the user, once per run for the same text.
    void report(const std::string& text) const;

    // Whether a data file that exists could not be read (an error, or too
    // large), so that a command does not end as if all was well.
    bool readFailed() const { return readFailed_; }

    // The program has written a data file: the versions held for the
    // operation under way are looked at again.
    void filesWritten() const {
        pinned_.clear();
        listing_ = {};
    }

    // How text key lines are read now: a number that changes with the
    // language and with the language file's version, and the translation
    // itself (which keeps that version).
    struct Translation {
        std::uint64_t serial = 0;
        std::function<std::string(std::string_view textKey)> translate;
    };
    Translation translation() const;

    // Parameter file.
    void ReadParamHead(TextFile& file);
    std::string ReadParamIdentification();
    int ReadParamSection(std::string_view key, ListLines& lines);
    std::string LookupCodeLetter(std::string_view key) const;

    // Language file.
    std::string TranslateText(std::string_view textKey) const;
    std::string ReadLangText(std::string_view key) const;
    int ReadLangSection(std::string_view key, ListLines& lines) const;
    std::optional<HelpPanel> ReadHelpPanel(std::string_view helpKey,
                                           std::string_view connectionText = {}) const;
    LanguageHead ReadLanguageHead(TextFile& file) const;

    ParamHead head;
    std::string currentSectionTitle;

private:
    // The version of a file held in memory.
    struct Snapshot {
        platform::FileVersion version;
        std::shared_ptr<const FileIndex> index;
        std::int64_t readAt = 0; // wall clock when its reading began
    };
    // What an open gave in the operation under way.
    struct Pinned {
        std::uint64_t operation = 0;
        std::shared_ptr<const FileIndex> index;
        std::string name;
    };

    // The held index of the file at `path`, read again unless `version`
    // (the file's on disk now; nothing for no regular file) proves it is the
    // one held.
    std::shared_ptr<const FileIndex> current(const std::filesystem::path& path,
                                             std::optional<platform::FileVersion> version) const;

    // The regular files of the data directory in name order, with their
    // Windows-1252 names and their names on disk, as listed for the
    // operation `operation`.
    struct Listing {
        std::uint64_t operation = 0;
        std::vector<std::pair<std::string, std::string>> files;
        std::optional<platform::FileVersion> version; // of the directory, before it was listed
        std::int64_t listedAt = 0;                    // wall clock when its listing began
        bool links = false; // an entry is a link, which may change without the directory
        std::map<std::string, std::optional<std::filesystem::path>, std::less<>> stems;
    };
    void list(std::uint64_t operation) const;
    // Makes listing_ the one of the operation under way (listed again when
    // needed); firstListed gives its first file whose name matches.
    void listForThisOperation() const;
    std::optional<std::filesystem::path>
    firstListed(const std::function<bool(std::string_view name)>& matches) const;
    int readList(TextFile& file, std::string_view key, ListLines& lines) const;

    std::filesystem::path dataDirectory_;
    std::string language_;
    platform::MessageBoxes& messages_;
    mutable std::map<std::filesystem::path, Snapshot> snapshots_;
    mutable std::map<std::string, Pinned, std::less<>> pinned_;
    mutable bool readFailed_ = false;
    mutable Listing listing_;
    mutable std::set<std::string> reported_;
};

// Writes a file of the program's own (a check's findings, a probe) into the
// data directory through the safe write, replacing a file of that name in
// any letter case: to the staff's Windows machines it is the same file.
// Gives its path; a failed write is said as what + " could not be written:"
// with the path and the reason and gives nothing, and a note of a write that
// succeeded is said as what + " was written, but " + the note.
std::optional<std::filesystem::path>
WriteDataDirectoryFile(const DataFiles& files, std::string_view name, std::string_view bytes,
                       std::string_view what, platform::MessageBoxes& messages);

// When a data file was last changed, in the user's date and time format
// ("" when that cannot be had): the file dates of the start screen's head
// text and of the order report.
std::string DataFileTime(const DataFiles& files, const platform::System& system,
                         std::string_view name);

} // namespace tv::data
