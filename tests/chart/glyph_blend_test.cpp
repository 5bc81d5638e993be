#include <QFont>
#include <QImage>
#include <QPainter>
#include <QStaticText>

#include <gtest/gtest.h>

#include "chart/GlyphBlend.h"
#include "support/SuiteGuiApplication.h"

namespace {

class GlyphBlendTest : public testing::Test {
protected:
    static void SetUpTestSuite() { SuiteGuiApplication::start(); }
    static void TearDownTestSuite() { SuiteGuiApplication::stop(); }
};

// One glyph drawn by Qt over a ground of one colour, and its coverage (the
// alpha it leaves on clear pixels).
struct Drawn {
    QImage onGround;
    QImage coverage;
};

Drawn drawGlyph(const QFont& font, const QString& glyph, QRgb colour, QRgb ground)
{
    Drawn drawn{QImage(48, 48, QImage::Format_ARGB32_Premultiplied),
                QImage(48, 48, QImage::Format_ARGB32_Premultiplied)};
    drawn.onGround.fill(ground);
    drawn.coverage.fill(0);
    const QStaticText text(glyph);
    for (QImage* image : {&drawn.onGround, &drawn.coverage}) {
        QPainter painter(image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        painter.setFont(font);
        painter.setPen(QColor::fromRgba(image == &drawn.onGround ? colour : 0xff000000u));
        painter.drawStaticText(QPointF(6.25, 4), text);
    }
    return drawn;
}

} // namespace

// Over every level of ground, each pixel a glyph reaches is the blend of
// its coverage Qt gives: over opaque grounds through the text gamma or in
// plain bytes, the same one for every pixel of a font (found out as the
// canvas finds it out), and over half-transparent grounds always in plain
// bytes. A Latin glyph and a Chinese one come from different fonts.
TEST_F(GlyphBlendTest, EveryGroundAndCoverageBlendsAsQtBlendsThem)
{
    const struct {
        const char* glyph;
        QRgb colour;
    } cases[] = {{"W", 0xff000000u}, {"W", 0xffc81e5au}, {"风", 0xff000000u}, {"风", 0xff0c78fau}};
    QFont font;
    font.setPixelSize(30);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.glyph << " in " << std::hex << c.colour);
        const chart::GlyphBlend blend(c.colour);
        bool gammaHolds = true;
        bool plainHolds = true;
        int partial = 0;
        for (int level = 0; level < 256; level += 5) {
            // Each channel of the ground at another level.
            const QRgb opaque = qRgb(level, (level + 85) % 256, (level + 170) % 256);
            const QRgb halfClear = qPremultiply(qRgba(level, 255 - level, 90, 40 + level / 2));
            for (const QRgb ground : {opaque, halfClear}) {
                const Drawn drawn = drawGlyph(font, QString::fromUtf8(c.glyph), c.colour, ground);
                for (int y = 0; y < 48; ++y)
                    for (int x = 0; x < 48; ++x) {
                        const int coverage = qAlpha(drawn.coverage.pixel(x, y));
                        const QRgb qts = drawn.onGround.pixel(x, y);
                        partial += coverage > 0 && coverage < 255;
                        if (ground == halfClear) {
                            ASSERT_EQ(blend.blended(ground, coverage, chart::GlyphBlending::kPlain), qts)
                                << x << "," << y;
                            continue;
                        }
                        gammaHolds = gammaHolds &&
                                     blend.blended(ground, coverage, chart::GlyphBlending::kGamma) == qts;
                        plainHolds = plainHolds &&
                                     blend.blended(ground, coverage, chart::GlyphBlending::kPlain) == qts;
                    }
            }
        }
        EXPECT_GT(partial, 1000);
        EXPECT_NE(gammaHolds, plainHolds);
    }
}
