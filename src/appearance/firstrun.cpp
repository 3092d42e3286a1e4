#include "appearance/firstrun.h"

#include "app/designlayout.h"

#include <stdexcept>

namespace {

const layout::Element& element(std::string_view name, int index, bool screen = false) {
    const layout::Element* e = screen ? layout::findForm2(name, index) : layout::findForm1(name, index);
    if (!e) {
        throw std::logic_error("the design layout lacks " + std::string(name));
    }
    return *e;
}

conf::LabelStyle styleOf(const layout::Element& e) {
    conf::LabelStyle s;
    s.alignment = static_cast<int>(e.alignment);
    s.fontName = std::string(e.font.name);
    s.bold = e.font.weight >= 600; // semi-bold counts as bold
    s.italic = e.font.italic;
    s.fontSize = e.font.size;
    s.foreColor = e.foreColor == layout::kNoColor ? layout::kWindowText : e.foreColor;
    s.top = static_cast<float>(e.rect.top);
    s.left = static_cast<float>(e.rect.left);
    return s;
}

conf::Position positionOf(const layout::Element& e) {
    return {static_cast<float>(e.rect.top), static_cast<float>(e.rect.left)};
}

conf::ImageBox boxOf(const layout::Element& e) {
    return {static_cast<float>(e.rect.top), static_cast<float>(e.rect.left),
            static_cast<float>(e.rect.height), static_cast<float>(e.rect.width)};
}

} // namespace

conf::Settings firstRunSettings() {
    conf::Settings s;
    s.password = kDefaultScreenPassword;
    for (int i = 0; i < 2; ++i) {
        s.sliders[i] = positionOf(element("SliderPic1", i));
    }
    for (int k = 0; k < conf::kMainLabels; ++k) {
        s.mainLabels[k] = styleOf(element("Label1", k));
    }
    for (int j = 0; j < conf::kScreenLabels; ++j) {
        s.screenLabels[j] = styleOf(element("F2_Label1", j, true));
    }
    for (int k = 0; k < conf::kButtons; ++k) {
        s.buttons[k] = positionOf(element("switch", k));
    }
    s.wheel = positionOf(element("Wheel1", layout::kNoIndex));
    for (int k = 0; k < conf::kMainImages; ++k) {
        s.mainImages[k] = boxOf(element("Image1", k));
    }
    for (int k = 0; k < conf::kScreenImages; ++k) {
        s.screenImages[k] = boxOf(element("F2_Image1", k, true));
    }
    for (int k = 0; k < conf::kScreenButtons; ++k) {
        s.screenButtons[k] = positionOf(element("F2_Picture1", k, true));
    }
    s.backPage = positionOf(element("BackPage", layout::kNoIndex));
    s.backColor = element("Text1", layout::kNoIndex).backColor;
    return s;
}
