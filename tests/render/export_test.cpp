#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <iostream>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "analysis/Binding.h"
#include "chart/AnalysedSample.h"
#include "render/ChartRenderer.h"
#include "chart/ChartAttributes.h"
#include "render/ChartExport.h"
#include "model/CIDG.h"
#include "project/ProjectFile.h"

#include "support/SuiteGuiApplication.h"

namespace {

// Reads an enhanced metafile record by record, on its own: nothing of the
// writer is used.
struct EmfRecord {
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    std::size_t offset = 0;
};

constexpr std::uint32_t kHeader = 1, kPolygon = 3, kPolyline = 4, kEof = 14, kSelectObject = 37,
                        kCreatePen = 38, kCreateBrush = 39, kEllipse = 42, kRectangle = 43, kLineTo = 54,
                        kExtCreateFont = 82, kExtTextOutW = 84, kPolygon16 = 86, kPolyline16 = 87;
constexpr std::uint32_t kStockObjectBit = 0x80000000u;

std::uint32_t u32(const QByteArray& data, std::size_t at)
{
    std::uint32_t value = 0;
    std::memcpy(&value, data.constData() + at, 4);
    return value;
}

std::u16string utf16At(const QByteArray& data, std::size_t at, std::size_t count)
{
    std::u16string text(count, u'\0');
    std::memcpy(text.data(), data.constData() + at, count * 2);
    return text;
}

std::string toUtf8(const std::u16string& text)
{
    return QString::fromStdU16String(text).toStdString();
}

class ExportTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { SuiteGuiApplication::start(); }
    static void TearDownTestSuite() { SuiteGuiApplication::stop(); }

    // The sample project, its current room bound in the summer condition.
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(ReadAnalysedSample(contents));
        idg().m_rooms.SetRoomCondition(idg().m_nCurSystem, idg().m_nCurRoom, 1);
        ASSERT_EQ(BindCurrentRoom(idg(), false), 1);
    }

    CIDG& idg() { return contents.idg; }
    // The pressure label of the sample's summer chart.
    std::string pressureLabel()
    {
        return "P=" + std::to_string(static_cast<long>(std::lround(idg().m_fSummerPressure))) + "Pa";
    }
    std::string path(const char* name) const { return dir.filePath(QString::fromLatin1(name)).toStdString(); }

    bool write(const char* name, chart::ExportFormat format, bool pageView = true, int dpi = 0)
    {
        chart::ExportOptions options;
        options.format = format;
        options.pageView = pageView;
        options.dpi = dpi;
        std::string error;
        const bool ok = chart::exportChart(idg(), ChartDevice{}, path(name), options, error);
        EXPECT_TRUE(ok) << error;
        return ok;
    }

    static QString runTool(const QString& program, const QStringList& arguments)
    {
        QProcess process;
        process.start(program, arguments);
        if (!process.waitForFinished(60000) || process.exitCode() != 0)
            return {};
        return QString::fromUtf8(process.readAllStandardOutput());
    }

    QTemporaryDir dir;
    ProjectContents contents;
};

const char* const kAxisTexts[] = {"x(g/kg)", "h(kJ/kg)", "t(℃)", "100%"};

