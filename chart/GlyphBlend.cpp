#include "chart/GlyphBlend.h"

#include <cmath>

namespace chart {

namespace {

// The engine's text gamma as tables: a byte to 16-bit linear light (read
// at sixteen steps a byte of a 4 081-step curve scaled to 65 280), and
// 16-bit linear light, in those 4 081 steps, back to a byte.
struct GammaTables {
    std::array<std::uint16_t, 256> toLinear{};
    std::array<std::uint8_t, 4081> fromLinear{};

    GammaTables()
    {
        constexpr int kSteps = 255 * 16;
        constexpr double kScale = 255 * 256;
        auto rounded = [](double value) { return static_cast<int>(value + 0.5); };
        for (int byte = 0; byte < 256; ++byte) {
            const int linear = rounded(std::pow(byte * 16 / double(kSteps), GlyphBlend::kTextGamma) * kScale);
            toLinear[static_cast<std::size_t>(byte)] = static_cast<std::uint16_t>(linear + (linear >> 8));
        }
        for (int step = 0; step <= kSteps; ++step) {
            const int value = rounded(std::pow(step / double(kSteps), 1 / GlyphBlend::kTextGamma) * kScale);
            fromLinear[static_cast<std::size_t>(step)] = static_cast<std::uint8_t>((value + 0x80) >> 8);
        }
    }
};

const GammaTables& gammaTables()
{
    static const GammaTables tables;
    return tables;
}

// x·a/65 535 rounded, as the engine scales 16-bit light by 16-bit coverage.
inline std::uint32_t scale16(std::uint32_t x, std::uint32_t a)
{
    const std::uint32_t t = x * a;
    return (t + (t >> 16) + 0x8000) >> 16;
}

// Each byte of a pixel times a/255, rounded as the engine does (two bytes
// at a time, each in a 16-bit lane of its own).
inline QRgb scaleBytes(QRgb pixel, std::uint32_t a)
{
    std::uint32_t even = (pixel & 0xff00ffu) * a;
    even = ((even + ((even >> 8) & 0xff00ffu) + 0x800080u) >> 8) & 0xff00ffu;
    std::uint32_t odd = ((pixel >> 8) & 0xff00ffu) * a;
    odd = (odd + ((odd >> 8) & 0xff00ffu) + 0x800080u) & 0xff00ff00u;
    return even | odd;
}

} // namespace

std::shared_ptr<const GlyphBlend::ChannelBlend> GlyphBlend::channelBlend(int level, GlyphBlending blending)
{
    const GammaTables& tables = gammaTables();
    auto blend = std::make_shared<ChannelBlend>();
    const auto source = static_cast<std::uint32_t>(level);
    const std::uint32_t linear = tables.toLinear[source];
    for (std::uint32_t coverage = 0; coverage < 256; ++coverage) {
        const std::uint32_t share = scale16(linear, coverage * 257);
        const std::uint32_t rest = 65535 - coverage * 257;
        const std::uint32_t bytes = scaleBytes(source, coverage);
        for (std::uint32_t below = 0; below < 256; ++below) {
            std::uint32_t value = below;
            if (coverage == 255) {
                value = source; // full coverage sets the colour
            } else if (coverage > 0 && blending == GlyphBlending::kGamma) {
                std::uint32_t light = (share + scale16(tables.toLinear[below], rest)) & 0xffff;
                light -= light >> 8;
                value = tables.fromLinear[light >> 4];
            } else if (coverage > 0) {
                value = bytes + scaleBytes(below, 255 - coverage);
                if (value > 0xff)
                    return nullptr;
            }
            (*blend)[coverage << 8 | below] = static_cast<std::uint8_t>(value);
        }
    }
    return blend;
}

GlyphBlend::GlyphBlend(QRgb colour) : m_colour(colour | 0xff000000u)
{
    const int channels[3] = {qRed(m_colour), qGreen(m_colour), qBlue(m_colour)};
    for (const GlyphBlending blending : {GlyphBlending::kPlain, GlyphBlending::kGamma}) {
        auto& blends = m_channels[blending == GlyphBlending::kGamma ? 1 : 0];
        bool carries = false;
        for (std::size_t channel = 0; channel < 3; ++channel) {
            // A grey's channels share one blend.
            for (std::size_t before = 0; before < channel && !blends[channel]; ++before)
                if (channels[before] == channels[channel])
                    blends[channel] = blends[before];
            if (!blends[channel])
                blends[channel] = channelBlend(channels[channel], blending);
            carries = carries || !blends[channel];
        }
        if (carries)
            blends = {};
    }
    for (int coverage = 0; coverage < 256; ++coverage)
        for (const GlyphBlending blending : {GlyphBlending::kPlain, GlyphBlending::kGamma})
            m_onWhite[blending == GlyphBlending::kGamma ? 1 : 0][static_cast<std::size_t>(coverage)] =
                blended(0xffffffffu, coverage, blending);
}

QRgb GlyphBlend::blended(QRgb pixel, int coverage, GlyphBlending blending) const
{
    if (coverage <= 0)
        return pixel;
    if (coverage >= 255)
        return m_colour;
    const auto& blends = m_channels[blending == GlyphBlending::kGamma ? 1 : 0];
    if (pixel >= 0xff000000u && blends[0]) {
        const std::size_t row = static_cast<std::size_t>(coverage) << 8;
        return 0xff000000u | (QRgb((*blends[0])[row | ((pixel >> 16) & 0xff)]) << 16) |
               (QRgb((*blends[1])[row | ((pixel >> 8) & 0xff)]) << 8) | (*blends[2])[row | (pixel & 0xff)];
    }
    // Only over an opaque pixel is the blend gamma-corrected.
    if (blending == GlyphBlending::kGamma && pixel >= 0xff000000u) {
        const GammaTables& tables = gammaTables();
        const std::uint32_t rest = 65535 - static_cast<std::uint32_t>(coverage) * 257;
        QRgb result = 0xff000000u;
        for (const int shift : {16, 8, 0}) {
            const std::uint32_t share = scale16(tables.toLinear[(m_colour >> shift) & 0xff],
                                                static_cast<std::uint32_t>(coverage) * 257);
            std::uint32_t light = (share + scale16(tables.toLinear[(pixel >> shift) & 0xff], rest)) & 0xffff;
            light -= light >> 8;
            result |= static_cast<QRgb>(tables.fromLinear[light >> 4]) << shift;
        }
        return result;
    }
    const QRgb source = scaleBytes(m_colour, static_cast<std::uint32_t>(coverage));
    return source + scaleBytes(pixel, 255u - static_cast<std::uint32_t>(coverage));
}

QRgb proofPixel(int x, int y)
{
    if ((x + 3 * y) % 7 == 0)
        return 0xffffffffu;
    return qRgb((x * 37 + y * 11) & 0xff, (x * 13 + y * 71 + 90) & 0xff, (x * 101 + y * 7 + 170) & 0xff);
}

void GlyphBlend::blend(QRgb* pixels, std::ptrdiff_t pixelStride, const std::uint8_t* coverage,
                       std::ptrdiff_t coverageStride, int count, int rows, GlyphBlending blending) const
{
    const auto& blends = m_channels[blending == GlyphBlending::kGamma ? 1 : 0];
    const QRgb* onWhite = m_onWhite[blending == GlyphBlending::kGamma ? 1 : 0].data();
    for (int row = 0; row < rows; ++row, pixels += pixelStride, coverage += coverageStride) {
        if (!blends[0]) {
            for (int x = 0; x < count; ++x)
                pixels[x] = blended(pixels[x], coverage[x], blending);
            continue;
        }
        const std::uint8_t* red = blends[0]->data();
        const std::uint8_t* green = blends[1]->data();
        const std::uint8_t* blue = blends[2]->data();
        for (int x = 0; x < count; ++x) {
            const std::size_t c = coverage[x];
            if (c == 0)
                continue;
            const QRgb pixel = pixels[x];
            // Names and labels lie mostly on white.
            if (pixel == 0xffffffffu) {
                pixels[x] = onWhite[c];
                continue;
            }
            if (pixel < 0xff000000u) {
                pixels[x] = blended(pixel, static_cast<int>(c), blending);
                continue;
            }
            const std::size_t at = c << 8;
            pixels[x] = 0xff000000u | (QRgb(red[at | ((pixel >> 16) & 0xff)]) << 16) |
                        (QRgb(green[at | ((pixel >> 8) & 0xff)]) << 8) | blue[at | (pixel & 0xff)];
        }
    }
}

} // namespace chart
