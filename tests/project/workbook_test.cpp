#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>
#include <string>
#include <vector>

#include "model/CIDG.h"
#include "project/ProjectFile.h"
#include "project/Workbook.h"
#include "support/OneRoomProject.h"

namespace {

const std::string kSample = std::string(QORVA_SOURCE_DIR) + "/examples/office.id";

const WorkbookSheet& sheetNamed(const std::vector<WorkbookSheet>& sheets, const std::string& name)
{
    for (const WorkbookSheet& sheet : sheets)
        if (sheet.name == name)
            return sheet;
    ADD_FAILURE() << "no sheet " << name;
    static const WorkbookSheet none;
    return none;
}

std::size_t column(const WorkbookSheet& sheet, const std::string& caption)
{
    for (std::size_t c = 0; c < sheet.header.size(); ++c)
        if (sheet.header[c] == caption)
            return c;
    ADD_FAILURE() << "no column " << caption << " in " << sheet.name;
    return 0;
}

double number(const WorkbookSheet& sheet, std::size_t row, const std::string& caption)
{
    const WorkbookCell& cell = sheet.rows.at(row).at(column(sheet, caption));
    EXPECT_EQ(cell.kind, WorkbookCell::Kind::Number) << sheet.name << " " << caption;
    return cell.number;
}

// The one-room project with a point N of 25 °C / 50 % drawn in its cooling
// view and one of 20 °C / 40 % in its heating view, the winter air at 90 kPa.
void fillStatePoints(CIDG& idg)
{
    CServiceArea& room = fillOneRoomProject(idg);
    idg.m_fSummerPressure = 101325.0f;
    idg.m_fWinterPressure = 90000.0f;
    for (const auto& [condition, t, rh] :
         {std::tuple{kConditionSummer, 25.0f, 0.5f}, std::tuple{kConditionWinter, 20.0f, 0.4f}}) {
        auto point = std::make_unique<CStatePoint>();
        point->m_strName = "N";
        point->m_t = t;
        point->m_RH = rh;
        room.m_points[std::size_t(condition)].push_back(std::move(point));
    }
}

// The state points and the design loads in both unit systems, against the
// values worked out by hand: x = 0.62198·pq/(p − pq) with pq = RH·pws(t)
// (pws(25 °C) = 3169 Pa, pws(20 °C) = 2339 Pa), h = 1.01·t + x·(2500 +
// 1.85·t), ρ = (p − 0.37802·pq)·3.48365/((t + 273.15)·1000); kcal/kg =
// kJ/kg × 0.2388459, kcal/h = kW × 859.8452.
TEST(Workbook, StatePointsAndLoadsAreNumbersInTheProjectsUnits)
{
    struct Case {
        int units;
        const char* enthalpy;
        const char* cooling;
        double enthalpyScale;
        double coolingLoad; // the 5 kW room
    };
    const Case cases[] = {{CIDG::kUnitsSI, "焓(kJ/kg)", "冷负荷(kW)", 1.0, 5.0},
                          {CIDG::kUnitsEngineering, "焓(kcal/kg)", "冷负荷(kcal/h)", 0.2388459, 4299.226}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.units);
        CIDG idg;
        fillStatePoints(idg);
        idg.m_nUnitSystem = c.units;
        std::string error;
        const auto sheets = ProjectWorkbookSheets(idg, nullptr, error);
        ASSERT_TRUE(sheets) << error;

        const WorkbookSheet& points = sheetNamed(*sheets, "状态点");
        ASSERT_EQ(points.rows.size(), 2u);
        struct Expected {
            const char* condition;
            double p, t, rh, x, h, rho;
        };
        const Expected expected[] = {{"制冷工况", 101325, 25, 50, 9.88, 50.41, 1.1769},
                                     {"制热工况", 90000, 20, 40, 6.53, 36.77, 1.0653}};
        for (std::size_t r = 0; r < 2; ++r) {
            const Expected& e = expected[r];
            EXPECT_EQ(points.rows[r][2].text, e.condition);
            EXPECT_EQ(points.rows[r][3].text, "N");
            EXPECT_DOUBLE_EQ(number(points, r, "大气压力(Pa)"), e.p);
            EXPECT_NEAR(number(points, r, "干球温度(℃)"), e.t, 1e-6);
            EXPECT_NEAR(number(points, r, "相对湿度(%)"), e.rh, 1e-4);
            EXPECT_NEAR(number(points, r, "含湿量(g/kg)"), e.x, 0.03);
            EXPECT_NEAR(number(points, r, c.enthalpy), e.h * c.enthalpyScale, 0.1 * c.enthalpyScale);
            EXPECT_NEAR(number(points, r, "密度(kg/m^3)"), e.rho, 1e-3);
        }

        const WorkbookSheet& design = sheetNamed(*sheets, "设计参数");
        ASSERT_EQ(design.rows.size(), 1u);
        EXPECT_EQ(design.rows[0][0].text, "S1");
        EXPECT_EQ(design.rows[0][1].text, "办公室");
        EXPECT_NEAR(number(design, 0, c.cooling), c.coolingLoad, 1e-3 * c.coolingLoad);
        EXPECT_DOUBLE_EQ(number(design, 0, "夏季室内相对湿度(%)"), 50.0);
        EXPECT_NEAR(number(design, 0, "夏季室内含湿量(g/kg)"), 9.88, 0.03);
        EXPECT_DOUBLE_EQ(number(design, 0, "夏季湿负荷(kg/h)"), 1.2);
    }
}

