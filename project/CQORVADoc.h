#pragma once

#include <QCoreApplication>

#include <QObject>
#include <QUndoStack>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "analysis/AnalysisFramework.h"
#include "chart/ChartForm.h"
#include "render/ChartExport.h"
#include "render/WeatherMap.h"
#include "climate/WeatherStatistics.h"
#include "climate/WeatherYear.h"
#include "model/CIDG.h"

struct AtmosphericData;
struct ChartAttributes;
struct PageMargins;
struct NewProjectData;
class ProjectSnapshotCommand;
class RoomSnapshotCommand;
struct DocumentTestAccess;

// What changed in the document; views and the frame redraw or refill from it.
enum class DocumentChange {
    ProjectReplaced, // new, open or import: everything may differ
    Model,           // objects, design data or settings of the project
    Display,         // label switches, the chart window and other viewing settings
    Selection,       // current system, room, condition or view
    Modified,        // the modified flag or the path changed
};

// One announcement of the document: the kind of change and, where it
// concerns one room's view, that room (system and room index) and condition;
// −1 where the change is not confined to one.
struct DocumentEvent {
    DocumentChange kind = DocumentChange::Model;
    int system = -1;
    int room = -1;
    int condition = -1;
};

// The toolbar drop-down lists as FillToolbarCombos leaves them.
struct ToolbarContents {
    std::vector<std::string> systems;
    std::vector<std::string> rooms;
    int currentSystem = -1; // selection in the system list, −1 none
    int currentRoom = -1;   // selection in the room list, −1 none
    int view = 0;           // 0 chart view, 1 page view
    int condition = 0;      // selection in the condition list
};

// The one project document of the program: it owns the chart model and
// carries out the project lifecycle. Every change of the model is one of its
// operations: views and dialogs read the model and ask the document to change
// it. Each change of project data is one step on the undo stack (a snapshot
// of what it changed, swapped on undo and redo); changes of what is viewed —
// labels, chart or page view, the room and condition shown, the chart
// window — are not. The modified flag is the stack's unclean state plus any
// saved viewing setting changed since the last save. After every change the
// document re-derives what the view shows (base objects, completed states,
// result texts), so drawing only reads.
class CQORVADoc : public QObject {
    Q_OBJECT
public:
    static constexpr int kDefaultPageWidth = 210;  // mm
    static constexpr int kDefaultPageHeight = 297; // mm

    std::string m_strReportPath;
    std::int32_t m_bReturnMode = 0;
    int m_nPageWidth = kDefaultPageWidth;
    int m_nPageHeight = kDefaultPageHeight;
    bool m_bProjectOpen = false;
    std::int32_t m_nReserved = 0;

    explicit CQORVADoc(QObject* parent = nullptr);
    ~CQORVADoc() override;

    // The project as views, dialogs and exports read it.
    const CIDG& model() const { return m_idg; }
    QUndoStack& undoStack() { return m_undoStack; }

    // Lifecycle.
    bool OnNewDocument();
    void ResetPageSize();
    // Opens a project file; on any failure the open project stays as it was
    // and the message says why.
    bool OnOpenDocument(const std::string& path);
    // A recovery copy of a project: opened from recoveryFile like any
    // project, it becomes the project at projectPath (empty for one never
    // saved), marked modified, so saving writes it where it belongs.
    bool OpenRecoveredCopy(const std::string& recoveryFile, const std::string& projectPath);
    // Saves to path (atomically); false with the message shown on failure.
    bool OnSaveDocument(const std::string& path);
    static int ProbeProjectVersion(const std::string& path);
    void ClearSystems();
    void SetReportPath(const std::string& path);
    // Text files and old projects: each calls its core function on m_idg and
    // shows the failure (the model is untouched then).
    //
    // Reads a project description from a parameter file into the document as
    // a new project; false when it cannot be read (start-up then ends).
    bool ImportParameterFile(const std::string& path);
    // The tables of 文件 → 输出 → 状态点 / 参数点, written atomically to path.
    bool ExportStatePoints(const std::string& path);
    bool ExportParamPoints(const std::string& path);
    // 文件 → 导出工作簿: the project as an Excel workbook (project/Workbook.h),
    // with the sheets of the weather year when one is read, its statistics
    // under the chosen filter. Reads the project only; a failure is shown.
    bool ExportWorkbook(const std::string& path) const;
    // The report of close-and-return, to m_strReportPath (nothing when empty).
    bool WriteAnalysisReport();
    // 导入旧工程: appends the old project's systems to the document's; on
    // success the project is open and modified and keeps its path.
    bool ImportOldProject(const std::string& path);

    const std::string& pathName() const { return m_strPathName; }
    void SetPathName(const std::string& path);
    bool IsModified() const { return !m_undoStack.isClean() || m_bViewModified; }
    // Marks the project modified (or saved) beyond what the undo stack says.
    void SetModifiedFlag(bool modified = true);

