#pragma once

#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "chart/ChartForm.h"
#include "chart/ChartLayout.h"
#include "render/Canvas.h"
#include "render/GridKey.h"
#include "chart/LabelPlacement.h"
#include "render/RecordingCanvas.h"
#include "render/VectorState.h"

class CIDG;
class ChartRenderer;

// The pieces of the chart drawing that the chart model's drawing functions
// share; not part of the chart model's interface.
namespace chart {

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
        int objectClass = -1; // what it names (CIDG::ObjectClass) and its index
        int index = -1;
    };
    LabelPlacer placer;
    std::vector<Pending> pending;
    // The markers drawn so far, by spot and highlight: points on one spot
    // share one marker (drawing it again would only darken its rim).
    std::unordered_set<std::uint64_t> markersDrawn;
};

// Draws the grid of the chart: header, border, the iso-line families the
// chart's form gives and the pressure label. The lines are drawn at once; the
// labels are collected and drawn last, each where the form put it unless a
// more important label stands there.
class GridPainter : public GridSink {
public:
    GridPainter(ChartRenderer& chart, Canvas& canvas);

    void drawHeader();
    void drawBorder();
    void drawPressureLabel();
    // Draws the labels that can stand and keeps their boxes in the layout.
    void drawLabels();
    // Files the grid's label boxes and lines in the layout's obstacle index
    // for the names of the objects (after everything the grid draws).
    void fileObstacles();

    void familyPen(int family) override;
    void labelFont() override;
    void line(int X1, int Y1, int X2, int Y2) override;
    void polylines(const std::vector<std::vector<CanvasPoint>>& pieces) override;
    CanvasRect label(int X, int Y, const std::string& text, int align, GridLabelRank rank) override;
    CanvasSize measure(const std::string& text) override;

private:
    struct Label {
        CanvasPoint anchor; // device units
        std::string text;
        int align = 0;
        GridLabelRank rank = GridLabelRank::IsoLineValue;
        CanvasRect box;
    };

    ChartRenderer& m_chart;
    const CIDG& m_idg;
    Canvas& m_canvas;
    const ChartLayout& m_layout;
    double m_G;
    std::vector<Label> m_labels;
};

} // namespace chart
