#include "gui/app/QtMessageService.h"

#include <QMessageBox>
#include <QPushButton>

namespace {

QMessageBox::Icon toQt(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Stop:
        return QMessageBox::Critical;
    case MessageIcon::Warning:
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// A box without a caption shows the program's name, as the platform does.
QString captionOrDefault(const std::string& caption)
{
    return caption.empty() ? QStringLiteral("QORVA") : QString::fromStdString(caption);
}

} // namespace

void QtMessageService::alert(const std::string& text, MessageIcon icon, const std::string& caption)
{
    QMessageBox box(toQt(icon), captionOrDefault(caption), QString::fromStdString(text), QMessageBox::Ok,
                    m_parent);
    box.exec();
}

bool QtMessageService::askOkCancel(const std::string& text, MessageIcon icon, const std::string& caption)
{
    QMessageBox box(toQt(icon), captionOrDefault(caption), QString::fromStdString(text),
                    QMessageBox::Ok | QMessageBox::Cancel, m_parent);
    return box.exec() == QMessageBox::Ok;
}

int QtMessageService::askChoice(const std::string& text, MessageIcon icon, const std::string& caption,
                                const std::vector<std::string>& buttons)
{
    QMessageBox box(toQt(icon), captionOrDefault(caption), QString::fromStdString(text),
                    QMessageBox::NoButton, m_parent);
    std::vector<QAbstractButton*> faces;
    for (const std::string& button : buttons)
        faces.push_back(box.addButton(QString::fromStdString(button), QMessageBox::AcceptRole));
    box.exec();
    for (std::size_t i = 0; i < faces.size(); ++i)
        if (box.clickedButton() == faces[i])
            return static_cast<int>(i);
    return -1;
}

bool QtMessageService::askYesNo(const std::string& text, MessageIcon icon, const std::string& caption)
{
    QMessageBox box(toQt(icon), captionOrDefault(caption), QString::fromStdString(text),
                    QMessageBox::Yes | QMessageBox::No, m_parent);
    return box.exec() == QMessageBox::Yes;
}
