#include "app/CommandLine.h"

#include "app/ResultJson.h"

#include "admin/MenuCheck.h"
#include "data/CustomerDetails.h"
#include "app/Startup.h"
#include "data/DataFiles.h"
#include "platform/Cp1252.h"
#include "platform/FileBytes.h"
#include "platform/Json.h"
#include "result/ResultComputation.h"
#include "result/ResultScreenLayout.h"
#include "wizard/Configuration.h"
#include "wizard/ValvePageLayout.h"

#include <algorithm>
#include <cmath>
#include <array>
#include <istream>
#include <memory>
#include <optional>
#include <ostream>

namespace tv::app {

namespace {

// Twelve positions and at least one character of the code suffix: the code
// entry screen checks nothing shorter.
constexpr std::size_t kShortestCode = wizard::kCodePositions + 1;
// A line of `result -` is held up to this many bytes: no code is near it,
// and a line without an end cannot fill the memory.
constexpr std::size_t kLongestCodeLine = 1000;

constexpr std::array<std::string_view, 6> kLanguages = {"NO", "EN", "DE", "FI", "DK", "SE"};

// A code as the terminal gives it (UTF-8), in upper case, as the code
// entry screen takes it.
std::string CodeAsTyped(std::string_view typed) {
    return platform::UpperCase(platform::Utf8ToCp1252(typed));
}

std::string ShortCodeProblem() {
    return "the code must have at least " + std::to_string(kShortestCode) +
           " characters: twelve positions and the code suffix";
}

// The typed code in upper case; nothing (and a line on err) when it is too
// short to be checked.
std::optional<std::string> TypedCode(std::string_view command, const std::string& typed,
                                     std::ostream& err) {
    std::string code = CodeAsTyped(typed);
    if (code.size() >= kShortestCode)
        return code;
    err << command << ": " << ShortCodeProblem() << '\n';
    return std::nullopt;
}

struct ResultOptions {
    std::string code; // as typed
    bool debug = false;
    std::string language; // "" keeps the stored language
    bool open = false;    // report only
};

// The arguments of `result` and `report`; --open only for the report.
std::optional<ResultOptions> ParseResultArguments(std::string_view command,
                                                  const std::vector<std::string>& args,
                                                  std::ostream& err) {
    if (args.empty() || args[0] != command)
        return std::nullopt;
    ResultOptions options;
    bool haveCode = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--debug") {
            options.debug = true;
            continue;
        }
        if (arg == "--open" && command == "report") {
            options.open = true;
            continue;
        }
        if (arg == "--lang") {
            if (i + 1 == args.size())
                return std::nullopt;
            options.language = platform::UpperCase(args[++i]);
            if (std::find(kLanguages.begin(), kLanguages.end(), options.language) ==
                kLanguages.end()) {
                err << command << ": unknown language '" << args[i] << "'\n";
                return std::nullopt;
            }
            continue;
        }
        if (haveCode || arg.starts_with("--"))
            return std::nullopt;
        options.code = arg;
        haveCode = true;
    }
    if (!haveCode)
        return std::nullopt;
    return options;
}

} // namespace

int CommandStatus(int status, const platform::SettingsStore& settings) {
    return status == kExitValid && settings.saveFailed() ? kExitInvalid : status;
}

namespace {

// A data file that could not be read has been said; the answer printed
// from what was left is not one to rely on.
int DataStatus(const data::DataFiles& files) {
    return files.readFailed() ? kExitInvalid : kExitValid;
}

} // namespace

std::optional<CommandInstallation> StartInstallation(platform::Platform& platform,
                                                     const std::string& language) {
    StartupOutcome startup = RunStartup(platform);
    if (!startup.ok) {
        platform.messages.inform(startup.failure);
        return std::nullopt;
    }
    CommandInstallation installation{std::move(startup.values), nullptr};
    if (!language.empty())
        installation.values.language = language;
    installation.files =
        std::make_unique<data::DataFiles>(data::ToPath(installation.values.dataDirectory),
                                          installation.values.language, platform.messages);
    return installation;
}

namespace {

// Start-up for `result` and `report`, with the debug mode and the language
// of the run.
std::optional<CommandInstallation> StartResultRun(const ResultOptions& options,
                                                  platform::Platform& platform) {
    // For this run only: nothing of the two is written to the settings.
    auto installation = StartInstallation(platform, options.language);
    if (installation)
        installation->values.debugMode = installation->values.debugMode || options.debug;
    return installation;
}

} // namespace

