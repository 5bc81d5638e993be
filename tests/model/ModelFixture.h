#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ChartFormulas.h"
#include "model/CIDG.h"
#include "project/ProjectFile.h"
#include "support/RecordingMessages.h"

// A chart model bound to one room in summer, with its lists empty, and a
// region from state limits standing in for the chart layer's.
class ModelFixture : public ::testing::Test {
protected:
    RecordingMessages messages;
    CIDG idg;
    StateRegion chart{-30.0f, 60.0f, 0.0f, 0.04f};

    void SetUp() override
    {
        idg.m_rooms.AddSystem("S1");
        idg.m_rooms.AddRoom("S1", "R1");
        idg.m_rooms.SetRoomCondition(0, 0, 1);
        ASSERT_TRUE(idg.PointAtCurrentRoom());
    }

    // An independent point at t °C and RH (fraction), its x and h from the formulas.
    int addPoint(const std::string& name, double t, double rh)
    {
        auto point = std::make_unique<CStatePoint>();
        point->m_strName = name;
        point->m_nKind = CStatePoint::kIndependent;
        point->m_d = static_cast<float>(formulas::moisture(t, rh));
        point->m_h = static_cast<float>(formulas::enthalpy(t, formulas::moisture(t, rh)));
        point->m_bKnownD = point->m_bKnownH = 1;
        EXPECT_TRUE(idg.CalcStatePoint(*point));
        point->m_nId = static_cast<int>(idg.m_pPoints->size());
        idg.m_pPoints->push_back(std::move(point));
        return idg.m_pPoints->back()->m_nId;
    }
    int addLine(const std::string& name, int start, int end)
    {
        return idg.AddProcessLine(name, start, end)->m_nId;
    }
    int addHhrLine(const std::string& name, int base, float ratio)
    {
        auto line = std::make_unique<CReShiBiXian>();
        line->m_strName = name;
        line->m_nPoint1 = base;
        line->m_fRatio = ratio;
        line->m_nId = static_cast<int>(idg.m_pHhrLines->size());
        idg.m_pHhrLines->push_back(std::move(line));
        return idg.m_pHhrLines->back()->m_nId;
    }
    CStatePoint& point(int i) { return *(*idg.m_pPoints)[static_cast<std::size_t>(i)]; }
    std::size_t pointCount() const { return idg.m_pPoints->size(); }
    std::pair<double, double> state(int i) { return {point(i).m_d, point(i).m_h}; }
    // Every saved field of the project, to see that a refused operation changed nothing.
    std::vector<std::uint8_t> saved() const { return ProjectFile::toBytes(idg, "", 0); }
};

// A state (x, h) matches the expected one within the accuracy of the
// library's float results.
#define EXPECT_STATE_NEAR(point, expected)                                                                   \
    do {                                                                                                     \
        EXPECT_NEAR((point).m_d, (expected).first, 2e-6);                                                    \
        EXPECT_NEAR((point).m_h, (expected).second, 5e-3);                                                   \
    } while (0)
