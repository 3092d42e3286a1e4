#pragma once

#include "platform/event.h"

#include <QWidget>

#include <string>
#include <vector>

class QMouseEvent;
class QKeyEvent;

namespace tk {

// Mouse buttons and shift bits as the station's handlers receive them.
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;
inline constexpr int kShiftMask = 1;
inline constexpr int kCtrlMask = 2;
inline constexpr int kAltMask = 4;

// Key codes the handlers compare with.
inline constexpr int kKeyBack = 8;
inline constexpr int kKeyReturn = 13;
inline constexpr int kKeyEscape = 27;
inline constexpr int kKeyLeft = 37;
inline constexpr int kKeyUp = 38;
inline constexpr int kKeyRight = 39;
inline constexpr int kKeyDown = 40;
inline constexpr int kKeyDelete = 46;

// Stacking layers among the children of one container; a higher layer always lies above a lower one.
inline constexpr int kLayerLightweight = 0; // labels, images, shapes
inline constexpr int kLayerWindowed = 10;   // boxes, lists, picture boxes

// The drag data format of rows dragged out of our lists; the data is the list's name.
inline constexpr char kRowsMimeType[] = "application/x-tunnora-rows";

// What was dropped on a control: files from the desktop, or rows dragged out of one of our lists.
struct DropData {
    std::vector<std::string> files;
    std::string sourceList; // name of our list the rows came from; empty for files from the desktop
    bool fromOwnList() const { return !sourceList.empty(); }
};

// Device pixels per design pixel of the current runtime's screen.
double screenScale();

// The tool tip property value that shows `text` as typed, even when it looks like markup.
QString toolTipMarkup(const std::string& text);

// Runs `handler` under the error policy at event dispatch (see errors.h).
void raiseEvent(const std::function<void()>& handler);

// The base of every control: geometry in twips kept exactly as assigned, the Visible and Enabled
// properties, stacking, and the mouse and key events in the order the handlers rely on:
// press → MouseDown, release → MouseUp then Click (every button, release over the control), and for a
// double-click MouseDown, MouseUp, Click, DblClick, MouseUp with no second Click.
class Control : public QWidget {
    Q_OBJECT
public:
    explicit Control(QWidget* parent, std::string name = {}, int index = -1);
    ~Control() override;

    const std::string& name() const { return m_name; }
    int index() const { return m_index; }

    float left() const { return m_left; }
    float top() const { return m_top; }
    float width() const { return m_width; }
    float height() const { return m_height; }
    void setLeft(float twips);
    void setTop(float twips);
    virtual void setWidth(float twips);
    virtual void setHeight(float twips);
    void move(float left, float top);
    void move(float left, float top, float width, float height);

    // The Visible property: what the program set, whether or not the container is shown.
    bool visible() const { return !isHidden(); }

    std::string toolTipText() const;
    void setToolTipText(const std::string& text);

    void setStackLayer(int layer);
    int stackLayer() const { return m_layer; }
    // Brings the control to the front (0) or back (1) of its layer.
    void zOrder(int position = 0);

    // Accepts drops of files from the desktop and of rows dragged out of our lists.
    void setDropTarget(bool on);

    // Sets the device-pixel geometry from the twips values (the screen scale may have changed).
    void applyGeometry();

    Event<int, int, float, float> mouseDown; // button, shift, x, y (twips, relative to the control)
    Event<int, int, float, float> mouseMove; // buttons held, shift, x, y
    Event<int, int, float, float> mouseUp;
    Event<> click;
    Event<> dblClick;
    Event<int&, int> keyDown; // key code (set to 0 to swallow), shift
    Event<int&, int> keyUp;
    Event<int&> keyPress; // character code (set to 0 to swallow), 13 for Enter
    Event<const DropData&> dragDrop;
    Event<> gotFocus;
    Event<> lostFocus;

protected:
    // Sets the size without it counting as an assignment by the program (auto-sizing controls).
    void setSizeTwips(float width, float height);
    virtual void sizeChanged() {}
    // Runs between MouseUp and Click of a click on the control (lists raise ItemClick here).
    virtual void beforeClick() {}
    // False for controls whose Click reports a change of their value (check boxes, tab strips): a
    // release over them raises no Click of its own.
    virtual bool clickFollowsRelease() const { return true; }

    // Controls built around a Qt widget route its input through here so that both see it.
    void hostInner(QWidget* inner);
    QWidget* inner() const { return m_inner; }

    // Input translation shared by the control itself and a hosted inner widget.
    void handleMousePress(QMouseEvent* event);
    void handleMouseRelease(QMouseEvent* event);
    void handleMouseDoubleClick(QMouseEvent* event);
    void handleMouseMove(QMouseEvent* event);
    // Raises KeyDown and KeyPress; returns the character code to insert (0: swallowed, -1: none).
    // `keyDownSwallowed` tells whether the KeyDown handler set the key code to 0.
    int handleKeyPress(QKeyEvent* event, bool* keyDownSwallowed = nullptr);
    void handleKeyRelease(QKeyEvent* event);
    // A key pressed in a hosted widget; returns true to keep it from the widget.
    virtual bool innerKeyPress(QKeyEvent* event);

    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    float toTwipsX(double devicePixels) const;

private:
    void mouseArgs(QMouseEvent* event, int& shift, float& x, float& y) const;

    std::string m_name;
    int m_index;
    float m_left = 0;
    float m_top = 0;
    float m_width = 0;
    float m_height = 0;
    int m_layer = kLayerWindowed;
    QWidget* m_inner = nullptr;
    bool m_afterDoubleClick = false;
    std::string m_toolTipText;
};

// Restacks the control children of `container` by layer, keeping their order within a layer.
void restackChildren(QWidget* container);

// The old toolkit's key code for a Qt key.
int keyCodeFromQt(int qtKey);
// The old toolkit's shift bits for Qt modifiers.
int shiftFromQt(Qt::KeyboardModifiers modifiers);
// The station's code of one mouse button (1 left, 2 right, 4 middle, 0 other) and of the buttons held.
int mouseButtonFromQt(Qt::MouseButton button);
int mouseButtonsFromQt(Qt::MouseButtons buttons);
// The character code a key press types (13 for Enter, 8 for Backspace, 27 for Escape), or -1 for none.
int characterCodeFromQt(const QKeyEvent* event);

} // namespace tk
