#pragma once

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTabBar>
#include <QTableView>
#include <QTreeView>
#include <QWidget>

#include <set>

// The texts a user can read in a widget tree, for the checks that every text
// follows the interface language: window titles, labels, buttons and check
// boxes, group boxes, combo items, tab texts, menus and actions with their
// tooltips and status tips, table and tree headers, placeholders. Hidden
// widgets (closed menus, other pages) count too: they show when opened.
namespace visible_texts {

// A character of the CJK ideographs, their punctuation or the full-width forms.
inline bool containsCjk(const QString& text)
{
    for (const char32_t c : text.toUcs4())
        if ((c >= 0x3000 && c <= 0x303F) || (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) ||
            (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFF00 && c <= 0xFFEF) || (c >= 0x20000 && c <= 0x2FA1F))
            return true;
    return false;
}

// "where: text" for each distinct readable text of root and its children;
// where is the widget's class and object name (or the action's text).
inline QStringList collect(QWidget* root)
{
    std::set<QString> seen;
    QStringList texts;
    auto add = [&](const QObject* owner, const QString& text) {
        if (text.isEmpty())
            return;
        const QString entry =
            QStringLiteral("%1(%2): %3")
                .arg(QString::fromLatin1(owner->metaObject()->className()), owner->objectName(), text);
        if (seen.insert(entry).second)
            texts.append(entry);
    };
    auto addHeader = [&](const QObject* owner, const QAbstractItemModel* model, Qt::Orientation orientation) {
        if (!model)
            return;
        const int count = orientation == Qt::Horizontal ? model->columnCount() : model->rowCount();
        for (int i = 0; i < count && i < 1000; ++i)
            add(owner, model->headerData(i, orientation, Qt::DisplayRole).toString());
    };
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* widget : widgets) {
        if (widget->isWindow())
            add(widget, widget->windowTitle());
        add(widget, widget->toolTip());
        add(widget, widget->statusTip());
        if (auto* label = qobject_cast<QLabel*>(widget))
            add(widget, label->text());
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            add(widget, button->text());
        if (auto* group = qobject_cast<QGroupBox*>(widget))
            add(widget, group->title());
        if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            for (int i = 0; i < combo->count(); ++i)
                add(widget, combo->itemText(i));
        }
        if (auto* tabs = qobject_cast<QTabBar*>(widget)) {
            for (int i = 0; i < tabs->count(); ++i) {
                add(widget, tabs->tabText(i));
                add(widget, tabs->tabToolTip(i));
            }
        }
        if (auto* menu = qobject_cast<QMenu*>(widget))
            add(widget, menu->title());
        if (auto* edit = qobject_cast<QLineEdit*>(widget))
            add(widget, edit->placeholderText());
        if (auto* table = qobject_cast<QTableView*>(widget)) {
            addHeader(widget, table->model(), Qt::Horizontal);
            addHeader(widget, table->model(), Qt::Vertical);
        }
        if (auto* tree = qobject_cast<QTreeView*>(widget))
            addHeader(widget, tree->model(), Qt::Horizontal);
        for (const QAction* action : widget->actions()) {
            add(action, action->text());
            add(action, action->toolTip());
            add(action, action->statusTip());
            if (action->menu())
                add(action, action->menu()->title());
        }
    }
    return texts;
}

// The readable texts of root that contain a CJK character, except those
// listed in allowed (names the user typed, a language's own name).
inline QStringList chineseTexts(QWidget* root, const QStringList& allowed = {})
{
    QStringList found;
    for (const QString& entry : collect(root)) {
        const QString text = entry.section(QStringLiteral(": "), 1);
        if (containsCjk(text) && !allowed.contains(text))
            found.append(entry);
    }
    return found;
}

// The mnemonic of a caption, lower-cased: the character after a single "&"
// ("&&" is a literal ampersand); none for a caption without one.
inline QChar mnemonicOf(const QString& caption)
{
    const QString text = caption.section(QLatin1Char('\t'), 0, 0);
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&'))
            continue;
        if (text[i + 1] != QLatin1Char('&'))
            return text[i + 1].toLower();
        ++i;
    }
    return QChar();
}

// What is wrong with the mnemonics of the menu bar's menus in a language
// that marks them in the word itself: a Chinese-style mnemonic in
// parentheses left in a caption ("Grid(G)", "Grid(&G)"), and two entries of
// one menu (or two menus of the bar) sharing a mnemonic.
inline QStringList mnemonicProblems(QMenuBar* bar)
{
    QStringList problems;
    static const QRegularExpression leftover(QStringLiteral("\\(&?[A-Za-z0-9]\\)"));
    auto check = [&](const QString& where, const QList<QAction*>& actions, auto&& self, int depth) -> void {
        QMap<QChar, QString> taken;
        for (const QAction* action : actions) {
            if (action->isSeparator() || !action->isVisible())
                continue;
            const QString text = action->menu() ? action->menu()->title() : action->text();
            if (leftover.match(text.section(QLatin1Char('\t'), 0, 0)).hasMatch())
                problems << where + QStringLiteral(": leftover mnemonic in \"%1\"").arg(text);
            if (const QChar key = mnemonicOf(text); !key.isNull()) {
                if (taken.contains(key))
                    problems << where + QStringLiteral(": \"%1\" and \"%2\" share &%3")
                                            .arg(taken[key], text, QString(key));
                else
                    taken.insert(key, text);
            }
            if (action->menu() && depth < 8)
                self(where + QStringLiteral(" > ") + action->menu()->title(), action->menu()->actions(), self,
                     depth + 1);
        }
    };
    check(QStringLiteral("menu bar"), bar->actions(), check, 0);
    return problems;
}

} // namespace visible_texts
