#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "analysis/Calculations.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandTable.h"
#include "gui/calculation/CDifferenceDlg.h"
#include "gui/calculation/COutputPointDlg.h"
#include "gui/calculation/CParamPointDlg.h"
#include "gui/calculation/CPointCalcDlg.h"
#include "gui/calculation/CPointInfoDlg.h"
#include "gui/chart/CQORVAView.h"
#include "gui/drawing/CComfortZoneDlg.h"
#include "gui/drawing/CEditHhrLineDlg.h"
#include "gui/drawing/CEditIntersectionDlg.h"
#include "gui/drawing/CEditLinePointDlg.h"
#include "gui/drawing/CEditMixPointDlg.h"
#include "gui/drawing/CEditRelatedPointsDlg.h"
#include "gui/drawing/CHhrLineDlg.h"
#include "gui/drawing/CIndependentPointDlg.h"
#include "gui/drawing/CIntersectionDlg.h"
#include "gui/drawing/CLinePointDlg.h"
#include "gui/drawing/CMixPointDlg.h"
#include "gui/drawing/CProcessLineDlg.h"
#include "gui/drawing/CRelatedPointsDlg.h"
#include "gui/drawing/CTextDlg.h"
#include "gui/drawing/ChartBuilder.h"
#include "gui/support/VisibleTexts.h"
#include "gui/widgets/WindowTitle.h"
#include "project/CQORVADoc.h"
#include "project/DocumentEdits.h"
#include "support/RecordingMessages.h"
#include "translations/Language.h"

namespace {

const std::string kSample = std::string(QORVA_SOURCE_DIR) + "/examples/office.id";

// The sample project in an English interface, with one object of every kind
// the edit dialogs take; the catalogue is removed again after each test.
class EnglishDialogs : public ::testing::Test {
protected:
    RecordingMessages messages;
    CQORVADoc document;
    std::unique_ptr<CMainFrame> frame;
    CQORVAView* view = nullptr;
    ChartBuilder* builder = nullptr;

    void SetUp() override
    {
        ASSERT_TRUE(installLanguage(UiLanguage::English));
        ASSERT_TRUE(document.OnOpenDocument(kSample));
        frame = std::make_unique<CMainFrame>(document);
        view = frame->view();
        builder = frame->findChild<ChartBuilder*>("ChartBuilder");
        ASSERT_NE(builder, nullptr);
    }
    void TearDown() override { removeLanguage(); }

    const CIDG& idg() const { return document.model(); }
    int count(const auto* list) const { return list ? static_cast<int>(list->size()) : 0; }

