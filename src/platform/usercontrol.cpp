#include "platform/usercontrol.h"

#include "platform/errors.h"
#include "platform/raster.h"
#include "platform/runtime.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QRegion>

#include <array>
#include <vector>

namespace tk {

namespace {
constexpr int kInvalidPropertyValue = 380;
constexpr int kCustomPointer = 99;

// The cursor of each numbered mouse pointer from 1 to 15.
constexpr std::array<Qt::CursorShape, 16> kPointerShapes = {
    Qt::ArrowCursor,     // 0 (unused: the default pointer unsets the cursor)
    Qt::ArrowCursor,     // 1 arrow
    Qt::CrossCursor,     // 2 cross
    Qt::IBeamCursor,     // 3 I-beam
    Qt::ArrowCursor,     // 4 icon
    Qt::SizeAllCursor,   // 5 size
    Qt::SizeBDiagCursor, // 6 size north-east and south-west
    Qt::SizeVerCursor,   // 7 size north and south
    Qt::SizeFDiagCursor, // 8 size north-west and south-east
    Qt::SizeHorCursor,   // 9 size west and east
    Qt::UpArrowCursor,   // 10 up arrow
    Qt::WaitCursor,      // 11 hourglass
    Qt::ForbiddenCursor, // 12 no drop
    Qt::BusyCursor,      // 13 arrow and hourglass
    Qt::WhatsThisCursor, // 14 arrow and question mark
    Qt::SizeAllCursor,   // 15 size all
};
// The pixels not of the key colour, as one-pixel-high runs in the banded order QRegion takes.
QRegion opaqueRegion(const QImage& image, QRgb key) {
    std::vector<QRect> runs;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        int x = 0;
        while (x < image.width()) {
            while (x < image.width() && row[x] == key) {
                ++x;
            }
            const int start = x;
            while (x < image.width() && row[x] != key) {
                ++x;
            }
            if (x > start) {
                runs.emplace_back(start, y, x - start, 1);
            }
        }
    }
    QRegion region;
    if (!runs.empty()) {
        region.setRects(runs.data(), static_cast<int>(runs.size()));
    }
    return region;
}
} // namespace

UserControl::UserControl(QWidget* parent, std::string name, int index)
    : Control(parent, std::move(name), index) {
    setStackLayer(kLayerWindowed);
    setFocusPolicy(Qt::NoFocus);
}

UserControl::~UserControl() = default;

void UserControl::setLogic(std::unique_ptr<UserControlLogic> logic) {
    m_logic = std::move(logic);
}

void UserControl::resizeFace(int widthPx, int heightPx, OleColor fill) {
    if (m_face.width() != widthPx || m_face.height() != heightPx || m_face.isNull()) {
        m_face = raster::surface(widthPx, heightPx, fill);
        keepOwnSize();
    } else {
        m_face.fill(raster::toPixel(raster::resolve(fill)));
    }
}

void UserControl::faceChanged() {
    refreshShape();
    update();
}

void UserControl::setBackStyle(int style) {
    m_backStyle = style == 0 ? 0 : 1;
    faceChanged();
}

void UserControl::setMaskColor(OleColor color) {
    m_maskColor = color;
    faceChanged();
}

bool UserControl::opaqueAt(int x, int y) const {
    if (!m_face.valid(x, y)) {
        return false;
    }
    if (m_backStyle != 0) {
        return true;
    }
    return raster::pixel(m_face, x, y) != raster::resolve(m_maskColor);
}

void UserControl::setMousePointer(int pointer) {
    if (pointer != kCustomPointer && (pointer < 0 || pointer >= static_cast<int>(kPointerShapes.size()))) {
        throw RuntimeError(kInvalidPropertyValue, "Invalid property value");
    }
    m_mousePointer = pointer;
    applyCursor();
}

void UserControl::setMouseIcon(const Picture& icon) {
    m_mouseIcon = icon;
    applyCursor();
}

void UserControl::applyCursor() {
    if (m_mousePointer == 0) {
        unsetCursor();
    } else if (m_mousePointer == kCustomPointer) {
        if (m_mouseIcon.isNull()) {
            unsetCursor();
        } else {
            setCursor(QCursor(QPixmap::fromImage(m_mouseIcon.image())));
        }
    } else {
        setCursor(kPointerShapes[static_cast<std::size_t>(m_mousePointer)]);
    }
}

void UserControl::setTakesFocus(bool on) {
    setFocusPolicy(on ? Qt::StrongFocus : Qt::NoFocus);
}

void UserControl::setWidth(float) {
    keepOwnSize();
}

void UserControl::setHeight(float) {
    keepOwnSize();
}

