#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "chart/BoundedMemo.h"
#include "chart/ChartLayout.h"
#include "chart/ObjectGeometry.h"
#include "model/CIDG.h"

class Canvas;
namespace chart {
struct GridRecord;
struct ObjectNames;
class LabelPlacer;
} // namespace chart

// Draws a chart model and answers where things are on it. A renderer reads
// the model and never changes it; it keeps a layout of its own, so the view,
// each export, the printer and the command line can lay the same model out
// for their own devices side by side.
class ChartRenderer {
public:
    explicit ChartRenderer(const CIDG& idg) : m_idg(idg) {}

    const CIDG& model() const { return m_idg; }
    const ChartLayout& layout() const { return m_layout; }

    // The object shown picked (class and index, −1 none) and the selected
    // comfort zone (index, −1 none); drawn highlighted. What the view picked
    // is the view's, not the project's.
    std::int32_t m_nPickClass = -1;
    std::int32_t m_nPickIndex = -1;
    std::int32_t m_nSelectedComfortArea = -1;
    // Least distance between neighbouring labels of a family, device units.
    std::int32_t m_nLabelGapX = 20;
    std::int32_t m_nLabelGapY = 30;

    // Lays the chart out for a device: margins, scales, window offsets,
    // annotation cursor. Run at the start of every drawing.
    void LayoutChart(const ChartDevice& device);
    // Draws the whole chart page: the grid, then the objects.
    void DrawChart(Canvas& canvas, const ChartDevice& device);
    // Lays the chart out and draws what depends only on the chart settings,
    // the pressure, the window and the device (chart::GridKey): header,
    // border, iso-lines with their labels and the pressure label. The grid
    // last drawn is kept: the same grid drawn again replays its calls.
    void DrawGrid(Canvas& canvas, const ChartDevice& device);
    // Draws the object lists, the known-parameter block and the result texts
    // over a grid drawn for the current layout; can run again on the same
    // layout (the annotation cursor starts afresh). Markers and lines come
    // first, then the names, placed clear of all of them and of the texts.
    void DrawObjects(Canvas& canvas);
    // A hollow marker where a point being built would go (a preview that is
    // not yet an object), and the device rectangle it covers, pen included.
    void DrawPreviewMarker(Canvas& canvas, const CStatePoint& point) const;
    CanvasRect PreviewMarkerRectangle(const CStatePoint& point) const;
    // Recomputes the saturation boundary of the current layout (DrawChart does
    // this on every drawing; hit tests do it when no drawing has run yet).
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
    // Draws the part of segment (x1, y1)–(x2, y2) inside rect; false when
    // nothing of it lies inside.
    bool ClipSegment(Canvas& canvas, int x1, int y1, int x2, int y2, const CanvasRect& rect) const;
    // The chart rectangle of the layout in device pixels (edges included).
    CanvasRect ChartRectangle() const;
    // Single objects of the current lists, by index: the marker or the line
    // (and arrow) is drawn and made an obstacle of the names; the name waits
    // in `names` for its place.
    void DrawStatePoint(Canvas& canvas, int index, bool highlighted, chart::ObjectNames& names);
    void DrawProcessLine(Canvas& canvas, int index, bool highlighted, chart::ObjectNames& names);
    void DrawHhrLine(Canvas& canvas, int index, bool highlighted, chart::ObjectNames& names);
    // The device rectangle a drawn point marker covers, pen included.
    CanvasRect MarkerRectangle(CanvasPoint position) const;
    // Sizes as drawn on the layout's device: the point marker's radius, the
    // arrow length, the fonts of point names and of line names (on paper
    // never below the legible minimum).
    int MarkerRadius() const;
    double ArrowLength() const;
    LogFont PointNameFont() const;
    LogFont LineNameFont() const;
    // The known-parameter block at the annotation cursor: the bound design
    // states W and N, the loads and the fresh air of the current room.
    void DrawKnownParameters(Canvas& canvas);
    // The calculation-result texts in a column at the annotation cursor (a
    // text wider than the column continues on the next line), and the free
    // texts in the boxes FreeTextBoxes gave them, each in its own font.
    void DrawResultTexts(Canvas& canvas, const std::vector<std::optional<CanvasRect>>& freeTexts);
    // Where each free text (说明性文字) of the list is drawn, by list index
    // (none for texts in the result column and texts off the shown window):
    // where the user put it; a comfort zone's caption that would overlap a
    // caption, a free text, a grid label or (in `objects`) a marker or
    // arrowhead moves down or up by whole lines, or over to the other side
    // of the corner it names, to the nearest place where it overlaps none.
    std::vector<std::optional<CanvasRect>> FreeTextBoxes(Canvas& canvas, const chart::LabelPlacer* objects);
    // Where a free text put at device point `device` is stored: chart-relative
    // pixels of the standard screen's full chart (zoom 1), so that it stays
    // at the same state of air on every device and in every window.
    CanvasPoint TextPlaceAt(CanvasPoint device) const;
    // The device point where a free text of stored place (x, y) is drawn.
    CanvasPoint FreeTextAnchor(int x, int y) const;
    // The box a free text covers drawn left- and bottom-aligned at its
    // anchor, its font selected; none when it lies outside the shown window.
    std::optional<CanvasRect> FreeTextBox(Canvas& canvas, const CCommentString& text) const;
    // The two ends of an HHR line from its base point and ε, completed; empty
    // when the library cannot give them or the ε is not known.
    std::optional<std::pair<CStatePoint, CStatePoint>> HhrLineLibraryEnds(const CReShiBiXian& line) const;
    // Where text index is hit: its rectangle as last drawn, device pixels.
    CanvasRect TextPickRectangle(int index) const;

    // Device position of result text index of a column laid out for this
    // layout below the known-parameter block (what a new result text stores
    // as its place).
    CanvasPoint ResultTextPlace(int index) const;

    // The working geometry of the last layout (the renderer's own).
    ChartLayout m_layout;

private:
    // Whether a text of the list stands in the result column (an analysis
    // wrote it there) rather than where the user put it.
    bool InResultColumn(const CCommentString& text, CanvasPoint column) const;

    const CIDG& m_idg;
    std::shared_ptr<const chart::GridRecord> m_gridRecord;
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
    // Process-line arrows by their line, length and place along it (each
    // takes an arctangent and three sines and cosines).
    struct ArrowInput {
        CanvasPoint a;
        CanvasPoint b;
        double length = 0;
        double at = 0;
        bool operator==(const ArrowInput&) const = default;
    };
    struct ArrowInputHash {
        std::size_t operator()(const ArrowInput& input) const;
    };
    chart::BoundedMemo<ArrowInput, std::optional<chart::Arrow>, ArrowInputHash> m_arrows{8192};
};

// The chart-region test of new points on a laid-out chart (the drawn window).
class RendererRegion : public ChartRegion {
public:
    explicit RendererRegion(ChartRenderer& renderer) : m_renderer(renderer) {}
    bool Contains(const CStatePoint& point) const override { return m_renderer.IsInsideChart(point); }

private:
    ChartRenderer& m_renderer;
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