// Excel refuses a sheet name with []:*?/\, an apostrophe at an end, more than
// 31 characters or the name of another sheet in any letter case.
TEST(Workbook, SheetNamesAreOnesExcelTakes)
{
    const std::string thirtyTwo = "一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一二";
    struct Case {
        std::string wanted;
        std::vector<std::string> taken;
        std::string expected;
    };
    const Case cases[] = {
        {"状态点", {}, "状态点"},
        {"a[b]c:d*e?f/g\\h", {}, "a_b_c_d_e_f_g_h"},
        {"'引号'", {}, "引号"},
        {"", {}, "Sheet"},
        {thirtyTwo, {}, thirtyTwo.substr(0, 31 * 3)},
        {"Results", {"results"}, "Results (2)"},
        {"Results", {"Results", "Results (2)"}, "Results (3)"},
        {thirtyTwo, {thirtyTwo.substr(0, 31 * 3)}, thirtyTwo.substr(0, 27 * 3) + " (2)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SafeSheetName(c.wanted, c.taken), c.expected) << c.wanted;
}

std::unique_ptr<ProjectContents> readSample()
{
    auto contents = std::make_unique<ProjectContents>();
    ProjectFile file;
    EXPECT_TRUE(file.read(kSample, ProjectFile::ProbeProjectVersion(kSample), *contents))
        << file.errorString();
    return contents;
}

// The sample's workbook is a zip package of the workbook and one part per
// sheet, its header rows frozen; what Excel reads of it is checked by
// tests/tools/workbook_check.py.
TEST(Workbook, TheSampleIsWrittenAsAnXlsxPackage)
{
    const auto contents = readSample();
    QTemporaryDir dir;
    const std::string path = dir.filePath("office.xlsx").toStdString();
    std::string error;
    ASSERT_TRUE(ExportWorkbook(contents->idg, nullptr, path, error)) << error;
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("PK\x03\x04"));
    for (const char* part : {"[Content_Types].xml", "xl/workbook.xml", "xl/worksheets/sheet1.xml",
                             "xl/worksheets/sheet2.xml", "xl/styles.xml"})
        EXPECT_TRUE(bytes.contains(part)) << part;
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).join(' ').toStdString(), "office.xlsx");
}

// A workbook that cannot be written is refused with the reason, and the
// folder holds what it held before: the earlier file unchanged and no
// temporary file.
TEST(Workbook, AFailureLeavesTheFolderAsItWas)
{
    QTemporaryDir dir;
    const QString earlier = dir.filePath("earlier.xlsx");
    {
        QFile file(earlier);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("the workbook of yesterday");
    }
    QDir(dir.path()).mkdir("folder");
    struct Case {
        const char* what;
        QString path;
        bool uncomputablePoint;
        const char* reason;
        std::size_t rows = 0; // of a sheet written on its own
    };
    const Case cases[] = {
        {"a folder that does not exist", dir.filePath("missing/out.xlsx"), false,
         "No such file or directory"},
        {"a folder as the target", dir.filePath("folder"), false, "这是一个文件夹"},
        {"a point without a state", earlier, true, "状态点P的参数无法计算"},
        {"more rows than a sheet holds", earlier, false, "1048576", 1048576},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CIDG idg;
        fillStatePoints(idg);
        if (c.uncomputablePoint) {
            // Wetter than saturated: no state has 150 % relative humidity.
            auto point = std::make_unique<CStatePoint>();
            point->m_strName = "P";
            point->m_t = 25.0f;
            point->m_RH = 1.5f;
            idg.m_rooms.m_systems[0]->m_rooms[0]->m_points[kConditionSummer].push_back(std::move(point));
        }
        std::string error;
        if (c.rows) {
            const std::vector<WorkbookSheet> sheets{
                {"long", {"a"}, std::vector<std::vector<WorkbookCell>>(c.rows)}};
            EXPECT_FALSE(WriteWorkbook(sheets, c.path.toStdString(), error));
        } else {
            EXPECT_FALSE(ExportWorkbook(idg, nullptr, c.path.toStdString(), error));
        }
        EXPECT_TRUE(error.starts_with("输出文件时出错\n")) << error;
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
        EXPECT_EQ(QDir(dir.path())
                      .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                      .join(' ')
                      .toStdString(),
                  "earlier.xlsx folder");
        EXPECT_TRUE(QDir(dir.filePath("folder")).isEmpty());
        QFile file(earlier);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), "the workbook of yesterday");
    }
}

} // namespace
