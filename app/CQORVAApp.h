#pragma once

#include <QStringList>

#include <memory>

class CMainFrame;
class CQORVADoc;
class QtMessageService;

// The application object: one document, one frame and one view for the run.
class CQORVAApp {
public:
    CQORVAApp();
    ~CQORVAApp();
    // Start-up; false when the program must end (an unreadable parameter file).
    bool InitInstance(const QStringList& arguments);

    CQORVADoc& document() { return *m_document; }
    CMainFrame& frame() { return *m_frame; }

private:
    std::unique_ptr<QtMessageService> m_messages;
    std::unique_ptr<CQORVADoc> m_document;
    std::unique_ptr<CMainFrame> m_frame;
};
