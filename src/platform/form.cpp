#include "platform/form.h"

#include "platform/control.h"
#include "platform/errors.h"
#include "platform/runtime.h"
#include "platform/x11hints.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

namespace tk {

namespace {

// The headless platform of the tests cannot stack windows and says so on every call.
bool stacksWindows() {
    return QGuiApplication::platformName() != QLatin1String("offscreen");
}

// The full-screen window of the station the owner sees: the active one, or else one shown.
Form* shownFullScreenForm() {
    Form* shown = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* form = qobject_cast<Form*>(widget);
        if (form && form->kind() == Form::Kind::FullScreen && form->isVisible() && !form->isMinimized()) {
            if (form->isActiveWindow()) {
                return form;
            }
            shown = form;
        }
    }
    return shown;
}

} // namespace

Form::Form(Kind kind, std::string name)
    : QWidget(nullptr)
    , m_name(std::move(name))
    , m_kind(kind) {
    setObjectName(QString::fromStdString(m_name));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setMouseTracking(true);
    if (m_kind == Kind::FullScreen) {
        setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    } else {
        setWindowFlags(Qt::Window | Qt::Dialog);
    }
    placeOnScreen();
}

Form::~Form() = default;

std::string Form::caption() const {
    return windowTitle().toStdString();
}

void Form::setCaption(const std::string& caption) {
    setWindowTitle(QString::fromStdString(caption));
}

void Form::setBackColor(OleColor color) {
    m_backColor = color;
    update();
}

void Form::setPicture(const Picture& picture) {
    m_picture = picture;
    update();
}

void Form::setWindowStateValue(int state) {
    m_windowState = state;
    if (state != 1) {
        m_restoredState = state;
    }
    if (!isVisible()) {
        return;
    }
    if (state == 1) {
        showMinimized();
    } else {
        placeOnScreen();
        showNormal();
    }
}

void Form::setVisibleValue(bool on) {
    if (on) {
        showForm();
    } else {
        hideForm();
    }
}

void Form::showForm() {
    const bool wasVisible = isVisible();
    // A dialog already open stays where the owner moved it.
    if (m_kind == Kind::FullScreen || !wasVisible) {
        placeOnScreen();
    }
    // A dialog kept on top opens over the full-screen window showing.
    if (m_alwaysOnTop && !wasVisible) {
        if (Form* owner = shownFullScreenForm()) {
            standOver(*owner);
        }
    }
    if (m_windowState == 1) {
        showMinimized();
    } else {
        const QWidget* activeBefore = QApplication::activeWindow();
        if (windowHandle()) {
            askForNormalMap(*windowHandle());
        }
        show();
        // A full-screen window shown while a dialog kept on top has the focus does not ask for it: the
        // dialog keeps it, and keepDialogsOver gives it back from a window manager that focuses the new
        // window. Qt asks for the focus of a window just shown only once it is mapped, after the dialog's
        // ask, and would take the focus from the dialog.
        const auto* focusedDialog = qobject_cast<const Form*>(activeBefore);
        const bool dialogKeepsFocus = m_kind == Kind::FullScreen && focusedDialog && focusedDialog != this &&
                                      focusedDialog->m_alwaysOnTop;
        if (stacksWindows()) {
            raise();
            if (!dialogKeepsFocus) {
                activateWindow();
            }
        }
        if (m_kind == Kind::FullScreen) {
            keepDialogsOver(activeBefore);
        }
    }
}

void Form::hideForm() {
    hide();
}

void Form::setDialogGeometry(float left, float top, float width, float height) {
    m_dialogLeft = left;
    m_dialogTop = top;
    m_dialogWidth = width;
    m_dialogHeight = height;
    placeOnScreen();
}

float Form::scaleWidth() const {
    const Screen& s = Runtime::current().screen();
    return m_kind == Kind::FullScreen ? s.widthTwips() : m_dialogWidth;
}

float Form::scaleHeight() const {
    const Screen& s = Runtime::current().screen();
    return m_kind == Kind::FullScreen ? s.heightTwips() : m_dialogHeight;
}

QRect Form::designArea() const {
    if (m_kind != Kind::FullScreen || !Runtime::exists()) {
        return rect();
    }
    const Screen& s = Runtime::current().screen();
    return {0, 0, s.toPixels(Screen::kDesignWidthTwips), s.toPixels(Screen::kDesignHeightTwips)};
}

void Form::setAlwaysOnTop(bool on) {
    m_alwaysOnTop = on;
    const bool wasVisible = isVisible();
    // Above the windows of other programs too, where a window manager keeps such windows "above".
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (wasVisible) {
        show();
        if (Form* owner = on ? shownFullScreenForm() : nullptr) {
            standOver(*owner);
        }
    }
}

