#pragma once

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "model/CIDG.h"
#include "model/TextCodec.h"

namespace fixtures {

// A byte builder for hand-made project files, independent of the archive
// code under test: every encoding is spelled out here once more.
struct Bytes {
    std::vector<std::uint8_t> data;

    Bytes& u8(std::uint8_t v)
    {
        data.push_back(v);
        return *this;
    }
    Bytes& u16(std::uint16_t v) { return u8(v & 0xFF).u8(v >> 8); }
    Bytes& u32(std::uint32_t v) { return u16(v & 0xFFFF).u16(v >> 16); }
    Bytes& i32(std::int32_t v) { return u32(static_cast<std::uint32_t>(v)); }
    Bytes& f32(float v) { return u32(std::bit_cast<std::uint32_t>(v)); }
    Bytes& f64(double v)
    {
        const auto bits = std::bit_cast<std::uint64_t>(v);
        return u32(static_cast<std::uint32_t>(bits)).u32(static_cast<std::uint32_t>(bits >> 32));
    }
    // A string of file bytes with the prefix form its length needs.
    Bytes& raw(const std::string& bytes)
    {
        const std::size_t n = bytes.size();
        if (n < 255) {
            u8(static_cast<std::uint8_t>(n));
        } else if (n < 65534) {
            u8(0xFF).u16(static_cast<std::uint16_t>(n));
        } else {
            u8(0xFF).u16(0xFFFF).u32(static_cast<std::uint32_t>(n));
        }
        data.insert(data.end(), bytes.begin(), bytes.end());
        return *this;
    }
    // A UTF-8 text, stored as GBK.
    Bytes& str(const std::string& utf8) { return raw(utf8ToGbk(utf8)); }
    Bytes& count(std::uint32_t n)
    {
        if (n < 0xFFFF)
            return u16(static_cast<std::uint16_t>(n));
        return u16(0xFFFF).u32(n);
    }
    Bytes& font(const LogFont& f)
    {
        const auto b = f.toBytes();
        data.insert(data.end(), b.begin(), b.end());
        return *this;
    }
    Bytes& newClass(const std::string& name)
    {
        u16(0xFFFF).u16(1).u16(static_cast<std::uint16_t>(name.size()));
        data.insert(data.end(), name.begin(), name.end());
        return *this;
    }
    Bytes& append(const Bytes& other)
    {
        data.insert(data.end(), other.data.begin(), other.data.end());
        return *this;
    }
    std::size_t size() const { return data.size(); }
};

// The default-settings part of the chart model (items 2–20 of the CIDG
// block) for a model whose fields are all defaults except as given.
inline Bytes chartSettings(const CIDG& idg)
{
    Bytes b;
    b.str(idg.m_strProjectName).i32(idg.m_nUnitSystem);
    for (float v : {idg.m_fSummerAirT, idg.m_fSummerPressure, idg.m_fSummerAirD, idg.m_fSummerDensity,
                    idg.m_fWinterAirT, idg.m_fWinterPressure, idg.m_fWinterAirD, idg.m_fWinterDensity})
        b.f32(v);
    b.i32(idg.m_nCurSystem).i32(idg.m_nCurRoom).i32(idg.m_bChartView);
    for (int m : idg.m_nMargin)
        b.i32(m);
    b.i32(idg.m_textColor).i32(idg.m_bShowValues).i32(idg.m_bValuesDefault).font(idg.m_font1);
    b.i32(idg.m_lineColor).i32(idg.m_nLineWidth).i32(idg.m_nLineStyle).i32(idg.m_nArrowStyle);
    b.i32(idg.m_nPointRadius).i32(idg.m_pointColor).i32(idg.m_nameColor).font(idg.m_font2);
    b.i32(idg.m_nLabelPosition).i32(idg.m_bShowProcessLineLabels).i32(idg.m_bShowHhrLineLabels);
    b.i32(idg.m_bShowPointLabels).i32(idg.m_bShowHhrLines).i32(idg.m_nClipLeft).i32(idg.m_nClipTop);
    b.f32(idg.m_fZoom).i32(idg.m_nXOffset).i32(idg.m_nYOffset);
    for (float v : {idg.m_fXMaxFull, idg.m_fXMin, idg.m_fXMax, idg.m_fTMin, idg.m_fTMax})
        b.f32(v);
    for (const DrawOption& o : idg.m_drawOptions)
        b.i32(o.m_bShow).i32(o.m_bLabel).i32(o.m_color).i32(o.m_nWidth).i32(o.m_nStyle).f32(o.m_fStep);
    return b;
}

// The outdoor design points of a default CAir_Room.
inline Bytes defaultOutdoor()
{
    Bytes b;
    b.str("W").f32(28.2f).f32(0).f32(34.0f).i32(0);
    b.str("W").f32(28.2f).f32(0).f32(34.0f).i32(0);
    return b;
}

// The head of a file of that version: the marker and the version, or the
// bare 320 of the first version.
inline Bytes head(int version, bool marker = true)
{
    Bytes b;
    if (marker)
        b.u8(3).u8('Q').u8('V').u8('X');
    b.i32(version);
    return b;
}

inline Bytes documentTail(std::int32_t returnMode = 0, const std::string& report = std::string())
{
    Bytes b;
    b.i32(returnMode).str(report).i32(0);
    return b;
}

// A whole empty project (no systems) in the current format.
inline Bytes emptyProject()
{
    const CIDG idg;
    Bytes b = head(327);
    b.append(defaultOutdoor()).i32(0).append(chartSettings(idg)).append(documentTail());
    return b;
}

inline bool sameBits(float a, float b)
{
    return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

inline float nanWithPayload(std::uint32_t payload)
{
    return std::bit_cast<float>(0x7F800000u | (payload & 0x007FFFFFu) | 1u);
}

} // namespace fixtures