TEST_F(ExportTest, MetafileOfTheSampleIsWellFormedEmf)
{
    ASSERT_TRUE(write("office.emf", chart::ExportFormat::Emf));
    QFile file(QString::fromStdString(path("office.emf")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray data = file.readAll();
    ASSERT_GE(data.size(), 108);

    // Header: type 1, " EMF" signature at 40, total size at 48.
    EXPECT_EQ(u32(data, 0), kHeader);
    EXPECT_EQ(std::memcmp(data.constData() + 40, " EMF", 4), 0);
    EXPECT_EQ(u32(data, 48), static_cast<std::uint32_t>(data.size()));
    // Frame: the whole page, 210 × 297 mm in 0.01 mm.
    EXPECT_EQ(u32(data, 32), 21000u);
    EXPECT_EQ(u32(data, 36), 29700u);

    std::vector<EmfRecord> records;
    std::size_t at = 0;
    while (at + 8 <= static_cast<std::size_t>(data.size())) {
        EmfRecord record{u32(data, at), u32(data, at + 4), at};
        ASSERT_GE(record.size, 8u) << "record at " << at;
        ASSERT_EQ(record.size % 4, 0u);
        records.push_back(record);
        at += record.size;
    }
    EXPECT_EQ(at, static_cast<std::size_t>(data.size())) << "record sizes must sum to the file size";
    EXPECT_EQ(u32(data, 52), records.size()) << "header's record count";

    int eofCount = 0;
    std::set<std::uint32_t> pens, brushes, fonts;
    bool penSelected = false, brushSelected = false, fontSelected = false;
    std::vector<std::string> texts;
    std::set<std::string> faces;
    int lines = 0, polylines = 0, ellipses = 0, textsDrawn = 0;
    for (const EmfRecord& r : records) {
        switch (r.type) {
        case kEof:
            ++eofCount;
            break;
        case kCreatePen:
            pens.insert(u32(data, r.offset + 8));
            break;
        case kCreateBrush:
            brushes.insert(u32(data, r.offset + 8));
            break;
        case kExtCreateFont: {
            fonts.insert(u32(data, r.offset + 8));
            // LOGFONTW after the handle: 28 bytes of numbers, then the face.
            std::u16string face = utf16At(data, r.offset + 12 + 28, 32);
            face = face.substr(0, face.find(u'\0'));
            faces.insert(toUtf8(face));
            break;
        }
        case kSelectObject: {
            const std::uint32_t handle = u32(data, r.offset + 8);
            if (handle & kStockObjectBit)
                break;
            const bool known = pens.count(handle) || brushes.count(handle) || fonts.count(handle);
            EXPECT_TRUE(known) << "object " << handle << " selected before it was created";
            penSelected = penSelected || pens.count(handle);
            brushSelected = brushSelected || brushes.count(handle);
            fontSelected = fontSelected || fonts.count(handle);
            break;
        }
        case kLineTo:
        case kPolyline:
        case kPolyline16:
            EXPECT_TRUE(penSelected) << "line before a pen";
            (r.type == kLineTo ? lines : polylines) += 1;
            break;
        case kEllipse:
        case kPolygon:
        case kPolygon16:
        case kRectangle:
            EXPECT_TRUE(penSelected && brushSelected) << "shape before pen and brush";
            ellipses += r.type == kEllipse;
            break;
        case kExtTextOutW: {
            EXPECT_TRUE(fontSelected) << "text before a font";
            // EMRTEXT at 36: reference point, nChars, offString (from the record's start).
            const std::uint32_t count = u32(data, r.offset + 36 + 8);
            const std::uint32_t offset = u32(data, r.offset + 36 + 12);
            ASSERT_LE(offset + count * 2, r.size);
            // The advance of every character follows the string: readers
            // place characters by it, and Inkscape drops a file without it.
            const std::uint32_t offDx = u32(data, r.offset + 36 + 36);
            EXPECT_GE(offDx, offset + count * 2);
            EXPECT_LE(offDx + count * 4, r.size);
            texts.push_back(toUtf8(utf16At(data, r.offset + offset, count)));
            ++textsDrawn;
            break;
        }
        default:
            break;
        }
    }
    EXPECT_EQ(eofCount, 1);
    EXPECT_EQ(records.back().type, kEof);
    EXPECT_GT(lines, 50);
    EXPECT_GT(polylines, 5);
    EXPECT_GE(ellipses, 2) << "W and N";
    for (const std::string expected : {kAxisTexts[0], kAxisTexts[1], kAxisTexts[2], kAxisTexts[3]})
        EXPECT_NE(std::find(texts.begin(), texts.end(), expected), texts.end()) << expected;
    EXPECT_NE(std::find(texts.begin(), texts.end(), pressureLabel()), texts.end());
    EXPECT_TRUE(faces.count(idg().m_font1.faceName())) << "the label font's face";
    // The header line carries the project name in Chinese.
    const bool header = std::any_of(texts.begin(), texts.end(),
                                    [](const std::string& t) { return t.rfind("工程名称：", 0) == 0; });
    EXPECT_TRUE(header);
}

TEST_F(ExportTest, MetafileOfTheChartViewMeasuresHalfAPageAndKeepsTheWindow)
{
    ASSERT_TRUE(write("full.wmf", chart::ExportFormat::Emf, false));
    ChartRenderer screen(idg());
    screen.LayoutChart(ChartDevice{});
    const auto window = screen.ClipWindow(300, 200, 900, 700);
    ASSERT_TRUE(window);
    idg().SetWindow(*window);
    ASSERT_TRUE(write("clipped.wmf", chart::ExportFormat::Emf, false));
    QFile full(QString::fromStdString(path("full.wmf")));
    QFile clipped(QString::fromStdString(path("clipped.wmf")));
    ASSERT_TRUE(full.open(QIODevice::ReadOnly) && clipped.open(QIODevice::ReadOnly));
    const QByteArray a = full.readAll();
    const QByteArray b = clipped.readAll();
    EXPECT_EQ(u32(a, 36), 14850u);
    EXPECT_NE(a, b) << "the magnified window is what the metafile shows";
}

TEST_F(ExportTest, PdfIsOneA4PageWithTheAxisTitles)
{
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    const QString pdfinfo = QStandardPaths::findExecutable("pdfinfo");
    if (pdftotext.isEmpty() || pdfinfo.isEmpty())
        GTEST_SKIP() << "poppler-utils not installed";
    ASSERT_TRUE(write("office.pdf", chart::ExportFormat::Pdf));
    const QString file = QString::fromStdString(path("office.pdf"));
    const QString info = runTool(pdfinfo, {file});
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains("(A4)")) << info.toStdString();
    const QString text = runTool(pdftotext, {file, "-"});
    for (const char* expected : {"x(g/kg)", "h(kJ/kg)"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
    // The pressure label: poppler does not map the digit glyphs the CJK face
    // shapes inside mixed text back to characters, so its two letter parts
    // are looked for on one line.
    const QString words = runTool(pdftotext, {"-bbox", file, "-"});
    const QRegularExpression word("yMin=\"([0-9.]+)\"[^>]*>(P=|Pa)</word>");
    std::map<QString, QString> rows;
    for (auto match = word.globalMatch(words); match.hasNext();) {
        const auto m = match.next();
        rows[m.captured(2)] = m.captured(1);
    }
    ASSERT_EQ(rows.size(), 2u) << "P= and Pa";
    EXPECT_EQ(rows["P="], rows["Pa"]);
}

TEST_F(ExportTest, SvgHoldsTheSameTexts)
{
    ASSERT_TRUE(write("office.svg", chart::ExportFormat::Svg));
    QFile file(QString::fromStdString(path("office.svg")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QStringList texts;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("text"))
            texts << xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    for (const char* expected : kAxisTexts)
        EXPECT_TRUE(texts.contains(QString::fromUtf8(expected))) << expected;
    EXPECT_TRUE(texts.contains(QString::fromStdString(pressureLabel())));
}

TEST_F(ExportTest, ImagesTakeTheChosenResolutionAndAWhiteMargin)
{
    // The page (9 pixels per mm, 210 × 297 mm, half the height in chart
    // view) inside a border of the page setup's margins, 5 mm at least.
    struct Case {
        int margin; // mm, all four sides
        int dpi;
        bool pageView;
        QSize size;
    };
    const Case cases[] = {
        {10, 0, true, {1890 + 180, 2673 + 180}}, // one pixel per screen pixel
        {10, 0, false, {1890 + 180, 1336 + 180}}, // chart half
        {10, 96, true, {869, 1198}},              // 230 × 317 mm at 96 dpi
        {0, 96, true, {831, 1160}},               // 220 × 307 mm: 5 mm at least
        {10, 300, false, {2717, 1990}},           // 230 × 168.4 mm at 300 dpi
    };
    for (const Case& c : cases) {
        idg().m_nMargin = {c.margin, c.margin, c.margin, c.margin};
        ASSERT_TRUE(write("chart.png", chart::ExportFormat::Png, c.pageView, c.dpi));
        const QImage image(QString::fromStdString(path("chart.png")));
        EXPECT_EQ(image.size(), c.size) << c.dpi;
        if (c.dpi > 0) {
            EXPECT_NEAR(image.dotsPerMeterX() * 0.0254, c.dpi, 0.5);
        }
        // The border is white all round, the page's header stands inside it.
        const int border = image.width() * std::max(c.margin, 5) / (210 + 2 * std::max(c.margin, 5));
        bool white = true;
        for (int x = 0; x < image.width(); ++x)
            for (int y : {0, border - 2, image.height() - 1, image.height() - border + 1})
                white = white && image.pixel(x, y) == qRgb(255, 255, 255);
        for (int y = 0; y < image.height(); ++y)
            for (int x : {0, border - 2, image.width() - 1, image.width() - border + 1})
                white = white && image.pixel(x, y) == qRgb(255, 255, 255);
        EXPECT_TRUE(white) << c.margin << " mm at " << c.dpi;
    }
}

// Inkscape or LibreOffice, when installed, draws the metafile; most of the
// drawn pixels must lie where the PNG export draws them.
TEST_F(ExportTest, MetafileDrawsLikeThePngExport)
{
    const QString inkscape = QStandardPaths::findExecutable("inkscape");
    const QString office = QStandardPaths::findExecutable("soffice");
    if (inkscape.isEmpty() && office.isEmpty())
        GTEST_SKIP() << "neither inkscape nor libreoffice installed";
    ASSERT_TRUE(write("office.emf", chart::ExportFormat::Emf, false));
    ASSERT_TRUE(write("office.png", chart::ExportFormat::Png, false));
    const QString emf = QString::fromStdString(path("office.emf"));
    const QString converted = QString::fromStdString(path("converted.png"));
    if (!inkscape.isEmpty())
        runTool(inkscape, {emf, "--export-type=png", "--export-width=1890", "--export-background=white",
                           "--export-filename=" + converted});
    else
        runTool(office, {"--headless", "--convert-to", "png", "--outdir", dir.path() + "/lo", emf});
    QImage theirs(QFile::exists(converted) ? converted : dir.path() + "/lo/office.png");
    ASSERT_FALSE(theirs.isNull()) << "conversion failed";
    const QImage ours(QString::fromStdString(path("office.png")));
    theirs = theirs.scaled(ours.size()).convertToFormat(QImage::Format_RGB32);
    // Ink is what is clearly darker than the white page; the two renderers
    // differ in antialiasing, line caps, font hinting and the rounding of
    // the metafile's page (Inkscape makes it 1337 pixels high), so an inked
    // pixel counts as matched when the other picture has ink within 2 pixels.
    const auto inked = [](const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 200; };
    const auto matched = [&](const QImage& from, const QImage& to) {
        int drawn = 0, near = 0;
        for (int y = 2; y < from.height() - 2; ++y)
            for (int x = 2; x < from.width() - 2; ++x) {
                if (!inked(from, x, y))
                    continue;
                ++drawn;
                bool found = false;
                for (int dy = -2; dy <= 2 && !found; ++dy)
                    for (int dx = -2; dx <= 2 && !found; ++dx)
                        found = inked(to, x + dx, y + dy);
                near += found;
            }
        EXPECT_GT(drawn, 1000);
        return drawn > 0 ? static_cast<double>(near) / drawn : 0.0;
    };
    // Both ways: our lines and texts are where Inkscape drew, and Inkscape
    // drew nothing of its own (a blackened or shifted picture fails the second).
    const double oursFound = matched(ours, theirs);
    const double theirsFound = matched(theirs, ours);
    std::cout << "metafile against PNG: " << oursFound << " of ours, " << theirsFound << " of theirs\n";
    EXPECT_GT(oursFound, 0.97);
    EXPECT_GT(theirsFound, 0.97);
}

// The project report: one page per room and condition with objects beyond
// W, N and ε, and the selection as it was afterwards.
TEST_F(ExportTest, ReportHasAPagePerRoomConditionWithObjects)
{
    const QString pdfinfo = QStandardPaths::findExecutable("pdfinfo");
    chart::ExportOptions options;
    options.format = chart::ExportFormat::Pdf;
    options.allRooms = true;
    std::string error;
    // The sample without its analyses: only W, N and ε in every view.
    for (const auto& system : idg().m_rooms.m_systems)
        for (const auto& room : system->m_rooms)
            for (int c = 0; c < kConditionCount; ++c) {
                while (room->m_points[c].size() > 2)
                    room->m_points[c].pop_back();
                while (room->m_hhrLines[c].size() > 1)
                    room->m_hhrLines[c].pop_back();
                room->m_processLines[c].clear();
                room->m_texts[c].clear();
            }
    EXPECT_FALSE(chart::exportChart(idg(), ChartDevice{}, path("none.pdf"), options, error))
        << "nothing to report in the bare sample";

    struct Place {
        int system, room, condition;
    };
    const Place places[] = {{0, 1, 1}, {0, 1, 2}, {1, 0, 1}};
    for (const Place& p : places) {
        idg().m_nCurSystem = p.system;
        idg().m_nCurRoom = p.room;
        idg().m_rooms.SetRoomCondition(p.system, p.room, p.condition);
        ASSERT_EQ(BindCurrentRoom(idg(), false), 1);
        ASSERT_NE(idg().AddProcessLine("WN", 0, 1), nullptr);
    }
    idg().m_nCurSystem = 0;
    idg().m_nCurRoom = 0;
    ASSERT_EQ(BindCurrentRoom(idg(), false), 1);
    for (const Place& p : places)
        EXPECT_TRUE(chart::conditionHasObjects(idg(), p.system, p.room, p.condition));
    EXPECT_FALSE(chart::conditionHasObjects(idg(), 0, 0, 1));

    ASSERT_TRUE(chart::exportChart(idg(), ChartDevice{}, path("report.pdf"), options, error)) << error;
    EXPECT_EQ(idg().m_nCurSystem, 0);
    EXPECT_EQ(idg().m_nCurRoom, 0);
    EXPECT_EQ(idg().m_rooms.RoomAt(0, 1)->m_nCondition, 2) << "the room keeps its own condition";
    if (pdfinfo.isEmpty())
        GTEST_SKIP() << "poppler-utils not installed";
    const QString info = runTool(pdfinfo, {QString::fromStdString(path("report.pdf"))});
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+3\\n"))) << info.toStdString();
}

TEST(ExportFormatTest, TypeFollowsTheExtension)
{
    using chart::ExportFormat;
    const std::pair<const char*, std::optional<ExportFormat>> cases[] = {
        {"a.wmf", ExportFormat::Emf},  {"a.EMF", ExportFormat::Emf}, {"b/c.svg", ExportFormat::Svg},
        {"a.pdf", ExportFormat::Pdf},  {"a.png", ExportFormat::Png}, {"a.jpeg", ExportFormat::Jpeg},
        {"a.jpg", ExportFormat::Jpeg}, {"a.bmp", std::nullopt},      {"noext", std::nullopt},
    };
    for (const auto& [name, expected] : cases)
        EXPECT_EQ(chart::formatFromPath(name), expected) << name;
}

TEST(ChartAttributesTest, SpacingsAreReadOnlyWhenPositive)
{
    const std::pair<const char*, bool> cases[] = {
        {"5", true},    {"0.5", true}, {" 2.5 ", true}, {"0", false},   {"-1", false},   {"", false},
        {"abc", false}, {"5x", false}, {"nan", false},  {"inf", false}, {"1e40", false},
    };
    for (const auto& [text, accepted] : cases) {
        float spacing = -7.0f;
        EXPECT_EQ(parseSpacing(text, spacing), accepted) << text;
        if (accepted) {
            EXPECT_GT(spacing, 0.0f) << text;
        }
    }
    // What the box shows reads back to the stored value.
    for (const float stored : {5.0f, 0.5f, 2.25f, 0.1f, 12.0f}) {
        float read = 0;
        ASSERT_TRUE(parseSpacing(formatSpacing(stored), read)) << stored;
        EXPECT_EQ(read, stored);
    }
    EXPECT_EQ(formatSpacing(5.0f), "5");
}

TEST(ChartAttributesTest, ApplyCopiesEverySettingBack)
{
    CIDG source;
    source.m_drawOptions[kFamilyEnthalpy].m_bShow = 0;
    source.m_drawOptions[kFamilyEnthalpy].m_fStep = 2.5f;
    source.m_font1.lfHeight = -20;
    source.m_textColor = rgbColour(1, 2, 3);
    source.m_bShowValues = 0;
    source.m_nPointRadius = 4;
    source.m_nLabelPosition = 5;
    source.m_font2.setFaceName("宋体");
    source.m_nameColor = rgbColour(9, 8, 7);
    source.m_lineColor = rgbColour(4, 5, 6);
    source.m_nLineWidth = 3;
    source.m_nLineStyle = 2;
    source.m_nArrowStyle = 1;
    const ChartAttributes attributes = ChartAttributes::From(source);
    CIDG target;
    attributes.ApplyTo(target);
    EXPECT_EQ(ChartAttributes::From(target), attributes);
    EXPECT_NE(ChartAttributes::From(CIDG()), attributes);

    PageMargins margins{1, 2, 3, 4};
    margins.ApplyTo(target);
    EXPECT_EQ((std::array<std::int32_t, 4>{2, 1, 3, 4}), target.m_nMargin) << "bottom, top, left, right";
    EXPECT_EQ(PageMargins::From(target), margins);
}

} // namespace
