#pragma once

#include <cstdint>
#include <memory>

class QImage;

namespace tk {

// A loaded picture object. Copies share the decoded pixels and the identity; every load creates a new
// identity, so two elements that loaded the same file hold two different pictures.
class Picture {
public:
    Picture() = default;
    explicit Picture(std::shared_ptr<const QImage> image);

    bool isNull() const { return !m_image; }
    // Size in the picture's own pixels, which are design pixels (15 twips each).
    int widthPx() const;
    int heightPx() const;
    float widthTwips() const;
    float heightTwips() const;
    const QImage& image() const;
    std::uint64_t handle() const { return m_handle; }

    friend bool operator==(const Picture& a, const Picture& b) { return a.m_handle == b.m_handle; }

private:
    std::shared_ptr<const QImage> m_image;
    std::uint64_t m_handle = 0;
};

} // namespace tk