// What a code is checked against besides the lists: the valve page, and
// the accessory caption of a typed code (the language's frame caption).
struct ValvePage {
    wizard::ValvePageLayout layout;
    std::string accessoryCaption;
};

namespace {

ValvePage ReadValvePage(data::DataFiles& files) {
    ValvePage page{wizard::ReadValvePageLayout(files), {}};
    page.accessoryCaption = wizard::ReadValvePageCaptions(files).accessoryFrame;
    return page;
}

// A code checked as the code entry screen checks it and, when it is valid,
// its result as the result screen has it.
struct CheckedCode {
    std::unique_ptr<wizard::Configuration> configuration;
    int position = 0; // the first invalid position; 0 for a valid code
    result::ResultState state;
};

CheckedCode CheckAndCompute(const std::string& code, const ValvePage& page,
                            const CommandInstallation& installation, platform::Platform& platform) {
    data::DataFiles& files = *installation.files;
    auto configuration = std::make_unique<wizard::Configuration>(files, page.layout);
    configuration->setMessages(&platform.messages);
    configuration->Clear();
    configuration->code = code;
    if (const int position = configuration->CheckCode(); position != 0)
        return {std::move(configuration), position, {}};
    const result::ResultInputs inputs{*configuration, installation.values, page.accessoryCaption};
    // The result is made in its place; the configuration it reads stays where it is.
    return {std::move(configuration), 0, result::ComputeResult(files, platform, inputs)};
}

// A valid code with its result, as the result screen has it.
struct ComputedCode {
    StartupValues values;
    std::unique_ptr<data::DataFiles> files;
    std::unique_ptr<wizard::Configuration> configuration;
    result::ResultState state;
};

// Start-up, the code check and the result computation of `result CODE` and
// `report`. Gives the exit status when the command ends here.
std::optional<int> ComputeTypedCode(std::string_view command, const std::string& typedCode,
                                    const ResultOptions& options, platform::Platform& platform,
                                    std::ostream& err, ComputedCode& computed) {
    const auto typed = TypedCode(command, typedCode, err);
    if (!typed)
        return kExitFailure;
    auto installation = StartResultRun(options, platform);
    if (!installation)
        return kExitFailure;
    CheckedCode checked =
        CheckAndCompute(*typed, ReadValvePage(*installation->files), *installation, platform);
    computed.values = std::move(installation->values);
    computed.files = std::move(installation->files);
    computed.configuration = std::move(checked.configuration);
    computed.state = std::move(checked.state);
    if (checked.position == 0)
        return std::nullopt;
    platform.messages.inform(wizard::PositionMessage(*typed, checked.position));
    return kExitInvalid;
}

// The next line of `in` without its line end, held up to one byte beyond
// kLongestCodeLine (the rest of a longer line is passed over). False at the
// end of the input.
bool ReadCodeLine(std::istream& in, std::string& line) {
    line.clear();
    std::streambuf& input = *in.rdbuf();
    bool any = false;
    bool carriageReturn = false; // the last byte, held back: a CR before the end is the line end's
    for (int c = input.sbumpc(); c != std::char_traits<char>::eof(); c = input.sbumpc()) {
        any = true;
        if (c == '\n')
            break;
        if (carriageReturn && line.size() <= kLongestCodeLine)
            line += '\r';
        carriageReturn = c == '\r';
        if (!carriageReturn && line.size() <= kLongestCodeLine)
            line += static_cast<char>(c);
    }
    return any;
}

// `result -`: one start-up, then one JSON line for each line of `in`.
int RunBulkResult(const ResultOptions& options, platform::Platform& platform, std::istream& in,
                  std::ostream& out) {
    std::optional<CommandInstallation> installation;
    {
        const data::Operation startup;
        installation = StartResultRun(options, platform);
    }
    if (!installation)
        return kExitFailure;
    CodeLines codes(*installation, platform);
    bool allValid = true;
    std::string line;
    while (ReadCodeLine(in, line)) {
        const CodeAnswer answer = codes.answer(line);
        allValid = allValid && answer.valid;
        // Each answer as soon as it is known, for a caller that writes the
        // next code once it has read the last answer.
        out << answer.json << '\n' << std::flush;
    }
    // A hand-over that could not be stored has been said by the store.
    const bool stored = codes.storeHandover();
    return allValid && stored ? DataStatus(*installation->files) : kExitInvalid;
}

} // namespace

