// What the link tells its player, kept in order while the player is silent: the delivery of commands,
// volumes, position moves and song starts, and the play state the player is told to take.
#include "player/winampcontrol.h"

#include "platform/errors.h"
#include "platform/raisedwhilealive.h"
#include "platform/runtime.h"
#include "player/playerwire.h"

#include <limits>

namespace wire = playerwire;

namespace {
tk::Runtime& rt() {
    return tk::Runtime::current();
}
} // namespace

WinAMP_Control::Delivery WinAMP_Control::give(const Order& order) {
    noteCommanded(order);
    const Delivery waiting = flush();
    if (waiting == Delivery::Gone) {
        return waiting;
    }
    if (waiting == Delivery::Done) {
        Delivery now = Delivery::Done;
        {
            const tk::RaisedWhileAlive delivering(m_delivering);
            now = deliver(order);
        }
        if (now == Delivery::Waiting) {
            // Still first in line: whatever was given while it was being delivered comes after it.
            m_orders.push_front(order);
        }
        return now;
    }
    // Of several volumes or position moves in a row only the last matters.
    const bool replaces = !m_orders.empty() && m_orders.back().kind == order.kind &&
                          (order.kind == Order::Kind::Volume || order.kind == Order::Kind::Jump);
    if (replaces) {
        m_orders.back() = order;
    } else {
        m_orders.push_back(order);
    }
    return Delivery::Waiting;
}

WinAMP_Control::Delivery WinAMP_Control::flush() {
    // A delivery under way (this is called from the event loop of a message box it showed): what is
    // asked or given now waits behind it.
    if (m_delivering) {
        return Delivery::Waiting;
    }
    const tk::RaisedWhileAlive delivering(m_delivering);
    while (!m_orders.empty()) {
        const Delivery delivery = deliver(m_orders.front());
        if (delivery == Delivery::Waiting) {
            return delivery;
        }
        if (delivery == Delivery::Gone) {
            m_orders.clear();
            return delivery;
        }
        m_orders.pop_front();
    }
    return Delivery::Done;
}

WinAMP_Control::Delivery WinAMP_Control::unanswered() {
    // A hung window gets its messages later; one whose player ended never will, nor one that could no
    // longer be reached (send ended it: waiting for it would hold every order for ever).
    return rt().windows().isWindow(hWinAMP) ? Delivery::Waiting : Delivery::Gone;
}

WinAMP_Control::Delivery WinAMP_Control::post(std::uint32_t message, std::int32_t wParam,
                                              std::int32_t lParam) {
    tk::WindowMessenger& windows = rt().windows();
    if (windows.isHung(hWinAMP)) {
        return Delivery::Waiting;
    }
    if (send(message, wParam, lParam)) {
        return Delivery::Done;
    }
    // The window turned hung with this very request: it went out, and the player takes it, in its
    // turn, when it goes on. Sending it again would do it twice.
    if (windows.isHung(hWinAMP)) {
        return Delivery::Done;
    }
    return unanswered();
}

WinAMP_Control::Delivery WinAMP_Control::deliver(const Order& order) {
    switch (order.kind) {
    case Order::Kind::Command:
        return post(wire::kMsgCommand, order.value, 0);
    case Order::Kind::Clear:
        return post(wire::kMsgUser, 0, wire::kClearList);
    case Order::Kind::Volume:
        return post(wire::kMsgUser, order.value, wire::kSetVolume);
    case Order::Kind::Jump: {
        if (rt().windows().isHung(hWinAMP)) {
            return Delivery::Waiting;
        }
        const std::optional<std::int32_t> length = send(wire::kMsgUser, 1, wire::kAskTime);
        if (!length) {
            return unanswered();
        }
        const std::int64_t ms = static_cast<std::int64_t>(order.value) * 1000;
        // A time past what a message can carry is out of bounds too.
        if (order.value >= 0 && order.value <= *length && ms <= std::numeric_limits<std::int32_t>::max()) {
            return post(wire::kMsgUser, static_cast<std::int32_t>(ms), wire::kJumpToTime);
        }
        return Delivery::Done;
    }
    case Order::Kind::Song:
        return deliverSong(order.path);
    }
    return Delivery::Done;
}

WinAMP_Control::Delivery WinAMP_Control::deliverSong(const std::string& path) {
    // Made again from its start whenever the player fell silent on the way: the list is cleared first,
    // so a hand-over it took late does no harm, and the play command follows only a hand-over it
    // confirmed.
    if (const Delivery cleared = post(wire::kMsgUser, 0, wire::kClearList); cleared != Delivery::Done) {
        return cleared;
    }
    if (rt().windows().isHung(hWinAMP)) {
        return Delivery::Waiting;
    }
    Take taken = Take::Refused;
    try {
        taken = handOver(path);
    } catch (const tk::RuntimeError&) {
        return Delivery::Refused; // the player's program could not be started for it
    }
    switch (taken) {
    case Take::Refused:
        return Delivery::Refused;
    case Take::Lost:
        return Delivery::Gone;
    case Take::Unconfirmed:
        return unanswered();
    case Take::Taken:
        break;
    }
    return post(wire::kMsgCommand, wire::kCommandPlay, 0);
}

void WinAMP_Control::noteCommanded(const Order& order) {
    if (order.kind == Order::Kind::Song) {
        m_commanded = wire::kStatePlaying;
    } else if (order.kind == Order::Kind::Clear) {
        m_commanded = wire::kStateStopped;
    } else if (order.kind == Order::Kind::Command) {
        switch (order.value) {
        case wire::kCommandPlay:
            m_commanded = wire::kStatePlaying;
            break;
        case wire::kCommandStop:
        case wire::kCommandClose:
            m_commanded = wire::kStateStopped;
            break;
        case wire::kCommandPause:
            // Pauses a playing song and resumes a paused one; a stopped player stays stopped.
            if (m_commanded == wire::kStatePlaying) {
                m_commanded = wire::kStatePaused;
            } else if (m_commanded == wire::kStatePaused) {
                m_commanded = wire::kStatePlaying;
            }
            break;
        default:
            break;
        }
    }
}
