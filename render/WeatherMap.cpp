#include "render/WeatherMap.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QString>

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <optional>
#include <tuple>

#include "chart/ChartForm.h"
#include "render/Canvas.h"
#include "render/ChartRenderer.h"
#include "model/Colour.h"
#include "psychro/MoistAir.h"

namespace chart {

namespace {

namespace psy = qorva::psychro;

// The chart's own formula, h = 1.01·t + x·(2500 + 1.85·t) kJ/kg: a state is
// drawn where the chart's lines put it.
double chartEnthalpy(double t, double x)
{
    return 1.01 * t + x * (2500.0 + 1.85 * t);
}

// Light to dark: the few hours of a cell barely tint the chart, the many
// stand out; the darker half stays clear of the grid's red, green and blue.
constexpr std::array<std::int32_t, 8> kPalette = {
    rgbColour(255, 243, 176), rgbColour(255, 215, 122), rgbColour(253, 176, 90), rgbColour(247, 132, 74),
    rgbColour(232, 85, 63),   rgbColour(198, 46, 58),   rgbColour(147, 26, 61),  rgbColour(94, 15, 58)};
constexpr std::int32_t kDotColour = rgbColour(214, 96, 0);
constexpr std::int32_t kLegendFrame = rgbColour(128, 128, 128);

// Screen pixels (times the pen scale) of the legend's spacing, swatches and dots.
constexpr double kMargin = 10;
constexpr double kPadding = 6;
constexpr double kDotRadius = 2;

std::uint64_t nextSerial()
{
    static std::atomic<std::uint64_t> serial{0};
    return ++serial;
}

QString twoDigits(int hour)
{
    return QString::asprintf("%02d", hour);
}

std::string classLabel(const std::vector<int>& bounds, std::size_t k, int maxHours)
{
    const int low = bounds[k];
    const int high = k + 1 < bounds.size() ? bounds[k + 1] - 1 : maxHours;
    if (low >= high)
        return std::to_string(low);
    return std::to_string(low) + "–" + std::to_string(high);
}

} // namespace

WeatherMap MakeWeatherMap(const WeatherYear& year, const HourFilter& filter, WeatherMapStyle style)
{
    WeatherMap map;
    map.density = CountHoursInCells(year, filter);
    map.style = style;
    map.station = year.station.name;
    map.fileName = QFileInfo(QString::fromStdString(year.path)).fileName().toStdString();
    map.filter = filter;
    map.serial = nextSerial();
    return map;
}

std::vector<int> DensityClassBounds(int maxHours)
{
    std::vector<int> bounds;
    // 1, 2, 5, 10, 20, 50, …: at most 8 classes up to the 8 784 hours of a
    // leap year; a cell never holds more than the hours of its file.
    for (int decade = 1; bounds.size() < kPalette.size(); decade *= 10)
        for (int step : {1, 2, 5}) {
            const int bound = step * decade;
            if (bound > maxHours || bounds.size() == kPalette.size())
                return bounds;
            bounds.push_back(bound);
        }
    return bounds;
}

std::int32_t DensityClassColour(std::size_t k, std::size_t n)
{
    if (n <= 1)
        return kPalette[kPalette.size() / 2];
    const std::size_t last = kPalette.size() - 1;
    return kPalette[std::min(last, (k * last + (n - 1) / 2) / (n - 1))];
}

std::vector<std::string> WeatherCaption(const WeatherMap& map)
{
    return WeatherCaption(map.station, map.fileName, map.filter, map.density.hours);
}

std::vector<std::string> WeatherCaption(const std::string& station, const std::string& fileName,
                                        const HourFilter& f, int hours)
{
    QString months =
        f.firstMonth == 1 && f.lastMonth == 12
            ? QCoreApplication::translate("WeatherMap", "全年")
            : QCoreApplication::translate("WeatherMap", "%1–%2 月").arg(f.firstMonth).arg(f.lastMonth);
    if (f.fromHour != 0 || f.toHour != 24)
        months = QCoreApplication::translate("WeatherMap", "%1，%2")
                     .arg(months, QCoreApplication::translate("WeatherMap", "%1:00–%2:00")
                                      .arg(twoDigits(f.fromHour), twoDigits(f.toHour)));
    return {QCoreApplication::translate("WeatherMap", "气象年：%1")
                .arg(QString::fromStdString(station))
                .toStdString(),
            QCoreApplication::translate("WeatherMap", "文件：%1")
                .arg(QString::fromStdString(fileName))
                .toStdString(),
            QCoreApplication::translate("WeatherMap", "%1，%2 小时").arg(months).arg(hours).toStdString()};
}

namespace {

// The moisture content of a dew point at the chart's pressure p: the column
// the chart's own saturation curve gives it; −1 where the vapour would reach
// the pressure.
double dewPointMoisture(double p, double td)
{
    const double pws = psy::saturationPressure(std::clamp(td, psy::kTMin, psy::kTMax));
    return pws < p ? psy::moistureContent(p, pws) : -1.0;
}

// The cells of the density map on a chart of another form than the i-d
// one: each cell of dry bulb t0…t1 and dew point td0…td1 is the region
// between the two moisture contents and the two dry bulbs, its corners
// where the form puts them, the part beyond the saturation curve cut off at
// its corners' columns. Drawn cell by cell, class by class; each reaches a
// pen unit into its neighbours, so antialiasing leaves no light seam.
void DrawCellsOnForm(ChartRenderer& chart, Canvas& canvas, const WeatherDensity& d,
                     const std::vector<int>& bounds)
{
    const ChartLayout& l = chart.layout();
    const ChartForm& form = chart.form();
    const double p = chart.model().m_fSummerPressure;
    const int W = l.m_nChartWidth;
    const bool boundary = l.m_bBoundaryValid && l.m_nBoundary.size() == static_cast<std::size_t>(W) + 1;
    const int overlap = std::max(1, static_cast<int>(std::lround(l.m_fPenScale)));
    const auto moistureAt = [p](double td) { return dewPointMoisture(p, td); };
    const auto corner = [&](double t, double x) {
        CanvasPoint at = form.Position(chart, x, chartEnthalpy(t, x));
        if (boundary && at.x >= 0 && at.x <= W && !form.Unsaturated(l, at.x, at.y))
            at.y = l.m_nBoundary[static_cast<std::size_t>(at.x)];
        return CanvasPoint{at.x + l.m_nChartLeft, at.y + l.m_nChartTop};
    };
    std::vector<std::pair<std::size_t, std::vector<CanvasPoint>>> cells;
    cells.reserve(d.cells.size());
    for (const DensityCell& cell : d.cells) {
        const double x0 = moistureAt((cell.tdIndex - 0.5) * static_cast<double>(d.tdStep));
        const double x1 = moistureAt((cell.tdIndex + 0.5) * static_cast<double>(d.tdStep));
        if (x0 < 0.0 || x1 < 0.0)
            continue;
        const double t0 = (cell.tIndex - 0.5) * static_cast<double>(d.tStep);
        const double t1 = (cell.tIndex + 0.5) * static_cast<double>(d.tStep);
        std::vector<CanvasPoint> polygon{corner(t0, x1), corner(t1, x1), corner(t1, x0), corner(t0, x0)};
        polygon[1].x += overlap;
        polygon[2].x += overlap;
        polygon[0].y -= overlap;
        polygon[1].y -= overlap;
        const std::size_t k =
            static_cast<std::size_t>(std::upper_bound(bounds.begin(), bounds.end(), cell.hours) -
                                     bounds.begin()) -
            1;
        cells.emplace_back(k, std::move(polygon));
    }
    std::stable_sort(cells.begin(), cells.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    canvas.setPen({kWhite, 0, kPenNull});
    std::size_t drawnClass = bounds.size();
    for (const auto& [k, polygon] : cells) {
        if (k != drawnClass) {
            canvas.setBrush(DensityClassColour(k, bounds.size()));
            drawnClass = k;
        }
        canvas.drawPolygon(polygon);
    }
}

} // namespace

void DrawWeatherMap(ChartRenderer& chart, Canvas& canvas, const WeatherMap& map)
{
    ChartLayout& l = chart.m_layout;
    const WeatherDensity& d = map.density;
    const CanvasRect chartRect = chart.ChartRectangle();
    const int W = l.m_nChartWidth;
    const int H = l.m_nChartHeight;
    const bool boundary = l.m_bBoundaryValid && l.m_nBoundary.size() == static_cast<std::size_t>(W) + 1;
    // A state above the saturation curve of its column (rows grow downward).
    const auto belowCurve = [&](int X, int Y) {
        if (!boundary)
            return Y;
        return std::min(Y, l.m_nBoundary[static_cast<std::size_t>(std::clamp(X, 0, W))]);
    };
    const double G = l.m_fPenScale;
    canvas.setClipRect(chartRect);

    const std::vector<int> bounds = DensityClassBounds(d.maxHours);
    if (map.style == WeatherMapStyle::Density && !bounds.empty() && &chart.form() != &idChartForm()) {
        DrawCellsOnForm(chart, canvas, d, bounds);
    } else if (map.style == WeatherMapStyle::Density && !bounds.empty()) {
        // The moisture content of a dew point at the chart's pressure: the
        // column the chart's own saturation curve gives it.
        const double p = chart.model().m_fSummerPressure;
        const auto moistureAt = [p](double td) { return dewPointMoisture(p, td); };
        // The quadrilateral of the cells of dry-bulb row tIndex from dew-point
        // column first to last: its sides are lines of equal moisture
        // content, its top and bottom isotherms (straight on the chart), and
        // the part beyond the saturation curve is cut off (`cut` says so).
        // Empty when nothing of it is in the window.
        struct Quad {
            std::array<CanvasPoint, 4> corners;
            bool cut = false;
        };
        const auto quad = [&](int tLow, int tHigh, int first, int last) -> std::optional<Quad> {
            const double x0 = moistureAt((first - 0.5) * static_cast<double>(d.tdStep));
            const double x1 = moistureAt((last + 0.5) * static_cast<double>(d.tdStep));
            if (x0 < 0.0 || x1 < 0.0)
                return std::nullopt;
            const int X0 = chart.XFromMoisture(x0);
            const int X1 = chart.XFromMoisture(x1);
            if (X1 < 0 || X0 > W)
                return std::nullopt;
            const double t0 = (tLow - 0.5) * static_cast<double>(d.tStep);
            const double t1 = (tHigh + 0.5) * static_cast<double>(d.tStep);
            const int rows[4] = {chart.YFromTemperature(t1, X0), chart.YFromTemperature(t1, X1),
                                 chart.YFromTemperature(t0, X1), chart.YFromTemperature(t0, X0)};
            const int columns[4] = {X0, X1, X1, X0};
            Quad q;
            for (std::size_t i = 0; i < 4; ++i) {
                const int row = belowCurve(columns[i], rows[i]);
                q.cut = q.cut || row != rows[i];
                q.corners[i] = {columns[i] + l.m_nChartLeft, row + l.m_nChartTop};
            }
            const auto& c = q.corners;
            if (std::max(c[2].y, c[3].y) < chartRect.top || std::min(c[0].y, c[1].y) > chartRect.bottom ||
                (c[0].y == c[3].y && c[1].y == c[2].y))
                return std::nullopt;
            return q;
        };
        const auto classOf = [&bounds](int hours) {
            return static_cast<std::size_t>(std::upper_bound(bounds.begin(), bounds.end(), hours) -
                                            bounds.begin()) -
                   1;
        };
        // Neighbours of one class are drawn as one quadrilateral, as the
        // isotherms and the lines of equal moisture content are straight:
        // first along each row, then rows of the same span one above the
        // other. A cell the saturation curve cuts stays on its own, so the
        // cut follows the curve.
        struct Block {
            int first, last; // dew-point columns
            std::size_t k;   // class
            int tLow, tHigh; // dry-bulb rows
            bool cut;
        };
        std::vector<Block> blocks;
        for (std::size_t i = 0; i < d.cells.size();) {
            const DensityCell& first = d.cells[i];
            const std::size_t k = classOf(first.hours);
            std::size_t end = i + 1;
            const auto alone = quad(first.tIndex, first.tIndex, first.tdIndex, first.tdIndex);
            if (alone && !alone->cut)
                while (end < d.cells.size() && d.cells[end].tIndex == first.tIndex &&
                       d.cells[end].tdIndex == d.cells[end - 1].tdIndex + 1 &&
                       classOf(d.cells[end].hours) == k) {
                    const auto next =
                        quad(first.tIndex, first.tIndex, d.cells[end].tdIndex, d.cells[end].tdIndex);
                    if (!next || next->cut)
                        break;
                    ++end;
                }
            if (alone)
                blocks.push_back(
                    {first.tdIndex, d.cells[end - 1].tdIndex, k, first.tIndex, first.tIndex, alone->cut});
            i = end;
        }
        std::sort(blocks.begin(), blocks.end(), [](const Block& a, const Block& b) {
            return std::tie(a.first, a.last, a.k, a.tLow) < std::tie(b.first, b.last, b.k, b.tLow);
        });
        std::vector<Block> merged;
        for (const Block& b : blocks) {
            Block* last = merged.empty() ? nullptr : &merged.back();
            if (last && !last->cut && !b.cut && last->first == b.first && last->last == b.last &&
                last->k == b.k && last->tHigh + 1 == b.tLow)
                last->tHigh = b.tHigh;
            else
                merged.push_back(b);
        }
        // Drawn class by class, so the pen and brush change once a class.
        std::stable_sort(merged.begin(), merged.end(),
                         [](const Block& a, const Block& b) { return a.k < b.k; });
        std::vector<CanvasPoint> polygon(4);
        std::size_t drawnClass = bounds.size();
        const int overlap = std::max(1, static_cast<int>(std::lround(G)));
        canvas.setPen({kWhite, 0, kPenNull});
        for (const Block& b : merged) {
            const auto q = quad(b.tLow, b.tHigh, b.first, b.last);
            if (!q)
                continue;
            if (b.k != drawnClass) {
                canvas.setBrush(DensityClassColour(b.k, bounds.size()));
                drawnClass = b.k;
            }
            std::copy(q->corners.begin(), q->corners.end(), polygon.begin());
            // The top reaches a little into the block above, so
            // antialiasing leaves no light seam along the isotherm between
            // them (the sides stand on whole device units and need none).
            polygon[0].y -= overlap;
            polygon[1].y -= overlap;
            canvas.drawPolygon(polygon);
        }
    } else if (map.style == WeatherMapStyle::Dots) {
        const int radius = std::max(1, static_cast<int>(std::lround(kDotRadius * G)));
        std::vector<std::int64_t> places;
        places.reserve(d.states.size());
        for (const auto& [t, x] : d.states) {
            const CanvasPoint at = chart.form().Position(chart, x, chartEnthalpy(t, x));
            const int X = at.x;
            const int Y = at.y;
            if (X < 0 || X > W || Y < 0 || Y > H || (boundary && !chart.form().Unsaturated(l, X, Y)))
                continue;
            places.push_back((static_cast<std::int64_t>(X) << 32) | static_cast<std::uint32_t>(Y));
        }
        // Hours that fall on one spot are drawn once.
        std::sort(places.begin(), places.end());
        places.erase(std::unique(places.begin(), places.end()), places.end());
        canvas.setPen({kDotColour, 0, kPenSolid});
        canvas.setBrush(kDotColour);
        for (const std::int64_t place : places) {
            const int X = static_cast<int>(place >> 32) + l.m_nChartLeft;
            const int Y = static_cast<int>(place & 0xFFFFFFFF) + l.m_nChartTop;
            canvas.drawEllipse({X - radius, Y - radius, X + radius, Y + radius});
        }
    }

    // The legend and the caption, in a box in the lower right corner.
    canvas.setFont(l.m_workingFont);
    canvas.setTextColour(chart.model().m_textColor);
    std::vector<std::string> lines = WeatherCaption(map);
    if (map.style == WeatherMapStyle::Density)
        // The cells are whole kelvins in every unit system: 1.8 ℉ in IP.
        lines.push_back(
            (chart.model().m_nUnitSystem == CIDG::kUnitsIP
                 ? QCoreApplication::translate("WeatherMap", "每格小时数（干球温度 1.8 ℉ × 露点温度 1.8 ℉）")
                 : QCoreApplication::translate("WeatherMap", "每格小时数（干球温度 1 ℃ × 露点温度 1 ℃）"))
                .toStdString());
    else
        lines.push_back(QCoreApplication::translate("WeatherMap", "每点为一个或多个小时").toStdString());
    const std::size_t classes = map.style == WeatherMapStyle::Density ? bounds.size() : 0;
    const int lineHeight = std::max(1, canvas.textExtent("0").height);
    const int swatch = lineHeight;
    const int padding = static_cast<int>(kPadding * G);
    int width = 0;
    for (const std::string& text : lines)
        width = std::max(width, canvas.textExtent(text).width);
    std::vector<std::string> labels;
    for (std::size_t k = 0; k < classes; ++k) {
        labels.push_back(classLabel(bounds, k, d.maxHours));
        width = std::max(width, swatch + padding + canvas.textExtent(labels.back()).width);
    }
    const int height = static_cast<int>(lines.size() + classes) * lineHeight;
    const int margin = static_cast<int>(kMargin * G);
    const CanvasRect box{chartRect.right - margin - width - 2 * padding,
                         chartRect.bottom - margin - height - 2 * padding, chartRect.right - margin,
                         chartRect.bottom - margin};
    canvas.setPen({kLegendFrame, 0, kPenSolid});
    canvas.setBrush(kWhite);
    canvas.drawRectangle(box);
    int y = box.top + padding;
    const int left = box.left + padding;
    for (const std::string& text : lines) {
        canvas.drawText(left, y, text, text_align::kLeft | text_align::kTop);
        y += lineHeight;
    }
    for (std::size_t k = 0; k < classes; ++k, y += lineHeight) {
        const std::int32_t colour = DensityClassColour(k, classes);
        canvas.setPen({colour, 0, kPenSolid});
        canvas.setBrush(colour);
        const int inset = std::max(1, lineHeight / 8);
        canvas.drawRectangle({left, y + inset, left + swatch, y + lineHeight - inset});
        canvas.drawText(left + swatch + padding, y, labels[k], text_align::kLeft | text_align::kTop);
    }
    canvas.setNoBrush();
    canvas.clearClip();
    l.m_gridLabels.push_back(box);
}

} // namespace chart
