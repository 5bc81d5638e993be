#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <chrono>
#include <csignal>
#include <sys/resource.h>
#include <fstream>
#include <iterator>

#include "project/ArchiveText.h"
#include "project/ProjectFile.h"
#include "support/RecordingMessages.h"
#include "tests/project/ProjectFileFixtures.h"
#include "tests/project/ProjectSamples.h"

namespace {

using fixtures::Bytes;

std::vector<std::uint8_t> save(const CIDG& idg, const std::string& report = "C:\\报告\\out.txt",
                               std::int32_t returnMode = 1)
{
    return ProjectFile::toBytes(idg, report, returnMode);
}

std::unique_ptr<ProjectContents> load(const std::vector<std::uint8_t>& bytes)
{
    auto contents = std::make_unique<ProjectContents>();
    ProjectFile file;
    EXPECT_TRUE(file.readBytes(bytes, *contents)) << file.errorString();
    return contents;
}

std::vector<std::uint8_t> resave(const std::vector<std::uint8_t>& bytes)
{
    const auto contents = load(bytes);
    return ProjectFile::toBytes(contents->idg, contents->reportPath, contents->returnMode);
}

std::size_t find(const std::vector<std::uint8_t>& haystack, const std::string& needle, std::size_t from = 0)
{
    const std::vector<std::uint8_t> bytes(needle.begin(), needle.end());
    const auto it = std::search(haystack.begin() + static_cast<std::ptrdiff_t>(from), haystack.end(),
                                bytes.begin(), bytes.end());
    return it == haystack.end() ? std::string::npos : static_cast<std::size_t>(it - haystack.begin());
}

TEST(ProjectFileLayout, EmptyProjectIsHeadOutdoorPointsNoSystemsSettingsAndDocumentFields)
{
    const CIDG idg;
    const std::vector<std::uint8_t> written = ProjectFile::toBytes(idg, "", 0);
    EXPECT_EQ(written, fixtures::emptyProject().data);
    ASSERT_GE(written.size(), 8u);
    EXPECT_THAT(std::vector<std::uint8_t>(written.begin(), written.begin() + 8),
                ::testing::ElementsAre(0x03, 'Q', 'V', 'X', 0x47, 0x01, 0x00, 0x00));
}

TEST(ProjectFileLayout, RoomWithEmptyListsWritesFiveZeroCountsPerConditionThenTheParameterPoints)
{
    CIDG idg;
    idg.m_rooms.AddSystem("S");
    idg.m_rooms.AddRoom("S", "R");
    const CServiceArea& room = *idg.m_rooms.m_systems[0]->m_rooms[0];

    Bytes expected = fixtures::head(327);
    expected.append(fixtures::defaultOutdoor()).i32(1).str("S").i32(1);
    expected.f32(25).f32(0).f32(0).f32(0).f32(50).f32(0).i32(1).str("N").str("R");
    expected.f32(25).f32(0).f32(0).f32(0).f32(50).f32(0).i32(1).str("N");
    expected.f64(4.0).f64(0.0).i32(95);
    for (int i = 1; i <= 10; ++i)
        expected.i32(0);
    expected.f64(5.0).i32(1).i32(0);
    for (int i = 13; i <= 19; ++i)
        expected.i32(0);
    for (int i = 3; i <= 7; ++i)
        expected.f64(0.0);
    expected.f64(0.5).i32(95).i32(1).i32(0).f64(4.0);
    expected.i32(0).f64(0.0);
    for (int i = 0; i < 16; ++i)
        expected.u16(0);
    for (int word : {15, 16, 17, 18, 0,  1,  2,  13, 14, 3,  4,  5,  6,  20, 22, 24, 25, 19, 23, 21, 39,
                     37, 38, 26, 28, 27, 29, 30, 40, 55, 44, 45, 47, 46, 77, 76, 75, 63, 65, 68, 66, 64})
        expected.u32(std::bit_cast<std::uint32_t>(room.m_anaW[word]));
    expected.append(fixtures::chartSettings(idg)).append(fixtures::documentTail());
    EXPECT_EQ(ProjectFile::toBytes(idg, "", 0), expected.data);
}

TEST(ProjectFileLayout, FirstStatePointIntroducesItsClassAndEveryLaterOneUsesTheClassTag)
{
    CIDG idg;
    samples::fillProject(idg, 2, 2, 3);
    const std::vector<std::uint8_t> bytes = save(idg);
    const std::string intro = std::string("\xFF\xFF\x01\x00\x0B\x00", 6) + "CStatePoint";
    const std::size_t first = find(bytes, intro);
    ASSERT_NE(first, std::string::npos);
    EXPECT_EQ(find(bytes, intro, first + 1), std::string::npos) << "the class is introduced once per file";
    // The table starts at 1: "CStatePoint" is entry 1, so later points carry 0x8001.
    const std::size_t second = find(bytes, std::string("\x01\x80\x03", 3) + utf8ToGbk("点2"), first);
    EXPECT_NE(second, std::string::npos);
    // Each of the six classes is introduced exactly once.
    for (const char* name :
         {"CGuoChengXian", "CReShiBiXian", "CCommentString", "CComfortArea", "CParamPoint"}) {
        const std::size_t at = find(bytes, name);
        ASSERT_NE(at, std::string::npos) << name;
        EXPECT_EQ(find(bytes, name, at + 1), std::string::npos) << name;
    }
}

TEST(ProjectFileRoundTrip, RichProjectReproducesItsBytesAndFields)
{
    CIDG idg;
    samples::fillProject(idg, 3, 3, 4);
    const std::vector<std::uint8_t> first = save(idg);
    const auto contents = load(first);
    EXPECT_EQ(ProjectFile::toBytes(contents->idg, contents->reportPath, contents->returnMode), first);

    const CIDG& back = contents->idg;
    EXPECT_EQ(contents->reportPath, "C:\\报告\\out.txt");
    EXPECT_EQ(contents->returnMode, 1);
    EXPECT_EQ(back.m_strProjectName, "示例工程 Example");
    ASSERT_EQ(back.m_rooms.m_systems.size(), 3u);
    EXPECT_EQ(back.m_rooms.m_systems[2]->m_strName, "空调系统3");
    const CServiceArea& room = *back.m_rooms.m_systems[1]->m_rooms[2];
    const CServiceArea& original = *idg.m_rooms.m_systems[1]->m_rooms[2];
    EXPECT_EQ(room.m_strName, "大厅3");
    EXPECT_EQ(room.m_anaD, original.m_anaD);
    EXPECT_EQ(room.m_anaI, original.m_anaI);
    EXPECT_EQ(room.m_points[2][3]->m_strName, "点3");
    EXPECT_EQ(room.m_hhrLines[0][0]->m_strName, "ε");
    EXPECT_EQ(room.m_texts[1][2]->m_font, original.m_texts[1][2]->m_font);
    EXPECT_EQ(room.m_comfortAreas[2][1]->m_strLabel, "label");
    EXPECT_EQ(back.m_font1, idg.m_font1);
    EXPECT_EQ(back.m_drawOptions, idg.m_drawOptions);
    // The label switches, written out of declared order, come back in place.
    EXPECT_EQ(back.m_bShowProcessLineLabels, 1);
    EXPECT_EQ(back.m_bShowHhrLineLabels, 0);
    EXPECT_EQ(back.m_bShowPointLabels, 0);
    EXPECT_FLOAT_EQ(back.m_fZoom, 2.5f);
    EXPECT_EQ(back.m_nXOffset, 23);
    EXPECT_EQ(back.m_nYOffset, 29);
}

TEST(ProjectFileRoundTrip, SavedWordsKeepTheirBitsAndUnsavedFieldsKeepTheirDefaults)
{
    CIDG idg;
    samples::fillProject(idg, 1, 1, 1);
    CServiceArea& room = *idg.m_rooms.m_systems[0]->m_rooms[0];
    room.m_nCondition = 2;
    room.m_nInitCounter = 99;
    room.m_anaW[7].i = 777; // words 7–12 are not in the file
    CStatePoint& point = *room.m_points[1][0];
    point.m_nWorking = 5;
    point.m_bKnownT = 1;
    point.m_t = fixtures::nanWithPayload(0x2345);  // quiet NaN with a payload
    point.m_d = std::bit_cast<float>(0x7F800001u); // signalling NaN
    point.m_h = -0.0f;
    room.m_paramPoints[0]->m_bKnownTd = 1;
    room.m_anaD[4] = std::bit_cast<double>(0x7FF0000000000F0Full);
    room.m_texts[0][0]->m_fMoistDiff = 3.5f;
    idg.m_fTMinFull = -10;
    idg.m_nCurCondition = 0;
    idg.m_rooms.m_nUnused = 42;

    const std::vector<std::uint8_t> first = save(idg);
    const auto contents = load(first);
    EXPECT_EQ(ProjectFile::toBytes(contents->idg, contents->reportPath, contents->returnMode), first);
    const CServiceArea& back = *contents->idg.m_rooms.m_systems[0]->m_rooms[0];
    const CServiceArea fresh;
    EXPECT_EQ(back.m_nCondition, fresh.m_nCondition);
    EXPECT_EQ(back.m_nInitCounter, fresh.m_nInitCounter);
    EXPECT_EQ(back.m_anaW[7].i, 0);
    EXPECT_EQ(back.m_anaW[15].i, room.m_anaW[15].i);
    const CStatePoint& p = *back.m_points[1][0];
    EXPECT_EQ(p.m_nWorking, 0);
    EXPECT_EQ(p.m_bKnownT, 0);
    EXPECT_TRUE(fixtures::sameBits(p.m_t, point.m_t));
    EXPECT_TRUE(fixtures::sameBits(p.m_d, point.m_d));
    EXPECT_TRUE(fixtures::sameBits(p.m_h, -0.0f));
    EXPECT_EQ(back.m_paramPoints[0]->m_bKnownTd, 0);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(back.m_anaD[4]), 0x7FF0000000000F0Full);
    EXPECT_EQ(back.m_texts[0][0]->m_fMoistDiff, 0);
    EXPECT_EQ(contents->idg.m_fTMinFull, -30.0f);
    EXPECT_EQ(contents->idg.m_rooms.m_nUnused, 0);
    EXPECT_EQ(contents->reserved, 0);
}

