#pragma once

#include "platform/color.h"
#include "platform/event.h"
#include "platform/picture.h"
#include "platform/usercontrol.h"

#include <QImage>

#include <cstdint>
#include <string>

class QWidget;

namespace tk {
class PropertyBag;
}

namespace controls {

inline constexpr const char* kSliderErrorSource = "VezuvoDazuri";
inline constexpr int kErrMinNotBelowMax = 513;
inline constexpr int kErrMaxNotAboveMin = 514;

// The picture slider: a horizontal slider drawn from a track, a left-fill strip and a pointer, with
// the mask colour transparent, holding a position between Min and Max that the user sets by clicking
// beside the pointer or dragging it. Its widget owns it; create() places one on a window.
class SliderPic final : public tk::UserControlLogic {
public:
    // A new slider with the defaults of a new control. The widget belongs to `parent`.
    static SliderPic* create(QWidget* parent, std::string name = {}, int index = -1);
    // The slider a control shows, or nullptr when it is not a slider.
    static SliderPic* of(tk::Control* control);

    tk::UserControl& control() const { return m_control; }

    bool enabled() const { return m_enabled; }
    void setEnabled(bool on);
    int curPosition() const { return m_curPosition; }
    // Clamped into Min..Max; raises no event.
    void setCurPosition(int position);
    int min() const { return m_min; }
    // Throws RuntimeError 513 when the value is not below Max.
    void setMin(int value);
    int max() const { return m_max; }
    // Throws RuntimeError 514 when the value is not above Min.
    void setMax(int value);
    const tk::Picture& imageSlider() const { return m_imageSlider; }
    void setImageSlider(const tk::Picture& picture);
    const tk::Picture& imageLeft() const { return m_imageLeft; }
    void setImageLeft(const tk::Picture& picture);
    const tk::Picture& imagePointer() const { return m_imagePointer; }
    void setImagePointer(const tk::Picture& picture);
    // 1: the pointer snaps to the pixel of the position at every repaint.
    int style() const { return m_style; }
    void setStyle(int style);
    // 0 transparent, 1 opaque; a value outside 16 bits throws RuntimeError 6.
    int backStyle() const { return m_backStyle; }
    void setBackStyle(int style);
    tk::OleColor maskColor() const { return m_maskColor; }
    void setMaskColor(tk::OleColor color);
    // 1 darkens the disabled look, anything else lightens it.
    int disabledStyle() const { return m_disabledStyle; }
    void setDisabledStyle(int style);
    // Strength of the disabled look; only 0 to 85 is taken, anything else is ignored.
    int disabledIntense() const { return m_disabledIntense; }
    void setDisabledIntense(int intense);
    bool isSliderLeftPicSet() const { return m_isSliderLeftPicSet; }
    void setIsSliderLeftPicSet(bool on);

    // The stored properties, taken without the checks of the property writes.
    void readProperties(const tk::PropertyBag& bag);
    void writeProperties(tk::PropertyBag& bag) const;

    // Where the pointer's left edge stands on the track, and where the track starts (own pixels).
    int pointerX() const { return m_pointerX; }
    int trackLeft() const { return m_trackLeft; }

    // The position the user chose and the slider's own CurPosition, both changeable by the handler;
    // the slider keeps the first as the handler leaves it.
    tk::Event<int&, int&> positionChanged;
    tk::Event<> click;
    tk::Event<> dblClick;
    tk::Event<int&, int> keyDown;
    tk::Event<int&> keyPress;
    tk::Event<int&, int> keyUp;
    tk::Event<int, int, float, float> mouseDown; // button, shift, x, y (twips)
    tk::Event<int, int, float, float> mouseMove;
    tk::Event<int, int, float, float> mouseUp;

private:
    explicit SliderPic(tk::UserControl& control);
    void initNew();

    void onMouseDown(int button, int shift, float x, float y) override;
    void onMouseMove(int buttonsHeld, int shift, float x, float y) override;
    void onMouseUp(int button, int shift, float x, float y) override;
    void onClick() override;
    void onDblClick(int button, int shift, float x, float y) override;
    void onKeyDown(int& keyCode, int shift) override;
    void onKeyPress(int& characterCode) override;
    void onKeyUp(int& keyCode, int shift) override;

    int valueToPixel(std::int64_t value) const;
    int pixelToValue(double x) const;
    int clampToRange(std::int64_t value) const;
    void takePictures();
    void resize();
    void drawSlider();
    void applyDisabledLook();
    void jumpTo(float x);
    void changed(const char* name);

    tk::UserControl& m_control;
    QImage m_track;
    QImage m_left;
    QImage m_pointer;

    bool m_enabled = true;
    int m_curPosition = 0;
    int m_min = 0;
    int m_max = 10;
    tk::Picture m_imageSlider;
    tk::Picture m_imageLeft;
    tk::Picture m_imagePointer;
    int m_style = 0;
    int m_backStyle = 1;
    tk::OleColor m_maskColor = 0xC0C0C0;
    int m_disabledStyle = 0;
    int m_disabledIntense = 20;
    bool m_isSliderLeftPicSet = false;

    int m_trackPixels = 0;
    int m_trackHeight = 0;
    int m_trackLeft = 0;
    int m_trackTop = 0;
    int m_pointerWidth = 0;
    int m_pointerHeight = 0;
    int m_pointerX = 0;
    int m_pointerTop = 0;
    int m_dragState = -1;
    int m_controlWidthPx = 0;
    int m_controlHeightPx = 0;
};

} // namespace controls
