#include "skingen.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

// tunnora-skingen <programFolder>: draws the default skin into <programFolder>/Skin.
int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tunnora-skingen <program folder>\n");
        return 2;
    }
    // Drawing needs no display; the build and CI have none.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    const skin::Result result = skin::generateSkin(argv[1]);
    if (!result.ok()) {
        std::fprintf(stderr, "tunnora-skingen: %s\n", result.error.c_str());
        return 1;
    }
    return 0;
}
