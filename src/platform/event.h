#pragma once

#include <functional>
#include <utility>

namespace tk {

// One event of a control or window. Like the old toolkit's events it has at most one handler; raising
// an event nobody handles does nothing. Arguments passed by reference let the handler change them.
template <typename... Args> class Event {
public:
    using Handler = std::function<void(Args...)>;

    void connect(Handler handler) { m_handler = std::move(handler); }
    void disconnect() { m_handler = nullptr; }
    bool connected() const { return static_cast<bool>(m_handler); }

    // Calls the handler directly. Controls raise their events through raise() (control.h), which
    // applies the error policy at event dispatch.
    void operator()(Args... args) const {
        if (m_handler) {
            m_handler(std::forward<Args>(args)...);
        }
    }

private:
    Handler m_handler;
};

} // namespace tk
