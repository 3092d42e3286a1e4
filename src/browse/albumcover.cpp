// An album's cover: the picture "cover.jpg" in the folder of one of its song files.
#include "app/form1.h"
#include "browse/albumcover.h"
#include "platform/errors.h"
#include "platform/pathcase.h"
#include "platform/picturebox.h"
#include "platform/runtime.h"

std::string albumFolderOf(std::string_view songPath) {
    const auto cut = songPath.find_last_of("/\\");
    return cut == std::string_view::npos ? std::string() : std::string(songPath.substr(0, cut + 1));
}

// The album's own cover wins; the skin's cover stands in for an album without one (the same picture
// as drawing the skin's first and the album's over it). A song path without a folder names no cover.
bool Form1::showAlbumCover(tk::Image& image, std::string_view songPath) const {
    const std::string folder = albumFolderOf(songPath);
    if (!folder.empty()) {
        if (auto cover = tk::Runtime::current().pictures().tryLoad(tk::nativePath(folder + "cover.jpg"))) {
            image.setPicture(*cover);
            return true;
        }
    }
    return tk::tryStep([&] { image.setPicture(skinPicture("\\Cover.jpg")); });
}
