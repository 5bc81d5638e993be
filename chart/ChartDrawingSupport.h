#pragma once

#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "chart/Canvas.h"
#include "chart/ChartLayout.h"
#include "chart/GridKey.h"
#include "chart/LabelPlacement.h"
#include "chart/RecordingCanvas.h"
#include "chart/VectorState.h"

class CIDG;
class ChartRenderer;

// The pieces of the chart drawing that the chart model's drawing functions
// share; not part of the chart model's interface.
namespace chart {

// No line family draws more lines than this, whatever spacing it was given:
// a tiny spacing must not stall the drawing.
inline constexpr int kMaxLinesPerFamily = 2000;

// A relative-humidity curve traced column by column in chart-relative pixels.
struct HumidityCurve {
    std::vector<std::vector<CanvasPoint>> pieces; // drawn polylines
    int endX = 0;                                 // column and row where the trace ended
    int endY = 0;
    CurveExit exit = CurveExit::None;
};

// Traces the curve of relative humidity RH (fraction; 1 = saturation) across
// the chart; with writeBoundary it also fills the saturation boundary and
// the curve's exit of the layout.
HumidityCurve traceHumidityCurve(ChartRenderer& chart, double RH, bool writeBoundary);

// A project, system or room name as the header shows it: names wider than
// 20 double-byte units are cut at the first character boundary at or after
// unit 19 and get "...".
std::string headerName(const std::string& name);
// "工况：普通工况", "工况：制冷工况" or "工况：制热工况" for condition 0, 1, 2.
std::string conditionText(int condition);

// A text cut into lines no wider than `width` in the canvas's current font:
// after the last space that fits, else after the last character that fits
// (Chinese text has no spaces); at least one character a line.
std::vector<std::string> wrapText(Canvas& canvas, const std::string& text, int width);

// How much a label of the grid matters when two cannot both stand: the
// less important one gives way and is not drawn.
enum class GridLabelRank {
    AxisTitle = 0,    // x(g/kg), t(℃), h(kJ/kg), RH
    AxisValue = 1,    // the moisture values along the top, the dry-bulb values at the left
    IsoLineValue = 2, // the enthalpy values, the relative humidities
    HeaderDetail = 3, // the header line, the pressure
};

// The grid as drawn for one key: its drawing calls and the layout they left
// (saturation boundary, label boxes, the obstacles of the names). A renderer
// keeps the last one, so drawing the same grid again costs only its calls.
struct GridRecord {
    GridKey key;
    CanvasSize probe; // a sample text measured on the canvas that drew it
    std::vector<RecordingCanvas::Call> calls;
    ChartLayout layout;
};

// The names of the objects of one drawing: the placer with every marker,
// line, arrowhead and text in it, and the names in the order they are
// placed (points, process lines, ε lines) once all of those are known.
struct ObjectNames {
    struct Pending {
        std::string text;
        LogFont font;
        std::int32_t colour = 0;
        LabelRequest request;
    };
    LabelPlacer placer;
    std::vector<Pending> pending;
    // The markers drawn so far, by spot and highlight: points on one spot
    // share one marker (drawing it again would only darken its rim).
    std::unordered_set<std::uint64_t> markersDrawn;
};

// Draws the grid of the chart: header, border and the iso-line families.
// The lines are drawn at once; the labels are collected and drawn last, each
// where the settings put it unless a more important label stands there.
class GridPainter {
public:
    GridPainter(ChartRenderer& chart, Canvas& canvas);

    void drawHeader();
    void drawBorder();
    void drawSaturationCurve();
    void drawMoistureLines();
    void drawEnthalpyLines();
    void drawDryBulbLines();
    void drawHumidityLines();
    void drawWetBulbLines();
    void drawPressureLabel();
    // Draws the labels that can stand and keeps their boxes in the layout.
    void drawLabels();
    // Files the grid's label boxes and lines in the layout's obstacle index
    // for the names of the objects (after everything the grid draws).
    void fileObstacles();

private:
    struct Label {
        CanvasPoint anchor; // device units
        std::string text;
        int align = 0;
        GridLabelRank rank = GridLabelRank::IsoLineValue;
        CanvasRect box;
    };

    struct EnthalpyLabels {
        int lastX = -(1 << 28);
        int lastY = -(1 << 28);
        bool titlePlaced = false;
        int titleX = 0; // chart-relative place of the title beside the first value
        int titleY = 0;
        std::vector<CanvasRect> boxes; // the values written, device units
    };

    int g(double multiple) const;
    bool showValues() const;
    int boundaryAt(int X) const;
    void selectFamilyPen(int family);
    void selectLabelFont();
    // Chart-relative drawing: the chart origin is added.
    void line(int X1, int Y1, int X2, int Y2);
    // A label at a chart-relative anchor, drawn by drawLabels; its box.
    CanvasRect text(int X, int Y, const std::string& text, int align, GridLabelRank rank);
    void drawCurve(const HumidityCurve& curve);
    void drawEnthalpyLine(double h, EnthalpyLabels& labels);
    void drawEnthalpyTitle(const EnthalpyLabels& labels);
    // The dry-bulb title "t(℃)": whether it is drawn, its chart-relative
    // baseline (clear of the lowest dry-bulb value) and its device box;
    // enthalpy values keep out of that box. Label font selected.
    bool temperatureTitleDrawn() const;
    int temperatureTitleBaseline();
    CanvasRect temperatureTitleBox();

    ChartRenderer& m_chart;
    const CIDG& m_idg;
    Canvas& m_canvas;
    const ChartLayout& m_layout;
    double m_G;
    std::optional<int> m_temperatureTitleBaseline;
    std::vector<Label> m_labels;
};

} // namespace chart
