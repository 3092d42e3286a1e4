#include "platform/backgroundpictures.h"

#include "platform/errors.h"
#include "platform/pathcase.h"

#include <QCoreApplication>
#include <QImage>
#include <QImageReader>
#include <QThreadPool>

namespace tk {

namespace {

// Loads started whose results have not yet been handed back; only the event loop's thread counts.
int g_outstanding = 0;

// A picture file decoded to fit within the size; a null image when it cannot be read.
QImage decodeFitted(const std::filesystem::path& path, int widthPx, int heightPx) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        return {};
    }
    QImageReader reader(QString::fromStdString(path.string()));
    reader.setDecideFormatFromContent(true);
    const QSize full = reader.size();
    const QSize bound(std::max(1, widthPx), std::max(1, heightPx));
    if (full.isValid() && (full.width() > bound.width() || full.height() > bound.height())) {
        // JPEG decodes straight at the smaller size, which is what makes a photograph quick.
        reader.setScaledSize(full.scaled(bound, Qt::KeepAspectRatio));
    }
    return reader.read();
}

} // namespace

BackgroundPictures::BackgroundPictures()
    : m_alive(std::make_shared<bool>(true)) {}

BackgroundPictures::~BackgroundPictures() = default;

void BackgroundPictures::load(const std::filesystem::path& path, int widthPx, int heightPx, Done done) {
    std::weak_ptr<bool> alive = m_alive;
    ++g_outstanding;
    const auto resolved = resolveIgnoringCase(path);
    if (!resolved) {
        QMetaObject::invokeMethod(
            qApp,
            [alive, done = std::move(done)] {
                --g_outstanding;
                if (!alive.expired()) {
                    dispatch([&] { done(std::nullopt); });
                }
            },
            Qt::QueuedConnection);
        return;
    }
    QThreadPool::globalInstance()->start(
        [file = *resolved, widthPx, heightPx, alive, done = std::move(done)] {
            auto image = std::make_shared<QImage>(decodeFitted(file, widthPx, heightPx));
            // The result crosses back to the event loop; only there is the loader's life looked at.
            QMetaObject::invokeMethod(
                qApp,
                [alive, done, image] {
                    --g_outstanding;
                    if (alive.expired()) {
                        return;
                    }
                    std::optional<Picture> picture;
                    if (!image->isNull()) {
                        picture = Picture(std::shared_ptr<const QImage>(image));
                    }
                    dispatch([&] { done(std::move(picture)); });
                },
                Qt::QueuedConnection);
        });
}

void BackgroundPictures::waitForAll() {
    // A result may start another load (an unreadable picture makes way for the next one).
    while (g_outstanding > 0) {
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::sendPostedEvents(qApp, QEvent::MetaCall);
    }
}

} // namespace tk
