#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>

#include <gtest/gtest.h>

#include "gui/app/CMainFrame.h"
#include "gui/app/CommandTable.h"
#include "gui/app/Language.h"
#include "gui/app/QtMessageService.h"
#include "gui/app/RecentFileList.h"
#include "gui/app/UserFolders.h"
#include "gui/support/VisibleTexts.h"
#include "project/CQORVADoc.h"
#include "project/DocumentEdits.h"
#include "support/RecordingMessages.h"

namespace {

using visible_texts::chineseTexts;
using visible_texts::containsCjk;

constexpr auto zh = UiLanguage::Chinese;
constexpr auto en = UiLanguage::English;

TEST(LanguageChoice, CodesAndLocales)
{
    const struct {
        const char* code;
        std::optional<UiLanguage> language;
    } codes[] = {{"zh", zh},           {"EN", en},        {" en ", en}, {"zh_CN", std::nullopt},
                 {"fr", std::nullopt}, {"", std::nullopt}};
    for (const auto& c : codes)
        EXPECT_EQ(languageFromCode(QString::fromLatin1(c.code)), c.language) << c.code;

    const struct {
        const char* locale;
        UiLanguage language;
    } locales[] = {{"zh_CN", zh}, {"zh_TW", zh}, {"zh_HK", zh}, {"en_US", en}, {"de_DE", en}, {"C", en}};
    for (const auto& c : locales)
        EXPECT_EQ(languageForLocale(QLocale(QString::fromLatin1(c.locale))), c.language) << c.locale;
}

// --lang for one run beats the stored choice, which beats the system locale.
TEST(LanguageChoice, StartLanguagePrecedence)
{
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const struct {
        std::optional<UiLanguage> commandLine, stored;
        QLocale system;
        UiLanguage expected;
    } cases[] = {
        {std::nullopt, std::nullopt, chinese, zh},
        {std::nullopt, std::nullopt, english, en},
        {std::nullopt, zh, english, zh},
        {std::nullopt, en, chinese, en},
        {en, zh, chinese, en},
        {zh, en, english, zh},
    };
    for (const auto& c : cases)
        EXPECT_EQ(startLanguage(c.commandLine, c.stored, c.system), c.expected);
}

// The option leaves the arguments the project start-up reads untouched:
// "en" after --lang must never be taken for a project file to open.
TEST(LanguageChoice, LanguageArgumentIsTakenOut)
{
    const struct {
        QStringList arguments;
        QStringList remaining;
        std::optional<UiLanguage> language;
        bool problem;
    } cases[] = {
        {{"qorva", "--lang", "en", "a.id"}, {"qorva", "a.id"}, en, false},
        {{"qorva", "a.id", "--lang=zh"}, {"qorva", "a.id"}, zh, false},
        {{"qorva", "-m", "p.txt"}, {"qorva", "-m", "p.txt"}, std::nullopt, false},
        {{"qorva", "--lang", "fr", "a.id"}, {"qorva", "a.id"}, std::nullopt, true},
        {{"qorva", "a.id", "--lang"}, {"qorva", "a.id"}, std::nullopt, true},
        {{"qorva", "--lang", "zh", "--lang", "en"}, {"qorva"}, en, false},
    };
    for (const auto& c : cases) {
        QStringList arguments = c.arguments;
        QString problem;
        EXPECT_EQ(takeLanguageArgument(arguments, &problem), c.language)
            << c.arguments.join(' ').toStdString();
        EXPECT_EQ(arguments, c.remaining);
        EXPECT_EQ(!problem.isEmpty(), c.problem) << problem.toStdString();
    }
}

TEST(LanguageChoice, CjkDetection)
{
    const struct {
        const char* text;
        bool cjk;
    } cases[] = {{"Chart view", false}, {"ε = 5000 kJ/kg", false},
                 {"t = 26 °C", false},  {"焓湿图", true},
                 {"Room:", false},      {"（", true},
                 {"Point1", false},     {"A，B", true}};
    for (const auto& c : cases)
        EXPECT_EQ(containsCjk(QString::fromUtf8(c.text)), c.cjk) << c.text;
}

// Each test leaves the application without catalogues (the Chinese source
// texts) and without a stored language, whatever it installed.
class LanguageTest : public ::testing::Test {
protected:
    void SetUp() override { user_folders::Settings().remove(kLanguageSettingsKey); }
    void TearDown() override
    {
        removeLanguage();
        user_folders::Settings().remove(kLanguageSettingsKey);
    }
    RecordingMessages messages;
};

QStringList standardButtonTexts()
{
    QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QMessageBox message(QMessageBox::Question, QString(), QString(), QMessageBox::Yes | QMessageBox::No);
    return {box.button(QDialogButtonBox::Ok)->text(), box.button(QDialogButtonBox::Cancel)->text(),
            message.button(QMessageBox::Yes)->text(), message.button(QMessageBox::No)->text()};
}

// The buttons of a yes/no question as the program shows it, answered 否.
QStringList questionButtonTexts()
{
    QStringList texts;
    QTimer::singleShot(0, [&texts] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        for (QAbstractButton* button : box->buttons())
            texts << button->text();
        box->button(QMessageBox::No)->click();
    });
    QtMessageService().askYesNo("?", MessageIcon::Question, std::string());
    texts.sort();
    return texts;
}