    // Toolbar lists and selections (viewing changes: not undo steps).
    // Brings a current system or room index that is out of range back to
    // the first, as the lists show it.
    ToolbarContents FillToolbarCombos();
    // Returns false (after the message) when the chosen system has no rooms;
    // an index that names no system or room changes nothing.
    bool SelectSystem(int index);
    void SelectRoom(int index);
    void SelectCondition(int condition);
    void SetChartView(bool chartView);
    int CurrentConditionCode() const;

    // Label switches: display only, no modified flag.
    void TogglePointLabels();
    void ToggleProcessLineLabels();
    void ToggleHhrLineLabels();
    // Shows or hides the ε lines (热湿比线 of the view menu).
    void ToggleHhrLines();

    // The chart window (viewing changes). A clip to a window computed by a
    // renderer from a rubber band, with the first corner of the band in
    // chart pixels; the full chart again.
    void ClipChart(const ChartWindow& window, int firstCornerX, int firstCornerY);
    void RestoreFullChart();
    // Asks views to redraw without a change of the model (a dialog closed).
    void RequestRedraw();

    // Changes of project data by an operation on the model. The edit runs on
    // the current room (ChangeCurrentRoom) or on the whole project
    // (ChangeProject); it returns false to refuse, and then the project is
    // left exactly as it was and no step is recorded. A change that succeeds
    // is one undo step named text, and what it touched is derived again
    // inside that step (every view of the room, or of every room), so that
    // showing a room or condition never changes saved data. An edit that
    // leaves every saved byte as it was (the view shown aside) records no
    // step and leaves the modified flag alone.
    bool ChangeCurrentRoom(const QString& text, const std::function<bool(CIDG&)>& edit);
    bool ChangeProject(const QString& text, const std::function<bool(CIDG&)>& edit);

    // One process analysis of the current room, as its dialog's OK runs it:
    // one undo step named after the analysis. False with the message to show
    // (caption "计算错误") when it fails; the project is then unchanged.
    bool RunAnalysis(const AnalysisRequest& request, std::string& message);

    // Project name and unit system (the basic-parameters dialog's OK).
    void SetBasicParameters(const std::string& projectName, int unitSystem);

    // The new-project wizard's results become the open project at path: the
    // model takes them over (CopyNewProject), the path is set, the project is
    // open and modified, and each condition 0, 1, 2 of the current room is
    // bound in turn, ending on condition 0. The caller saves it.
    void ApplyNewProject(const NewProjectData& data, const std::string& path);
    // A change of the design data (outdoor design states, atmospheric data,
    // systems and rooms): one undo step named text. After the edit every room
    // holding a primary analysis whose inputs (AnalysisInputsOf) the edit
    // changed, or that is new, is analysed again with its stored settings; a
    // failure is shown. False when the edit refused (nothing changed).
    bool ChangeDesign(const QString& text, const std::function<bool(CIDG&)>& edit);
    // The views of the project's rooms that ChangeDesign(edit) would empty of
    // objects the user drew, worked out on a copy: nothing changes here.
    std::vector<ClearedView> DesignChangeClears(const std::function<bool(CIDG&)>& edit) const;
    // What every dialog of design data asks before its OK stores a change
    // (the system–room dialog, the pressure dialog, a weather year used for
    // the project): the analysis command's question, naming the rooms and
    // views, when ChangeDesign(edit) would empty views holding objects the
    // user drew. True when nothing would be lost or the answer is 是; on 否
    // the dialog stays open and nothing is stored.
    bool AskBeforeDesignChange(const std::function<bool(CIDG&)>& edit) const;
    // The system–room dialog's change: its outdoor states and a copy of its
    // systems and rooms replace the project's (the room shown stays where it
    // still exists).
    static std::function<bool(CIDG&)> SystemRoomChange(const CAir_Room& edited);
    // The system–room dialog's OK: SystemRoomChange as a design change; a
    // design state of the room shown that cannot be completed is reported.
    void ApplySystemRoomData(CAir_Room&& edited);
    // The atmospheric-pressure dialog's change: the eight values stored.
    static std::function<bool(CIDG&)> AtmosphereChange(const AtmosphericData& data);
    // The atmospheric-pressure dialog's OK: AtmosphereChange as a design
    // change (the analyses the pressures feed run again), the room shown
    // bound again.
    void SetAtmosphericData(const AtmosphericData& data);
    // The attribute sheet's OK: stores how the chart looks, marks the project
    // modified and redraws.
    void SetChartAttributes(const ChartAttributes& attributes);
    // The page setup's OK: stores the page margins, marks the project modified.
    void SetPageMargins(const PageMargins& margins);

