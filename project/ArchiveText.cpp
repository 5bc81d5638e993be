#include "project/ArchiveText.h"

#include <array>
#include <cstdint>
#include <iconv.h>

namespace archive_text {
namespace {

constexpr int kLeadFirst = 0x81;
constexpr int kLeadLast = 0xFE;
constexpr int kTrailFirst = 0x40;
constexpr int kTrailLast = 0xFE;
constexpr int kTrailCount = kTrailLast - kTrailFirst + 1;

// The GBK code page as two tables, built once from glibc's converter: the
// character of every two-byte code, and the code of every character. Table
// look-ups keep loading and saving fast and make the conversion exactly
// reversible (a code is decoded only when its character encodes back to it).
struct GbkTables {
    std::array<char16_t, (kLeadLast - kLeadFirst + 1) * kTrailCount> decode{};
    std::array<std::uint16_t, 0x10000> encode{}; // 0 = not representable
    char16_t singleByte80 = 0;                   // the one-byte code 0x80 (the euro sign)

    GbkTables()
    {
        iconv_t cd = iconv_open("UTF-16LE", "GBK");
        if (cd == reinterpret_cast<iconv_t>(-1))
            return;
        auto convertOne = [cd](const char* bytes, std::size_t length) -> char16_t {
            char in[2] = {bytes[0], length > 1 ? bytes[1] : '\0'};
            char out[8];
            char* inPtr = in;
            char* outPtr = out;
            std::size_t inLeft = length;
            std::size_t outLeft = sizeof out;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) ||
                sizeof out - outLeft != 2)
                return 0;
            return static_cast<char16_t>(static_cast<unsigned char>(out[0]) |
                                         (static_cast<unsigned char>(out[1]) << 8));
        };
        for (int lead = kLeadFirst; lead <= kLeadLast; ++lead) {
            for (int trail = kTrailFirst; trail <= kTrailLast; ++trail) {
                const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                const char16_t c = convertOne(bytes, 2);
                if (c < 0x80 || encode[c] != 0)
                    continue; // keep the mapping one-to-one
                decode[(lead - kLeadFirst) * kTrailCount + (trail - kTrailFirst)] = c;
                encode[c] = static_cast<std::uint16_t>((lead << 8) | trail);
            }
        }
        const char euro[1] = {static_cast<char>(0x80)};
        const char16_t c = convertOne(euro, 1);
        if (c >= 0x80 && encode[c] == 0) {
            singleByte80 = c;
            encode[c] = 0x80;
        }
        iconv_close(cd);
    }
};

const GbkTables& tables()
{
    static const GbkTables instance;
    return instance;
}

bool isAscii(std::string_view text)
{
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one UTF-8 sequence at text[i]; returns its length, or 0 when the
// bytes there are not valid UTF-8.
std::size_t decodeUtf8(std::string_view text, std::size_t i, char32_t& c)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length;
    char32_t minimum;
    if (lead < 0x80) {
        c = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        c = lead & 0x1F;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        c = lead & 0x0F;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        c = lead & 0x07;
        minimum = 0x10000;
    } else {
        return 0;
    }
    if (i + length > text.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (byte(i + k) & 0x3F);
    }
    if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return 0;
    return length;
}

} // namespace

std::string gbkToUtf8(std::string_view gbk)
{
    if (isAscii(gbk))
        return std::string(gbk);
    const GbkTables& t = tables();
    std::string out;
    out.reserve(gbk.size() * 3 / 2 + 4);
    for (std::size_t i = 0; i < gbk.size();) {
        const auto lead = static_cast<unsigned char>(gbk[i]);
        if (lead < 0x80) {
            out += static_cast<char>(lead);
            ++i;
            continue;
        }
        if (lead >= kLeadFirst && lead <= kLeadLast && i + 1 < gbk.size()) {
            const auto trail = static_cast<unsigned char>(gbk[i + 1]);
            if (trail >= kTrailFirst && trail <= kTrailLast) {
                const char16_t c = t.decode[(lead - kLeadFirst) * kTrailCount + (trail - kTrailFirst)];
                if (c != 0) {
                    appendUtf8(out, c);
                    i += 2;
                    continue;
                }
            }
        }
        if (lead == 0x80 && t.singleByte80 != 0)
            appendUtf8(out, t.singleByte80);
        else
            appendUtf8(out, kRawByteBase + lead);
        ++i;
    }
    return out;
}

std::string utf8ToGbk(std::string_view utf8)
{
    if (isAscii(utf8))
        return std::string(utf8);
    const GbkTables& t = tables();
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t c = 0;
        const std::size_t length = decodeUtf8(utf8, i, c);
        if (length == 0) {
            out += '?';
            ++i;
            continue;
        }
        i += length;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c >= kRawByteBase + 0x80 && c <= kRawByteBase + 0xFF) {
            out += static_cast<char>(c - kRawByteBase);
        } else if (c < 0x10000 && t.encode[c] != 0) {
            const std::uint16_t code = t.encode[c];
            if (code > 0xFF)
                out += static_cast<char>(code >> 8);
            out += static_cast<char>(code & 0xFF);
        } else {
            out += '?';
        }
    }
    return out;
}

} // namespace archive_text
