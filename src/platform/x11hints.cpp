#include "platform/x11hints.h"

#include <QGuiApplication>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace tk {

namespace {

// WM_HINTS is nine 32-bit values; the initial state, the third, counts when the flags, the first, carry
// the state hint.
constexpr std::uint32_t kHintsLength = 9;
constexpr std::uint32_t kStateHint = 1u << 1;
constexpr std::uint32_t kNormalState = 1;

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};

// The program's X11 connection when `window` is a native X11 window, or null.
xcb_connection_t* connectionOf(const QWindow& window) {
    // The headless platform offers the X11 interface too, without a connection of its own.
    if (QGuiApplication::platformName() != QLatin1String("xcb") || !window.handle()) {
        return nullptr;
    }
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

} // namespace

void askForNormalMap(const QWindow& window) {
    xcb_connection_t* connection = connectionOf(window);
    if (!connection) {
        return;
    }
    const auto id = static_cast<xcb_window_t>(window.winId());
    const std::unique_ptr<xcb_get_property_reply_t, FreeReply> reply(xcb_get_property_reply(
        connection,
        xcb_get_property(connection, 0, id, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 0, kHintsLength), nullptr));
    std::array<std::uint32_t, kHintsLength> hints{};
    if (!reply || reply->format != 32 ||
        xcb_get_property_value_length(reply.get()) < static_cast<int>(sizeof hints)) {
        return;
    }
    std::memcpy(hints.data(), xcb_get_property_value(reply.get()), sizeof hints);
    if (!(hints[0] & kStateHint) || hints[2] == kNormalState) {
        return;
    }
    hints[2] = kNormalState;
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 32,
                        kHintsLength, hints.data());
}

void declareTransientFor(const QWindow& window, const QWindow& owner) {
    xcb_connection_t* connection = connectionOf(window);
    if (!connection || !owner.handle()) {
        return;
    }
    const auto ownerId = static_cast<xcb_window_t>(owner.winId());
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window.winId()),
                        XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW, 32, 1, &ownerId);
}

} // namespace tk
