#include "app/EditorCommands.h"

#include "admin/ArticleEditor.h"
#include "app/CommandLine.h"
#include "app/Startup.h"
#include "data/DataFiles.h"
#include "platform/Cp1252.h"
#include "platform/FileBytes.h"

#include <algorithm>
#include <charconv>
#include <memory>
#include <optional>
#include <ostream>
#include <string_view>

namespace tv::app {

namespace {

// A path as the terminal shows it.
std::string PathLine(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// The arguments in Windows-1252, exactly as typed. A character the data
// files cannot hold would otherwise reach the article file as "?", so an
// argument that cannot be converted ends the command (said on err, with its
// place and its text as far as it can be shown).
std::optional<std::vector<std::string>> ArgumentsInCp1252(std::string_view command,
                                                          const std::vector<std::string>& args,
                                                          std::ostream& err) {
    std::vector<std::string> converted;
    converted.reserve(args.size());
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::optional<std::string> text = platform::Utf8ToCp1252Strict(args[i]);
        if (!text) {
            err << command << ": argument " << i << " '"
                << platform::Cp1252ToUtf8(platform::ShownInMessage(platform::Utf8ToCp1252(args[i])))
                << "' is not UTF-8 text that Windows-1252 can hold; the data files cannot take "
                   "it\n";
            return std::nullopt;
        }
        converted.push_back(std::move(*text));
    }
    return converted;
}

// The key as the article file writes it. The "¤" that opens every key line
// may be left out, since not every keyboard or shell types it easily.
std::string ArticleKey(const std::string& typed) {
    if (typed.starts_with('\xA4'))
        return typed;
    return data::SectionKey(typed);
}

struct FieldText {
    int field = 0;
    std::string text; // Windows-1252
};

// The FIELD=TEXT arguments from `first` on: FIELD a record field the edit
// boxes show, TEXT something a field line can hold. Nothing (said on err)
// at the first one that is not.
std::optional<std::vector<FieldText>> ParseFieldTexts(std::string_view command,
                                                      const std::vector<std::string>& args,
                                                      std::size_t first, std::ostream& err) {
    std::vector<FieldText> fieldTexts;
    for (std::size_t i = first; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const std::string shown = platform::Cp1252ToUtf8(platform::ShownInMessage(arg));
        const auto equals = arg.find('=');
        if (equals == std::string::npos || equals == 0) {
            err << command << ": '" << shown << "' is not FIELD=TEXT\n";
            return std::nullopt;
        }
        const std::string_view number(arg.data(), equals);
        int field = 0;
        const auto [end, problem] =
            std::from_chars(number.data(), number.data() + number.size(), field);
        if (problem != std::errc() || end != number.data() + number.size()) {
            err << command << ": '" << shown
                << "' names no field: FIELD is a record field number, 1 to " << admin::kEditorFields
                << "\n";
            return std::nullopt;
        }
        if (field < 1 || field > admin::kEditorFields) {
            err << command << ": field " << field << " is not a record field (1 to "
                << admin::kEditorFields << ")\n";
            return std::nullopt;
        }
        if (admin::BoxOfField(field) == 0) {
            err << command << ": field " << field
                << " is a dimensioning offset, which the editor never changes\n";
            return std::nullopt;
        }
        const bool repeated =
            std::any_of(fieldTexts.begin(), fieldTexts.end(),
                        [&](const FieldText& given) { return given.field == field; });
        if (repeated) {
            err << command << ": field " << field << " is given twice\n";
            return std::nullopt;
        }
        std::string text = arg.substr(equals + 1);
        if (const std::string why = admin::FieldValueProblem(text); !why.empty()) {
            err << command << ": field " << field << " cannot hold '"
                << platform::Cp1252ToUtf8(platform::ShownInMessage(text))
                << "': " << platform::Cp1252ToUtf8(why) << "\n";
            return std::nullopt;
        }
        fieldTexts.push_back({field, std::move(text)});
    }
    return fieldTexts;
}

// The editor's Save with the boxes as filled, and the exit status of its
// outcome. The failures are said by the save itself.
int Save(data::DataFiles& files, const admin::SaveRequest& request, platform::Platform& platform,
         platform::FileSystem& disk, std::ostream& out) {
    const admin::SaveOutcome outcome =
        admin::SaveRecord(files, request, platform.system, platform.messages, disk);
    switch (outcome.result) {
    case admin::SaveResult::Saved:
        out << PathLine(outcome.articleFile) << '\n' << std::flush;
        return kExitValid;
    case admin::SaveResult::Refused:
        return kExitFailure;
    case admin::SaveResult::NotFound:
    case admin::SaveResult::Changed:
    case admin::SaveResult::Failed:
        return kExitInvalid;
    }
    return kExitInvalid;
}

// What the edit and new commands share: the arguments converted and checked
// before start-up writes anything.
struct RecordArguments {
    std::string key; // with its "¤"
    std::vector<FieldText> fieldTexts;
};

std::optional<RecordArguments> ParseRecordArguments(std::string_view command, const char* usage,
                                                    const std::vector<std::string>& args,
                                                    std::ostream& err) {
    if (args.size() < 2 || args[0] != command || args[1].empty()) {
        err << usage << '\n';
        return std::nullopt;
    }
    const auto converted = ArgumentsInCp1252(command, args, err);
    if (!converted)
        return std::nullopt;
    RecordArguments parsed;
    parsed.key = ArticleKey((*converted)[1]);
    auto fieldTexts = ParseFieldTexts(command, *converted, 2, err);
    if (!fieldTexts) {
        err << usage << '\n';
        return std::nullopt;
    }
    parsed.fieldTexts = std::move(*fieldTexts);
    return parsed;
}

void Fill(admin::RecordFields& fields, const std::vector<FieldText>& fieldTexts) {
    for (const FieldText& given : fieldTexts)
        fields[static_cast<std::size_t>(given.field)] = given.text;
}

} // namespace

int RunListCommand(const std::vector<std::string>& args, platform::Platform& platform,
                   std::ostream& out, std::ostream& err) {
    if (args.size() != 2 || args[0] != "list") {
        err << kListUsage << '\n';
        return kExitFailure;
    }
    const auto converted = ArgumentsInCp1252("list", args, err);
    if (!converted)
        return kExitFailure;
    const std::string kind = platform::UpperCase((*converted)[1]);
    if (std::find(admin::kRecordKinds.begin(), admin::kRecordKinds.end(), kind) ==
        admin::kRecordKinds.end()) {
        err << "list: unknown record kind '"
            << platform::Cp1252ToUtf8(platform::ShownInMessage((*converted)[1])) << "'\n"
            << kListUsage << '\n';
        return kExitFailure;
    }

    const auto installation = StartInstallation(platform);
    if (!installation)
        return kExitFailure;
    const auto listing = admin::ListRecords(*installation->files, kind, platform.messages);
    if (!listing)
        return kExitInvalid;
    if (listing->written)
        out << PathLine(listing->file) << '\n';
    for (const std::string& key : listing->keys)
        out << platform::Cp1252ToUtf8(key) << '\n';
    out << platform::Cp1252ToUtf8(listing->status()) << '\n' << std::flush;
    return listing->written ? kExitValid : kExitInvalid;
}

int RunEditCommand(const std::vector<std::string>& args, platform::Platform& platform,
                   platform::FileSystem& disk, std::ostream& out, std::ostream& err) {
    const auto parsed = ParseRecordArguments("edit", kEditUsage, args, err);
    if (!parsed)
        return kExitFailure;

    const auto installation = StartInstallation(platform);
    if (!installation)
        return kExitFailure;
    admin::SaveRequest request;
    request.key = parsed->key;
    // A key the file does not hold, or a file that cannot be read, still
    // goes to the save: it says which, in the editor's words, and writes
    // nothing.
    // What it reads now is what the save compares under its lock: a record
    // saved by someone else in between is refused, not overwritten.
    if (auto record = admin::OpenRecord(*installation->files, request.key)) {
        request.fields = std::move(record->fields);
        request.opened = std::move(record->text);
    }
    Fill(request.fields, parsed->fieldTexts);
    return Save(*installation->files, request, platform, disk, out);
}

int RunNewCommand(const std::vector<std::string>& args, platform::Platform& platform,
                  platform::FileSystem& disk, std::ostream& out, std::ostream& err) {
    const auto parsed = ParseRecordArguments("new", kNewUsage, args, err);
    if (!parsed)
        return kExitFailure;
    if (!admin::IsValidNewKey(parsed->key, admin::kNewRecordKind)) {
        err << "new: '" << platform::Cp1252ToUtf8(platform::ShownInMessage(parsed->key))
            << "' cannot be a new key: it must begin with \"\u00A4\", end with \""
            << admin::kNewRecordKind
            << "\", have at least three characters between the two and hold no blank\n";
        return kExitFailure;
    }

    const auto installation = StartInstallation(platform);
    if (!installation)
        return kExitFailure;
    admin::SaveRequest request;
    request.isNew = true;
    request.key = parsed->key;
    request.fields = admin::NewRecordFields();
    Fill(request.fields, parsed->fieldTexts);
    return Save(*installation->files, request, platform, disk, out);
}

} // namespace tv::app
