#pragma once

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "chart/BoundedMemo.h"
#include "chart/ChartLayout.h"
#include "model/CIDG.h"

class ChartForm;

// Where things are on a chart: the layout of a model for one device, the
// mappings between states and the page, hit tests, the clip window and the
// places of texts. It reads the model and never changes it; it keeps a
// layout of its own, so the view, each export, the printer, the command line
// and the analyses can lay the same model out side by side. Drawing is the
// renderer's (render/ChartRenderer.h), which adds it to this.
class ChartGeometry {
public:
    explicit ChartGeometry(const CIDG& idg);

    const CIDG& model() const { return m_idg; }
    const ChartLayout& layout() const { return m_layout; }
    // The form of the chart: how states map to the page, its iso-line
    // families and its saturation boundary.
    const ChartForm& form() const { return *m_form; }

    // Least distance between neighbouring labels of a family, device units.
    std::int32_t m_nLabelGapX = 20;
    std::int32_t m_nLabelGapY = 30;

    // Lays the chart out for a device: margins, scales, window offsets,
    // annotation cursor. Run at the start of every drawing.
    void LayoutChart(const ChartDevice& device);
    // Recomputes the saturation boundary of the current layout (every
    // drawing does this; hit tests do it when no drawing has run yet).
    void ComputeSaturationBoundary();

    // Mappings in chart-relative pixels, rounded (+0.5, truncated toward zero).
    int XFromMoisture(double x) const;               // x kg/kg
    int YFromEnthalpy(double h, double X) const;     // h kJ/kg, X column
    int YFromTemperature(double t, double X) const;  // t °C, X column
    int XFromEnthalpy(double h, double Y) const;     // h kJ/kg, Y row
    double MoistureFromX(double X) const;            // kg/kg, not rounded
    double EnthalpyFromXY(double X, double Y) const; // kJ/kg, not rounded
    // Saturation pressure (Pa) at which the state of column X has relative
    // humidity RH (fraction); with RH = 1 the vapour pressure of column X.
    double SaturationPressureNeeded(double X, double RH) const;
    // Device point to chart-relative point.
    CanvasPoint ToChartRelative(CanvasPoint device) const;
    // Device position of a completed point (chart origin added).
    CanvasPoint PointPosition(const CStatePoint& point) const;

    // The chart window a rubber band from (left, top) to (right, bottom),
    // device pixels, would show; empty when the band is empty, leaves the
    // formulation or would magnify beyond the deepest zoom.
    std::optional<ChartWindow> ClipWindow(int left, int top, int right, int bottom) const;

    // Hit tests in device (logical view) pixels.
    PickResult PickObject(int x, int y);
    int NearestPoint(int x, int y);
    // Whether a completed point lies inside the drawn chart region.
    bool IsInsideChart(const CStatePoint& point);
    // The chart rectangle of the layout in device pixels (edges included).
    CanvasRect ChartRectangle() const;
    // The device rectangle a drawn point marker covers, pen included.
    CanvasRect MarkerRectangle(CanvasPoint position) const;
    // The device rectangle the preview ring of a point being built covers.
    CanvasRect PreviewMarkerRectangle(const CStatePoint& point) const;
    // The preview ring's radius on the layout's device.
    int PreviewRadius() const;
    // Sizes as drawn on the layout's device: the point marker's radius, the
    // arrow length, the fonts of point names and of line names (on paper
    // never below the legible minimum).
    int MarkerRadius() const;
    double ArrowLength() const;
    LogFont PointNameFont() const;
    LogFont LineNameFont() const;
    // Where a free text put at device point `device` is stored: chart-relative
    // pixels of the standard screen's full chart (zoom 1), so that it stays
    // at the same state of air on every device and in every window.
    CanvasPoint TextPlaceAt(CanvasPoint device) const;
    // The device point where a free text of stored place (x, y) is drawn.
    CanvasPoint FreeTextAnchor(int x, int y) const;
    // The device points of the line from state a to state b, straight in
    // moisture content and enthalpy, as the form draws it: its two ends on
    // the i-d chart, where such a line is straight, points along it on a
    // form where it bends.
    std::vector<CanvasPoint> LinePath(const CStatePoint& a, const CStatePoint& b) const;
    // The two ends of an HHR line from its base point and ε, completed; empty
    // when the library cannot give them or the ε is not known.
    std::optional<std::pair<CStatePoint, CStatePoint>> HhrLineLibraryEnds(const CReShiBiXian& line) const;
    // Where text index is hit: its rectangle as last drawn, device pixels.
    CanvasRect TextPickRectangle(int index) const;
    // Device position of result text index of a column laid out for this
    // layout below the known-parameter block (what a new result text stores
    // as its place).
    CanvasPoint ResultTextPlace(int index) const;

    // Where the result column of the standard screen starts: the place the
    // first result text of an analysis stores.
    CanvasPoint StandardResultColumn() const;

    // The working geometry of the last layout (the geometry's own).
    ChartLayout m_layout;

protected:
    // Whether a text of the list stands in the result column (an analysis
    // wrote it there) rather than where the user put it.
    bool InResultColumn(const CCommentString& text, CanvasPoint column) const;

    const CIDG& m_idg;
    const ChartForm* m_form;

private:
    // HHR line ends by what gives them (pressure, base point, ε): finding
    // where a line leaves the chart is a search, and most lines stay from
    // one drawing to the next.
    struct HhrEndsInput {
        float pressure = 0;
        float d = 0;
        float h = 0;
        double ratio = 0;
        bool operator==(const HhrEndsInput&) const = default;
    };
    struct HhrEndsInputHash {
        std::size_t operator()(const HhrEndsInput& input) const;
    };
    using HhrEnds = std::optional<std::pair<CStatePoint, CStatePoint>>;
    HhrEnds HhrLineEndsFrom(const HhrEndsInput& input) const;
    mutable chart::BoundedMemo<HhrEndsInput, HhrEnds, HhrEndsInputHash> m_hhrEnds{2048};
};

namespace chart {

// The standard device the project's own geometry refers to: a 1920-pixel
// screen on the project's page. Window offsets and result-text places are
// stored as this device gives them, so they never depend on which device
// drew last.
ChartDevice standardDevice();

// The window offsets and temperature range of the model's chart window, as
// the standard device lays them out; the document stores them whenever the
// window changes.
ChartWindow settledWindow(const CIDG& idg);

// The chart window from dry-bulb temperature tMin to tMax (°C, at the left
// edge) and moisture content xMin to xMax (kg/kg), as a rubber band over
// that region would clip it; empty when the region is empty, not a number
// or would magnify beyond the deepest zoom. The document stores it as it
// stores a clip (then settledWindow).
std::optional<ChartWindow> windowFor(const CIDG& idg, double tMin, double tMax, double xMin, double xMax);

} // namespace chart
