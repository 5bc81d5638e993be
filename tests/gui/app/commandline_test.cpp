#include <gtest/gtest.h>

#include "gui/app/CQORVACommandLineInfo.h"

namespace {

CQORVACommandLineInfo parse(const std::vector<std::string>& arguments)
{
    CQORVACommandLineInfo info;
    info.ParseCommandLine(arguments);
    return info;
}

TEST(CommandLine, NoArgumentsGiveAnEmptyNewDocument)
{
    const auto info = parse({});
    EXPECT_EQ(info.m_nShellCommand, CQORVACommandLineInfo::FileNew);
    EXPECT_TRUE(info.m_bNoParamFile);
    EXPECT_TRUE(info.m_bNoReportFile);
    EXPECT_TRUE(info.m_strParamPath.empty());
    EXPECT_TRUE(info.m_strReportPath.empty());
}

TEST(CommandLine, AProjectPathAloneIsOpened)
{
    const auto info = parse({"/home/eng/办公楼.id"});
    EXPECT_EQ(info.m_nShellCommand, CQORVACommandLineInfo::FileOpen);
    EXPECT_EQ(info.m_strFileName, "/home/eng/办公楼.id");
    EXPECT_TRUE(info.m_strParamPath.empty());
}

TEST(CommandLine, ParameterFileAndReportPathWithEitherSwitchCharacterAndCase)
{
    for (const auto& args : std::vector<std::vector<std::string>>{{"/m", "in.txt", "/r", "out.txt"},
                                                                    {"-M", "in.txt", "-R", "out.txt"},
                                                                    {"/r", "out.txt", "-m", "in.txt"}}) {
        const auto info = parse(args);
        EXPECT_EQ(info.m_nShellCommand, CQORVACommandLineInfo::FileNew) << args[0];
        EXPECT_EQ(info.m_strParamPath, "in.txt");
        EXPECT_EQ(info.m_strReportPath, "out.txt");
        EXPECT_FALSE(info.m_bNoParamFile);
        EXPECT_FALSE(info.m_bNoReportFile);
    }
}

TEST(CommandLine, OnlyTheFirstPathAfterASwitchIsTaken)
{
    const auto info = parse({"/m", "a.txt", "b.txt"});
    EXPECT_EQ(info.m_strParamPath, "a.txt");
    EXPECT_EQ(info.m_nShellCommand, CQORVACommandLineInfo::FileNew);
}

TEST(CommandLine, ReportSwitchWithoutParameterFileStoresOnlyThePath)
{
    // The report path is kept by the parser, but start-up uses it only with "m".
    const auto info = parse({"/r", "out.txt"});
    EXPECT_EQ(info.m_strReportPath, "out.txt");
    EXPECT_TRUE(info.m_strParamPath.empty());
    EXPECT_TRUE(info.m_bNoParamFile);
    // The standard parser took the path as a document to open.
    EXPECT_EQ(info.m_nShellCommand, CQORVACommandLineInfo::FileOpen);
}

TEST(CommandLine, UnknownSwitchesAreIgnoredAndALoneDashIsAPath)
{
    const auto info = parse({"/x", "-", "p.id"});
    EXPECT_EQ(info.m_strFileName, "-");
    EXPECT_TRUE(info.m_bNoParamFile);
    EXPECT_TRUE(info.m_bNoReportFile);
}

}  // namespace

namespace {

TEST(CommandLine, AbsolutePathsAreNotSwitches)
{
    const auto info = parse({"/m", "/data/参数.txt", "/r", "/data/report.txt"});
    EXPECT_EQ(info.m_strParamPath, "/data/参数.txt");
    EXPECT_EQ(info.m_strReportPath, "/data/report.txt");
    EXPECT_EQ(info.m_nShellCommand, CQORVACommandLineInfo::FileNew);
}

}  // namespace
