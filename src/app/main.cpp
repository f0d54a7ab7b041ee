#include "app/MainWindow.h"
#include "data/DataFiles.h"
#include "platform/qt/QtMessageBoxes.h"
#include "platform/qt/QtSystem.h"

#include <QApplication>

#include <cstring>
#include <iostream>

namespace {

void PrintHelp() {
    std::cout << "Usage: tessaro-vavuvirivado [--version | --help]\n"
                 "\n"
                 "Without arguments the configurator window opens on the installation found\n"
                 "in the setting TarnelPath, or else in the current directory, which must\n"
                 "hold the data directory Tessaro/ and the report directory TeHtml/.\n"
                 "\n"
                 "  --version  print the program version and exit\n"
                 "  --help     print this text and exit\n";
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
        std::cout << tv::data::kProgramVersion << '\n';
        return 0;
    }
    if (argc > 1 && std::strcmp(argv[1], "--help") == 0) {
        PrintHelp();
        return 0;
    }
    if (argc > 1) {
        std::cerr << "tessaro-vavuvirivado: unknown argument '" << argv[1] << "'\n";
        PrintHelp();
        return 2;
    }

    QApplication application(argc, argv);
    application.setApplicationName("tessaro-vavuvirivado");

    tv::platform::FileSettingsStore settings(tv::platform::FileSettingsStore::defaultPath());
    tv::platform::QtMessageBoxes messages;
    tv::platform::QtSystem system;
    tv::platform::Platform platform{settings, messages, system};

    const auto programDirectory =
        std::filesystem::path(QCoreApplication::applicationDirPath().toStdString());
    tv::app::MainWindow window(platform, programDirectory);
    if (!window.create())
        return 0;
    if (!window.load())
        return 1;
    window.show();
    return application.exec();
}
