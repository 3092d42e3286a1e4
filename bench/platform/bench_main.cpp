#include "platform/runtime.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

// The list benchmarks run on Qt's offscreen platform with the real services on a 1024×768 screen.
int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    tk::Services overrides;
    overrides.screen.emplace(tk::Screen::kDesignWidthPx, tk::Screen::kDesignHeightPx);
    tk::Runtime runtime(std::filesystem::temp_directory_path(), tk::realServices(std::move(overrides)));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
