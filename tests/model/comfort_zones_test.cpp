#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ModelFixture.h"

namespace {

using namespace formulas;
using ::testing::ElementsAre;

class ComfortZones : public ModelFixture {
protected:
    int n = -1;
    void SetUp() override
    {
        ModelFixture::SetUp();
        addPoint("W", 34, 0.5);
        n = addPoint("N", 25, 0.5);
    }
    std::vector<std::string> pointNames() const
    {
        std::vector<std::string> names;
        for (const auto& p : *idg.m_pPoints)
            names.push_back(p->m_strName);
        return names;
    }
    std::vector<std::string> lineNames() const
    {
        std::vector<std::string> names;
        for (const auto& l : *idg.m_pProcessLines)
            names.push_back(l->m_strName);
        return names;
    }
};

TEST_F(ComfortZones, AZoneIsFourCornersNamedAfterTheBaseAndFourSides)
{
    ASSERT_EQ(idg.MakeComfortZone(n, 1.0f, 5.0f), 1);
    EXPECT_THAT(pointNames(), ElementsAre("W", "N", "N0", "N1", "N2", "N3"));
    EXPECT_THAT(lineNames(), ElementsAre("SH0", "SH1", "SH2", "SH3"));
    struct Corner {
        double t;
        double rh;
    };
    const Corner corners[] = {{24, 0.45}, {24, 0.55}, {26, 0.45}, {26, 0.55}};
    for (int c = 0; c < 4; ++c) {
        const double x = moisture(corners[c].t, corners[c].rh);
        EXPECT_STATE_NEAR(point(2 + c), (std::pair{x, enthalpy(corners[c].t, x)}));
        EXPECT_EQ(point(2 + c).m_nKind, CStatePoint::kIndependent);
    }
    const auto& lines = *idg.m_pProcessLines;
    const std::pair<int, int> sides[] = {{2, 3}, {2, 4}, {4, 5}, {3, 5}};
    for (int s = 0; s < 4; ++s) {
        EXPECT_EQ(lines[s]->m_nStart, sides[s].first);
        EXPECT_EQ(lines[s]->m_nEnd, sides[s].second);
    }
    const CComfortArea& zone = *idg.m_pComfortAreas->front();
    EXPECT_THAT(zone.m_strCorner, ElementsAre("N0", "N2", "N1", "N3"));
    EXPECT_THAT(zone.m_strEdge, ElementsAre("SH0", "SH1", "SH3", "SH2"));
    EXPECT_EQ(zone.m_strName, "N");
    EXPECT_TRUE(zone.HasCorner("N3"));
    EXPECT_FALSE(zone.HasCorner("N"));
    EXPECT_TRUE(zone.HasEdge("SH2"));
    EXPECT_FALSE(zone.HasEdge("SH4"));
}

TEST_F(ComfortZones, DeletingOneMemberRemovesTheEightObjectsAndTheZone)
{
    addPoint("A", 20, 0.5);
    ASSERT_EQ(idg.MakeComfortZone(n, 1.0f, 5.0f), 1);
    addLine("NA", n, 2);
    ASSERT_EQ(idg.DeleteObject(CIDG::kClassProcessLine, 2), 1);
    EXPECT_THAT(pointNames(), ElementsAre("W", "N", "A"));
    EXPECT_THAT(lineNames(), ElementsAre("NA"));
    EXPECT_EQ((*idg.m_pProcessLines)[0]->m_nId, 0);
    EXPECT_TRUE(idg.m_pComfortAreas->empty());
}

TEST_F(ComfortZones, ASecondZoneOnTheBaseReplacesTheFirstAfterTheQuestion)
{
    ASSERT_EQ(idg.MakeComfortZone(n, 1.0f, 5.0f), 1);
    addPoint("A", 20, 0.5);
    messages.answer = false;
    const auto before = saved();
    EXPECT_EQ(idg.MakeComfortZone(n, 2.0f, 10.0f), 0);
    EXPECT_EQ(saved(), before);

    messages.answer = true;
    ASSERT_EQ(idg.MakeComfortZone(n, 2.0f, 10.0f), 1);
    EXPECT_THAT(pointNames(), ElementsAre("W", "N", "A", "N0", "N1", "N2", "N3"));
    EXPECT_THAT(lineNames(), ElementsAre("SH0", "SH1", "SH2", "SH3"));
    EXPECT_EQ(idg.m_pComfortAreas->size(), 1u);
    EXPECT_NEAR(point(3).m_t, 23.0f, 1e-4);
    EXPECT_NEAR(point(3).m_RH, 0.40f, 1e-5);
    ASSERT_EQ(messages.entries.size(), 2u);
    EXPECT_TRUE(messages.entries[0].question);
    EXPECT_EQ(messages.entries[0].text, "该舒适区已经存在，是否覆盖");
    EXPECT_EQ(messages.entries[0].caption, "舒适区已经存在");
}

TEST_F(ComfortZones, RefusedZonesChangeNothing)
{
    ASSERT_EQ(idg.MakeComfortZone(n, 1.0f, 5.0f), 1);
    point(0).m_RH = 0.97f;
    const auto before = saved();
    EXPECT_EQ(idg.MakeComfortZone(0, 1.0f, 5.0f), 0);
    EXPECT_EQ(idg.MakeComfortZone(n, 1.0f, -1.0f), 0);
    EXPECT_EQ(idg.MakeComfortZone(2, 1.0f, 5.0f), 0);
    EXPECT_EQ(idg.MakeComfortZone(-1, 1.0f, 5.0f), 0);
    EXPECT_EQ(saved(), before);
    addPoint("A", 20, 0.5);
    const auto withA = saved();
    // Corners at −980 °C and 1020 °C have no state.
    EXPECT_EQ(idg.MakeComfortZone(static_cast<int>(idg.m_pPoints->size()) - 1, 1000.0f, 5.0f), 0);
    EXPECT_EQ(saved(), withA);
    EXPECT_THAT(messages.texts(),
                ElementsAre("相对湿度波动超出范围", "相对湿度波动超出范围", "不可以舒适区的四点作为基点",
                            "请选择基本状态点", "计算错误，请检查数据!"));
}

TEST_F(ComfortZones, UniqueNamesReuseFreedNumbersAndTextsAreAppendedAndEdited)
{
    addPoint("N0", 20, 0.5);
    addPoint("N2", 20, 0.5);
    EXPECT_EQ(CIDG::UniqueName(*idg.m_pPoints, "N"), "N1");
    EXPECT_EQ(CIDG::UniqueName(*idg.m_pProcessLines, "SH"), "SH0");

    LogFont font;
    font.lfHeight = 17;
    ASSERT_EQ(idg.AddText("送风", 120, 340, font, 2), 1);
    EXPECT_EQ(idg.AddText("", 1, 1, font, 0), 0);
    const CCommentString& text = *idg.m_pTexts->front();
    EXPECT_EQ(text.m_nId, 0);
    EXPECT_EQ(text.m_nKind, 0);
    EXPECT_EQ(text.m_nPlace[1], 120);
    EXPECT_EQ(text.m_nPlace[3], 340);
    EXPECT_EQ(text.m_font.lfHeight, 17);
    EXPECT_EQ(text.m_nStyle, 2);
    ASSERT_EQ(idg.EditText(0, "回风"), 1);
    EXPECT_EQ(text.m_strText, "回风");
    // A text of nothing or of blanks only is refused, with the reason.
    EXPECT_EQ(idg.EditText(0, "  "), 0);
    EXPECT_EQ(text.m_strText, "回风");
    EXPECT_EQ(idg.m_pTexts->size(), 1u);
    EXPECT_EQ(messages.texts(),
              (std::vector<std::string>{"说明文字为空，请输入文字!", "说明文字为空，请输入文字!"}));
}

} // namespace

