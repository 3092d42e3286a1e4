#include "app/designlayout.h"
#include "platform/font.h"
#include "skingen.h"
#include "testruntime.h"

#include <QFontMetricsF>
#include <QImage>
#include <QImageReader>
#include <QString>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

using fixtures::TempFolder;

namespace {

std::string lower(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::tolower(c); });
    return out;
}

std::string readBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

QImage load(const std::filesystem::path& file, const char* format) {
    QImageReader reader(QString::fromStdString(file.string()), format);
    return reader.read();
}

const skin::PictureInfo* info(std::string_view name) {
    for (const skin::PictureInfo& p : skin::pictures()) {
        if (lower(p.name) == lower(name)) {
            return &p;
        }
    }
    return nullptr;
}

// Mean grey level of the top quarter of a picture, where a sunk button face is in shadow.
double topLuminance(const QImage& image) {
    double sum = 0;
    const int rows = std::max(1, image.height() / 4);
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < image.width(); ++x) {
            sum += qGray(image.pixel(x, y));
        }
    }
    return sum / (image.width() * rows);
}

double meanDifference(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            sum +=
                std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    }
    return sum / (3.0 * a.width() * a.height());
}

} // namespace

// One skin, drawn once into a folder owned by the suite.
class SkinGenerator : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_folder = std::make_unique<TempFolder>();
        const skin::Result result = skin::generateSkin(s_folder->path());
        ASSERT_TRUE(result.ok()) << result.error;
    }
    static void TearDownTestSuite() { s_folder.reset(); }

    static std::filesystem::path file(std::string_view name) { return s_folder->path() / "Skin" / name; }

    static std::unique_ptr<TempFolder> s_folder;
};
std::unique_ptr<TempFolder> SkinGenerator::s_folder;

// Each picture is written once whatever the letter case of its name, as a bitmap (the wheel's,
// losslessly) or a JPEG, and decodes at its planned size.
TEST_F(SkinGenerator, WritesEveryPictureOnceInItsFormatAtItsPlannedSize) {
    ASSERT_FALSE(skin::pictures().empty());
    std::set<std::string> written;
    for (const skin::PictureInfo& p : skin::pictures()) {
        EXPECT_TRUE(written.insert(lower(p.name)).second)
            << "two files differ only in letter case: " << p.name;
        const bool bitmap = lower(p.name).ends_with(".bmp");
        EXPECT_EQ(p.lossless, bitmap) << p.name;
        EXPECT_EQ(readBytes(file(p.name)).substr(0, 2), bitmap ? "BM" : "\xFF\xD8") << p.name;
        const QImage image = load(file(p.name), bitmap ? "bmp" : "jpg");
        EXPECT_EQ(image.size(), QSize(p.width, p.height)) << p.name;
    }
    // Names keep the letter case the skin loader writes first; the wheel's live in its folder.
    ASSERT_NE(info("Switch-off.jpg"), nullptr);
    EXPECT_EQ(info("Switch-off.jpg")->name, "Switch-off.jpg");
    EXPECT_EQ(info("Wheel Button.jpg"), nullptr);
    EXPECT_NE(info("Wheel/Wheel Button.jpg"), nullptr);
}

TEST_F(SkinGenerator, PicturesFitTheElementsAndWindowsThatShowThem) {
    auto check = [&](const layout::Element& e, std::string_view name) {
        if (name.empty() || e.sizing == layout::Sizing::Stretch) {
            return;
        }
        const QImage image = load(file(name), nullptr);
        ASSERT_FALSE(image.isNull()) << name;
        const int width = image.width() * layout::kTwipsPerPixel;
        const int height = image.height() * layout::kTwipsPerPixel;
        if (e.sizing == layout::Sizing::Picture) {
            // The element takes the picture's size, which is its design size.
            EXPECT_EQ(width, e.rect.width) << e.name << "(" << e.index << ") " << name;
            EXPECT_EQ(height, e.rect.height) << e.name << "(" << e.index << ") " << name;
        } else {
            // Shown from the top left and clipped: the picture covers the whole element.
            EXPECT_GE(width, e.rect.width) << e.name << "(" << e.index << ") " << name;
            EXPECT_GE(height, e.rect.height) << e.name << "(" << e.index << ") " << name;
            EXPECT_LT(width - e.rect.width, 4 * layout::kTwipsPerPixel) << e.name << " " << name;
            EXPECT_LT(height - e.rect.height, 5 * layout::kTwipsPerPixel) << e.name << " " << name;
        }
    };
    auto checkAll = [&](std::span<const layout::Element> group) {
        for (const layout::Element& e : group) {
            check(e, e.picture);
            for (const std::string_view other : e.otherPictures) {
                check(e, other);
            }
        }
    };
    for (const auto group : layout::kForm1Groups) {
        checkAll(group);
    }
    checkAll(layout::kForm2Elements);
    // The windows' backgrounds fill the design screen.
    for (const std::string_view name : {layout::kForm1.picture, layout::kForm2.picture}) {
        const QImage image = load(file(name), "jpg");
        EXPECT_EQ(image.width() * layout::kTwipsPerPixel, layout::kDesignWidth) << name;
        EXPECT_EQ(image.height() * layout::kTwipsPerPixel, layout::kDesignHeight) << name;
    }
}

