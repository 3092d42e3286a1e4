#include "controls/wheel.h"

#include "controls/builtinpictures.h"
#include "platform/errors.h"
#include "platform/propertybag.h"
#include "platform/raster.h"
#include "platform/rounding.h"
#include "platform/runtime.h"

#include <QPainter>

#include <cctype>
#include <memory>

namespace controls {

namespace {
using tk::raster::Rop;

// Layout in the control's own pixels: the thickness, and the length without and with the buttons.
constexpr int kThickness = 28;
constexpr int kShortLength = 59;
constexpr int kLongLength = 101;
constexpr int kButtonLength = 21;
constexpr int kFaceLength = 43;
constexpr int kFaceThickness = 12;
constexpr int kFaceInset = 8;
constexpr int kPressedShift = 2;
constexpr int kFrames = 9;
constexpr int kFramesPerStep = 3;
constexpr tk::OleColor kDisabledShade = 0x808080;

// Frames one press or tick of an arrow turns: the horizontal arrows turn 23, the vertical ones 3.
constexpr std::int64_t kHorizontalArrowFrames = 23;
constexpr std::int64_t kVerticalArrowFrames = 3;
constexpr std::int64_t kKeyFrames = 3;

// Stored property names and defaults.
constexpr int kDefaultMax = 100;
constexpr int kDefaultMin = 1;
constexpr int kDefaultValue = 1;

QImage shadedMask(const tk::Picture& mask, tk::OleColor shade) {
    QImage out = tk::raster::surface(mask.widthPx(), mask.heightPx(), shade);
    QPainter p(&out);
    p.drawImage(0, 0, mask.image());
    return out;
}
} // namespace

Wheel::Wheel(tk::UserControl& control)
    : m_control(control) {
    m_repeat.timer.connect([this] {
        m_spinDelta = m_repeatDelta;
        spin();
    });
}

Wheel* Wheel::create(QWidget* parent, std::string name, int index) {
    Wheel* wheel = tk::createUserControl<Wheel>(parent, std::move(name), index, [](tk::UserControl& c) {
        return std::unique_ptr<Wheel>(new Wheel(c));
    });
    wheel->control().setTakesFocus(true);
    return wheel;
}

Wheel* Wheel::of(tk::Control* control) {
    return tk::userControlLogic<Wheel>(control);
}

void Wheel::initNew() {
    m_max = kDefaultMax;
    m_min = kDefaultMin;
    m_vertical = false;
    m_value = kDefaultValue;
    m_showButtons = true;
    m_spinOver = true;
    resize();
}

void Wheel::readProperties(const tk::PropertyBag& bag) {
    m_enabled = bag.readBool("Enabled", true);
    m_control.setEnabled(m_enabled);
    m_control.setMousePointer(static_cast<int>(bag.readInt("MousePointer", 0)));
    m_control.setMouseIcon(bag.readPicture("MouseIcon"));
    m_max = static_cast<int>(bag.readInt("Max", kDefaultMax));
    m_min = static_cast<int>(bag.readInt("Min", kDefaultMin));
    m_value = static_cast<int>(bag.readInt("Value", kDefaultValue));
    m_spinOver = bag.readBool("SpinOver", true);
    m_showButtons = bag.readBool("ShowButtons", true);
    m_vertical = bag.readString("Orientation", "H") == "V";
    m_shadeWheel = static_cast<tk::OleColor>(bag.readInt("ShadeWheel", tk::kSysWindow));
    m_shadeControl = static_cast<tk::OleColor>(bag.readInt("ShadeControl", tk::kSysWindow));
    resize();
}

void Wheel::writeProperties(tk::PropertyBag& bag) const {
    bag.writeBool("Enabled", m_enabled, true);
    bag.writeInt("MousePointer", m_control.mousePointer(), 0);
    bag.writePicture("MouseIcon", m_control.mouseIcon());
    bag.writeInt("Max", m_max, kDefaultMax);
    bag.writeInt("Min", m_min, kDefaultMin);
    bag.writeInt("Value", m_value, kDefaultValue);
    bag.writeBool("SpinOver", m_spinOver, true);
    bag.writeBool("ShowButtons", m_showButtons, true);
    bag.writeString("Orientation", orientation(), "H");
    bag.writeInt("ShadeWheel", m_shadeWheel, tk::kSysWindow);
    bag.writeInt("ShadeControl", m_shadeControl, tk::kSysWindow);
}

void Wheel::message(const char* text) const {
    tk::Runtime::current().messageBox().show(text, tk::kMsgCritical | tk::kMsgOkOnly, kWheelTitle);
}

void Wheel::changed(const char* name) {
    m_control.propertyChanged(name);
}

// ---- properties ----

void Wheel::setEnabled(bool on) {
    m_enabled = on;
    m_control.setEnabled(on);
    changed("Enabled");
    if (!on) {
        // A disabled wheel hears no release, so nothing may keep turning it.
        stopTurning();
    }
    drawAll();
}

void Wheel::setMousePointer(int pointer) {
    m_control.setMousePointer(pointer);
    changed("MousePointer");
}

void Wheel::setMouseIcon(const tk::Picture& icon) {
    m_control.setMouseIcon(icon);
    changed("MouseIcon");
}

void Wheel::setMax(int value) {
    if (value < m_min) {
        message("Max must not be greater than Min");
        return;
    }
    m_max = value;
    changed("Max");
}

void Wheel::setMin(int value) {
    if (value > m_value) {
        message("Min must not be greater than Value");
        return;
    }
    if (value > m_max) {
        message("Min must not be greater than Max");
        return;
    }
    m_min = value;
    changed("Min");
}

void Wheel::setValue(int value) {
    if (value < m_min) {
        message("Value must not be less than Min");
        return;
    }
    if (value > m_max) {
        message("Value must not be greater than Max");
        return;
    }
    m_spinDelta = (std::int64_t{value} - m_value) * kFramesPerStep;
    spin();
    m_value = value;
    changed("Value");
}

void Wheel::setSpinOver(bool on) {
    m_spinOver = on;
    changed("SpinOver");
}

void Wheel::setShowButtons(bool on) {
    if (m_control.ambientUserMode()) {
        throw tk::RuntimeError(kErrNotAtRunTime, "Get not supported at run time", kWheelTitle);
    }
    m_showButtons = on;
    changed("ShowButtons");
    resize();
}

void Wheel::setOrientation(std::string_view text) {
    if (m_control.ambientUserMode()) {
        throw tk::RuntimeError(kErrNotAtRunTime, "Get not supported at run time", kWheelTitle);
    }
    std::string upper(text);
    for (char& c : upper) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    if (upper == "H" || upper == "HORIZONTAL") {
        m_vertical = false;
    } else if (upper == "V" || upper == "VERTICAL") {
        m_vertical = true;
    } else {
        message("Value must be \"V\" or \"H\"");
        return;
    }
    changed("Orientation");
    resize();
}

void Wheel::setShadeWheel(tk::OleColor color) {
    m_shadeWheel = color;
    changed("ShadeWheel");
    resize();
}

void Wheel::setShadeControl(tk::OleColor color) {
    m_shadeControl = color;
    changed("ShadeControl");
    resize();
}

// ---- turning ----

void Wheel::spin() {
    const std::int64_t delta = m_spinDelta;
    if (delta == 0) {
        return;
    }
    // The direction is fixed for the whole turn, even when a Change handler starts a turn of its own.
    const int direction = delta < 0 ? -1 : 1;
    const std::int64_t value = m_value;
    if (!m_spinOver && ((direction < 0 && value - 1 < m_min) || (direction > 0 && value + 1 > m_max))) {
        return;
    }
    const std::int64_t frames = delta < 0 ? -delta : delta;
    for (std::int64_t i = 0; i < frames; ++i) {
        m_frame = (m_frame + direction + kFrames) % kFrames;
        if (m_frame % kFramesPerStep == 0) {
            std::int64_t next = std::int64_t{m_value} + direction;
            if (next < m_min) {
                if (!m_spinOver) {
                    m_value = m_min;
                    return;
                }
                next = m_max;
            } else if (next > m_max) {
                if (!m_spinOver) {
                    m_value = m_max;
                    return;
                }
                next = m_min;
            }
            m_value = static_cast<int>(next);
            tk::raiseEvent([&] { change(); });
            if (direction < 0) {
                tk::raiseEvent([&] { spinLess(); });
            } else {
                tk::raiseEvent([&] { spinMore(); });
            }
        }
        drawFrame();
        m_control.faceChanged();
    }
}

void Wheel::stopTurning() {
    m_repeat.setEnabled(false);
    m_dragging = false;
    m_mouseOnArrow = false;
}

// ---- input ----

void Wheel::press(float x, float y) {
    const QPointF at(x, y);
    if (m_enabled && QRectF(faceRect()).contains(at)) {
        m_dragging = true;
        m_lastX = x;
        m_lastY = y;
        return;
    }
    for (Arrow arrow : {Arrow::Left, Arrow::Right, Arrow::Up, Arrow::Down}) {
        if (arrowShown(arrow) && QRectF(arrowRect(arrow)).contains(at)) {
            pressArrow(arrow);
            return;
        }
    }
}

void Wheel::pressArrow(Arrow arrow) {
    m_mouseOnArrow = true;
    m_mouseArrow = arrow;
    setArrowPressed(arrow, true);
    const std::int64_t frames = vertical() ? kVerticalArrowFrames : kHorizontalArrowFrames;
    m_repeatDelta = (arrow == Arrow::Left || arrow == Arrow::Up) ? -frames : frames;
    m_spinDelta = m_repeatDelta;
    spin();
    m_repeat.setEnabled(true);
}

void Wheel::releaseArrow() {
    if (!m_mouseOnArrow) {
        return;
    }
    m_repeat.setEnabled(false);
    m_mouseOnArrow = false;
    setArrowPressed(m_mouseArrow, false);
}

void Wheel::onMouseDown(int, int, float x, float y) {
    press(x, y);
}

void Wheel::onDblClick(int, int, float x, float y) {
    // The second press of a quick double click turns the wheel like any other press.
    press(x, y);
}

void Wheel::onMouseMove(int, int, float x, float y) {
    if (!m_dragging) {
        return;
    }
    m_spinDelta = tk::roundHalfEven(vertical() ? double(y) - m_lastY : double(x) - m_lastX);
    spin();
    m_lastX = x;
    m_lastY = y;
}

void Wheel::onMouseUp(int, int, float, float) {
    m_dragging = false;
    releaseArrow();
}

void Wheel::onKeyDown(int& keyCode, int) {
    Arrow arrow;
    if (!vertical() && keyCode == tk::kKeyLeft) {
        arrow = Arrow::Left;
    } else if (!vertical() && keyCode == tk::kKeyRight) {
        arrow = Arrow::Right;
    } else if (vertical() && keyCode == tk::kKeyUp) {
        arrow = Arrow::Up;
    } else if (vertical() && keyCode == tk::kKeyDown) {
        arrow = Arrow::Down;
    } else {
        return;
    }
    if (m_showButtons) {
        setArrowPressed(arrow, true);
    }
    m_spinDelta = (arrow == Arrow::Left || arrow == Arrow::Up) ? -kKeyFrames : kKeyFrames;
    spin();
}

void Wheel::onKeyUp(int& keyCode, int) {
    if (!m_showButtons) {
        return;
    }
    switch (keyCode) {
    case tk::kKeyLeft:
        setArrowPressed(Arrow::Left, false);
        break;
    case tk::kKeyUp:
        setArrowPressed(Arrow::Up, false);
        break;
    case tk::kKeyRight:
        setArrowPressed(Arrow::Right, false);
        break;
    case tk::kKeyDown:
        setArrowPressed(Arrow::Down, false);
        break;
    default:
        break;
    }
}

void Wheel::setArrowPressed(Arrow arrow, bool pressed) {
    if (m_arrowPressed[index(arrow)] == pressed) {
        return;
    }
    m_arrowPressed[index(arrow)] = pressed;
    drawAll();
}

// ---- layout and drawing ----

QRect Wheel::faceRect() const {
    const int along = kFaceInset + (m_showButtons ? kButtonLength : 0);
    return vertical() ? QRect(kFaceInset, along, kFaceThickness, kFaceLength)
                      : QRect(along, kFaceInset, kFaceLength, kFaceThickness);
}

const QImage& Wheel::arrowPicture(Arrow arrow) const {
    switch (arrow) {
    case Arrow::Left:
        return m_leftArrow;
    case Arrow::Right:
        return m_rightArrow;
    case Arrow::Up:
        return m_upArrow;
    case Arrow::Down:
        return m_downArrow;
    }
    return m_leftArrow;
}

QPoint Wheel::arrowPlace(Arrow arrow) const {
    const int far = kLongLength - kButtonLength;
    QPoint rest;
    switch (arrow) {
    case Arrow::Left:
    case Arrow::Up:
        rest = QPoint(0, 0);
        break;
    case Arrow::Right:
        rest = QPoint(far, 0);
        break;
    case Arrow::Down:
        rest = QPoint(0, far);
        break;
    }
    return m_arrowPressed[index(arrow)] ? rest + QPoint(kPressedShift, kPressedShift) : rest;
}

QRect Wheel::arrowRect(Arrow arrow) const {
    return QRect(arrowPlace(arrow), arrowPicture(arrow).size());
}

bool Wheel::arrowShown(Arrow arrow) const {
    const bool verticalArrow = arrow == Arrow::Up || arrow == Arrow::Down;
    return m_showButtons && verticalArrow == vertical();
}

void Wheel::loadPictures() {
    const auto folder = tk::Runtime::current().programFolder() / "Skin" / "Wheel";
    tk::PictureLoader& loader = tk::Runtime::current().pictures();
    m_leftArrow = tk::raster::toSurface(loader.load(folder / "LeftArrw.bmp").image());
    m_rightArrow = tk::raster::toSurface(loader.load(folder / "RghtArrw.bmp").image());
    m_hSlot = tk::raster::toSurface(loader.load(folder / "WHBack.bmp").image());
    m_hStrip = tk::raster::toSurface(loader.load(folder / "WH.bmp").image());
    if (m_vStrip.isNull()) {
        m_vSlot = tk::raster::toSurface(builtin::wheelVerticalSlot().image());
        m_upArrow = tk::raster::toSurface(builtin::wheelUpArrow().image());
        m_downArrow = tk::raster::toSurface(builtin::wheelDownArrow().image());
        m_vStrip = tk::raster::toSurface(builtin::wheelVerticalStrip().image());
    }
}

void Wheel::resize() {
    loadPictures();
    m_hMask = shadedMask(builtin::wheelHorizontalMask(), m_shadeWheel);
    m_vMask = shadedMask(builtin::wheelVerticalMask(), m_shadeWheel);
    drawAll();
}

void Wheel::drawAll() {
    const int length = m_showButtons ? kLongLength : kShortLength;
    if (vertical()) {
        m_control.resizeFace(kThickness, length, tk::kSysButtonFace);
    } else {
        m_control.resizeFace(length, kThickness, tk::kSysButtonFace);
    }
    QImage& surface = m_control.face();
    const int slotAt = m_showButtons ? kButtonLength : 0;
    if (vertical()) {
        tk::raster::blit(surface, 0, slotAt, m_vSlot.width(), m_vSlot.height(), m_vSlot, 0, 0);
    } else {
        tk::raster::blit(surface, slotAt, 0, m_hSlot.width(), m_hSlot.height(), m_hSlot, 0, 0);
    }
    for (Arrow arrow : {Arrow::Left, Arrow::Right, Arrow::Up, Arrow::Down}) {
        if (arrowShown(arrow)) {
            const QImage& picture = arrowPicture(arrow);
            const QPoint at = arrowPlace(arrow);
            tk::raster::blit(surface, at.x(), at.y(), picture.width(), picture.height(), picture, 0, 0);
        }
    }
    // The colour overlay: the "mask" pen keeps the slot as it is under the default white shade; the
    // disabled look lightens everything with the "merge" pen.
    if (m_enabled) {
        tk::raster::fill(surface, surface.rect(), m_shadeControl, Rop::And);
    } else {
        tk::raster::fill(surface, surface.rect(), kDisabledShade, Rop::Or);
    }
    drawFrame();
    m_control.faceChanged();
}

void Wheel::drawFrame() {
    // A disabled wheel hides its face: the slot shows through and no frame is drawn.
    if (!m_enabled) {
        return;
    }
    QImage& surface = m_control.face();
    const QRect face = faceRect();
    if (vertical()) {
        tk::raster::stretchBlit(surface, face, m_vStrip, QRect(m_frame, 0, 1, kFaceLength));
        tk::raster::blit(surface, face.x(), face.y(), face.width(), face.height(), m_vMask, 0, 0, Rop::And);
    } else {
        tk::raster::stretchBlit(surface, face, m_hStrip, QRect(0, m_frame, kFaceLength, 1));
        tk::raster::blit(surface, face.x(), face.y(), face.width(), face.height(), m_hMask, 0, 0, Rop::And);
    }
}

} // namespace controls
