#pragma once

#include <QPointer>
#include <QWidget>

#include "model/Messages.h"

// Shows the core's messages and questions as modal QMessageBox dialogs.
class QtMessageService final : public MessageService {
public:
    explicit QtMessageService(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }
    void alert(const std::string& text, MessageIcon icon, const std::string& caption) override;
    bool askOkCancel(const std::string& text, MessageIcon icon, const std::string& caption) override;
    int askChoice(const std::string& text, MessageIcon icon, const std::string& caption,
                  const std::vector<std::string>& buttons) override;
    bool askYesNo(const std::string& text, MessageIcon icon, const std::string& caption) override;

private:
    QPointer<QWidget> m_parent;
};
