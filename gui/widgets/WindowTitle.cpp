#include "gui/widgets/WindowTitle.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QFont>
#include <QFontMetrics>

#include <algorithm>

namespace {

// Room for the title bar's icon and its minimise, maximise and close
// buttons, and the margins of a title, px.
constexpr int kTitleBarAllowance = 140;

// Widens each dialog to its title as it is shown, whichever dialog it is.
class TitleFitter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            if (auto* dialog = qobject_cast<QDialog*>(watched); dialog && dialog->isWindow())
                dialog->setMinimumWidth(std::max(dialog->minimumWidth(), titleWidth(dialog)));
        return false;
    }
};

} // namespace

int titleWidth(const QWidget* window)
{
    // Title bars usually set their text in bold.
    QFont font = window->font();
    font.setBold(true);
    return QFontMetrics(font).horizontalAdvance(window->windowTitle()) + kTitleBarAllowance;
}

void fitDialogTitles(QApplication& application)
{
    application.installEventFilter(new TitleFitter(&application));
}
