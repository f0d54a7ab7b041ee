#include "app/CommandLine.h"

#include "admin/MenuCheck.h"
#include "data/CustomerDetails.h"
#include "app/Startup.h"
#include "data/DataFiles.h"
#include "platform/Cp1252.h"
#include "platform/FileBytes.h"
#include "result/ResultComputation.h"
#include "wizard/Configuration.h"
#include "wizard/ValvePageLayout.h"

#include <algorithm>
#include <cmath>
#include <array>
#include <cstdio>
#include <memory>
#include <optional>
#include <ostream>

namespace tv::app {

namespace {

// Twelve positions and at least one character of the code suffix: the code
// entry screen checks nothing shorter.
constexpr std::size_t kShortestCode = wizard::kCodePositions + 1;

constexpr std::array<std::string_view, 6> kLanguages = {"NO", "EN", "DE", "FI", "DK", "SE"};

// The typed code in upper case, as the code entry screen takes it; nothing
// (and a line on err) when it is too short to be checked.
std::optional<std::string> TypedCode(std::string_view command, const std::string& typed,
                                     std::ostream& err) {
    std::string code = platform::UpperCase(platform::Utf8ToCp1252(typed));
    if (code.size() >= kShortestCode)
        return code;
    err << command << ": the code must have at least " << kShortestCode
        << " characters: twelve positions and the code suffix\n";
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

// A valid code with its result, as the result screen has it.
struct ComputedCode {
    StartupValues values;
    std::unique_ptr<data::DataFiles> files;
    std::unique_ptr<wizard::Configuration> configuration;
    result::ResultState state;
};

// Start-up, the code check and the result computation of `result` and
// `report`. Gives the exit status when the command ends here.
std::optional<int> ComputeTypedCode(std::string_view command, const std::string& typedCode,
                                    const ResultOptions& options, platform::Platform& platform,
                                    std::ostream& err, ComputedCode& computed) {
    const auto typed = TypedCode(command, typedCode, err);
    if (!typed)
        return kExitFailure;
    const std::string& code = *typed;

    // For this run only: nothing of the two is written to the settings.
    auto installation = StartInstallation(platform, options.language);
    if (!installation)
        return kExitFailure;
    StartupValues& values = computed.values;
    values = std::move(installation->values);
    values.debugMode = values.debugMode || options.debug;
    computed.files = std::move(installation->files);
    data::DataFiles& files = *computed.files;
    computed.configuration =
        std::make_unique<wizard::Configuration>(files, wizard::ReadValvePageLayout(files));
    wizard::Configuration& configuration = *computed.configuration;
    configuration.setMessages(&platform.messages);
    configuration.Clear();
    configuration.code = code;
    if (const int position = configuration.CheckCode(); position != 0) {
        platform.messages.inform(wizard::PositionMessage(code, position));
        return kExitInvalid;
    }

    // A typed code: the accessory caption is the language's frame caption.
    const std::string caption = wizard::ReadValvePageCaptions(files).accessoryFrame;
    const result::ResultInputs inputs{configuration, values, caption};
    computed.state = result::ComputeResult(files, platform, inputs);
    return std::nullopt;
}

// A text of the program as a JSON string: UTF-8, with quotes, backslashes
// and control characters escaped.
std::string JsonText(std::string_view cp1252) {
    const std::string utf8 = platform::Cp1252ToUtf8(cp1252);
    std::string json = "\"";
    for (const char c : utf8) {
        switch (c) {
        case '"':
            json += "\\\"";
            break;
        case '\\':
            json += "\\\\";
            break;
        case '\r':
            json += "\\r";
            break;
        case '\n':
            json += "\\n";
            break;
        case '\t':
            json += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned char>(c));
                json += escape;
            } else {
                json += c;
            }
        }
    }
    return json + "\"";
}

// A JSON number: the shortest decimal form with a point.
// JSON has no infinity: a number that is none is written as null.
std::string JsonNumber(double value) {
    if (!std::isfinite(value))
        return "null";
    return result::FormatShortest(value, ".");
}

std::string JsonBool(bool value) {
    return value ? "true" : "false";
}

std::string ResultJson(const std::string& code, int valveType, const result::ResultState& state) {
    std::string json = "{\"code\":" + JsonText(code) +
                       ",\"valve_type\":" + std::to_string(valveType) +
                       ",\"result_text\":" + JsonText(state.resultText) +
                       ",\"vertical_length\":" + JsonNumber(state.vertical) +
                       ",\"horizontal_length\":" + JsonNumber(state.horizontal) +
                       ",\"total_weight\":" + JsonNumber(state.weight) +
                       ",\"vertical_complete\":" + JsonBool(state.verticalComplete) +
                       ",\"horizontal_complete\":" + JsonBool(state.horizontalComplete);

    static constexpr std::array<std::pair<result::PartSlot, const char*>, 5> kParts = {{
        {result::kCentre, "centre"},
        {result::kNorth, "north"},
        {result::kSouth, "south"},
        {result::kEast, "east"},
        {result::kWest, "west"},
    }};
    json += ",\"parts\":{";
    for (const auto& [slot, name] : kParts) {
        const result::Part& part = state.parts[slot];
        if (slot != result::kCentre)
            json += ",";
        json += std::string("\"") + name + "\":{\"key\":" + JsonText(part.key) +
                ",\"article_number\":" + JsonText(part.articleNumber) +
                ",\"description\":" + JsonText(part.description) +
                ",\"block_name\":" + JsonText(part.blockName) +
                ",\"length\":" + JsonNumber(part.length) +
                ",\"weight\":" + JsonNumber(part.weight) + "}";
    }

    // Connection slots 1 north, 2 east, 3 south, 4 west.
    static constexpr std::array<const char*, 4> kConnections = {"north", "east", "south", "west"};
    json += "},\"connections\":{";
    for (std::size_t slot = 1; slot <= 4; ++slot) {
        if (slot > 1)
            json += ",";
        json += std::string("\"") + kConnections[slot - 1] +
                "\":" + JsonText(state.connectionKeys[slot]);
    }

    json += "},\"handover\":{";
    bool first = true;
    for (const auto& [key, value] : state.handover) {
        if (!first)
            json += ",";
        first = false;
        json += JsonText(key) + ":" + JsonText(value);
    }
    return json + "}}";
}

} // namespace

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

int RunResultCommand(const std::vector<std::string>& args, platform::Platform& platform,
                     std::ostream& out, std::ostream& err) {
    const auto options = ParseResultArguments("result", args, err);
    if (!options) {
        err << kResultUsage << '\n';
        return kExitFailure;
    }
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

    const data::CustomerDetails customer = data::ReadCustomerDetails(tools.personalIni);
    const data::DataFiles& files = *computed.files;
    const wizard::Configuration& configuration = *computed.configuration;
    const output::ReportInputs inputs{configuration.code,
                                      configuration.record,
                                      computed.state,
                                      computed.values,
                                      customer,
                                      data::DataFileTime(files, platform.system, "Tessaro.dat"),
                                      data::DataFileTime(files, platform.system, "Vantordata.dat"),
                                      computed.values.debugMode};
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
