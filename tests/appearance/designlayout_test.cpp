#include "app/designlayout.h"

#include <gtest/gtest.h>

#include <algorithm>

using layout::Element;
using layout::findForm1;

namespace {

// The last Top a slide from `from` towards `to` reaches: it stops at the last step that does not pass.
constexpr int slideEnd(int from, int to, int step) {
    const int signedStep = to >= from ? step : -step;
    return from + (to - from) / signedStep * signedStep;
}

const Element& form1(std::string_view name, int index = layout::kNoIndex) {
    const Element* e = findForm1(name, index);
    EXPECT_NE(e, nullptr) << name << "(" << index << ")";
    static const Element none{};
    return e ? *e : none;
}

} // namespace

TEST(DesignLayout, ParkedPagesAreOutOfSightAndOpenPagesFitTheScreen) {
    for (const layout::SlidingPage& s : layout::kSlidingPages) {
        const Element& page = form1(s.name);
        const int parkedAfterClosing =
            slideEnd(slideEnd(s.closedTop, s.openTop, s.step), s.closedTop, s.step);
        EXPECT_LE(page.rect.height, -parkedAfterClosing) << s.name;
        EXPECT_LE(page.rect.height, -s.closedTop) << s.name;
        EXPECT_LE(page.rect.top, -page.rect.height) << s.name << " must be designed out of sight";
        const int limit = page.parent.empty() ? layout::kDesignHeight : form1(page.parent).rect.height;
        EXPECT_LE(slideEnd(s.closedTop, s.openTop, s.step) + page.rect.height, limit) << s.name;
    }
}

TEST(DesignLayout, PageAreaLeavesRoomForTheBarTheBottomLabelsAndTheLeftCover) {
    const Element& back = form1("BackPage");
    const int right = back.rect.left + back.rect.width;
    const int bottom = back.rect.top + back.rect.height;
    for (int i = 10; i <= 16; ++i) {
        EXPECT_LE(right, form1("switch", i).rect.left) << "switch " << i;
    }
    EXPECT_LE(right, form1("Wheel1").rect.left);
    for (int i = 18; i <= 22; ++i) {
        EXPECT_LE(bottom, form1("Label1", i).rect.top) << "Label1 " << i;
    }
    const Element& albumCover = form1("Image1", 3);
    EXPECT_LE(albumCover.rect.left + albumCover.rect.width, back.rect.left);
    // The closed doors cover the page area; opened, each lies wholly outside it.
    const Element& left = form1("LeftDoor");
    const Element& rightDoor = form1("RightDoor");
    EXPECT_EQ(left.rect.width, layout::kDoorWidth);
    EXPECT_EQ(rightDoor.rect.left, layout::kDoorWidth);
    EXPECT_GE(rightDoor.rect.left + rightDoor.rect.width, back.rect.width);
    EXPECT_GE(2 * layout::kDoorWidth + 50, back.rect.width);
}

TEST(DesignLayout, ControlsLieInsideTheirPages) {
    for (const auto group : layout::kForm1Groups) {
        for (const Element& e : group) {
            if (e.parent.empty() || e.name.starts_with("Page_") || e.name.ends_with("Door") ||
                e.kind == layout::Kind::Label) {
                continue; // pages are parked outside, the right door reaches past, labels follow their text
            }
            const Element* parent = findForm1(e.parent, e.parentIndex);
            ASSERT_NE(parent, nullptr) << e.name;
            EXPECT_GE(e.rect.left, 0) << e.name << "(" << e.index << ")";
            EXPECT_GE(e.rect.top, 0) << e.name << "(" << e.index << ")";
            EXPECT_LE(e.rect.left + e.rect.width, parent->rect.width) << e.name << "(" << e.index << ")";
            EXPECT_LE(e.rect.top + e.rect.height, parent->rect.height) << e.name << "(" << e.index << ")";
        }
    }
}

TEST(DesignLayout, EveryIndexedArrayIsCompleteAndUnique) {
    struct Array {
        std::string_view name;
        int first;
        int last;
    };
    for (const Array a : {Array{"Label1", 0, 22},    Array{"switch", 0, 20},  Array{"Image1", 0, 3},
                          Array{"Picture1", 0, 1},   Array{"Picture2", 1, 4}, Array{"Picture5", 0, 1},
                          Array{"Picture6", 0, 4},   Array{"Image2", 0, 2},   Array{"Image3", 0, 4},
                          Array{"Image4", 0, 2},     Array{"Image6", 0, 1},   Array{"SImage", 1, 8},
                          Array{"SLFile", 1, 8},     Array{"SLAlbum", 1, 8},  Array{"SLArtist", 1, 8},
                          Array{"Label2", 0, 3},     Array{"Label11", 0, 5},  Array{"txtMP3", 0, 13},
                          Array{"SliderPic1", 0, 1}, Array{"Switches", 8, 9}}) {
        for (int i = a.first; i <= a.last; ++i) {
            int count = 0;
            for (const auto group : layout::kForm1Groups) {
                count += static_cast<int>(std::count_if(group.begin(), group.end(), [&](const Element& e) {
                    return e.name == a.name && e.index == i;
                }));
            }
            EXPECT_EQ(count, 1) << a.name << "(" << i << ")";
        }
    }
    for (int i = 0; i <= 13; ++i) {
        EXPECT_NE(layout::findForm2("F2_Label1", i), nullptr) << i;
    }
}
