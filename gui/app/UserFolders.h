#pragma once

#include <QSettings>

// Where the program keeps what belongs to its user, named after the program:
// the settings (the recent-file list, the language) in ~/.config/QORVA/QORVA.conf
// and the data (the recovery copies) in ~/.local/share/QORVA.
namespace user_folders {

inline constexpr const char* kOrganisation = "QORVA";
inline constexpr const char* kApplication = "QORVA";

// The program's per-user settings.
inline QSettings Settings()
{
    return QSettings(QString::fromLatin1(kOrganisation), QString::fromLatin1(kApplication));
}

// The settings group of what the program remembers for one project under
// `topic`: the SHA-1 of the project's absolute path (a path holds slashes,
// which the settings read as groups).
QString ProjectGroup(const QString& topic, const QString& projectPath);

// Moves what earlier builds kept elsewhere, once, before anything reads it:
// the settings file of "Local AppWizard-Generated Applications" (when the
// program's own does not exist yet) and the recovery copies of
// ~/.local/share/QORVA/QORVA. Needs the application's name set.
void MoveOldUserFiles();

} // namespace user_folders
