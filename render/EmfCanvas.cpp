#include "render/EmfCanvas.h"

#include <QFontMetrics>
#include <QString>

#include <algorithm>
#include <cstdio>

#include "model/FontConversion.h"

// libEMF brings the platform's GDI declarations; they stay in this file.
#include <libEMF/emf.h>
#undef min
#undef max

struct EmfCanvas::Device {
    std::FILE* file = nullptr;
    HDC dc = 0;
    HGDIOBJ pen = 0;
    HGDIOBJ brush = 0;
    HGDIOBJ font = 0;
    CanvasPen currentPen;
    bool penSet = false;
    std::int32_t brushColour = -1; // −1 no brush selected yet, −2 hollow
    LogFont currentFont;
    bool fontSet = false;
    int align = -1;
    bool writeFailed = false;

    // Selects a new object and deletes the one it replaces.
    void replace(HGDIOBJ& slot, HGDIOBJ object)
    {
        SelectObject(dc, object);
        if (slot)
            DeleteObject(slot);
        slot = object;
    }
};

namespace {

COLORREF colorRef(std::int32_t colour)
{
    return RGB(colourRed(colour), colourGreen(colour), colourBlue(colour));
}

std::u16string toUtf16(const std::string& utf8)
{
    return QString::fromStdString(utf8).toStdU16String();
}

// Liang–Barsky: cuts the segment to the rectangle; false when nothing is left.
bool clipSegment(double& x1, double& y1, double& x2, double& y2, const CanvasRect& r)
{
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    double t0 = 0.0;
    double t1 = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - r.left, r.right - x1, y1 - r.top, r.bottom - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    const double ox = x1;
    const double oy = y1;
    x1 = ox + t0 * dx;
    y1 = oy + t0 * dy;
    x2 = ox + t1 * dx;
    y2 = oy + t1 * dy;
    return true;
}

CanvasRect boundsOf(const std::vector<CanvasPoint>& points)
{
    CanvasRect b{points.front().x, points.front().y, points.front().x, points.front().y};
    for (const CanvasPoint& p : points) {
        b.left = std::min(b.left, p.x);
        b.right = std::max(b.right, p.x);
        b.top = std::min(b.top, p.y);
        b.bottom = std::max(b.bottom, p.y);
    }
    return b;
}

std::vector<POINT> toPoints(const std::vector<CanvasPoint>& points)
{
    std::vector<POINT> result;
    result.reserve(points.size());
    for (const CanvasPoint& p : points)
        result.push_back(POINT{p.x, p.y});
    return result;
}

} // namespace

EmfCanvas::EmfCanvas(const std::string& path, int width, int height, double widthMm, double heightMm)
    : m_device(std::make_unique<Device>())
{
    Device& d = *m_device;
    d.file = std::fopen(path.c_str(), "wb");
    if (!d.file)
        return;
    // The frame is in 0.01 mm.
    const RECT frame{0, 0, static_cast<LONG>(widthMm * 100.0 + 0.5),
                     static_cast<LONG>(heightMm * 100.0 + 0.5)};
    const std::u16string description =
        u"QORVA" + std::u16string(1, u'\0') + u"焓湿图" + std::u16string(1, u'\0');
    d.dc = CreateEnhMetaFileWithFILEW(0, d.file, &frame, reinterpret_cast<LPCWSTR>(description.c_str()));
    if (!d.dc) {
        std::fclose(d.file);
        d.file = nullptr;
        return;
    }
    // Logical units are the layout's device units; the reference device
    // shows them at the picture's size in mm.
    const double pixelsPerMmX =
        static_cast<double>(GetDeviceCaps(d.dc, HORZRES)) / std::max(1, GetDeviceCaps(d.dc, HORZSIZE));
    const double pixelsPerMmY =
        static_cast<double>(GetDeviceCaps(d.dc, VERTRES)) / std::max(1, GetDeviceCaps(d.dc, VERTSIZE));
    SetMapMode(d.dc, MM_ANISOTROPIC);
    SetWindowExtEx(d.dc, std::max(1, width), std::max(1, height), nullptr);
    SetViewportExtEx(d.dc, std::max(1, static_cast<int>(widthMm * pixelsPerMmX + 0.5)),
                     std::max(1, static_cast<int>(heightMm * pixelsPerMmY + 0.5)), nullptr);
    SetBkMode(d.dc, TRANSPARENT);
    SetTextColor(d.dc, colorRef(kBlack));
    setPen(CanvasPen{});
    setNoBrush();
}

