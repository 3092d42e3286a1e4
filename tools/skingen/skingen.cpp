#include "skingen.h"

#include "app/designlayout.h"
#include "drawers.h"
#include "paint.h"

#include <QImage>
#include <QPainter>
#include <QString>

#include <algorithm>
#include <map>
#include <system_error>

namespace skin {

namespace {

using Draw = void (*)(QPainter&, const QRectF&, std::string_view);

struct Entry {
    std::string_view name;
    Draw draw;
};

// Every picture of the skin and its painter. Names follow the letter case the station's code writes
// first; where it spells a file two ways, one file serves both (the loader ignores case).
constexpr Entry kEntries[] = {
    {"Screen.jpg", draw::mainScreen},
    {"Screen2.jpg", draw::nowPlayingScreen},
    // The main bar.
    {"Prev.jpg", draw::button},
    {"Stop.jpg", draw::button},
    {"Pause.jpg", draw::button},
    {"Play.jpg", draw::button},
    {"Next.jpg", draw::button},
    {"LastSong-Off.jpg", draw::button},
    {"LastSong-On.jpg", draw::button},
    {"NextSong-Off.jpg", draw::button},
    {"NextSong-On.jpg", draw::button},
    {"FullScreen.jpg", draw::button},
    {"Minimize.jpg", draw::button},
    {"Exit.jpg", draw::button},
    {"Switch-off.jpg", draw::pageSwitch},
    {"Switch-On.jpg", draw::pageSwitch},
    {"Wheel/Wheel Button.jpg", draw::button},
    {"EditScreenPass-Off.jpg", draw::button},
    {"EditScreenPass-On.jpg", draw::button},
    {"FullScreenTime-Off.jpg", draw::button},
    {"FullScreenTime-On.jpg", draw::button},
    {"ByArtist.jpg", draw::button},
    {"ByAlbum.jpg", draw::button},
    {"PlayStop.jpg", draw::playState},
    {"PlayPLAY.jpg", draw::playState},
    {"PlayPAUSE.jpg", draw::playState},
    // Pages, the page area and the doors.
    {"PlayList.jpg", draw::page},
    {"LastSongPlaylist.jpg", draw::page},
    {"AddSongs.jpg", draw::page},
    {"AddMoreSongs.jpg", draw::page},
    {"DeleteDataBase.jpg", draw::page},
    {"EditID3v2.jpg", draw::page},
    {"EditScreenPass.jpg", draw::page},
    {"BackPage.jpg", draw::page},
    {"LeftDoor.jpg", draw::door},
    {"RightDoor.jpg", draw::door},
    {"Single.jpg", draw::page},
    {"Single-Name.jpg", draw::page},
    {"Single-List.jpg", draw::page},
    {"Albums.jpg", draw::page},
    {"DataBase.jpg", draw::page},
    {"Top10.jpg", draw::page},
    {"Search.jpg", draw::page},
    // The pages' picture buttons.
    {"AddToPlaylist-Off.jpg", draw::button},
    {"AddToPlaylist-On.jpg", draw::button},
    {"ClearPlaylist-Off.jpg", draw::button},
    {"ClearPlaylist-On.jpg", draw::button},
    {"Loop-Off.jpg", draw::button},
    {"Loop-On.jpg", draw::button},
    {"Random-Off.jpg", draw::button},
    {"Random-On.jpg", draw::button},
    {"Close-Off.jpg", draw::button},
    {"Close-On.jpg", draw::button},
    {"LoadDirectory-off.jpg", draw::button},
    {"LoadDirectory-On.jpg", draw::button},
    {"Search-Off.jpg", draw::button},
    {"Search-On.jpg", draw::button},
    {"AddMoreSongs-off.jpg", draw::button},
    {"AddMoreSongs-On.jpg", draw::button},
    {"ClearSelected-off.jpg", draw::button},
    {"ClearSelected-On.jpg", draw::button},
    {"EditID3v2-off.jpg", draw::button},
    {"EditID3v2-On.jpg", draw::button},
    {"GetFiles-Off.jpg", draw::button},
    {"GetFiles-On.jpg", draw::button},
    {"Cancel-Off.jpg", draw::button},
    {"Cancel-On.jpg", draw::button},
    {"DeleteDataBase-Off.jpg", draw::button},
    {"DeleteDataBase-On.jpg", draw::button},
    {"OK-Off.jpg", draw::button},
    {"OK-On.jpg", draw::button},
    {"CopyToID3v2-Off.jpg", draw::button},
    {"CopyToID3v2-On.jpg", draw::button},
    {"Apply-Off.jpg", draw::button},
    {"Apply-On.jpg", draw::button},
    // The playing-now screen's slideshow button.
    {"LoadScreens-Off.jpg", draw::button},
    {"LoadScreens-On.jpg", draw::button},
    // Default and empty covers, stretched over every cover element.
    {"Cover.jpg", draw::cover},
    {"Empty.jpg", draw::cover},
    // The spin wheel's bitmaps.
    {"Wheel/LeftArrw.bmp", draw::wheel},
    {"Wheel/RghtArrw.bmp", draw::wheel},
    {"Wheel/WHBack.bmp", draw::wheel},
    {"Wheel/WH.bmp", draw::wheel},
};

// The covers are stretched over elements of many sizes; they are drawn square at this size.
constexpr int kCoverPixels = 240;

int pixels(int twips) {
    return (twips + layout::kTwipsPerPixel - 1) / layout::kTwipsPerPixel;
}

// Size and shown part of a picture that elements show from their top left: as large as the largest of
// them, and drawn within the part that the smallest shows.
struct Extent {
    QSize size;
    QSize shown;
};

std::map<std::string, Extent> elementExtents() {
    std::map<std::string, Extent> extents;
    auto add = [&](std::string_view name, const layout::Element& e) {
        if (name.empty() || e.sizing == layout::Sizing::Stretch) {
            return;
        }
        const QSize s(pixels(e.rect.width), pixels(e.rect.height));
        auto [it, added] = extents.try_emplace(paint::lowerCase(name), Extent{s, s});
        if (!added) {
            it->second.size = it->second.size.expandedTo(s);
            it->second.shown = it->second.shown.boundedTo(s);
        }
    };
    auto addAll = [&](std::span<const layout::Element> group) {
        for (const layout::Element& e : group) {
            add(e.picture, e);
            for (const std::string_view other : e.otherPictures) {
                add(other, e);
            }
        }
    };
    for (const auto group : layout::kForm1Groups) {
        addAll(group);
    }
    addAll(layout::kForm2Elements);
    return extents;
}

std::optional<Extent> fixedExtent(std::string_view name) {
    const std::string key = paint::lowerCase(name);
    auto square = [](int n) { return Extent{QSize(n, n), QSize(n, n)}; };
    auto pixelsOf = [](const layout::PixelPicture& pic) {
        return Extent{QSize(pic.width, pic.height), QSize(pic.width, pic.height)};
    };
    const Extent screen{QSize(pixels(layout::kDesignWidth), pixels(layout::kDesignHeight)),
                        QSize(pixels(layout::kDesignWidth), pixels(layout::kDesignHeight))};
    if (key == paint::lowerCase(layout::kForm1.picture) || key == paint::lowerCase(layout::kForm2.picture)) {
        return screen;
    }
    if (key == "cover.jpg" || key == "empty.jpg") {
        return square(kCoverPixels);
    }
    for (const auto& pic :
         {layout::kWheelLeftArrow, layout::kWheelRightArrow, layout::kWheelBack, layout::kWheelStrip}) {
        if (key == paint::lowerCase(std::string(layout::kWheelFolder) + "/" + std::string(pic.name))) {
            return pixelsOf(pic);
        }
    }
    return std::nullopt;
}

struct Planned {
    PictureInfo info;
    QSize shown;
    Draw draw;
};

const std::vector<Planned>& plan() {
    static const std::vector<Planned> planned = [] {
        const auto extents = elementExtents();
        std::vector<Planned> out;
        for (const Entry& entry : kEntries) {
            std::optional<Extent> extent = fixedExtent(entry.name);
            if (!extent) {
                const auto it = extents.find(paint::lowerCase(entry.name));
                // Every other picture is shown by an element of the layout; a name without one would be
                // a mistake in the table above, drawn at a visible placeholder size.
                extent = it != extents.end() ? it->second : Extent{QSize(64, 24), QSize(64, 24)};
            }
            const bool lossless = paint::lowerCase(entry.name).ends_with(".bmp");
            out.push_back({{std::string(entry.name), extent->size.width(), extent->size.height(), lossless},
                           extent->shown,
                           entry.draw});
        }
        return out;
    }();
    return planned;
}

std::vector<PictureInfo> infos() {
    std::vector<PictureInfo> out;
    for (const Planned& p : plan()) {
        out.push_back(p.info);
    }
    return out;
}

QImage render(const Planned& planned) {
    QImage image(planned.info.width, planned.info.height, QImage::Format_RGB32);
    image.fill(paint::kBodyBottom);
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    planned.draw(p, QRectF(QPointF(0, 0), QSizeF(planned.shown)), planned.info.name);
    p.end();
    return image;
}

} // namespace

std::span<const PictureInfo> pictures() {
    static const std::vector<PictureInfo> all = infos();
    return all;
}

std::vector<std::string> pictureNames() {
    std::vector<std::string> names;
    for (const PictureInfo& info : pictures()) {
        names.push_back(info.name);
    }
    return names;
}

Result generateSkin(const std::filesystem::path& programFolder) {
    const std::filesystem::path skinFolder = programFolder / "Skin";
    std::error_code ec;
    std::filesystem::create_directories(skinFolder / std::string(layout::kWheelFolder), ec);
    if (ec) {
        return {"cannot create " + (skinFolder / std::string(layout::kWheelFolder)).string() + ": " +
                ec.message()};
    }
    for (const Planned& planned : plan()) {
        const std::filesystem::path file = skinFolder / planned.info.name;
        const QImage image = render(planned);
        const char* format = planned.info.lossless ? "BMP" : "JPG";
        const int quality = planned.info.lossless ? -1 : 93;
        if (!image.save(QString::fromStdString(file.string()), format, quality)) {
            return {"cannot write " + file.string()};
        }
    }
    return {};
}

} // namespace skin
