#pragma once

class CMainFrame;

// 图元属性, 页面设置, 焓湿图 (export), 打印 and 打印预览 in the frame.
void installChartOutputCommands(CMainFrame& frame);