EmfCanvas::~EmfCanvas()
{
    close();
}

bool EmfCanvas::isOpen() const
{
    return m_device->dc != 0;
}

bool EmfCanvas::close()
{
    Device& d = *m_device;
    if (!d.dc)
        return false;
    // Stock objects back in before ours are deleted.
    SelectObject(d.dc, GetStockObject(BLACK_PEN));
    SelectObject(d.dc, GetStockObject(NULL_BRUSH));
    SelectObject(d.dc, GetStockObject(SYSTEM_FONT));
    for (HGDIOBJ* slot : {&d.pen, &d.brush, &d.font})
        if (*slot) {
            DeleteObject(*slot);
            *slot = 0;
        }
    const HENHMETAFILE metafile = CloseEnhMetaFileWithFILE(d.dc);
    d.dc = 0;
    const bool ok = metafile != 0 && std::ferror(d.file) == 0;
    if (metafile)
        DeleteEnhMetaFile(metafile);
    const bool closed = std::fclose(d.file) == 0;
    d.file = nullptr;
    return ok && closed;
}

void EmfCanvas::setPen(const CanvasPen& pen)
{
    Device& d = *m_device;
    if (!d.dc || (d.penSet && pen == d.currentPen))
        return;
    const int style = pen.style >= kPenSolid && pen.style <= kPenNull ? pen.style : kPenSolid;
    d.replace(d.pen, CreatePen(style, std::max(0, pen.width), colorRef(pen.colour)));
    d.currentPen = pen;
    d.penSet = true;
}

void EmfCanvas::setBrush(std::int32_t colour)
{
    Device& d = *m_device;
    if (!d.dc || d.brushColour == (colour & 0xFFFFFF))
        return;
    d.replace(d.brush, CreateSolidBrush(colorRef(colour)));
    d.brushColour = colour & 0xFFFFFF;
}

void EmfCanvas::setNoBrush()
{
    Device& d = *m_device;
    if (!d.dc || d.brushColour == -2)
        return;
    LOGBRUSH hollow{BS_NULL, 0, 0};
    d.replace(d.brush, CreateBrushIndirect(&hollow));
    d.brushColour = -2;
}

void EmfCanvas::setFont(const LogFont& font)
{
    Device& d = *m_device;
    if (!d.dc || (d.fontSet && font == d.currentFont))
        return;
    LOGFONTW record{};
    record.lfHeight = font.lfHeight < 0 ? -fontUnits(font.lfHeight) : fontUnits(font.lfHeight);
    record.lfWidth = fontUnits(font.lfWidth);
    record.lfEscapement = font.lfEscapement;
    record.lfOrientation = font.lfOrientation;
    record.lfWeight = font.lfWeight;
    record.lfItalic = font.lfItalic;
    record.lfUnderline = font.lfUnderline;
    record.lfStrikeOut = font.lfStrikeOut;
    record.lfCharSet = font.lfCharSet;
    record.lfOutPrecision = font.lfOutPrecision;
    record.lfClipPrecision = font.lfClipPrecision;
    record.lfQuality = font.lfQuality;
    record.lfPitchAndFamily = font.lfPitchAndFamily;
    const std::u16string face = toUtf16(font.faceName()).substr(0, LF_FACESIZE - 1);
    std::copy(face.begin(), face.end(), record.lfFaceName);
    d.replace(d.font, CreateFontIndirectW(&record));
    d.currentFont = font;
    d.fontSet = true;
}

void EmfCanvas::setTextColour(std::int32_t colour)
{
    if (m_device->dc)
        SetTextColor(m_device->dc, colorRef(colour));
}

void EmfCanvas::drawLine(int x1, int y1, int x2, int y2)
{
    Device& d = *m_device;
    if (!d.dc)
        return;
    double ax = x1, ay = y1, bx = x2, by = y2;
    if (m_clipping && !clipSegment(ax, ay, bx, by, m_clip))
        return;
    MoveToEx(d.dc, static_cast<int>(ax + 0.5), static_cast<int>(ay + 0.5), nullptr);
    LineTo(d.dc, static_cast<int>(bx + 0.5), static_cast<int>(by + 0.5));
}

