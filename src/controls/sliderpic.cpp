#include "controls/sliderpic.h"

#include "controls/builtinpictures.h"
#include "controls/transparentblt.h"
#include "platform/errors.h"
#include "platform/propertybag.h"
#include "platform/raster.h"
#include "platform/rounding.h"
#include "platform/runtime.h"

#include <algorithm>
#include <limits>
#include <memory>

namespace controls {

namespace {
constexpr float kTwips = tk::Screen::kTwipsPerPixel;

// Stored property names and defaults.
constexpr int kDefaultMax = 10;
constexpr int kDefaultBackStyle = 1;
constexpr tk::OleColor kDefaultMaskColor = 0xC0C0C0;
constexpr int kDefaultDisabledIntense = 20;
constexpr int kMaxDisabledIntense = 85;
} // namespace

SliderPic::SliderPic(tk::UserControl& control)
    : m_control(control) {}

SliderPic* SliderPic::create(QWidget* parent, std::string name, int index) {
    SliderPic* slider =
        tk::createUserControl<SliderPic>(parent, std::move(name), index, [](tk::UserControl& c) {
            return std::unique_ptr<SliderPic>(new SliderPic(c));
        });
    slider->initNew();
    return slider;
}

SliderPic* SliderPic::of(tk::Control* control) {
    return tk::userControlLogic<SliderPic>(control);
}

void SliderPic::initNew() {
    m_enabled = true;
    m_curPosition = 0;
    m_min = 0;
    m_max = kDefaultMax;
    m_style = 0;
    m_backStyle = kDefaultBackStyle;
    m_maskColor = kDefaultMaskColor;
    m_disabledStyle = 0;
    m_disabledIntense = kDefaultDisabledIntense;
    m_imageSlider = builtin::newSliderTrack();
    m_imageLeft = builtin::newSliderLeftFill();
    m_imagePointer = builtin::newSliderPointer();
    m_isSliderLeftPicSet = false;
    takePictures();
    m_control.setBackStyle(m_backStyle);
    m_control.setMaskColor(m_maskColor);
    m_dragState = -1;
    resize();
}

void SliderPic::changed(const char* name) {
    m_control.propertyChanged(name);
}

// ---- positions and pixels ----

int SliderPic::clampToRange(std::int64_t value) const {
    // With a stored Min not below Max the position stays at Min.
    value = std::min<std::int64_t>(value, m_max);
    value = std::max<std::int64_t>(value, m_min);
    return static_cast<int>(value);
}

int SliderPic::valueToPixel(std::int64_t value) const {
    const std::int64_t range = std::int64_t{m_max} - m_min;
    if (m_trackPixels <= 0 || range <= 0) {
        return 0;
    }
    const std::int64_t product = (value - m_min) * m_trackPixels;
    return static_cast<int>(tk::roundHalfEven(static_cast<double>(product) / static_cast<double>(range)));
}

int SliderPic::pixelToValue(double x) const {
    const std::int64_t range = std::int64_t{m_max} - m_min;
    if (m_trackPixels <= 0 || range <= 0) {
        return m_min;
    }
    const double value = (x - m_trackLeft) * static_cast<double>(range) / m_trackPixels + m_min;
    return clampToRange(tk::roundHalfEven(value));
}

void SliderPic::takePictures() {
    m_track = tk::raster::toSurface(m_imageSlider.image());
    m_left = tk::raster::toSurface(m_imageLeft.image());
    m_pointer = tk::raster::toSurface(m_imagePointer.image());
    m_trackPixels = m_track.width();
    m_trackHeight = m_track.height();
    m_pointerWidth = m_pointer.width();
    m_pointerHeight = m_pointer.height();
}

// ---- drawing ----

void SliderPic::resize() {
    if (m_trackHeight <= m_pointerHeight) {
        m_trackTop = static_cast<int>(tk::roundHalfEven((m_pointerHeight - m_trackHeight) / 2.0));
        m_pointerTop = 0;
        m_controlHeightPx = m_pointerHeight;
    } else {
        m_pointerTop = static_cast<int>(tk::roundHalfEven((m_trackHeight - m_pointerHeight) / 2.0));
        m_trackTop = 0;
        m_controlHeightPx = m_trackHeight;
    }
    m_controlWidthPx = m_trackPixels + m_pointerWidth;
    m_trackLeft = static_cast<int>(tk::roundHalfEven(m_pointerWidth / 2.0));
    drawSlider();
}

void SliderPic::drawSlider() {
    const tk::OleColor key = tk::raster::resolve(m_maskColor);
    m_control.resizeFace(m_controlWidthPx, m_controlHeightPx, key);
    QImage& surface = m_control.face();
    if (m_style == 1) {
        const std::int64_t range = std::int64_t{m_max} - m_min;
        m_pointerX =
            range > 0 ? static_cast<int>((std::int64_t{m_curPosition} - m_min) * m_trackPixels / range) : 0;
    }
    tk::raster::blit(surface, m_trackLeft, m_trackTop, m_trackPixels, m_trackHeight, m_track, 0, 0);
    if (m_isSliderLeftPicSet) {
        TransparentBlt(surface, m_trackLeft, m_trackTop, m_pointerX, m_trackHeight, m_left, 0, 0, key);
    }
    TransparentBlt(surface, m_pointerX, m_pointerTop, m_pointerWidth, m_pointerHeight, m_pointer, 0, 0, key);
    if (!m_enabled) {
        applyDisabledLook();
    }
    m_control.faceChanged();
}

void SliderPic::applyDisabledLook() {
    const int intense = m_disabledStyle == 1 ? -m_disabledIntense : m_disabledIntense;
    const QRgb key = tk::raster::toPixel(tk::raster::resolve(m_maskColor));
    // The recombined colour must not become the transparent one; the step away from it stays
    // within 24 bits (white steps down).
    const tk::OleColor keyColour = tk::raster::fromPixel(key);
    const QRgb avoid = tk::raster::toPixel(keyColour == 0xFFFFFF ? keyColour - 1 : keyColour + 1);
    // Dark channels move two and a half times as far; the whole sum is rounded, halves to even.
    auto channel = [&](int c) {
        const int moved = c >= 128 ? c + intense : static_cast<int>(tk::roundHalfEven(c + 2.5 * intense));
        return std::clamp(moved, 0, 255);
    };
    QImage& surface = m_control.face();
    for (int y = 0; y < surface.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(surface.scanLine(y));
        for (int x = 0; x < surface.width(); ++x) {
            if (row[x] == key) {
                continue;
            }
            const QRgb c = qRgb(channel(qRed(row[x])), channel(qGreen(row[x])), channel(qBlue(row[x])));
            row[x] = c == key ? avoid : c;
        }
    }
}

// ---- properties ----

void SliderPic::setEnabled(bool on) {
    m_enabled = on;
    changed("Enabled");
    m_control.setEnabled(on);
    resize();
}

void SliderPic::setCurPosition(int position) {
    m_curPosition = clampToRange(position);
    changed("CurPosition");
    m_pointerX = valueToPixel(m_curPosition);
    resize();
}

void SliderPic::setMin(int value) {
    if (value >= m_max) {
        throw tk::RuntimeError(kErrMinNotBelowMax, "Minimum must be less than Maximum", kSliderErrorSource);
    }
    m_min = value;
    changed("Min");
    m_curPosition = std::max(m_curPosition, m_min);
    m_pointerX = valueToPixel(m_curPosition);
    resize();
}

void SliderPic::setMax(int value) {
    if (value <= m_min) {
        throw tk::RuntimeError(kErrMaxNotAboveMin, "Maximum must be greater than Minimum",
                               kSliderErrorSource);
    }
    m_max = value;
    changed("Max");
    m_curPosition = std::min(m_curPosition, m_max);
    m_pointerX = valueToPixel(m_curPosition);
    resize();
}

void SliderPic::setImageSlider(const tk::Picture& picture) {
    m_imageSlider = picture;
    changed("ImageSlider");
    takePictures();
    resize();
}

void SliderPic::setImageLeft(const tk::Picture& picture) {
    m_imageLeft = picture;
    changed("ImageLeft");
    takePictures();
    m_isSliderLeftPicSet = !picture.isNull();
    changed("isSliderLeftPicSet");
}

void SliderPic::setImagePointer(const tk::Picture& picture) {
    m_imagePointer = picture;
    changed("ImagePointer");
    takePictures();
    m_pointerX = valueToPixel(m_curPosition);
    resize();
}

void SliderPic::setStyle(int style) {
    m_style = style;
    changed("Style");
}

void SliderPic::setBackStyle(int style) {
    if (style < std::numeric_limits<std::int16_t>::min() ||
        style > std::numeric_limits<std::int16_t>::max()) {
        throw tk::RuntimeError(tk::err::kOverflow, "Overflow");
    }
    m_backStyle = style;
    changed("BackStyle");
    m_control.setBackStyle(style);
    resize();
}

void SliderPic::setMaskColor(tk::OleColor color) {
    m_maskColor = color;
    changed("MaskColor");
    m_control.setMaskColor(color);
    resize();
}

void SliderPic::setDisabledStyle(int style) {
    m_disabledStyle = style;
    changed("DisabledStyle");
    drawSlider();
}

void SliderPic::setDisabledIntense(int intense) {
    if (intense < 0 || intense > kMaxDisabledIntense) {
        return;
    }
    m_disabledIntense = intense;
    changed("DisabledIntense");
    drawSlider();
}

void SliderPic::setIsSliderLeftPicSet(bool on) {
    m_isSliderLeftPicSet = on;
    changed("isSliderLeftPicSet");
}

// ---- stored properties ----

void SliderPic::readProperties(const tk::PropertyBag& bag) {
    m_enabled = bag.readBool("Enabled", true);
    m_curPosition = static_cast<int>(bag.readInt("CurPosition", 0));
    m_min = static_cast<int>(bag.readInt("Min", 0));
    m_max = static_cast<int>(bag.readInt("Max", kDefaultMax));
    m_isSliderLeftPicSet = bag.readBool("isSliderLeftPicSet", false);
    m_imageSlider = bag.readPicture("ImageSlider");
    m_imageLeft = bag.readPicture("ImageLeft");
    m_imagePointer = bag.readPicture("ImagePointer");
    m_style = static_cast<int>(bag.readInt("Style", 0));
    m_backStyle = static_cast<int>(bag.readInt("BackStyle", kDefaultBackStyle));
    m_maskColor = static_cast<tk::OleColor>(bag.readInt("MaskColor", kDefaultMaskColor));
    takePictures();
    m_control.setEnabled(m_enabled);
    m_control.setBackStyle(m_backStyle);
    m_control.setMaskColor(m_maskColor);
    m_pointerX = valueToPixel(m_curPosition);
    m_dragState = -1;
    m_disabledStyle = static_cast<int>(bag.readInt("DisabledStyle", 0));
    m_disabledIntense = static_cast<int>(bag.readInt("DisabledIntense", kDefaultDisabledIntense));
    resize();
}

void SliderPic::writeProperties(tk::PropertyBag& bag) const {
    bag.writeBool("Enabled", m_enabled, true);
    bag.writeInt("CurPosition", m_curPosition, 0);
    bag.writeInt("Min", m_min, 0);
    bag.writeInt("Max", m_max, kDefaultMax);
    bag.writePicture("ImageSlider", m_imageSlider);
    bag.writePicture("ImageLeft", m_imageLeft);
    bag.writePicture("ImagePointer", m_imagePointer);
    bag.writeInt("Style", m_style, 0);
    bag.writeInt("BackStyle", m_backStyle, kDefaultBackStyle);
    bag.writeInt("MaskColor", m_maskColor, kDefaultMaskColor);
    bag.writeBool("isSliderLeftPicSet", m_isSliderLeftPicSet, false);
    bag.writeInt("DisabledStyle", m_disabledStyle, 0);
    bag.writeInt("DisabledIntense", m_disabledIntense, kDefaultDisabledIntense);
}

// ---- input ----

void SliderPic::jumpTo(float x) {
    const double clamped =
        std::clamp(static_cast<double>(x), double(m_trackLeft), double(m_trackLeft) + m_trackPixels);
    // Without a track or a range of positions the pointer stays at the left.
    const bool movable = m_trackPixels > 0 && m_max > m_min;
    m_pointerX = movable ? static_cast<int>(tk::roundHalfEven(clamped - m_trackLeft)) : 0;
    int newPosition = pixelToValue(clamped);
    m_curPosition = newPosition;
    tk::raiseEvent([&] { positionChanged(newPosition, m_curPosition); });
    // A handler may change the chosen position; the position still never leaves Min..Max.
    m_curPosition = clampToRange(newPosition);
    changed("CurPosition");
    drawSlider();
}

void SliderPic::onMouseDown(int button, int shift, float x, float y) {
    tk::raiseEvent([&] { mouseDown(button, shift, x * kTwips, y * kTwips); });
    if (button != tk::kLeftButton) {
        return;
    }
    // The pointer's edges count as outside: a press there jumps.
    if (x <= m_pointerX || x >= m_pointerX + m_pointerWidth) {
        jumpTo(x);
        m_dragState = -1;
    } else {
        m_dragState = 0;
    }
}

void SliderPic::onMouseMove(int buttonsHeld, int shift, float x, float y) {
    tk::raiseEvent([&] { mouseMove(buttonsHeld, shift, x * kTwips, y * kTwips); });
    if ((buttonsHeld & tk::kLeftButton) != 0 && m_dragState != -1) {
        jumpTo(x);
    }
}

void SliderPic::onMouseUp(int button, int shift, float x, float y) {
    tk::raiseEvent([&] { mouseUp(button, shift, x * kTwips, y * kTwips); });
    if (button == tk::kLeftButton) {
        m_dragState = -1;
    }
}

void SliderPic::onClick() {
    tk::raiseEvent([&] { click(); });
}

void SliderPic::onDblClick(int, int, float, float) {
    tk::raiseEvent([&] { dblClick(); });
}

void SliderPic::onKeyDown(int& keyCode, int shift) {
    tk::raiseEvent([&] { keyDown(keyCode, shift); });
}

void SliderPic::onKeyPress(int& characterCode) {
    tk::raiseEvent([&] { keyPress(characterCode); });
}

void SliderPic::onKeyUp(int& keyCode, int shift) {
    tk::raiseEvent([&] { keyUp(keyCode, shift); });
}

} // namespace controls
