#include "ScriptedSession.h"

#include <QApplication>
#include <QFile>
#include <QTimer>

#include <cstdio>

#include "gui/app/CQORVAApp.h"
#include "model/Messages.h"
#include "project/CQORVADoc.h"
#include "project/DocumentEdits.h"
#include "project/ProjectFile.h"

namespace {

class ScriptedMessages final : public MessageService {
public:
    void alert(const std::string& text, MessageIcon, const std::string&) override
    {
        std::fprintf(stderr, "message: %s\n", text.c_str());
    }
    bool askOkCancel(const std::string& text, MessageIcon icon, const std::string& caption) override
    {
        alert(text, icon, caption);
        return true;
    }
    int askChoice(const std::string& text, MessageIcon icon, const std::string& caption,
                  const std::vector<std::string>&) override
    {
        alert(text, icon, caption);
        return qEnvironmentVariableIntValue("QORVA_SCRIPT_CHOICE");
    }
};

bool writeBytes(CQORVADoc& document, const QString& path)
{
    const std::vector<std::uint8_t> bytes =
        ProjectFile::toBytes(document.model(), document.m_strReportPath, document.m_bReturnMode);
    QFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size())) ==
               static_cast<qint64>(bytes.size());
}

void makeEdits(CQORVADoc& document, int count)
{
    DocumentEdits edits(document);
    for (int i = 0; i < count; ++i) {
        const std::string name = "K" + std::to_string(i);
        if (i % 2 == 0)
            edits.AddIndependentPoint(name, 20.0f + static_cast<float>(i), 0.5f,
                                      SecondProperty::RelativeHumidity, document.model().FullChartStates());
        else
            document.SetBasicParameters("恢复测试" + name, document.model().m_nUnitSystem);
    }
}

} // namespace

void startScriptedSession(CQORVAApp& app)
{
    static ScriptedMessages messages;
    if (qEnvironmentVariableIsSet("QORVA_SCRIPT_CHOICE"))
        setMessageService(&messages);
    CQORVADoc* document = &app.document();
    if (const int edits = qEnvironmentVariableIntValue("QORVA_SCRIPT_EDITS"); edits > 0) {
        QTimer::singleShot(0, qApp, [document, edits] {
            makeEdits(*document, edits);
            if (!writeBytes(*document, qEnvironmentVariable("QORVA_SCRIPT_HELD")))
                std::fprintf(stderr, "cannot write the held project\n");
            std::printf("edited\n");
            std::fflush(stdout);
        });
    }
    if (const QString dump = qEnvironmentVariable("QORVA_SCRIPT_DUMP"); !dump.isEmpty()) {
        QTimer::singleShot(0, qApp, [document, dump] {
            writeBytes(*document, dump);
            std::printf("path: %s\nmodified: %d\n", document->pathName().c_str(),
                        document->IsModified() ? 1 : 0);
            std::fflush(stdout);
            // Ends the event loop as a quit does, without the close question
            // a modified project would ask.
            QCoreApplication::exit(0);
        });
    }
}
