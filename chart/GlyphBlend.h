#pragma once

#include <QColor>
#include <QPointF>
#include <QRect>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace chart {

// How Qt's raster engine blends a glyph's coverage into an opaque pixel:
// linearly in its bytes, or through its text gamma (the font's engine
// decides; the canvas finds out which by drawing once with Qt).
enum class GlyphBlending : std::uint8_t { kUnknown, kPlain, kGamma, kNeither };

// A text's glyphs as Qt's raster engine draws them at one fraction of a
// pixel: each glyph's coverage of the pixels it reaches, in the order Qt
// blends them (a pixel two glyphs reach is blended twice). Device pixels
// are counted from the whole pixel at or above-left of where the text is
// drawn.
struct KeptGlyphs {
    struct Glyph {
        QRect box;
        std::uint32_t offset = 0; // of its first row in `coverage`, rows box.width() apart
        GlyphBlending blending = GlyphBlending::kPlain;
    };
    QPointF fraction;
    int renderHints = 0; // of the painter Qt drew them with
    // False: the text is drawn by Qt (it reaches too far, or its glyphs
    // did not give Qt's pixels).
    bool kept = false;
    QRect reach; // every glyph's box
    std::vector<Glyph> glyphs;
    std::vector<std::uint8_t> coverage;
};

// Blends glyph coverage in one opaque colour exactly as Qt's raster engine
// blends a glyph into a premultiplied image: full coverage sets the colour;
// otherwise an opaque pixel is blended through the engine's text gamma
// (for fonts blended so) in 16-bit linear light, and any other pixel
// linearly in its bytes.
class GlyphBlend {
public:
    explicit GlyphBlend(QRgb colour);
    QRgb colour() const { return m_colour; }
    // Blends `rows` rows of `count` pixels, `pixelStride` pixels apart, by
    // rows of coverage `coverageStride` bytes apart.
    void blend(QRgb* pixels, std::ptrdiff_t pixelStride, const std::uint8_t* coverage,
               std::ptrdiff_t coverageStride, int count, int rows, GlyphBlending blending) const;
    // One pixel, as the engine blends it.
    QRgb blended(QRgb pixel, int coverage, GlyphBlending blending) const;

    // The text gamma this blend follows (Qt's default for the font
    // smoothing of its platforms); a font whose glyphs Qt blends otherwise
    // is found out and drawn by Qt.
    static constexpr double kTextGamma = 1.7;

private:
    // A channel of the colour (at `level`) blended by each coverage over each byte of an
    // opaque pixel, at [coverage << 8 | byte].
    using ChannelBlend = std::array<std::uint8_t, 256 * 256>;
    // Through the gamma, or in bytes (nullptr: a blend in bytes whose
    // channels carry into one another, blended pixel by pixel).
    static std::shared_ptr<const ChannelBlend> channelBlend(int level, GlyphBlending blending);
    QRgb m_colour;
    // Red, green and blue, by blending (plain, gamma).
    std::array<std::array<std::shared_ptr<const ChannelBlend>, 3>, 2> m_channels;
    // The colour blended onto white by each coverage, by blending.
    std::array<std::array<QRgb, 256>, 2> m_onWhite{};
};

// The opaque pattern a text's kept glyphs are proved on against Qt's own
// drawing: levels that differ from pixel to pixel in every channel, and
// white here and there.
QRgb proofPixel(int x, int y);

} // namespace chart
