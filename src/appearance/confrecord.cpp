#include "appearance/confrecord.h"

#include "library/windows1252.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace conf {

namespace {

// The shortest text of a single-precision value with at most seven significant digits, as the
// station has always written numbers: no exponent for the values a layout holds, no trailing zeros,
// no separator without a fraction.
std::string generalText(float value) {
    if (value == 0.0f) {
        return "0";
    }
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.7g", static_cast<double>(value));
    std::string s = buf;
    if (s.find('e') != std::string::npos) {
        // Far outside any layout; fixed notation keeps the field readable.
        std::snprintf(buf, sizeof buf, "%.0f", static_cast<double>(value));
        s = buf;
    }
    return s;
}

std::string cut(std::string s, std::size_t width) {
    if (s.size() > width) {
        s.resize(width);
    }
    return s;
}

void put(RecordBytes& r, std::size_t at, std::size_t width, const std::string& value) {
    const std::string v = cut(value, width);
    std::memcpy(r.data() + at, v.data(), v.size());
    std::memset(r.data() + at + v.size(), ' ', width - v.size());
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\0')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) {
        s.remove_suffix(1);
    }
    return s;
}

// A field of the record, or nullopt when the record is too short to hold it.
std::optional<std::string_view> field(const std::uint8_t* bytes, std::size_t length, std::size_t at,
                                      std::size_t width) {
    if (at + width > length) {
        return std::nullopt;
    }
    return std::string_view(reinterpret_cast<const char*>(bytes) + at, width);
}

void putPosition(RecordBytes& r, std::size_t at, float v) {
    put(r, at, kPositionWidth, positionText(v));
}

// A number field read back only within what the writer stores there: anything else ("1e38", a
// negative size) would put an element off the screen or give it no size.
float readNumber(const std::uint8_t* b, std::size_t n, std::size_t at, float fallback, float min, float max) {
    const auto f = field(b, n, at, kPositionWidth);
    const auto v = f ? parseNumber(*f) : std::nullopt;
    return v && *v >= min && *v <= max ? *v : fallback;
}

float readPosition(const std::uint8_t* b, std::size_t n, std::size_t at, float fallback) {
    return readNumber(b, n, at, fallback, kMinPosition, kMaxPosition);
}

float readSize(const std::uint8_t* b, std::size_t n, std::size_t at, float fallback) {
    return readNumber(b, n, at, fallback, kMinSize, kMaxPosition);
}

void putLabel(RecordBytes& r, std::size_t at, const LabelStyle& s, int width) {
    put(r, at + kAlignmentAt, 1, std::to_string(s.alignment));
    put(r, at + kFontNameAt, kFontNameWidth, text::encodeWindows1252(s.fontName));
    put(r, at + kBoldAt, kFlagWidth, flagText(s.bold));
    put(r, at + kItalicAt, kFlagWidth, flagText(s.italic));
    put(r, at + kSizeAt, kSizeWidth, fontSizeText(s.fontSize));
    put(r, at + kForeColorAt, kColorWidth, colorText(s.foreColor));
    putPosition(r, at + kLabelTopAt, s.top);
    putPosition(r, at + kLabelLeftAt, s.left);
    put(r, at + kLabelWidthAt, kPositionWidth, std::to_string(width));
}

LabelStyle readLabel(const std::uint8_t* b, std::size_t n, std::size_t at, const LabelStyle& fallback) {
    LabelStyle s = fallback;
    if (auto f = field(b, n, at + kAlignmentAt, 1)) {
        const auto v = parseNumber(*f);
        if (v && *v >= 0 && *v <= 2 && *v == std::floor(*v)) {
            s.alignment = static_cast<int>(*v);
        }
    }
    if (auto f = field(b, n, at + kFontNameAt, kFontNameWidth)) {
        const std::string_view name = trim(*f);
        if (!name.empty()) {
            s.fontName = text::decodeWindows1252(name);
        }
    }
    if (auto f = field(b, n, at + kBoldAt, kFlagWidth)) {
        s.bold = parseFlag(*f).value_or(fallback.bold);
    }
    if (auto f = field(b, n, at + kItalicAt, kFlagWidth)) {
        s.italic = parseFlag(*f).value_or(fallback.italic);
    }
    if (auto f = field(b, n, at + kSizeAt, kSizeWidth)) {
        const auto v = parseNumber(*f);
        if (v && *v >= 1.0f) {
            s.fontSize = *v;
        }
    }
    if (auto f = field(b, n, at + kForeColorAt, kColorWidth)) {
        s.foreColor = parseColor(*f).value_or(fallback.foreColor);
    }
    s.top = readPosition(b, n, at + kLabelTopAt, fallback.top);
    s.left = readPosition(b, n, at + kLabelLeftAt, fallback.left);
    return s;
}

} // namespace

