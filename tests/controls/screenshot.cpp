// Shows the main window's two sliders and the wheel over a background picture and saves a grab of the
// window (and an enlarged crop of each control) for checking the transparency by eye.
// Usage: controls_screenshot <output.png> [hold-ms]   (needs a display, e.g. xvfb-run); with hold-ms
// the window stays up that long afterwards, for a grab of the whole screen from outside.

#include "controls/builtinpictures.h"
#include "controls/placedcontrols.h"
#include "controls/sliderpic.h"
#include "controls/wheel.h"
#include "platform/form.h"
#include "testruntime.h"

#include <QApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QTest>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

QImage transposed(const QImage& in) {
    QImage out(in.height(), in.width(), QImage::Format_RGB32);
    for (int y = 0; y < in.height(); ++y) {
        for (int x = 0; x < in.width(); ++x) {
            out.setPixel(y, x, in.pixel(x, y));
        }
    }
    return out;
}

// Horizontal wheel pictures made from the built-in vertical ones, standing in for the skin's.
void writeWheelSkin(const std::filesystem::path& programFolder) {
    const auto folder = programFolder / "Skin" / "Wheel";
    std::filesystem::create_directories(folder);
    auto save = [&](const QImage& image, const char* name) {
        image.convertToFormat(QImage::Format_RGB32)
            .save(QString::fromStdString((folder / name).string()), "BMP");
    };
    save(transposed(controls::builtin::wheelUpArrow().image()), "LeftArrw.bmp");
    save(transposed(controls::builtin::wheelDownArrow().image()), "RghtArrw.bmp");
    save(transposed(controls::builtin::wheelVerticalSlot().image()), "WHBack.bmp");
    save(transposed(controls::builtin::wheelVerticalStrip().image()), "WH.bmp");
}

QImage background() {
    QImage image(1024, 768, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient sky(0, 0, 1024, 768);
    sky.setColorAt(0, QColor(24, 40, 72));
    sky.setColorAt(1, QColor(96, 30, 60));
    p.fillRect(image.rect(), sky);
    // Diagonal stripes, so that anything drawn opaque over them stands out.
    p.setPen(QPen(QColor(255, 200, 80, 90), 6));
    for (int x = -768; x < 1024; x += 24) {
        p.drawLine(x, 0, x + 768, 768);
    }
    // A stand-in for the now-playing cover where the main window shows it.
    QLinearGradient cover(417, 34, 610, 225);
    cover.setColorAt(0, QColor(230, 120, 40));
    cover.setColorAt(1, QColor(40, 160, 200));
    p.fillRect(QRect(417, 34, 193, 191), cover);
    p.setPen(Qt::white);
    p.setFont(QFont("DejaVu Sans", 14, QFont::Bold));
    p.drawText(QRect(417, 34, 193, 191), Qt::AlignCenter, "cover");
    return image;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: controls_screenshot <output.png>\n");
        return 2;
    }
    testing_support::TestRuntime rt;
    writeWheelSkin(rt.programFolder());

    tk::Form form(tk::Form::Kind::FullScreen, "Form1");
    form.setPicture(tk::Picture(std::make_shared<const QImage>(background())));
    controls::SliderPic* volume = controls::createSliderPic1(&form, 0);
    controls::SliderPic* position = controls::createSliderPic1(&form, 1);
    controls::Wheel* wheel = controls::createWheel1(&form);
    wheel->setMax(100);
    wheel->setValue(41); // 120 frames: frame 3
    volume->setCurPosition(70);
    position->setCurPosition(30);
    // A third slider, disabled, to show the disabled look.
    controls::SliderPic* disabled = controls::createSliderPic1(&form, 1);
    disabled->control().move(5955, 4200);
    disabled->setEnabled(false);

    form.showForm();
    QTest::qWait(300);
    const QImage shot = form.grab().toImage();
    shot.save(argv[1]);

    // Enlarged crops of the three places, side by side in one picture.
    const QRect places[] = {QRect(380, 6, 260, 50), QRect(385, 200, 260, 50), QRect(385, 270, 260, 50),
                            QRect(860, 680, 130, 50)};
    QImage crops(260 * 3, 4 * (50 * 3 + 4), QImage::Format_RGB32);
    crops.fill(Qt::black);
    QPainter p(&crops);
    int y = 0;
    for (const QRect& r : places) {
        const QImage part =
            shot.copy(r).scaled(r.width() * 3, r.height() * 3, Qt::KeepAspectRatio, Qt::FastTransformation);
        p.drawImage(0, y, part);
        y += part.height() + 4;
    }
    p.end();
    QString cropPath = QString::fromLocal8Bit(argv[1]);
    cropPath.replace(".png", "-zoom.png");
    crops.copy(0, 0, 780, y).save(cropPath);
    if (argc > 2) {
        QTest::qWait(std::atoi(argv[2]));
    }
    return 0;
}
