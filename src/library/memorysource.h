#pragma once

#include "library/bytesource.h"

#include <algorithm>
#include <cstring>

namespace id3 {

// A byte source over a buffer the caller keeps alive.
class MemorySource final : public ByteSource {
public:
    explicit MemorySource(std::span<const std::uint8_t> bytes) noexcept
        : m_bytes(bytes) {}

    [[nodiscard]] std::uint64_t size() const noexcept override { return m_bytes.size(); }

    [[nodiscard]] std::size_t read(std::uint64_t offset, std::span<std::uint8_t> out) override {
        if (offset >= m_bytes.size())
            return 0;
        const std::size_t n = std::min<std::uint64_t>(out.size(), m_bytes.size() - offset);
        if (n > 0)
            std::memcpy(out.data(), m_bytes.data() + offset, n);
        return n;
    }

private:
    std::span<const std::uint8_t> m_bytes;
};

} // namespace id3
