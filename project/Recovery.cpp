#include "project/Recovery.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUndoStack>

#include <span>

#include "project/CQORVADoc.h"
#include "project/ProjectFile.h"

namespace {

constexpr int kMaxStemNumber = 100; // running copies of one project the folder tells apart

QString untitled()
{
    return QCoreApplication::translate("Recovery", "未命名");
}

QString pathFileOf(const QString& projectFile)
{
    return projectFile.chopped(3) + QStringLiteral(".path");
}

QString lockFileOf(const QString& projectFile)
{
    return projectFile + QStringLiteral(".lock");
}

// A lock held for as long as the program keeps the copy, so it never goes
// stale by age; the lock of a program that no longer runs is taken over.
std::unique_ptr<QLockFile> tryLock(const QString& projectFile)
{
    auto lock = std::make_unique<QLockFile>(lockFileOf(projectFile));
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return nullptr;
    return lock;
}

bool writeAtomically(const QString& path, const char* data, qsizetype size, QString& error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data, size) != size || !file.commit()) {
        error = path + QStringLiteral(": ") + file.errorString();
        return false;
    }
    return true;
}

} // namespace

namespace recovery {

QString DefaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QLatin1Char('/') +
           QCoreApplication::applicationName() + QStringLiteral("/recovery");
}

int MoveCopies(const QString& from, const QString& to)
{
    QDir source(from);
    if (!source.exists())
        return 0;
    int moved = 0;
    const QStringList copies = source.entryList({QStringLiteral("*.id")}, QDir::Files, QDir::Name);
    if (!copies.isEmpty() && !QDir().mkpath(to))
        return 0;
    for (const QString& name : copies) {
        const QString file = source.filePath(name);
        const std::unique_ptr<QLockFile> lock = tryLock(file);
        if (!lock)
            continue; // written by a program that is running: it stays where that program keeps it
        const QString base = QFileInfo(name).completeBaseName();
        for (int number = 1; number <= kMaxStemNumber; ++number) {
            const QString stem = number == 1 ? base : base + QLatin1Char('-') + QString::number(number);
            const QString target = to + QLatin1Char('/') + stem + QStringLiteral(".id");
            if (QFile::exists(target) || QFile::exists(pathFileOf(target)))
                continue;
            if (!QFile::rename(file, target))
                break;
            if (QFile::exists(pathFileOf(file)))
                QFile::rename(pathFileOf(file), pathFileOf(target));
            ++moved;
            break;
        }
    }
    QDir().rmdir(from); // only when nothing is left in it
    return moved;
}

QString FileStem(const QString& projectPath)
{
    if (projectPath.isEmpty())
        return untitled();
    const QFileInfo info(projectPath);
    const QByteArray hash =
        QCryptographicHash::hash(info.absoluteFilePath().toUtf8(), QCryptographicHash::Sha1).toHex().left(8);
    return info.completeBaseName() + QLatin1Char('-') + QString::fromLatin1(hash);
}

QString DisplayName(const QString& projectPath)
{
    return projectPath.isEmpty() ? untitled() : QFileInfo(projectPath).fileName();
}

std::string RecoverQuestion(const QString& name, const QDateTime& time)
{
    return QCoreApplication::translate("Recovery", "发现 %1 未保存的修改（%2），是否恢复？")
        .arg(name, time.toString(QStringLiteral("yyyy-MM-dd HH:mm")))
        .toStdString();
}

std::vector<std::string> RecoverButtons()
{
    return {QCoreApplication::translate("Recovery", "恢复").toStdString(),
            QCoreApplication::translate("Recovery", "放弃").toStdString(),
            QCoreApplication::translate("Recovery", "稍后").toStdString()};
}

std::string UnreadableMessage(const QString& name, const QString& file, const std::string& reason)
{
    return QCoreApplication::translate("Recovery", "无法读取 %1 的恢复文件，文件已保留：\n%2\n%3")
        .arg(name, QDir::toNativeSeparators(file), QString::fromStdString(reason))
        .toStdString();
}

} // namespace recovery

bool RecoveryEntry::isReadable(std::string& reason) const
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) {
        reason = in.errorString().toStdString();
        return false;
    }
    const QByteArray bytes = in.readAll();
    auto contents = std::make_unique<ProjectContents>();
    ProjectFile reader;
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    if (!reader.readBytes(std::span(data, static_cast<std::size_t>(bytes.size())), *contents)) {
        reason = reader.errorString();
        return false;
    }
    return true;
}

void RecoveryEntry::remove()
{
    QFile::remove(file);
    QFile::remove(pathFileOf(file));
}

DocumentRecovery::DocumentRecovery(CQORVADoc& document, const QString& folder, int delayMs)
    : m_document(document), m_folder(folder)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(delayMs);
    connect(&m_timer, &QTimer::timeout, this, [this] { WriteNow(); });
    m_writer.setMaxThreadCount(1);
    connect(&document, &CQORVADoc::changed, this, [this] { OnDocumentChanged(); });
    connect(&document.undoStack(), &QUndoStack::indexChanged, this, [this] { OnDocumentChanged(); });
}

