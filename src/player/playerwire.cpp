#include "player/playerwire.h"

#include <algorithm>

namespace playerwire {

namespace {
void putLe32(std::uint8_t* out, std::uint32_t value) noexcept {
    out[0] = static_cast<std::uint8_t>(value);
    out[1] = static_cast<std::uint8_t>(value >> 8);
    out[2] = static_cast<std::uint8_t>(value >> 16);
    out[3] = static_cast<std::uint8_t>(value >> 24);
}

std::uint32_t getLe32(const std::uint8_t* in) noexcept {
    return static_cast<std::uint32_t>(in[0]) | static_cast<std::uint32_t>(in[1]) << 8 |
           static_cast<std::uint32_t>(in[2]) << 16 | static_cast<std::uint32_t>(in[3]) << 24;
}
} // namespace

std::array<std::uint8_t, kRequestSize> encodeRequest(const Request& request) noexcept {
    std::array<std::uint8_t, kRequestSize> bytes{};
    putLe32(bytes.data(), request.message);
    putLe32(bytes.data() + 4, static_cast<std::uint32_t>(request.wParam));
    putLe32(bytes.data() + 8, static_cast<std::uint32_t>(request.lParam));
    return bytes;
}

Request decodeRequest(std::span<const std::uint8_t, kRequestSize> bytes) noexcept {
    return Request{getLe32(bytes.data()), static_cast<std::int32_t>(getLe32(bytes.data() + 4)),
                   static_cast<std::int32_t>(getLe32(bytes.data() + 8))};
}

std::array<std::uint8_t, kReplySize> encodeReply(std::int32_t value) noexcept {
    std::array<std::uint8_t, kReplySize> bytes{};
    putLe32(bytes.data(), static_cast<std::uint32_t>(value));
    return bytes;
}

std::int32_t decodeReply(std::span<const std::uint8_t, kReplySize> bytes) noexcept {
    return static_cast<std::int32_t>(getLe32(bytes.data()));
}

std::vector<std::uint8_t> encodeTakeFile(std::string_view path) {
    const auto head = encodeRequest({kMsgTakeFile, static_cast<std::int32_t>(path.size()), 0});
    std::vector<std::uint8_t> bytes(kRequestSize + path.size());
    std::copy(head.begin(), head.end(), bytes.begin());
    std::copy(path.begin(), path.end(), bytes.begin() + kRequestSize);
    return bytes;
}

void RequestParser::feed(std::span<const std::uint8_t> bytes) {
    if (!m_broken) {
        m_buffer.insert(m_buffer.end(), bytes.begin(), bytes.end());
    }
}

std::optional<Incoming> RequestParser::next() {
    if (m_broken || m_buffer.size() < kRequestSize) {
        return std::nullopt;
    }
    std::array<std::uint8_t, kRequestSize> head{};
    std::copy_n(m_buffer.begin(), kRequestSize, head.begin());
    const Request request = decodeRequest(head);
    if (request.message != kMsgTakeFile) {
        m_buffer.erase(m_buffer.begin(), m_buffer.begin() + kRequestSize);
        return request;
    }
    if (request.wParam < 0 || static_cast<std::size_t>(request.wParam) > kMaxPathBytes) {
        m_broken = true;
        m_buffer.clear();
        return std::nullopt;
    }
    const auto length = static_cast<std::size_t>(request.wParam);
    if (m_buffer.size() < kRequestSize + length) {
        return std::nullopt;
    }
    const auto first = m_buffer.begin() + kRequestSize;
    TakeFile take{std::string(first, first + static_cast<std::ptrdiff_t>(length))};
    m_buffer.erase(m_buffer.begin(), first + static_cast<std::ptrdiff_t>(length));
    return take;
}

PathVerdict checkPathText(std::string_view path) noexcept {
    if (path.empty()) {
        return PathVerdict::Empty;
    }
    if (path.size() > kMaxPathBytes) {
        return PathVerdict::TooLong;
    }
    if (path.find('\0') != std::string_view::npos) {
        return PathVerdict::HasNulByte;
    }
    if (path.front() != '/') {
        return PathVerdict::NotAbsolute;
    }
    return PathVerdict::Acceptable;
}

} // namespace playerwire