// Qt's own buttons follow the interface: Chinese ones under a Chinese
// interface although Qt's source texts are English; the program's questions
// use them as they are.
TEST_F(LanguageTest, QtStandardButtonsFollowTheInterface)
{
    ASSERT_TRUE(installLanguage(zh));
    EXPECT_EQ(standardButtonTexts(), (QStringList{"确定", "取消", "是(&Y)", "否(&N)"}));
    EXPECT_EQ(questionButtonTexts(), (QStringList{"否(&N)", "是(&Y)"}));
    ASSERT_TRUE(installLanguage(en));
    EXPECT_EQ(installedLanguage(), en);
    EXPECT_EQ(standardButtonTexts(), (QStringList{"OK", "Cancel", "&Yes", "&No"}));
    EXPECT_EQ(questionButtonTexts(), (QStringList{"&No", "&Yes"}));
}

QMenu* languageMenuOf(CMainFrame& frame)
{
    for (QAction* top : frame.menuBar()->actions())
        if (top->menu())
            for (QAction* entry : top->menu()->actions())
                if (entry->menu() && entry->menu()->objectName() == "languageMenu")
                    return entry->menu();
    return nullptr;
}

TEST_F(LanguageTest, LanguageMenuStoresTheChoiceForTheNextStart)
{
    CQORVADoc document;
    CMainFrame frame(document);
    QMenu* menu = languageMenuOf(frame);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->title(), "语言(&L)");
    ASSERT_EQ(menu->actions().size(), 2);
    QAction* chinese = menu->actions()[0];
    QAction* english = menu->actions()[1];
    EXPECT_EQ(chinese->text(), "中文");
    EXPECT_EQ(english->text(), "English");
    EXPECT_TRUE(chinese->isChecked());

    english->trigger();
    EXPECT_EQ(storedLanguage(), en);
    EXPECT_TRUE(english->isChecked());
    EXPECT_FALSE(chinese->isChecked());
    // The interface does not change during the run; the choice is announced.
    EXPECT_EQ(installedLanguage(), zh);
    EXPECT_EQ(menu->title(), "语言(&L)");
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(messages.entries[0].text, "界面语言将在下次启动时更改。");
}

// The menu bar, every menu and every action (captions, tooltips, status
// tips) are English in an English interface; only the language's own name
// 中文 stays Chinese, and the recent files' paths, which the user named.
TEST_F(LanguageTest, EnglishMenusAndActionsHaveNoChinese)
{
    ASSERT_TRUE(installLanguage(en));
    CQORVADoc document;
    CMainFrame frame(document);
    QStringList found = chineseTexts(frame.menuBar(), {"中文"});
    const QRegularExpression recentFile(QStringLiteral("^QAction\\(\\): &?\\d+ /"));
    found.removeIf([&](const QString& entry) { return recentFile.match(entry).hasMatch(); });
    EXPECT_TRUE(found.isEmpty()) << found.join('\n').toStdString();
    QStringList titles;
    for (QAction* top : frame.menuBar()->actions())
        titles << top->text();
    EXPECT_EQ(titles, (QStringList{"&File", "&Edit", "&Settings", "&View", "&Draw", "&Calculate",
                                   "Process &Analysis", "&Help"}));
    QMenu* language = languageMenuOf(frame);
    ASSERT_NE(language, nullptr);
    EXPECT_EQ(language->title(), "&Language");
    // English marks its mnemonics in the word, once per menu.
    const QStringList mnemonics = visible_texts::mnemonicProblems(frame.menuBar());
    EXPECT_TRUE(mnemonics.isEmpty()) << mnemonics.join('\n').toStdString();
}

// A translated caption keeps the accelerator after its tab: the shortcut is
// read from the caption, and a lost one would silently unbind the key.
TEST_F(LanguageTest, EnglishCaptionsKeepTheirAccelerators)
{
    ASSERT_TRUE(installLanguage(en));
    for (const CommandInfo& info : commandTable()) {
        const QString source = QString::fromUtf8(info.caption);
        const QString english = QCoreApplication::translate("CommandTable", info.caption);
        EXPECT_NE(english, source) << info.caption;
        EXPECT_EQ(english.section('\t', 1), source.section('\t', 1)) << info.caption;
    }
}

// The whole main window on the sample project in English: menus, toolbars
// with their lists, the status bar and the title. Allowed: the language's
// own name 中文, the systems and rooms the sample's author named, and the
// recent files' paths.
TEST_F(LanguageTest, EnglishMainWindowHasNoChinese)
{
    ASSERT_TRUE(installLanguage(en));
    CQORVADoc document;
    CMainFrame frame(document);
    ASSERT_TRUE(frame.OpenProject(QStringLiteral(QORVA_SOURCE_DIR "/examples/office.id")));
    QStringList allowed = {"中文"};
    for (QComboBox* names : {frame.systemList(), frame.roomList()})
        for (int i = 0; i < names->count(); ++i)
            allowed << names->itemText(i);
    // 撤消 names the last step, which the document's operation words.
    ASSERT_TRUE(DocumentEdits(document).AddIndependentPoint(
        "P1", 26.0f, 0.5f, SecondProperty::RelativeHumidity, document.model().FullChartStates()));
    QStringList found = chineseTexts(&frame, allowed);
    const QRegularExpression recentFile(QStringLiteral("^QAction\\(\\): &?\\d+ /"));
    found.removeIf([&](const QString& entry) { return recentFile.match(entry).hasMatch(); });
    if (containsCjk(frame.statusBar()->currentMessage()))
        found << frame.statusBar()->currentMessage();
    EXPECT_TRUE(found.isEmpty()) << found.join('\n').toStdString();
    EXPECT_EQ(frame.windowTitle(), "office.id* - QORVA V3.4");
    EXPECT_TRUE(frame.action(cmd::EditUndo)->text().startsWith("Undo "))
        << frame.action(cmd::EditUndo)->text().toStdString();
}

} // namespace
