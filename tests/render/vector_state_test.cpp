#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <functional>
#include <vector>

#include "render/QPainterCanvas.h"
#include "render/VectorState.h"

namespace {

#if defined(__x86_64__) || defined(__i386__)
// Writes all ones into ymm0, as an AVX routine that ends without vzeroupper
// leaves it; the compiler adds no vzeroupper after inline assembly.
void dirtyUpperHalves()
{
    __asm__ volatile("vpcmpeqd %%ymm0, %%ymm0, %%ymm0" ::: "xmm0");
}
#endif

TEST(VectorState, ClearingEmptiesTheUpperHalves)
{
#if defined(__x86_64__) || defined(__i386__)
    if (!chart::upperVectorStateInUse()) {
        GTEST_SKIP() << "the CPU does not report the state (no AVX or no XGETBV 1)";
    }
    dirtyUpperHalves();
    EXPECT_EQ(chart::upperVectorStateInUse(), true);
    chart::clearUpperVectorState();
    EXPECT_EQ(chart::upperVectorStateInUse(), false);
#else
    chart::clearUpperVectorState();
    EXPECT_FALSE(chart::upperVectorStateInUse().has_value());
#endif
}

TEST(VectorState, EveryCanvasDrawingCallReturnsWithThemEmpty)
{
#if defined(__SANITIZE_ADDRESS__)
    // The sanitizer's own checks run AVX code between a drawing call and
    // the reading of the state, so the state says nothing about our code.
    GTEST_SKIP() << "not measurable under AddressSanitizer";
#endif
    if (!chart::upperVectorStateInUse()) {
        GTEST_SKIP() << "the CPU does not report the state";
    }
    if (!QGuiApplication::instance()) {
        // Text needs a GUI application; it lives to the end of the tests.
        static int argc = 1;
        static char name[] = "chart_tests";
        static char* argv[] = {name, nullptr};
        new QGuiApplication(argc, argv);
    }
    QImage image(64, 64, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QPainterCanvas canvas(painter);
    canvas.setBrush(0x00ff00);
    const std::vector<CanvasPoint> points = {{2, 2}, {60, 10}, {30, 60}};
    const struct {
        const char* call;
        std::function<void()> draw;
    } calls[] = {
        {"drawLine", [&] { canvas.drawLine(0, 0, 63, 40); }},
        {"drawPolyline", [&] { canvas.drawPolyline(points); }},
        {"drawRectangle",
         [&] {
             canvas.drawRectangle({4, 4, 50, 50});
         }},
        {"drawEllipse",
         [&] {
             canvas.drawEllipse({4, 4, 50, 50});
         }},
        {"drawPolygon", [&] { canvas.drawPolygon(points); }},
        {"drawText", [&] { canvas.drawText(5, 5, "ε 15000", 0); }},
    };
    for (const auto& call : calls) {
        call.draw();
        EXPECT_EQ(chart::upperVectorStateInUse(), false) << call.call;
    }
}

} // namespace