TEST(ProjectFileRoundTrip, StringsUseAllThreeLengthPrefixes)
{
    for (std::size_t length : {0u, 1u, 254u, 255u, 256u, 65533u, 65534u, 65535u, 70000u}) {
        CIDG idg;
        idg.m_strProjectName = std::string(length, 'a');
        const std::vector<std::uint8_t> bytes = ProjectFile::toBytes(idg, "", 0);
        const auto contents = load(bytes);
        EXPECT_EQ(contents->idg.m_strProjectName.size(), length);
        EXPECT_EQ(resave(bytes), bytes) << length;
        const std::size_t prefix = length < 255 ? 1 : length < 65534 ? 3 : 7;
        EXPECT_EQ(bytes.size(), fixtures::emptyProject().size() + length + prefix - 1) << length;
    }
    // A Chinese name longer than 255 bytes in GBK (two bytes a character).
    CIDG idg;
    std::string name;
    for (int i = 0; i < 200; ++i)
        name += "焓湿图";
    idg.m_strProjectName = name;
    const auto contents = load(save(idg));
    EXPECT_EQ(contents->idg.m_strProjectName, name);
}

TEST(ProjectFileRoundTrip, MoreThan0x7FFFObjectsUseTheEscapedTagsQuickly)
{
    // 40 000 points in one list, then the first objects of the other classes:
    // their class indices exceed 0x7FFF, so their later tags take the 4-byte form.
    CIDG idg;
    idg.m_rooms.AddSystem("S");
    idg.m_rooms.AddRoom("S", "R1");
    idg.m_rooms.AddRoom("S", "R2");
    CServiceArea& r1 = *idg.m_rooms.m_systems[0]->m_rooms[0];
    CServiceArea& r2 = *idg.m_rooms.m_systems[0]->m_rooms[1];
    for (int i = 0; i < 40000; ++i) {
        auto p = std::make_unique<CStatePoint>();
        p->m_nId = i;
        r1.m_points[0].push_back(std::move(p));
    }
    for (int i = 0; i < 3; ++i) {
        r2.m_processLines[0].push_back(std::make_unique<CGuoChengXian>());
        r2.m_paramPoints.push_back(std::make_unique<CParamPoint>());
    }
    const auto start = std::chrono::steady_clock::now();
    const std::vector<std::uint8_t> bytes = save(idg);
    // Class CGuoChengXian is entry 40 002 (1 class + 40 000 points + its own).
    Bytes bigTag;
    bigTag.u16(0x7FFF).u32(0x80000000u | 40002u).i32(-1).i32(-1);
    EXPECT_NE(find(bytes, std::string(bigTag.data.begin(), bigTag.data.end())), std::string::npos);
    const auto contents = load(bytes);
    EXPECT_EQ(contents->idg.m_rooms.m_systems[0]->m_rooms[0]->m_points[0].size(), 40000u);
    EXPECT_EQ(contents->idg.m_rooms.m_systems[0]->m_rooms[1]->m_paramPoints.size(), 3u);
    EXPECT_EQ(ProjectFile::toBytes(contents->idg, contents->reportPath, contents->returnMode), bytes);
    // Generous enough for a sanitizer build; a table search per object would exceed it.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

TEST(ProjectFileRoundTrip, CountsOf65535AndMoreUseTheEscapedCount)
{
    CIDG idg;
    idg.m_rooms.AddSystem("S");
    idg.m_rooms.AddRoom("S", "R");
    auto& lines = idg.m_rooms.m_systems[0]->m_rooms[0]->m_processLines[1];
    for (int i = 0; i < 65535; ++i)
        lines.push_back(std::make_unique<CGuoChengXian>());
    const std::vector<std::uint8_t> bytes = save(idg);
    EXPECT_NE(find(bytes, std::string("\xFF\xFF\xFF\xFF\x00\x00", 6)), std::string::npos);
    const auto contents = load(bytes);
    EXPECT_EQ(contents->idg.m_rooms.m_systems[0]->m_rooms[0]->m_processLines[1].size(), 65535u);
    EXPECT_EQ(ProjectFile::toBytes(contents->idg, contents->reportPath, contents->returnMode), bytes);
}

TEST(ProjectFileRoundTrip, NamesThatAreNotValidGbkComeBackAsTheSameBytes)
{
    // A file written elsewhere: a room name with a stray lead byte, a
    // user-defined GBK character and a lone 0xFF.
    const std::string odd = std::string("A\x81") + "\xAA\xA1" + "\xFF" + "\xB0\xA1"; // ends with 啊
    Bytes b = fixtures::head(327);
    b.raw("W\xFE").f32(28.2f).f32(0).f32(34.0f).i32(0).str("W").f32(28.2f).f32(0).f32(34.0f).i32(0);
    b.i32(1).raw(odd).i32(0);
    b.append(fixtures::chartSettings(CIDG())).append(fixtures::documentTail());
    const auto contents = load(b.data);
    EXPECT_THAT(contents->idg.m_rooms.m_systems[0]->m_strName, ::testing::EndsWith("啊"));
    EXPECT_EQ(resave(b.data), b.data);
}

TEST(ProjectFileFiles, WriteThenReadThroughTheFileSystem)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath("工程.id").toStdString();
    CIDG idg;
    samples::fillProject(idg, 1, 2, 2);
    ProjectFile file;
    ASSERT_TRUE(file.write(path, idg, "r.txt", 1)) << file.errorString();
    EXPECT_EQ(ProjectFile::ProbeProjectVersion(path), 327);
    ProjectContents contents;
    ASSERT_TRUE(file.read(path, 327, contents)) << file.errorString();
    EXPECT_EQ(ProjectFile::toBytes(contents.idg, contents.reportPath, contents.returnMode),
              ProjectFile::toBytes(idg, "r.txt", 1));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"工程.id"}) << "no temporary file left";
}

