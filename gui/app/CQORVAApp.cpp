#include "gui/app/CQORVAApp.h"

#include <QApplication>
#include <QIcon>
#include <QScreen>

#include "gui/app/CMainFrame.h"
#include "gui/app/CQORVACommandLineInfo.h"
#include "gui/app/QtMessageService.h"
#include "model/FontConversion.h"
#include "project/CQORVADoc.h"
#include "project/Recovery.h"

CQORVAApp::CQORVAApp() = default;

CQORVAApp::~CQORVAApp()
{
    // A normal quit: the user has saved or chosen not to.
    if (m_recovery)
        m_recovery->Discard();
    setMessageService(nullptr);
}

bool CQORVAApp::InitInstance(const QStringList& arguments)
{
    QApplication::setWindowIcon(QIcon(":/qorva.svg"));
    // "The default GUI font" of new chart models is the application's font.
    LogFont::setGuiDefault(logFontFromQFont(QApplication::font()));

    m_messages = std::make_unique<QtMessageService>();
    setMessageService(m_messages.get());
    m_document = std::make_unique<CQORVADoc>();
    m_frame = std::make_unique<CMainFrame>(*m_document);
    m_recovery = std::make_unique<DocumentRecovery>(*m_document);
    m_messages->setParent(m_frame.get());

    CQORVACommandLineInfo info;
    std::vector<std::string> parameters;
    for (qsizetype i = 1; i < arguments.size(); ++i)
        parameters.push_back(arguments[i].toStdString());
    info.ParseCommandLine(parameters);

    if (info.m_nShellCommand == CQORVACommandLineInfo::FileOpen)
        m_frame->OpenProject(QString::fromStdString(info.m_strFileName));
    else
        m_document->OnNewDocument();
    if (!info.m_strParamPath.empty()) {
        if (!m_document->ImportParameterFile(info.m_strParamPath))
            return false;
        m_frame->FillToolbarCombos();
        if (!info.m_strReportPath.empty())
            m_document->SetReportPath(info.m_strReportPath);
    }
    // Without a window manager (a bare X server) maximising does nothing, so
    // size the frame to the screen first.
    if (QScreen* screen = QGuiApplication::primaryScreen())
        m_frame->resize(screen->availableGeometry().size());
    m_frame->showMaximized();
    m_frame->updateCommandStates();
    return true;
}

void CQORVAApp::RecoverAtStart()
{
    RecoverAtStart(*m_frame, *m_recovery);
}

void CQORVAApp::RecoverAtStart(CMainFrame& frame, DocumentRecovery& recovery)
{
    for (RecoveryEntry& entry : recovery.FindEntries()) {
        std::string reason;
        if (!entry.isReadable(reason)) {
            alertMessage(recovery::UnreadableMessage(entry.name(), entry.file, reason), MessageIcon::Stop);
            continue;
        }
        const int choice =
            messages().askChoice(recovery::RecoverQuestion(entry.name(), entry.time), MessageIcon::Question,
                                 std::string(), recovery::RecoverButtons());
        if (choice == recovery::Discard) {
            entry.remove();
        } else if (choice == recovery::Recover && frame.SaveModified() &&
                   recovery.Recover(std::move(entry))) {
            frame.FillToolbarCombos();
            frame.updateCommandStates();
        }
    }
}
