#include "chart/RecordingCanvas.h"

#include <cstdlib>

#include "model/TextCodec.h"

CanvasSize estimateTextExtent(const LogFont& font, const std::string& text)
{
    const int height = font.lfHeight == 0 ? 12 : fontUnits(font.lfHeight);
    int width = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = utf8SequenceLength(lead);
        width += length >= 3 ? height : height / 2;
        i += length;
    }
    return {width, height};
}

void RecordingCanvas::setBrush(std::int32_t colour)
{
    m_filled = true;
    m_brush = colour;
}

RecordingCanvas::Call RecordingCanvas::makeCall(Op op) const
{
    Call call;
    call.op = op;
    call.pen = m_pen;
    call.filled = m_filled;
    call.brush = m_brush;
    call.textColour = m_textColour;
    call.font = m_font;
    call.clipped = m_clipped;
    call.clip = m_clip;
    return call;
}

void RecordingCanvas::drawLine(int x1, int y1, int x2, int y2)
{
    Call call = makeCall(Op::Line);
    call.points = {{x1, y1}, {x2, y2}};
    m_calls.push_back(std::move(call));
}

void RecordingCanvas::drawPolyline(const std::vector<CanvasPoint>& points)
{
    Call call = makeCall(Op::Polyline);
    call.points = points;
    m_calls.push_back(std::move(call));
}

void RecordingCanvas::drawRectangle(const CanvasRect& rect)
{
    Call call = makeCall(Op::Rectangle);
    call.rect = rect;
    m_calls.push_back(std::move(call));
}

void RecordingCanvas::drawEllipse(const CanvasRect& rect)
{
    Call call = makeCall(Op::Ellipse);
    call.rect = rect;
    m_calls.push_back(std::move(call));
}

void RecordingCanvas::drawPolygon(const std::vector<CanvasPoint>& points)
{
    Call call = makeCall(Op::Polygon);
    call.points = points;
    m_calls.push_back(std::move(call));
}

void RecordingCanvas::drawText(int x, int y, const std::string& text, int align)
{
    Call call = makeCall(Op::Text);
    call.points = {{x, y}};
    call.text = text;
    call.align = align;
    m_calls.push_back(std::move(call));
}

CanvasSize RecordingCanvas::textExtent(const std::string& text)
{
    return estimateTextExtent(m_font, text);
}

void RecordingCanvas::setClipRect(const CanvasRect& rect)
{
    m_clipped = true;
    m_clip = rect;
}

std::vector<RecordingCanvas::Call> RecordingCanvas::callsOf(Op op) const
{
    std::vector<Call> result;
    for (const Call& call : m_calls)
        if (call.op == op)
            result.push_back(call);
    return result;
}

std::vector<RecordingCanvas::Call> RecordingCanvas::textsEqual(const std::string& text) const
{
    std::vector<Call> result;
    for (const Call& call : m_calls)
        if (call.op == Op::Text && call.text == text)
            result.push_back(call);
    return result;
}

std::vector<RecordingCanvas::Call> RecordingCanvas::strokesInColour(std::int32_t colour) const
{
    std::vector<Call> result;
    for (const Call& call : m_calls)
        if ((call.op == Op::Line || call.op == Op::Polyline) && call.pen.colour == colour)
            result.push_back(call);
    return result;
}
