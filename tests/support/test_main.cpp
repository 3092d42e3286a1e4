#include "platform/font.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>

// Every test binary runs headless on Qt's offscreen platform with one application object.
int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    std::signal(SIGPIPE, SIG_IGN);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    tk::installFontSubstitutes();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
