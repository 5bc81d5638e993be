#include "project/OldProjectImport.h"

#include <QCoreApplication>
#include <QFile>
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

// The upgraded project must write in the current format and read back.
bool roundTrips(const ProjectContents& contents, std::string& error)
{
    const std::vector<std::uint8_t> bytes =
        ProjectFile::toBytes(contents.idg, contents.reportPath, contents.returnMode);
    auto again = std::make_unique<ProjectContents>();
    ProjectFile file;
    if (!file.readBytes(bytes, *again)) {
        error = file.errorString();
        return false;
    }
    return true;
}

// Moves the imported model into idg, keeping the systems idg holds in front.
void mergeInto(CIDG& idg, ProjectContents& contents)
{
    CIDG& imported = contents.idg;
    idg.UnbindCurrentLists();
    ObjectArray<CAcSystem> systems = std::move(idg.m_rooms.m_systems);
    const auto keptCount = static_cast<std::int64_t>(systems.size());
    for (auto& system : imported.m_rooms.m_systems)
        systems.push_back(std::move(system));
    const std::int64_t current = keptCount + imported.m_nCurSystem;
    imported.m_rooms.m_systems = std::move(systems);
    if (imported.m_nCurSystem < 0 ||
        !imported.m_rooms.RoomAt(static_cast<int>(current), imported.m_nCurRoom)) {
        imported.m_nCurSystem = 0;
        imported.m_nCurRoom = 0;
    } else {
        imported.m_nCurSystem = static_cast<std::int32_t>(current);
    }
    idg = std::move(imported);
}

} // namespace

bool ReadOldProject(std::span<const std::uint8_t> bytes, ProjectContents& contents, std::string& error)
{
    try {
        ArchiveReader in(bytes);
        project_serializer::readOldProject(in, contents);
    } catch (const ArchiveError& failure) {
        error = failure.what();
        return false;
    } catch (const std::bad_alloc&) {
        error = QCoreApplication::translate("OldProjectImport", "内存不足").toStdString();
        return false;
    }
    return true;
}

std::string OldProjectBackupPath(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    const std::size_t nameLength = slash == std::string::npos ? path.size() : path.size() - slash - 1;
    if (nameLength <= 3)
        return path + "_bak";
    return path.substr(0, path.size() - 3) + "_bak";
}

OldImportResult ImportOldProject(CIDG& idg, const std::string& path, std::string& reportPath,
                                 std::int32_t& returnMode, std::string& error)
{
    const std::string backup = OldProjectBackupPath(path);
    const QString backupName = toQString(backup);
    if (QFile::exists(backupName))
        QFile::remove(backupName);
    if (!QFile::copy(toQString(path), backupName)) {
        error = QCoreApplication::translate("OldProjectImport", "%1：无法复制为 %2")
                    .arg(toQString(path), backupName)
                    .toStdString();
        alertMessage(QCoreApplication::translate("OldProjectImport", old_import_messages::kBackupNameError)
                         .toStdString());
        alertMessage(
            QCoreApplication::translate("OldProjectImport", old_import_messages::kDamaged).toStdString());
        return OldImportResult::CannotOpen;
    }
    if (ProjectFile::ProbeProjectVersion(backup) != 0) {
        error =
            QCoreApplication::translate("OldProjectImport", "%1：已经是版本 320 以后的工程文件，请直接打开")
                .arg(toQString(path))
                .toStdString();
        alertMessage(QCoreApplication::translate("OldProjectImport", old_import_messages::kAlreadyUpgraded)
                         .toStdString());
        return OldImportResult::AlreadyCurrent;
    }
    QFile file(backupName);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    if (!file.isOpen() || file.error() != QFileDevice::NoError) {
        error = backup + "：" + file.errorString().toStdString();
        file.close();
        QFile::remove(backupName);
        alertMessage(QCoreApplication::translate("OldProjectImport", old_import_messages::kBackupNameError)
                         .toStdString());
        alertMessage(
            QCoreApplication::translate("OldProjectImport", old_import_messages::kDamaged).toStdString());
        return OldImportResult::CannotOpen;
    }
    file.close();
    QFile::remove(backupName);

    auto contents = std::make_unique<ProjectContents>();
    if (!ReadOldProject(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                  static_cast<std::size_t>(bytes.size())),
                        *contents, error)) {
        alertMessage(
            QCoreApplication::translate("OldProjectImport", old_import_messages::kDamaged).toStdString());
        return OldImportResult::Damaged;
    }
    if (!roundTrips(*contents, error)) {
        alertMessage(QCoreApplication::translate("OldProjectImport", old_import_messages::kUpgradeFailed)
                         .toStdString());
        return OldImportResult::CheckFailed;
    }
    reportPath = contents->reportPath;
    returnMode = contents->returnMode;
    mergeInto(idg, *contents);
    return OldImportResult::Imported;
}
