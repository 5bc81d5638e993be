#pragma once

#include <vector>

// Command ids of the menus, toolbars and drop-down lists.
namespace cmd {
enum : int {
    FileNew = 57600,
    FileOpen = 57601,
    FileClose = 57602, // 关闭并返回
    FileSave = 57603,
    FileSaveAs = 57604,
    FilePrint = 57607,
    FilePrintPreview = 57609,
    FileMru = 57616,
    AppExit = 57665,
    AppAbout = 57664,
    ImportOldProject = 32926,
    PageSetup = 32831,
    ExportChart = 32819,
    ExportParamPoints = 32820,
    ExportStatePoints = 32922,
    ExportWorkbook = 32951, // 文件 → 导出工作簿
    BasicParams = 32798,
    SystemRoom = 32797,
    Pressure = 32832,
    ElementAttributes = 32830,
    ChartView = 32775,
    PageView = 32774,
    ConditionNormal = 32919,
    ConditionSummer = 32920,
    ConditionWinter = 32921,
    DrawIndependentPoint = 32783,
    DrawMixingPoint = 32811,
    DrawRelatedPoints = 32902,
    DrawEqualEnthalpyPoint = 32903,
    DrawEqualTemperaturePoint = 32904,
    DrawEqualMoisturePoint = 32905,
    DrawPointOnProcessLine = 32906,
    DrawPointOnHhrLine = 32907,
    DrawProcessCrossProcess = 32793,
    DrawProcessCrossHhr = 32794,
    DrawHhrCrossHhr = 32795,
    DrawProcessLine = 32784,
    DrawHhrLine = 32785,
    OutputStatePoint = 32813,
    DrawText = 32812,
    DrawComfortZone = 32928,
    DrawHeatRecoveryPoint = 32952, // 绘图 → 状态点 → 热回收点
    DrawEvaporativePoint = 32953,  // 绘图 → 状态点 → 蒸发冷却点
    CalcParamPoint = 32822,
    CalcAirVolume = 32895,
    CalcHeating = 32894,
    CalcReheat = 32896,
    CalcPreheat = 32924,
    CalcMixingRatio = 32897,
    CalcHhr = 32898,
    CalcHumidification = 32899,
    CalcTreatmentEnthalpy = 32900,
    CalcCoilCooling = 32901,
    CalcEnthalpyDifference = 32923,
    CalcMoistureDifference = 32927,
    AnalysisPrimary = 32917,
    AnalysisSecondary = 32930,
    AnalysisFanCoil = 32934,
    AnalysisFreshAir = 32925,
    AnalysisAnnualFreshAir = 32950,
    ZoomAll = 32773,
    ZoomIn = 32771,
    ZoomOut = 32772,
    Clip = 32850,
    Restore = 32851,
    LabelPoints = 32910,
    LabelProcessLines = 32911,
    LabelHhrLines = 32912,
    ShowHhrLines = 32913,
    EditUndo = 57643,
    EditRedo = 57644,
    Edit = 32828,
    Delete = 32829,
    Pick = 32888,
    ViewToolbar = 59392,
    ViewStatusBar = 59393,
    InfoStatePoint = 32914,
    WeatherFile = 32940,       // 设定 → 气象文件…
    ShowWeatherYear = 32941,   // 查看 → 气象年
    WeatherStatistics = 32942, // 查看 → 气象年统计
    AshraeForm = 32943,        // 查看 → ASHRAE 图
    UnitsSI = 32944,           // 查看 → 单位制 → 国际单位
    UnitsEngineering = 32945,  // 查看 → 单位制 → 工程单位
    UnitsIP = 32946,           // 查看 → 单位制 → 英制单位
    // Toolbar controls.
    SystemList = 32847,
    RoomList = 32846,
    ConditionList = 32933,
    ViewList = 32848,
    ToolbarSystemLabel = 32931,
    ToolbarRoomLabel = 32932,
};
} // namespace cmd

// When a command may be used.
enum class EnableRule {
    Always,         // whatever the document holds
    NeedsProject,   // only while a project is open
    NeedsReportPath // only while a report path is stored
};

// One entry of the command table: id, menu caption (with its "&" mnemonic and
// a tab before the accelerator text, as the menus show it), the status-bar
// prompt and the enabling rule. A command is enabled only when its rule holds
// and a handler has been installed for it.
struct CommandInfo {
    int id;
    const char* caption;
    const char* prompt;
    EnableRule rule;
};

const std::vector<CommandInfo>& commandTable();
const CommandInfo* findCommand(int id);
