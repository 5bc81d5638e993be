#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <set>

#include "gui/app/CMainFrame.h"
#include "gui/app/CommandTable.h"
#include "gui/support/VisibleTexts.h"
#include "project/CQORVADoc.h"
#include "support/RecordingMessages.h"
#include "translations/Language.h"

// Every dialog the menus open speaks the interface's language alone: its
// title, buttons, labels, group boxes, lists and headers. Qt's own standard
// buttons count too: they come from Qt's catalogue of the language.
namespace {

const QString kSample = QStringLiteral(QORVA_SOURCE_DIR "/examples/office.id");
const std::string kBologna = QORVA_SOURCE_DIR "/examples/ITA_ER_Bologna-Marconi.AP.161400_TMYx.2004-2018.epw";

// Latin words a Chinese interface shows as they are: units, standards,
// file formats and the names of the chart's quantities.
const std::set<QString> kLatinTerms = {
    "kcal",  "ASHRAE", "EnergyPlus", "TMYx",  "Bologna", "Marconi", "epw",   "csv",
    "EPW",   "CSV",    "PNG",        "SVG",   "PDF",     "EMF",     "QORVA", "qorva",
    "Arial", "Noto",   "Sans",       "Serif", "Mono",    "CJK",     "Excel", "xlsx",
};

// The texts of a Chinese dialog holding a Latin word of four or more
// letters that is no unit, standard or name (names the user gave are
// allowed).
QStringList englishTexts(QWidget* root, const QStringList& allowed)
{
    static const QRegularExpression word(QStringLiteral("[A-Za-z]{4,}"));
    QStringList found;
    for (const QString& entry : visible_texts::collect(root)) {
        const QString text = entry.section(QStringLiteral(": "), 1);
        if (allowed.contains(text) || text.startsWith(QLatin1Char('/')))
            continue; // a folder's path
        for (auto match = word.globalMatch(text); match.hasNext();) {
            if (!kLatinTerms.contains(match.next().captured(0))) {
                found.append(entry);
                break;
            }
        }
    }
    return found;
}

// The commands of the menus that would leave the walk (quit, close and
// return) or start another program run; every other command is triggered.
bool leavesTheWalk(int id)
{
    return id == cmd::AppExit || id == cmd::FileClose || id == cmd::FileMru;
}

struct Walked {
    QString command;
    QString title;
    QStringList wrong;
};

class DialogLanguages : public ::testing::TestWithParam<UiLanguage> {
protected:
    void TearDown() override { removeLanguage(); }
};

TEST_P(DialogLanguages, EveryDialogOfTheMenusSpeaksTheInterfacesLanguage)
{
    ASSERT_TRUE(installLanguage(GetParam()));
    const bool english = GetParam() == UiLanguage::English;
    RecordingMessages messages;
    // A copy: 保存 writes the project back where it was opened.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("office.id"));
    ASSERT_TRUE(QFile::copy(kSample, path));
    CQORVADoc document;
    CMainFrame frame(document);
    ASSERT_TRUE(frame.OpenProject(path));
    std::string error;
    ASSERT_TRUE(document.LoadWeatherFile(kBologna, error)) << error;
    frame.resize(1200, 800);
    frame.show();

    QStringList names; // what the sample's author named stays as typed
    for (const auto& system : document.model().m_rooms.m_systems) {
        names << QString::fromStdString(system->m_strName);
        for (const auto& room : system->m_rooms)
            names << QString::fromStdString(room->m_strName);
    }
    names << QString::fromStdString(document.model().m_strProjectName) << QStringLiteral("中文")
          << QStringLiteral("English");

    std::vector<Walked> walked;
    const auto check = [&](const QString& command, QWidget* dialog) {
        const QStringList wrong =
            english ? visible_texts::chineseTexts(dialog, names) : englishTexts(dialog, names);
        walked.push_back({command, dialog->windowTitle(), wrong});
    };
    std::vector<QAction*> actions;
    const auto addMenu = [&](QMenu* menu, auto&& self, int depth) -> void {
        for (QAction* action : menu->actions()) {
            if (action->menu() && depth < 4)
                self(action->menu(), self, depth + 1);
            else if (!action->isSeparator())
                actions.push_back(action);
        }
    };
    for (QAction* top : frame.menuBar()->actions())
        if (top->menu())
            addMenu(top->menu(), addMenu, 0);

    for (QAction* action : actions) {
        // Toggles open nothing (and the language entries store a choice).
        if (leavesTheWalk(action->data().toInt()) || action->isCheckable() || action->text().isEmpty())
            continue;
        // A project opened again (新建, 打开 cancelled) has no weather year.
        if (!document.weatherYear()) {
            ASSERT_TRUE(document.LoadWeatherFile(kBologna, error)) << error;
        }
        frame.updateCommandStates();
        if (!action->isEnabled())
            continue;
        // A modal dialog is read and closed from the event loop its exec()
        // runs; a dialog beside the chart is read once the command returns.
        QTimer poll;
        poll.setInterval(5);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!modal || !modal->isVisible())
                return;
            check(action->text(), modal);
            modal->reject();
        });
        poll.start();
        action->trigger();
        poll.stop();
        QApplication::processEvents();
        for (QDialog* dialog : frame.findChildren<QDialog*>())
            if (dialog->isVisible()) {
                check(action->text(), dialog);
                dialog->reject();
            }
    }

    EXPECT_GE(walked.size(), 40u) << "dialogs opened";
    for (const Walked& w : walked)
        EXPECT_TRUE(w.wrong.isEmpty()) << w.command.toStdString() << " → " << w.title.toStdString() << ":\n"
                                       << w.wrong.join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, DialogLanguages,
                         ::testing::Values(UiLanguage::Chinese, UiLanguage::English), [](const auto& info) {
                             return std::string(info.param == UiLanguage::English ? "English" : "Chinese");
                         });

} // namespace
