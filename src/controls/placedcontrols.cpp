#include "controls/placedcontrols.h"

#include "controls/builtinpictures.h"
#include "controls/sliderpic.h"
#include "controls/wheel.h"

#include <stdexcept>

namespace controls {

namespace {
struct Place {
    float top;
    float left;
};
constexpr Place kSliderPic1Places[] = {{210, 5880}, {3180, 5955}};
constexpr Place kSamplePlaces[] = {{1080, 945}, {2475, 945}};
constexpr Place kWheel1Place = {10350, 13110};

void checkIndex(int index) {
    if (index != 0 && index != 1) {
        throw std::invalid_argument("slider index must be 0 or 1");
    }
}

SliderPic* createPlaced(QWidget* parent, int index, Place place) {
    SliderPic* slider = SliderPic::create(parent, "SliderPic1", index);
    slider->readProperties(sliderPic1Properties(index));
    slider->control().move(place.left, place.top);
    return slider;
}
} // namespace

tk::PropertyBag sliderPic1Properties(int index) {
    checkIndex(index);
    const builtin::SliderLook look = index == 0 ? builtin::volumeSliderLook() : builtin::positionSliderLook();
    tk::PropertyBag bag;
    bag.writeInt("CurPosition", 50, 0);
    bag.writeInt("Min", 1, 0);
    bag.writeInt("Max", 100, 10);
    bag.writePicture("ImageSlider", look.track);
    bag.writePicture("ImageLeft", look.leftFill);
    bag.writePicture("ImagePointer", look.pointer);
    bag.writeInt("BackStyle", 0, 1);
    bag.writeInt("MaskColor", 0xFFFFFF, 0xC0C0C0);
    bag.writeBool("isSliderLeftPicSet", true, false);
    return bag;
}

SliderPic* createSliderPic1(QWidget* parent, int index) {
    checkIndex(index);
    return createPlaced(parent, index, kSliderPic1Places[index]);
}

SliderPic* createSampleSlider(QWidget* parent, int index) {
    checkIndex(index);
    return createPlaced(parent, index, kSamplePlaces[index]);
}

tk::PropertyBag wheel1Properties() {
    tk::PropertyBag bag;
    bag.writeInt("Max", 1, 100);
    return bag;
}

Wheel* createWheel1(QWidget* parent) {
    Wheel* wheel = Wheel::create(parent, "Wheel1");
    wheel->control().move(kWheel1Place.left, kWheel1Place.top);
    wheel->control().setToolTipText("Turn Wheel To Select");
    wheel->readProperties(wheel1Properties());
    return wheel;
}

} // namespace controls
