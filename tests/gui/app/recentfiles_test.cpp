#include <QSettings>

#include <gtest/gtest.h>

#include "gui/app/RecentFileList.h"
#include "gui/app/UserFolders.h"

namespace {

class RecentFilesTest : public ::testing::Test {
protected:
    void SetUp() override { user_folders::Settings().clear(); }
    void TearDown() override { user_folders::Settings().clear(); }
};

TEST_F(RecentFilesTest, KeepsFourNewestFirstWithoutDuplicates)
{
    RecentFileList list;
    for (const char* path : {"/p/a.id", "/p/b.id", "/p/c.id", "/p/d.id", "/p/e.id"})
        list.add(path);
    EXPECT_EQ(list.files(), QStringList({"/p/e.id", "/p/d.id", "/p/c.id", "/p/b.id"}));
    list.add("/p/c.id");
    EXPECT_EQ(list.files(), QStringList({"/p/c.id", "/p/e.id", "/p/d.id", "/p/b.id"}));
}

TEST_F(RecentFilesTest, SurvivesARestartAndForgetsRemovedEntries)
{
    {
        RecentFileList list;
        list.add("/p/办公楼.id");
        list.add("/p/b.id");
        list.remove("/p/b.id");
    }
    const RecentFileList reloaded;
    EXPECT_EQ(reloaded.files(), QStringList({"/p/办公楼.id"}));
}

}  // namespace
