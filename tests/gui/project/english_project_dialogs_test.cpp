#include <QDialog>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "chart/ChartAttributes.h"
#include "gui/analysis/AnalysisDialogs.h"
#include "gui/app/AboutDialog.h"
#include "gui/chart/CPageSetupDlg.h"
#include "gui/chart/CSetupSheet.h"
#include "gui/project/CBasicParamsDlg.h"
#include "gui/project/CNewProjectFolderDlg.h"
#include "gui/project/CPorjectNewWizard.h"
#include "gui/project/CPressureDlg.h"
#include "gui/project/CSystemRoomDlg.h"
#include "gui/support/VisibleTexts.h"
#include "project/Atmosphere.h"
#include "project/CQORVADoc.h"
#include "support/DocumentTestAccess.h"
#include "support/OneRoomProject.h"
#include "translations/Language.h"

namespace {

// Every dialog of the main window, the chart output, the project and the
// analyses, opened in an English interface on a one-room project: no text
// a user reads is Chinese except the names the user typed (the room 办公室).
TEST(EnglishProjectDialogs, NoChineseButTheUsersNames)
{
    CQORVADoc document;
    CIDG& idg = DocumentTestAccess::model(document);
    fillOneRoomProject(idg);
    document.m_bProjectOpen = true;
    const QStringList userNames = {"办公室"};

    ASSERT_TRUE(installLanguage(UiLanguage::English));
    const struct {
        const char* name;
        std::function<QDialog*()> open;
    } dialogs[] = {
        {"about", [] { return new AboutDialog; }},
        {"basic parameters", [] { return new CBasicParamsDlg; }},
        {"pressure", [&] { return new CPressureDlg(AtmosphericData::FromModel(idg)); }},
        {"systems and rooms", [&] { return new CSystemRoomDlg(idg.m_rooms, idg.m_nUnitSystem); }},
        {"new project folder", [] { return new CNewProjectFolderDlg; }},
        {"new project wizard", [] { return new CPorjectNewWizard; }},
        {"page setup", [&] { return new CPageSetupDlg(PageMargins::From(idg)); }},
        {"object attributes", [&] { return new CSetupSheet(ChartAttributes::From(idg)); }},
        {"primary return air", [&] { return new CPrimaryAnalysisDlg(document); }},
        {"secondary return air", [&] { return new CSecondaryAnalysisDlg(document); }},
        {"fan coil", [&] { return new CFanCoilAnalysisDlg(document); }},
        {"outdoor air", [&] { return new CFreshAirAnalysisDlg(document); }},
    };
    for (const auto& d : dialogs) {
        const std::unique_ptr<QDialog> dialog(d.open());
        const QStringList found = visible_texts::chineseTexts(dialog.get(), userNames);
        EXPECT_TRUE(found.isEmpty()) << d.name << ":\n" << found.join('\n').toStdString();
    }

    // Without the catalogue the Chinese source texts are back.
    removeLanguage();
    EXPECT_EQ(CBasicParamsDlg().windowTitle(), "基本参数输入框");
    EXPECT_EQ(CPrimaryAnalysisDlg(document).windowTitle(), "空调工况分析");
}

} // namespace
