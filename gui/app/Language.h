#pragma once

#include <QStringList>

#include <optional>

#include "translations/Language.h"

class QMenu;
class QWidget;

// Where the chosen language is stored (beside the recent-file list).
inline constexpr const char* kLanguageSettingsKey = "Language";

// Removes "--lang zh|en" or "--lang=zh|en" from the program's arguments and
// returns the language it names. A value other than zh or en is removed too
// and reported in problem; the language then comes from the settings.
std::optional<UiLanguage> takeLanguageArgument(QStringList& arguments, QString* problem = nullptr);

// The language of this run: --lang for this run, else the stored choice,
// else the system locale (Chinese for zh*, English otherwise).
UiLanguage startLanguage(std::optional<UiLanguage> commandLine, std::optional<UiLanguage> stored,
                         const QLocale& system);

// The choice stored by the Language menu; none before the first choice.
std::optional<UiLanguage> storedLanguage();
void storeLanguage(UiLanguage language);

// The 语言 submenu of 设定: 中文 and English, checkable; the checked entry is
// the language of the next start. Choosing one stores it and says that it
// applies at the next start.
QMenu* createLanguageMenu(QWidget* parent);
