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

// The number under caption in row r of the sheet called name.
double number(const std::vector<WorkbookSheet>& sheets, const char* name, std::size_t r,
              const std::string& caption)
{
    for (const WorkbookSheet& sheet : sheets)
        for (std::size_t c = 0; sheet.name == name && c < sheet.header.size(); ++c)
            if (sheet.header[c] == caption && r < sheet.rows.size() && c < sheet.rows[r].size()) {
                EXPECT_EQ(sheet.rows[r][c].kind, WorkbookCell::Kind::Number) << caption;
                return sheet.rows[r][c].number;
            }
    ADD_FAILURE() << name << " has no row " << r << " " << caption;
    return 0;
}

// The one-room project with a point of 25 °C / 50 % in its cooling view and
// one of 20 °C / 40 % in its heating view, the winter air at 90 kPa.
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

// Against values worked out by hand: x = 0.62198·pq/(p − pq) with pq =
// RH·pws(t) (pws(25 °C) = 3169 Pa, pws(20 °C) = 2339 Pa), h = 1.01·t +
// x·(2500 + 1.85·t), ρ = (p − 0.37802·pq)·3.48365/((t + 273.15)·1000);
// kcal/kg = kJ/kg × 0.2388459, kcal/h = kW × 859.8452; in IP psia = Pa /
// 6894.757, gr/lb = g/kg × 7, Btu/lb = (kJ/kg + 17.9556)/2.326, lb/ft³ =
// kg/m³ × 0.06242796, Btu/h = kW × 3412.1416, lb/h = kg/h × 2.2046226.
TEST(Workbook, StatePointsAndLoadsAreNumbersInTheProjectsUnits)
{
    struct Case {
        int units;
        const char* pressure;
        const char* moisture;
        const char* enthalpy;
        const char* density;
        const char* cooling;
        const char* designMoisture;
        const char* moistureLoad;
        double (*p)(double);
        double (*x)(double); // of g/kg
        double (*h)(double); // of kJ/kg
        double (*rho)(double);
        double coolingLoad; // of the 5 kW room
        double load;        // of its 1.2 kg/h
    };
    const auto same = [](double v) { return v; };
    const Case cases[] = {
        {CIDG::kUnitsSI, "大气压力(Pa)", "含湿量(g/kg)", "焓(kJ/kg)", "密度(kg/m^3)", "冷负荷(kW)",
         "夏季室内含湿量(g/kg)", "夏季湿负荷(kg/h)", same, same, same, same, 5.0, 1.2},
        {CIDG::kUnitsEngineering, "大气压力(Pa)", "含湿量(g/kg)", "焓(kcal/kg)", "密度(kg/m^3)",
         "冷负荷(kcal/h)", "夏季室内含湿量(g/kg)", "夏季湿负荷(kg/h)", same, same,
         [](double h) { return h * 0.2388459; }, same, 4299.226, 1.2},
        {CIDG::kUnitsIP, "大气压力(psia)", "含湿量(gr/lb)", "焓(Btu/lb)", "密度(lb/ft³)", "冷负荷(Btu/h)",
         "夏季室内含湿量(gr/lb)", "夏季湿负荷(lb/h)", [](double p) { return p / 6894.757; },
         [](double x) { return x * 7.0; }, [](double h) { return (h + 17.9556) / 2.326; },
         [](double rho) { return rho * 0.06242796; }, 17060.71, 2.645547},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.units);
        CIDG idg;
        fillStatePoints(idg);
        idg.m_nUnitSystem = c.units;
        std::string error;
        const auto sheets = ProjectWorkbookSheets(idg, nullptr, error);
        ASSERT_TRUE(sheets) << error;
        // p, x g/kg, h kJ/kg, ρ of the cooling and the heating point.
        const double expected[2][4] = {{101325, 9.88, 50.41, 1.1769}, {90000, 6.53, 36.77, 1.0653}};
        for (std::size_t r = 0; r < 2; ++r) {
            EXPECT_NEAR(number(*sheets, "状态点", r, c.pressure), c.p(expected[r][0]), 1e-3);
            EXPECT_NEAR(number(*sheets, "状态点", r, c.moisture), c.x(expected[r][1]), c.x(0.03));
            EXPECT_NEAR(number(*sheets, "状态点", r, c.enthalpy), c.h(expected[r][2]), 0.1);
            EXPECT_NEAR(number(*sheets, "状态点", r, c.density), c.rho(expected[r][3]), 1e-3);
        }
        EXPECT_NEAR(number(*sheets, "设计参数", 0, c.cooling), c.coolingLoad, 1e-3 * c.coolingLoad);
        EXPECT_NEAR(number(*sheets, "设计参数", 0, c.designMoisture), c.x(9.88), c.x(0.03));
        EXPECT_NEAR(number(*sheets, "设计参数", 0, c.moistureLoad), c.load, 1e-5);
    }
}

