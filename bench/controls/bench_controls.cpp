// One full repaint of the picture slider and one frame of the spin wheel, on generated pictures.

#include "controls/placedcontrols.h"
#include "controls/sliderpic.h"
#include "controls/wheel.h"
#include "platform/form.h"
#include "platform/runtime.h"

#include <QApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

// A program folder with wheel pictures of the skin's sizes, removed at the end.
class ProgramFolder {
public:
    ProgramFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tunnora-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) {
            std::abort();
        }
        m_path = pattern;
        const auto wheel = m_path / "Skin" / "Wheel";
        std::filesystem::create_directories(wheel);
        auto save = [&](int w, int h, const char* name) {
            QImage image(w, h, QImage::Format_RGB32);
            for (int y = 0; y < h; ++y) {
                for (int x = 0; x < w; ++x) {
                    image.setPixel(x, y, qRgb(x * 5 % 256, y * 25 % 256, 128));
                }
            }
            image.save(QString::fromStdString((wheel / name).string()), "BMP");
        };
        save(21, 28, "LeftArrw.bmp");
        save(21, 28, "RghtArrw.bmp");
        save(59, 28, "WHBack.bmp");
        save(43, 9, "WH.bmp");
    }
    ~ProgramFolder() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

struct Station {
    ProgramFolder folder;
    tk::Runtime runtime{folder.path(), tk::realServices()};
    tk::Form form{tk::Form::Kind::FullScreen, "Form1"};
};

Station& station() {
    static Station s;
    return s;
}

void BM_SliderRepaint(benchmark::State& state) {
    controls::SliderPic* slider = controls::createSliderPic1(&station().form, 0);
    slider->setEnabled(state.range(0) == 1);
    int position = 1;
    for (auto _ : state) {
        // A new position, then the whole drawing: track, left fill, pointer, disabled look, mask.
        slider->setCurPosition(position);
        position = position % 100 + 1;
        benchmark::DoNotOptimize(slider->control().face().constBits());
    }
    delete &slider->control();
}
BENCHMARK(BM_SliderRepaint)->ArgName("enabled")->Arg(1)->Arg(0);

void BM_WheelFrame(benchmark::State& state) {
    controls::Wheel* wheel = controls::createWheel1(&station().form);
    wheel->setMax(1000000);
    // Dragging the face one pixel turns the wheel by exactly one frame (a value step every third).
    tk::UserControlLogic& input = *wheel;
    const QRect face = wheel->faceRect();
    float x = float(face.center().x());
    const float y = float(face.center().y());
    input.onMouseDown(tk::kLeftButton, 0, x, y);
    for (auto _ : state) {
        x += 1;
        input.onMouseMove(tk::kLeftButton, 0, x, y);
        benchmark::DoNotOptimize(wheel->control().face().constBits());
    }
    input.onMouseUp(tk::kLeftButton, 0, x, y);
    delete &wheel->control();
}
BENCHMARK(BM_WheelFrame);

void BM_WheelJump(benchmark::State& state) {
    controls::Wheel* wheel = controls::createWheel1(&station().form);
    wheel->setMax(20000);
    int changes = 0;
    wheel->change.connect([&] { ++changes; });
    for (auto _ : state) {
        wheel->setValue(12001);
        wheel->setValue(1);
    }
    benchmark::DoNotOptimize(changes);
    delete &wheel->control();
}
BENCHMARK(BM_WheelJump)->Name("BM_WheelJump/12000rows")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
