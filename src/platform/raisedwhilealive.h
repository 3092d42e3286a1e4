#pragma once

namespace tk {

// Holds a flag up for as long as it lives: marks a procedure under way, so that a call that comes back
// into it meanwhile (from the event loop of a message box, say) can tell.
class RaisedWhileAlive {
public:
    explicit RaisedWhileAlive(bool& flag)
        : m_flag(flag) {
        m_flag = true;
    }
    ~RaisedWhileAlive() { m_flag = false; }
    RaisedWhileAlive(const RaisedWhileAlive&) = delete;
    RaisedWhileAlive& operator=(const RaisedWhileAlive&) = delete;

private:
    bool& m_flag;
};

} // namespace tk
