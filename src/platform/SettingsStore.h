#pragma once

#include "platform/MessageBoxes.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

namespace tv::platform {

// The per-user settings store: text values addressed by application name,
// section and key ("Brivo"/"Startup"/"Language"). Texts are Windows-1252
// bytes, like everything else the program keeps.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The stored value, or "" when there is none.
    virtual std::string get(std::string_view app, std::string_view section,
                            std::string_view key) const = 0;

    // Stores the value. Returns false when it could not be stored; the
    // store then holds what it held before.
    virtual bool save(std::string_view app, std::string_view section, std::string_view key,
                      std::string_view value) = 0;

    // Whether a save has failed since the store was made.
    virtual bool saveFailed() const = 0;

    using Values = std::vector<std::pair<std::string, std::string>>;

    // Stores the key=value pairs of one section together: a reader beside
    // the program sees all of them or none. Returns false when they could
    // not be stored; the store then holds what it held before. By default
    // one save after the other.
    virtual bool saveAll(std::string_view app, std::string_view section, const Values& values);
};

// The real store: one plain text file per user,
// $XDG_CONFIG_HOME/tessaro-vavuvirivado/settings.ini (default ~/.config).
// Sections are written "[App\Section]", values "Key=Value", in Windows-1252
// with CR LF. In a value a backslash is written "\\", a CR "\r" and a LF
// "\n", so every value stays on its line. Application, section and key names
// match without regard to case, as in the Windows store; a name keeps the
// spelling it was first saved with. The file is read afresh for every
// get, so a CAD add-in writing beside the program is seen at once, and
// rewritten through a temporary file for every save, so a failed save
// never leaves half a file.
class FileSettingsStore final : public SettingsStore {
public:
    explicit FileSettingsStore(std::filesystem::path file);

    // $XDG_CONFIG_HOME (or ~/.config) + "/tessaro-vavuvirivado/settings.ini".
    static std::filesystem::path defaultPath();

    const std::filesystem::path& path() const { return file_; }

    std::string get(std::string_view app, std::string_view section,
                    std::string_view key) const override;
    bool save(std::string_view app, std::string_view section, std::string_view key,
              std::string_view value) override;
    // One read, one write and one rename of the file for all of them.
    bool saveAll(std::string_view app, std::string_view section, const Values& values) override;
    bool saveFailed() const override { return !problem_.empty(); }

    // The file and the reason of the last failed save ("" when none failed).
    const std::string& problem() const { return problem_; }
    // The file and why its values could not be read ("" when they could).
    const std::string& readProblem() const { return readProblem_; }

    // The largest settings file read: a larger one reads as empty and is
    // never rewritten, so a runaway file neither slows every read nor
    // loses what it holds.
    static constexpr std::size_t kMaxBytes = 1024 * 1024;

private:
    std::optional<std::string> read() const;

    std::filesystem::path file_;
    std::string problem_;
    mutable std::string readProblem_;
};

// The store the window and the commands use: the file store, and a message
// (the file and the reason) the first time a value cannot be saved, so a
// CAD program beside it never reads an older valve's values unnoticed.
// The value of key in the bytes of a settings file ("" when it has none),
// and those bytes with values saved into them: what FileSettingsStore reads
// from its file and writes back.
std::string SettingsValue(std::string_view bytes, std::string_view app, std::string_view section,
                          std::string_view key);
std::string WithSettingsValues(std::string_view bytes, std::string_view app,
                               std::string_view section, const SettingsStore::Values& values);

class ReportingSettingsStore final : public SettingsStore {
public:
    ReportingSettingsStore(FileSettingsStore& store, MessageBoxes& messages)
        : store_(store), messages_(messages) {}

    std::string get(std::string_view app, std::string_view section,
                    std::string_view key) const override;
    bool save(std::string_view app, std::string_view section, std::string_view key,
              std::string_view value) override;
    bool saveAll(std::string_view app, std::string_view section, const Values& values) override;
    bool saveFailed() const override { return store_.saveFailed(); }

private:
    bool said(bool saved);

    FileSettingsStore& store_;
    MessageBoxes& messages_;
    mutable bool readSaid_ = false;
    bool said_ = false;
};

// Test double: keeps the values in memory and counts the saves per key.
class MemorySettingsStore final : public SettingsStore {
public:
    std::string get(std::string_view app, std::string_view section,
                    std::string_view key) const override;
    bool save(std::string_view app, std::string_view section, std::string_view key,
              std::string_view value) override;

    // Number of save calls for the key since construction.
    int saveCount(std::string_view app, std::string_view section, std::string_view key) const;

    // When set, every save fails and changes nothing.
    bool failSaves = false;
    bool saveFailed() const override { return failed_; }

private:
    using Address = std::tuple<std::string, std::string, std::string>;
    std::map<Address, std::string> values_;
    std::map<Address, int> saves_;
    bool failed_ = false;
};

} // namespace tv::platform
