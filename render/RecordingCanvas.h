#pragma once

#include <string>
#include <vector>

#include "render/Canvas.h"

// Records every drawing call with the pen, brush, font and text colour in
// force, without drawing. Used by the tests to check the geometry of the
// chart and by the benchmark to time the geometry without rasterising.
class RecordingCanvas : public Canvas {
public:
    enum class Op { Line, Polyline, Rectangle, Ellipse, Polygon, Text };

    struct Call {
        Op op = Op::Line;
        std::vector<CanvasPoint> points; // the ends of a line, the vertices, or the text anchor
        CanvasRect rect;                 // rectangles and ellipses
        std::string text;
        int align = 0;
        CanvasPen pen;
        bool filled = false;
        std::int32_t brush = 0;
        std::int32_t textColour = 0;
        LogFont font;
        bool clipped = false;
        CanvasRect clip;
    };

    void setPen(const CanvasPen& pen) override { m_pen = pen; }
    void setBrush(std::int32_t colour) override;
    void setNoBrush() override { m_filled = false; }
    void setFont(const LogFont& font) override { m_font = font; }
    void setTextColour(std::int32_t colour) override { m_textColour = colour; }

    void drawLine(int x1, int y1, int x2, int y2) override;
    void drawPolyline(const std::vector<CanvasPoint>& points) override;
    void drawRectangle(const CanvasRect& rect) override;
    void drawEllipse(const CanvasRect& rect) override;
    void drawPolygon(const std::vector<CanvasPoint>& points) override;
    void drawText(int x, int y, const std::string& text, int align) override;
    // An estimate without a font engine: half the font height per narrow
    // character, the full height per wide (CJK) character.
    CanvasSize textExtent(const std::string& text) override;

    void setClipRect(const CanvasRect& rect) override;
    void clearClip() override { m_clipped = false; }

    const std::vector<Call>& calls() const { return m_calls; }
    void clear() { m_calls.clear(); }
    // Room for this many calls, so a recording of known size grows in place.
    void reserve(std::size_t count) { m_calls.reserve(count); }
    // The calls of one kind, in order.
    std::vector<Call> callsOf(Op op) const;
    // The text calls whose text equals text.
    std::vector<Call> textsEqual(const std::string& text) const;
    // The line and polyline calls drawn with a pen of this colour.
    std::vector<Call> strokesInColour(std::int32_t colour) const;

protected:
    std::vector<Call>& mutableCalls() { return m_calls; }

private:
    Call makeCall(Op op) const;

    std::vector<Call> m_calls;
    CanvasPen m_pen;
    bool m_filled = false;
    std::int32_t m_brush = 0;
    std::int32_t m_textColour = 0;
    LogFont m_font;
    bool m_clipped = false;
    CanvasRect m_clip;
};

namespace chart {

// Whether two calls draw the same pixels.
bool sameCall(const RecordingCanvas::Call& a, const RecordingCanvas::Call& b);

// Draws a recorded call on a canvas, state first.
void replayCall(const RecordingCanvas::Call& call, Canvas& canvas);

} // namespace chart
