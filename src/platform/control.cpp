#include "platform/control.h"

#include "platform/errors.h"
#include "platform/runtime.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QTextDocument>
#include <QUrl>

#include <algorithm>
#include <cmath>

namespace tk {

namespace {
const char* const kRowsMime = kRowsMimeType;
} // namespace

int mouseButtonFromQt(Qt::MouseButton b) {
    switch (b) {
    case Qt::LeftButton:
        return kLeftButton;
    case Qt::RightButton:
        return kRightButton;
    case Qt::MiddleButton:
        return kMiddleButton;
    default:
        return 0;
    }
}

int mouseButtonsFromQt(Qt::MouseButtons bs) {
    int code = 0;
    if (bs & Qt::LeftButton) {
        code |= kLeftButton;
    }
    if (bs & Qt::RightButton) {
        code |= kRightButton;
    }
    if (bs & Qt::MiddleButton) {
        code |= kMiddleButton;
    }
    return code;
}

namespace {
int toPx(double twips) {
    return static_cast<int>(std::lround(twips / Screen::kTwipsPerPixel * screenScale()));
}
} // namespace

double screenScale() {
    return Runtime::exists() ? Runtime::current().screen().scale() : 1.0;
}

void raiseEvent(const std::function<void()>& handler) {
    dispatch(handler);
}

int shiftFromQt(Qt::KeyboardModifiers m) {
    int s = 0;
    if (m & Qt::ShiftModifier) {
        s |= kShiftMask;
    }
    if (m & Qt::ControlModifier) {
        s |= kCtrlMask;
    }
    if (m & Qt::AltModifier) {
        s |= kAltMask;
    }
    return s;
}

int keyCodeFromQt(int key) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        return 'A' + (key - Qt::Key_A);
    }
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        return '0' + (key - Qt::Key_0);
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) {
        return 112 + (key - Qt::Key_F1);
    }
    switch (key) {
    case Qt::Key_Backspace:
        return kKeyBack;
    case Qt::Key_Tab:
        return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return kKeyReturn;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    case Qt::Key_Escape:
        return kKeyEscape;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_End:
        return 35;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_Left:
        return kKeyLeft;
    case Qt::Key_Up:
        return kKeyUp;
    case Qt::Key_Right:
        return kKeyRight;
    case Qt::Key_Down:
        return kKeyDown;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return kKeyDelete;
    default:
        return 0;
    }
}

int characterCodeFromQt(const QKeyEvent* event) {
    const QString text = event->text();
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        return kKeyReturn;
    }
    if (event->key() == Qt::Key_Backspace) {
        return kKeyBack;
    }
    if (event->key() == Qt::Key_Escape) {
        return kKeyEscape;
    }
    if (!text.isEmpty() && text.at(0).isPrint()) {
        return static_cast<int>(text.toUcs4().value(0));
    }
    return -1;
}

Control::Control(QWidget* parent, std::string name, int index)
    : QWidget(parent)
    , m_name(std::move(name))
    , m_index(index) {
    setMouseTracking(true);
    if (!m_name.empty()) {
        setObjectName(QString::fromStdString(m_index >= 0 ? m_name + "_" + std::to_string(m_index) : m_name));
    }
    if (parent) {
        restackChildren(parent);
    }
}

Control::~Control() = default;

void Control::setLeft(float twips) {
    m_left = twips;
    applyGeometry();
}

void Control::setTop(float twips) {
    m_top = twips;
    applyGeometry();
}

void Control::setWidth(float twips) {
    m_width = std::max(0.0f, twips);
    applyGeometry();
    sizeChanged();
}

void Control::setHeight(float twips) {
    m_height = std::max(0.0f, twips);
    applyGeometry();
    sizeChanged();
}

void Control::move(float left, float top) {
    m_left = left;
    m_top = top;
    applyGeometry();
}

void Control::move(float left, float top, float width, float height) {
    m_left = left;
    m_top = top;
    m_width = std::max(0.0f, width);
    m_height = std::max(0.0f, height);
    applyGeometry();
    sizeChanged();
}

void Control::setSizeTwips(float width, float height) {
    m_width = std::max(0.0f, width);
    m_height = std::max(0.0f, height);
    applyGeometry();
}

