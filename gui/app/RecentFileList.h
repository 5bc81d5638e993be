#pragma once

#include <QString>
#include <QStringList>

// The recently-used project list (up to four entries, newest first), kept in
// the program's per-user settings (user_folders::Settings).
class RecentFileList {
public:
    static constexpr int kMaxEntries = 4;

    RecentFileList();
    const QStringList& files() const { return m_files; }
    void add(const QString& path);
    void remove(const QString& path);

private:
    void save() const;
    QStringList m_files;
};
