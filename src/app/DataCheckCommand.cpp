#include "app/DataCheckCommand.h"

#include "admin/DataCheck.h"
#include "app/CommandLine.h"
#include "platform/Cp1252.h"
#include "platform/FileBytes.h"
#include "platform/Json.h"

#include <algorithm>
#include <ostream>

namespace tv::app {

namespace {

struct DataCheckOptions {
    bool json = false;
    bool codes = false;
    std::string language;
};

std::optional<DataCheckOptions> ParseOptions(const std::vector<std::string>& args,
                                             std::ostream& err) {
    DataCheckOptions options;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--json" && !options.json) {
            options.json = true;
        } else if (arg == "--codes" && !options.codes) {
            options.codes = true;
        } else if (arg == "--lang" && i + 1 < args.size() && options.language.empty()) {
            options.language = platform::UpperCase(args[++i]);
            const auto& known = admin::kDataLanguages;
            if (std::find(std::begin(known), std::end(known), options.language) ==
                std::end(known)) {
                err << "datacheck: unknown language '" << args[i] << "'\n"
                    << kDataCheckUsage << '\n';
                return std::nullopt;
            }
        } else {
            err << kDataCheckUsage << '\n';
            return std::nullopt;
        }
    }
    if (options.json && options.codes) {
        err << "datacheck: --json and --codes do not go together\n" << kDataCheckUsage << '\n';
        return std::nullopt;
    }
    return options;
}

std::string JsonCount(std::uint64_t count) {
    return std::to_string(count);
}

std::string DataCheckJson(const admin::DataCheckResult& result) {
    std::string json = "{\"codes\":" + JsonCount(result.codes) +
                       ",\"lookups\":" + JsonCount(result.lookups) + ",\"findings\":[";
    for (std::size_t i = 0; i < result.findings.size(); ++i) {
        const admin::DataFinding& f = result.findings[i];
        json += (i ? ",{" : "{");
        json += "\"kind\":" + platform::JsonString(f.kind) +
                ",\"subject\":" + platform::JsonString(f.subject) +
                ",\"detail\":" + platform::JsonString(f.detail) +
                ",\"codes\":" + JsonCount(f.codes) + ",\"example\":" +
                (f.example.empty() ? std::string("null") : platform::JsonString(f.example));
        if (!f.language.empty())
            json += ",\"language\":" + platform::JsonString(f.language);
        json += "}";
    }
    return json + "]}";
}

} // namespace

int RunDataCheckCommand(const std::vector<std::string>& args, platform::Platform& platform,
                        std::ostream& out, std::ostream& err) {
    const auto options = ParseOptions(args, err);
    if (!options)
        return kExitFailure;
    auto installation = StartInstallation(platform, options->language);
    if (!installation)
        return kExitFailure;
    data::DataFiles& files = *installation->files;

    if (options->codes) {
        admin::ForEachAcceptedCode(
            files, [&out](std::string_view code) { out << platform::Cp1252ToUtf8(code) << '\n'; });
        out << std::flush;
        return out ? kExitValid : kExitInvalid;
    }
    const admin::DataCheckResult result = admin::CheckData(files, options->language);
    const int status = result.findings.empty() ? kExitValid : kExitInvalid;
    if (options->json) {
        out << DataCheckJson(result) << '\n' << std::flush;
        return status;
    }
    const auto written = admin::WriteDataCheck(files, result, platform.messages);
    if (!written)
        return kExitInvalid;
    const std::u8string path = written->u8string();
    out << platform::Cp1252ToUtf8(admin::DataCheckSummary(result)) << '\n'
        << std::string(path.begin(), path.end()) << '\n'
        << std::flush;
    return status;
}

} // namespace tv::app
