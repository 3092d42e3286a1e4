#include "platform/color.h"
#include "platform/control.h"
#include "platform/runtime.h"
#include "testruntime.h"

#include <QColor>
#include <QWidget>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using testing_support::TestRuntime;

TEST(Geometry, TwipsReadBackAsAssignedAndNeighboursTouchExactlyInPixelsAtEveryScale) {
    for (const auto& [w, h] : {std::pair(1024, 768), std::pair(1366, 768), std::pair(1920, 1080)}) {
        tk::Services s;
        s.screen.emplace(w, h);
        TestRuntime rt(std::move(s));
        QWidget host;
        // Twips read back exactly as assigned; on the 1024×768 design screen one pixel is 15 twips.
        tk::Control c(&host, "Box");
        c.move(1234.5f, -6500.0f, 4230.0f, 333.3f);
        EXPECT_EQ(c.left(), 1234.5f);
        EXPECT_EQ(c.top(), -6500.0f);
        EXPECT_EQ(c.width(), 4230.0f);
        EXPECT_EQ(c.height(), 333.3f);
        if (w == 1024) {
            EXPECT_EQ(c.geometry(), QRect(82, -433, 282, 22));
        }
        // Side by side and one under the other, with sizes that are no whole number of pixels.
        std::vector<tk::Control*> row;
        std::vector<tk::Control*> column;
        float at = 7.5f;
        for (float size : {22.5f, 22.5f, 22.5f, 333.3f, 7.0f, 1000.1f, 52.5f, 52.5f}) {
            auto* across = new tk::Control(&host);
            across->move(at, 100.0f, size, 300.0f);
            row.push_back(across);
            auto* down = new tk::Control(&host);
            down->move(100.0f, at, 300.0f, size);
            column.push_back(down);
            at += size;
        }
        for (std::size_t i = 1; i < row.size(); ++i) {
            EXPECT_EQ(row[i - 1]->geometry().right() + 1, row[i]->geometry().left()) << w << " at " << i;
            EXPECT_EQ(column[i - 1]->geometry().bottom() + 1, column[i]->geometry().top())
                << w << " at " << i;
        }
        // The whole run spans the pixels of its outer edges, however its parts were cut.
        EXPECT_EQ(row.back()->geometry().right() + 1 - row.front()->geometry().left(),
                  rt.runtime().screen().toPixels(at) - rt.runtime().screen().toPixels(7.5));
    }
}

TEST(Geometry, ScreenFollowsTheUniformScale) {
    tk::Screen design(1024, 768);
    EXPECT_FLOAT_EQ(design.widthTwips(), 15360.0f);
    EXPECT_FLOAT_EQ(design.heightTwips(), 11520.0f);

    tk::Screen wide(1920, 1080); // scaled by 1080/768; the wider screen shows more twips across
    EXPECT_DOUBLE_EQ(wide.scale(), 1080.0 / 768.0);
    EXPECT_FLOAT_EQ(wide.heightTwips(), 11520.0f);
    EXPECT_FLOAT_EQ(wide.widthTwips(), 20480.0f);
    EXPECT_EQ(wide.toPixels(15360), 1440);
}

TEST(Colors, RedSitsInTheLowByteAndSystemColorsKeepTheirValueAndShowTheirDefault) {
    EXPECT_EQ(tk::toQColor(0xFF8080), QColor(128, 128, 255));
    EXPECT_EQ(tk::toQColor(255), QColor(255, 0, 0));
    EXPECT_EQ(tk::fromQColor(QColor(128, 128, 255)), 0xFF8080u);
    const tk::OleColor windowText = tk::kSysWindowText;
    EXPECT_TRUE(tk::isSystemColor(windowText));
    EXPECT_EQ(tk::toQColor(windowText), QColor(0, 0, 0));
    EXPECT_EQ(tk::toQColor(tk::kSysWindow), QColor(255, 255, 255));
    EXPECT_TRUE(tk::isValidColor(-2147483640LL)); // system colour 8 as the settings store it
    EXPECT_TRUE(tk::isValidColor(16777215));
    EXPECT_FALSE(tk::isValidColor(16777216));
    EXPECT_FALSE(tk::isValidColor(0x80FF0008LL));
}
