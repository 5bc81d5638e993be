#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "chart/ChartGeometry.h"
#include "chart/ObjectGeometry.h"

class Canvas;
namespace chart {
struct GridRecord;
struct ObjectNames;
class LabelPlacer;
} // namespace chart

// Draws a chart model on a canvas, over the geometry it lays out. A renderer
// reads the model and never changes it.
class ChartRenderer : public ChartGeometry {
public:
    explicit ChartRenderer(const CIDG& idg) : ChartGeometry(idg) {}

    // The object shown picked (class and index, −1 none) and the selected
    // comfort zone (index, −1 none); drawn highlighted. What the view picked
    // is the view's, not the project's.
    std::int32_t m_nPickClass = -1;
    std::int32_t m_nPickIndex = -1;
    std::int32_t m_nSelectedComfortArea = -1;
    // Whether DrawObjects draws the picked object highlighted. A view that
    // keeps its drawing of the objects turns this off and draws the
    // highlight over it (DrawHighlight), so a pick redraws no object.
    bool m_bHighlightPicked = true;

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
    // The picked object (or the selected comfort zone's corners and edges)
    // highlighted, over the objects the last DrawObjects drew without the
    // highlight: its marker or line, and its name or text where that
    // drawing put it, on white.
    void DrawHighlight(Canvas& canvas);
    // A hollow marker where a point being built would go (a preview that is
    // not yet an object).
    void DrawPreviewMarker(Canvas& canvas, const CStatePoint& point) const;
    // Draws the part of segment (x1, y1)–(x2, y2) inside rect; false when
    // nothing of it lies inside.
    bool ClipSegment(Canvas& canvas, int x1, int y1, int x2, int y2, const CanvasRect& rect) const;
    // Single objects of the current lists, by index: the marker or the line
    // (and arrow) is drawn and made an obstacle of the names; the name waits
    // in `names` for its place.
    void DrawStatePoint(Canvas& canvas, int index, bool highlighted, chart::ObjectNames& names);
    void DrawProcessLine(Canvas& canvas, int index, bool highlighted, chart::ObjectNames& names);
    void DrawHhrLine(Canvas& canvas, int index, bool highlighted, chart::ObjectNames& names);
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
    // The box a free text covers drawn left- and bottom-aligned at its
    // anchor, its font selected; none when it lies outside the shown window.
    std::optional<CanvasRect> FreeTextBox(Canvas& canvas, const CCommentString& text) const;

private:
    // Whether the object of class and index is drawn highlighted: the
    // pick, or a corner point or edge line of the selected comfort zone.
    bool Highlighted(int objectClass, int index) const;

    std::shared_ptr<const chart::GridRecord> m_gridRecord;
    // Each name and text line as the last DrawObjects drew it, by the
    // object it belongs to: where the highlight goes over it.
    struct DrawnLabel {
        int objectClass = -1;
        int index = -1;
        CanvasRect box;
        CanvasPoint anchor;
        int align = 0;
        LogFont font;
        std::string text;
        bool leader = false;
        CanvasPoint leaderStart;
        CanvasPoint leaderEnd;
    };
    std::vector<DrawnLabel> m_drawnLabels;
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
