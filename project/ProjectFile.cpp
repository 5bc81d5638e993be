#include "project/ProjectFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QString>

#include <memory>

#include "model/Messages.h"
#include "project/Archive.h"
#include "project/ProjectSerializer.h"

namespace {

QString toQString(const std::string& path)
{
    return QString::fromStdString(path);
}

std::int32_t intAt(const char* bytes)
{
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
    return static_cast<std::int32_t>(value);
}

// A failure as shown: what could not be done, then why.
std::string failure(const char* head, const std::string& reason)
{
    return QCoreApplication::translate("ProjectFile", "%1\n%2。")
        .arg(QCoreApplication::translate("ProjectFile", head), QString::fromStdString(reason))
        .toStdString();
}

// The file and the system's reason it could not be read or written.
std::string fileReason(const std::string& path, const QFileDevice& file)
{
    return QCoreApplication::translate("ProjectFile", "%1：%2")
        .arg(toQString(path), file.errorString())
        .toStdString();
}

} // namespace

int ProjectFile::ProbeProjectVersion(const std::string& path)
{
    QFile file(toQString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        alertMessage(QCoreApplication::translate("ProjectFile", project_file_messages::kProbeCannotOpen)
                         .toStdString());
        return 0;
    }
    char head[8];
    const qint64 got = file.read(head, sizeof head);
    if (got < 4)
        return 0;
    if (head[1] == 'Q' && head[2] == 'V' && head[3] == 'X') {
        const int version = got == 8 ? intAt(head + 4) : 0;
        if (version == -kRecoveryVersion || version == -kDisplayVersion)
            return -version;
        return version;
    }
    return intAt(head) == project_serializer::kFirstVersion ? project_serializer::kFirstVersion : 0;
}

bool ProjectFile::read(const std::string& path, int version, ProjectContents& contents)
{
    if (version == 0) {
        m_error = failure(project_file_messages::kCannotOpen,
                          QCoreApplication::translate("ProjectFile", "不是本程序的工程文件").toStdString());
        return false;
    }
    QFile file(toQString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        m_error = failure(project_file_messages::kCannotOpen, fileReason(path, file));
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        m_error = failure(project_file_messages::kCannotOpen, fileReason(path, file));
        return false;
    }
    return readBytes(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                               static_cast<std::size_t>(bytes.size())),
                     contents);
}

bool ProjectFile::readBytes(std::span<const std::uint8_t> bytes, ProjectContents& contents)
{
    m_error.clear();
    try {
        ArchiveReader in(bytes);
        project_serializer::readProject(in, contents);
    } catch (const ArchiveError& error) {
        m_error = failure(project_file_messages::kCannotOpen, error.what());
        return false;
    } catch (const std::bad_alloc&) {
        m_error = failure(project_file_messages::kCannotOpen,
                          QCoreApplication::translate("ProjectFile", "内存不足").toStdString());
        return false;
    }
    return true;
}

std::vector<std::uint8_t> ProjectFile::toBytes(const CIDG& idg, const std::string& reportPath,
                                               std::int32_t returnMode)
{
    ArchiveWriter out(64 * 1024);
    project_serializer::writeProject(out, idg, reportPath, returnMode);
    return out.takeBytes();
}

bool ProjectFile::write(const std::string& path, const CIDG& idg, const std::string& reportPath,
                        std::int32_t returnMode)
{
    m_error.clear();
    const std::vector<std::uint8_t> bytes = toBytes(idg, reportPath, returnMode);
    QSaveFile file(toQString(path));
    if (!file.open(QIODevice::WriteOnly)) {
        m_error = failure(project_file_messages::kCannotSave, fileReason(path, file));
        return false;
    }
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(reinterpret_cast<const char*>(bytes.data()), size) != size || !file.commit()) {
        m_error = failure(project_file_messages::kCannotSave, fileReason(path, file));
        file.cancelWriting();
        return false;
    }
    return true;
}

bool ProjectFile::convert(const std::string& in, const std::string& out)
{
    const int version = ProbeProjectVersion(in);
    if (version == 0) {
        m_error =
            failure(project_file_messages::kCannotOpen,
                    QCoreApplication::translate(
                        "ProjectFile", "%1：不是版本 320 以后的工程文件（更早的工程请用<导入旧工程>升级）")
                        .arg(toQString(in))
                        .toStdString());
        return false;
    }
    auto contents = std::make_unique<ProjectContents>();
    return read(in, version, *contents) &&
           write(out, contents->idg, contents->reportPath, contents->returnMode);
}