void EmfCanvas::drawPolyline(const std::vector<CanvasPoint>& points)
{
    if (!m_device->dc || points.size() < 2)
        return;
    if (m_clipping) {
        const CanvasRect b = boundsOf(points);
        if (!m_clip.contains(b.left, b.top) || !m_clip.contains(b.right, b.bottom)) {
            for (std::size_t i = 1; i < points.size(); ++i)
                drawLine(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y);
            return;
        }
    }
    const std::vector<POINT> device = toPoints(points);
    Polyline(m_device->dc, device.data(), static_cast<INT>(device.size()));
}

void EmfCanvas::drawRectangle(const CanvasRect& rect)
{
    if (m_device->dc && !outsideClip(rect))
        Rectangle(m_device->dc, rect.left, rect.top, rect.right, rect.bottom);
}

void EmfCanvas::drawEllipse(const CanvasRect& rect)
{
    if (m_device->dc && !outsideClip(rect))
        Ellipse(m_device->dc, rect.left, rect.top, rect.right, rect.bottom);
}

void EmfCanvas::drawPolygon(const std::vector<CanvasPoint>& points)
{
    if (!m_device->dc || points.size() < 3 || outsideClip(boundsOf(points)))
        return;
    const std::vector<POINT> device = toPoints(points);
    Polygon(m_device->dc, device.data(), static_cast<INT>(device.size()));
}

void EmfCanvas::drawText(int x, int y, const std::string& text, int align)
{
    Device& d = *m_device;
    if (!d.dc || text.empty() || (m_clipping && !m_clip.contains(x, y)))
        return;
    // The chart's alignment flags are the metafile's text-alignment values.
    if (align != d.align) {
        SetTextAlign(d.dc, static_cast<UINT>(align));
        d.align = align;
    }
    // Every text carries the advance of each character as the layout measured
    // it: readers place the characters by it, and some refuse a text record
    // without it.
    const QString string = QString::fromStdString(text);
    const std::u16string wide = string.toStdU16String();
    const std::vector<int> advances = characterAdvances(string);
    ExtTextOutW(d.dc, x, y, 0, nullptr, reinterpret_cast<LPCWSTR>(wide.c_str()),
                static_cast<UINT>(wide.size()), advances.data());
}

QFontMetrics EmfCanvas::metrics() const
{
    // Measured as the screen draws the same font, the layout the metafile keeps.
    LogFont bounded = m_device->currentFont;
    bounded.lfHeight = bounded.lfHeight < 0 ? -fontUnits(bounded.lfHeight) : fontUnits(bounded.lfHeight);
    bounded.lfWidth = fontUnits(bounded.lfWidth);
    return QFontMetrics(qfontFromLogFont(bounded));
}

std::vector<int> EmfCanvas::characterAdvances(const QString& text) const
{
    // From the advances of the growing prefixes, so kerning and rounding add
    // up to the width of the whole text; the second half of a surrogate pair
    // advances nothing.
    const QFontMetrics metrics = this->metrics();
    std::vector<int> advances(static_cast<std::size_t>(text.size()), 0);
    int previous = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).isHighSurrogate() && i + 1 < text.size())
            continue;
        const int width = metrics.horizontalAdvance(text.left(i + 1));
        advances[static_cast<std::size_t>(i)] = width - previous;
        previous = width;
    }
    return advances;
}

CanvasSize EmfCanvas::textExtent(const std::string& text)
{
    const QFontMetrics metrics = this->metrics();
    return {metrics.horizontalAdvance(QString::fromStdString(text)), metrics.height()};
}

void EmfCanvas::setClipRect(const CanvasRect& rect)
{
    m_clipping = true;
    m_clip = rect;
}

void EmfCanvas::clearClip()
{
    m_clipping = false;
}

bool EmfCanvas::outsideClip(const CanvasRect& b) const
{
    return m_clipping &&
           (b.right < m_clip.left || b.left > m_clip.right || b.bottom < m_clip.top || b.top > m_clip.bottom);
}