// Excel refuses a sheet name with []:*?/\, an apostrophe at an end, more than
// 31 characters or the name of another sheet in any letter case.
TEST(Workbook, SheetNamesAreOnesExcelTakes)
{
    const std::string long32 = "一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一二";
    const std::string long31 = long32.substr(0, 31 * 3); // three bytes a character
    const std::tuple<std::string, std::vector<std::string>, std::string> cases[] = {
        {"a[b]c:d*e?f/g\\h", {}, "a_b_c_d_e_f_g_h"},
        {"'引号'", {}, "引号"},
        {"", {}, "Sheet"},
        {long32, {}, long31},
        {"Results", {"results"}, "Results (2)"},
        {"Results", {"Results", "Results (2)"}, "Results (3)"},
        {long32, {long31}, long32.substr(0, 27 * 3) + " (2)"},
    };
    for (const auto& [wanted, taken, expected] : cases)
        EXPECT_EQ(SafeSheetName(wanted, taken), expected) << wanted;
}

// The sample's workbook is a zip package with a part per sheet; what Excel
// reads of it is checked by tests/tools/workbook_check.py.
TEST(Workbook, TheSampleIsWrittenAsAnXlsxPackage)
{
    ProjectContents contents;
    ProjectFile file;
    ASSERT_TRUE(file.read(kSample, ProjectFile::ProbeProjectVersion(kSample), contents))
        << file.errorString();
    QTemporaryDir dir;
    std::string error;
    ASSERT_TRUE(ExportWorkbook(contents.idg, nullptr, dir.filePath("office.xlsx").toStdString(), error))
        << error;
    QFile written(dir.filePath("office.xlsx"));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    EXPECT_TRUE(bytes.startsWith("PK\x03\x04"));
    for (const char* part : {"xl/workbook.xml", "xl/worksheets/sheet4.xml", "xl/styles.xml"})
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
    QFile file(earlier);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("yesterday") == 9);
    file.close();
    QDir(dir.path()).mkdir("folder");
    struct Case {
        QString path;
        const char* reason;
        bool wetPoint = false; // a point of 150 %, which no state has
        std::size_t rows = 0;  // of a sheet written on its own
    };
    const Case cases[] = {
        {dir.filePath("missing/out.xlsx"), "No such file or directory"},
        {dir.filePath("folder"), "这是一个文件夹"},
        {earlier, "状态点P的参数无法计算", true},
        {earlier, "1048576", false, 1048576},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reason);
        CIDG idg;
        fillStatePoints(idg);
        auto point = std::make_unique<CStatePoint>();
        point->m_strName = "P";
        point->m_RH = 1.5f;
        if (c.wetPoint)
            idg.m_rooms.m_systems[0]->m_rooms[0]->m_points[kConditionSummer].push_back(std::move(point));
        std::string error;
        const std::vector<WorkbookSheet> longSheet{
            {"long", {"a"}, std::vector<std::vector<WorkbookCell>>(c.rows)}};
        EXPECT_FALSE(c.rows ? WriteWorkbook(longSheet, c.path.toStdString(), error)
                            : ExportWorkbook(idg, nullptr, c.path.toStdString(), error));
        EXPECT_TRUE(error.starts_with("输出文件时出错\n")) << error;
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
        EXPECT_EQ(QDir(dir.path())
                      .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                      .join(' ')
                      .toStdString(),
                  "earlier.xlsx folder");
        EXPECT_TRUE(QDir(dir.filePath("folder")).isEmpty());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), "yesterday");
        file.close();
    }
}

} // namespace
