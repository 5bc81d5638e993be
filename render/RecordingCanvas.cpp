#include "render/RecordingCanvas.h"

#include <cstdlib>

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

namespace chart {

bool sameCall(const RecordingCanvas::Call& a, const RecordingCanvas::Call& b)
{
    return a.op == b.op && a.points == b.points && a.rect == b.rect && a.text == b.text &&
           a.align == b.align && a.pen == b.pen && a.filled == b.filled &&
           (!a.filled || a.brush == b.brush) && a.textColour == b.textColour &&
           (a.op != RecordingCanvas::Op::Text || a.font == b.font) && a.clipped == b.clipped &&
           (!a.clipped || a.clip == b.clip);
}

void replayCall(const RecordingCanvas::Call& call, Canvas& canvas)
{
    using Op = RecordingCanvas::Op;
    canvas.setPen(call.pen);
    if (call.filled)
        canvas.setBrush(call.brush);
    else
        canvas.setNoBrush();
    if (call.clipped)
        canvas.setClipRect(call.clip);
    switch (call.op) {
    case Op::Line:
        if (call.points.size() == 2)
            canvas.drawLine(call.points[0].x, call.points[0].y, call.points[1].x, call.points[1].y);
        break;
    case Op::Polyline:
        canvas.drawPolyline(call.points);
        break;
    case Op::Rectangle:
        canvas.drawRectangle(call.rect);
        break;
    case Op::Ellipse:
        canvas.drawEllipse(call.rect);
        break;
    case Op::Polygon:
        canvas.drawPolygon(call.points);
        break;
    case Op::Text:
        canvas.setFont(call.font);
        canvas.setTextColour(call.textColour);
        if (!call.points.empty())
            canvas.drawText(call.points.front().x, call.points.front().y, call.text, call.align);
        break;
    }
    if (call.clipped)
        canvas.clearClip();
}

} // namespace chart