void UserControl::sizeChanged() {
    keepOwnSize();
}

void UserControl::keepOwnSize() {
    const float w = static_cast<float>(m_face.width()) * Screen::kTwipsPerPixel;
    const float h = static_cast<float>(m_face.height()) * Screen::kTwipsPerPixel;
    if (w != width() || h != height()) {
        setSizeTwips(w, h);
    }
}

void UserControl::resizeEvent(QResizeEvent* event) {
    Control::resizeEvent(event);
    refreshShape();
}

void UserControl::refreshShape() {
    const bool wasAllTransparent = m_allTransparent;
    m_allTransparent = false;
    if (m_backStyle != 0 || m_face.isNull() || size().isEmpty()) {
        if (m_masked) {
            clearMask();
            m_masked = false;
        }
    } else {
        // Hit testing and drawing both follow the mask: the widget is clipped to its drawn parts.
        const QRgb key = raster::toPixel(raster::resolve(m_maskColor));
        const QRegion region = opaqueRegion(
            m_face.size() == size() ? m_face
                                    : m_face.scaled(size(), Qt::IgnoreAspectRatio, Qt::FastTransformation),
            key);
        m_allTransparent = region.isEmpty();
        m_masked = !m_allTransparent;
        if (m_allTransparent) {
            clearMask();
        } else {
            setMask(region);
        }
    }
    if (wasAllTransparent != m_allTransparent) {
        setAttribute(Qt::WA_TransparentForMouseEvents, m_allTransparent);
    }
}

void UserControl::paintEvent(QPaintEvent*) {
    if (m_face.isNull() || m_allTransparent) {
        return;
    }
    QPainter p(this);
    p.drawImage(rect(), m_face);
}

QPointF UserControl::ownPixels(const QMouseEvent* event) const {
    const QPointF local = mapFromGlobal(event->globalPosition());
    const double s = screenScale();
    return {local.x() / s, local.y() / s};
}

void UserControl::mousePressEvent(QMouseEvent* event) {
    event->accept();
    m_afterDoubleClick = false;
    if (!m_logic) {
        return;
    }
    const QPointF at = ownPixels(event);
    const int button = mouseButtonFromQt(event->button());
    const int shift = shiftFromQt(event->modifiers());
    raiseEvent([&] { m_logic->onMouseDown(button, shift, float(at.x()), float(at.y())); });
}

void UserControl::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    const bool afterDouble = m_afterDoubleClick;
    m_afterDoubleClick = false;
    if (!m_logic) {
        return;
    }
    const QPointF at = ownPixels(event);
    const bool inside = rect().contains(mapFromGlobal(event->globalPosition()).toPoint());
    const int button = mouseButtonFromQt(event->button());
    const int shift = shiftFromQt(event->modifiers());
    QPointer<UserControl> self(this);
    raiseEvent([&] { m_logic->onMouseUp(button, shift, float(at.x()), float(at.y())); });
    if (self && m_logic && inside && !afterDouble) {
        raiseEvent([&] { m_logic->onClick(); });
    }
}

void UserControl::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    m_afterDoubleClick = true;
    if (!m_logic) {
        return;
    }
    const QPointF at = ownPixels(event);
    const int button = mouseButtonFromQt(event->button());
    const int shift = shiftFromQt(event->modifiers());
    raiseEvent([&] { m_logic->onDblClick(button, shift, float(at.x()), float(at.y())); });
}

void UserControl::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    if (!m_logic) {
        return;
    }
    const QPointF at = ownPixels(event);
    const int held = mouseButtonsFromQt(event->buttons());
    const int shift = shiftFromQt(event->modifiers());
    raiseEvent([&] { m_logic->onMouseMove(held, shift, float(at.x()), float(at.y())); });
}

void UserControl::keyPressEvent(QKeyEvent* event) {
    event->accept();
    if (!m_logic) {
        return;
    }
    int code = keyCodeFromQt(event->key());
    const int shift = shiftFromQt(event->modifiers());
    QPointer<UserControl> self(this);
    if (code != 0) {
        raiseEvent([&] { m_logic->onKeyDown(code, shift); });
    }
    int character = characterCodeFromQt(event);
    if (self && m_logic && character >= 0) {
        raiseEvent([&] { m_logic->onKeyPress(character); });
    }
}

void UserControl::keyReleaseEvent(QKeyEvent* event) {
    event->accept();
    int code = keyCodeFromQt(event->key());
    const int shift = shiftFromQt(event->modifiers());
    if (m_logic && code != 0) {
        raiseEvent([&] { m_logic->onKeyUp(code, shift); });
    }
}

} // namespace tk
