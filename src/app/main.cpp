#include "app/CommandLine.h"
#include "app/MainWindow.h"
#include "data/DataFiles.h"
#include "platform/MessageBoxes.h"
#include "platform/SettingsStore.h"
#include "platform/X11WindowSearch.h"
#include "platform/qt/QtMessageBoxes.h"
#include "platform/qt/QtShell.h"
#include "platform/qt/QtSystem.h"
#include "platform/qt/QtWebClient.h"
#include "result/QtCanvas.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace {

void PrintHelp(std::ostream& out) {
    out << "Usage: tessaro-vavuvirivado [--version | --help]\n"
           "       tessaro-vavuvirivado check CODE\n"
           "       tessaro-vavuvirivado result CODE [--debug] [--lang XX]\n"
           "       tessaro-vavuvirivado report CODE [--debug] [--lang XX] [--open]\n"
           "       tessaro-vavuvirivado menucheck\n"
           "\n"
           "Without arguments the configurator window opens on the installation found\n"
           "in the setting TarnelPath, or else in the current directory, which must\n"
           "hold the data directory Tessaro/ and the report directory TeHtml/.\n"
           "\n"
           "  check CODE  check a configuration code (twelve positions and the code\n"
           "              suffix) against the same installation, without a window;\n"
           "              prints the first invalid position, 0 when the code is valid.\n"
           "              Exit status 0 valid, 1 invalid, 2 wrong usage or an\n"
           "              installation that cannot be used. Messages go to standard\n"
           "              error.\n"
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
           "              this run only. Exit status as for check.\n"
           "  report CODE [--debug] [--lang XX] [--open]\n"
           "              do what result does, then write the order report as the\n"
           "              result screen's Rapport button does: the .htm and the .bmp\n"
           "              of the valve picture in the report directory TeHtml/, with\n"
           "              the customer details of personal.ini beside the program.\n"
           "              Prints the path of the .htm; --open also opens it in the\n"
           "              desktop's browser. Needs no display. Exit status 1 when the\n"
           "              report could not be written in full, else as for check.\n"
           "  menucheck   check every flange menu of the dimension lists against the\n"
           "              article file, as the administration screen's Menykontroll\n"
           "              does, and write the findings to MenuCheck.txt in the data\n"
           "              directory; prints its path. Exit status 1 when a dimension\n"
           "              list is missing (nothing is written) or the file could not\n"
           "              be written, 2 as for check.\n"
           "  --version   print the program version and exit\n"
           "  --help      print this text and exit\n";
}

// The directory of the program file, where personal.ini is kept.
std::filesystem::path ProgramDirectory() {
    return std::filesystem::path(QCoreApplication::applicationDirPath().toStdString());
}

// A command runs headless: its messages go to standard error, and it needs
// no display.
int RunCommand(int argc, char* argv[], const std::vector<std::string>& args) {
    tv::platform::FileSettingsStore settings(tv::platform::FileSettingsStore::defaultPath());
    tv::platform::StderrMessageBoxes messages;
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
        return tv::app::RunResultCommand(args, platform, std::cout, std::cerr);
    if (args[0] == "menucheck")
        return tv::app::RunMenuCheckCommand(args, platform, std::cout, std::cerr);
    return tv::app::RunCheckCommand(args, platform, std::cout, std::cerr);
}

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
    if (!args.empty() && (args[0] == "check" || args[0] == "result" || args[0] == "report" ||
                          args[0] == "menucheck"))
        return RunCommand(argc, argv, args);
    if (!args.empty()) {
        std::cerr << "tessaro-vavuvirivado: unknown argument '" << args[0] << "'\n";
        PrintHelp(std::cerr);
        return tv::app::kExitFailure;
    }

    QApplication application(argc, argv);
    application.setApplicationName("tessaro-vavuvirivado");

    tv::platform::FileSettingsStore settings(tv::platform::FileSettingsStore::defaultPath());
    tv::platform::QtMessageBoxes messages;
    tv::platform::QtSystem system;
    tv::platform::QtShell shell;
    tv::platform::X11WindowSearch windows;
    tv::platform::QtWebClient web;
    tv::platform::Platform platform{settings, messages, system, &shell, &windows, &web};

    tv::app::MainWindow window(platform, ProgramDirectory());
    if (!window.create())
        return 0;
    if (!window.load())
        return 1;
    window.show();
    return application.exec();
}
