#include "app/formbuilder.h"

#include "platform/checkbox.h"
#include "platform/combobox.h"
#include "platform/commandbutton.h"
#include "platform/form.h"
#include "platform/frame.h"
#include "platform/label.h"
#include "platform/picturebox.h"
#include "platform/runtime.h"
#include "platform/tabstrip.h"
#include "platform/textbox.h"

#include <vector>

namespace {

tk::FontSpec fontOf(const layout::Font& f) {
    tk::FontSpec spec;
    if (!f.name.empty()) {
        spec.name = std::string(f.name);
        spec.size = f.size;
        spec.weight = f.weight;
        spec.italic = f.italic;
    }
    return spec;
}

tk::Control* create(const layout::Element& e, QWidget* parent, const ControlFactory& custom) {
    const std::string name(e.name);
    switch (e.kind) {
    case layout::Kind::PictureBox:
        return new tk::PictureBox(parent, name, e.index);
    case layout::Kind::Image:
        return new tk::Image(parent, name, e.index);
    case layout::Kind::Label:
        return new tk::Label(parent, name, e.index);
    case layout::Kind::TextBox:
        return new tk::TextBox(parent, name, e.index);
    case layout::Kind::ComboBox:
        return new tk::ComboBox(parent, name, e.index);
    case layout::Kind::CheckBox:
        return new tk::CheckBox(parent, name, e.index);
    case layout::Kind::Shape:
        return new tk::Shape(parent, name, e.index);
    case layout::Kind::Button:
        return new tk::CommandButton(parent, name, e.index);
    case layout::Kind::Frame:
        return new tk::Frame(parent, name, e.index);
    case layout::Kind::TabStrip:
        return new tk::TabStrip(parent, name, e.index);
    default:
        return custom ? custom(e, parent) : nullptr;
    }
}

} // namespace

void ControlRegistry::add(std::string_view name, int index, tk::Control* control) {
    m_controls[{std::string(name), index}] = control;
}

tk::Control* ControlRegistry::find(std::string_view name, int index) const {
    auto it = m_controls.find(std::pair<std::string, int>(std::string(name), index));
    return it == m_controls.end() ? nullptr : it->second;
}

namespace {
// Applies the design properties of `e` to a new control.
void applyDesign(tk::Control& control, const layout::Element& e) {
    control.move(static_cast<float>(e.rect.left), static_cast<float>(e.rect.top),
                 static_cast<float>(e.rect.width), static_cast<float>(e.rect.height));
    if (!e.toolTip.empty()) {
        control.setToolTipText(std::string(e.toolTip));
    }
    control.setEnabled(e.enabled);
    if (auto* label = dynamic_cast<tk::Label*>(&control)) {
        label->setFont(fontOf(e.font));
        label->setAlignment(static_cast<int>(e.alignment));
        if (e.foreColor != layout::kNoColor) {
            label->setForeColor(e.foreColor);
        }
        if (e.backColor != layout::kNoColor) {
            label->setBackColor(e.backColor);
        }
        label->setBackStyle(e.transparent ? 0 : 1);
        label->setCaption(std::string(e.caption));
        label->setAutoSize(e.sizing == layout::Sizing::Caption);
        label->setElides(e.elide);
    } else if (auto* box = dynamic_cast<tk::PictureBox*>(&control)) {
        box->setAutoSize(e.sizing == layout::Sizing::Picture);
        if (e.backColor != layout::kNoColor) {
            box->setBackColor(e.backColor);
        }
    } else if (auto* image = dynamic_cast<tk::Image*>(&control)) {
        image->setStretch(e.sizing == layout::Sizing::Stretch);
    } else if (auto* text = dynamic_cast<tk::TextBox*>(&control)) {
        text->setMaxLength(e.maxLength);
        if (e.passwordChar != 0) {
            text->setPasswordChar(std::string(1, e.passwordChar));
        }
        if (e.backColor != layout::kNoColor) {
            text->setBackColor(e.backColor);
        }
        if (!e.font.name.empty()) {
            text->setFont(fontOf(e.font));
        }
        text->setText(std::string(e.caption));
    } else if (auto* combo = dynamic_cast<tk::ComboBox*>(&control)) {
        if (e.backColor != layout::kNoColor) {
            combo->setBackColor(e.backColor);
        }
    } else if (auto* check = dynamic_cast<tk::CheckBox*>(&control)) {
        check->setCaption(std::string(e.caption));
        if (e.backColor != layout::kNoColor) {
            check->setBackColor(e.backColor);
        }
    } else if (auto* button = dynamic_cast<tk::CommandButton*>(&control)) {
        button->setCaption(std::string(e.caption));
    } else if (auto* frame = dynamic_cast<tk::Frame*>(&control)) {
        frame->setCaption(std::string(e.caption));
    }
    control.setVisible(e.visible);
}
} // namespace

void buildWindow(tk::Form& form, std::span<const std::span<const layout::Element>> groups,
                 ControlRegistry& registry, const ControlFactory& custom) {
    std::vector<const layout::Element*> pending;
    for (const auto group : groups) {
        for (const layout::Element& e : group) {
            pending.push_back(&e);
        }
    }
    // Containers may be listed after their children: place what has its parent, then try again.
    while (!pending.empty()) {
        std::vector<const layout::Element*> waiting;
        for (const layout::Element* e : pending) {
            QWidget* parent = &form;
            if (!e->parent.empty()) {
                parent = registry.find(e->parent, e->parentIndex);
                if (!parent) {
                    waiting.push_back(e);
                    continue;
                }
            }
            if (tk::Control* c = create(*e, parent, custom)) {
                applyDesign(*c, *e);
                registry.add(e->name, e->index, c);
            }
        }
        if (waiting.size() == pending.size()) {
            throw std::logic_error("design layout names a container that does not exist");
        }
        pending.swap(waiting);
    }
}
