#include "app/CommandLine.h"
#include "app/DataCheckCommand.h"
#include "app/EditorCommands.h"
#include "gui/MainWindow.h"
#include "app/Startup.h"
#include "data/DataFiles.h"
#include "platform/FileSystem.h"
#include "platform/MessageBoxes.h"
#include "platform/SettingsStore.h"
#include "platform/X11WindowSearch.h"
#include "platform/qt/QtMessageBoxes.h"
#include "platform/qt/QtShell.h"
#include "platform/qt/QtSystem.h"
#include "platform/qt/QtWebClient.h"
#include "gui/result/QtCanvas.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>

#include <algorithm>
#include <array>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

// The command lines, then what each does.
constexpr const char* kUsageHelp =
    "Usage: tessaro-vavuvirivado [--version | --help]\n"
    "       tessaro-vavuvirivado check CODE\n"
    "       tessaro-vavuvirivado result CODE|- [--debug] [--lang XX]\n"
    "       tessaro-vavuvirivado report CODE [--debug] [--lang XX] [--open]\n"
    "       tessaro-vavuvirivado menucheck\n"
    "       tessaro-vavuvirivado datacheck [--json] [--codes] [--lang XX]\n"
    "       tessaro-vavuvirivado list KIND\n"
    "       tessaro-vavuvirivado edit KEY [FIELD=TEXT]...\n"
    "       tessaro-vavuvirivado new KEY [FIELD=TEXT]...\n"
    "\n";

constexpr const char* kWindowHelp =
    "Without arguments the configurator window opens on the installation found\n"
    "in the setting TarnelPath, or else in the current directory, which must\n"
    "hold the data directory Tessaro/ and the report directory TeHtml/.\n"
    "\n";

constexpr const char* kCheckHelp =
    "  check CODE  check a configuration code (twelve positions and the code\n"
    "              suffix) against the same installation, without a window;\n"
    "              prints the first invalid position, 0 when the code is valid.\n"
    "              Exit status 0 valid, 1 invalid, 2 wrong usage or an\n"
    "              installation that cannot be used. Messages go to standard\n"
    "              error.\n";

constexpr const char* kResultHelp =
    "  result CODE [--debug] [--lang XX]\n"
    "              check the code as above and, when it is valid, compute its\n"
    "              result as the result screen does and print it as one JSON\n"
    "              object: code, valve_type, result_text, vertical_length,\n"
    "              horizontal_length, total_weight, vertical_complete,\n"
    "              horizontal_complete, parts, connections and handover.\n"
    "              Like the window, it writes the hand-over settings for the\n"
    "              CAD program (CenterPartLength, ValveHouseLengthN, ...,\n"
    "              ConnectionWestName) to the settings store. --debug adds\n"
    "              the debug information to the result text and --lang XX\n"
    "              (NO, EN, DE, FI, DK or SE) chooses the language, both for\n"
    "              this run only. Every object ends with missing and unused:\n"
    "              the article keys looked up that have no record, and those\n"
    "              whose record is marked UNUSED. Exit status as for check.\n";

constexpr const char* kResultInputHelp =
    "  result - [--debug] [--lang XX]\n"
    "              the same for every line of standard input, one code a\n"
    "              line, after one start-up: prints one JSON object a line, in\n"
    "              order, the result's for a valid code and {\"code\", \"error\",\n"
    "              \"position\"} for any other line (an empty one too, or one\n"
    "              longer than 1000 characters, which is not held whole), and\n"
    "              goes on. Only the last valid code's hand-over settings are\n"
    "              written, once the input has ended. Exit status 0 when every\n"
    "              line was a valid code, 1 otherwise, 2 as for check.\n";

constexpr const char* kReportHelp =
    "  report CODE [--debug] [--lang XX] [--open]\n"
    "              do what result does, then write the order report as the\n"
    "              result screen's Rapport button does: the .htm and the .bmp\n"
    "              of the valve picture in the report directory TeHtml/, with\n"
    "              the customer details of personal.ini (beside a portable\n"
    "              program, else beside the settings file).\n"
    "              Prints the path of the .htm; --open also opens it in the\n"
    "              desktop's browser. Needs no display. Exit status 1 when the\n"
    "              report could not be written in full, else as for check.\n";

