#include "gui/chart/ViewCommands.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QSettings>
#include <QStatusBar>

#include "chart/ChartForm.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandTable.h"
#include "gui/app/UserFolders.h"
#include "gui/chart/CQORVAView.h"
#include "project/CQORVADoc.h"

namespace {

QString formGroup(const QString& projectPath)
{
    return user_folders::ProjectGroup(QStringLiteral("ChartForms"), projectPath);
}

// The form of the project at projectPath as last chosen; the i-d form when
// none was (or the project was never saved).
const ChartForm& rememberedForm(const QString& projectPath)
{
    if (projectPath.isEmpty())
        return idChartForm();
    const QString name = user_folders::Settings().value(formGroup(projectPath) + "/form").toString();
    const ChartForm* form = chartFormNamed(name.toStdString());
    return form ? *form : idChartForm();
}

void rememberForm(const QString& projectPath, const ChartForm& form)
{
    if (projectPath.isEmpty())
        return;
    QSettings store = user_folders::Settings();
    if (&form == &idChartForm())
        store.remove(formGroup(projectPath));
    else
        store.setValue(formGroup(projectPath) + "/form", QString::fromLatin1(form.Name()));
}

// Follows the document's project: an opened project takes the form
// remembered for it; a renamed one keeps its form under the new name. The
// status bar names the form shown.
class FormMemory : public QObject {
public:
    FormMemory(CMainFrame& frame, QLabel& shown)
        : QObject(&frame), m_document(frame.document()), m_shown(shown)
    {
        connect(&m_document, &CQORVADoc::changed, this,
                [this](const DocumentEvent& event) { Follow(event); });
        Show();
    }

private:
    void Follow(const DocumentEvent& event)
    {
        const QString path = QString::fromStdString(m_document.pathName());
        if (event.kind == DocumentChange::ProjectReplaced)
            m_document.SetChartForm(rememberedForm(path));
        else if (path != m_project)
            rememberForm(path, m_document.chartForm());
        m_project = path;
        Show();
    }
    void Show()
    {
        m_shown.setText(&m_document.chartForm() == &idChartForm()
                            ? QCoreApplication::translate("ViewCommands", "i-d 图")
                            : QCoreApplication::translate("ViewCommands", "ASHRAE 图"));
    }

    CQORVADoc& m_document;
    QLabel& m_shown;
    QString m_project;
};

} // namespace

void installViewCommands(CMainFrame& frame)
{
    CQORVAView* view = frame.view();
    if (!view)
        return;
    // The zoom items carry a tick while their zoom mode is on.
    frame.action(cmd::ZoomIn)->setCheckable(true);
    frame.action(cmd::ZoomOut)->setCheckable(true);
    frame.setHandler(
        cmd::ZoomIn, [view] { view->OnZoomIn(); }, [view] { return view->zoomMode() == CZoomView::kZoomIn; });
    frame.setHandler(
        cmd::ZoomOut, [view] { view->OnZoomOut(); },
        [view] { return view->zoomMode() == CZoomView::kZoomOut; });
    frame.setHandler(cmd::ZoomAll, [view] { view->OnZoomAll(); });
    frame.setHandler(cmd::Clip, [view] { view->OnClip(); });
    frame.setHandler(cmd::Restore, [view] { view->OnRestore(); });
    frame.setHandler(
        cmd::Pick, [view] { view->OnPick(); }, [view] { return view->viewMode() == CQORVAView::kModePick; });
    CQORVADoc& document = frame.document();
    auto* shown = new QLabel(&frame);
    shown->setObjectName("chartFormIndicator");
    shown->setAlignment(Qt::AlignCenter);
    frame.statusBar()->addPermanentWidget(shown);
    new FormMemory(frame, *shown);
    frame.action(cmd::AshraeForm)->setCheckable(true);
    frame.setHandler(
        cmd::AshraeForm,
        [&document] {
            const ChartForm& form =
                &document.chartForm() == &ashraeChartForm() ? idChartForm() : ashraeChartForm();
            document.SetChartForm(form);
            rememberForm(QString::fromStdString(document.pathName()), form);
        },
        [&document] { return &document.chartForm() == &ashraeChartForm(); });
    // Modes also end from the mouse (a right press, a finished zoom): the
    // ticks follow at once.
    QObject::connect(view, &CQORVAView::modeChanged, &frame, [&frame] { frame.updateCommandStates(); });
}
