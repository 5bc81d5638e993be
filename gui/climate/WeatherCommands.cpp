#include "gui/climate/WeatherCommands.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>

#include "gui/app/CMainFrame.h"
#include "gui/app/CommandTable.h"
#include "gui/climate/CWeatherFileDlg.h"
#include "gui/climate/CWeatherStatisticsDlg.h"
#include "gui/climate/WeatherSettings.h"
#include "model/Messages.h"
#include "project/CQORVADoc.h"

namespace {

QString askWeatherFile(QWidget* parent)
{
    return QFileDialog::getOpenFileName(
        parent, QCoreApplication::translate("WeatherCommands", "选择气象文件"), QString(),
        QCoreApplication::translate("CWeatherFileDlg", kWeatherFileFilter));
}

std::optional<WeatherChoice> choiceOf(const CQORVADoc& document)
{
    const WeatherYear* year = document.weatherYear();
    if (!year)
        return std::nullopt;
    return WeatherChoice{QString::fromStdString(year->path), document.weatherFilter(),
                         document.weatherShown(), document.weatherMapStyle()};
}

// Follows the document's project: a project that comes (opened, recovered,
// renamed by 另存为) gets the year remembered for its path; a year kept
// across a new name is remembered under it too.
class WeatherMemory : public QObject {
public:
    explicit WeatherMemory(CMainFrame& frame) : QObject(&frame), m_document(frame.document())
    {
        connect(&m_document, &CQORVADoc::changed, this,
                [this](const DocumentEvent& event) { Follow(event); });
    }

private:
    void Follow(const DocumentEvent& event)
    {
        const QString path = QString::fromStdString(m_document.pathName());
        const bool replaced = event.kind == DocumentChange::ProjectReplaced;
        if (!replaced && path == m_project)
            return;
        m_project = path;
        if (!replaced && m_document.weatherYear())
            RememberWeather(path, choiceOf(m_document));
        else
            Restore();
    }

    void Restore()
    {
        const auto choice = RememberedWeather(m_project);
        if (!choice || m_document.weatherYear())
            return;
        std::string error;
        if (!m_document.LoadWeatherFile(choice->file.toStdString(), error)) {
            alertMessage(QCoreApplication::translate("WeatherCommands", "无法读取本工程的气象文件 %1。\n%2")
                             .arg(QFileInfo(choice->file).fileName(), QString::fromStdString(error))
                             .toStdString(),
                         MessageIcon::Exclamation);
            return;
        }
        m_document.SetWeatherFilter(choice->filter);
        m_document.SetWeatherMapStyle(choice->style);
        m_document.SetWeatherShown(choice->shown);
    }

    CQORVADoc& m_document;
    QString m_project;
};

} // namespace

WeatherPrompts WeatherPrompts::standard()
{
    return {askWeatherFile};
}

namespace weather_commands {

bool ChooseWeatherFile(CMainFrame& frame, const WeatherPrompts& prompts)
{
    CQORVADoc& document = frame.document();
    CWeatherFileDlg dialog(document, prompts.chooseWeatherFile, &frame);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    RememberWeather(QString::fromStdString(document.pathName()), choiceOf(document));
    return true;
}

void ToggleWeatherYear(CMainFrame& frame)
{
    CQORVADoc& document = frame.document();
    if (!document.weatherYear())
        return;
    document.SetWeatherShown(!document.weatherShown());
    RememberWeather(QString::fromStdString(document.pathName()), choiceOf(document));
}

void ShowStatistics(CMainFrame& frame)
{
    CWeatherStatisticsDlg dialog(frame.document(), &frame);
    dialog.exec();
}

} // namespace weather_commands

void installWeatherCommands(CMainFrame& frame, const WeatherPrompts& prompts)
{
    CQORVADoc& document = frame.document();
    new WeatherMemory(frame);
    frame.action(cmd::ShowWeatherYear)->setCheckable(true);
    frame.setHandler(cmd::WeatherFile,
                     [&frame, prompts] { weather_commands::ChooseWeatherFile(frame, prompts); });
    frame.setHandler(
        cmd::ShowWeatherYear, [&frame] { weather_commands::ToggleWeatherYear(frame); },
        [&document] { return document.weatherMap() != nullptr; });
    frame.setEnabledWhen(cmd::ShowWeatherYear, [&document] { return document.weatherYear() != nullptr; });
    frame.setHandler(cmd::WeatherStatistics, [&frame] { weather_commands::ShowStatistics(frame); });
    frame.setEnabledWhen(cmd::WeatherStatistics, [&document] { return document.weatherYear() != nullptr; });
}
