#pragma once

#include "app/designlayout.h"
#include "platform/controlarray.h"

#include <functional>
#include <map>
#include <span>
#include <stdexcept>
#include <string>
#include <utility>

class QWidget;
namespace tk {
class Control;
class Form;
} // namespace tk

// The controls of one window by name and index, as the window builder created them.
class ControlRegistry {
public:
    void add(std::string_view name, int index, tk::Control* control);
    tk::Control* find(std::string_view name, int index = layout::kNoIndex) const;

    // The control of that name and index as its type; a missing or mistyped control is a fault of the
    // program, not of the user's data.
    template <typename T> T* get(std::string_view name, int index = layout::kNoIndex) const {
        T* c = dynamic_cast<T*>(find(name, index));
        if (!c) {
            throw std::logic_error("no control " + std::string(name) + "(" + std::to_string(index) + ")");
        }
        return c;
    }

    // Adds every element of that name to the array.
    template <typename T> void fill(tk::ControlArray<T>& array) const {
        for (const auto& [key, control] : m_controls) {
            if (key.first == array.name() && key.second != layout::kNoIndex) {
                if (auto* typed = dynamic_cast<T*>(control)) {
                    array.add(key.second, typed);
                }
            }
        }
    }

private:
    std::map<std::pair<std::string, int>, tk::Control*, std::less<>> m_controls;
};

// Creates a control of a kind the builder does not make itself (the list views, the custom controls);
// returns nullptr to leave the element out.
using ControlFactory = std::function<tk::Control*(const layout::Element&, QWidget* parent)>;

// Creates every element of `groups` on `form` with its design place, size, caption, font, colours,
// tool tip, visibility and sizing. Pictures are not loaded here.
void buildWindow(tk::Form& form, std::span<const std::span<const layout::Element>> groups,
                 ControlRegistry& registry, const ControlFactory& custom);


