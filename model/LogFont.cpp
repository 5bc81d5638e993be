#include "model/LogFont.h"

#include "model/TextCodec.h"

#include <algorithm>
#include <cstring>

namespace {

LogFont makeFallbackGuiFont()
{
    LogFont font;
    font.setFaceName("Noto Sans CJK SC");
    return font;
}

LogFont& guiDefaultStorage()
{
    static LogFont font = makeFallbackGuiFont();
    return font;
}

void putInt(std::uint8_t* out, std::int32_t value)
{
    const auto u = static_cast<std::uint32_t>(value);
    out[0] = static_cast<std::uint8_t>(u);
    out[1] = static_cast<std::uint8_t>(u >> 8);
    out[2] = static_cast<std::uint8_t>(u >> 16);
    out[3] = static_cast<std::uint8_t>(u >> 24);
}

std::int32_t getInt(const std::uint8_t* in)
{
    const std::uint32_t u = std::uint32_t(in[0]) | (std::uint32_t(in[1]) << 8) |
                            (std::uint32_t(in[2]) << 16) | (std::uint32_t(in[3]) << 24);
    return static_cast<std::int32_t>(u);
}

}  // namespace

std::string LogFont::faceName() const
{
    const auto end = std::find(lfFaceName.begin(), lfFaceName.end(), '\0');
    return gbkToUtf8(std::string(lfFaceName.begin(), end));
}

void LogFont::setFaceName(const std::string& utf8)
{
    std::string gbk = utf8ToGbk(utf8);
    // Truncate without splitting a two-byte GBK character.
    std::size_t length = 0;
    while (length < gbk.size()) {
        const std::size_t step = (static_cast<unsigned char>(gbk[length]) >= 0x81) ? 2 : 1;
        if (length + step > kFaceSize - 1)
            break;
        length += step;
    }
    lfFaceName.fill('\0');
    std::memcpy(lfFaceName.data(), gbk.data(), length);
}

std::array<std::uint8_t, LogFont::kRecordSize> LogFont::toBytes() const
{
    std::array<std::uint8_t, kRecordSize> bytes{};
    putInt(&bytes[0], lfHeight);
    putInt(&bytes[4], lfWidth);
    putInt(&bytes[8], lfEscapement);
    putInt(&bytes[12], lfOrientation);
    putInt(&bytes[16], lfWeight);
    bytes[20] = lfItalic;
    bytes[21] = lfUnderline;
    bytes[22] = lfStrikeOut;
    bytes[23] = lfCharSet;
    bytes[24] = lfOutPrecision;
    bytes[25] = lfClipPrecision;
    bytes[26] = lfQuality;
    bytes[27] = lfPitchAndFamily;
    std::memcpy(&bytes[28], lfFaceName.data(), kFaceSize);
    return bytes;
}

LogFont LogFont::fromBytes(const std::uint8_t* bytes)
{
    LogFont font;
    font.lfHeight = getInt(&bytes[0]);
    font.lfWidth = getInt(&bytes[4]);
    font.lfEscapement = getInt(&bytes[8]);
    font.lfOrientation = getInt(&bytes[12]);
    font.lfWeight = getInt(&bytes[16]);
    font.lfItalic = bytes[20];
    font.lfUnderline = bytes[21];
    font.lfStrikeOut = bytes[22];
    font.lfCharSet = bytes[23];
    font.lfOutPrecision = bytes[24];
    font.lfClipPrecision = bytes[25];
    font.lfQuality = bytes[26];
    font.lfPitchAndFamily = bytes[27];
    std::memcpy(font.lfFaceName.data(), &bytes[28], kFaceSize);
    return font;
}

const LogFont& LogFont::guiDefault()
{
    return guiDefaultStorage();
}

void LogFont::setGuiDefault(const LogFont& font)
{
    guiDefaultStorage() = font;
}
