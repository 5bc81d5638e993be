#pragma once

#include <QString>

#include <optional>

class QLocale;

// The two interface languages. Chinese is the source language of every text
// (and of every file format); English comes from the qorva_en catalogue
// built into the program.
enum class UiLanguage { Chinese, English };

// "zh" or "en": the value of --lang and of the stored setting.
QString languageCode(UiLanguage language);
// The language of a code "zh" or "en" (any case); none for anything else.
std::optional<UiLanguage> languageFromCode(const QString& code);
// Chinese for every Chinese locale (zh, zh_CN, zh_TW ...), English otherwise.
UiLanguage languageForLocale(const QLocale& locale);

// Installs the program's catalogue and Qt's own one (standard buttons, file
// chooser, print preview) for the language into the running application,
// replacing those installed before. False when the program's catalogue
// cannot be loaded; the interface then stays in Chinese. A missing Qt
// catalogue (the translations package not installed) is not an error.
bool installLanguage(UiLanguage language);
// Removes both catalogues again: the program's texts in their Chinese
// source, Qt's in its English source (as before any installLanguage).
void removeLanguage();
// The language last installed; Chinese when none was.
UiLanguage installedLanguage();