    // The weather year of the project: read from the file chosen by 设定 →
    // 气象文件… and remembered in the settings beside the project, never in
    // the project file. Choosing the file, its filter and how it is drawn
    // are viewing changes (no undo step, no modified flag) announced as
    // Display; a new or opened project starts without a year.
    const WeatherYear* weatherYear() const { return m_weatherYear.get(); }
    const HourFilter& weatherFilter() const { return m_weatherFilter; }
    bool weatherShown() const { return m_bWeatherShown; }
    chart::WeatherMapStyle weatherMapStyle() const { return m_weatherStyle; }
    // Reads the file (climate/WeatherFile.h); the year read is shown, with
    // the filter kept. False with error (naming the file's line) when the
    // file cannot be read; the year before then stays as it was.
    bool LoadWeatherFile(const std::string& path, std::string& error);
    void ClearWeatherYear();
    void SetWeatherFilter(const HourFilter& filter);
    void SetWeatherShown(bool shown);
    void SetWeatherMapStyle(chart::WeatherMapStyle style);
    // The map the chart draws over its grid (worked out when the year, the
    // filter or the style changed); null without a year or while hidden.
    const chart::WeatherMap* weatherMap() const;
    // 用于工程: the summer outdoor point W from the design dry and wet bulb,
    // the winter one from the design dry bulb and relative humidity, the two
    // pressures with the densities computed again as the pressure dialog's
    // OK computes them; one undo step. Then the rooms follow as after the
    // system–room dialog, after the same question. Refused (the message
    // shown, nothing changed) when the year is too short for a value, a state
    // cannot be computed or lies off the chart, or the question is answered 否.
    bool ApplyDesignConditions(const DesignConditions& design);

    // The form the chart is drawn in, the i-d form or the ASHRAE form: a
    // choice of the project, kept in its file. Choosing another is one undo
    // step; choosing the form shown is none.
    const ChartForm& chartForm() const { return chartFormOf(m_idg); }
    void SetChartForm(const ChartForm& form);
    // The unit system every value is shown and typed in (CIDG::kUnits…):
    // one undo step, in which every result and state text is written again
    // in the new units; choosing the system shown is none.
    void SetUnitSystem(int unitSystem);

    // The chart out of the program: a file of any export format, or the
    // printed page. The all-rooms report walks every room and condition and
    // puts the selection back; nothing of the project changes.
    bool ExportChart(const ChartDevice& screen, const std::string& path, const chart::ExportOptions& options,
                     std::string& error);
    bool PrintChart(QPagedPaintDevice& device, const ChartDevice& screen);

signals:
    void changed(const DocumentEvent& event);

private:
    friend class ProjectSnapshotCommand;
    friend class RoomSnapshotCommand;
    friend struct DocumentTestAccess;

    // Binds each condition of the current room in turn, then settles on
    // finalCondition.
    void BindEachCondition(int finalCondition);
    // The year's map made again after the year, its filter or its style
    // changed; announces the change.
    void RemakeWeatherMap();
    void ForgetWeatherYear();
    // Re-derives every condition view of the current room, the one shown last.
    void RefreshRoomViews();
    // Re-derives the current view and announces the change.
    void Refresh(DocumentChange change);
    void NotifyChanged(DocumentChange change);
    // A new project in place of the open one: no undo history, the view
    // re-derived in every room.
    void ReplaceProject(CIDG&& idg);
    // Result texts follow the points they report on (the model's hook).
    void InstallResultTextRebuild();
    void OnCleanChanged();

    CIDG m_idg;
    QUndoStack m_undoStack;
    std::string m_strPathName;
    // A saved viewing setting (the room or system shown, chart or page view)
    // changed since the last save, or a new project not yet saved.
    bool m_bViewModified = false;
    bool m_bLastModified = false;
    std::unique_ptr<WeatherYear> m_weatherYear;
    HourFilter m_weatherFilter;
    bool m_bWeatherShown = false;
    chart::WeatherMapStyle m_weatherStyle = chart::WeatherMapStyle::Density;
    chart::WeatherMap m_weatherMap;
};

namespace doc_messages {
inline constexpr const char* kProjectMissing =
    QT_TRANSLATE_NOOP("CQORVADoc", "对不起，该工程不存在，请确认工程文件是否存在于该目录");
inline constexpr const char* kOldProject =
    QT_TRANSLATE_NOOP("CQORVADoc", "对不起，您不能打开旧工程!请用<导入旧工程>菜单升级旧工程!");
inline constexpr const char* kSystemWithoutRooms =
    QT_TRANSLATE_NOOP("CQORVADoc", "该系统下没有服务区域\n请到[设定|系统-房间]中添加服务区域或者删除该系统");
inline constexpr const char* kYearTooShort =
    QT_TRANSLATE_NOOP("CQORVADoc", "气象年太短，得不出全部室外计算参数。");
inline constexpr const char* kSummerDesignState =
    QT_TRANSLATE_NOOP("CQORVADoc", "夏季室外计算状态无法计算，请检查气象年。");
inline constexpr const char* kWinterDesignState =
    QT_TRANSLATE_NOOP("CQORVADoc", "冬季室外计算状态无法计算，请检查气象年。");
inline constexpr const char* kNoProjectForAnalysis =
    QT_TRANSLATE_NOOP("CQORVADoc", "没有参数用于分析!请在工程下重试!");
// Said once after opening a project whose file held broken references.
inline std::string RepairedObjects(int count)
{
    return QCoreApplication::translate("CQORVADoc",
                                       "工程文件中有 %1 个状态点的引用无效，已将其转化为独立状态点。")
        .arg(count)
        .toStdString();
}
} // namespace doc_messages