    // Every name the user (or the sample's author) gave an object: these
    // stay as typed in any language.
    QStringList userNames() const
    {
        QStringList names;
        auto add = [&](const auto* list, auto member) {
            for (int i = 0; i < count(list); ++i)
                names << QString::fromStdString((*(*list)[static_cast<std::size_t>(i)]).*member);
        };
        add(idg().m_pPoints, &CStatePoint::m_strName);
        add(idg().m_pProcessLines, &CGuoChengXian::m_strName);
        add(idg().m_pHhrLines, &CReShiBiXian::m_strName);
        add(idg().m_pParamPoints, &CParamPoint::m_strName);
        add(idg().m_pTexts, &CCommentString::m_strText);
        return names;
    }
};

TEST_F(EnglishDialogs, EveryDialogHasNoChinese)
{
    DocumentEdits edits(document);
    const StateRegion full = idg().FullChartStates();
    const auto rh = SecondProperty::RelativeHumidity;
    ASSERT_TRUE(edits.AddIndependentPoint("PA", 20, 0.3f, rh, full));
    ASSERT_TRUE(edits.AddIndependentPoint("PB", 30, 0.7f, rh, full));
    ASSERT_TRUE(edits.AddIndependentPoint("PC", 20, 0.7f, rh, full));
    ASSERT_TRUE(edits.AddIndependentPoint("PD", 30, 0.3f, rh, full));
    const int a = count(idg().m_pPoints) - 4;
    ASSERT_TRUE(document.ChangeCurrentRoom("lines", [a](CIDG& chart) {
        return chart.AddProcessLine("PAB", a, a + 1) && chart.AddProcessLine("PCD", a + 2, a + 3);
    }));
    const int lines = count(idg().m_pProcessLines);
    ASSERT_TRUE(edits.AddHhrLine("E1", a, false, -1, 5000));
    ASSERT_TRUE(edits.AddMixingPoint("M", 0, 1, 40, full));
    const int mixing = count(idg().m_pPoints) - 1;
    ASSERT_TRUE(edits.AddLinePoint(CIDG::kMethodEqualMoisture, 1, CStatePoint::kDryBulb, 35, "Q", full));
    const int linePoint = count(idg().m_pPoints) - 1;
    ASSERT_TRUE(edits.AddIntersection(CIDG::kCrossProcessProcess, lines - 2, lines - 1, "X", full));
    const int crossing = count(idg().m_pPoints) - 1;
    ASSERT_TRUE(edits.AddRelatedPoints(0, 0, 4, 0, 22, "R0", "R1", full));
    const int related = count(idg().m_pPoints) - 2;
    ASSERT_TRUE(edits.AddText("Note", 100, 100));
    ASSERT_TRUE(StatePointParameters(idg(), 1));
    const CParamPoint info = *StatePointParameters(idg(), 1);

    CQORVADoc& d = document;
    CQORVAView& v = *view;
    ChartPicker& p = builder->picker();
    const CGuoChengXian& line = *idg().m_pProcessLines->back();
    const ProcessLineEnd start{line.m_nStart, idg().PointAt(line.m_nStart)->m_strName, {}};
    const ProcessLineEnd end{line.m_nEnd, idg().PointAt(line.m_nEnd)->m_strName, {}};
    using Make = std::function<std::unique_ptr<QWidget>()>;
    std::vector<std::pair<const char*, Make>> dialogs = {
        {"independent",
         [&] { return std::make_unique<CIndependentPointDlg>(d, v, p, *idg().PointAt(1), 1); }},
        {"new independent",
         [&] { return std::make_unique<CIndependentPointDlg>(d, v, p, *idg().PointAt(1), -1); }},
        {"process line", [&] { return std::make_unique<CProcessLineDlg>(d, v, p, start, end, lines - 1); }},
        {"hhr line", [&] { return std::make_unique<CHhrLineDlg>(d, v, p); }},
        {"edit hhr line",
         [&] { return std::make_unique<CEditHhrLineDlg>(d, v, p, count(idg().m_pHhrLines) - 1); }},
        {"mixing", [&] { return std::make_unique<CMixPointDlg>(d, v, p); }},
        {"edit mixing", [&] { return std::make_unique<CEditMixPointDlg>(d, v, p, mixing); }},
        {"related", [&] { return std::make_unique<CRelatedPointsDlg>(d, v, p); }},
        {"edit related", [&] { return std::make_unique<CEditRelatedPointsDlg>(d, v, p, related); }},
        {"edit line point", [&] { return std::make_unique<CEditLinePointDlg>(d, v, p, linePoint); }},
        {"edit crossing", [&] { return std::make_unique<CEditIntersectionDlg>(d, v, p, crossing); }},
        {"comfort zone", [&] { return std::make_unique<CComfortZoneDlg>(d, v, p); }},
        {"text", [&] { return std::make_unique<CTextDlg>(d, v, p, QPoint(), count(idg().m_pTexts) - 1); }},
        {"enthalpy difference", [&] { return std::make_unique<CEnthalpyDiffDlg>(d); }},
        {"moisture difference", [&] { return std::make_unique<CMoistureDiffDlg>(d); }},
        {"parameter points", [&] { return std::make_unique<CParamPointDlg>(d, CParamPointDlg::Form::List); }},
        {"parameter picker",
         [&] { return std::make_unique<CParamPointDlg>(d, CParamPointDlg::Form::Picker); }},
        {"output point", [&] { return std::make_unique<COutputPointDlg>(d); }},
        {"point info", [&] { return std::make_unique<CPointInfoDlg>(info, idg().m_nUnitSystem); }},
    };
    for (int method : {CIDG::kMethodEqualEnthalpy, CIDG::kMethodEqualTemperature, CIDG::kMethodEqualMoisture,
                       CIDG::kMethodProcessLine, CIDG::kMethodHhrLine})
        dialogs.push_back(
            {"line point", [&, method] { return std::make_unique<CLinePointDlg>(d, v, p, method); }});
    for (int type : {CIDG::kCrossProcessProcess, CIDG::kCrossProcessHhr, CIDG::kCrossHhrHhr})
        dialogs.push_back(
            {"crossing", [&, type] { return std::make_unique<CIntersectionDlg>(d, v, p, type); }});
    for (ResultKind kind :
         {ResultKind::AirVolume, ResultKind::Cooling, ResultKind::Heating, ResultKind::Reheat,
          ResultKind::Preheat, ResultKind::Humidification, ResultKind::MixingRatio,
          ResultKind::HeatMoistureRatio, ResultKind::TreatmentEnthalpy})
        dialogs.push_back({"calculation", [&, kind] { return std::make_unique<CPointCalcDlg>(d, kind); }});

    const QStringList names = userNames();
    for (const auto& [what, make] : dialogs) {
        const std::unique_ptr<QWidget> dialog = make();
        EXPECT_FALSE(dialog->windowTitle().isEmpty()) << what;
        const QStringList found = visible_texts::chineseTexts(dialog.get(), names);
        EXPECT_TRUE(found.isEmpty()) << what << ":\n" << found.join('\n').toStdString();
        // Shown, it leaves its title bar room for the whole English title.
        dialog->show();
        EXPECT_GE(dialog->width(), titleWidth(dialog.get()))
            << what << ": " << dialog->windowTitle().toStdString();
        dialog->hide();
    }
    EXPECT_TRUE(messages.entries.empty());
}

// The zone kinds are listed in English, but the code zone's name stored as
// its caption stays the Chinese creation text: a file must not depend on
// the language it was drawn in.
TEST_F(EnglishDialogs, ComfortZoneCaptionIsStoredInChinese)
{
    builder->OnComfortZone();
    auto* kind = builder->dialog()->findChild<QComboBox*>("kind");
    ASSERT_NE(kind, nullptr);
    kind->setCurrentIndex(CComfortZoneDlg::kCoolingClass1);
    EXPECT_EQ(kind->currentText(), "GB 50736 cooling, class I");
    QTest::mouseClick(builder->dialog()->findChild<QPushButton*>("ok"), Qt::LeftButton);
    ASSERT_EQ(count(idg().m_pComfortAreas), 1);
    EXPECT_EQ(idg().m_pComfortAreas->front()->m_strLabel, "GB 50736 供冷 I级");
    EXPECT_EQ(idg().m_pTexts->back()->m_strText, "GB 50736 供冷 I级");
}

// 撤消/重做 wrap the step's name in the interface's words; the messages of
// the dialogs come in English.
TEST_F(EnglishDialogs, UndoCaptionsAndMessagesAreEnglish)
{
    QAction* undo = frame->action(cmd::EditUndo);
    QAction* redo = frame->action(cmd::EditRedo);
    EXPECT_EQ(undo->text(), "&Undo");
    EXPECT_EQ(redo->text(), "&Redo");
    ASSERT_TRUE(DocumentEdits(document).AddText("Note", 100, 100));
    EXPECT_TRUE(undo->text().startsWith("Undo ")) << undo->text().toStdString();
    undo->trigger();
    EXPECT_TRUE(redo->text().startsWith("Redo ")) << redo->text().toStdString();
    EXPECT_EQ(undo->text(), "&Undo");

    CParamPointDlg list(document, CParamPointDlg::Form::List);
    QTest::mouseClick(list.findChild<QPushButton*>("add"), Qt::LeftButton);
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(messages.entries[0].text, "Enter a name for the parameter point!");
}

} // namespace
