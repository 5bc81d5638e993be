#include "app/CommandTable.h"

const std::vector<CommandInfo>& commandTable()
{
    using R = EnableRule;
    static const std::vector<CommandInfo> table = {
        {cmd::FileNew, "新建工程(&N)\tCtrl+N", "建立新工程", R::Always},
        {cmd::FileOpen, "打开工程(&O)...\tCtrl+O", "打开已有工程", R::Always},
        {cmd::FileSave, "保存(&S)\tCtrl+S", "保存当前工程", R::NeedsProject},
        {cmd::FileSaveAs, "另存为(&A)...", "以新的名称保存当前工程", R::NeedsProject},
        {cmd::ImportOldProject, "导入旧工程", "导入并升级旧版本的工程", R::Always},
        {cmd::FileClose, "关闭并返回(&B)", "输出分析报告并关闭工程", R::NeedsReportPath},
        {cmd::PageSetup, "页面设置(&U)", "设置页边距", R::Always},
        {cmd::FilePrint, "打印(&P)...\tCtrl+P", "打印焓湿图", R::NeedsProject},
        {cmd::FilePrintPreview, "打印预览(&V)", "预览打印效果", R::NeedsProject},
        {cmd::ExportChart, "焓湿图", "输出焓湿图到图元文件", R::NeedsProject},
        {cmd::ExportParamPoints, "参数点", "输出参数点到文本文件", R::NeedsProject},
        {cmd::ExportStatePoints, "状态点", "输出状态点到文本文件", R::NeedsProject},
        {cmd::FileMru, "最近文件", "打开最近使用的工程", R::Always},
        {cmd::AppExit, "退出(&X)", "退出程序", R::Always},
        {cmd::BasicParams, "工程名称及单位制(N)", "设定工程名称及单位制", R::NeedsProject},
        {cmd::SystemRoom, "系统--房间(室内外状态点)(&S)", "设定系统、房间及室内外状态点", R::NeedsProject},
        {cmd::Pressure, "大气压力(&P)", "设定大气压力", R::NeedsProject},
        {cmd::ElementAttributes, "图元属性(&O)", "设定图元属性", R::NeedsProject},
        {cmd::ChartView, "焓湿图视图(&M)", "焓湿图视图", R::Always},
        {cmd::PageView, "页面视图(&P)", "页面视图", R::Always},
        {cmd::ConditionNormal, "普通工况视图(&N)", "普通工况视图", R::NeedsProject},
        {cmd::ConditionSummer, "制冷工况视图(&S)", "夏季工况视图", R::NeedsProject},
        {cmd::ConditionWinter, "制热工况视图(&W)", "冬季工况视图", R::NeedsProject},
        {cmd::DrawIndependentPoint, "独立状态点(&A)", "绘制独立状态点", R::NeedsProject},
        {cmd::DrawMixingPoint, "混合点(&M)", "绘制混合点", R::NeedsProject},
        {cmd::DrawRelatedPoints, "两个相关状态点(&R)", "绘制两个相关状态点", R::NeedsProject},
        {cmd::DrawEqualEnthalpyPoint, "等焓点(&H)", "绘制等焓点", R::NeedsProject},
        {cmd::DrawEqualTemperaturePoint, "等温点(&T)", "绘制等温点", R::NeedsProject},
        {cmd::DrawEqualMoisturePoint, "等含湿量点(&D)", "绘制等含湿量点", R::NeedsProject},
        {cmd::DrawPointOnProcessLine, "同一过程线上的点(&G)", "绘制同一过程线上的点", R::NeedsProject},
        {cmd::DrawPointOnHhrLine, "同一热湿比线上的点(&S)", "绘制同一热湿比线上的点", R::NeedsProject},
        {cmd::DrawProcessCrossProcess, "过程线与过程线的交点(&I)", "绘制过程线与过程线的交点", R::NeedsProject},
        {cmd::DrawProcessCrossHhr, "过程线与热湿比线的交点(&J)", "绘制过程线与热湿比线的交点", R::NeedsProject},
        {cmd::DrawHhrCrossHhr, "热湿比线与热湿比线的交点(&K)", "绘制热湿比线与热湿比线的交点", R::NeedsProject},
        {cmd::DrawProcessLine, "过程线(&G)", "绘制过程线", R::NeedsProject},
        {cmd::DrawHhrLine, "热湿比线(&R)", "绘制热湿比线", R::NeedsProject},
        {cmd::OutputStatePoint, "输出状态点(&P)", "在图上输出状态点参数", R::NeedsProject},
        {cmd::DrawText, "说明性文字(&C)", "添加说明性文字", R::NeedsProject},
        {cmd::DrawComfortZone, "绘制舒适区", "绘制舒适区", R::NeedsProject},
        {cmd::CalcParamPoint, "参数点(&P)", "计算参数点", R::NeedsProject},
        {cmd::CalcAirVolume, "送风量(&F)", "计算送风量", R::NeedsProject},
        {cmd::CalcHeating, "加热量(&J)", "计算加热量", R::NeedsProject},
        {cmd::CalcReheat, "再热量(&Z)", "计算再热量", R::NeedsProject},
        {cmd::CalcPreheat, "预热量(&Y)", "计算预热量", R::NeedsProject},
        {cmd::CalcMixingRatio, "混风比(&W)", "计算混风比", R::NeedsProject},
        {cmd::CalcHhr, "热湿比(&R)", "计算热湿比", R::NeedsProject},
        {cmd::CalcHumidification, "加湿量(&S)", "计算加湿量", R::NeedsProject},
        {cmd::CalcTreatmentEnthalpy, "处理焓差(&C)", "计算处理焓差", R::NeedsProject},
        {cmd::CalcCoilCooling, "空调器处理冷量(&K)", "计算空调器处理冷量", R::NeedsProject},
        {cmd::CalcEnthalpyDifference, "焓差(&H)", "计算焓差", R::NeedsProject},
        {cmd::CalcMoistureDifference, "含湿量差", "计算含湿量差", R::NeedsProject},
        {cmd::AnalysisPrimary, "一次回风系统(&O)", "一次回风系统分析", R::Always},
        {cmd::AnalysisSecondary, "二次回风系统", "二次回风系统分析", R::NeedsProject},
        {cmd::AnalysisFanCoil, "风机盘管加新风系统", "风机盘管加新风系统分析", R::NeedsProject},
        {cmd::AnalysisFreshAir, "新风工况分析", "新风工况分析", R::NeedsProject},
        {cmd::ZoomAll, "全部(&A)", "显示整个焓湿图", R::NeedsProject},
        {cmd::ZoomIn, "放大(&I)", "放大焓湿图", R::NeedsProject},
        {cmd::ZoomOut, "缩小(&O)", "缩小焓湿图", R::NeedsProject},
        {cmd::Clip, "剪裁(&T)", "剪裁焓湿图", R::NeedsProject},
        {cmd::Restore, "还原(&R)", "还原焓湿图", R::NeedsProject},
        {cmd::LabelPoints, "状态点(&P)", "显示或隐藏状态点标注", R::NeedsProject},
        {cmd::LabelProcessLines, "过程线(&G)", "显示或隐藏过程线标注", R::NeedsProject},
        {cmd::LabelHhrLines, "热湿比线(&R)", "显示或隐藏热湿比线标注", R::NeedsProject},
        {cmd::ShowHhrLines, "热湿比线(&H)", "显示或隐藏热湿比线", R::NeedsProject},
        {cmd::Edit, "编辑(&E)", "编辑选中的对象", R::NeedsProject},
        {cmd::Delete, "删除(&D)", "删除选中的对象", R::NeedsProject},
        {cmd::Pick, "拾取", "拾取图上的对象", R::NeedsProject},
        {cmd::ViewToolbar, "工具栏(&T)", "显示或隐藏工具栏", R::Always},
        {cmd::ViewStatusBar, "状态栏(&S)", "显示或隐藏状态栏", R::Always},
        {cmd::InfoStatePoint, "状态点(&P)", "查看状态点参数", R::NeedsProject},
        {cmd::AppAbout, "关于 QORVA(&A)...", "显示程序信息", R::Always},
    };
    return table;
}

const CommandInfo* findCommand(int id)
{
    for (const CommandInfo& info : commandTable())
        if (info.id == id)
            return &info;
    return nullptr;
}
