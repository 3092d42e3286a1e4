// An album's cover: the picture "cover.jpg" in the folder of one of its song files.
#include "app/form1.h"
#include "library/songpath.h"
#include "platform/errors.h"
#include "platform/pathcase.h"
#include "platform/picturebox.h"
#include "platform/runtime.h"

// The album's own cover wins; the skin's cover stands in for an album without one (the same picture
// as drawing the skin's first and the album's over it). A song path without a folder names no cover.
bool Form1::showAlbumCover(tk::Image& image, std::string_view songPath) const {
    const std::string folder(library::folderOf(songPath));
    if (!folder.empty()) {
        if (auto cover = tk::Runtime::current().pictures().tryLoad(tk::nativePath(folder + "cover.jpg"))) {
            image.setPicture(*cover);
            return true;
        }
    }
    return tk::tryStep([&] { image.setPicture(skinPicture("\\Cover.jpg")); });
}
