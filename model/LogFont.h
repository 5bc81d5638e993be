#pragma once

#include <array>
#include <cstdint>
#include <string>

// The 60-byte logical font record a project file stores for every chart font:
// five 32-bit integers, eight bytes of flags and a 32-byte face name. The face
// name is kept exactly as on disk (GBK, NUL-padded) so a round trip through a
// project file is byte-exact; faceName()/setFaceName() convert to UTF-8.
struct LogFont {
    static constexpr int kFaceSize = 32;
    static constexpr int kRecordSize = 60;
    static constexpr std::uint8_t kGb2312Charset = 134;

    std::int32_t lfHeight = -12;  // logical units; negative = character height
    std::int32_t lfWidth = 0;
    std::int32_t lfEscapement = 0;   // tenths of a degree
    std::int32_t lfOrientation = 0;  // tenths of a degree
    std::int32_t lfWeight = 400;     // 400 normal, 700 bold
    std::uint8_t lfItalic = 0;
    std::uint8_t lfUnderline = 0;
    std::uint8_t lfStrikeOut = 0;
    std::uint8_t lfCharSet = kGb2312Charset;
    std::uint8_t lfOutPrecision = 0;
    std::uint8_t lfClipPrecision = 0;
    std::uint8_t lfQuality = 0;
    std::uint8_t lfPitchAndFamily = 0;
    std::array<char, kFaceSize> lfFaceName{};  // GBK bytes, NUL-terminated

    // Face name as UTF-8 (converted from the stored GBK bytes).
    std::string faceName() const;
    // Stores the UTF-8 name as GBK, truncated on a character boundary to 31 bytes.
    void setFaceName(const std::string& utf8);

    // The raw 60 bytes in file order (little-endian integers).
    std::array<std::uint8_t, kRecordSize> toBytes() const;
    static LogFont fromBytes(const std::uint8_t* bytes);

    // "The default GUI font": the application's default font. The Qt layer
    // sets it at start-up from QApplication::font(); the core's fallback is a
    // 9-point CJK sans face.
    static const LogFont& guiDefault();
    static void setGuiDefault(const LogFont& font);

    bool operator==(const LogFont&) const = default;
};
