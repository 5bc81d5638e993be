#pragma once

#include <string>
#include <utility>
#include <vector>

#include "chart/CanvasTypes.h"

class CIDG;
class ChartGeometry;
struct ChartLayout;

namespace chart {

// No line family draws more lines than this, whatever spacing it was given:
// a tiny spacing must not stall the drawing.
inline constexpr int kMaxLinesPerFamily = 2000;

// How much a label of the grid matters when two cannot both stand: the
// less important one gives way and is not drawn.
enum class GridLabelRank {
    AxisTitle = 0,    // x(g/kg), t(℃), h(kJ/kg), RH
    AxisValue = 1,    // the moisture values along the top, the dry-bulb values at the left
    IsoLineValue = 2, // the enthalpy values, the relative humidities
    HeaderDetail = 3, // the header line, the pressure
};

// What a chart form draws its iso-lines through. Coordinates are
// chart-relative pixels (origin at the chart's top-left corner, y down).
// The lines are drawn at once; the labels are collected and drawn after
// every line, each where the form put it unless a more important label
// stands there.
class GridSink {
public:
    virtual ~GridSink() = default;
    // The pen of a line family (kFamily… of the chart settings).
    virtual void familyPen(int family) = 0;
    // The font and colour of the grid's labels.
    virtual void labelFont() = 0;
    virtual void line(int X1, int Y1, int X2, int Y2) = 0;
    virtual void polylines(const std::vector<std::vector<CanvasPoint>>& pieces) = 0;
    // A label at an anchor with a text_align combination; its device box.
    virtual CanvasRect label(int X, int Y, const std::string& text, int align, GridLabelRank rank) = 0;
    // The extent of a text in the current font, device units.
    virtual CanvasSize measure(const std::string& text) = 0;
};

// Where a label stands: its chart-relative anchor and text_align combination.
struct LabelPlace {
    CanvasPoint anchor;
    int align = 0;
};

} // namespace chart

// A form of the chart: how the state of moist air maps to the page and back,
// the saturation boundary, and the iso-line families with their labels. The
// geometry and the renderer ask the form; a new form is a new implementation
// of this interface.
class ChartForm {
public:
    virtual ~ChartForm() = default;
    // The form's name on the command line and in the grid's key.
    virtual const char* Name() const = 0;
    // Chart-relative position of the state of moisture content d (kg/kg) and
    // enthalpy h (kJ/kg) on the chart's layout, rounded to pixels.
    virtual CanvasPoint Position(const ChartGeometry& chart, double d, double h) const = 0;
    // Moisture content (kg/kg) and enthalpy (kJ/kg) at a chart-relative
    // position, not rounded.
    virtual std::pair<double, double> StateAt(const ChartGeometry& chart, double X, double Y) const = 0;
    // Whether the chart-relative position lies on the unsaturated side of
    // the layout's saturation boundary.
    virtual bool Unsaturated(const ChartLayout& layout, int X, int Y) const = 0;
    // Fills the layout's saturation boundary (its row in every chart column)
    // and where the saturation curve leaves the chart.
    virtual void TraceBoundary(ChartGeometry& chart) const = 0;
    // Draws the saturation curve and the iso-line families with their labels,
    // as the chart settings show them; the boundary is traced anew.
    virtual void DrawIsoLines(ChartGeometry& chart, chart::GridSink& sink) const = 0;
    // Where the chart's pressure ("P=…Pa") is written, clear of the form's
    // axis values.
    virtual chart::LabelPlace PressureLabelPlace(const ChartLayout& layout) const = 0;
};

// The i-d form: moisture content across, enthalpy lines oblique, the
// saturation curve bounding the chart.
const ChartForm& idChartForm();
// The ASHRAE form: dry bulb across, moisture content up on the right, the
// enthalpy on an oblique scale outside the saturation curve.
const ChartForm& ashraeChartForm();
// The form of a name ("id", "ashrae"); none for another name.
const ChartForm* chartFormNamed(const std::string& name);
// The form a project is drawn in (CIDG::m_nChartForm).
const ChartForm& chartFormOf(const CIDG& idg);
