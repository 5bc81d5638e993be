#pragma once

#include <QDateTime>
#include <QLockFile>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QThreadPool>
#include <QTimer>

#include <memory>
#include <string>
#include <vector>

class CQORVADoc;

// Recovery copies: between two saves the whole project is kept, in the
// ordinary project format, in a file of the user's data folder
// (~/.local/share/QORVA/recovery), so a crash, a killed process or a power cut
// loses at most the last moment of work.
//
// A recovery copy is two files named after the project: "<stem>.id", the
// project's bytes, and "<stem>.path", the project's own path in UTF-8 (empty
// for a project not yet saved). The stem is the project's base name and a
// short hash of its absolute path ("办公楼-3f2a9c01"), or "未命名". Each copy
// has a lock ("<stem>.id.lock", QLockFile) held by the program writing it, so
// two running copies of the program never write the same file: the second
// takes "<stem>-2" and so on.
namespace recovery {

// The program's data folder's "recovery": ~/.local/share/<application name>/recovery.
QString DefaultFolder();
// Moves the copies (and their path files) of folder from into folder to, each
// under its own name or, where to holds that name, the next free number;
// copies a running program holds stay. The emptied folder from is removed.
// Returns how many copies were moved.
int MoveCopies(const QString& from, const QString& to);
// The stem of a project's recovery files (without a number suffix).
QString FileStem(const QString& projectPath);
// The name shown for a project: its file name, or "未命名".
QString DisplayName(const QString& projectPath);

// The question at start and the report of a copy that cannot be read.
std::string RecoverQuestion(const QString& name, const QDateTime& time);
std::vector<std::string> RecoverButtons(); // 恢复, 放弃, 稍后
enum Choice { Recover = 0, Discard = 1, Later = 2 };
std::string UnreadableMessage(const QString& name, const QString& file, const std::string& reason);

} // namespace recovery

// A recovery copy found in the folder and not held by a running program; its
// lock is held for as long as the entry lives (or the recovery adopts it).
struct RecoveryEntry {
    QString file;        // the project bytes
    QString projectPath; // where the project belongs; empty for a new one
    QDateTime time;      // when the copy was last written
    std::unique_ptr<QLockFile> lock;

    QString name() const { return recovery::DisplayName(projectPath); }
    // Reads the copy completely; false with the reason when it cannot be read.
    bool isReadable(std::string& reason) const;
    // Deletes the copy and its path file.
    void remove();
};

// Keeps the recovery copy of one document. Every change of the document
// (an undo-stack step, undo and redo included, or any change while the
// project is modified) starts a single-shot timer; when it fires, the project
// is serialised on this thread (what an edit pays, once per burst of edits)
// and written atomically (QSaveFile) on a worker thread. A project that is
// not modified has no copy: saving, undoing back to the saved state, opening
// or starting another project removes it.
class DocumentRecovery : public QObject {
    Q_OBJECT
public:
    static constexpr int kDefaultDelayMs = 500;

    explicit DocumentRecovery(CQORVADoc& document, const QString& folder = recovery::DefaultFolder(),
                              int delayMs = kDefaultDelayMs);
    ~DocumentRecovery() override;

    // The copies in the folder not held by another running program, oldest
    // first, each locked.
    static std::vector<RecoveryEntry> FindEntries(const QString& folder);
    std::vector<RecoveryEntry> FindEntries() const { return FindEntries(m_folder); }

    // Opens a found copy as the document's project, marked modified under its
    // own path; the copy becomes this document's. False (reported, the copy
    // kept) when it cannot be opened.
    bool Recover(RecoveryEntry&& entry);

    // Writes the copy now if a change is waiting, and waits for the writes.
    void Flush();
    // Removes the document's copy (saved, closed without saving, normal quit).
    void Discard();

    const QString& folder() const { return m_folder; }
    // The document's copy; empty while it has none.
    QString currentFile() const;
    // The last write failure, empty when the last write succeeded.
    QString lastError() const;

private:
    struct Slot {
        QString stem;
        QString projectPath;
        std::unique_ptr<QLockFile> lock;
    };

    void OnDocumentChanged();
    void Schedule();
    void WriteNow();
    // The copy for the document's path, taking a free stem when the path changed.
    bool EnsureSlot(const QString& projectPath);
    void ReleaseSlot(bool removeFiles);

    CQORVADoc& m_document;
    QString m_folder;
    QTimer m_timer;
    QThreadPool m_writer; // one thread: writes land in order
    Slot m_slot;
    mutable QMutex m_errorLock;
    QString m_lastError;
};