DocumentRecovery::~DocumentRecovery()
{
    // The copy stays: a program that ends without Discard() has not been
    // quit normally.
    m_timer.stop();
    m_writer.waitForDone();
}

std::vector<RecoveryEntry> DocumentRecovery::FindEntries(const QString& folder)
{
    std::vector<RecoveryEntry> entries;
    const QFileInfoList files =
        QDir(folder).entryInfoList({QStringLiteral("*.id")}, QDir::Files, QDir::Time | QDir::Reversed);
    for (const QFileInfo& info : files) {
        RecoveryEntry entry;
        entry.file = info.absoluteFilePath();
        entry.lock = tryLock(entry.file);
        if (!entry.lock)
            continue; // kept by a program that is running
        QFile pathFile(pathFileOf(entry.file));
        if (pathFile.open(QIODevice::ReadOnly))
            entry.projectPath = QString::fromUtf8(pathFile.readAll());
        entry.time = info.lastModified();
        entries.push_back(std::move(entry));
    }
    return entries;
}

bool DocumentRecovery::Recover(RecoveryEntry&& entry)
{
    if (!m_document.OpenRecoveredCopy(entry.file.toStdString(), entry.projectPath.toStdString()))
        return false;
    // Opening emptied the previous copy; this one is the document's now.
    ReleaseSlot(true);
    m_slot.stem = QFileInfo(entry.file).completeBaseName();
    m_slot.projectPath = entry.projectPath;
    m_slot.lock = std::move(entry.lock);
    Schedule();
    return true;
}

void DocumentRecovery::OnDocumentChanged()
{
    if (!m_document.m_bProjectOpen || !m_document.IsModified())
        Discard();
    else
        Schedule();
}

void DocumentRecovery::Schedule()
{
    // The first change of a burst starts the timer and later ones ride with
    // it, so the copy is never more than one delay behind.
    if (!m_timer.isActive())
        m_timer.start();
}

void DocumentRecovery::Flush()
{
    if (m_timer.isActive()) {
        m_timer.stop();
        WriteNow();
    }
    m_writer.waitForDone();
}

void DocumentRecovery::Discard()
{
    m_timer.stop();
    ReleaseSlot(true);
}

QString DocumentRecovery::currentFile() const
{
    return m_slot.lock ? m_folder + QLatin1Char('/') + m_slot.stem + QStringLiteral(".id") : QString();
}

QString DocumentRecovery::lastError() const
{
    QMutexLocker locker(&m_errorLock);
    return m_lastError;
}

void DocumentRecovery::WriteNow()
{
    if (!m_document.m_bProjectOpen || !m_document.IsModified()) {
        Discard();
        return;
    }
    const QString projectPath = QString::fromStdString(m_document.pathName());
    if (!EnsureSlot(projectPath))
        return;
    // Serialised here, where the model lives; written off this thread.
    auto bytes = std::make_shared<const std::vector<std::uint8_t>>(
        ProjectFile::toBytes(m_document.model(), m_document.m_strReportPath, m_document.m_bReturnMode));
    const QString file = currentFile();
    m_writer.start([this, bytes, file] {
        QString error;
        writeAtomically(file, reinterpret_cast<const char*>(bytes->data()),
                        static_cast<qsizetype>(bytes->size()), error);
        QMutexLocker locker(&m_errorLock);
        m_lastError = error;
    });
}

bool DocumentRecovery::EnsureSlot(const QString& projectPath)
{
    if (m_slot.lock && m_slot.projectPath == projectPath)
        return true;
    ReleaseSlot(true);
    if (!QDir().mkpath(m_folder)) {
        QMutexLocker locker(&m_errorLock);
        m_lastError = m_folder;
        return false;
    }
    const QString base = recovery::FileStem(projectPath);
    for (int number = 1; number <= kMaxStemNumber; ++number) {
        const QString stem = number == 1 ? base : base + QLatin1Char('-') + QString::number(number);
        const QString file = m_folder + QLatin1Char('/') + stem + QStringLiteral(".id");
        // A copy without a running owner is one kept for later (or not
        // readable): it is never written over.
        std::unique_ptr<QLockFile> lock = tryLock(file);
        if (!lock || QFile::exists(file))
            continue;
        m_slot.stem = stem;
        m_slot.projectPath = projectPath;
        m_slot.lock = std::move(lock);
        // The path file goes first, so a copy is never found without it.
        const QByteArray path = projectPath.toUtf8();
        m_writer.start([this, file, path] {
            QString error;
            if (!writeAtomically(pathFileOf(file), path.constData(), path.size(), error)) {
                QMutexLocker locker(&m_errorLock);
                m_lastError = error;
            }
        });
        return true;
    }
    return false;
}

void DocumentRecovery::ReleaseSlot(bool removeFiles)
{
    if (!m_slot.lock)
        return;
    m_writer.waitForDone();
    if (removeFiles) {
        const QString file = currentFile();
        QFile::remove(file);
        QFile::remove(pathFileOf(file));
    }
    m_slot.lock.reset(); // unlocks and removes the lock file
    m_slot.stem.clear();
    m_slot.projectPath.clear();
}
