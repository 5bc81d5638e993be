#include "model/Messages.h"

#include <cstdio>

namespace {

class StandardErrorMessages final : public MessageService {
public:
    void alert(const std::string& text, MessageIcon, const std::string& caption) override
    {
        if (caption.empty())
            std::fprintf(stderr, "%s\n", text.c_str());
        else
            std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    }
    bool askOkCancel(const std::string& text, MessageIcon icon, const std::string& caption) override
    {
        alert(text, icon, caption);
        return true;
    }
};

StandardErrorMessages& fallback()
{
    static StandardErrorMessages service;
    return service;
}

MessageService* installed = nullptr;

}  // namespace

int MessageService::askChoice(const std::string& text, MessageIcon icon, const std::string& caption,
                              const std::vector<std::string>&)
{
    alert(text, icon, caption);
    return -1;
}

MessageService& messages()
{
    return installed ? *installed : fallback();
}

MessageService* setMessageService(MessageService* service)
{
    MessageService* previous = installed;
    installed = service;
    return previous;
}

void alertMessage(const std::string& text, MessageIcon icon, const std::string& caption)
{
    messages().alert(text, icon, caption);
}
