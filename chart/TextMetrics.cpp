#include "chart/TextMetrics.h"

#include <cstdio>

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

namespace chart {

std::string formatNumber(const char* pattern, double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, pattern, value);
    return buffer;
}

} // namespace chart
