#include <gtest/gtest.h>

#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QTemporaryDir>
#include <QTransform>
#include <QXmlStreamReader>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "ChartFixture.h"
#include "analysis/Binding.h"
#include "AnalysedSample.h"
#include "render/ChartExport.h"
#include "chart/ChartForm.h"
#include "chart/LabelPlacement.h"
#include "psychro/Comfort.h"
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

// The places between two neighbouring positions on an outer ring: the two
// boxes averaged (integer halves), nearest the chosen position first. Same
// name and ring as above (upper right {505, 485}, right {505, 495}, lower
// right {505, 505}, below {490, 505}, lower left {475, 505}, left {475, 495},
// above {490, 485}).
TEST(LabelPlacer, RingPlacesBetweenPositionsAverageTheirNeighbours)
{
    const CanvasPoint anchor{500, 500};
    const CanvasSize size{20, 10};
    const int gap = 5;
    struct Case {
        int preferred;
        int turn;
        CanvasRect expected;
    };
    const Case cases[] = {
        {0, 0, {505, 485, 525, 495}},  // the chosen position itself
        {0, 8, {505, 490, 525, 500}},  // upper right and right
        {0, 9, {497, 485, 517, 495}},  // above and upper right
        {0, 10, {505, 500, 525, 510}}, // right and lower right
        {0, 15, {475, 500, 495, 510}}, // lower left and left, the farthest
        {3, 9, {497, 505, 517, 515}},  // lower right and below
    };
    for (const Case& c : cases)
        EXPECT_EQ(chart::ringBox(anchor, c.preferred, c.turn, gap, size), c.expected)
            << "preferred " << c.preferred << " turn " << c.turn;
    // The places a search works out per ring are those boxes, to the unit,
    // also left of and above the origin and for odd sizes and gaps, where
    // halving rounds toward zero.
    for (const CanvasPoint at : {anchor, CanvasPoint{-7, -13}, CanvasPoint{3, -2}})
        for (const CanvasSize text : {size, CanvasSize{13, 7}, CanvasSize{1, 1}})
            for (const int distance : {gap, 0, 9, 33})
                for (int preferred = 0; preferred < chart::kLabelPositions; ++preferred) {
                    const chart::RingPlaces places(at, preferred, distance, text);
                    for (int turn = 0; turn < chart::ringTurns(1); ++turn)
                        ASSERT_EQ(places.place(turn), chart::ringBox(at, preferred, turn, distance, text))
                            << at.x << "," << at.y << " size " << text.width << "×" << text.height << " gap "
                            << distance << " preferred " << preferred << " turn " << turn;
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

// Everything written on the chart half of a recorded drawing, as boxes (in
// the recording's estimated font extents, which the placement measured
// with too), and the markers, arrowheads and leader lines.
struct DrawnView {
    struct Text {
        std::string text;
        CanvasRect box;
        bool name = false;
    };
    std::vector<Text> texts;
    std::vector<CanvasRect> markers;
    std::vector<CanvasRect> arrows;
    struct Leader {
        CanvasPoint start;
        CanvasPoint end;
        std::size_t name; // index into texts
    };
    std::vector<Leader> leaders;
};

CanvasRect boundsOf(const std::vector<CanvasPoint>& points)
{
    CanvasRect r{points[0].x, points[0].y, points[0].x, points[0].y};
    for (const CanvasPoint& p : points)
        r = {std::min(r.left, p.x), std::min(r.top, p.y), std::max(r.right, p.x), std::max(r.bottom, p.y)};
    return r;
}

DrawnView drawnView(const CIDG& idg, const RecordingCanvas& canvas, int chartBottom)
{
    std::set<std::string> names;
    for (const auto& point : *idg.m_pPoints)
        names.insert(point->m_strName);
    for (const auto& line : *idg.m_pProcessLines)
        names.insert(line->m_strName);
    for (const auto& line : *idg.m_pHhrLines)
        names.insert(line->m_strName);
    DrawnView view;
    const auto& calls = canvas.calls();
    for (std::size_t i = 0; i < calls.size(); ++i) {
        const auto& call = calls[i];
        if (call.op == Op::Ellipse)
            view.markers.push_back(call.rect);
        if (call.op == Op::Polygon && call.filled)
            view.arrows.push_back(boundsOf(call.points));
        if (call.op != Op::Text)
            continue;
        const CanvasRect box =
            chart::textBox(call.points[0], estimateTextExtent(call.font, call.text), call.align);
        if (box.top >= chartBottom)
            continue; // the known parameters and the result column
        const bool name = names.count(call.text) && call.align == (text_align::kLeft | text_align::kTop);
        view.texts.push_back({call.text, box, name});
        if (!name)
            continue;
        // A name's leader is the line drawn just before it (or before its
        // halo) that ends on the name's box.
        std::size_t before = i;
        if (before > 0 && calls[before - 1].op == Op::Rectangle)
            --before;
        if (before > 0 && calls[before - 1].op == Op::Line) {
            const CanvasPoint end = calls[before - 1].points[1];
            const bool onBox =
                end.x >= box.left && end.x <= box.right && end.y >= box.top && end.y <= box.bottom &&
                (end.x == box.left || end.x == box.right || end.y == box.top || end.y == box.bottom);
            if (onBox)
                view.leaders.push_back({calls[before - 1].points[0], end, view.texts.size() - 1});
        }
    }
    return view;
}

// No text on another, no name on a marker or an arrowhead, no leader across
// a text or another point's marker.
void expectLegible(const DrawnView& view, const std::string& where)
{
    for (std::size_t i = 0; i < view.texts.size(); ++i) {
        const auto& a = view.texts[i];
        for (std::size_t j = i + 1; j < view.texts.size(); ++j)
            EXPECT_FALSE(intersect(a.box, view.texts[j].box))
                << where << ": '" << a.text << "' and '" << view.texts[j].text << "'";
        if (!a.name)
            continue;
        for (const CanvasRect& marker : view.markers)
            EXPECT_FALSE(intersect(a.box, marker)) << where << ": " << a.text << " on a marker";
        for (const CanvasRect& arrow : view.arrows)
            EXPECT_FALSE(intersect(a.box, arrow)) << where << ": " << a.text << " on an arrowhead";
    }
    for (const auto& leader : view.leaders) {
        for (std::size_t i = 0; i < view.texts.size(); ++i) {
            if (i != leader.name) {
                EXPECT_FALSE(chart::segmentCrossesBox(leader.start, leader.end, view.texts[i].box))
                    << where << ": the leader of " << view.texts[leader.name].text << " across '"
                    << view.texts[i].text << "'";
            }
        }
        // Its own point's marker is where it starts.
        for (const CanvasRect& marker : view.markers) {
            const double fromCentre = std::hypot(leader.start.x - (marker.left + marker.right) / 2.0,
                                                 leader.start.y - (marker.top + marker.bottom) / 2.0);
            if (fromCentre > marker.width()) {
                EXPECT_FALSE(chart::segmentCrossesBox(leader.start, leader.end, marker))
                    << where << ": the leader of " << view.texts[leader.name].text << " across a marker";
            }
        }
    }
}

// A point of the current room given by t (°C) and x (kg/kg), completed.
void addPoint(CIDG& idg, const std::string& name, double x, double h)
{
    auto point = std::make_unique<CStatePoint>();
    point->m_strName = name;
    point->m_nKind = CStatePoint::kIndependent;
    point->m_d = static_cast<float>(x);
    point->m_h = static_cast<float>(h);
    point->m_bKnownD = point->m_bKnownH = 1;
    ASSERT_TRUE(idg.CalcStatePoint(*point));
    point->m_nId = static_cast<int>(idg.m_pPoints->size());
    idg.m_pPoints->push_back(std::move(point));
}

// The window round every point of the current room: 1 K and 0.5 g/kg beyond them.
void zoomIntoTheProcess(CIDG& idg)
{
    double tMin = 1e9, tMax = -1e9, xMin = 1e9, xMax = -1e9;
    for (const auto& point : *idg.m_pPoints) {
        tMin = std::min(tMin, double(point->m_t));
        tMax = std::max(tMax, double(point->m_t));
        xMin = std::min(xMin, double(point->m_d));
        xMax = std::max(xMax, double(point->m_d));
    }
    const auto window =
        chart::windowFor(idg, tMin - 1.0, tMax + 1.0, std::max(0.0, xMin - 0.0005), xMax + 0.0005);
    ASSERT_TRUE(window);
    idg.SetWindow(*window);
    idg.SetWindow(chart::settledWindow(idg));
}

// A comfort zone of the code round the indoor point N with its caption where
// the comfort-zone dialog puts it: 6 pixels right of the fourth corner.
void addCodeZone(CIDG& idg, int base, qorva::psychro::CodeZone code, const std::string& caption)
{
    const auto corners = qorva::psychro::codeZoneCorners(code);
    ChartRenderer standard(idg);
    standard.LayoutChart(chart::standardDevice());
    CStatePoint corner;
    corner.m_t = static_cast<float>(corners[3].t);
    corner.m_RH = static_cast<float>(corners[3].RH);
    corner.m_bKnownT = corner.m_bKnownRH = 1;
    ASSERT_TRUE(idg.CalcStatePoint(corner));
    const CanvasPoint at = standard.PointPosition(corner);
    const CanvasPoint place = standard.TextPlaceAt({at.x + 6, at.y});
    ASSERT_EQ(idg.MakeComfortZone(base, corners, caption, place.x, place.y), 1);
}

// The sample's analysed view with the most objects.
void showTheMostCrowdedView(CIDG& idg)
{
    std::size_t most = 0;
    int best[3] = {0, 0, 0};
    const auto& systems = idg.m_rooms.m_systems;
    for (std::size_t s = 0; s < systems.size(); ++s)
        for (std::size_t r = 0; r < systems[s]->m_rooms.size(); ++r)
            for (int condition = 0; condition < kConditionCount; ++condition) {
                if (!chart::conditionHasObjects(idg, int(s), int(r), condition))
                    continue;
                idg.m_nCurSystem = int(s);
                idg.m_nCurRoom = int(r);
                idg.m_rooms.SetRoomCondition(int(s), int(r), condition);
                ASSERT_TRUE(idg.PointAtCurrentRoom());
                const std::size_t objects =
                    idg.m_pPoints->size() + idg.m_pProcessLines->size() + idg.m_pHhrLines->size();
                if (objects > most) {
                    most = objects;
                    best[0] = int(s);
                    best[1] = int(r);
                    best[2] = condition;
                }
            }
    idg.m_nCurSystem = best[0];
    idg.m_nCurRoom = best[1];
    idg.m_rooms.SetRoomCondition(best[0], best[1], best[2]);
    ASSERT_TRUE(idg.PointAtCurrentRoom());
}

// The crowded real room: the most crowded analysed view with a comfort zone
// round N and ten more points along its process lines, zoomed into the process.
void crowdTheRoom(CIDG& idg)
{
    showTheMostCrowdedView(idg);
    // A zone of ±1 K and ±5 % round N, in the middle of the process.
    ASSERT_EQ(idg.MakeComfortZone(1, 1.0f, 5.0f), 1);
    const auto& lines = *idg.m_pProcessLines;
    ASSERT_FALSE(lines.empty());
    for (int i = 0; i < 10; ++i) {
        const auto& line = *lines[static_cast<std::size_t>(i) % lines.size()];
        const CStatePoint& a = *idg.PointAt(line.m_nStart);
        const CStatePoint& b = *idg.PointAt(line.m_nEnd);
        const double f = (i + 1) / 11.0;
        addPoint(idg, "X" + std::to_string(i + 1), a.m_d + f * (b.m_d - a.m_d) + 0.0002 * ((i % 3) - 1),
                 a.m_h + f * (b.m_h - a.m_h) + ((i % 2) ? 0.5 : -0.5));
    }
    zoomIntoTheProcess(idg);
}

// Views of the sample: each a room and condition, maybe with more objects,
// maybe zoomed, on screen and on paper.
class ChartViews : public ::testing::Test {
protected:
    static void SetUpTestSuite() { SuiteGuiApplication::start(); }
    static void TearDownTestSuite() { SuiteGuiApplication::stop(); }

    struct View {
        std::string what;
        std::function<void(CIDG&)> setUp;
    };

    // Draws a view on the screen and on paper and checks it.
    void expectLegibleView(const View& view)
    {
        ProjectContents contents;
        ASSERT_TRUE(ReadAnalysedSample(contents));
        CIDG& idg = contents.idg;
        view.setUp(idg);
        for (const int units : {CIDG::kUnitsSI, CIDG::kUnitsIP})
            for (const ChartForm* form : {&idChartForm(), &ashraeChartForm()})
                for (const bool paper : {false, true}) {
                    // IP with the specific-volume lines and their values too.
                    ApplyUnitSystem(idg, units);
                    idg.m_volumeLines.m_bShow = units == CIDG::kUnitsIP;
                    ChartDevice device;
                    device.printing = paper;
                    device.paper = paper;
                    device.form = form;
                    RecordingCanvas canvas;
                    ChartRenderer renderer(idg);
                    renderer.DrawChart(canvas, device);
                    const std::string where = view.what + (paper ? " on paper" : "") + " in the " +
                                              form->Name() + " form" +
                                              (units == CIDG::kUnitsIP ? " in IP units" : "");
                    const DrawnView drawn = drawnView(idg, canvas, renderer.layout().m_nTotalHeight);
                    expectLegible(drawn, where);
                    // Every title of the axes stands: the values give way to them.
                    // (The ASHRAE enthalpy scale lies along the saturation curve,
                    // which a magnified window may not show.)
                    const bool ip = units == CIDG::kUnitsIP;
                    std::vector<const char*> titles{ip ? "x(gr/lb)" : "x(g/kg)", ip ? "t(℉)" : "t(℃)"};
                    if (form == &idChartForm())
                        titles.push_back(ip ? "h(Btu/lb)" : "h(kJ/kg)");
                    for (const char* title : titles)
                        EXPECT_TRUE(std::any_of(drawn.texts.begin(), drawn.texts.end(),
                                                [&](const auto& text) { return text.text == title; }))
                            << where << ": " << title;
                    // The same objects give the same picture, also drawn again by
                    // the same renderer (which replays its kept grid).
                    RecordingCanvas again;
                    renderer.DrawChart(again, device);
                    ASSERT_EQ(again.calls().size(), canvas.calls().size()) << where;
                    for (std::size_t i = 0; i < again.calls().size(); ++i)
                        EXPECT_TRUE(chart::sameCall(again.calls()[i], canvas.calls()[i]))
                            << where << ", call " << i;
                }
    }
};

TEST_F(ChartViews, NoTextMeetsAnotherAndNoLeaderCrossesAName)
{
    std::vector<View> views;
    // Every analysed room and condition, whole and zoomed into its process.
    ProjectContents contents;
    ASSERT_TRUE(ReadAnalysedSample(contents));
    const auto& systems = contents.idg.m_rooms.m_systems;
    for (std::size_t s = 0; s < systems.size(); ++s)
        for (std::size_t r = 0; r < systems[s]->m_rooms.size(); ++r)
            for (int condition = 0; condition < kConditionCount; ++condition) {
                if (!chart::conditionHasObjects(contents.idg, int(s), int(r), condition))
                    continue;
                auto show = [s, r, condition](CIDG& idg) {
                    idg.m_nCurSystem = int(s);
                    idg.m_nCurRoom = int(r);
                    idg.m_rooms.SetRoomCondition(int(s), int(r), condition);
                    ASSERT_TRUE(idg.PointAtCurrentRoom());
                };
                const std::string room =
                    systems[s]->m_rooms[r]->m_strName + " condition " + std::to_string(condition);
                views.push_back({room, show});
                // Zoomed in, the process lines' names shown too.
                views.push_back({room + " zoomed", [show](CIDG& idg) {
                                     show(idg);
                                     idg.m_bShowProcessLineLabels = 1;
                                     zoomIntoTheProcess(idg);
                                 }});
            }
    ASSERT_GE(views.size(), 14u);
    views.push_back({"the crowded room", crowdTheRoom});
    // Two captions put on one place: the second moves a line down.
    views.push_back({"two captions on one place", [](CIDG& idg) {
                         showTheMostCrowdedView(idg);
                         addCodeZone(idg, 1, qorva::psychro::CodeZone::CoolingClass1, "GB 50736 供冷 I级");
                         addPoint(idg, "M", idg.PointAt(1)->m_d + 0.0003, idg.PointAt(1)->m_h + 0.5);
                         addCodeZone(idg, static_cast<int>(idg.m_pPoints->size()) - 1,
                                     qorva::psychro::CodeZone::CoolingClass1, "PMV ±0.5 (1.0 met, 0.5 clo)");
                         zoomIntoTheProcess(idg);
                     }});
    // A free text where the indoor point's name would stand.
    views.push_back({"a free text beside N", [](CIDG& idg) {
                         showTheMostCrowdedView(idg);
                         ChartRenderer standard(idg);
                         standard.LayoutChart(chart::standardDevice());
                         const CanvasPoint n = standard.PointPosition(*idg.PointAt(1));
                         const CanvasPoint place = standard.TextPlaceAt({n.x + 3, n.y - 3});
                         ASSERT_EQ(idg.AddText("说明", place.x, place.y, idg.m_font1, 0), 1);
                     }});
    // The grid alone in corners of the chart, its labels in a large font:
    // values meet values and titles there.
    for (const auto& [what, window] : std::vector<std::pair<std::string, std::array<double, 4>>>{
             {"the dry corner", {-10.0, 10.0, 0.0, 3.0}},
             {"the humid corner", {20.0, 45.0, 20.0, 40.0}},
             {"the top edge", {30.0, 60.0, 5.0, 15.0}}})
        views.push_back({what + " in a large font", [window](CIDG& idg) {
                             idg.m_font1.lfHeight = -22;
                             const auto w = chart::windowFor(idg, window[0], window[1], window[2] / 1000.0,
                                                             window[3] / 1000.0);
                             ASSERT_TRUE(w);
                             idg.SetWindow(*w);
                             idg.SetWindow(chart::settledWindow(idg));
                         }});
    for (const View& view : views) {
        SCOPED_TRACE(view.what);
        expectLegibleView(view);
    }
}

// The texts of a view as they stand: a free text where it was put, the second
// of two captions on one place a line below the first.
TEST_F(ChartViews, CaptionsGiveWayToEachOtherAndFreeTextsStay)
{
    ProjectContents contents;
    ASSERT_TRUE(ReadAnalysedSample(contents));
    CIDG& idg = contents.idg;
    showTheMostCrowdedView(idg);
    addCodeZone(idg, 1, qorva::psychro::CodeZone::CoolingClass1, "第一");
    addPoint(idg, "M", idg.PointAt(1)->m_d + 0.0003, idg.PointAt(1)->m_h + 0.5);
    addCodeZone(idg, static_cast<int>(idg.m_pPoints->size()) - 1, qorva::psychro::CodeZone::CoolingClass1,
                "第二");
    ASSERT_EQ(idg.AddText("自由", 700, 400, idg.m_font1, 0), 1);
    RecordingCanvas canvas;
    ChartRenderer renderer(idg);
    renderer.DrawChart(canvas, ChartDevice());
    const auto first = canvas.textsEqual("第一");
    const auto second = canvas.textsEqual("第二");
    const auto free = canvas.textsEqual("自由");
    ASSERT_EQ(first.size(), 1u);
    ASSERT_EQ(second.size(), 1u);
    ASSERT_EQ(free.size(), 1u);
    // Both captions were put on the same place (the same corner of one code
    // zone, 6 px right of it): the first stands there; the second a whole
    // number of its lines higher or lower, on that side of the corner or
    // mirrored to the other (its left edge 6 px left of the corner).
    const auto stored = std::find_if(idg.m_pTexts->begin(), idg.m_pTexts->end(),
                                     [](const auto& text) { return text->m_strText == "第一"; });
    ASSERT_NE(stored, idg.m_pTexts->end());
    const CanvasPoint put = renderer.FreeTextAnchor((*stored)->m_nPlace[1], (*stored)->m_nPlace[3]);
    EXPECT_EQ(first[0].points[0], put);
    const CanvasSize size = estimateTextExtent(second[0].font, "第二");
    const CanvasPoint at = second[0].points[0];
    EXPECT_TRUE((at.x == put.x && at.y != put.y) || at.x == put.x - size.width - 12) << at.x << "," << at.y;
    EXPECT_EQ((at.y - put.y) % size.height, 0) << at.y;
    EXPECT_EQ(free[0].points[0], renderer.FreeTextAnchor(700, 400));
}

// A renderer that keeps what it worked out for its last drawing (the grid,
// the ε lines' ends, the arrows) draws exactly what a new renderer draws,
// after each of a run of edits of the crowded room (points moved by
// 0.3 g/kg and 1 kJ/kg, one after the other, and moved back).
TEST_F(ChartViews, ARedrawAfterAnEditIsTheFreshDrawing)
{
    ProjectContents contents;
    ASSERT_TRUE(ReadAnalysedSample(contents));
    CIDG& idg = contents.idg;
    crowdTheRoom(idg);
    idg.m_bShowProcessLineLabels = 1;
    for (const bool paper : {false, true}) {
        ChartDevice device;
        device.printing = paper;
        device.paper = paper;
        ChartRenderer kept(idg);
        RecordingCanvas first;
        kept.DrawChart(first, device);
        for (std::size_t i = 0; i < idg.m_pPoints->size(); i += 3) {
            CStatePoint& point = *(*idg.m_pPoints)[i];
            for (const float sign : {1.0f, -1.0f}) {
                point.m_d += sign * 0.0003f;
                point.m_h += sign * 1.0f;
                RecordingCanvas again;
                kept.DrawChart(again, device);
                RecordingCanvas fresh;
                ChartRenderer(idg).DrawChart(fresh, device);
                ASSERT_EQ(again.calls().size(), fresh.calls().size())
                    << point.m_strName << (paper ? " on paper" : "");
                for (std::size_t c = 0; c < again.calls().size(); ++c)
                    ASSERT_TRUE(chart::sameCall(again.calls()[c], fresh.calls()[c]))
                        << point.m_strName << (paper ? " on paper" : "") << ", call " << c;
            }
        }
    }
}

TEST_F(ChartViews, TheCrowdedRoomScreenshot)
{
    const QString folder = qEnvironmentVariable("QORVA_SCREENSHOT_DIR");
    if (folder.isEmpty())
        GTEST_SKIP() << "QORVA_SCREENSHOT_DIR not set";
    ProjectContents contents;
    ASSERT_TRUE(ReadAnalysedSample(contents));
    crowdTheRoom(contents.idg);
    chart::ExportOptions options;
    options.format = chart::ExportFormat::Png;
    std::string error;
    ASSERT_TRUE(chart::exportChart(contents.idg, ChartDevice(),
                                   (folder + "/crowded-room-zoomed.png").toStdString(), options, error))
        << error;
}

} // namespace
