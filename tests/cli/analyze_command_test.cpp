#include <gtest/gtest.h>

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <string>
#include <vector>

#include "render/ChartRenderer.h"
#include "render/QPainterCanvas.h"
#include "render/RecordingCanvas.h"
#include "support/DocumentTestAccess.h"
#include "support/RecordingMessages.h"

#include "cli/Commands.h"

namespace {

const std::string kSample = QORVA_SOURCE_DIR "/examples/office.id";

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome analyze(const std::vector<std::string>& args)
{
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const int status = runAnalyzeCommand(args);
    std::string out = testing::internal::GetCapturedStdout();
    return {status, out, testing::internal::GetCapturedStderr()};
}

QByteArray contents(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class AnalyzeCommand : public ::testing::Test {
protected:
    // Drawing the window's chart needs fonts.
    static void SetUpTestSuite()
    {
        if (!QGuiApplication::instance()) {
            static int argc = 1;
            static char name[] = "analysis_tests";
            static char* argv[] = {name, nullptr};
            static QGuiApplication application(argc, argv);
        }
    }

    RecordingMessages messages;
    QTemporaryDir dir;
    std::string path(const char* name) const { return dir.filePath(QString::fromUtf8(name)).toStdString(); }
};

TEST_F(AnalyzeCommand, WrongArgumentsExitWithTwoAndWriteNothing)
{
    const std::string out = path("out.id");
    const std::vector<std::vector<std::string>> cases = {
        {},
        {kSample, out},
        {kSample, "--analysis", "primary"},
        {kSample, out, "extra", "--analysis", "primary"},
        {kSample, out, "--analysis", "tertiary"},
        {kSample, out, "--analysis", "primary", "--colour", "red"},
        {kSample, out, "--analysis", "primary", "--fan-rise"},
        {kSample, out, "--analysis", "primary", "--fan-rise", "warm"},
        {kSample, out, "--analysis", "primary", "--supply-diff", "-3"},
        {kSample, out, "--analysis", "primary", "--dew-point", "120"},
        {kSample, out, "--analysis", "primary", "--preheat", "sideways"},
        {kSample, out, "--analysis", "fancoil", "--mix", "stirred"},
        {kSample, out, "--analysis", "freshair", "--humidify", "mist"},
        {kSample, out, "--analysis", "primary", "--system", "no such system"},
        {kSample, out, "--analysis", "primary", "--system", "0", "--room", "99"},
    };
    for (const auto& args : cases) {
        const Outcome run = analyze(args);
        EXPECT_EQ(run.status, 2) << (args.empty() ? "" : args.back());
        EXPECT_FALSE(run.err.empty());
        EXPECT_FALSE(QFile::exists(QString::fromStdString(out))) << args.back();
    }
}

// A room whose analysis fails: the dialog's message with its reason on
// standard error, status 1, and no project written, not even the rooms that
// went before.
TEST_F(AnalyzeCommand, AFailedAnalysisExitsWithOneAndWritesNoProject)
{
    CQORVADoc document;
    ASSERT_TRUE(document.OnOpenDocument(kSample));
    CServiceArea& room = *DocumentTestAccess::model(document).m_rooms.m_systems[0]->m_rooms[1];
    room.m_fSummerFreshAir = 0;
    room.m_fWinterFreshAir = 0;
    const std::string in = path("in.id");
    ASSERT_TRUE(document.OnSaveDocument(in));
    struct Case {
        std::vector<std::string> options;
        std::string message;
    };
    const Case cases[] = {
        {{"--analysis", "primary", "--system", "0", "--room", "办公室102"},
         "计算错误，请检查输入数据!\n新风量为0，建议改正后重新分析"},
        {{"--analysis", "secondary", "--system", "空调系统1"},
         "计算错误，请检查输入数据!\n\n新风量为0，建议改正后重新分析"},
        {{"--analysis", "freshair", "--system", "0", "--room", "1", "--humidify", "steam", "--heat-to", "18"},
         "计算错误，请检查输入数据!"},
        // W' heated to 120 °C would lie above the drawn chart.
        {{"--analysis", "freshair", "--system", "1", "--room", "0", "--humidify", "steam", "--heat-to", "120",
          "--humidification", "1"},
         "计算错误，请检查输入数据!"},
    };
    const std::string out = path("out.id");
    for (const Case& c : cases) {
        std::vector<std::string> args{in, out};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const Outcome run = analyze(args);
        EXPECT_EQ(run.status, 1) << c.options[1];
        EXPECT_NE(run.err.find(": " + c.message + "\n"), std::string::npos) << run.err;
        EXPECT_FALSE(QFile::exists(QString::fromStdString(out))) << c.options[1];
    }
}

// The sample's views hold only what its analyses placed: no analysis of any
// kind would ask before clearing them.
TEST_F(AnalyzeCommand, SampleViewsHoldNothingTheUserDrew)
{
    CQORVADoc document;
    ASSERT_TRUE(document.OnOpenDocument(kSample));
    const auto& systems = document.model().m_rooms.m_systems;
    for (std::size_t s = 0; s < systems.size(); ++s)
        for (std::size_t r = 0; r < systems[s]->m_rooms.size(); ++r) {
            ASSERT_TRUE(document.SelectSystem(static_cast<int>(s)));
            document.SelectRoom(static_cast<int>(r));
            const CServiceArea& room = *systems[s]->m_rooms[r];
            for (const char* kind : {"primary", "secondary", "fancoil", "freshair"}) {
                AnalysisRequest request = *storedRequest(kind, room);
                if (auto* fresh = std::get_if<FreshAirParams>(&request))
                    fresh->humidifyMode = kHumidifySteam;
                EXPECT_TRUE(DrawnObjectsAnalysisClears(document.model(), request).empty())
                    << room.m_strName << " " << kind;
            }
        }
}

// The window's run (through the document, as the dialog's OK) and the command
// line's run of the same room with the same parameters give the same project
// byte for byte, though the window drew a zoomed chart and laid out a printer
// page before it ran.
TEST_F(AnalyzeCommand, WindowAndCommandLineGiveTheSameProject)
{
    const std::string in = path("zoomed.id");
    {
        CQORVADoc document;
        ASSERT_TRUE(document.OnOpenDocument(kSample));
        ChartRenderer standard(document.model());
        standard.LayoutChart(chart::standardDevice());
        const CanvasRect chart = standard.ChartRectangle();
        const auto window =
            standard.ClipWindow(chart.left + chart.width() / 4, chart.top + chart.height() / 4,
                                chart.left + chart.width() / 2, chart.top + chart.height() / 2);
        ASSERT_TRUE(window.has_value());
        document.ClipChart(*window, chart.left + chart.width() / 4, chart.top + chart.height() / 4);
        ASSERT_GT(document.model().m_fZoom, 1.0f);
        ASSERT_TRUE(document.OnSaveDocument(in));
    }
    struct Case {
        const char* analysis;
        int system, room;
    };
    const Case cases[] = {
        {"primary", 0, 0},  {"secondary", 0, 1}, {"fancoil", 0, 2},
        {"freshair", 1, 0}, {"primary", 0, 3},   {"freshair", 1, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.analysis) + " " + std::to_string(c.system) + "/" + std::to_string(c.room));
        const std::string fromWindow = path("window.id");
        const std::string fromCli = path("cli.id");
        CQORVADoc document;
        ASSERT_TRUE(document.OnOpenDocument(in));
        ASSERT_TRUE(document.SelectSystem(c.system));
        document.SelectRoom(c.room);
        {
            // The view at its own size, then a printer page.
            QImage image(1200, 900, QImage::Format_ARGB32);
            QPainter painter(&image);
            QPainterCanvas canvas(painter);
            ChartRenderer view(document.model());
            ChartDevice screen;
            screen.screenWidth = 1200;
            view.DrawChart(canvas, screen);
            RecordingCanvas page;
            ChartRenderer printer(document.model());
            ChartDevice printing;
            printing.printing = true;
            printer.DrawChart(page, printing);
        }
        const auto& room = *document.model()
                                .m_rooms.m_systems[static_cast<std::size_t>(c.system)]
                                ->m_rooms[static_cast<std::size_t>(c.room)];
        std::string message;
        ASSERT_TRUE(document.RunAnalysis(*storedRequest(c.analysis, room), message)) << message;
        ASSERT_TRUE(document.OnSaveDocument(fromWindow));

        const Outcome run = analyze({in, fromCli, "--analysis", c.analysis, "--system",
                                     std::to_string(c.system), "--room", std::to_string(c.room)});
        ASSERT_EQ(run.status, 0) << run.err;
        const QByteArray window = contents(fromWindow);
        const QByteArray cli = contents(fromCli);
        ASSERT_FALSE(window.isEmpty());
        EXPECT_TRUE(window == cli) << "the projects differ";
    }
}

} // namespace