// The album line under the page area, Label1(18), prints dark text on the main window's background: the
// light strip there lies behind the whole of its design place and the full height of its font, so the
// descenders and the lower strokes of wide characters do not fall onto the dark body below.
TEST_F(SkinGenerator, AlbumLineStripCoversTheLinesFontHeight) {
    const layout::Element* line = layout::findForm1("Label1", 18);
    ASSERT_NE(line, nullptr);
    const tk::FontSpec font{std::string(line->font.name), line->font.size, line->font.weight,
                            line->font.italic};
    const int fontHeight = static_cast<int>(std::ceil(QFontMetricsF(tk::toQFont(font, 1.0)).height()));
    const int left = line->rect.left / layout::kTwipsPerPixel;
    const int top = line->rect.top / layout::kTwipsPerPixel;
    const int width = line->rect.width / layout::kTwipsPerPixel;
    const int height = std::max(line->rect.height / layout::kTwipsPerPixel, fontHeight);
    const QImage screen = load(file(layout::kForm1.picture), "jpg");
    ASSERT_FALSE(screen.isNull());
    for (int y = top; y < top + height; ++y) {
        int dark = 0;
        for (int x = left; x < left + width; ++x) {
            dark += qGray(screen.pixel(x, y)) < 150 ? 1 : 0;
        }
        EXPECT_EQ(dark, 0) << "row " << y - top << " of " << height << " of the album line at " << left << ","
                           << top;
    }
}

TEST_F(SkinGenerator, WheelPicturesMakeUpTheWheelWithNineDistinctFrames) {
    const QImage strip = load(file("Wheel/WH.bmp"), "bmp");
    ASSERT_FALSE(strip.isNull());
    EXPECT_EQ(strip.width(), layout::kWheelFace.width);
    EXPECT_EQ(strip.height(), layout::kWheelFrames);
    for (int frame = 0; frame < layout::kWheelFrames; ++frame) {
        const int next = (frame + 1) % layout::kWheelFrames;
        EXPECT_NE(strip.copy(0, frame, strip.width(), 1), strip.copy(0, next, strip.width(), 1))
            << "frames " << frame << " and " << next << " look the same";
    }
    const QImage left = load(file("Wheel/LeftArrw.bmp"), "bmp");
    const QImage back = load(file("Wheel/WHBack.bmp"), "bmp");
    const QImage right = load(file("Wheel/RghtArrw.bmp"), "bmp");
    const layout::Element* wheel = layout::findForm1("Wheel1");
    ASSERT_NE(wheel, nullptr);
    // Arrow, slot, arrow side by side fill the wheel control; the face lies inside the slot.
    EXPECT_EQ((left.width() + back.width() + right.width()) * layout::kTwipsPerPixel, wheel->rect.width);
    for (const QImage& part : {left, back, right}) {
        EXPECT_EQ(part.height() * layout::kTwipsPerPixel, wheel->rect.height);
    }
    EXPECT_LE(layout::kWheelFace.left + layout::kWheelFace.width, left.width() + back.width());
}

TEST_F(SkinGenerator, PressedPicturesLookClearlyDifferentAndSunk) {
    int pairs = 0;
    for (const skin::PictureInfo& p : skin::pictures()) {
        const std::string name = lower(p.name);
        if (!name.ends_with("-on.jpg")) {
            continue;
        }
        const std::string offName = p.name.substr(0, p.name.size() - 7) + "-Off.jpg";
        const skin::PictureInfo* off = info(offName);
        ASSERT_NE(off, nullptr) << "no released picture for " << p.name;
        const QImage pressed = load(file(p.name), "jpg");
        const QImage released = load(file(off->name), "jpg");
        ASSERT_EQ(pressed.size(), released.size()) << p.name;
        EXPECT_GT(meanDifference(pressed, released), 6.0) << p.name;
        EXPECT_LT(topLuminance(pressed), topLuminance(released)) << p.name;
        ++pairs;
    }
    EXPECT_GE(pairs, 20);
}

TEST_F(SkinGenerator, DrawsTheSameFilesEveryTime) {
    TempFolder again;
    ASSERT_TRUE(skin::generateSkin(again.path()).ok());
    for (const std::string& name : {std::string("Screen.jpg"), std::string("Switch-On.jpg"),
                                    std::string("Wheel/WH.bmp"), std::string("LeftDoor.jpg")}) {
        EXPECT_EQ(readBytes(again.path() / "Skin" / name), readBytes(file(name))) << name;
    }
}

TEST(SkinGeneratorFailure, ReportsAFolderItCannotCreate) {
    TempFolder folder;
    const std::filesystem::path blocker = folder / "blocker";
    std::ofstream(blocker) << "a file where a folder should be";
    const skin::Result result = skin::generateSkin(blocker);
    EXPECT_FALSE(result.ok());
    EXPECT_NE(result.error.find("blocker"), std::string::npos) << result.error;
}
