#pragma once

#include "platform/errors.h"
#include "platform/event.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace tk {

inline constexpr int kErrNoSuchElement = 340;

// An indexed array of controls with one handler per event for the whole array, which receives the
// element's index first. Indexes may have gaps (an array of elements 8 and 9 only).
template <typename T> class ControlArray {
public:
    explicit ControlArray(std::string name = {})
        : m_name(std::move(name)) {}

    void add(int index, T* control) { m_items[index] = control; }

    // The element with this index; an index without an element is a runtime error.
    T& operator[](int index) const {
        auto it = m_items.find(index);
        if (it == m_items.end()) {
            throw RuntimeError(kErrNoSuchElement,
                               "Control array element '" + std::to_string(index) + "' doesn't exist", m_name);
        }
        return *it->second;
    }
    T* find(int index) const {
        auto it = m_items.find(index);
        return it == m_items.end() ? nullptr : it->second;
    }
    bool contains(int index) const { return m_items.count(index) != 0; }
    int count() const { return static_cast<int>(m_items.size()); }
    int lbound() const { return m_items.empty() ? 0 : m_items.begin()->first; }
    int ubound() const { return m_items.empty() ? -1 : m_items.rbegin()->first; }
    std::vector<int> indexes() const {
        std::vector<int> out;
        for (const auto& [i, c] : m_items) {
            out.push_back(i);
        }
        return out;
    }
    const std::string& name() const { return m_name; }

    // Connects one handler to the same event of every element: handler(index, args...).
    template <typename Base, typename... Args, typename Handler>
    void connect(Event<Args...> Base::*event, Handler handler) {
        for (auto& [index, control] : m_items) {
            const int i = index;
            (control->*event).connect([handler, i](Args... args) {
                handler(i, std::forward<Args>(args)...);
            });
        }
    }

    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    std::string m_name;
    std::map<int, T*> m_items;
};

} // namespace tk
