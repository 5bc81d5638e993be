#include "gui/app/Language.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QLocale>
#include <QMenu>
#include <QSettings>

#include "gui/app/UserFolders.h"
#include "model/Messages.h"

namespace {

constexpr const char* kOption = "--lang";

QSettings languageStore()
{
    return user_folders::Settings();
}

} // namespace

std::optional<UiLanguage> takeLanguageArgument(QStringList& arguments, QString* problem)
{
    std::optional<UiLanguage> language;
    const QString option = QString::fromLatin1(kOption);
    const QString withValue = option + '=';
    // The program name is never an option.
    for (qsizetype i = 1; i < arguments.size();) {
        QString value;
        if (arguments[i] == option) {
            if (i + 1 >= arguments.size()) {
                arguments.removeAt(i);
                if (problem)
                    *problem = QStringLiteral("--lang needs a value: zh or en");
                continue;
            }
            value = arguments[i + 1];
            arguments.remove(i, 2);
        } else if (arguments[i].startsWith(withValue)) {
            value = arguments[i].mid(withValue.size());
            arguments.removeAt(i);
        } else {
            ++i;
            continue;
        }
        if (const auto named = languageFromCode(value))
            language = named;
        else if (problem)
            *problem = QStringLiteral("--lang must be zh or en, not '%1'").arg(value);
    }
    return language;
}

UiLanguage startLanguage(std::optional<UiLanguage> commandLine, std::optional<UiLanguage> stored,
                         const QLocale& system)
{
    if (commandLine)
        return *commandLine;
    if (stored)
        return *stored;
    return languageForLocale(system);
}

std::optional<UiLanguage> storedLanguage()
{
    return languageFromCode(languageStore().value(kLanguageSettingsKey).toString());
}

void storeLanguage(UiLanguage language)
{
    QSettings store = languageStore();
    store.setValue(kLanguageSettingsKey, languageCode(language));
    store.sync();
}

QMenu* createLanguageMenu(QWidget* parent)
{
    auto* menu = new QMenu(QCoreApplication::translate("Language", "语言(&L)"), parent);
    menu->setObjectName("languageMenu");
    auto* group = new QActionGroup(menu);
    group->setExclusive(true);
    const UiLanguage next = storedLanguage().value_or(installedLanguage());
    // Each language is named in itself, so that it can be found from either.
    for (const auto& [language, name] : {std::pair{UiLanguage::Chinese, QStringLiteral("中文")},
                                         std::pair{UiLanguage::English, QStringLiteral("English")}}) {
        QAction* action = menu->addAction(name);
        action->setCheckable(true);
        action->setChecked(language == next);
        action->setProperty("language", languageCode(language));
        action->setStatusTip(QCoreApplication::translate("Language", "选择界面语言（下次启动时生效）"));
        group->addAction(action);
        QObject::connect(action, &QAction::triggered, menu, [language] {
            storeLanguage(language);
            alertMessage(
                QCoreApplication::translate("Language", "界面语言将在下次启动时更改。").toStdString(),
                MessageIcon::Information);
        });
    }
    return menu;
}
