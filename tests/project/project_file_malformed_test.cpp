#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <chrono>

#include "analysis/Binding.h"
#include "model/References.h"
#include "support/DocumentTestAccess.h"
#include "project/CQORVADoc.h"
#include "project/ProjectFile.h"
#include "support/RecordingMessages.h"
#include "tests/project/ProjectFileFixtures.h"
#include "tests/project/ProjectSamples.h"

namespace {

using fixtures::Bytes;
using ::testing::HasSubstr;
using ::testing::StartsWith;

// The head of the file up to the first object array of the first room.
Bytes upToFirstArray(int version = 327)
{
    Bytes b = fixtures::head(version);
    b.append(fixtures::defaultOutdoor()).i32(1).str("S").i32(1);
    b.f32(25).f32(0).f32(0).f32(0).f32(50).f32(0).i32(1).str("N").str("R");
    b.f32(25).f32(0).f32(0).f32(0).f32(50).f32(0).i32(1).str("N");
    b.f64(4).f64(0).i32(95);
    for (int i = 0; i < 10 + 2 + 7 + 3 + 1; ++i)
        b.i32(0);
    for (int i = 0; i < 1 + 5 + 2 + 1; ++i)
        b.f64(0);
    return b;
}

// Zero bytes after the interesting part, so that the room's size check
// (a room needs a few hundred bytes) does not refuse the file first.
std::vector<std::uint8_t> padded(Bytes b)
{
    for (int i = 0; i < 600; ++i)
        b.u8(0);
    return b.data;
}

// Reads bytes that must be refused; returns the reason.
std::string refused(const std::vector<std::uint8_t>& bytes)
{
    ProjectContents contents;
    ProjectFile reader;
    EXPECT_FALSE(reader.readBytes(bytes, contents));
    EXPECT_THAT(reader.errorString(), StartsWith("无法打开文档。\n"));
    return reader.errorString();
}

std::vector<std::uint8_t> sampleFile()
{
    CIDG idg;
    samples::fillProject(idg, 1, 1, 1);
    return ProjectFile::toBytes(idg, "报告.txt", 1);
}

TEST(ProjectFileMalformed, EveryTruncationOfAFileIsRefused)
{
    const std::vector<std::uint8_t> whole = sampleFile();
    ASSERT_LT(whole.size(), 5000u);
    for (std::size_t length = 0; length < whole.size(); ++length) {
        ProjectContents contents;
        ProjectFile reader;
        ASSERT_FALSE(reader.readBytes(std::span(whole.data(), length), contents)) << length;
        ASSERT_THAT(reader.errorString(), StartsWith("无法打开文档。\n")) << length;
    }
    ProjectContents contents;
    ProjectFile reader;
    EXPECT_TRUE(reader.readBytes(whole, contents)) << reader.errorString();
}

TEST(ProjectFileMalformed, EmptyAndHeadOnlyFilesAreRefused)
{
    EXPECT_THAT(refused({}), HasSubstr("文件不完整"));
    EXPECT_THAT(refused(fixtures::head(327).data), HasSubstr("文件不完整"));
    EXPECT_THAT(refused(fixtures::head(319).data), HasSubstr("版本号 319"));
    EXPECT_THAT(refused(fixtures::head(-5).data), HasSubstr("版本号 -5"));
    Bytes notAProject;
    notAProject.i32(321).u32(0);
    EXPECT_THAT(refused(notAProject.data), HasSubstr("不是本程序的工程文件"));
}

TEST(ProjectFileMalformed, UnknownClassOrOtherSchemaIsRefused)
{
    Bytes unknown = upToFirstArray();
    unknown.count(1).newClass("CBogus");
    EXPECT_THAT(refused(padded(unknown)), HasSubstr("未知的对象类型“CBogus”"));
    // A name read from the file is quoted as it is, even one that looks like a placeholder.
    Bytes placeholder = upToFirstArray();
    placeholder.count(1).newClass("C%1");
    EXPECT_THAT(refused(padded(placeholder)), HasSubstr("未知的对象类型“C%1”（位置 "));

    Bytes schema = upToFirstArray();
    schema.count(1).u16(0xFFFF).u16(2).u16(11);
    schema.data.insert(schema.data.end(), {'C', 'S', 't', 'a', 't', 'e', 'P', 'o', 'i', 'n', 't'});
    EXPECT_THAT(refused(padded(schema)), HasSubstr("版本号 2"));

    Bytes wrongClass = upToFirstArray(); // a process line in the state-point list
    wrongClass.count(1).newClass("CGuoChengXian").i32(0).i32(1).str("G").i32(0);
    EXPECT_THAT(refused(padded(wrongClass)), HasSubstr("类型不符"));

    Bytes nameTooLong = upToFirstArray();
    nameTooLong.count(1).u16(0xFFFF).u16(1).u16(0xFFFF).u8('C');
    for (int i = 0; i < 600; ++i)
        nameTooLong.u8('C');
    EXPECT_THAT(refused(nameTooLong.data), HasSubstr("文件不完整"));
}

TEST(ProjectFileMalformed, ImpossibleCountsAndLengthsFailAtOnce)
{
    const auto start = std::chrono::steady_clock::now();

    Bytes objects = upToFirstArray(); // 4 billion objects, 600 bytes left
    objects.u16(0xFFFF).u32(0xFFFFFFFFu);
    EXPECT_THAT(refused(padded(objects)), HasSubstr("元素数目超出了文件长度"));

    Bytes systems = fixtures::head(327);
    systems.append(fixtures::defaultOutdoor()).i32(0x7FFFFFFF).str("S");
    EXPECT_THAT(refused(systems.data), HasSubstr("数目超出了文件长度"));

    Bytes negative = fixtures::head(327);
    negative.append(fixtures::defaultOutdoor()).i32(-1);
    negative.append(fixtures::chartSettings(CIDG())).append(fixtures::documentTail());
    EXPECT_THAT(refused(negative.data), HasSubstr("数目为负数"));

    Bytes rooms = fixtures::head(327);
    rooms.append(fixtures::defaultOutdoor()).i32(1).str("S").i32(1000000);
    rooms.append(fixtures::chartSettings(CIDG())).append(fixtures::documentTail());
    EXPECT_THAT(refused(rooms.data), HasSubstr("数目超出了文件长度"));

    Bytes string = fixtures::head(327); // a 4 GB project name
    string.append(fixtures::defaultOutdoor()).i32(0).u8(0xFF).u16(0xFFFF).u32(0xFFFFFFF0u);
    string.append(fixtures::chartSettings(CIDG()));
    EXPECT_THAT(refused(string.data), HasSubstr("字符串长度超出文件末尾"));

    Bytes shortString = fixtures::head(327);
    shortString.append(fixtures::defaultOutdoor()).i32(0).u8(0xFF).u16(60000);
    EXPECT_THAT(refused(shortString.data), HasSubstr("字符串长度超出文件末尾"));

    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
}

TEST(ProjectFileMalformed, NullElementsBackReferencesAndBadClassIndicesAreRefused)
{
    const auto withFirstPoint = [] {
        Bytes b = upToFirstArray();
        b.count(2).newClass("CStatePoint").str("W");
        for (int i = 0; i < 31; ++i)
            b.i32(0);
        return b; // class 1, object 2; the second element follows
    };

    Bytes null = upToFirstArray();
    null.count(1).u16(0x0000);
    EXPECT_THAT(refused(padded(null)), HasSubstr("空元素"));

    EXPECT_THAT(refused(padded(withFirstPoint().u16(0x0002))), HasSubstr("出现了多次"));
    EXPECT_THAT(refused(padded(withFirstPoint().u16(0x7FFF).u32(2))), HasSubstr("出现了多次"));
    EXPECT_THAT(refused(padded(withFirstPoint().u16(0x7FFF).u32(0x7FFFFFF0u))), HasSubstr("出现了多次"));
    // A class tag that names an object, or an entry that does not exist.
    EXPECT_THAT(refused(padded(withFirstPoint().u16(0x8002))), HasSubstr("类型引用无效"));
    EXPECT_THAT(refused(padded(withFirstPoint().u16(0x8000 | 0x7FFE))), HasSubstr("类型引用无效"));
    EXPECT_THAT(refused(padded(withFirstPoint().u16(0x7FFF).u32(0xFFFFFFFFu))), HasSubstr("类型引用无效"));
    EXPECT_THAT(refused(padded(withFirstPoint().u16(0x7FFF).u32(0x80000000u))), HasSubstr("类型引用无效"));

    // The same class index in its 4-byte form is accepted.
    Bytes big = withFirstPoint().u16(0x7FFF).u32(0x80000001u).str("N");
    for (int i = 0; i < 31; ++i)
        big.i32(0);
    ProjectContents contents;
    ProjectFile reader;
    reader.readBytes(big.data, contents);
    EXPECT_THAT(reader.errorString(), HasSubstr("文件不完整")) << "it went on to the next array";
}

TEST(ProjectFileProbe, RecognisesTheMarkerTheBare320AndNothingElse)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto fileWith = [&](const std::string& name, const std::vector<std::uint8_t>& bytes) {
        const QString path = dir.filePath(QString::fromStdString(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
        return path.toStdString();
    };
    RecordingMessages messages;
    EXPECT_EQ(ProjectFile::ProbeProjectVersion(fileWith("a.id", fixtures::head(327).data)), 327);
    EXPECT_EQ(ProjectFile::ProbeProjectVersion(fileWith("b.id", fixtures::head(400).data)), 400);
    EXPECT_EQ(ProjectFile::ProbeProjectVersion(fileWith("c.id", fixtures::head(320, false).data)), 320);
    EXPECT_EQ(ProjectFile::ProbeProjectVersion(fileWith("d.id", fixtures::head(321, false).data)), 0);
    EXPECT_EQ(ProjectFile::ProbeProjectVersion(fileWith("e.id", {0x03, 'Q', 'V', 'X', 0x47, 0x01, 0x00})), 0);
    EXPECT_EQ(ProjectFile::ProbeProjectVersion(fileWith("f.id", {0x40, 0x01, 0x00})), 0);
    EXPECT_EQ(ProjectFile::ProbeProjectVersion(fileWith("g.id", {})), 0);
    EXPECT_EQ(ProjectFile::ProbeProjectVersion(fileWith("h.id", {'Q', 'V', 'X', 0, 0x47, 1, 0, 0})), 0);
    EXPECT_TRUE(messages.entries.empty());

    EXPECT_EQ(ProjectFile::ProbeProjectVersion(dir.filePath("missing.id").toStdString()), 0);
    EXPECT_EQ(ProjectFile::ProbeProjectVersion(dir.path().toStdString()), 0);
    EXPECT_THAT(messages.texts(),
                ::testing::ElementsAre("请注意！\n文件打开时文件名错误!", "请注意！\n文件打开时文件名错误!"));
}

class DocumentOpen : public ::testing::Test {
protected:
    std::string write(const std::string& name, const std::vector<std::uint8_t>& bytes)
    {
        const QString path = dir.filePath(QString::fromStdString(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
        return path.toStdString();
    }

    QTemporaryDir dir;
    RecordingMessages messages;
};

TEST_F(DocumentOpen, DamagedFileLeavesTheOpenProjectAsItWas)
{
    const std::vector<std::uint8_t> good = sampleFile();
    const std::string goodPath = write("good.id", good);
    CQORVADoc document;
    ASSERT_TRUE(document.OnOpenDocument(goodPath));
    DocumentTestAccess::model(document).m_strProjectName = "改过的";
    document.m_nReserved = 0;
    const std::vector<std::uint8_t> before =
        ProjectFile::toBytes(DocumentTestAccess::model(document), document.m_strReportPath, document.m_bReturnMode);

    for (std::size_t cut : {good.size() / 3, good.size() / 2, good.size() - 1}) {
        messages.clear();
        const std::string bad = write("bad.id", std::vector<std::uint8_t>(good.begin(), good.begin() + cut));
        EXPECT_FALSE(document.OnOpenDocument(bad));
        ASSERT_EQ(messages.entries.size(), 1u);
        EXPECT_THAT(messages.entries[0].text, StartsWith("无法打开文档。\n文件不完整"));
        EXPECT_EQ(ProjectFile::toBytes(DocumentTestAccess::model(document), document.m_strReportPath, document.m_bReturnMode),
                  before);
        EXPECT_EQ(document.pathName(), goodPath);
    }
}

TEST_F(DocumentOpen, OldOrForeignFileIsRefusedWithTheOldProjectMessage)
{
    CQORVADoc document;
    EXPECT_FALSE(document.OnOpenDocument(write("old.id", {0x01, 0x57, 0x00, 0x00, 0x00, 0x00})));
    EXPECT_THAT(messages.texts(), ::testing::ElementsAre(doc_messages::kOldProject));
    EXPECT_FALSE(document.m_bProjectOpen);
}

TEST_F(DocumentOpen, Version320FileOpensThroughTheDocument)
{
    CIDG idg;
    idg.m_strProjectName = "旧";
    idg.m_nCurSystem = 3;
    Bytes file = fixtures::head(320, false);
    file.append(fixtures::defaultOutdoor()).i32(0).append(fixtures::chartSettings(idg));
    file.append(fixtures::documentTail(1, "r.txt"));
    CQORVADoc document;
    document.m_nPageWidth = 100;
    ASSERT_TRUE(document.OnOpenDocument(write("v320.id", file.data)));
    EXPECT_TRUE(messages.entries.empty());
    EXPECT_EQ(DocumentTestAccess::model(document).m_strProjectName, "旧");
    EXPECT_EQ(DocumentTestAccess::model(document).m_nCurSystem, 3);
    EXPECT_EQ(document.m_strReportPath, "r.txt");
    EXPECT_EQ(document.m_bReturnMode, 1);
    EXPECT_EQ(document.m_nPageWidth, 210);
    EXPECT_TRUE(document.m_bProjectOpen);
    EXPECT_FALSE(document.IsModified());
}

TEST_F(DocumentOpen, SavedDocumentOpensAgainWithEverySavedField)
{
    CQORVADoc document;
    samples::fillProject(DocumentTestAccess::model(document), 2, 2, 2);
    // As the program shows it: references whole, every view derived from
    // its design data.
    RepairReferences(DocumentTestAccess::model(document));
    RefreshAllViews(DocumentTestAccess::model(document));
    document.SetReportPath("报告.txt");
    const std::string path = dir.filePath("saved.id").toStdString();
    ASSERT_TRUE(document.OnSaveDocument(path));
    EXPECT_FALSE(document.IsModified());
    CQORVADoc reopened;
    ASSERT_TRUE(reopened.OnOpenDocument(path));
    EXPECT_EQ(ProjectFile::toBytes(DocumentTestAccess::model(reopened), reopened.m_strReportPath, reopened.m_bReturnMode),
              ProjectFile::toBytes(DocumentTestAccess::model(document), "报告.txt", 1));
}

} // namespace
