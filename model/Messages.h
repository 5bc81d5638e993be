#pragma once

#include <string>
#include <vector>

// Every message box and OK/Cancel question of the core goes through this
// interface. The Qt layer shows QMessageBox; tests install a recorder and
// check the exact texts. Texts and captions are UTF-8.
enum class MessageIcon { None, Stop, Warning, Exclamation, Information, Question };

class MessageService {
public:
    virtual ~MessageService() = default;
    // A modal message with an OK button.
    virtual void alert(const std::string& text, MessageIcon icon, const std::string& caption) = 0;
    // A modal OK/Cancel question; true for OK.
    virtual bool askOkCancel(const std::string& text, MessageIcon icon, const std::string& caption) = 0;
    // A modal question with one button per caption, in order; the index of
    // the button chosen, or −1 when the question was closed without a choice.
    // Without a way to ask (batch use) the text is shown and −1 returned.
    virtual int askChoice(const std::string& text, MessageIcon icon, const std::string& caption,
                          const std::vector<std::string>& buttons);
    // A modal 是/否 question; true for 是. A service without buttons of its
    // own answers it as its OK/Cancel question.
    virtual bool askYesNo(const std::string& text, MessageIcon icon, const std::string& caption)
    {
        return askOkCancel(text, icon, caption);
    }
};

// The service in force. Without one installed, messages go to standard error
// and questions are answered OK (batch use from the command line).
MessageService& messages();
// Installs a service (nullptr restores the default); returns the previous one.
MessageService* setMessageService(MessageService* service);

// Shorthand for the common case: no caption, OK button.
void alertMessage(const std::string& text, MessageIcon icon = MessageIcon::None,
                  const std::string& caption = std::string());
