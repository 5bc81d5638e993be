#include <gtest/gtest.h>

#include <QFile>
#include <QGuiApplication>
#include <QImage>

#include <limits>
#include <memory>
#include <string>

#include "render/ChartImage.h"
#include "analysis/Binding.h"

#include "support/SuiteGuiApplication.h"

namespace {

// Text needs a GUI application (on the offscreen platform in the tests).
class RenderTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { SuiteGuiApplication::start(); }
    static void TearDownTestSuite() { SuiteGuiApplication::stop(); }

    // One system with one room in the summer condition, bound.
    void SetUp() override
    {
        idg.m_strProjectName = "办公楼";
        idg.m_rooms.m_fSummerOutT = 34.0f;
        idg.m_rooms.m_fSummerOutTw = 28.2f;
        idg.m_rooms.AddSystem("一次回风");
        idg.m_rooms.AddRoom("一次回风", "会议室");
        CServiceArea* room = idg.m_rooms.RoomAt(0, 0);
        ASSERT_NE(room, nullptr);
        room->m_fSummerLoad = 5.0f;
        room->m_fSummerMoistLoad = 1.2f;
        room->m_fSummerFreshAir = 600.0f;
        idg.m_nCurSystem = 0;
        idg.m_nCurRoom = 0;
        idg.m_rooms.SetRoomCondition(0, 0, 1);
        ASSERT_EQ(BindCurrentRoom(idg), 1);
    }

    static int countPixels(const QImage& image, QRgb colour)
    {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF))
                    ++count;
        return count;
    }

    CIDG idg;
    ChartDevice device;
};

TEST_F(RenderTest, PngOfTheChartIsDrawn)
{
    const std::string path = ::testing::TempDir() + "qorva_chart_render.png";
    std::string error;
    ASSERT_TRUE(chart::writeChartFile(idg, device, false, path, error)) << error;
    QImage image(QString::fromStdString(path));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(1890, 1336));
    // Every family leaves its colour: saturation curve navy, RH lines red,
    // wet-bulb lines blue, moisture and enthalpy lines green, the ε line cyan.
    EXPECT_GT(countPixels(image, qRgb(0, 0, 128)), 1000);
    EXPECT_GT(countPixels(image, qRgb(255, 0, 0)), 5000);
    EXPECT_GT(countPixels(image, qRgb(0, 0, 255)), 2000);
    EXPECT_GT(countPixels(image, qRgb(64, 200, 0)), 20000);
    EXPECT_GT(countPixels(image, qRgb(68, 251, 255)), 100);
    // Nothing is drawn in the corner above the header's left end.
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(image.pixel(x, y) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(RenderTest, PageViewShowsTheKnownParametersBelowTheChart)
{
    const QImage chartHalf = chart::renderImage(idg, device, false);
    const QImage page = chart::renderImage(idg, device, true);
    EXPECT_EQ(page.size(), QSize(1890, 2673));
    // The lower half of the page holds the known-parameter block.
    int dark = 0;
    for (int y = chartHalf.height(); y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 128)
                ++dark;
    EXPECT_GT(dark, 500);
}

TEST_F(RenderTest, SvgAndUnwritablePaths)
{
    const std::string path = ::testing::TempDir() + "qorva_chart_render.svg";
    std::string error;
    ASSERT_TRUE(chart::writeChartFile(idg, device, false, path, error)) << error;
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray svg = file.readAll();
    EXPECT_TRUE(svg.contains("<svg"));
    EXPECT_TRUE(svg.contains("#000080")); // the saturation curve
    EXPECT_FALSE(chart::writeChartFile(idg, device, false, "/nonexistent-folder/chart.png", error));
    EXPECT_FALSE(error.empty());
}

TEST_F(RenderTest, AbsurdFontsStillDraw)
{
    idg.m_font1.lfHeight = std::numeric_limits<std::int32_t>::min();
    idg.m_font2.lfHeight = 2000000000;
    const QImage image = chart::renderImage(idg, device, false);
    EXPECT_FALSE(image.isNull());
}

} // namespace