// The file store rewrites and flushes its file at every save: the hand-over
// of each valid code takes the place of the one before in memory, and only
// the last is stored. A single value is stored at once.
class CodeLines::LastHandover final : public platform::SettingsStore {
public:
    explicit LastHandover(platform::SettingsStore& store) : store_(store) {}

    std::string get(std::string_view app, std::string_view section,
                    std::string_view key) const override {
        return store_.get(app, section, key);
    }
    bool save(std::string_view app, std::string_view section, std::string_view key,
              std::string_view value) override {
        return store_.save(app, section, key, value);
    }
    bool saveAll(std::string_view app, std::string_view section, const Values& values) override {
        last_ = Batch{std::string(app), std::string(section), values};
        return true;
    }
    bool saveFailed() const override { return store_.saveFailed(); }

    bool store() { return !last_ || store_.saveAll(last_->app, last_->section, last_->values); }

private:
    struct Batch {
        std::string app;
        std::string section;
        Values values;
    };
    platform::SettingsStore& store_;
    std::optional<Batch> last_;
};

// The valve page as read from two versions of the parameter file and the
// language file, known by the serials of their indexes.
struct CodeLines::HeldPage {
    std::uint64_t parameterFile = 0;
    std::uint64_t languageFile = 0;
    ValvePage page;
};

namespace {

// The platform with another settings store.
platform::Platform WithSettings(const platform::Platform& platform,
                                platform::SettingsStore& settings) {
    return {settings,       platform.messages,     platform.system,
            platform.shell, platform.windowSearch, platform.web};
}

} // namespace

CodeLines::CodeLines(const CommandInstallation& installation, platform::Platform& platform)
    : installation_(installation), handover_(std::make_unique<LastHandover>(platform.settings)),
      platform_(WithSettings(platform, *handover_)) {}

CodeLines::~CodeLines() = default;

namespace {

std::uint64_t Serial(const std::optional<data::TextFile>& file) {
    return file ? file->contents().serial() : 0;
}

} // namespace

const ValvePage& CodeLines::valvePage() {
    data::DataFiles& files = *installation_.files;
    const std::uint64_t parameterFile = Serial(files.openParameterFile());
    const std::uint64_t languageFile = Serial(files.openLanguageFile());
    if (!page_ || page_->parameterFile != parameterFile || page_->languageFile != languageFile)
        page_ =
            std::make_unique<HeldPage>(HeldPage{parameterFile, languageFile, ReadValvePage(files)});
    return page_->page;
}

CodeAnswer CodeLines::answer(std::string_view line) {
    const std::string code = CodeAsTyped(line);
    const data::Operation operation;
    // A line too short to be checked lacks the position after its end.
    if (code.size() < kShortestCode)
        return {InvalidCodeJson(code, ShortCodeProblem(), static_cast<int>(code.size()) + 1),
                false};
    if (line.size() > kLongestCodeLine)
        return {InvalidCodeJson(code.substr(0, kLongestCodeLine),
                                "the line is longer than " + std::to_string(kLongestCodeLine) +
                                    " characters",
                                static_cast<int>(kLongestCodeLine) + 1),
                false};
    const CheckedCode checked = CheckAndCompute(code, valvePage(), installation_, platform_);
    if (checked.position != 0)
        return {InvalidCodeJson(code, wizard::PositionMessage(code, checked.position),
                                checked.position),
                false};
    const wizard::Configuration& configuration = *checked.configuration;
    return {ResultJson(configuration.code, configuration.record.valveType, checked.state), true};
}

bool CodeLines::storeHandover() {
    return handover_->store();
}

