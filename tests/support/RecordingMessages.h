#pragma once

#include <string>
#include <vector>

#include "model/Messages.h"

// Records every message and question the core shows, for tests to check the
// exact texts. Installs itself for its lifetime.
class RecordingMessages final : public MessageService {
public:
    struct Entry {
        std::string text;
        MessageIcon icon;
        std::string caption;
        bool question;
    };

    RecordingMessages() : m_previous(setMessageService(this)) {}
    ~RecordingMessages() override { setMessageService(m_previous); }

    void alert(const std::string& text, MessageIcon icon, const std::string& caption) override
    {
        entries.push_back({text, icon, caption, false});
    }
    bool askOkCancel(const std::string& text, MessageIcon icon, const std::string& caption) override
    {
        entries.push_back({text, icon, caption, true});
        return answer;
    }

    int askChoice(const std::string& text, MessageIcon icon, const std::string& caption,
                  const std::vector<std::string>& buttons) override
    {
        entries.push_back({text, icon, caption, true});
        choiceButtons.push_back(buttons);
        if (choices.empty())
            return -1;
        const int choice = choices.front();
        choices.erase(choices.begin());
        return choice;
    }

    std::vector<std::string> texts() const
    {
        std::vector<std::string> result;
        for (const Entry& entry : entries)
            result.push_back(entry.text);
        return result;
    }
    void clear() { entries.clear(); }

    std::vector<Entry> entries;
    bool answer = true;  // the answer to questions
    std::vector<int> choices;  // the answers to button questions, in turn (−1 when none is left)
    std::vector<std::vector<std::string>> choiceButtons;  // the buttons each one offered

private:
    MessageService* m_previous;
};
