#include "gui/app/UserFolders.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "project/Recovery.h"

namespace user_folders {

namespace {

// Where earlier builds kept the settings and the recovery copies.
constexpr const char* kOldSettings = "/Local AppWizard-Generated Applications/QORVA.conf";
constexpr const char* kOldRecovery = "/QORVA/QORVA/recovery";

} // namespace

QString ProjectGroup(const QString& topic, const QString& projectPath)
{
    const QByteArray path = QFileInfo(projectPath).absoluteFilePath().toUtf8();
    return topic + QLatin1Char('/') +
           QString::fromLatin1(QCryptographicHash::hash(path, QCryptographicHash::Sha1).toHex());
}

void MoveOldUserFiles()
{
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    const QString oldSettings = config + QLatin1String(kOldSettings);
    const QString settings = config + QLatin1Char('/') + QLatin1String(kOrganisation) + QLatin1Char('/') +
                             QLatin1String(kApplication) + QStringLiteral(".conf");
    // Settings the program already has are never replaced by older ones.
    if (QFile::exists(oldSettings) && !QFile::exists(settings) &&
        QDir().mkpath(QFileInfo(settings).absolutePath()) && QFile::rename(oldSettings, settings))
        QDir().rmdir(QFileInfo(oldSettings).absolutePath());

    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QString oldRecovery = data + QLatin1String(kOldRecovery);
    recovery::MoveCopies(oldRecovery, recovery::DefaultFolder());
    QDir().rmdir(QFileInfo(oldRecovery).absolutePath()); // ~/.local/share/QORVA/QORVA, when empty
}

} // namespace user_folders