TEST(ProjectFileFiles, FailedSaveKeepsThePreviousFileAndSaysWhy)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath("p.id").toStdString();
    CIDG idg;
    ProjectFile file;
    ASSERT_TRUE(file.write(path, idg, "", 0));
    const std::vector<std::uint8_t> before = ProjectFile::toBytes(idg, "", 0);

    // A file-size limit stands in for a full disk (it holds for every user).
    samples::fillProject(idg, 1, 2, 20);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool ok = file.write(path, idg, "", 0);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(ok);
    EXPECT_THAT(file.errorString(), ::testing::StartsWith("无法保存文档。\n"));
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> after{std::istreambuf_iterator<char>(in), {}};
    EXPECT_EQ(after, before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"p.id"}) << "no temporary file left";
}

TEST(ProjectFileFiles, SaveIntoAMissingFolderFails)
{
    ProjectFile file;
    EXPECT_FALSE(file.write("/nonexistent-folder-qorva/p.id", CIDG(), "", 0));
    EXPECT_THAT(file.errorString(), ::testing::StartsWith("无法保存文档。\n/nonexistent-folder-qorva/p.id"));
}

std::vector<std::uint8_t> fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void putFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

TEST(ProjectFileConvert, CurrentFileComesOutByteForByteAndAnOlderOneAs327)
{
    QTemporaryDir dir;
    const std::string in = dir.filePath("in.id").toStdString();
    const std::string out = dir.filePath("out.id").toStdString();
    CIDG idg;
    samples::fillProject(idg, 2, 2, 3);
    putFile(in, save(idg));
    ProjectFile file;
    ASSERT_TRUE(file.convert(in, out)) << file.errorString();
    EXPECT_EQ(fileBytes(out), fileBytes(in));

    Bytes old = fixtures::head(320, false);
    old.append(fixtures::defaultOutdoor())
        .i32(0)
        .append(fixtures::chartSettings(CIDG()))
        .append(fixtures::documentTail());
    putFile(in, old.data);
    ASSERT_TRUE(file.convert(in, out)) << file.errorString();
    EXPECT_EQ(fileBytes(out), fixtures::emptyProject().data);
}

