#include <gtest/gtest.h>

#include <QFile>
#include <QXmlStreamReader>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "cli/Commands.h"

namespace {

struct Outcome {
    int status;
    std::string err;
};

Outcome runRender(const std::vector<std::string>& args)
{
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const int status = runRenderCommand(args);
    testing::internal::GetCapturedStdout();
    return {status, testing::internal::GetCapturedStderr()};
}

const std::string kSample = std::string(QORVA_SOURCE_DIR) + "/examples/office.id";

// The numbers the SVG's texts show (the grid's values among them).
std::set<std::string> textsOf(const std::string& path)
{
    std::set<std::string> texts;
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return texts;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("text"))
            texts.insert(xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed().toStdString());
    return texts;
}

TEST(RenderCommand, AWindowDrawsThatPartOfTheChart)
{
    const std::string out = ::testing::TempDir() + "qorva_window.svg";
    const Outcome run = runRender({kSample, out, "--window", "15,30,9.3,14.9"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::set<std::string> texts = textsOf(out);
    // The moisture lines of whole g/kg from 9.3 to 14.9: 10 … 14 carry their
    // values along the top; 9 and 15 lie outside the window.
    for (const char* value : {"10", "11", "12", "13", "14"})
        EXPECT_TRUE(texts.count(value)) << value;
    for (const char* value : {"9", "15"})
        EXPECT_FALSE(texts.count(value)) << value;
    // The left edge runs from 15 °C to 30 °C: the isotherms of 20 and 25 °C
    // meet it, 10 and 35 °C do not.
    for (const char* value : {"20", "25"})
        EXPECT_TRUE(texts.count(value)) << value;
    for (const char* value : {"35", "40"})
        EXPECT_FALSE(texts.count(value)) << value;
}

TEST(RenderCommand, AWindowThatIsNoWindowIsRefused)
{
    const std::string out = ::testing::TempDir() + "qorva_window_refused.png";
    const struct {
        const char* window;
        const char* says;
    } cases[] = {
        {"15,30,9.3", "--window must be T0,T1,X0,X1"},
        {"15,30,9.3,14.9,1", "--window must be T0,T1,X0,X1"},
        {"15,30,a,14.9", "--window must be T0,T1,X0,X1"},
        {"30,15,9.3,14.9", "--window needs T0 < T1"},
        {"15,30,14.9,9.3", "--window needs T0 < T1"},
        {"15,30,-1,9.3", "--window needs T0 < T1"},
        // 0.001 g/kg wide: 40 000 times the full chart's 40 g/kg.
        {"15,30,10,10.001", "magnified at most 10000 times"},
    };
    for (const auto& c : cases) {
        const Outcome run = runRender({kSample, out, "--window", c.window});
        EXPECT_EQ(run.status, 2) << c.window;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << c.window << ": " << run.err;
    }
}

// The ASHRAE form of the same window: the moisture values up the right
// edge, the dry-bulb values along the bottom; a weather year over its grid;
// a form of another name is refused.
TEST(RenderCommand, TheAshraeFormDrawsTheSameWindowAndTheWeatherYear)
{
    const std::string out = ::testing::TempDir() + "qorva_ashrae.svg";
    const Outcome run = runRender({kSample, out, "--form", "ashrae", "--window", "15,30,9.3,14.9"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::set<std::string> texts = textsOf(out);
    for (const char* value : {"10", "11", "12", "13", "14", "x(g/kg)", "t(℃)", "20", "25"})
        EXPECT_TRUE(texts.count(value)) << value;
    for (const char* value : {"9", "16", "35"})
        EXPECT_FALSE(texts.count(value)) << value;

    // The weather year over the ASHRAE grid, its caption in the legend.
    const std::string weather =
        std::string(QORVA_SOURCE_DIR) + "/examples/ITA_ER_Bologna-Marconi.AP.161400_TMYx.2004-2018.epw";
    const Outcome withYear = runRender({kSample, out, "--form", "ashrae", "--weather", weather});
    ASSERT_EQ(withYear.status, 0) << withYear.err;
    const std::set<std::string> captioned = textsOf(out);
    EXPECT_TRUE(std::any_of(captioned.begin(), captioned.end(),
                            [](const std::string& text) { return text.rfind("气象年：", 0) == 0; }));

    const Outcome refused = runRender({kSample, out, "--form", "mollier"});
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("--form must be id or ashrae, not 'mollier'"), std::string::npos)
        << refused.err;
}

} // namespace
