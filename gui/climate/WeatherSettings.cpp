#include "gui/climate/WeatherSettings.h"

#include <QFileInfo>
#include <QSettings>

#include "gui/app/UserFolders.h"

namespace {

QString groupOf(const QString& projectPath)
{
    return user_folders::ProjectGroup(QStringLiteral("WeatherYears"), projectPath);
}

QString span(int from, int to)
{
    return QStringLiteral("%1-%2").arg(from).arg(to);
}

} // namespace

std::optional<WeatherChoice> RememberedWeather(const QString& projectPath)
{
    if (projectPath.isEmpty())
        return std::nullopt;
    QSettings store = user_folders::Settings();
    store.beginGroup(groupOf(projectPath));
    WeatherChoice choice;
    choice.file = store.value("file").toString();
    if (choice.file.isEmpty())
        return std::nullopt;
    // A span the settings hold damaged keeps the whole year or day.
    HourFilter months;
    if (!ParseSpan(store.value("months").toString().toStdString(), 1, 12, months.firstMonth,
                   months.lastMonth))
        months = HourFilter{};
    HourFilter hours;
    if (!ParseSpan(store.value("hours").toString().toStdString(), 0, 24, hours.fromHour, hours.toHour))
        hours = HourFilter{};
    choice.filter = {months.firstMonth, months.lastMonth, hours.fromHour, hours.toHour};
    choice.shown = store.value("shown", true).toBool();
    choice.style = store.value("style").toString() == QLatin1String("dots") ? chart::WeatherMapStyle::Dots
                                                                            : chart::WeatherMapStyle::Density;
    return choice;
}

void RememberWeather(const QString& projectPath, const std::optional<WeatherChoice>& choice)
{
    if (projectPath.isEmpty())
        return;
    QSettings store = user_folders::Settings();
    const QString group = groupOf(projectPath);
    if (!choice) {
        store.remove(group);
        return;
    }
    store.beginGroup(group);
    store.setValue("project", QFileInfo(projectPath).absoluteFilePath());
    store.setValue("file", choice->file);
    store.setValue("months", span(choice->filter.firstMonth, choice->filter.lastMonth));
    store.setValue("hours", span(choice->filter.fromHour, choice->filter.toHour));
    store.setValue("shown", choice->shown);
    store.setValue("style", choice->style == chart::WeatherMapStyle::Dots ? "dots" : "density");
}
