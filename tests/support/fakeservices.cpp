#include "fakeservices.h"

#include <algorithm>

namespace testing_support {

int FakeMessageBox::show(const std::string& text, int style, const std::string& title) {
    shown.push_back({text, style, title});
    if (answers.empty()) {
        return tk::kAnswerOk;
    }
    const int a = answers.front();
    answers.erase(answers.begin());
    return a;
}

namespace {
template <typename T> std::optional<T> takeFront(std::vector<std::optional<T>>& queue) {
    if (queue.empty()) {
        return std::nullopt;
    }
    std::optional<T> answer = queue.front();
    queue.erase(queue.begin());
    return answer;
}
} // namespace

std::optional<tk::FontSpec> FakeCommonDialogs::chooseFont(const tk::FontSpec& initial) {
    fontsShown.push_back(initial);
    return takeFront(fonts);
}

std::optional<tk::OleColor> FakeCommonDialogs::chooseColor(tk::OleColor) {
    return takeFront(colors);
}

void FakeProgramExit::exit(int c) {
    ended = true;
    code = c;
}

void VirtualClock::sleepFor(std::chrono::milliseconds d) {
    advance(d);
}

void VirtualClock::advance(std::chrono::milliseconds d) {
    m_wall += d;
    m_steady += d;
    m_elapsed += d;
    if (onAdvance) {
        onAdvance(d);
    }
}

tk::TimerService::TimerId VirtualTimers::start(int intervalMs, std::function<void()> tick) {
    const TimerId id = ++m_next;
    const int interval = std::max(1, intervalMs);
    m_timers.emplace(id, Entry{interval, m_now + interval, std::move(tick)});
    return id;
}

void VirtualTimers::stop(TimerId id) {
    m_timers.erase(id);
}

void VirtualTimers::advance(int ms) {
    const long long end = m_now + ms;
    for (;;) {
        // The earliest due timer; ties in the order the timers were started.
        auto next = m_timers.end();
        for (auto it = m_timers.begin(); it != m_timers.end(); ++it) {
            if (it->second.due <= end && (next == m_timers.end() || it->second.due < next->second.due)) {
                next = it;
            }
        }
        if (next == m_timers.end()) {
            break;
        }
        const long long due = next->second.due;
        m_clock.advance(std::chrono::milliseconds(due - m_now));
        m_now = due;
        next->second.due = due + next->second.interval;
        auto tick = next->second.tick; // the tick may stop or restart its own timer
        ++ticksFired;
        tick();
    }
    m_clock.advance(std::chrono::milliseconds(end - m_now));
    m_now = end;
}

float ScriptedRandom::uniform() {
    if (values.empty()) {
        return fallback;
    }
    const float v = values.front();
    values.erase(values.begin());
    return v;
}

tk::Picture NamedPictures::load(const std::filesystem::path& path) {
    tk::Picture p = m_loader->load(path);
    m_names[p.handle()] = path.filename().string();
    return p;
}

std::optional<tk::Picture> NamedPictures::tryLoad(const std::filesystem::path& path) {
    auto p = m_loader->tryLoad(path);
    if (p) {
        m_names[p->handle()] = path.filename().string();
    }
    return p;
}

std::string NamedPictures::nameOf(const tk::Picture& picture) const {
    const auto it = m_names.find(picture.handle());
    return it == m_names.end() ? std::string() : it->second;
}

} // namespace testing_support
