#include "platform/picture.h"

#include "platform/runtime.h"

#include <QImage>

#include <atomic>

namespace tk {

namespace {
std::atomic<std::uint64_t> g_nextHandle{1};
const QImage& emptyImage() {
    static const QImage empty;
    return empty;
}
} // namespace

Picture::Picture(std::shared_ptr<const QImage> image)
    : m_image(std::move(image))
    , m_handle(m_image ? g_nextHandle.fetch_add(1) : 0) {}

int Picture::widthPx() const {
    return m_image ? m_image->width() : 0;
}
int Picture::heightPx() const {
    return m_image ? m_image->height() : 0;
}
float Picture::widthTwips() const {
    return static_cast<float>(widthPx()) * Screen::kTwipsPerPixel;
}
float Picture::heightTwips() const {
    return static_cast<float>(heightPx()) * Screen::kTwipsPerPixel;
}
const QImage& Picture::image() const {
    return m_image ? *m_image : emptyImage();
}

} // namespace tk
