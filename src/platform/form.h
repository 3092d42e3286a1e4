#pragma once

#include "platform/color.h"
#include "platform/event.h"
#include "platform/font.h"
#include "platform/picture.h"

#include <QPointer>
#include <QWidget>

#include <string>

namespace tk {

// Mouse pointers of a window, numbered as the old toolkit numbered them.
inline constexpr int kPointerDefault = 0;
inline constexpr int kPointerHourglass = 11;

// A window of the station. A full-screen window is frameless and fills the screen, its design area
// scaled uniformly from the top left and its back colour filling the rest; a dialog is an ordinary
// window with a caption, sized in twips. Coordinates of the controls on it are twips from its top left.
class Form : public QWidget {
    Q_OBJECT
public:
    enum class Kind { FullScreen, Dialog };

    explicit Form(Kind kind, std::string name = {});
    ~Form() override;

    const std::string& name() const { return m_name; }
    Kind kind() const { return m_kind; }

    std::string caption() const;
    void setCaption(const std::string& caption);
    OleColor backColor() const { return m_backColor; }
    void setBackColor(OleColor color);
    const Picture& picture() const { return m_picture; }
    void setPicture(const Picture& picture);

    // 0 normal, 1 minimised, 2 maximised (a full-screen window fills the screen in 0 and 2). It
    // follows the window manager too: a window it minimised or restored shows again the way it is.
    int windowStateValue() const { return m_windowState; }
    void setWindowStateValue(int state);

    // The Visible property: showing and hiding the window.
    bool visible() const { return isVisible(); }
    void setVisibleValue(bool on);
    void showForm();
    void hideForm();

    // Dialog geometry in twips (full-screen windows ignore it).
    void setDialogGeometry(float left, float top, float width, float height);
    float scaleWidth() const;
    float scaleHeight() const;
    // The part of the window the design fills, in device pixels: the scaled design area at the top left
    // of a full-screen window (beside or below it lies the band in the back colour), a dialog whole.
    QRect designArea() const;

    // The font of the window's controls that name none of their own.
    void setControlFont(const FontSpec& font);

    // Keeps a dialog above the other windows of the station, whichever of its full-screen windows shows
    // or is clicked: the dialog belongs to the full-screen window shown last and is raised over it.
    void setAlwaysOnTop(bool on);

    // Key preview: the window's KeyDown (key code, shift) runs for every key pressed in it before the
    // control with the focus sees the key; a handler that sets the code to 0 keeps the key from it.
    void setKeyPreview(bool on);
    Event<int&, int> keyDown;

    // The pointer shown over the window: kPointerDefault or kPointerHourglass.
    int mousePointer() const { return m_mousePointer; }
    void setMousePointer(int pointer);

    // The window manager asked to close the window. Nothing closes by itself; the owner decides.
    Event<> closeRequested;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placeOnScreen();
    // Makes this window one of `owner`'s (transient for it on X11) and, while shown, raises it over the
    // owner. A window manager keeps a transient above its owner even when it lifts a focused window that
    // fills the screen into its full-screen layer, above every window merely kept "above".
    void standOver(Form& owner);
    // Every shown window kept on top stands over this full-screen window, just shown; one that had the
    // focus gets it back.
    void keepDialogsOver(const QWidget* activeBefore);

    std::string m_name;
    Kind m_kind;
    OleColor m_backColor = kSysButtonFace;
    Picture m_picture;
    int m_windowState = 0;
    // The state to go back to when the window leaves the minimised state.
    int m_restoredState = 0;
    bool m_alwaysOnTop = false;
    bool m_keyPreview = false;
    // The key press the window saw last, and where, so that it sees the key once on its way up.
    const QEvent* m_previewedKey = nullptr;
    quint64 m_previewedTime = 0;
    QPointer<QWidget> m_previewedAt;
    int m_mousePointer = kPointerDefault;
    float m_dialogLeft = 0;
    float m_dialogTop = 0;
    float m_dialogWidth = 6000;
    float m_dialogHeight = 4500;
};

} // namespace tk
