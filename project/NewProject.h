#pragma once

#include <QtGlobal>

#include <string>

#include <QtGlobal>

#include "model/CAir_Room.h"
#include "project/Atmosphere.h"

class CIDG;

// What the new-project wizard collects: the project name and unit system
// (page 1), the outdoor design states and the systems with their rooms
// (page 2), the atmospheric values (page 3).
struct NewProjectData {
    std::string projectName;
    int unitSystem = 1; // 1 SI, 0 engineering units (CIDG::m_nUnitSystem)
    CAir_Room rooms;    // outdoor design states and systems; loads in kW
    AtmosphericData atmosphere;
};

// Copies the wizard's results into the chart model: unit system, name,
// outdoor design states, the systems (each room a new room with the defaults,
// then the wizard's name, indoor states and loads) and the atmospheric
// values. The previous systems and rooms are discarded; every other setting
// of the model (display, fonts, margins, view, window, current indices) stays.
void CopyNewProject(const NewProjectData& data, CIDG& idg);

// The project file a new project goes to: folder, a separator unless the
// folder already ends with one, the name and ".ID".
std::string ProjectLocation(const std::string& folder, const std::string& name);

// The refusals of the new-project folder dialog, translated there.
namespace new_project_messages {
inline constexpr const char* kNoExtension = QT_TRANSLATE_NOOP("NewProject", "不可以输入扩展名!");
inline constexpr const char* kProjectExists = QT_TRANSLATE_NOOP("NewProject", "工程已经存在!");
inline constexpr const char* kCannotCreateFolder = QT_TRANSLATE_NOOP("NewProject", "无法创建文件夹!");
inline constexpr const char* kFolderNotWritable =
    QT_TRANSLATE_NOOP("NewProject", "无法在该文件夹中保存工程，请选择其他文件夹!");
} // namespace new_project_messages
