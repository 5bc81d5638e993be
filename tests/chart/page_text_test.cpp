#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "ChartFixture.h"
#include "analysis/Binding.h"
#include "AnalysedSample.h"
#include "chart/LabelPlacement.h"
#include "project/ProjectFile.h"

namespace {

using Op = RecordingCanvas::Op;

// The one text call of this text.
RecordingCanvas::Call textCall(const RecordingCanvas& canvas, const std::string& text)
{
    const auto calls = canvas.textsEqual(text);
    EXPECT_EQ(calls.size(), 1u) << text;
    return calls.empty() ? RecordingCanvas::Call{} : calls[0];
}

CanvasRect boxOf(const RecordingCanvas::Call& call)
{
    return chart::textBox(call.points[0], estimateTextExtent(call.font, call.text), call.align);
}

TEST_F(ChartFixture, FreeTextStandsWhereItWasPutInItsOwnFont)
{
    // Put on the standard screen at device points inside the chart and, in
    // page view, below it; a point at the same state of air shows where the
    // text belongs on every device and in a magnified window.
    struct Case {
        CanvasPoint put;
        bool onChart;
    };
    const Case cases[] = {{{700, 500}, true}, {{1200, 300}, true}, {{300, 1500}, false}};
    for (const Case& c : cases) {
        idg.RestoreFullChart();
        points.clear();
        texts.clear();
        chart.LayoutChart(device);
        const CanvasPoint place = chart.TextPlaceAt(c.put);
        const int index = addText("说明", 0);
        texts[static_cast<std::size_t>(index)]->m_nPlace[1] = place.x;
        texts[static_cast<std::size_t>(index)]->m_nPlace[3] = place.y;
        texts[static_cast<std::size_t>(index)]->m_font.lfHeight = -20;
        addPointAt("S", c.put.x, c.put.y);

        const auto screen = textCall(draw(), "说明");
        EXPECT_NEAR(screen.points[0].x, c.put.x, 1);
        EXPECT_NEAR(screen.points[0].y, c.put.y, 1);
        EXPECT_EQ(screen.align, text_align::kLeft | text_align::kBottom);
        EXPECT_EQ(screen.font.lfHeight, -20);
        // It is picked where it stands, not in the result column.
        // (30 px right of the point S, beyond its pick distance of 2 mm).
        EXPECT_EQ(chart.PickObject(c.put.x + 30, c.put.y - 10), (PickResult{0, CIDG::kClassText}));

        device.printing = true;
        const auto printed = textCall(draw(), "说明");
        const CanvasPoint point = chart.PointPosition(*points[0]);
        const double f = 39.4 * 210 / 1920; // print scale
        EXPECT_NEAR(printed.points[0].x, point.x, f + 1);
        EXPECT_NEAR(printed.points[0].y, point.y, f + 1);
        EXPECT_EQ(printed.font.lfHeight, static_cast<int>(-20 * f));
        device.printing = false;

        if (c.onChart) {
            // A window magnified round the text keeps it at its state of air.
            draw();
            clip(c.put.x - 200, c.put.y - 150, c.put.x + 200, c.put.y + 150);
            const auto zoomed = textCall(draw(), "说明");
            const CanvasPoint moved = chart.PointPosition(*points[0]);
            EXPECT_NEAR(zoomed.points[0].x, moved.x, 6);
            EXPECT_NEAR(zoomed.points[0].y, moved.y, 6);
        }
    }
}

TEST_F(ChartFixture, LongResultTextsWrapInsideTheColumn)
{
    // 200 CJK characters of 12 px in a column of 1890 − 2 × 30 = 1830 px:
    // 152 (1824 px) on the first line, 48 on the second.
    std::string longText;
    for (int i = 0; i < 200; ++i)
        longText += "热";
    addText(longText);
    addText("送风量：1200m^3/h");
    const RecordingCanvas canvas = draw();
    std::vector<RecordingCanvas::Call> lines;
    for (const auto& call : canvas.callsOf(Op::Text))
        if (call.text.rfind("热", 0) == 0)
            lines.push_back(call);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].text.size(), 152u * 3);
    EXPECT_EQ(lines[1].text.size(), 48u * 3);
    // Lines 1.5 steps apart, the next result two steps below the last line.
    EXPECT_EQ(lines[1].points[0].y - lines[0].points[0].y, 18);
    EXPECT_EQ(textCall(canvas, "送风量：1200m^3/h").points[0].y - lines[1].points[0].y, 24);
    for (const auto& line : lines)
        EXPECT_LE(boxOf(line).right, 1890 - 30);
}

