#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "chart/CanvasTypes.h"
#include "model/LogFont.h"

class ChartForm;
namespace chart {
class ObstacleGrid;
struct WeatherMap;
} // namespace chart

// The device a chart is laid out for, and what is drawn on it beside the
// model.
struct ChartDevice {
    static constexpr int kDefaultScreenWidth = 1920;

    // Width of the screen in pixels; with the page width it fixes the pixels
    // per mm (1920 pixels on a 210 mm page: 9 pixels per mm). Also the
    // reference for the print scale.
    int screenWidth = kDefaultScreenWidth;
    int pageWidth = 210;  // mm
    int pageHeight = 297; // mm
    // Printer layout: 0.001 inch per unit (39.4 per mm), page margins of the
    // chart model added to the label margins, pens and fonts scaled.
    bool printing = false;
    // The page leaves the screen (an export or a print): point markers,
    // arrows and names keep a size that reads on paper (a name at least 2 mm
    // high, a marker at least 1.5 mm across).
    bool paper = false;
    // A weather year drawn over the grid, below the objects (not owned;
    // none when null). It goes with the device so that the view, every
    // export and the printer draw the same map.
    const chart::WeatherMap* weather = nullptr;
    // The form the chart is drawn in (not owned); none: the i-d form.
    const ChartForm* form = nullptr;
};

// Whether two devices lay the chart out alike (the weather year aside, which
// the grid's key follows).
inline bool SameLayoutDevice(const ChartDevice& a, const ChartDevice& b)
{
    return a.screenWidth == b.screenWidth && a.pageWidth == b.pageWidth && a.pageHeight == b.pageHeight &&
           a.printing == b.printing && a.form == b.form;
}

// The working spacings of the six line families, in chart units.
struct ChartSpacings {
    float moisture = 0.001f; // kg/kg
    float enthalpy = 5.0f;   // kJ/kg
    float dryBulb = 5.0f;    // °C
    float humidity = 0.1f;   // fraction
    float wetBulb = 5.0f;    // °C
};

// Where the saturation curve leaves the chart area (the "100%" label goes there).
enum class CurveExit { None, RightEdge, TopEdge };

// The working geometry of the chart: recomputed by every layout, never saved.
// Pixel values are device units; chart-relative values have their origin at
// the chart's top-left corner with y downward.
struct ChartLayout {
    ChartDevice m_device;      // the device of the last layout
    bool m_bValid = false;     // a layout has been run
    double m_fPixelsPerMm = 0; // s: integer on screen, 39.4 when printing
    // G: pen and offset scale, 1 on screen, 39.4 × 210 / screen width when printing.
    double m_fPenScale = 1.0;
    // f: print scale of fonts, point circles and arrows (1 on screen).
    double m_fPrintScale = 1.0;

    int m_nTotalWidth = 0;  // drawing width
    int m_nTotalHeight = 0; // drawing height (half a page)
    int m_nMarginLeft = 0;
    int m_nMarginTop = 0;
    int m_nMarginRight = 0;
    int m_nMarginBottom = 0;
    int m_nChartLeft = 0;   // = m_nMarginLeft
    int m_nChartTop = 0;    // = m_nMarginTop
    int m_nChartWidth = 0;  // W
    int m_nChartHeight = 0; // H

    float m_fXScale = 0; // pixels per kg/kg
    float m_fHScale = 0; // pixels per kJ/kg
    float m_fSlope = 0;  // k = H / W

    ChartSpacings m_spacings;

    // The model's chart window as this layout maps it: the magnification and
    // full-chart width (made usable), the pixel offsets of the window inside
    // the magnified chart, and the temperature range those offsets show.
    float m_fZoom = 1.0f;
    float m_fXMaxFull = 0.04f; // kg/kg
    int m_nXOffset = 0;
    int m_nYOffset = 0;
    float m_fTMinWindow = -30.0f; // °C
    float m_fTMaxWindow = 65.0f;  // °C

    // Pixel row of the saturation curve in each chart column 0 … W (0 = top edge).
    std::vector<int> m_nBoundary;
    bool m_bBoundaryValid = false;
    // Column and row where the saturation curve left the chart area.
    int m_nCurveEndX = 0;
    int m_nCurveEndY = 0;
    CurveExit m_curveExit = CurveExit::None;

    // The annotation cursor of the known-parameter block and the result texts:
    // device position and line step (|label font height|).
    int m_nAnnotX = 0;
    int m_nAnnotY = 0;
    int m_nAnnotStep = 0;

    // Where each calculation-result text was drawn last (by list index), for
    // picking what the user sees; empty rectangles for texts not drawn.
    std::vector<CanvasRect> m_textRects;

    // The boxes of the grid's labels as last drawn (device units), which the
    // names of the objects keep clear of, and the grid's lines (iso-lines,
    // saturation curve, border) as polylines, which they rather do not lie
    // on; both in one index for the names. Valid after a drawing of the grid
    // on this layout.
    std::vector<CanvasRect> m_gridLabels;
    std::vector<std::vector<CanvasPoint>> m_gridLines;
    std::shared_ptr<const chart::ObstacleGrid> m_gridObstacles;
    bool m_bGridLabelsValid = false;

    // The label font as drawn (m_font1, scaled when printing); new texts take a copy.
    LogFont m_workingFont;
};

// Result of a hit test: class (CIDG::ObjectClass) 0 point, 1 process line, 2 HHR line, 3 calculation
// result text, −1 nothing (index −1).
struct PickResult {
    int index = -1;
    int nClass = -1;
    bool operator==(const PickResult&) const = default;
};
