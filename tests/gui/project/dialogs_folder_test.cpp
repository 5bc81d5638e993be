#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeView>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "gui/project/CNewProjectFolderDlg.h"
#include "gui/project/ModalDriver.h"
#include "support/RecordingMessages.h"

namespace {

using ::testing::ElementsAre;

class FolderDialog : public ::testing::Test {
protected:
    RecordingMessages messages;
    QTemporaryDir folder;
    CNewProjectFolderDlg dialog{folder.path()};
    QLineEdit* name = child<QLineEdit>(&dialog, "fileName");
    QPushButton* ok = child<QPushButton>(&dialog, "ok");
};

TEST_F(FolderDialog, OpensOnUntitledInTheGivenFolder)
{
    EXPECT_EQ(name->text(), "Untitled");
    EXPECT_EQ(dialog.pathName(), folder.path() + "/Untitled.ID");
    EXPECT_EQ(textOf(&dialog, "location"), QDir::toNativeSeparators(folder.path() + "/Untitled.ID"));
    EXPECT_TRUE(child<QLineEdit>(&dialog, "location")->isReadOnly());
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_EQ(dialog.windowTitle(), "新建工程");
}

TEST_F(FolderDialog, TheDefaultFolderIsWritable)
{
    const QFileInfo info(CNewProjectFolderDlg::defaultFolder());
    EXPECT_TRUE(info.isDir());
    EXPECT_TRUE(info.isWritable());
}

TEST_F(FolderDialog, TypingANameRebuildsTheLocationTrimmed)
{
    retype(name, "  办公楼 ");
    EXPECT_EQ(dialog.pathName(), folder.path() + "/办公楼.ID");
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_TRUE(messages.entries.empty());
}

TEST_F(FolderDialog, ANameWithAnExtensionIsRefused)
{
    retype(name, "a");
    QTest::keyClicks(name, ".b");
    ASSERT_FALSE(messages.entries.empty());
    EXPECT_EQ(messages.entries.front().text, "不可以输入扩展名!");
    EXPECT_EQ(dialog.pathName(), folder.path() + "/a.ID") << "the location keeps the last valid name";

    messages.clear();
    dialog.show();
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_THAT(messages.texts(), ElementsAre("不可以输入扩展名!"));
    EXPECT_TRUE(dialog.isVisible()) << "the dialog stays open";
    dialog.hide();
}

TEST_F(FolderDialog, AnEmptyNameDisablesOk)
{
    name->selectAll();
    QTest::keyClick(name, Qt::Key_Backspace);
    EXPECT_FALSE(ok->isEnabled());
    QTest::keyClicks(name, "   ");
    EXPECT_FALSE(ok->isEnabled()) << "blanks are no name";
    QTest::keyClicks(name, "x");
    EXPECT_TRUE(ok->isEnabled());
}

TEST_F(FolderDialog, ChoosingAFolderInTheTreeMovesTheLocation)
{
    ASSERT_TRUE(QDir(folder.path()).mkdir("工程"));
    dialog.setFolder(folder.path() + "/工程");
    EXPECT_EQ(dialog.pathName(), folder.path() + "/工程/Untitled.ID");
    auto* tree = child<QTreeView>(&dialog, "folderTree");
    ASSERT_NE(tree, nullptr);
    auto* folders = qobject_cast<QFileSystemModel*>(tree->model());
    ASSERT_NE(folders, nullptr);
    EXPECT_EQ(folders->filePath(tree->currentIndex()), folder.path() + "/工程")
        << "the tree shows the choice";

    tree->setCurrentIndex(folders->index(folder.path()));
    EXPECT_EQ(dialog.pathName(), folder.path() + "/Untitled.ID") << "clicking a folder in the tree";
    EXPECT_EQ(dialog.folder(), folder.path());
}

TEST_F(FolderDialog, AFolderThatCannotTakeTheProjectIsRefusedBeforeTheWizard)
{
    dialog.setFolder(folder.path() + "/不存在");
    dialog.show();
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_THAT(messages.texts(), ElementsAre("无法在该文件夹中保存工程，请选择其他文件夹!"));
    EXPECT_TRUE(dialog.isVisible());
    dialog.hide();
}

TEST_F(FolderDialog, TheTreeMenuCreatesAFolderAndChoosesIt)
{
    ASSERT_TRUE(dialog.createFolder(folder.path(), "二期工程"));
    EXPECT_TRUE(QFileInfo(folder.path() + "/二期工程").isDir());
    EXPECT_EQ(dialog.pathName(), folder.path() + "/二期工程/Untitled.ID");
    EXPECT_FALSE(dialog.createFolder(folder.path(), "二期工程")) << "already there";
    EXPECT_FALSE(dialog.createFolder(folder.path(), "a/b"));
    EXPECT_FALSE(dialog.createFolder(folder.path(), ""));
    EXPECT_THAT(messages.texts(), ElementsAre("无法创建文件夹!", "无法创建文件夹!", "无法创建文件夹!"));
    EXPECT_EQ(dialog.folder(), folder.path() + "/二期工程");
}

TEST_F(FolderDialog, AnExistingProjectClosesTheDialogNotValid)
{
    QFile existing(folder.path() + "/Untitled.ID");
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    whenModal([this](QWidget*) { QTest::mouseClick(ok, Qt::LeftButton); });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isValid());
    EXPECT_THAT(messages.texts(), ElementsAre("工程已经存在!"));

    whenModal([this](QWidget*) {
        retype(name, "新工程");
        QTest::mouseClick(ok, Qt::LeftButton);
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted) << "shown again, the user's folder kept";
    EXPECT_TRUE(dialog.isValid());
    EXPECT_EQ(dialog.pathName(), folder.path() + "/新工程.ID");
    EXPECT_EQ(dialog.fileName(), "新工程");
}

} // namespace
