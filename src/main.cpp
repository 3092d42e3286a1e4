#include "app/station.h"
#include "platform/font.h"
#include "platform/runtime.h"

#include <QApplication>

#include <clocale>
#include <csignal>
#include <filesystem>

int main(int argc, char** argv) {
    // A write to a player that went away must never end the station.
    std::signal(SIGPIPE, SIG_IGN);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setApplicationName(QStringLiteral("Tunnora"));
    std::setlocale(LC_NUMERIC, "C");
    tk::installFontSubstitutes();

    // The program folder is the folder of the executable: the skin, the pictures and the record files
    // live there.
    const std::filesystem::path programFolder = QCoreApplication::applicationDirPath().toStdString();
    tk::Runtime runtime(programFolder, tk::realServices());
    Station station(runtime);
    if (!station.start()) {
        return 0;
    }
    return QApplication::exec();
}
