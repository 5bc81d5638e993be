#pragma once

#include <QFontMetrics>
#include <QRect>

#include <algorithm>
#include <cstddef>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "chart/RecordingCanvas.h"

class QPaintDevice;

namespace chart {

// The objects of a page as drawing calls, each with the state it is drawn
// in and the rectangle of device units it may touch, so an edit can be drawn
// again only where the calls changed. Texts are measured as QPainterCanvas
// measures them on the same paint device, so the layout of labels and
// result texts is the one the page shows.
class DisplayList : public RecordingCanvas {
public:
    // Text widths measured on the device, by font (its stored bytes) and
    // text; kept by the owner from one recording to the next, as most texts
    // stay the same.
    using TextWidths = std::unordered_map<std::string, std::unordered_map<std::string, int>>;

    DisplayList(const QPaintDevice* device, TextWidths& widths) : m_device(device), m_widths(widths) {}

    void setFont(const LogFont& font) override;
    CanvasSize textExtent(const std::string& text) override;

    // Each call's reach in device units: its points or rectangle grown by the
    // pen (miter joins and arrows included) and a pixel of antialiasing; a
    // text's line box grown by a quarter of its height for overhangs.
    std::vector<CanvasRect> callBounds();
    // Those of calls [from, to).
    std::vector<CanvasRect> callBounds(std::size_t from, std::size_t to);

    void beginOverlay() override
    {
        m_overlayStart = calls().size();
        if (m_onOverlay)
            m_onOverlay(*this);
    }
    // Called when the overlay begins: the calls under it are all recorded.
    void setOnOverlay(std::function<void(DisplayList&)> onOverlay) { m_onOverlay = std::move(onOverlay); }
    // The first call of the overlay (the names and texts); all calls when
    // none was begun.
    std::size_t overlayStart() const { return std::min(m_overlayStart, calls().size()); }

    // Lets go of the font it measures with (fonts stay with the thread
    // that made them), so the calls alone may be freed on another thread.
    void releaseFont() { m_metrics.reset(); }

    // Lends the first `count` calls out (moved, empty calls left in their
    // place), for a drawing thread to read while the list grows on; they
    // come back through returnCalls before those places are read again.
    std::vector<Call> lendCalls(std::size_t count)
    {
        auto& calls = mutableCalls();
        count = std::min(count, calls.size());
        return {std::make_move_iterator(calls.begin()),
                std::make_move_iterator(calls.begin() + static_cast<std::ptrdiff_t>(count))};
    }
    void returnCalls(std::vector<Call>&& lent)
    {
        std::move(lent.begin(), lent.end(), mutableCalls().begin());
        lent.clear();
    }

private:
    const QFontMetrics& metricsFor(const LogFont& font);
    int widthOf(const LogFont& font, const std::string& text);

    const QPaintDevice* m_device;
    TextWidths& m_widths;
    // The widths of the font measured last (most calls share their font
    // with the one before).
    std::unordered_map<std::string, int>* m_fontWidths = nullptr;
    LogFont m_widthsFont;
    std::optional<QFontMetrics> m_metrics;
    LogFont m_metricsFont;
    // The line box of that font, asked of the font engine once.
    int m_ascent = 0;
    int m_descent = 0;
    int m_height = 0;
    std::size_t m_overlayStart = static_cast<std::size_t>(-1);
    std::function<void(DisplayList&)> m_onOverlay;
};

} // namespace chart
