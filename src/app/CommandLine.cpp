#include "app/CommandLine.h"

#include "app/Startup.h"
#include "data/DataFiles.h"
#include "platform/Cp1252.h"
#include "wizard/Configuration.h"
#include "wizard/ValvePageLayout.h"

#include <ostream>

namespace tv::app {

namespace {

// Twelve positions and at least one character of the code suffix: the code
// entry screen checks nothing shorter.
constexpr std::size_t kShortestCode = wizard::kCodePositions + 1;

} // namespace

int RunCheckCommand(const std::vector<std::string>& args, platform::Platform& platform,
                    std::ostream& out, std::ostream& err) {
    if (args.size() != 2 || args[0] != "check") {
        err << kCheckUsage << '\n';
        return kExitFailure;
    }
    // A mistyped command is answered before start-up writes any setting.
    const std::string code = wizard::UpperCase(platform::Utf8ToCp1252(args[1]));
    if (code.size() < kShortestCode) {
        err << "check: the code must have at least " << kShortestCode
            << " characters: twelve positions and the code suffix\n";
        return kExitFailure;
    }

    const StartupOutcome startup = RunStartup(platform);
    if (!startup.ok) {
        platform.messages.inform(startup.failure);
        return kExitFailure;
    }
    data::DataFiles files(data::ToPath(startup.values.dataDirectory), startup.values.language,
                          platform.messages);
    wizard::Configuration configuration(files, wizard::ReadValvePageLayout(files));
    configuration.setMessages(&platform.messages);
    configuration.Clear();
    configuration.code = code;
    const int position = configuration.CheckCode();

    // The answer first, so that it leads the output when both streams
    // share a terminal or a log.
    out << position << '\n' << std::flush;
    if (position == 0)
        return kExitValid;
    // Quoted as typed: for a single valve the check has put "X" at position
    // 3 of the stored code.
    platform.messages.inform(wizard::PositionMessage(code, position));
    return kExitInvalid;
}

} // namespace tv::app
