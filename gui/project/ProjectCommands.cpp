#include "gui/project/ProjectCommands.h"

#include <QCoreApplication>
#include <QFileDialog>

#include "gui/app/CMainFrame.h"
#include "gui/app/CommandTable.h"
#include "gui/project/CBasicParamsDlg.h"
#include "gui/project/CNewProjectFolderDlg.h"
#include "gui/project/CPorjectNewWizard.h"
#include "gui/project/CPressureDlg.h"
#include "gui/project/CSystemRoomDlg.h"
#include "model/Messages.h"
#include "project/Atmosphere.h"
#include "project/CQORVADoc.h"
#include "project/NewProject.h"
#include "project/SystemRoomEdit.h"

namespace {

// New projects get the extension ".ID" and older ones ".id"; on a file system
// that tells them apart the open dialog must list both.
constexpr const char* kOpenFilter = QT_TRANSLATE_NOOP("ProjectCommands", "QORVA文件(*.id *.ID)");

void openProject(CMainFrame& frame)
{
    const QString path =
        QFileDialog::getOpenFileName(&frame, QCoreApplication::translate("ProjectCommands", "打开工程"),
                                     QString(), QCoreApplication::translate("ProjectCommands", kOpenFilter));
    if (path.isEmpty())
        return;
    if (CQORVADoc::ProbeProjectVersion(path.toStdString()) == 0) {
        alertMessage(QCoreApplication::translate("CQORVADoc", doc_messages::kOldProject).toStdString());
        return;
    }
    if (frame.SaveModified())
        frame.OpenProject(path);
}

} // namespace

namespace project_commands {

bool NewProject(CMainFrame& frame)
{
    if (!frame.SaveModified())
        return false;
    CNewProjectFolderDlg location(QString(), &frame);
    do {
        if (location.exec() != QDialog::Accepted)
            return false;
    } while (!location.isValid());
    CPorjectNewWizard wizard(&frame);
    if (wizard.exec() != QDialog::Accepted)
        return false;
    // The previous project is left alone until both dialogs have finished, so
    // cancelling keeps it with its path.
    CQORVADoc& document = frame.document();
    const NewProjectData data = wizard.TakeResult();
    const std::string path = location.pathName().toStdString();
    document.OnNewDocument();
    document.ApplyNewProject(data, path);
    frame.AddRecentFile(location.pathName());
    frame.FillToolbarCombos();
    document.OnSaveDocument(path);
    return true;
}

bool EditSystemsAndRooms(CMainFrame& frame)
{
    CQORVADoc& document = frame.document();
    const CIDG& idg = document.model();
    // The dialog opens on the system and room the window shows.
    CSystemRoomDlg dialog(idg.m_rooms, idg.m_nUnitSystem, &frame,
                          {idg.m_fSummerPressure, idg.m_fTMinFull, idg.m_fXMaxFull}, idg.m_nCurSystem,
                          idg.m_nCurRoom);
    dialog.setConfirmation([&document](const CAir_Room& edited) {
        return document.AskBeforeDesignChange(CQORVADoc::SystemRoomChange(edited));
    });
    if (dialog.exec() != QDialog::Accepted)
        return false;
    document.ApplySystemRoomData(dialog.TakeResult());
    frame.FillToolbarCombos();
    return true;
}

bool EditAtmosphericPressure(CMainFrame& frame)
{
    CQORVADoc& document = frame.document();
    CPressureDlg dialog(AtmosphericData::FromModel(document.model()), &frame, document.model().m_nUnitSystem);
    // A pressure at which a design state cannot be completed, or lies off the
    // chart, would leave views without W or N: refused.
    // Then, as for the system–room dialog, the question before analyses run
    // again and clear objects the user drew; 否 keeps the dialog open.
    dialog.setCheck([&document](const AtmosphericData& data) {
        const CIDG& idg = document.model();
        return CheckDesignStatesAt(idg.m_rooms, {data.summerPressure, idg.m_fTMinFull, idg.m_fXMaxFull}) &&
               document.AskBeforeDesignChange(CQORVADoc::AtmosphereChange(data));
    });
    if (dialog.exec() != QDialog::Accepted) {
        document.RequestRedraw();
        return false;
    }
    document.SetAtmosphericData(dialog.data());
    return true;
}

} // namespace project_commands

void installProjectCommands(CMainFrame& frame)
{
    CMainFrame* f = &frame;
    frame.setHandler(cmd::FileNew, [f] { project_commands::NewProject(*f); });
    frame.setHandler(cmd::FileOpen, [f] { openProject(*f); });
    frame.setHandler(cmd::SystemRoom, [f] { project_commands::EditSystemsAndRooms(*f); });
    frame.setHandler(cmd::Pressure, [f] { project_commands::EditAtmosphericPressure(*f); });
    frame.setHandler(cmd::BasicParams, [f] {
        CQORVADoc& document = f->document();
        CBasicParamsDlg dialog(f);
        dialog.setProjectName(QString::fromStdString(document.model().m_strProjectName));
        dialog.setUnitSystem(document.model().m_nUnitSystem);
        if (dialog.exec() == QDialog::Accepted)
            document.SetBasicParameters(dialog.projectName().toStdString(), dialog.unitSystem());
        else
            document.RequestRedraw();
    });
}
