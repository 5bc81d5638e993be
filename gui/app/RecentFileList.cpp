#include "gui/app/RecentFileList.h"
#include "gui/app/UserFolders.h"

#include <QFileInfo>
#include <QSettings>


RecentFileList::RecentFileList()
{
    QSettings store = user_folders::Settings();
    store.beginGroup("Recent File List");
    for (int i = 1; i <= kMaxEntries; ++i) {
        const QString file = store.value(QString("File%1").arg(i)).toString();
        if (!file.isEmpty())
            m_files.append(file);
    }
}

void RecentFileList::add(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    m_files.removeAll(absolute);
    m_files.prepend(absolute);
    while (m_files.size() > kMaxEntries)
        m_files.removeLast();
    save();
}

void RecentFileList::remove(const QString& path)
{
    m_files.removeAll(path);
    save();
}

void RecentFileList::save() const
{
    QSettings store = user_folders::Settings();
    store.beginGroup("Recent File List");
    for (int i = 1; i <= kMaxEntries; ++i) {
        const QString key = QString("File%1").arg(i);
        if (i <= m_files.size())
            store.setValue(key, m_files[i - 1]);
        else
            store.remove(key);
    }
    // On disk now, not only when the program ends: a crash keeps the list.
    store.sync();
}
