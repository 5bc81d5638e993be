#include <gtest/gtest.h>

#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QTemporaryDir>
#include <QTransform>
#include <QXmlStreamReader>

#include <set>
#include <string>
#include <vector>

#include "ChartFixture.h"
#include "analysis/Binding.h"
#include "AnalysedSample.h"
#include "chart/ChartExport.h"
#include "chart/LabelPlacement.h"
#include "project/ProjectFile.h"

#include "support/SuiteGuiApplication.h"

namespace {

using Op = RecordingCanvas::Op;

bool intersect(const CanvasRect& a, const CanvasRect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// One name of 20 × 10 at (500, 500), the first ring 5 px out, user's
// position 0 (upper right). Boxes worked out by hand from the positions:
// upper right starts gap right of and ends gap above the anchor; right is
// centred on the anchor's row; ring n lies n × 5 (half the height) further.
TEST(LabelPlacer, PlacesEachNameByTheRule)
{
    using chart::ObstacleKind;
    const CanvasPoint anchor{500, 500};
    const CanvasSize size{20, 10};
    const int gap = 5;
    const CanvasRect upperRight{505, 485, 525, 495};
    const CanvasRect right{505, 495, 525, 505};
    const CanvasRect lowerLeft{475, 505, 495, 515};
    struct Line {
        CanvasPoint a;
        CanvasPoint b;
        ObstacleKind kind;
    };
    struct Case {
        const char* what;
        std::vector<CanvasRect> boxes;
        std::vector<Line> lines;
        CanvasRect expected;
        bool leader;
        bool halo;
    };
    // A grid line across every place of the first ring: the row 500 and the
    // column 500 with the two diagonals miss none of the eight boxes.
    const std::vector<Line> gridEverywhere{{{400, 500}, {600, 500}, ObstacleKind::GridLine},
                                           {{500, 400}, {500, 600}, ObstacleKind::GridLine},
                                           {{480, 480}, {520, 520}, ObstacleKind::GridLine},
                                           {{520, 480}, {480, 520}, ObstacleKind::GridLine}};
    const Case cases[] = {
        {"free", {}, {}, upperRight, false, false},
        {"chosen place covered: one step round", {upperRight}, {}, right, false, false},
        // Turning back from upper right (0, 1, 7, 2, 6, 3, 5, 4) reaches
        // lower left (4) last.
        {"first ring nearly full",
         {{440, 440, 560, 500}, {500, 440, 560, 560}, {440, 500, 500, 505}},
         {},
         lowerLeft,
         false,
         false},
        // A process line rising through the anchor crosses upper right (and
        // lower left); right only touches it at its corner (505, 495).
        {"object line through the chosen place",
         {},
         {{{450, 550}, {550, 450}, ObstacleKind::ObjectLine}},
         right,
         false,
         false},
        // Iso-lines along rows 490 and 500 cross upper right, right and
        // above (turns 0, 1, 2); lower right (turn 3) is the first clear.
        {"iso-line: a clear place of the first ring first",
         {},
         {{{400, 490}, {600, 490}, ObstacleKind::GridLine}, {{400, 500}, {600, 500}, ObstacleKind::GridLine}},
         {505, 505, 525, 515},
         false,
         false},
        {"iso-lines everywhere: the chosen place on a halo", {}, gridEverywhere, upperRight, false, true},
        // Two bands above row 496 and below row 504 from column 470 to 530
        // cover every place out to ring 4. On ring 5 upper right
        // (530–550 × 460–480) is clear, but its leader to (530, 480) would
        // cross the upper band, a name; right (530–550 × 495–505) is next,
        // its leader along row 500 between the bands.
        {"first ring full: further out, the leader crossing no name",
         {{470, 470, 530, 496}, {470, 504, 530, 530}},
         {},
         {530, 495, 550, 505},
         true,
         false},
    };
    for (const Case& c : cases) {
        chart::LabelPlacer placer({0, 0, 1000, 1000}, 24);
        for (const CanvasRect& box : c.boxes)
            placer.addObstacle(box);
        for (const Line& line : c.lines)
            placer.addLine(line.a, line.b, line.kind);
        const chart::PlacedLabel placed = placer.place({anchor, 0, gap, size, 0});
        EXPECT_TRUE(placed.placed) << c.what;
        EXPECT_EQ(placed.box, c.expected) << c.what;
        EXPECT_EQ(placed.leader, c.leader) << c.what;
        EXPECT_EQ(placed.halo, c.halo) << c.what;
        if (c.leader) { // from the anchor to the box's point nearest it
            EXPECT_EQ(placed.leaderStart, anchor) << c.what;
            EXPECT_EQ(placed.leaderEnd,
                      (CanvasPoint{std::clamp(anchor.x, c.expected.left, c.expected.right),
                                   std::clamp(anchor.y, c.expected.top, c.expected.bottom)}))
                << c.what;
        }
        // The place is taken: the same box is no longer free.
        EXPECT_FALSE(placer.isFree(placed.box)) << c.what;
    }
}

TEST(LabelPlacer, KeepsNamesInsideTheBounds)
{
    // A point in the top-right corner writes its name inward.
    chart::LabelPlacer placer({0, 0, 200, 200}, 16);
    const chart::PlacedLabel placed = placer.place({{195, 5}, 0, 4, {30, 10}});
    EXPECT_GE(placed.box.left, 0);
    EXPECT_LE(placed.box.right, 200);
    EXPECT_GE(placed.box.top, 0);
    EXPECT_LE(placed.box.bottom, 200);
}

// The names drawn, as boxes, and the point markers of a recorded drawing.
struct DrawnNames {
    std::vector<std::pair<std::string, CanvasRect>> names;
    std::vector<CanvasRect> markers;
};

DrawnNames drawnNames(const CIDG& idg, const RecordingCanvas& canvas)
{
    std::set<std::string> known;
    if (idg.m_pPoints)
        for (const auto& point : *idg.m_pPoints)
            known.insert(point->m_strName);
    if (idg.m_pProcessLines)
        for (const auto& line : *idg.m_pProcessLines)
            known.insert(line->m_strName);
    if (idg.m_pHhrLines)
        for (const auto& line : *idg.m_pHhrLines)
            known.insert(line->m_strName);
    DrawnNames drawn;
    for (const auto& call : canvas.calls()) {
        if (call.op == Op::Ellipse)
            drawn.markers.push_back(call.rect);
        if (call.op != Op::Text || !known.count(call.text))
            continue;
        const CanvasSize size = estimateTextExtent(call.font, call.text);
        const CanvasPoint at = call.points[0];
        EXPECT_EQ(call.align, text_align::kLeft | text_align::kTop) << call.text;
        drawn.names.push_back({call.text, {at.x, at.y, at.x + size.width, at.y + size.height}});
    }
    return drawn;
}

void expectApart(const DrawnNames& drawn, const std::string& where)
{
    for (std::size_t i = 0; i < drawn.names.size(); ++i) {
        for (std::size_t j = i + 1; j < drawn.names.size(); ++j)
            EXPECT_FALSE(intersect(drawn.names[i].second, drawn.names[j].second))
                << where << ": " << drawn.names[i].first << " and " << drawn.names[j].first;
        for (const CanvasRect& marker : drawn.markers)
            EXPECT_FALSE(intersect(drawn.names[i].second, marker))
                << where << ": " << drawn.names[i].first << " covers a marker at " << marker.left << ","
                << marker.top;
    }
}

// Twenty points within 2 K and 1 g/kg (24–26 °C, 9.5–10.5 g/kg) joined in
// a chain of process lines, with their names shown.
class CrowdedRoom : public ChartFixture {
protected:
    static void SetUpTestSuite() { SuiteGuiApplication::start(); }
    static void TearDownTestSuite() { SuiteGuiApplication::stop(); }

    void fill()
    {
        for (int i = 0; i < 20; ++i) {
            const double t = 24.0 + 2.0 * ((i * 7) % 20) / 19.0;
            const double x = 0.0095 + 0.001 * ((i * 13) % 20) / 19.0;
            addPoint("P" + std::to_string(i), x, 1.01 * t + x * (2500.0 + 1.84 * t));
        }
        for (int i = 0; i + 1 < 20; i += 2)
            addProcessLine("L" + std::to_string(i), i, i + 1);
        // Constant enthalpy: from the dry edge to saturation, its middle on the chart.
        addHhrLine("ε", 0, 0.0f);
        idg.m_bShowProcessLineLabels = 1;
    }
};

TEST_F(CrowdedRoom, NamesNeverMeetEachOtherOrAMarker)
{
    fill();
    for (int position = 0; position < 8; ++position) {
        idg.m_nLabelPosition = position;
        for (const bool printing : {false, true}) {
            device.printing = printing;
            device.paper = printing;
            const RecordingCanvas canvas = draw();
            const DrawnNames drawn = drawnNames(idg, canvas);
            EXPECT_EQ(drawn.names.size(), 20u + 10u + 1u) << "every name drawn";
            expectApart(drawn, "position " + std::to_string(position) + (printing ? " printed" : " screen"));
            // The same objects on the same device give the same picture.
            EXPECT_EQ(drawnNames(idg, draw()).names, drawn.names);
        }
    }
}

TEST_F(CrowdedRoom, ComfortZoneCornerNamesKeepClearOfTheIndoorPoint)
{
    // The zone of ±0.5 K and ±5 % round N (26 °C, 50 %): its corners N0–N3
    // lie within a few pixels of N on the full chart.
    const int n = addPoint("N", 0.0105, 1.01 * 26.0 + 0.0105 * (2500.0 + 1.84 * 26.0));
    ASSERT_EQ(idg.MakeComfortZone(n, 0.5f, 5.0f), 1);
    for (int position = 0; position < 8; ++position) {
        idg.m_nLabelPosition = position;
        const DrawnNames drawn = drawnNames(idg, draw());
        EXPECT_EQ(drawn.names.size(), 5u);
        expectApart(drawn, "zone, position " + std::to_string(position));
    }
}

TEST_F(CrowdedRoom, SvgExportKeepsTheNamesApart)
{
    fill();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    dir.setAutoRemove(qEnvironmentVariableIsEmpty("KEEP_SVG"));
    const std::string path = dir.filePath("crowded.svg").toStdString();
    std::string error;
    chart::ExportOptions options;
    options.format = chart::ExportFormat::Svg;
    ASSERT_TRUE(chart::exportChart(idg, device, path, options, error)) << error;

    // Texts and ellipses of the file, their boxes worked out with the font
    // metrics of the family and size the file names.
    std::set<QString> known;
    for (const auto& point : points)
        known.insert(QString::fromStdString(point->m_strName));
    for (const auto& line : processLines)
        known.insert(QString::fromStdString(line->m_strName));
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    std::vector<QTransform> transforms{QTransform()};
    std::vector<QFont> fonts{QFont()};
    DrawnNames drawn;
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::EndElement && xml.name() == QLatin1String("g")) {
            transforms.pop_back();
            fonts.pop_back();
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        const auto attributes = xml.attributes();
        if (xml.name() == QLatin1String("g")) {
            QTransform transform = transforms.back();
            const QString matrix = attributes.value("transform").toString();
            if (matrix.startsWith("matrix(")) {
                const QStringList v = matrix.mid(7, matrix.size() - 8).split(',');
                if (v.size() == 6)
                    transform = QTransform(v[0].toDouble(), v[1].toDouble(), v[2].toDouble(), v[3].toDouble(),
                                           v[4].toDouble(), v[5].toDouble());
            }
            QFont font = fonts.back();
            if (attributes.hasAttribute("font-family"))
                font.setFamily(attributes.value("font-family").toString().remove('"'));
            if (attributes.hasAttribute("font-size")) // user units: pixels of the page
                font.setPixelSize(attributes.value("font-size").toInt());
            transforms.push_back(transform);
            fonts.push_back(font);
        } else if (xml.name() == QLatin1String("ellipse") || xml.name() == QLatin1String("circle")) {
            const QPointF centre = transforms.back().map(
                QPointF(attributes.value("cx").toDouble(), attributes.value("cy").toDouble()));
            const bool circle = xml.name() == QLatin1String("circle");
            const double rx = attributes.value(circle ? "r" : "rx").toDouble();
            const double ry = attributes.value(circle ? "r" : "ry").toDouble();
            drawn.markers.push_back({static_cast<int>(centre.x() - rx), static_cast<int>(centre.y() - ry),
                                     static_cast<int>(centre.x() + rx), static_cast<int>(centre.y() + ry)});
        } else if (xml.name() == QLatin1String("text")) {
            const QPointF at = transforms.back().map(
                QPointF(attributes.value("x").toDouble(), attributes.value("y").toDouble()));
            QFont font = fonts.back();
            if (attributes.hasAttribute("font-size"))
                font.setPixelSize(attributes.value("font-size").toInt());
            const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
            if (!known.count(text))
                continue;
            const QFontMetrics metrics(font);
            // Inset by one unit: the boxes of neighbours placed edge to edge touch.
            drawn.names.push_back(
                {text.toStdString(),
                 {static_cast<int>(at.x()) + 1, static_cast<int>(at.y()) - metrics.ascent() + 1,
                  static_cast<int>(at.x()) + metrics.horizontalAdvance(text) - 1,
                  static_cast<int>(at.y()) + metrics.descent() - 1}});
        }
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(drawn.names.size(), 30u);
    EXPECT_EQ(drawn.markers.size(), 20u);
    expectApart(drawn, "svg");
}

// Every analysed room and condition of the sample project.
class SampleRooms : public ::testing::Test {
protected:
    static void SetUpTestSuite() { SuiteGuiApplication::start(); }
    static void TearDownTestSuite() { SuiteGuiApplication::stop(); }

    void SetUp() override { ASSERT_TRUE(ReadAnalysedSample(contents)); }

    ProjectContents contents;
};

TEST_F(SampleRooms, NamesNeverMeetEachOtherOrAMarker)
{
    CIDG& idg = contents.idg;
    idg.m_bShowProcessLineLabels = 1;
    int drawnRooms = 0;
    const auto& systems = idg.m_rooms.m_systems;
    for (std::size_t s = 0; s < systems.size(); ++s)
        for (std::size_t r = 0; r < systems[s]->m_rooms.size(); ++r)
            for (int condition = 0; condition < kConditionCount; ++condition) {
                const int system = static_cast<int>(s);
                const int room = static_cast<int>(r);
                if (!chart::conditionHasObjects(idg, system, room, condition))
                    continue;
                idg.m_nCurSystem = system;
                idg.m_nCurRoom = room;
                idg.m_rooms.SetRoomCondition(system, room, condition);
                ASSERT_TRUE(idg.PointAtCurrentRoom());
                for (const bool printing : {false, true}) {
                    ChartDevice device;
                    device.printing = printing;
                    device.paper = printing;
                    RecordingCanvas canvas;
                    ChartRenderer(idg).DrawChart(canvas, device);
                    const DrawnNames drawn = drawnNames(idg, canvas);
                    EXPECT_FALSE(drawn.names.empty());
                    expectApart(drawn, systems[s]->m_rooms[r]->m_strName + " condition " +
                                           std::to_string(condition) + (printing ? " printed" : ""));
                }
                ++drawnRooms;
            }
    EXPECT_GE(drawnRooms, 7);
}

} // namespace
