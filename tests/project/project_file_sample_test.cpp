#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "examples/OfficeSample.h"
#include "project/ProjectFile.h"

namespace {

std::string samplePath()
{
    // The source tree is compiled in, so the test runs from any directory.
    return std::string(QORVA_SOURCE_DIR) + "/examples/office.id";
}

TEST(SampleProject, CommittedFileIsWhatTheGeneratorWrites)
{
    std::ifstream in(samplePath(), std::ios::binary);
    ASSERT_TRUE(in) << samplePath();
    const std::vector<std::uint8_t> committed{std::istreambuf_iterator<char>(in), {}};
    CIDG idg;
    office_sample::build(idg);
    EXPECT_EQ(ProjectFile::toBytes(idg, "", 0), committed)
        << "run qorva-make-sample examples/office.id and commit the result";
}

TEST(SampleProject, OpensWithTwoSystemsOfNamedRoomsAndRealisticDesignData)
{
    ASSERT_EQ(ProjectFile::ProbeProjectVersion(samplePath()), 327);
    ProjectContents contents;
    ProjectFile file;
    ASSERT_TRUE(file.read(samplePath(), 327, contents)) << file.errorString();
    const CIDG& idg = contents.idg;
    ASSERT_EQ(idg.m_rooms.m_systems.size(), 2u);
    EXPECT_EQ(idg.m_rooms.m_systems[0]->m_strName, "空调系统1");
    EXPECT_EQ(idg.m_rooms.m_systems[1]->m_strName, "新风系统");
    std::vector<std::string> names;
    for (const auto& system : idg.m_rooms.m_systems)
        for (const auto& room : system->m_rooms) {
            names.push_back(room->m_strName);
            EXPECT_GE(room->m_fSummerLoad, 3.0f);
            EXPECT_LE(room->m_fSummerLoad, 15.0f);
            EXPECT_GE(room->m_fSummerMoistLoad, 0.5f);
            EXPECT_LE(room->m_fSummerMoistLoad, 2.0f);
            EXPECT_GE(room->m_fSummerFreshAir, 200.0f);
            EXPECT_LE(room->m_fSummerFreshAir, 1500.0f);
            EXPECT_EQ(room->m_fSummerInT, 26.0f);
            EXPECT_EQ(room->m_fSummerInRH, 55.0f);
            EXPECT_EQ(room->m_fWinterInT, 20.0f);
            EXPECT_EQ(room->m_fWinterInRH, 40.0f);
        }
    EXPECT_THAT(names, ::testing::IsSupersetOf({"办公室101", "会议室", "大厅"}));

    EXPECT_EQ(idg.m_rooms.m_fSummerOutT, 34.0f);
    EXPECT_EQ(idg.m_rooms.m_fSummerOutTw, 28.2f);
    EXPECT_EQ(idg.m_rooms.m_fWinterOutT, -9.0f);
    EXPECT_EQ(idg.m_rooms.m_fWinterOutRH, 40.0f);
    EXPECT_EQ(idg.m_rooms.m_bWinterOutByRH, 1);
    EXPECT_NEAR(idg.m_rooms.m_fWinterOutTw, -11.1, 0.3); // ice bulb
    EXPECT_EQ(idg.m_fSummerPressure, 100000.0f);
    EXPECT_EQ(idg.m_fWinterPressure, 102000.0f);
    // 34 °C / 28.2 °C wet-bulb holds about 22 g/kg; −9 °C at 40 % about 0.7 g/kg.
    EXPECT_NEAR(idg.m_fSummerAirD, 0.0222, 0.0008);
    EXPECT_NEAR(idg.m_fWinterAirD, 0.0007, 0.0002);
    // ρ = (p − 0.37802·pq)·3.48365 / ((t + 273.15)·1000).
    const double pqSummer = 100000.0 * idg.m_fSummerAirD / (idg.m_fSummerAirD + 0.62198);
    EXPECT_NEAR(idg.m_fSummerDensity, (100000.0 - 0.37802 * pqSummer) * 3.48365 / (307.15 * 1000), 0.0006);
    EXPECT_NEAR(idg.m_fWinterDensity, 1.34, 0.01);
}

} // namespace
