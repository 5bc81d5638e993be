#include "translations/Language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

UiLanguage g_installed = UiLanguage::Chinese;
QTranslator* g_program = nullptr;
QTranslator* g_qt = nullptr;

void removeTranslator(QTranslator*& translator)
{
    if (!translator)
        return;
    QCoreApplication::removeTranslator(translator);
    delete translator;
    translator = nullptr;
}

} // namespace

QString languageCode(UiLanguage language)
{
    return language == UiLanguage::English ? QStringLiteral("en") : QStringLiteral("zh");
}

std::optional<UiLanguage> languageFromCode(const QString& code)
{
    const QString lower = code.trimmed().toLower();
    if (lower == QLatin1String("zh"))
        return UiLanguage::Chinese;
    if (lower == QLatin1String("en"))
        return UiLanguage::English;
    return std::nullopt;
}

UiLanguage languageForLocale(const QLocale& locale)
{
    return locale.language() == QLocale::Chinese ? UiLanguage::Chinese : UiLanguage::English;
}

void removeLanguage()
{
    removeTranslator(g_program);
    removeTranslator(g_qt);
    g_installed = UiLanguage::Chinese;
}

bool installLanguage(UiLanguage language)
{
    removeLanguage();

    // Qt's catalogue for Chinese too: its own texts are English at source.
    auto* qt = new QTranslator;
    const QString qtName =
        language == UiLanguage::English ? QStringLiteral("qtbase_en") : QStringLiteral("qtbase_zh_CN");
    if (qt->load(qtName, QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(qt)) {
        g_qt = qt;
    } else {
        delete qt;
        // Qt's buttons would then read in English in a Chinese interface
        // (English is Qt's source: its catalogue may hold nothing).
        if (language == UiLanguage::Chinese)
            qWarning("Qt's catalogue %s is missing (package qt6-translations-l10n)", qPrintable(qtName));
    }

    if (language == UiLanguage::Chinese)
        return true;
    auto* program = new QTranslator;
    if (!program->load(QStringLiteral(":/i18n/qorva_en.qm")) ||
        !QCoreApplication::installTranslator(program)) {
        delete program;
        removeTranslator(g_qt);
        return false;
    }
    g_program = program;
    g_installed = language;
    return true;
}

UiLanguage installedLanguage()
{
    return g_installed;
}