void Control::applyGeometry() {
    // Edges are rounded, not sizes, so neighbouring elements never leave gaps or overlap.
    const int x = toPx(m_left);
    const int y = toPx(m_top);
    const int w = toPx(static_cast<double>(m_left) + m_width) - x;
    const int h = toPx(static_cast<double>(m_top) + m_height) - y;
    setGeometry(x, y, std::max(0, w), std::max(0, h));
    if (m_inner) {
        m_inner->setGeometry(0, 0, std::max(0, w), std::max(0, h));
    }
}

std::string Control::toolTipText() const {
    return m_toolTipText;
}

QString toolTipMarkup(const std::string& text) {
    const QString plain = QString::fromStdString(text);
    // A tool tip that looks like markup would be drawn as markup: "<b>x</b>" must show its brackets.
    if (Qt::mightBeRichText(plain)) {
        return QStringLiteral("<p style='white-space:pre'>") + plain.toHtmlEscaped() + QStringLiteral("</p>");
    }
    return plain;
}

void Control::setToolTipText(const std::string& text) {
    m_toolTipText = text;
    setToolTip(toolTipMarkup(text));
}

void Control::setStackLayer(int layer) {
    m_layer = layer;
    if (parentWidget()) {
        restackChildren(parentWidget());
    }
}

void Control::zOrder(int position) {
    if (position == 0) {
        QWidget::raise();
    } else {
        QWidget::lower();
    }
    if (parentWidget()) {
        restackChildren(parentWidget());
    }
}

void Control::setDropTarget(bool on) {
    setAcceptDrops(on);
}

void Control::hostInner(QWidget* inner) {
    m_inner = inner;
    inner->setParent(this);
    inner->installEventFilter(this);
    if (auto* vp = inner->findChild<QWidget*>(QStringLiteral("qt_scrollarea_viewport"))) {
        vp->installEventFilter(this);
        vp->setMouseTracking(true);
    }
    inner->setMouseTracking(true);
    applyGeometry();
    inner->show();
}

float Control::toTwipsX(double devicePixels) const {
    return static_cast<float>(devicePixels / screenScale() * Screen::kTwipsPerPixel);
}

void Control::mouseArgs(QMouseEvent* event, int& shift, float& x, float& y) const {
    shift = shiftFromQt(event->modifiers());
    // Coordinates are relative to this control even when the event arrived at a hosted widget.
    const QPointF global = event->globalPosition();
    const QPointF local = mapFromGlobal(global);
    x = toTwipsX(local.x());
    y = toTwipsX(local.y());
}

void Control::handleMousePress(QMouseEvent* event) {
    int shift;
    float x, y;
    mouseArgs(event, shift, x, y);
    const int button = mouseButtonFromQt(event->button());
    m_afterDoubleClick = false;
    raiseEvent([&] { mouseDown(button, shift, x, y); });
}

void Control::handleMouseDoubleClick(QMouseEvent*) {
    // The second press of a double-click raises DblClick in place of MouseDown, and its release
    // raises MouseUp without a second Click.
    m_afterDoubleClick = true;
    raiseEvent([&] { dblClick(); });
}

void Control::handleMouseRelease(QMouseEvent* event) {
    int shift;
    float x, y;
    mouseArgs(event, shift, x, y);
    const int button = mouseButtonFromQt(event->button());
    const bool inside = rect().contains(mapFromGlobal(event->globalPosition()).toPoint());
    const bool afterDouble = m_afterDoubleClick;
    m_afterDoubleClick = false;
    QPointer<Control> self(this);
    raiseEvent([&] { mouseUp(button, shift, x, y); });
    if (self && inside && !afterDouble) {
        beforeClick();
    }
    if (self && inside && !afterDouble && clickFollowsRelease()) {
        raiseEvent([&] { click(); });
    }
}

void Control::handleMouseMove(QMouseEvent* event) {
    int shift;
    float x, y;
    mouseArgs(event, shift, x, y);
    const int held = mouseButtonsFromQt(event->buttons());
    raiseEvent([&] { mouseMove(held, shift, x, y); });
}

int Control::handleKeyPress(QKeyEvent* event, bool* keyDownSwallowed) {
    const int original = keyCodeFromQt(event->key());
    int code = original;
    const int shift = shiftFromQt(event->modifiers());
    if (code != 0) {
        raiseEvent([&] { keyDown(code, shift); });
    }
    if (keyDownSwallowed) {
        *keyDownSwallowed = (original != 0 && code == 0);
    }
    int ascii = characterCodeFromQt(event);
    if (ascii >= 0) {
        raiseEvent([&] { keyPress(ascii); });
    }
    return ascii;
}

