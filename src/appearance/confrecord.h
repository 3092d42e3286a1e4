#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The settings record "Conf.mld": one fixed record of 4146 bytes, a 16-bit record count followed by
// fixed-width text fields (blank-padded, cut at their width). Offsets are described once here; the
// record is encoded field by field, never by casting a struct over the bytes.
namespace conf {

inline constexpr std::size_t kRecordSize = 4146;
using RecordBytes = std::array<std::uint8_t, kRecordSize>;

inline constexpr int kMainLabels = 23;   // Label1(0..22)
inline constexpr int kScreenLabels = 14; // F2_Label1(0..13)
inline constexpr int kButtons = 21;      // switch(0..20)
inline constexpr int kMainImages = 4;    // Image1(0..3)
inline constexpr int kScreenImages = 3;  // F2_Image1(0..2)
inline constexpr int kScreenButtons = 2; // F2_Picture1(0..1)

// Offsets and widths.
inline constexpr std::size_t kPasswordAt = 2, kPasswordWidth = 8;
inline constexpr std::size_t kSliderAt = 10; // Top, Left of slider 0 then slider 1, 5 each
inline constexpr std::size_t kMainLabelAt = 30;
inline constexpr std::size_t kScreenLabelAt = 2422;
inline constexpr std::size_t kLabelBlock = 92;
inline constexpr std::size_t kButtonAt = 3710; // Top, Left every 10 bytes
inline constexpr std::size_t kWheelAt = 3950;
inline constexpr std::size_t kMainImageAt = 3960; // Top, Left, Height, Width every 20 bytes
inline constexpr std::size_t kScreenImageAt = 4040;
inline constexpr std::size_t kScreenButtonAt = 4100;
inline constexpr std::size_t kBackPageAt = 4120;
inline constexpr std::size_t kBackColorAt = 4130, kBackColorWidth = 16;
inline constexpr std::size_t kPositionWidth = 5;
// Inside a label block.
inline constexpr std::size_t kAlignmentAt = 0, kFontNameAt = 1, kFontNameWidth = 48, kBoldAt = 49,
                             kItalicAt = 54, kFlagWidth = 5, kSizeAt = 59, kSizeWidth = 2, kForeColorAt = 61,
                             kColorWidth = 16, kLabelTopAt = 77, kLabelLeftAt = 82, kLabelWidthAt = 87;
static_assert(kScreenLabelAt + kScreenLabels * kLabelBlock == 3710);
// The values the fields can hold: positions in five characters, font sizes in two. A picture's height
// and width are positions of at least one twip.
inline constexpr float kMinPosition = -9999.0f, kMaxPosition = 99999.0f;
inline constexpr float kMinSize = 1.0f;
inline constexpr float kMaxFontSize = 99.0f;
static_assert(kBackColorAt + kBackColorWidth == kRecordSize);

struct Position {
    float top = 0;
    float left = 0;
    friend bool operator==(const Position&, const Position&) = default;
};

struct ImageBox {
    float top = 0;
    float left = 0;
    float height = 0;
    float width = 0;
    friend bool operator==(const ImageBox&, const ImageBox&) = default;
};

struct LabelStyle {
    int alignment = 0; // 0 left, 1 right, 2 centre
    std::string fontName;
    bool bold = false;
    bool italic = false;
    float fontSize = 8.25f;
    std::uint32_t foreColor = 0x80000008u;
    float top = 0;
    float left = 0;
    friend bool operator==(const LabelStyle&, const LabelStyle&) = default;
};

// Everything the record stores, as values.
struct Settings {
    std::string password;
    std::array<Position, 2> sliders{};
    std::array<LabelStyle, kMainLabels> mainLabels{};
    std::array<LabelStyle, kScreenLabels> screenLabels{};
    std::array<Position, kButtons> buttons{};
    Position wheel{};
    std::array<ImageBox, kMainImages> mainImages{};
    std::array<ImageBox, kScreenImages> screenImages{};
    std::array<Position, kScreenButtons> screenButtons{};
    Position backPage{};
    std::uint32_t backColor = 0;
    friend bool operator==(const Settings&, const Settings&) = default;
};

// Field texts as the record writes them.
// A position: its shortest decimal form (at most seven significant digits, "." as the separator),
// clamped first to what a 5-character field can hold, then cut to 5 characters.
std::string positionText(float twips);
// A font size: the same decimal form cut to 2 characters (9.75 gives "9.").
std::string fontSizeText(float points);
std::string flagText(bool on);        // "True" or "False"
std::string colorText(std::uint32_t); // signed 32-bit decimal

// Reads a number field: blanks trimmed, "." or "," as the decimal separator.
std::optional<float> parseNumber(std::string_view field);
std::optional<bool> parseFlag(std::string_view field);
// A stored colour: a signed 32-bit number that is an RGB value or a known system colour.
std::optional<std::uint32_t> parseColor(std::string_view field);

// Encodes the settings as one record. The spare areas (three label blocks and six fields nobody
// writes) are taken from `previous`, the record last read. Text is stored in the single-byte code page.
RecordBytes encode(const Settings& settings, std::int16_t recordCount, const RecordBytes& previous);

// Decodes a record. Every field that does not convert or lies outside its valid range takes the value
// of `fallback` (the first-run layout); bytes past `length` are missing and fall back too.
Settings decode(const std::uint8_t* bytes, std::size_t length, const Settings& fallback);

} // namespace conf