TEST(ProjectFileConvert, RefusedInputLeavesTheOutputAlone)
{
    QTemporaryDir dir;
    const std::string in = dir.filePath("in.id").toStdString();
    const std::string out = dir.filePath("out.id").toStdString();
    std::vector<std::uint8_t> damaged = save(CIDG());
    damaged.resize(damaged.size() / 2);
    putFile(in, damaged);
    ProjectFile file;
    EXPECT_FALSE(file.convert(in, out));
    EXPECT_THAT(file.errorString(), ::testing::StartsWith("无法打开文档。\n文件不完整"));
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(out)));

    putFile(out, {1, 2, 3});
    putFile(in, {0x01, 0x57, 0x00, 0x00, 0x00, 0x00});
    EXPECT_FALSE(file.convert(in, out));
    EXPECT_THAT(file.errorString(), ::testing::HasSubstr("导入旧工程"));
    EXPECT_EQ(fileBytes(out), (std::vector<std::uint8_t>{1, 2, 3}));

    RecordingMessages messages;
    EXPECT_FALSE(file.convert(dir.filePath("missing.id").toStdString(), out));
    EXPECT_THAT(messages.texts(), ::testing::ElementsAre("请注意！\n文件打开时文件名错误!"));
}

TEST(ArchiveText, GbkRoundTripsEveryValidCharacterAndKeepsOtherBytes)
{
    EXPECT_EQ(archive_text::gbkToUtf8("\xB0\xA1"), "啊");
    EXPECT_EQ(archive_text::utf8ToGbk("焓湿图"), utf8ToGbk("焓湿图"));
    EXPECT_EQ(archive_text::utf8ToGbk("ε"), "\xA6\xC5");
    // Every two-byte code and every single byte decodes and encodes back.
    for (int lead = 0x80; lead <= 0xFF; ++lead) {
        const std::string single(1, static_cast<char>(lead));
        ASSERT_EQ(archive_text::utf8ToGbk(archive_text::gbkToUtf8(single)), single) << lead;
        for (int trail = 0x00; trail <= 0xFF; ++trail) {
            const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
            const std::string utf8 = archive_text::gbkToUtf8(pair);
            ASSERT_EQ(archive_text::utf8ToGbk(utf8), pair) << lead << " " << trail;
            // Valid GBK reads as the system converter reads it.
            if (const auto strict = gbkToUtf8Strict(pair)) {
                ASSERT_EQ(utf8, *strict) << lead << " " << trail;
            }
        }
    }
    // What GBK cannot hold becomes '?', as the system code page does.
    EXPECT_EQ(archive_text::utf8ToGbk("a😀b"), "a?b");
    EXPECT_EQ(archive_text::utf8ToGbk(std::string("a\xC3", 2)), "a?");
}

} // namespace