void Control::handleKeyRelease(QKeyEvent* event) {
    int code = keyCodeFromQt(event->key());
    const int shift = shiftFromQt(event->modifiers());
    if (code != 0) {
        raiseEvent([&] { keyUp(code, shift); });
    }
}

void Control::mousePressEvent(QMouseEvent* event) {
    if (!m_inner) {
        handleMousePress(event);
    }
    event->accept();
}

void Control::mouseReleaseEvent(QMouseEvent* event) {
    if (!m_inner) {
        handleMouseRelease(event);
    }
    event->accept();
}

void Control::mouseDoubleClickEvent(QMouseEvent* event) {
    if (!m_inner) {
        handleMouseDoubleClick(event);
    }
    event->accept();
}

void Control::mouseMoveEvent(QMouseEvent* event) {
    if (!m_inner) {
        handleMouseMove(event);
    }
    event->accept();
}

void Control::keyPressEvent(QKeyEvent* event) {
    // Keys of a hosted widget were raised by the event filter already; this is its ignored leftover.
    if (!m_inner) {
        handleKeyPress(event);
    }
    event->accept();
}

void Control::keyReleaseEvent(QKeyEvent* event) {
    if (!m_inner) {
        handleKeyRelease(event);
    }
    event->accept();
}

void Control::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    raiseEvent([&] { gotFocus(); });
}

void Control::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    raiseEvent([&] { lostFocus(); });
}

void Control::dragEnterEvent(QDragEnterEvent* event) {
    const QMimeData* data = event->mimeData();
    if (data->hasUrls() || data->hasFormat(kRowsMime)) {
        event->acceptProposedAction();
    }
}

void Control::dragMoveEvent(QDragMoveEvent* event) {
    event->acceptProposedAction();
}

void Control::dropEvent(QDropEvent* event) {
    DropData drop;
    const QMimeData* data = event->mimeData();
    if (data->hasFormat(kRowsMime)) {
        drop.sourceList = QString::fromUtf8(data->data(kRowsMime)).toStdString();
    } else {
        for (const QUrl& url : data->urls()) {
            if (url.isLocalFile()) {
                drop.files.push_back(url.toLocalFile().toStdString());
            }
        }
    }
    event->acceptProposedAction();
    raiseEvent([&] { dragDrop(drop); });
}

bool Control::eventFilter(QObject* watched, QEvent* event) {
    if (!m_inner || (watched != m_inner && watched->parent() != m_inner)) {
        return QWidget::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        handleMousePress(static_cast<QMouseEvent*>(event));
        break;
    case QEvent::MouseButtonRelease:
        handleMouseRelease(static_cast<QMouseEvent*>(event));
        break;
    case QEvent::MouseButtonDblClick:
        handleMouseDoubleClick(static_cast<QMouseEvent*>(event));
        break;
    case QEvent::MouseMove:
        handleMouseMove(static_cast<QMouseEvent*>(event));
        break;
    case QEvent::KeyPress:
        if (watched == m_inner && innerKeyPress(static_cast<QKeyEvent*>(event))) {
            return true;
        }
        break;
    case QEvent::KeyRelease:
        if (watched == m_inner) {
            handleKeyRelease(static_cast<QKeyEvent*>(event));
        }
        break;
    case QEvent::FocusIn:
        raiseEvent([&] { gotFocus(); });
        break;
    case QEvent::FocusOut:
        raiseEvent([&] { lostFocus(); });
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

bool Control::innerKeyPress(QKeyEvent* event) {
    bool downSwallowed = false;
    const int ascii = handleKeyPress(event, &downSwallowed);
    return ascii == 0 || downSwallowed;
}

void restackChildren(QWidget* container) {
    std::vector<Control*> controls;
    for (QObject* child : container->children()) {
        if (auto* c = qobject_cast<Control*>(child)) {
            controls.push_back(c);
        }
    }
    // children() lists widgets from back to front after raise()/lower(); keep that order per layer.
    std::stable_sort(controls.begin(), controls.end(),
                     [](const Control* a, const Control* b) { return a->stackLayer() < b->stackLayer(); });
    for (Control* c : controls) {
        c->QWidget::raise();
    }
}

} // namespace tk
