#include "model/FontConversion.h"

#include <cmath>
#include <cstdlib>

namespace {
constexpr double kLogicalDpi = 96.0;
}

LogFont logFontFromQFont(const QFont& font)
{
    LogFont result;
    int pixels = font.pixelSize();
    if (pixels <= 0)
        pixels = static_cast<int>(std::lround(font.pointSizeF() * kLogicalDpi / 72.0));
    result.lfHeight = -pixels;
    result.lfWeight = font.weight();
    result.lfItalic = font.italic() ? 1 : 0;
    result.lfUnderline = font.underline() ? 1 : 0;
    result.lfStrikeOut = font.strikeOut() ? 1 : 0;
    result.setFaceName(font.family().toStdString());
    return result;
}

QFont qfontFromLogFont(const LogFont& font)
{
    QFont result(QString::fromStdString(font.faceName()));
    // A zero height means "default size"; positive heights include the
    // internal leading, which is close enough to the character height here.
    const int pixels = font.lfHeight == 0 ? 12 : std::abs(font.lfHeight);
    result.setPixelSize(pixels);
    result.setWeight(static_cast<QFont::Weight>(font.lfWeight <= 0 ? 400 : std::min(font.lfWeight, 1000)));
    result.setItalic(font.lfItalic != 0);
    result.setUnderline(font.lfUnderline != 0);
    result.setStrikeOut(font.lfStrikeOut != 0);
    return result;
}
