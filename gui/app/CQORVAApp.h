#pragma once

#include <QStringList>

#include <memory>

class CMainFrame;
class CQORVADoc;
class DocumentRecovery;
class QtMessageService;

// The application object: one document, one frame and one view for the run.
class CQORVAApp {
public:
    CQORVAApp();
    ~CQORVAApp();
    // Start-up; false when the program must end (an unreadable parameter file).
    bool InitInstance(const QStringList& arguments);
    // Offers each recovery copy left by an earlier run (after InitInstance).
    void RecoverAtStart();
    // Asks about each copy in the recovery's folder: 恢复 opens it as the
    // project (after the frame's question about a modified project), 放弃
    // deletes it, 稍后 keeps it; a copy that cannot be read is reported and kept.
    static void RecoverAtStart(CMainFrame& frame, DocumentRecovery& recovery);

    CQORVADoc& document() { return *m_document; }
    CMainFrame& frame() { return *m_frame; }

private:
    std::unique_ptr<QtMessageService> m_messages;
    std::unique_ptr<CQORVADoc> m_document;
    std::unique_ptr<CMainFrame> m_frame;
    std::unique_ptr<DocumentRecovery> m_recovery;
};
