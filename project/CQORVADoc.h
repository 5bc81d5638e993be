#pragma once

#include <QObject>

#include <cstdint>
#include <string>
#include <vector>

#include "model/CIDG.h"

struct AtmosphericData;
struct ChartAttributes;
struct PageMargins;
struct NewProjectData;

// What changed in the document; views and the frame redraw or refill from it.
enum class DocumentChange {
    ProjectReplaced,  // new, open or import: everything may differ
    Model,            // objects, design data or settings of the project
    Display,          // label switches and other display-only settings
    Selection,        // current system, room, condition or view
    Modified,         // the modified flag or the path changed
};

// The toolbar drop-down lists as FillToolbarCombos leaves them.
struct ToolbarContents {
    std::vector<std::string> systems;
    std::vector<std::string> rooms;
    int currentSystem = -1;  // selection in the system list, −1 none
    int currentRoom = -1;    // selection in the room list, −1 none
    int view = 0;            // 0 chart view, 1 page view
    int condition = 0;       // selection in the condition list
};

// The one project document of the program: it owns the chart model and
// carries out the project lifecycle. Every change of the model goes through
// it, so redraws and the modified flag have one place to hook into.
class CQORVADoc : public QObject {
    Q_OBJECT
public:
    static constexpr int kDefaultPageWidth = 210;   // mm
    static constexpr int kDefaultPageHeight = 297;  // mm

    CIDG m_idg;
    std::string m_strReportPath;
    std::int32_t m_bReturnMode = 0;
    int m_nPageWidth = kDefaultPageWidth;
    int m_nPageHeight = kDefaultPageHeight;
    bool m_bProjectOpen = false;
    std::int32_t m_nReserved = 0;

    explicit CQORVADoc(QObject* parent = nullptr);

    // Lifecycle.
    bool OnNewDocument();
    void ResetPageSize();
    // Opens a project file; on any failure the open project stays as it was
    // and the message says why.
    bool OnOpenDocument(const std::string& path);
    // Saves to path (atomically); false with the message shown on failure.
    bool OnSaveDocument(const std::string& path);
    static int ProbeProjectVersion(const std::string& path);
    void ClearSystems();
    void SetReportPath(const std::string& path);
    // Reads a project description from a parameter file; false when it
    // cannot be read (start-up then ends).
    bool ImportParameterFile(const std::string& path);

    const std::string& pathName() const { return m_strPathName; }
    void SetPathName(const std::string& path);
    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool modified = true);

    // Toolbar lists and selections.
    ToolbarContents FillToolbarCombos();
    // Returns false (after the message) when the chosen system has no rooms.
    bool SelectSystem(int index);
    void SelectRoom(int index);
    void SelectCondition(int condition);
    void SetChartView(bool chartView);
    int CurrentConditionCode() const;

    // Label switches: display only, no modified flag.
    void TogglePointLabels();
    void ToggleProcessLineLabels();
    void ToggleHhrLineLabels();

    // Project name and unit system (the basic-parameters dialog's OK).
    void SetBasicParameters(const std::string& projectName, int unitSystem);

    // The new-project wizard's results become the open project at path: the
    // model takes them over (CopyNewProject), the path is set, the project is
    // open and modified, and each condition 0, 1, 2 of the current room is
    // bound in turn, ending on condition 0. The caller saves it.
    void ApplyNewProject(const NewProjectData& data, const std::string& path);
    // The system–room dialog's OK: its outdoor states and its systems and
    // rooms (a full working copy) replace the project's; every condition of
    // the current room is rebound and its condition restored.
    void ApplySystemRoomData(CAir_Room&& edited);
    // The atmospheric-pressure dialog's OK: stores the eight values, marks
    // the project modified and rebinds the current room.
    void SetAtmosphericData(const AtmosphericData& data);
    // The attribute sheet's OK: stores how the chart looks, marks the project
    // modified and redraws.
    void SetChartAttributes(const ChartAttributes& attributes);
    // The page setup's OK: stores the page margins, marks the project modified.
    void SetPageMargins(const PageMargins& margins);

    // Announces a change of the model made through the document.
    void NotifyChanged(DocumentChange change);

signals:
    void changed(DocumentChange change);

private:
    // Binds each condition of the current room in turn, then settles on
    // finalCondition.
    void BindEachCondition(int finalCondition);

    std::string m_strPathName;
    bool m_bModified = false;
};

namespace doc_messages {
inline constexpr const char* kProjectMissing = "对不起，该工程不存在，请确认工程文件是否存在于该目录";
inline constexpr const char* kOldProject = "对不起，您不能打开旧工程!请用<导入旧工程>菜单升级旧工程!";
inline constexpr const char* kSystemWithoutRooms =
    "该系统下没有服务区域\n请到[设定|系统-房间]中添加服务区域或者删除该系统";
inline constexpr const char* kNoProjectForAnalysis = "没有参数用于分析!请在工程下重试!";
}  // namespace doc_messages
