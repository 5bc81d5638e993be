#include <gtest/gtest.h>

#include <algorithm>

#include "chart/ChartForm.h"
#include "render/WeatherMap.h"
#include "psychro/QorvaDll.h"
#include "tests/chart/ChartFixture.h"

namespace {

WeatherHour hourAt(int month, float t, float x)
{
    WeatherHour hour;
    hour.month = month;
    hour.t = t;
    hour.x = x;
    float RH = 0, tw = 0, pq = 0, pqb = 0, v = 0, rho = 0;
    EXPECT_TRUE(ptx_all(101325, t, x, &RH, &tw, &hour.h, &hour.td, &pq, &pqb, &v, &rho));
    return hour;
}

// Three July hours at 25.3 °C and 10.2 g/kg (dew point 14.4 °C: the cell of
// 24.5–25.5 °C dry bulb and 13.5–14.5 °C dew point),
// one January hour at 10.2 °C and 5.1 g/kg, one July hour on the saturation
// curve at 20.2 °C.
WeatherYear smallYear()
{
    WeatherYear year;
    year.path = "/data/test.epw";
    year.station.name = "Testville";
    for (int i = 0; i < 3; ++i)
        year.hours.push_back(hourAt(7, 25.3f, 0.0102f));
    year.hours.push_back(hourAt(1, 10.2f, 0.0051f));
    float x = 0, h = 0, tw = 0, td = 0, pq = 0, pqb = 0, v = 0, rho = 0;
    EXPECT_TRUE(ptRH_all(101325, 20.2f, 1.0f, &x, &h, &tw, &td, &pq, &pqb, &v, &rho));
    year.hours.push_back(hourAt(7, 20.2f, x));
    return year;
}

bool insidePolygon(const std::vector<CanvasPoint>& polygon, CanvasPoint p)
{
    bool inside = false;
    for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const CanvasPoint a = polygon[i];
        const CanvasPoint b = polygon[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * double(p.y - a.y) / (b.y - a.y) + a.x)
            inside = !inside;
    }
    return inside;
}

using WeatherMapTest = ChartFixture;

TEST_F(WeatherMapTest, CellsLieOverTheGridBelowTheObjectsWhereTheirHoursAre)
{
    const chart::WeatherMap map =
        chart::MakeWeatherMap(smallYear(), HourFilter{}, chart::WeatherMapStyle::Density);
    // 3 hours in the fullest cell: classes 1 and 2–3.
    EXPECT_EQ(chart::DensityClassBounds(map.density.maxHours), (std::vector<int>{1, 2}));
    // On either form of the chart.
    for (const ChartForm* form : {&idChartForm(), &ashraeChartForm()}) {
        SCOPED_TRACE(form->Name());
        points.clear();
        addPoint("N", 0.0102, 1.01 * 25.3 + 0.0102 * (2500 + 1.85 * 25.3));
        device.weather = &map;
        device.form = form;
        const RecordingCanvas canvas = draw();
        const auto& calls = canvas.calls();
        std::vector<std::size_t> cellAt;
        for (std::size_t i = 0; i < calls.size(); ++i)
            if (calls[i].op == RecordingCanvas::Op::Polygon && calls[i].filled &&
                (calls[i].brush == chart::DensityClassColour(0, 2) ||
                 calls[i].brush == chart::DensityClassColour(1, 2)))
                cellAt.push_back(i);
        ASSERT_EQ(cellAt.size(), 3u);
        // After the grid's labels, drawn last of the grid (the header among
        // them); before the point N.
        const auto pressure = std::find_if(calls.begin(), calls.end(),
                                           [](const auto& c) { return c.text.rfind("工程名称", 0) == 0; });
        const auto point = std::find_if(calls.begin(), calls.end(), [](const auto& c) {
            return c.op == RecordingCanvas::Op::Ellipse && c.brush == CIDG().m_pointColor && c.filled;
        });
        ASSERT_NE(pressure, calls.end());
        ASSERT_NE(point, calls.end());
        EXPECT_GT(cellAt.front(), std::size_t(pressure - calls.begin()));
        EXPECT_LT(cellAt.back(), std::size_t(point - calls.begin()));

        // The three hours' cell holds their point and is the darker; the point at
        // 26.1 °C lies in the cell above.
        const CStatePoint& n = *points.front();
        const auto& hot = calls[cellAt.back()];
        EXPECT_EQ(hot.brush, chart::DensityClassColour(1, 2));
        EXPECT_TRUE(insidePolygon(hot.points, chart.PointPosition(n)));
        CStatePoint above = n;
        above.m_h = static_cast<float>(1.01 * 26.1 + 0.0102 * (2500 + 1.85 * 26.1));
        EXPECT_FALSE(insidePolygon(hot.points, chart.PointPosition(above)));

        // The saturated hour's cell stops at the saturation curve (a pen unit
        // beyond it, where the cells overlap their neighbours): above it on the
        // i-d chart, below it on the ASHRAE chart.
        for (std::size_t i : cellAt)
            for (const CanvasPoint& corner : calls[i].points) {
                const int X = std::min(corner.x - layout().m_nChartLeft, layout().m_nChartWidth);
                const int row = layout().m_nBoundary[std::size_t(X)];
                if (form == &idChartForm())
                    EXPECT_LE(corner.y - layout().m_nChartTop, row);
                else
                    EXPECT_GE(corner.y - layout().m_nChartTop, row - 1);
            }

        // The caption and the legend, in a box the names keep clear of.
        const auto texts = canvas.callsOf(RecordingCanvas::Op::Text);
        const auto caption = std::find_if(texts.begin(), texts.end(),
                                          [](const auto& c) { return c.text == "气象年：Testville"; });
        ASSERT_GE(texts.end() - caption, 6);
        EXPECT_EQ((std::vector<std::string>{caption[1].text, caption[2].text, caption[3].text,
                                            caption[4].text, caption[5].text}),
                  (std::vector<std::string>{"文件：test.epw", "全年，5 小时",
                                            "每格小时数（干球温度 1 ℃ × 露点温度 1 ℃）", "1", "2–3"}));
        const auto box = std::find_if(calls.begin(), calls.end(), [](const auto& c) {
            return c.op == RecordingCanvas::Op::Rectangle && c.filled && c.brush == kWhite;
        });
        ASSERT_NE(box, calls.end());
        EXPECT_NE(std::find(layout().m_gridLabels.begin(), layout().m_gridLabels.end(), box->rect),
                  layout().m_gridLabels.end());
    }
}

TEST_F(WeatherMapTest, FilterAndDotsChangeWhatIsDrawn)
{
    HourFilter winter;
    winter.firstMonth = 12;
    winter.lastMonth = 2;
    const chart::WeatherMap january =
        chart::MakeWeatherMap(smallYear(), winter, chart::WeatherMapStyle::Density);
    device.weather = &january;
    RecordingCanvas canvas = draw();
    EXPECT_EQ(canvas.textsEqual("12–2 月，1 小时").size(), 1u);
    EXPECT_EQ(canvas.callsOf(RecordingCanvas::Op::Polygon).size(), 1u);

    // One dot per spot: the three equal hours share one.
    const chart::WeatherMap dots =
        chart::MakeWeatherMap(smallYear(), HourFilter{}, chart::WeatherMapStyle::Dots);
    EXPECT_NE(dots.serial, january.serial);
    device.weather = &dots;
    canvas = draw();
    EXPECT_EQ(canvas.callsOf(RecordingCanvas::Op::Ellipse).size(), 3u);
    EXPECT_EQ(canvas.textsEqual("每点为一个或多个小时").size(), 1u);
}

} // namespace
