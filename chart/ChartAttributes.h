#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "model/DrawOption.h"
#include "model/LogFont.h"

class CIDG;

// How the chart grid and the chart objects look: the settings the attribute
// sheet edits, as one value. The sheet edits a copy and hands it back; the
// document applies it in one step.
struct ChartAttributes {
    // The six line families, the border and the background (DrawFamily order).
    std::array<DrawOption, kFamilyCount> m_drawOptions;
    LogFont m_font1; // chart labels
    std::int32_t m_textColor = kBlack;
    std::int32_t m_bShowValues = 1; // the 标注 switch
    std::int32_t m_bValuesDefault = 0;
    std::int32_t m_nPointRadius = 2; // list index 0–4 of "1 mm" … "5 mm"
    std::int32_t m_pointColor = kBlack;
    std::int32_t m_nLabelPosition = 0; // 0–7, upper right first, clockwise
    LogFont m_font2;                   // point names
    std::int32_t m_nameColor = kBlack;
    std::int32_t m_lineColor = kBlack;
    std::int32_t m_nLineWidth = 0;
    std::int32_t m_nLineStyle = 0;
    std::int32_t m_nArrowStyle = 2;                  // 0 none, 1 open, 2 filled
    DrawOption m_volumeLines = defaultVolumeLines(); // the specific-volume lines

    // The attributes of a family (kFamily…, kFamilyVolume included).
    DrawOption& family(int f)
    {
        return f == kFamilyVolume ? m_volumeLines : m_drawOptions[static_cast<std::size_t>(f)];
    }
    const DrawOption& family(int f) const
    {
        return f == kFamilyVolume ? m_volumeLines : m_drawOptions[static_cast<std::size_t>(f)];
    }

    static ChartAttributes From(const CIDG& idg);
    void ApplyTo(CIDG& idg) const;
    bool operator==(const ChartAttributes&) const = default;
};

// The families whose rows carry a spacing box, in the order of the sheet.
inline constexpr std::array<int, 5> kSpacedFamilies{kFamilyDryBulb, kFamilyWetBulb, kFamilyHumidity,
                                                    kFamilyMoisture, kFamilyEnthalpy};

// Reads a spacing as typed: a positive, finite decimal number. False for
// anything else (empty, zero, negative, not a number), which the drawing
// could not walk.
bool parseSpacing(const std::string& text, float& spacing);
// A spacing as the box shows it: whole numbers without decimals, others with
// as many as they need, so that reading the text back gives the same value.
std::string formatSpacing(float spacing);
// "<family>的间距必须是大于零的数。"
std::string spacingRefusal(const std::string& familyCaption);

// The page margins of printing and the PDF page, in mm.
struct PageMargins {
    static constexpr int kMax = 300;
    int top = 10;
    int bottom = 10;
    int left = 10;
    int right = 10;

    static PageMargins From(const CIDG& idg);
    void ApplyTo(CIDG& idg) const;
    bool operator==(const PageMargins&) const = default;
};