TEST_F(ChartFixture, AxisTitlesClearTheValues)
{
    for (const int height : {12, 24, 36}) {
        idg.m_font1.lfHeight = -height;
        const RecordingCanvas canvas = draw();
        const auto texts = canvas.callsOf(Op::Text);
        for (const char* title : {"t(℃)", "h(kJ/kg)"}) {
            const CanvasRect box = boxOf(textCall(canvas, title));
            EXPECT_LE(box.bottom, layout().m_nTotalHeight) << title << " inside the drawing";
            for (const auto& other : texts) {
                if (other.text == title)
                    continue;
                EXPECT_FALSE(chart::overlaps(box, boxOf(other)))
                    << title << " meets " << other.text << " at font " << height << ": " << box.left << ","
                    << box.top << "," << box.right << "," << box.bottom << " / " << boxOf(other).left << ","
                    << boxOf(other).top << "," << boxOf(other).right << "," << boxOf(other).bottom;
            }
        }
    }
}

TEST_F(ChartFixture, NamesMarkersAndArrowsReadOnPaper)
{
    // On paper a name is at least 2 mm high, a marker 1.5 mm across and an
    // arrow 2.5 mm long: 18, 13.5 and 22.5 pixels at 9 pixels per mm; 78.8,
    // 59.1 and 98.5 units of 0.001 inch when printed. The screen keeps the
    // stored sizes (radius 2, 12-px names, 10-px arrows).
    struct Case {
        bool printing;
        bool paper;
        int leastName;
        int leastMarker;
        double leastArrow;
    };
    const Case cases[] = {
        {false, false, 12, 4, 10.0}, {false, true, 18, 14, 22.5}, {true, true, 79, 60, 98.5}};
    addProcessLine("A-B", addPoint("A", 0.008, 40.0), addPoint("B", 0.012, 55.0));
    idg.m_bShowProcessLineLabels = 1;
    for (const Case& c : cases) {
        device.printing = c.printing;
        device.paper = c.paper;
        const RecordingCanvas canvas = draw();
        for (const char* name : {"A", "B", "A-B"})
            EXPECT_GE(std::abs(textCall(canvas, name).font.lfHeight), c.leastName) << name;
        for (const auto& marker : canvas.callsOf(Op::Ellipse))
            EXPECT_GE(marker.rect.width(), c.leastMarker);
        const auto arrows = canvas.callsOf(Op::Polygon);
        ASSERT_EQ(arrows.size(), 1u);
        const CanvasPoint tip = arrows[0].points[0];
        const CanvasPoint base = arrows[0].points[1];
        // The ends are rounded to whole units.
        EXPECT_GE(std::hypot(tip.x - base.x, tip.y - base.y), c.leastArrow - 1.5);
        if (!c.paper) {
            EXPECT_EQ(textCall(canvas, "A").font.lfHeight, -12);
            EXPECT_EQ(canvas.callsOf(Op::Ellipse)[0].rect.width(), 4);
        }
    }
}

TEST(PrintedPage, TheLineUnderTheKnownParametersStaysInsideTheMargins)
{
    ProjectContents contents;
    ASSERT_TRUE(ReadAnalysedSample(contents));
    CIDG& idg = contents.idg;
    for (const int margin : {0, 10, 25}) {
        idg.m_nMargin = {margin, margin, margin, margin};
        ChartDevice device;
        device.printing = true;
        device.paper = true;
        RecordingCanvas canvas;
        ChartRenderer(idg).DrawChart(canvas, device);
        const auto& calls = canvas.calls();
        const auto freshAir = std::find_if(calls.begin(), calls.end(), [](const auto& call) {
            return call.op == Op::Text && call.text.rfind("新风量：", 0) == 0;
        });
        ASSERT_NE(freshAir, calls.end());
        const auto rule =
            std::find_if(freshAir, calls.end(), [](const auto& call) { return call.op == Op::Line; });
        ASSERT_NE(rule, calls.end());
        // 0.001 inch per unit: 39.4 per mm; the A4 page is 210 mm wide.
        EXPECT_EQ(rule->points[0].x, static_cast<int>(margin * 39.4)) << margin;
        EXPECT_LE(rule->points[1].x, static_cast<int>((210 - margin) * 39.4)) << margin;
        EXPECT_GE(rule->points[1].x, static_cast<int>((210 - margin) * 39.4) - 1) << margin;
    }
}

} // namespace
