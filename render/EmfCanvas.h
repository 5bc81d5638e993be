#pragma once

#include <memory>
#include <string>
#include <vector>

#include "render/Canvas.h"

class QFontMetrics;
class QString;

// Draws the chart into an enhanced metafile (EMF records: header, pens,
// brushes, fonts, lines, polylines, ellipses, polygons, text, end of file).
// Device units are the units the chart was laid out in (screen pixels for
// the screen layout); the picture measures widthMm × heightMm. Written
// through libEMF.
class EmfCanvas : public Canvas {
public:
    EmfCanvas(const std::string& path, int width, int height, double widthMm, double heightMm);
    ~EmfCanvas() override;
    EmfCanvas(const EmfCanvas&) = delete;
    EmfCanvas& operator=(const EmfCanvas&) = delete;

    // False when the file could not be created.
    bool isOpen() const;
    // Writes the end-of-file record and closes the file; false when the file
    // could not be written completely. Called by the destructor otherwise.
    bool close();

    void setPen(const CanvasPen& pen) override;
    void setBrush(std::int32_t colour) override;
    void setNoBrush() override;
    void setFont(const LogFont& font) override;
    void setTextColour(std::int32_t colour) override;

    void drawLine(int x1, int y1, int x2, int y2) override;
    void drawPolyline(const std::vector<CanvasPoint>& points) override;
    void drawRectangle(const CanvasRect& rect) override;
    void drawEllipse(const CanvasRect& rect) override;
    void drawPolygon(const std::vector<CanvasPoint>& points) override;
    void drawText(int x, int y, const std::string& text, int align) override;
    CanvasSize textExtent(const std::string& text) override;

    // The metafile's own clip records are not available; lines are cut at the
    // rectangle and other shapes left out when they lie wholly outside it.
    void setClipRect(const CanvasRect& rect) override;
    void clearClip() override;

private:
    struct Device;
    bool outsideClip(const CanvasRect& bounds) const;
    // The current font as the screen measures it, and each UTF-16 unit's
    // advance in device units.
    QFontMetrics metrics() const;
    std::vector<int> characterAdvances(const QString& text) const;

    std::unique_ptr<Device> m_device;
    bool m_clipping = false;
    CanvasRect m_clip;
};