std::string positionText(float twips) {
    // Clamped to what five characters hold, so what is stored is what is read back.
    if (!std::isfinite(twips)) {
        twips = 0.0f;
    }
    twips = std::clamp(twips, kMinPosition, kMaxPosition);
    return cut(generalText(twips), kPositionWidth);
}

std::string fontSizeText(float points) {
    return cut(generalText(points), kSizeWidth);
}

std::string flagText(bool on) {
    return on ? "True" : "False";
}

std::string colorText(std::uint32_t color) {
    return std::to_string(static_cast<std::int32_t>(color));
}

std::optional<float> parseNumber(std::string_view f) {
    std::string s(trim(f));
    if (s.empty()) {
        return std::nullopt;
    }
    std::replace(s.begin(), s.end(), ',', '.');
    if (s.back() == '.') {
        s.pop_back(); // "9." is 9
    }
    if (s.empty() || s == "-") {
        return std::nullopt;
    }
    float value = 0;
    const char* first = s.data();
    if (*first == '+') {
        ++first;
    }
    const auto [ptr, ec] = std::from_chars(first, s.data() + s.size(), value);
    if (ec != std::errc() || ptr != s.data() + s.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<bool> parseFlag(std::string_view f) {
    const std::string_view s = trim(f);
    if (s == "True") {
        return true;
    }
    if (s == "False") {
        return false;
    }
    return std::nullopt;
}

std::optional<std::uint32_t> parseColor(std::string_view f) {
    const std::string_view s = trim(f);
    std::int64_t value = 0;
    const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (s.empty() || ec != std::errc() || ptr != s.data() + s.size()) {
        return std::nullopt;
    }
    if (value < INT32_MIN || value > INT32_MAX) {
        return std::nullopt;
    }
    const auto c = static_cast<std::uint32_t>(static_cast<std::int32_t>(value));
    const bool system = (c & 0xFF000000u) == 0x80000000u && (c & 0x00FFFF00u) == 0 && (c & 0xFFu) <= 24;
    if (!system && c > 0xFFFFFFu) {
        return std::nullopt;
    }
    return c;
}

RecordBytes encode(const Settings& s, std::int16_t recordCount, const RecordBytes& previous) {
    RecordBytes r = previous;
    r[0] = static_cast<std::uint8_t>(static_cast<std::uint16_t>(recordCount) & 0xFF);
    r[1] = static_cast<std::uint8_t>(static_cast<std::uint16_t>(recordCount) >> 8);
    put(r, kPasswordAt, kPasswordWidth, text::encodeWindows1252(s.password));
    for (int k = 0; k < 2; ++k) {
        putPosition(r, kSliderAt + 10 * k, s.sliders[k].top);
        putPosition(r, kSliderAt + 10 * k + 5, s.sliders[k].left);
    }
    for (int k = 0; k < kMainLabels; ++k) {
        putLabel(r, kMainLabelAt + kLabelBlock * k, s.mainLabels[k], k == 19 ? 1900 : 2000);
    }
    for (int j = 0; j < kScreenLabels; ++j) {
        putLabel(r, kScreenLabelAt + kLabelBlock * j, s.screenLabels[j], 2000);
    }
    for (int k = 0; k < kButtons; ++k) {
        putPosition(r, kButtonAt + 10 * k, s.buttons[k].top);
        putPosition(r, kButtonAt + 10 * k + 5, s.buttons[k].left);
    }
    putPosition(r, kWheelAt, s.wheel.top);
    putPosition(r, kWheelAt + 5, s.wheel.left);
    const auto putImage = [&](std::size_t at, const ImageBox& b) {
        putPosition(r, at, b.top);
        putPosition(r, at + 5, b.left);
        putPosition(r, at + 10, b.height);
        putPosition(r, at + 15, b.width);
    };
    for (int k = 0; k < kMainImages; ++k) {
        putImage(kMainImageAt + 20 * k, s.mainImages[k]);
    }
    for (int k = 0; k < kScreenImages; ++k) {
        putImage(kScreenImageAt + 20 * k, s.screenImages[k]);
    }
    for (int k = 0; k < kScreenButtons; ++k) {
        putPosition(r, kScreenButtonAt + 10 * k, s.screenButtons[k].top);
        putPosition(r, kScreenButtonAt + 10 * k + 5, s.screenButtons[k].left);
    }
    putPosition(r, kBackPageAt, s.backPage.top);
    putPosition(r, kBackPageAt + 5, s.backPage.left);
    put(r, kBackColorAt, kBackColorWidth, colorText(s.backColor));
    return r;
}

Settings decode(const std::uint8_t* b, std::size_t n, const Settings& fallback) {
    Settings s = fallback;
    if (auto f = field(b, n, kPasswordAt, kPasswordWidth)) {
        s.password = text::decodeWindows1252(trim(*f));
    }
    for (int k = 0; k < 2; ++k) {
        s.sliders[k].top = readPosition(b, n, kSliderAt + 10 * k, fallback.sliders[k].top);
        s.sliders[k].left = readPosition(b, n, kSliderAt + 10 * k + 5, fallback.sliders[k].left);
    }
    for (int k = 0; k < kMainLabels; ++k) {
        s.mainLabels[k] = readLabel(b, n, kMainLabelAt + kLabelBlock * k, fallback.mainLabels[k]);
    }
    for (int j = 0; j < kScreenLabels; ++j) {
        s.screenLabels[j] = readLabel(b, n, kScreenLabelAt + kLabelBlock * j, fallback.screenLabels[j]);
    }
    for (int k = 0; k < kButtons; ++k) {
        s.buttons[k].top = readPosition(b, n, kButtonAt + 10 * k, fallback.buttons[k].top);
        s.buttons[k].left = readPosition(b, n, kButtonAt + 10 * k + 5, fallback.buttons[k].left);
    }
    s.wheel.top = readPosition(b, n, kWheelAt, fallback.wheel.top);
    s.wheel.left = readPosition(b, n, kWheelAt + 5, fallback.wheel.left);
    const auto readImage = [&](std::size_t at, const ImageBox& fb) {
        return ImageBox{readPosition(b, n, at, fb.top), readPosition(b, n, at + 5, fb.left),
                        readSize(b, n, at + 10, fb.height), readSize(b, n, at + 15, fb.width)};
    };
    for (int k = 0; k < kMainImages; ++k) {
        s.mainImages[k] = readImage(kMainImageAt + 20 * k, fallback.mainImages[k]);
    }
    for (int k = 0; k < kScreenImages; ++k) {
        s.screenImages[k] = readImage(kScreenImageAt + 20 * k, fallback.screenImages[k]);
    }
    for (int k = 0; k < kScreenButtons; ++k) {
        s.screenButtons[k].top = readPosition(b, n, kScreenButtonAt + 10 * k, fallback.screenButtons[k].top);
        s.screenButtons[k].left =
            readPosition(b, n, kScreenButtonAt + 10 * k + 5, fallback.screenButtons[k].left);
    }
    s.backPage.top = readPosition(b, n, kBackPageAt, fallback.backPage.top);
    s.backPage.left = readPosition(b, n, kBackPageAt + 5, fallback.backPage.left);
    if (auto f = field(b, n, kBackColorAt, kBackColorWidth)) {
        s.backColor = parseColor(*f).value_or(fallback.backColor);
    }
    return s;
}

} // namespace conf
