#include "gui/project/CNewProjectFolderDlg.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFormLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QMenu>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTreeView>
#include <QVBoxLayout>

#include "model/Messages.h"
#include "project/NewProject.h"
#include "project/NumberText.h"

CNewProjectFolderDlg::CNewProjectFolderDlg(const QString& folder, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("新建工程"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_nameEdit = new QLineEdit(m_name, this);
    m_nameEdit->setObjectName("fileName");
    m_nameEdit->setProperty("controlId", 1000);
    m_locationEdit = new QLineEdit(this);
    m_locationEdit->setObjectName("location");
    m_locationEdit->setProperty("controlId", 1001);
    m_locationEdit->setReadOnly(true);
    form->addRow(tr("文件名:"), m_nameEdit);
    form->addRow(tr("位置:"), m_locationEdit);
    layout->addLayout(form);

    m_folders = new QFileSystemModel(this);
    m_folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_folders->setRootPath(QDir::rootPath());
    m_tree = new QTreeView(this);
    m_tree->setObjectName("folderTree");
    m_tree->setProperty("controlId", 1028);
    m_tree->setModel(m_folders);
    for (int column = 1; column < m_folders->columnCount(); ++column)
        m_tree->hideColumn(column);
    m_tree->header()->hide();
    m_tree->setMinimumSize(320, 260);
    m_tree->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_tree, &QTreeView::customContextMenuRequested, this, &CNewProjectFolderDlg::showTreeMenu);
    layout->addWidget(m_tree, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setObjectName("ok");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("cancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(m_nameEdit, &QLineEdit::textEdited, this, &CNewProjectFolderDlg::nameEdited);
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    setFolder(m_folders->filePath(current));
            });
    // The model lists folders as they load; show the chosen one once its
    // parents are there.
    connect(m_folders, &QFileSystemModel::directoryLoaded, this, [this] {
        const QModelIndex current = m_tree->currentIndex();
        if (current.isValid())
            m_tree->scrollTo(current, QAbstractItemView::PositionAtCenter);
    });
    setFolder(folder.isEmpty() ? defaultFolder() : folder);
    resize(520, 560);
}

QString CNewProjectFolderDlg::defaultFolder()
{
    // Projects go next to the program, as engineers keep them; an installed
    // program's folder is not writable, so then the user's documents.
    const QString program = QCoreApplication::applicationDirPath();
    const QFileInfo info(program);
    if (!program.isEmpty() && info.isDir() && info.isWritable())
        return program;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documents.isEmpty() ? QDir::homePath() : documents;
}

void CNewProjectFolderDlg::setFolder(const QString& folder)
{
    m_folder = folder;
    rebuildLocation();
    const QModelIndex index = m_folders->index(folder);
    if (index.isValid() && index != m_tree->currentIndex()) {
        m_tree->setCurrentIndex(index);
        m_tree->scrollTo(index, QAbstractItemView::PositionAtCenter);
    }
}

void CNewProjectFolderDlg::showTreeMenu(const QPoint& position)
{
    const QModelIndex index = m_tree->indexAt(position);
    if (!index.isValid())
        return;
    const QString parent = m_folders->filePath(index);
    QMenu menu(this);
    QAction* create = menu.addAction(tr("新建文件夹"));
    if (menu.exec(m_tree->viewport()->mapToGlobal(position)) != create)
        return;
    bool ok = false;
    const QString name = QInputDialog::getText(this, tr("新建文件夹"), tr("文件夹名称:"), QLineEdit::Normal,
                                               tr("新建文件夹"), &ok);
    if (ok)
        createFolder(parent, name.trimmed());
}

bool CNewProjectFolderDlg::createFolder(const QString& parent, const QString& name)
{
    // One level only: a name with separators would create folders elsewhere.
    if (name.isEmpty() || name.contains(u'/') || name == "." || name == ".." || !QDir(parent).mkdir(name)) {
        alertMessage(QCoreApplication::translate("NewProject", new_project_messages::kCannotCreateFolder)
                         .toStdString(),
                     MessageIcon::Stop);
        return false;
    }
    setFolder(QDir(parent).filePath(name));
    return true;
}

void CNewProjectFolderDlg::rebuildLocation()
{
    m_location = QString::fromStdString(ProjectLocation(m_folder.toStdString(), m_name.toStdString()));
    m_locationEdit->setText(QDir::toNativeSeparators(m_location));
}

void CNewProjectFolderDlg::nameEdited(const QString& text)
{
    const QString name = QString::fromStdString(TrimBlanks(text.toStdString()));
    if (name.contains(u'.')) {
        alertMessage(
            QCoreApplication::translate("NewProject", new_project_messages::kNoExtension).toStdString());
        return;
    }
    m_name = name;
    rebuildLocation();
    m_ok->setEnabled(!name.isEmpty());
}

void CNewProjectFolderDlg::accept()
{
    if (QFileInfo::exists(m_location)) {
        alertMessage(
            QCoreApplication::translate("NewProject", new_project_messages::kProjectExists).toStdString());
        m_valid = false;
        QDialog::accept();
        return;
    }
    m_valid = true;
    const QString name = QString::fromStdString(TrimBlanks(m_nameEdit->text().toStdString()));
    // Enter can reach here with the button disabled; a file without a name is no project.
    if (name.isEmpty())
        return;
    if (name.contains(u'.')) {
        alertMessage(
            QCoreApplication::translate("NewProject", new_project_messages::kNoExtension).toStdString());
        return;
    }
    m_name = name;
    rebuildLocation();
    // The new project is saved at once: say now, before the wizard, when the
    // folder cannot take it.
    const QFileInfo folder(m_folder);
    if (!folder.isDir() || !folder.isWritable()) {
        alertMessage(
            QCoreApplication::translate("NewProject", new_project_messages::kFolderNotWritable).toStdString(),
            MessageIcon::Stop);
        return;
    }
    QDialog::accept();
}