void Form::setControlFont(const FontSpec& font) {
    setFont(toQFont(font, screenScale()));
}

void Form::standOver(Form& owner) {
    winId();
    owner.winId();
    windowHandle()->setTransientParent(owner.windowHandle());
    if (!isVisible()) {
        return; // Qt tells the window system when it shows the window
    }
    declareTransientFor(*windowHandle(), *owner.windowHandle());
    // Without a window manager nothing else keeps it there: the owner shown last would cover it.
    if (stacksWindows()) {
        raise();
    }
}

void Form::keepDialogsOver(const QWidget* activeBefore) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<Form*>(widget);
        if (!dialog || dialog == this || !dialog->m_alwaysOnTop || !dialog->isVisible()) {
            continue;
        }
        dialog->standOver(*this);
        if (dialog == activeBefore && stacksWindows()) {
            dialog->activateWindow();
        }
    }
}

void Form::setKeyPreview(bool on) {
    if (on == m_keyPreview) {
        return;
    }
    m_keyPreview = on;
    if (on) {
        qApp->installEventFilter(this);
    } else {
        qApp->removeEventFilter(this);
    }
}

bool Form::eventFilter(QObject* watched, QEvent* event) {
    if (!m_keyPreview || event->type() != QEvent::KeyPress || !watched->isWidgetType()) {
        return QWidget::eventFilter(watched, event);
    }
    auto* widget = static_cast<QWidget*>(watched);
    auto* key = static_cast<QKeyEvent*>(event);
    if (widget->window() != this) {
        return QWidget::eventFilter(watched, event);
    }
    // A key a control leaves goes on up through its containers, and the focus may move meanwhile: the
    // window sees each key once, at the first widget it reaches.
    const bool passingUp = key == m_previewedKey && key->timestamp() == m_previewedTime && m_previewedAt &&
                           widget->isAncestorOf(m_previewedAt);
    if (passingUp) {
        return QWidget::eventFilter(watched, event);
    }
    m_previewedKey = key;
    m_previewedTime = key->timestamp();
    m_previewedAt = widget;
    int code = keyCodeFromQt(key->key());
    if (code == 0) {
        return QWidget::eventFilter(watched, event);
    }
    const int shift = shiftFromQt(key->modifiers());
    raiseEvent([&] { keyDown(code, shift); });
    return code == 0;
}

void Form::setMousePointer(int pointer) {
    m_mousePointer = pointer;
    if (pointer == kPointerHourglass) {
        setCursor(Qt::WaitCursor);
    } else {
        unsetCursor();
    }
}

void Form::placeOnScreen() {
    if (!Runtime::exists()) {
        return;
    }
    const Screen& s = Runtime::current().screen();
    if (m_kind == Kind::FullScreen) {
        QRect area(0, 0, s.widthPx(), s.heightPx());
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            if (screen->geometry().size() == area.size()) {
                area = screen->geometry();
            }
        }
        setGeometry(area);
    } else {
        resize(s.toPixels(m_dialogWidth), s.toPixels(m_dialogHeight));
        move(s.toPixels(m_dialogLeft), s.toPixels(m_dialogTop));
    }
}

void Form::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), toQColor(m_backColor));
    if (!m_picture.isNull()) {
        const double scale = screenScale();
        p.setRenderHint(QPainter::SmoothPixmapTransform, scale != 1.0);
        p.drawImage(QRectF(0, 0, m_picture.widthPx() * scale, m_picture.heightPx() * scale),
                    m_picture.image());
    }
}

void Form::changeEvent(QEvent* event) {
    // The window manager minimises, restores and maximises the window by itself, and the state follows
    // it. The program's maximised is a placing the native window does not carry, so a change between
    // shown states touches it only when the window leaves the minimised or its own maximised state.
    if (event->type() == QEvent::WindowStateChange) {
        const Qt::WindowStates now = windowState();
        const Qt::WindowStates before = static_cast<QWindowStateChangeEvent*>(event)->oldState();
        if (now & Qt::WindowMinimized) {
            m_windowState = 1;
        } else if (now & (Qt::WindowMaximized | Qt::WindowFullScreen)) {
            m_windowState = m_restoredState = 2;
        } else if (m_windowState == 1) {
            m_windowState = m_restoredState;
        } else if (before & Qt::WindowMaximized) {
            m_windowState = m_restoredState = 0;
        }
    }
    QWidget::changeEvent(event);
}

void Form::closeEvent(QCloseEvent* event) {
    // Closing from the window manager is a request; the station runs its own exit sequence.
    event->ignore();
    raiseEvent([&] { closeRequested(); });
}

} // namespace tk
