#pragma once

#include "platform/color.h"
#include "platform/control.h"
#include "platform/picture.h"

#include <QImage>

#include <memory>
#include <string>

namespace tk {

// What one kind of user control does with its input. The control's widget owns it and calls it
// under the error policy of event dispatch. Mouse positions are in the control's own pixels.
class UserControlLogic {
public:
    virtual ~UserControlLogic() = default;
    virtual void onMouseDown(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {}
    virtual void onMouseMove(int /*buttonsHeld*/, int /*shift*/, float /*x*/, float /*y*/) {}
    virtual void onMouseUp(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {}
    virtual void onClick() {}
    // The second press of a double-click, which raises no onMouseDown.
    virtual void onDblClick(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {}
    virtual void onKeyDown(int& /*keyCode*/, int /*shift*/) {}
    virtual void onKeyPress(int& /*characterCode*/) {}
    virtual void onKeyUp(int& /*keyCode*/, int /*shift*/) {}
};

// A self-drawn control of a fixed size: it shows its own drawing (the face, in its own pixels at 15
// twips each), keeps the size of that drawing whatever the host assigns, and hands its mouse and key
// input to its logic. With the transparent back style, the parts of the face in the mask colour are
// neither drawn nor hit: the window behind shows through them and takes their clicks.
class UserControl final : public Control {
    Q_OBJECT
public:
    explicit UserControl(QWidget* parent, std::string name = {}, int index = -1);
    ~UserControl() override;

    void setLogic(std::unique_ptr<UserControlLogic> logic);
    UserControlLogic* logic() const { return m_logic.get(); }

    // The drawing surface (see raster.h); draw into it, then call faceChanged().
    QImage& face() { return m_face; }
    const QImage& face() const { return m_face; }
    // Gives the face a new size, cleared to `fill`; the control takes that size.
    void resizeFace(int widthPx, int heightPx, OleColor fill);
    // Shows the face as it now is and renews its transparent parts.
    void faceChanged();

    // 0: transparent (mask-colour parts show what lies behind); 1: opaque.
    int backStyle() const { return m_backStyle; }
    void setBackStyle(int style);
    OleColor maskColor() const { return m_maskColor; }
    void setMaskColor(OleColor color);
    // Whether the control's pixel (x, y) is drawn and takes the mouse.
    bool opaqueAt(int x, int y) const;

    // The mouse pointer over the control, numbered as the old toolkit numbered them (0 default,
    // 1 arrow, 2 cross, 3 I-beam, 5 and 15 size all, 6 to 9 the sizing arrows, 10 up arrow,
    // 11 hourglass, 12 no drop, 13 arrow and hourglass, 14 arrow and question mark, 99 the mouse icon).
    int mousePointer() const { return m_mousePointer; }
    // Throws RuntimeError 380 for a number outside that list.
    void setMousePointer(int pointer);
    const Picture& mouseIcon() const { return m_mouseIcon; }
    void setMouseIcon(const Picture& icon);

    // Whether the control takes the keyboard focus (by click or Tab) and with it every key, arrows too.
    void setTakesFocus(bool on);

    // Ambient state: true while the host program runs, false while the control is being designed.
    bool ambientUserMode() const { return m_userMode; }
    void setAmbientUserMode(bool running) { m_userMode = running; }

    // The notice to the host that a stored property changed, with the property's stored name.
    Event<const std::string&> propertyChanged;

    // The host cannot give the control another size.
    void setWidth(float twips) override;
    void setHeight(float twips) override;

protected:
    void sizeChanged() override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void keepOwnSize();
    void refreshShape();
    void applyCursor();
    QPointF ownPixels(const QMouseEvent* event) const;

    std::unique_ptr<UserControlLogic> m_logic;
    QImage m_face;
    int m_backStyle = 1;
    OleColor m_maskColor = 0xC0C0C0;
    bool m_allTransparent = false;
    bool m_masked = false;
    int m_mousePointer = 0;
    Picture m_mouseIcon;
    bool m_userMode = true;
    bool m_afterDoubleClick = false;
};

// Creates a user control on `parent` run by the logic `make(control)` builds; the control owns it.
template <typename Logic, typename Make>
Logic* createUserControl(QWidget* parent, std::string name, int index, Make make) {
    auto* control = new UserControl(parent, std::move(name), index);
    std::unique_ptr<Logic> logic = make(*control);
    Logic* raw = logic.get();
    control->setLogic(std::move(logic));
    return raw;
}

// The logic of type Logic that runs `control`, or nullptr when it is not such a user control.
template <typename Logic> Logic* userControlLogic(Control* control) {
    auto* user = qobject_cast<UserControl*>(control);
    return user ? dynamic_cast<Logic*>(user->logic()) : nullptr;
}

} // namespace tk