constexpr const char* kMenuCheckHelp =
    "  menucheck   check every flange menu of the dimension lists against the\n"
    "              article file, as the administration screen's Menykontroll\n"
    "              does, and write the findings to MenuCheck.txt in the data\n"
    "              directory; prints its path. Exit status 1 when a dimension\n"
    "              list is missing (nothing is written) or the file could not\n"
    "              be written, 2 as for check.\n";

constexpr const char* kDataCheckHelp =
    "  datacheck [--json] [--codes] [--lang XX]\n"
    "              check every configuration a customer can reach, through the\n"
    "              wizard or a typed code, against the data files: the lists\n"
    "              and their code letters, the option combinations and bottoms,\n"
    "              every article record the result and the report look up,\n"
    "              the key lines of the article file and the language files.\n"
    "              Writes the findings, each with the number of accepted codes\n"
    "              it touches and one of them, to DataCheck.txt in the data\n"
    "              directory and prints a summary and its path. --json prints\n"
    "              them as one JSON object instead (codes, lookups, findings:\n"
    "              kind, subject, detail, codes, example, language) and writes\n"
    "              nothing; --codes prints every accepted code, one a line,\n"
    "              sorted; --lang XX makes only that language's findings.\n"
    "              Exit status 0 without findings, 1 with findings or when\n"
    "              the file could not be written, 2 as for check.\n";

constexpr const char* kListHelp =
    "  list KIND   list the article records of a kind (_VHK, _CPD, _BRV, _TK,\n"
    "              _AKT, _SPK or _CLD) as the administration screen's data\n"
    "              buttons do: writes the listing file S + KIND + .txt in the\n"
    "              data directory and prints its path, the key of every record\n"
    "              of the kind, one a line, and \"Fant N records\". Exit status\n"
    "              1 when the listing file could not be written (the keys are\n"
    "              still printed), 2 for an unknown kind, else as for check.\n";

constexpr const char* kEditHelp =
    "  edit KEY [FIELD=TEXT]...\n"
    "              change an article record as the record editor does: FIELD\n"
    "              is a record field, 1 to 12 but not 4 or 5 (1 article\n"
    "              number, 2 description, 6 length, 7 CAD block name, 8\n"
    "              weight, 9 price), TEXT its new line (empty: UNUSED); the\n"
    "              other fields stay. The leading \u00A4 of KEY may be left out.\n"
    "              The article file is rewritten, one save at a time, through\n"
    "              a work file VantorData.new.* of its own, the previous one\n"
    "              kept as VantorData.bak, and the record gets a change note;\n"
    "              prints the article file's path. Exit status 1 when the key\n"
    "              is not in the file or the file could not be written (nothing\n"
    "              changed), 2 for a bad argument (nothing written), else as\n"
    "              for check.\n";

constexpr const char* kNewHelp =
    "  new KEY [FIELD=TEXT]...\n"
    "              add a connection record of the kind _TK as the editor's new\n"
    "              record does: KEY begins with \u00A4 (may be left out), ends\n"
    "              with _TK and has at least three characters between; the\n"
    "              fields start as the editor's boxes do (4 is 888, 5 is 999,\n"
    "              6 \"0.0 m\", 8 \"0.0 kg\", 10 to 12 UNUSED). Exit status 2\n"
    "              for a key that is not valid or already exists, else as for\n"
    "              edit.\n";

constexpr const char* kProgramOptionsHelp = "  --version   print the program version and exit\n"
                                            "  --help      print this text and exit\n";
void PrintHelp(std::ostream& out) {
    for (const char* part :
         {kUsageHelp, kWindowHelp, kCheckHelp, kResultHelp, kResultInputHelp, kReportHelp,
          kMenuCheckHelp, kDataCheckHelp, kListHelp, kEditHelp, kNewHelp, kProgramOptionsHelp})
        out << part;
}

// The directory of the program file, where a portable installation keeps
// personal.ini.
std::filesystem::path ProgramDirectory() {
    return std::filesystem::path(QCoreApplication::applicationDirPath().toStdString());
}

