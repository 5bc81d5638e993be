#pragma once

#include <QString>

#include <functional>

class CMainFrame;
class QWidget;

// What the weather commands ask the user; tests replace it so nothing
// blocks. An empty path means the user cancelled.
struct WeatherPrompts {
    std::function<QString(QWidget* parent)> chooseWeatherFile;
    static WeatherPrompts standard();
};

// Installs 设定 → 气象文件…, 查看 → 气象年 (a checked toggle) and 查看 →
// 气象年统计, and keeps each project's choice in the settings: a project
// opened (or recovered, or saved under a new name) gets the weather year
// remembered for its path, and every choice made is remembered for it.
void installWeatherCommands(CMainFrame& frame, const WeatherPrompts& prompts = WeatherPrompts::standard());

// The commands' steps, callable without the menu.
namespace weather_commands {
// Opens the 气象文件 dialog; true when its OK changed the choice.
bool ChooseWeatherFile(CMainFrame& frame, const WeatherPrompts& prompts);
void ToggleWeatherYear(CMainFrame& frame);
void ShowStatistics(CMainFrame& frame);
} // namespace weather_commands