namespace {

using qorva::psychro::CodeZone;

class CodeComfortZones : public ComfortZones {
protected:
    std::vector<std::string> texts() const
    {
        std::vector<std::string> result;
        for (const auto& t : *idg.m_pTexts)
            result.push_back(t->m_strText);
        return result;
    }
};

TEST_F(CodeComfortZones, EveryCodeZoneStandsOnItsDesignTableCorners)
{
    // GB 50736-2012, Table 3.0.2; the open humidity ends take the chart's
    // saturation curve and its dry edge.
    const double dry = qorva::psychro::kZoneOpenHumidityLow;
    const struct {
        CodeZone zone;
        double t[4], RH[4];
    } cases[] = {
        {CodeZone::CoolingClass1, {24, 24, 26, 26}, {0.40, 0.60, 0.40, 0.60}},
        {CodeZone::CoolingClass2, {26, 26, 28, 28}, {dry, 0.70, dry, 0.70}},
        {CodeZone::HeatingClass1, {22, 22, 24, 24}, {0.30, 1.0, 0.30, 1.0}},
        {CodeZone::HeatingClass2, {18, 18, 22, 22}, {dry, 1.0, dry, 1.0}},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(idg.MakeComfortZone(n, qorva::psychro::codeZoneCorners(c.zone), "", 0, 0), 1);
        messages.answer = true; // the next zone on N replaces this one
        ASSERT_EQ(idg.m_pPoints->size(), 6u);
        for (int k = 0; k < 4; ++k) {
            const double x = moisture(c.t[k], c.RH[k]);
            EXPECT_STATE_NEAR(point(2 + k), (std::pair{x, enthalpy(c.t[k], x)}));
            EXPECT_NEAR(point(2 + k).m_RH, c.RH[k], 1e-5) << c.t[0] << " corner " << k;
        }
    }
    EXPECT_THAT(pointNames(), ElementsAre("W", "N", "N0", "N1", "N2", "N3"));
}

TEST_F(CodeComfortZones, TheCaptionComesAndGoesWithItsZone)
{
    addPoint("A", 20, 0.5);
    idg.AddText("mine", 5, 5, idg.m_font1, 0);
    const auto corners = qorva::psychro::codeZoneCorners(CodeZone::CoolingClass1);
    ASSERT_EQ(idg.MakeComfortZone(n, corners, "I", 100, 200), 1);
    EXPECT_THAT(texts(), ElementsAre("mine", "I"));
    EXPECT_EQ((*idg.m_pTexts)[1]->m_nPlace[1], 100);
    EXPECT_EQ((*idg.m_pTexts)[1]->m_nPlace[3], 200);
    EXPECT_EQ((*idg.m_pTexts)[1]->m_nKind, 0);
    EXPECT_EQ(idg.m_pComfortAreas->front()->m_strLabel, "I");

    // Replacing the zone replaces its caption; deleting it removes it.
    messages.answer = true;
    ASSERT_EQ(idg.MakeComfortZone(n, corners, "II", 100, 200), 1);
    EXPECT_THAT(texts(), ElementsAre("mine", "II"));
    ASSERT_EQ(idg.DeleteObject(CIDG::kClassPoint, 4), 1);
    EXPECT_THAT(texts(), ElementsAre("mine"));
    EXPECT_THAT(pointNames(), ElementsAre("W", "N", "A"));
}

} // namespace
