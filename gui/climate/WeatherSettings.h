#pragma once

#include <QString>

#include <optional>

#include "render/WeatherMap.h"
#include "climate/WeatherYear.h"

// The weather year chosen for a project, remembered in the per-user settings
// under the project's path (the project file holds none): the file, its
// filter, whether it is shown and how it is drawn.
struct WeatherChoice {
    QString file;
    HourFilter filter;
    bool shown = true;
    chart::WeatherMapStyle style = chart::WeatherMapStyle::Density;
};

// The choice remembered for the project at projectPath; none when there is
// none (or the project was never saved).
std::optional<WeatherChoice> RememberedWeather(const QString& projectPath);
// Remembers the choice for the project, or forgets it when choice is none.
void RememberWeather(const QString& projectPath, const std::optional<WeatherChoice>& choice);