// A command runs headless: its messages go to standard error, and it needs
// no display.
int RunNamedCommand(int argc, char* argv[], const std::vector<std::string>& args,
                    tv::platform::SettingsStore& settings, tv::platform::MessageBoxes& messages) {
    if (args[0] == "report") {
        // The report draws the valve picture, which takes the graphics part
        // of Qt; without a display it draws off screen.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
            qEnvironmentVariableIsEmpty("DISPLAY") &&
            qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication application(argc, argv);
        application.setApplicationName("tessaro-vavuvirivado");
        tv::platform::QtSystem system;
        tv::platform::QtShell shell;
        tv::platform::Platform platform{settings, messages, system, &shell};
        tv::result::QtCanvas canvas;
        const tv::app::ReportTools tools{
            canvas, [&canvas](const auto& path) { return canvas.saveBitmap(path); },
            tv::data::PersonalIniPath(ProgramDirectory())};
        return tv::app::RunReportCommand(args, platform, tools, std::cout, std::cerr);
    }

    QCoreApplication application(argc, argv);
    application.setApplicationName("tessaro-vavuvirivado");
    tv::platform::QtSystem system;
    tv::platform::Platform platform{settings, messages, system};
    if (args[0] == "result")
        return tv::app::RunResultCommand(args, platform, std::cin, std::cout, std::cerr);
    if (args[0] == "menucheck")
        return tv::app::RunMenuCheckCommand(args, platform, std::cout, std::cerr);
    if (args[0] == "datacheck")
        return tv::app::RunDataCheckCommand(args, platform, std::cout, std::cerr);
    if (args[0] == "list")
        return tv::app::RunListCommand(args, platform, std::cout, std::cerr);
    tv::platform::PosixFileSystem disk;
    if (args[0] == "edit")
        return tv::app::RunEditCommand(args, platform, disk, std::cout, std::cerr);
    if (args[0] == "new")
        return tv::app::RunNewCommand(args, platform, disk, std::cout, std::cerr);
    return tv::app::RunCheckCommand(args, platform, std::cout, std::cerr);
}

int RunCommand(int argc, char* argv[], const std::vector<std::string>& args) {
    // A command is one operation: every data file is looked at once and
    // read in one version. `result -` makes one of each code it reads.
    std::optional<tv::data::Operation> operation;
    if (!tv::app::ReadsCodesFromInput(args))
        operation.emplace();
    tv::platform::FileSettingsStore file(tv::platform::FileSettingsStore::defaultPath());
    tv::platform::StderrMessageBoxes messages;
    tv::platform::ReportingSettingsStore settings(file, messages);
    return tv::app::CommandStatus(RunNamedCommand(argc, argv, args, settings, messages), settings);
}

// Every event the window handles (a click, a key, a timer) is one operation
// on the data files: each file is looked at on disk once for it and read in
// one version, however many lookups the event makes.
class Application final : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        const tv::data::Operation operation;
        return QApplication::notify(receiver, event);
    }
};

} // namespace

int main(int argc, char* argv[]) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && args[0] == "--version") {
        std::cout << tv::data::kProgramVersion << '\n';
        return 0;
    }
    if (!args.empty() && args[0] == "--help") {
        PrintHelp(std::cout);
        return 0;
    }
    static constexpr std::array<std::string_view, 8> kCommands = {
        "check", "result", "report", "menucheck", "datacheck", "list", "edit", "new"};
    if (!args.empty() && std::find(kCommands.begin(), kCommands.end(), args[0]) != kCommands.end())
        return RunCommand(argc, argv, args);
    if (!args.empty()) {
        std::cerr << "tessaro-vavuvirivado: unknown argument '" << args[0] << "'\n";
        PrintHelp(std::cerr);
        return tv::app::kExitFailure;
    }

    Application application(argc, argv);
    application.setApplicationName("tessaro-vavuvirivado");

    tv::platform::FileSettingsStore settingsFile(tv::platform::FileSettingsStore::defaultPath());
    tv::platform::QtMessageBoxes messages;
    tv::platform::ReportingSettingsStore settings(settingsFile, messages);
    tv::platform::QtSystem system;
    tv::platform::QtShell shell;
    tv::platform::X11WindowSearch windows;
    tv::platform::QtWebClient web;
    tv::platform::Platform platform{settings, messages, system, &shell, &windows, &web};

    tv::gui::MainWindow window(platform, ProgramDirectory());
    {
        const tv::data::Operation startup;
        if (!window.create())
            return 0;
        auto values = tv::app::StartWindowRun(platform);
        if (!values)
            return 1;
        window.load(std::move(*values));
        window.show();
    }
    return application.exec();
}
