#include "chart/ChartAttributes.h"

#include <QCoreApplication>
#include <QString>

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "model/CIDG.h"

ChartAttributes ChartAttributes::From(const CIDG& idg)
{
    ChartAttributes a;
    a.m_drawOptions = idg.m_drawOptions;
    a.m_volumeLines = idg.m_volumeLines;
    a.m_font1 = idg.m_font1;
    a.m_textColor = idg.m_textColor;
    a.m_bShowValues = idg.m_bShowValues;
    a.m_bValuesDefault = idg.m_bValuesDefault;
    a.m_nPointRadius = idg.m_nPointRadius;
    a.m_pointColor = idg.m_pointColor;
    a.m_nLabelPosition = idg.m_nLabelPosition;
    a.m_font2 = idg.m_font2;
    a.m_nameColor = idg.m_nameColor;
    a.m_lineColor = idg.m_lineColor;
    a.m_nLineWidth = idg.m_nLineWidth;
    a.m_nLineStyle = idg.m_nLineStyle;
    a.m_nArrowStyle = idg.m_nArrowStyle;
    return a;
}

void ChartAttributes::ApplyTo(CIDG& idg) const
{
    idg.m_drawOptions = m_drawOptions;
    idg.m_volumeLines = m_volumeLines;
    idg.m_font1 = m_font1;
    idg.m_textColor = m_textColor;
    idg.m_bShowValues = m_bShowValues;
    idg.m_bValuesDefault = m_bValuesDefault;
    idg.m_nPointRadius = m_nPointRadius;
    idg.m_pointColor = m_pointColor;
    idg.m_nLabelPosition = m_nLabelPosition;
    idg.m_font2 = m_font2;
    idg.m_nameColor = m_nameColor;
    idg.m_lineColor = m_lineColor;
    idg.m_nLineWidth = m_nLineWidth;
    idg.m_nLineStyle = m_nLineStyle;
    idg.m_nArrowStyle = m_nArrowStyle;
}

bool parseSpacing(const std::string& text, float& spacing)
{
    const char* begin = text.c_str();
    while (*begin == ' ')
        ++begin;
    if (*begin == '\0')
        return false;
    char* end = nullptr;
    const double value = std::strtod(begin, &end);
    while (*end == ' ')
        ++end;
    if (*end != '\0' || !std::isfinite(value) || !(value > 0.0) || value > 1e30)
        return false;
    spacing = static_cast<float>(value);
    return spacing > 0.0f;
}

std::string formatSpacing(float spacing)
{
    char buffer[48];
    if (std::isfinite(spacing) && spacing == std::floor(spacing) && std::fabs(spacing) < 1e9f)
        std::snprintf(buffer, sizeof buffer, "%.0f", static_cast<double>(spacing));
    else
        std::snprintf(buffer, sizeof buffer, "%.9g", static_cast<double>(spacing));
    // Shortest text that reads back to the same float.
    for (int digits = 1; digits <= 9 && std::string(buffer).find('.') != std::string::npos; ++digits) {
        char shorter[48];
        std::snprintf(shorter, sizeof shorter, "%.*g", digits, static_cast<double>(spacing));
        if (std::strtof(shorter, nullptr) == spacing)
            return shorter;
    }
    return buffer;
}

std::string spacingRefusal(const std::string& familyCaption)
{
    return QCoreApplication::translate("ChartAttributes", "%1的间距必须是大于零的数。")
        .arg(QString::fromStdString(familyCaption))
        .toStdString();
}

PageMargins PageMargins::From(const CIDG& idg)
{
    // The model stores bottom, top, left, right.
    PageMargins m;
    m.bottom = idg.m_nMargin[0];
    m.top = idg.m_nMargin[1];
    m.left = idg.m_nMargin[2];
    m.right = idg.m_nMargin[3];
    return m;
}

void PageMargins::ApplyTo(CIDG& idg) const
{
    idg.m_nMargin = {bottom, top, left, right};
}
