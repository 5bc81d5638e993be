#pragma once

#include <QDialog>

class QPoint;
class QFileSystemModel;
class QLineEdit;
class QPushButton;
class QTreeView;

// "新建工程": the name and folder of a new project's file. The location shows
// folder/name.ID; a name with an extension is refused, an existing file
// closes the dialog with the result marked not valid (the caller shows it
// again, with the user's name and folder kept).
class CNewProjectFolderDlg : public QDialog {
    Q_OBJECT
public:
    // folder: where the tree starts; empty for the default (the program's
    // own folder when it is writable, else the user's documents folder).
    explicit CNewProjectFolderDlg(const QString& folder = QString(), QWidget* parent = nullptr);

    QString fileName() const { return m_name; }
    QString pathName() const { return m_location; }
    QString folder() const { return m_folder; }
    bool isValid() const { return m_valid; }

    // Selecting a folder in the tree.
    void setFolder(const QString& folder);
    // The default folder of new projects.
    static QString defaultFolder();
    // The tree's context menu 新建文件夹: creates name inside parent and
    // chooses it; false (after the message) when it cannot be created.
    bool createFolder(const QString& parent, const QString& name);

    void accept() override;

private:
    void nameEdited(const QString& text);
    void showTreeMenu(const QPoint& position);
    void rebuildLocation();

    QLineEdit* m_nameEdit = nullptr;
    QLineEdit* m_locationEdit = nullptr;
    QTreeView* m_tree = nullptr;
    QFileSystemModel* m_folders = nullptr;
    QPushButton* m_ok = nullptr;
    QString m_name = QStringLiteral("Untitled");
    QString m_folder;
    QString m_location;
    bool m_valid = false;
};