int RunCheckCommand(const std::vector<std::string>& args, platform::Platform& platform,
                    std::ostream& out, std::ostream& err) {
    if (args.size() != 2 || args[0] != "check") {
        err << kCheckUsage << '\n';
        return kExitFailure;
    }
    // A mistyped command is answered before start-up writes any setting.
    const auto typed = TypedCode("check", args[1], err);
    if (!typed)
        return kExitFailure;
    const std::string& code = *typed;

    const auto installation = StartInstallation(platform);
    if (!installation)
        return kExitFailure;
    data::DataFiles& files = *installation->files;
    wizard::Configuration configuration(files, wizard::ReadValvePageLayout(files));
    configuration.setMessages(&platform.messages);
    configuration.Clear();
    configuration.code = code;
    const int position = configuration.CheckCode();

    // The answer first, so that it leads the output when both streams
    // share a terminal or a log.
    out << position << '\n' << std::flush;
    if (position == 0)
        return DataStatus(files);
    // Quoted as typed: for a single valve the check has put "X" at position
    // 3 of the stored code.
    platform.messages.inform(wizard::PositionMessage(code, position));
    return kExitInvalid;
}

bool ReadsCodesFromInput(const std::vector<std::string>& args) {
    return !args.empty() && args[0] == "result" &&
           std::find(args.begin() + 1, args.end(), "-") != args.end();
}

int RunResultCommand(const std::vector<std::string>& args, platform::Platform& platform,
                     std::istream& in, std::ostream& out, std::ostream& err) {
    const auto options = ParseResultArguments("result", args, err);
    if (!options) {
        err << kResultUsage << '\n';
        return kExitFailure;
    }
    if (options->code == "-")
        return RunBulkResult(*options, platform, in, out);
    ComputedCode computed;
    if (const auto status =
            ComputeTypedCode("result", options->code, *options, platform, err, computed))
        return *status;
    const wizard::Configuration& configuration = *computed.configuration;
    out << ResultJson(configuration.code, configuration.record.valveType, computed.state) << '\n'
        << std::flush;
    return DataStatus(*computed.files);
}

int RunReportCommand(const std::vector<std::string>& args, platform::Platform& platform,
                     const ReportTools& tools, std::ostream& out, std::ostream& err) {
    const auto options = ParseResultArguments("report", args, err);
    if (!options) {
        err << kReportUsage << '\n';
        return kExitFailure;
    }
    ComputedCode computed;
    if (const auto status =
            ComputeTypedCode("report", options->code, *options, platform, err, computed))
        return *status;
    // The report paints the pictures the result screen shows.
    result::LayOutResultScreen(*computed.files, *computed.configuration, computed.values,
                               computed.state);

    const data::CustomerDetails customer = data::ReadCustomerDetails(tools.personalIni);
    const data::DataFiles& files = *computed.files;
    const wizard::Configuration& configuration = *computed.configuration;
    const output::ReportInputs inputs{configuration.code,
                                      configuration.record,
                                      computed.state,
                                      computed.values,
                                      customer,
                                      data::DataFileTime(files, platform.system, "Tessaro.dat"),
                                      data::DataFileTime(files, platform.system, "Vantordata.dat")};
    bool bitmapSaved = false;
    output::SaveBitmap saveBitmap;
    if (tools.saveBitmap)
        saveBitmap = [&](const std::filesystem::path& path) {
            platform::WriteResult saved = tools.saveBitmap(path);
            bitmapSaved = static_cast<bool>(saved);
            return saved;
        };
    const auto outcome =
        output::WriteReport(inputs, *computed.files, platform, tools.canvas, saveBitmap);
    if (!outcome.written)
        return kExitInvalid;

    const std::u8string path = outcome.path.u8string();
    out << std::string(path.begin(), path.end()) << '\n' << std::flush;
    // The report stands written whether or not a browser shows it.
    if (options->open && (!platform.shell || !platform.shell->open(data::PathText(outcome.path))))
        err << "report: the desktop could not open the report; open it yourself\n";
    // The report names its picture: without it the page is not complete.
    return bitmapSaved ? DataStatus(files) : kExitInvalid;
}

int RunMenuCheckCommand(const std::vector<std::string>& args, platform::Platform& platform,
                        std::ostream& out, std::ostream& err) {
    if (args.size() != 1 || args[0] != "menucheck") {
        err << kMenuCheckUsage << '\n';
        return kExitFailure;
    }
    const auto installation = StartInstallation(platform);
    if (!installation)
        return kExitFailure;
    const auto written = admin::WriteMenuCheck(*installation->files, platform.messages);
    if (!written)
        return kExitInvalid;
    const std::u8string path = written->u8string();
    out << std::string(path.begin(), path.end()) << '\n' << std::flush;
    return DataStatus(*installation->files);
}

} // namespace tv::app
