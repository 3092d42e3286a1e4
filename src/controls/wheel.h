#pragma once

#include "platform/color.h"
#include "platform/event.h"
#include "platform/picture.h"
#include "platform/timer.h"
#include "platform/usercontrol.h"

#include <QImage>
#include <QPoint>
#include <QRect>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

class QWidget;

namespace tk {
class PropertyBag;
}

namespace controls {

// Title of the wheel's message boxes, and the source of the error it raises.
inline constexpr const char* kWheelTitle = "DidaVovir";
inline constexpr int kErrNotAtRunTime = 393;

// The spin wheel: a thumb wheel in a slot, optionally with an arrow button at each end, holding a value
// between Min and Max. Turning it (dragging the face, holding an arrow, an arrow key, or writing Value)
// runs it frame by frame and steps the value by one every three frames, raising Change at every step.
// Its widget owns it; create() places one on a window.
class Wheel final : public tk::UserControlLogic {
public:
    // A wheel with the defaults of a new control; it is drawn by initNew() or readProperties().
    static Wheel* create(QWidget* parent, std::string name = {}, int index = -1);
    // The wheel a control shows, or nullptr when it is not a wheel.
    static Wheel* of(tk::Control* control);

    tk::UserControl& control() const { return m_control; }

    // Lays the wheel out as a new control. Both load the wheel's pictures from the skin and throw
    // RuntimeError 53 (or 481) when one is missing (or unreadable), as every later layout does.
    void initNew();
    // The stored properties, taken without the checks of the property writes.
    void readProperties(const tk::PropertyBag& bag);
    void writeProperties(tk::PropertyBag& bag) const;

    bool enabled() const { return m_enabled; }
    void setEnabled(bool on);
    int mousePointer() const { return m_control.mousePointer(); }
    void setMousePointer(int pointer);
    const tk::Picture& mouseIcon() const { return m_control.mouseIcon(); }
    void setMouseIcon(const tk::Picture& icon);
    // Max, Min and Value refuse a value out of order with a message box and keep their value.
    int max() const { return m_max; }
    void setMax(int value);
    int min() const { return m_min; }
    void setMin(int value);
    int value() const { return m_value; }
    // Turns the wheel through every value on the way, raising Change at each.
    void setValue(int value);
    // At either end the value wraps round to the other end.
    bool spinOver() const { return m_spinOver; }
    void setSpinOver(bool on);
    // ShowButtons and Orientation can be written only while the control is designed; while the
    // program runs they throw RuntimeError 393.
    bool showButtons() const { return m_showButtons; }
    void setShowButtons(bool on);
    // "H" horizontal or "V" vertical.
    std::string orientation() const { return m_vertical ? "V" : "H"; }
    void setOrientation(std::string_view text);
    tk::OleColor shadeWheel() const { return m_shadeWheel; }
    void setShadeWheel(tk::OleColor color);
    tk::OleColor shadeControl() const { return m_shadeControl; }
    void setShadeControl(tk::OleColor color);

    // The frame shown, 0 to 8.
    int frame() const { return m_frame; }
    // Where the face and the arrows are, in the control's own pixels.
    QRect faceRect() const;
    enum class Arrow { Left, Right, Up, Down };
    QRect arrowRect(Arrow arrow) const;
    bool arrowPressed(Arrow arrow) const { return m_arrowPressed[index(arrow)]; }

    tk::Event<> change;
    tk::Event<> spinMore; // after a step that raised the value
    tk::Event<> spinLess; // after a step that lowered it

private:
    explicit Wheel(tk::UserControl& control);
    static std::size_t index(Arrow arrow) { return static_cast<std::size_t>(arrow); }

    void onMouseDown(int button, int shift, float x, float y) override;
    void onMouseMove(int buttonsHeld, int shift, float x, float y) override;
    void onMouseUp(int button, int shift, float x, float y) override;
    void onDblClick(int button, int shift, float x, float y) override;
    void onKeyDown(int& keyCode, int shift) override;
    void onKeyUp(int& keyCode, int shift) override;

    bool vertical() const { return m_vertical; }
    void message(const char* text) const;
    void changed(const char* name);
    void spin();
    void press(float x, float y);
    void pressArrow(Arrow arrow);
    void releaseArrow();
    void setArrowPressed(Arrow arrow, bool pressed);
    void stopTurning();
    void resize();
    void loadPictures();
    void drawAll();
    void drawFrame();
    const QImage& arrowPicture(Arrow arrow) const;
    QPoint arrowPlace(Arrow arrow) const;
    bool arrowShown(Arrow arrow) const;

    tk::UserControl& m_control;
    tk::Timer m_repeat{"tmrRepeat", 100, false};

    bool m_enabled = true;
    int m_max = 100;
    int m_min = 1;
    int m_value = 1;
    bool m_spinOver = true;
    bool m_showButtons = true;
    bool m_vertical = false; // Orientation "V"
    tk::OleColor m_shadeWheel = tk::kSysWindow;
    tk::OleColor m_shadeControl = tk::kSysWindow;

    std::int64_t m_spinDelta = 0;
    std::int64_t m_repeatDelta = 0;
    bool m_dragging = false;
    float m_lastX = 0;
    float m_lastY = 0;
    int m_frame = 0;
    std::array<bool, 4> m_arrowPressed{};
    bool m_mouseOnArrow = false;
    Arrow m_mouseArrow = Arrow::Left;

    // Pictures: the horizontal ones from the skin, the vertical ones and the masks built in; the
    // masks already combined with the wheel shade.
    QImage m_leftArrow;
    QImage m_rightArrow;
    QImage m_hSlot;
    QImage m_hStrip;
    QImage m_vSlot;
    QImage m_upArrow;
    QImage m_downArrow;
    QImage m_vStrip;
    QImage m_hMask;
    QImage m_vMask;
};

} // namespace controls
