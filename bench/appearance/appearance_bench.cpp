#include "app/form1.h"
#include "app/station.h"
#include "appearance/frmoptions.h"
#include "database.h"
#include "fakeplayer.h"
#include "gui.h"
#include "platform/label.h"
#include "platform/textbox.h"
#include "screen/form2.h"
#include "testruntime.h"

#include <QCoreApplication>
#include <QImage>
#include <QImageReader>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <random>

using namespace testing_support;
using Clock = std::chrono::steady_clock;

namespace {

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A started station on the fake player and the generated skin, its main window shown.
struct ShownStation {
    TestRuntime rt{TestOptions{.fakePlayer = true, .skin = true}};
    std::unique_ptr<Station> station;
    Form1* f = nullptr;

    explicit ShownStation(benchmark::State& state) {
        writeDatabase(rt.programFolder(), makeDatabase(rt.programFolder() / "Music", 20, 10));
        station = std::make_unique<Station>(rt.runtime());
        if (!station->start()) {
            state.SkipWithError("the start ended the program");
            return;
        }
        f = &station->form1();
        showAndExpose(f);
    }
};

// One step of dragging a song label in layout-edit mode: the mouse move with the left button held,
// the label's move, the dialog's place boxes, and the repaint of what changed on screen.
void BM_LabelDragStep(benchmark::State& state) {
    ShownStation s(state);
    if (!s.f) {
        return;
    }
    Form1& f = *s.f;
    f.Text_Pass->setText("Kestrum");
    f.Image5_Click();
    tk::Label& label = f.Label1[8];
    press(&label);
    int step = 0;
    for (auto _ : state) {
        const QPoint to(700 + (step % 2) * 40, 160 + (step % 3) * 10);
        moveMouse(&f, to, 1);
        QCoreApplication::processEvents(); // the paint of the dirty regions
        ++step;
    }
    release(&f, 1, QPoint(700, 160));
    state.counters["label_left"] = label.left();
}
BENCHMARK(BM_LabelDragStep)->Unit(benchmark::kMicrosecond);

// A photograph of `width` x `height` with enough detail to make its decoding honest.
void writePhotograph(const std::filesystem::path& path, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    std::mt19937 random(7);
    QPainter p(&image);
    p.fillRect(image.rect(), QColor(40, 80, 120));
    for (int k = 0; k < 4000; ++k) {
        p.fillRect(static_cast<int>(random() % width), static_cast<int>(random() % height),
                   20 + random() % 200, 20 + random() % 200, QColor::fromRgb(random() & 0xFFFFFF));
    }
    p.end();
    std::filesystem::create_directories(path.parent_path());
    image.save(QString::fromStdString(path.string()), "JPG", 90);
}

// One slideshow tick with 4000 x 3000 photographs: from the tick to the new picture on the screen.
// The picture decodes in the background; "handler_ms" is how long the tick itself held the window and
// "longest_block_ms" the longest the window went without answering while the picture loaded.
void BM_SlideShowTick(benchmark::State& state) {
    ShownStation s(state);
    if (!s.f) {
        return;
    }
    for (const char* name : {"Photo1.jpg", "Photo2.jpg"}) {
        writePhotograph(s.rt.programFolder() / "Pictures" / name, 4000, 3000);
    }
    Form2& screen = s.station->form2();
    showAndExpose(&screen);
    screen.SwitchSlideShow();
    double handler = 0;
    double longest = 0;
    for (auto _ : state) {
        const tk::Picture before = screen.picture();
        const auto start = Clock::now();
        screen.Timer1_Timer();
        handler = std::max(handler, millisecondsSince(start));
        while (screen.picture() == before) {
            const auto turn = Clock::now();
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
            longest = std::max(longest, millisecondsSince(turn));
        }
        screen.repaint();
        state.SetIterationTime(millisecondsSince(start) / 1000.0);
    }
    state.counters["handler_ms"] = handler;
    state.counters["longest_block_ms"] = longest;
}
BENCHMARK(BM_SlideShowTick)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

// For comparison: the same photograph decoded whole, as a plain load would do it.
void BM_PhotographDecodedWhole(benchmark::State& state) {
    TestRuntime rt;
    const auto path = rt.programFolder() / "Photo.jpg";
    writePhotograph(path, 4000, 3000);
    for (auto _ : state) {
        QImageReader reader(QString::fromStdString(path.string()));
        benchmark::DoNotOptimize(reader.read());
    }
}
BENCHMARK(BM_PhotographDecodedWhole)->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace
