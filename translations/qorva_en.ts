<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>AboutDialog</name>
    <message>
        <source>关于QORVA %1</source>
        <translation>About QORVA %1</translation>
    </message>
    <message>
        <source>焓湿图绘制与空调过程分析</source>
        <translation>Psychrometric chart (i-d chart) drawing and air-conditioning process analysis</translation>
    </message>
    <message>
        <source>版权所有 侵权必究</source>
        <translation>All rights reserved</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>AnalysisFramework</name>
    <message>
        <source>获得当前房间信息</source>
        <translation>Reading the current room</translation>
    </message>
    <message>
        <source>状态点索引无效</source>
        <translation>Invalid state point index</translation>
    </message>
    <message>
        <source>无法添加结果文字</source>
        <translation>Cannot add the result text</translation>
    </message>
    <message>
        <source>一次回风系统</source>
        <translation>Primary return air system</translation>
    </message>
    <message>
        <source>二次回风系统</source>
        <translation>Secondary return air system</translation>
    </message>
    <message>
        <source>风机盘管加新风系统</source>
        <translation>Fan coil with dedicated outdoor air system</translation>
    </message>
    <message>
        <source>新风工况分析</source>
        <translation>Outdoor air unit analysis</translation>
    </message>
    <message>
        <source>计算错误</source>
        <translation>Calculation error</translation>
    </message>
    <message>
        <source>计算错误，请检查输入数据!</source>
        <translation>Calculation error, please check the input data!</translation>
    </message>
    <message>
        <source>计算发生异常，请检查输入数据!</source>
        <translation>An exception occurred in the calculation, please check the input data!</translation>
    </message>
    <message>
        <source>没有参数用于分析!请在工程下重试!</source>
        <translation>No parameters to analyse! Please open a project and try again!</translation>
    </message>
    <message>
        <source>新风量为0，建议改正后重新分析</source>
        <translation>The outdoor air flow rate is 0; please correct it and analyse again</translation>
    </message>
    <message>
        <source>无法进行在设定参数下进行工况分析
</source>
        <translation>Cannot run the condition analysis with the settings given
</translation>
    </message>
    <message>
        <source>试算100000步仍未找到满足条件的状态点</source>
        <translation>No state point meeting the conditions was found after 100000 trial steps</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>机器露点必须为0－100间的实数!</source>
        <translation>The apparatus dew point must be a real number between 0 and 100!</translation>
    </message>
    <message>
        <source>送风温差必须为大于零的实数!</source>
        <translation>The supply air temperature difference must be a real number greater than zero!</translation>
    </message>
    <message>
        <source>最大送风温差</source>
        <translation>Maximum difference</translation>
    </message>
    <message>
        <source>请输入一个在 0 和 1000 之间的数。</source>
        <translation>Enter a number between 0 and 1000.</translation>
    </message>
    <message>
        <source>风机温升应为不小于零的实数!</source>
        <translation>The fan temperature rise must be a real number not below zero!</translation>
    </message>
    <message>
        <source>机器露点必须为1－100间的整数!</source>
        <translation>The apparatus dew point must be a whole number from 1 to 100!</translation>
    </message>
    <message>
        <source>普通工况</source>
        <translation>normal</translation>
    </message>
    <message>
        <source>制冷工况</source>
        <translation>cooling</translation>
    </message>
    <message>
        <source>制热工况</source>
        <translation>heating</translation>
    </message>
    <message>
        <source>%1/%2：%3</source>
        <translation>%1/%2: %3</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>运行分析将清除以下视图中您绘制的 %1 个对象，是否继续？
%2</source>
        <translation>Running the analysis clears the %1 objects you drew in these views. Continue?
%2</translation>
    </message>
    <message>
        <source>运行分析将清除以下视图中您绘制的 1 个对象，是否继续？
%1</source>
        <translation>Running the analysis clears the 1 object you drew in this view. Continue?
%1</translation>
    </message>
    <message>
        <source>热回收效率必须为0到1之间的数!</source>
        <translation>The heat recovery effectiveness must lie between 0 and 1!</translation>
    </message>
</context>
<context>
    <name>AnalysisLabels</name>
    <message>
        <source>室内点</source>
        <translation>Indoor point</translation>
    </message>
    <message>
        <source>室外点</source>
        <translation>Outdoor point</translation>
    </message>
    <message>
        <source>混合点</source>
        <translation>Mixing point</translation>
    </message>
    <message>
        <source>送风点</source>
        <translation>Supply air point</translation>
    </message>
    <message>
        <source>盘管出风点</source>
        <translation>Coil outlet point</translation>
    </message>
    <message>
        <source>新风机组加热后</source>
        <translation>Outdoor air unit after heating</translation>
    </message>
    <message>
        <source>新风机组出风点</source>
        <translation>Outdoor air unit outlet point</translation>
    </message>
    <message>
        <source>空调器进风状态点参数W</source>
        <translation>Air handling unit inlet state W</translation>
    </message>
    <message>
        <source>空调器出风状态点参数L</source>
        <translation>Air handling unit outlet state L</translation>
    </message>
    <message>
        <source>加热盘管进风状态点参数W</source>
        <translation>Heating coil inlet state W</translation>
    </message>
    <message>
        <source>加热盘管出风状态点参数W&apos;</source>
        <translation>Heating coil outlet state W&apos;</translation>
    </message>
    <message>
        <source>空调器进风状态点参数C</source>
        <translation>Air handling unit inlet state C</translation>
    </message>
    <message>
        <source>空调器出风状态点参数O</source>
        <translation>Air handling unit outlet state O</translation>
    </message>
    <message>
        <source>送风状态点O</source>
        <translation>Supply air state O</translation>
    </message>
    <message>
        <source>加热盘管进风状态点C</source>
        <translation>Heating coil inlet state C</translation>
    </message>
    <message>
        <source>加热盘管出风状态点M</source>
        <translation>Heating coil outlet state M</translation>
    </message>
    <message>
        <source>空调器进风状态点</source>
        <translation>Air handling unit inlet state</translation>
    </message>
    <message>
        <source>空调器出风状态点</source>
        <translation>Air handling unit outlet state</translation>
    </message>
    <message>
        <source>送风状态点</source>
        <translation>Supply air state</translation>
    </message>
    <message>
        <source>预热后点</source>
        <translation>After preheating</translation>
    </message>
    <message>
        <source>一次混风点</source>
        <translation>First mixing point</translation>
    </message>
    <message>
        <source>加湿后点</source>
        <translation>After humidification</translation>
    </message>
    <message>
        <source>二次混风点</source>
        <translation>Second mixing point</translation>
    </message>
    <message>
        <source>预热后出风温度</source>
        <translation>Air temperature after preheating</translation>
    </message>
    <message>
        <source>新风比</source>
        <translation>Outdoor air ratio</translation>
    </message>
    <message>
        <source>送风温差</source>
        <translation>Supply air temperature difference</translation>
    </message>
    <message>
        <source>一次回风量</source>
        <translation>Primary return air flow rate</translation>
    </message>
    <message>
        <source>二次回风量</source>
        <translation>Secondary return air flow rate</translation>
    </message>
    <message>
        <source>风机盘管制冷量</source>
        <translation>Fan coil cooling capacity</translation>
    </message>
    <message>
        <source>新风空调器制冷量</source>
        <translation>Outdoor air unit cooling capacity</translation>
    </message>
    <message>
        <source>盘管加热量</source>
        <translation>Coil heating load</translation>
    </message>
    <message>
        <source>热回收后点</source>
        <translation>After heat recovery</translation>
    </message>
    <message>
        <source>热回收器进风状态点参数W</source>
        <translation>Heat exchanger inlet state W</translation>
    </message>
    <message>
        <source>空调器进风状态点参数W1</source>
        <translation>Air handling unit inlet state W1</translation>
    </message>
    <message>
        <source>加热盘管进风状态点参数W1</source>
        <translation>Heating coil inlet state W1</translation>
    </message>
</context>
<context>
    <name>AnalysisReport</name>
    <message>
        <source>%1
系统：%2     服务区域：%3：设计状态点无法计算或分析结果与图上的状态点不符</source>
        <translation>%1
System: %2     Room: %3: the design state points cannot be calculated, or the analysis results do not match the points on the chart</translation>
    </message>
    <message>
        <source>该路径下原有的报告已删除。</source>
        <translation>The report previously at this path was deleted.</translation>
    </message>
    <message>
        <source>该路径下原有的报告无法删除，其内容不是本次的结果。</source>
        <translation>The report previously at this path could not be deleted; its content is not the result of this run.</translation>
    </message>
</context>
<context>
    <name>Archive</name>
    <message>
        <source>%1（位置 %2）</source>
        <translation>%1 (offset %2)</translation>
    </message>
    <message>
        <source>文件不完整，数据意外结束</source>
        <translation>The file is incomplete: the data ends unexpectedly</translation>
    </message>
    <message>
        <source>文件不完整，字符串长度超出文件末尾</source>
        <translation>The file is incomplete: a string runs past the end of the file</translation>
    </message>
    <message>
        <source>元素数目超出了文件长度</source>
        <translation>The number of elements exceeds the file length</translation>
    </message>
    <message>
        <source>数目为负数</source>
        <translation>Negative count</translation>
    </message>
    <message>
        <source>数目超出了文件长度</source>
        <translation>The count exceeds the file length</translation>
    </message>
    <message>
        <source>对象的类型引用无效</source>
        <translation>Invalid object type reference</translation>
    </message>
    <message>
        <source>未知的对象类型“%1”</source>
        <translation>Unknown object type &quot;%1&quot;</translation>
    </message>
    <message>
        <source>对象类型“%1”的版本号 %2 不受支持</source>
        <translation>Version %2 of object type &quot;%1&quot; is not supported</translation>
    </message>
    <message>
        <source>对象列表中有空元素</source>
        <translation>Empty element in an object list</translation>
    </message>
    <message>
        <source>同一对象在文件中出现了多次</source>
        <translation>The same object occurs more than once in the file</translation>
    </message>
    <message>
        <source>对象列表中出现了类型不符的对象“%1”</source>
        <translation>Object of the wrong type &quot;%1&quot; in an object list</translation>
    </message>
</context>
<context>
    <name>Atmosphere</name>
    <message>
        <source>大气压力必须大于零!</source>
        <translation>The atmospheric pressure must be greater than zero!</translation>
    </message>
    <message>
        <source>空气密度计算错误，请检查数据!</source>
        <translation>Air density calculation error, please check the data!</translation>
    </message>
</context>
<context>
    <name>Binding</name>
    <message>
        <source>室外状态点参数错误!</source>
        <translation>Outdoor state point parameters are invalid!</translation>
    </message>
    <message>
        <source>室内状态点参数错误!</source>
        <translation>Indoor state point parameters are invalid!</translation>
    </message>
</context>
<context>
    <name>CAir_Room</name>
    <message>
        <source>对不起，系统中没有该系统名称!</source>
        <translation>Sorry, there is no system of that name!</translation>
    </message>
    <message>
        <source>对不起，系统中没有指定的系统名称!</source>
        <translation>Sorry, the specified system does not exist!</translation>
    </message>
    <message>
        <source>对不起,在指定的系统中没有指定的服务区域!</source>
        <translation>Sorry, the specified room does not exist in the specified system!</translation>
    </message>
    <message>
        <source>对不起，该指定系统中没有任何服务区域!</source>
        <translation>Sorry, the specified system has no rooms!</translation>
    </message>
</context>
<context>
    <name>CAnalysisDlg</name>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>冬季工况</source>
        <translation>Winter Conditions</translation>
    </message>
    <message>
        <source>无热回收</source>
        <translation>No heat recovery</translation>
    </message>
    <message>
        <source>全热回收</source>
        <translation>Total heat recovery</translation>
    </message>
    <message>
        <source>显热回收</source>
        <translation>Sensible heat recovery</translation>
    </message>
    <message>
        <source>排风热回收</source>
        <translation>Exhaust heat recovery</translation>
    </message>
    <message>
        <source>热回收效率(0-1)</source>
        <translation>Recovery effectiveness (0-1)</translation>
    </message>
</context>
<context>
    <name>CAnnualFreshAirDlg</name>
    <message>
        <source>全年新风能耗</source>
        <translation>Yearly Fresh-Air Energy</translation>
    </message>
    <message>
        <source>气象年：%1（%2 小时）</source>
        <translation>Weather year: %1 (%2 hours)</translation>
    </message>
    <message>
        <source>房间</source>
        <translation>Room</translation>
    </message>
    <message>
        <source>系统</source>
        <translation>System</translation>
    </message>
    <message>
        <source>取自房间的新风量</source>
        <translation>The room&apos;s outdoor air volumes</translation>
    </message>
    <message>
        <source>输入</source>
        <translation>Typed</translation>
    </message>
    <message>
        <source>kg/h（制冷、制热相同）</source>
        <translation>kg/h (cooling and heating alike)</translation>
    </message>
    <message>
        <source>新风量</source>
        <translation>Outdoor air</translation>
    </message>
    <message>
        <source> 时</source>
        <translation>:00</translation>
    </message>
    <message>
        <source>每天</source>
        <translation>Every day from</translation>
    </message>
    <message>
        <source>至</source>
        <translation>to</translation>
    </message>
    <message>
        <source>（跨越午夜时如 22 至 6）</source>
        <translation>(across midnight: 22 to 6, for example)</translation>
    </message>
    <message>
        <source>运行时段</source>
        <translation>Operating hours</translation>
    </message>
    <message>
        <source>无</source>
        <translation>None</translation>
    </message>
    <message>
        <source>全热回收</source>
        <translation>Total heat recovery</translation>
    </message>
    <message>
        <source>显热回收</source>
        <translation>Sensible heat recovery</translation>
    </message>
    <message>
        <source>效率</source>
        <translation>Effectiveness</translation>
    </message>
    <message>
        <source>热回收</source>
        <translation>Heat recovery</translation>
    </message>
    <message>
        <source>新风量 kg/h
制冷/制热</source>
        <translation>Outdoor air kg/h
cooling/heating</translation>
    </message>
    <message>
        <source>方案</source>
        <translation>Case</translation>
    </message>
    <message>
        <source>供冷
kWh</source>
        <translation>Cooling
kWh</translation>
    </message>
    <message>
        <source>供冷
小时</source>
        <translation>Cooling
hours</translation>
    </message>
    <message>
        <source>冷量峰值
kW</source>
        <translation>Peak cooling
kW</translation>
    </message>
    <message>
        <source>冷量峰值
时刻</source>
        <translation>Peak cooling
at</translation>
    </message>
    <message>
        <source>供热
kWh</source>
        <translation>Heating
kWh</translation>
    </message>
    <message>
        <source>供热
小时</source>
        <translation>Heating
hours</translation>
    </message>
    <message>
        <source>热量峰值
kW</source>
        <translation>Peak heating
kW</translation>
    </message>
    <message>
        <source>热量峰值
时刻</source>
        <translation>Peak heating
at</translation>
    </message>
    <message>
        <source>月份</source>
        <translation>Month</translation>
    </message>
    <message>
        <source>供冷 kWh
无热回收</source>
        <translation>Cooling kWh
no recovery</translation>
    </message>
    <message>
        <source>供冷 kWh
热回收</source>
        <translation>Cooling kWh
with recovery</translation>
    </message>
    <message>
        <source>供热 kWh
无热回收</source>
        <translation>Heating kWh
no recovery</translation>
    </message>
    <message>
        <source>供热 kWh
热回收</source>
        <translation>Heating kWh
with recovery</translation>
    </message>
    <message>
        <source>全年</source>
        <translation>Year</translation>
    </message>
    <message>
        <source>逐月</source>
        <translation>Months</translation>
    </message>
    <message>
        <source>供冷（无热回收）</source>
        <translation>Cooling (no recovery)</translation>
    </message>
    <message>
        <source>供冷（热回收）</source>
        <translation>Cooling (with recovery)</translation>
    </message>
    <message>
        <source>供热（无热回收）</source>
        <translation>Heating (no recovery)</translation>
    </message>
    <message>
        <source>供热（热回收）</source>
        <translation>Heating (with recovery)</translation>
    </message>
    <message>
        <source>%1月</source>
        <translation>Month %1</translation>
    </message>
    <message>
        <source>kWh</source>
        <translation>kWh</translation>
    </message>
    <message>
        <source>复制表格</source>
        <translation>Copy Tables</translation>
    </message>
    <message>
        <source>保存图表…</source>
        <translation>Save Chart...</translation>
    </message>
    <message>
        <source>保存图表</source>
        <translation>Save Chart</translation>
    </message>
    <message>
        <source>PNG 图像 (*.png);;SVG 图形 (*.svg)</source>
        <translation>PNG image (*.png);;SVG drawing (*.svg)</translation>
    </message>
    <message>
        <source>本系统全部房间</source>
        <translation>Every room of the system</translation>
    </message>
    <message>
        <source>房间“%1”没有新风量：请在“系统--房间”中填写夏季或冬季新风量，或在此输入新风量。</source>
        <translation>Room &quot;%1&quot; has no outdoor air: enter its summer or winter outdoor air volume under &quot;System--Room&quot;, or type a flow here.</translation>
    </message>
    <message>
        <source>房间“%1”的新风量无法换算为 kg/h：工程没有该季节的空气密度，请在“大气压力”中设定，或在此输入新风量。</source>
        <translation>The outdoor air of room &quot;%1&quot; cannot be turned into kg/h: the project has no air density for that season; set it under &quot;Atmospheric Pressure&quot;, or type a flow here.</translation>
    </message>
    <message>
        <source>房间“%1”的室内设计状态点无法计算。</source>
        <translation>The indoor design state of room &quot;%1&quot; cannot be computed.</translation>
    </message>
    <message>
        <source>没有气象文件：请先用“设定 → 气象文件…”选择一个逐时气象年（EPW 或 CSV）。</source>
        <translation>No weather file: choose an hourly weather year (EPW or CSV) with &quot;Settings → Weather File...&quot; first.</translation>
    </message>
    <message>
        <source>运行时段 %1 至 %2 时不含任何小时。</source>
        <translation>The operating hours %1 to %2 hold no hour.</translation>
    </message>
    <message>
        <source>请输入大于零的新风量（kg/h）。</source>
        <translation>Type an outdoor air flow greater than zero (kg/h).</translation>
    </message>
    <message>
        <source>制冷、制热 %1 kg/h</source>
        <translation>cooling and heating %1 kg/h</translation>
    </message>
    <message>
        <source>制冷 %1 m³/h × %2 kg/m³ = %3 kg/h，制热 %4 m³/h × %5 kg/m³ = %6 kg/h</source>
        <translation>cooling %1 m³/h × %2 kg/m³ = %3 kg/h, heating %4 m³/h × %5 kg/m³ = %6 kg/h</translation>
    </message>
    <message>
        <source>%1；室内 N：制冷 %2℃ %3% %4 kJ/kg，制热 %5℃ %6% %7 kJ/kg；运行 %8 小时/年</source>
        <translation>%1; indoor N: cooling %2 °C %3% %4 kJ/kg, heating %5 °C %6% %7 kJ/kg; %8 hours a year operated</translation>
    </message>
    <message>
        <source>运行 %1 小时/年</source>
        <translation>%1 hours a year operated</translation>
    </message>
    <message>
        <source>%1月%2日 %3:00</source>
        <translation>%1-%2 %3:00</translation>
    </message>
    <message>
        <source>无热回收</source>
        <translation>No recovery</translation>
    </message>
    <message>
        <source>%1 %2%</source>
        <translation>%1 %2%</translation>
    </message>
    <message>
        <source>节省</source>
        <translation>Saving</translation>
    </message>
    <message>
        <source>合计</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>，每天 %1 至 %2 时</source>
        <translation>, daily %1:00 to %2:00</translation>
    </message>
    <message>
        <source>，%1 %2%</source>
        <translation>, %1 %2%</translation>
    </message>
    <message>
        <source>逐月新风能耗：%1</source>
        <translation>Monthly outdoor air energy: %1</translation>
    </message>
    <message>
        <source>无法保存图表：%1</source>
        <translation>The chart cannot be saved: %1</translation>
    </message>
</context>
<context>
    <name>CAtmosphereGroup</name>
    <message>
        <source>空气含湿量:</source>
        <translation>Air moisture content:</translation>
    </message>
    <message>
        <source>空气干球湿度:</source>
        <translation>Air dry-bulb temperature:</translation>
    </message>
    <message>
        <source>所得密度:</source>
        <translation>Resulting density:</translation>
    </message>
</context>
<context>
    <name>CBasicParamsDlg</name>
    <message>
        <source>基本参数输入框</source>
        <translation>Basic Parameters</translation>
    </message>
    <message>
        <source>工程名称:</source>
        <translation>Project name:</translation>
    </message>
    <message>
        <source>单位制</source>
        <translation>Unit system</translation>
    </message>
    <message>
        <source>国际单位制</source>
        <translation>SI units</translation>
    </message>
    <message>
        <source>工程单位制</source>
        <translation>Engineering units</translation>
    </message>
    <message>
        <source>英制单位制(IP)</source>
        <translation>Inch-pound (IP)</translation>
    </message>
</context>
<context>
    <name>CBuilderDlg</name>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>干球温度℃</source>
        <translation>Dry-bulb temperature °C</translation>
    </message>
    <message>
        <source>湿球温度℃</source>
        <translation>Wet-bulb temperature °C</translation>
    </message>
    <message>
        <source>相对湿度％</source>
        <translation>Relative humidity %</translation>
    </message>
</context>
<context>
    <name>CComfortZoneDlg</name>
    <message>
        <source>自定义</source>
        <translation>Custom</translation>
    </message>
    <message>
        <source>GB 50736 供冷 I级</source>
        <translation>GB 50736 cooling, class I</translation>
    </message>
    <message>
        <source>GB 50736 供冷 II级</source>
        <translation>GB 50736 cooling, class II</translation>
    </message>
    <message>
        <source>GB 50736 供热 I级</source>
        <translation>GB 50736 heating, class I</translation>
    </message>
    <message>
        <source>GB 50736 供热 II级</source>
        <translation>GB 50736 heating, class II</translation>
    </message>
    <message>
        <source>PMV 舒适区</source>
        <translation>PMV comfort zone</translation>
    </message>
    <message>
        <source>超出适用范围</source>
        <translation>Out of range</translation>
    </message>
    <message>
        <source>绘制舒适区</source>
        <translation>Draw Comfort Zone</translation>
    </message>
    <message>
        <source>基点（室内状态点）:</source>
        <translation>Base point (indoor state point):</translation>
    </message>
    <message>
        <source>舒适区依据:</source>
        <translation>Comfort zone by:</translation>
    </message>
    <message>
        <source>温度波动范围(℃)：</source>
        <translation>Temperature tolerance (°C):</translation>
    </message>
    <message>
        <source>相对湿度波动范围(%):</source>
        <translation>Relative humidity tolerance (%):</translation>
    </message>
    <message>
        <source>I级 |PMV| ≤ 0.5</source>
        <translation>Class I |PMV| ≤ 0.5</translation>
    </message>
    <message>
        <source>II级 |PMV| ≤ 1.0</source>
        <translation>Class II |PMV| ≤ 1.0</translation>
    </message>
    <message>
        <source>输入限值</source>
        <translation>Enter a limit</translation>
    </message>
    <message>
        <source>PMV 限值:</source>
        <translation>PMV limit:</translation>
    </message>
    <message>
        <source>限值 |PMV| ≤</source>
        <translation>Limit |PMV| ≤</translation>
    </message>
    <message>
        <source>代谢率(met):</source>
        <translation>Metabolic rate (met):</translation>
    </message>
    <message>
        <source>服装热阻(clo):</source>
        <translation>Clothing insulation (clo):</translation>
    </message>
    <message>
        <source>空气流速(m/s):</source>
        <translation>Air speed (m/s):</translation>
    </message>
    <message>
        <source>相对湿度下限(%):</source>
        <translation>Relative humidity, lower limit (%):</translation>
    </message>
    <message>
        <source>相对湿度上限(%):</source>
        <translation>Relative humidity, upper limit (%):</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>未规定</source>
        <translation>not specified</translation>
    </message>
    <message>
        <source>GB 50736-2012 表3.0.2：%1–%2 ℃，相对湿度 %3 至 %4。</source>
        <translation>GB 50736-2012 Table 3.0.2: %1–%2 °C, relative humidity %3 to %4.</translation>
    </message>
    <message>
        <source>下限未规定，取图的下边界（相对湿度 0%）。</source>
        <translation>No lower limit is specified: the chart&apos;s lower edge (relative humidity 0%) is taken.</translation>
    </message>
    <message>
        <source>上限未规定，取图的饱和线（相对湿度 100%）。</source>
        <translation>No upper limit is specified: the chart&apos;s saturation line (relative humidity 100%) is taken.</translation>
    </message>
    <message>
        <source>ISO 7730 / GB 50736-2012 3.0.4：PMV = ±限值的两条线（平均辐射温度取空气温度）与相对湿度上下限围成的区域。</source>
        <translation>ISO 7730 / GB 50736-2012 3.0.4: the area between the two lines PMV = ±limit (mean radiant temperature taken equal to the air temperature) and the lower and upper relative humidity limits.</translation>
    </message>
    <message>
        <source>以基点为中心，温度与相对湿度各向两侧波动。</source>
        <translation>Centred on the base point, with the temperature and relative humidity tolerances on either side.</translation>
    </message>
    <message>
        <source>请输入PMV舒适区的全部参数</source>
        <translation>Enter every parameter of the PMV comfort zone</translation>
    </message>
    <message>
        <source>PMV限值须大于0且不大于3</source>
        <translation>the PMV limit must be greater than 0 and not above 3</translation>
    </message>
    <message>
        <source>相对湿度下限须小于上限，且在0－100之间</source>
        <translation>the lower relative humidity limit must be below the upper one, both between 0 and 100</translation>
    </message>
    <message>
        <source>代谢率须在0.8－4 met之间</source>
        <translation>the metabolic rate must be between 0.8 and 4 met</translation>
    </message>
    <message>
        <source>服装热阻须在0－2 clo之间</source>
        <translation>the clothing insulation must be between 0 and 2 clo</translation>
    </message>
    <message>
        <source>空气流速须在0－1 m/s之间</source>
        <translation>the air speed must be between 0 and 1 m/s</translation>
    </message>
    <message>
        <source>PMV = ±限值在10－30℃之间达不到</source>
        <translation>PMV = ±limit is not reached between 10 and 30 °C</translation>
    </message>
    <message>
        <source>无法绘制PMV舒适区：%1</source>
        <translation>Cannot draw the PMV comfort zone: %1</translation>
    </message>
</context>
<context>
    <name>CConditionPointPage</name>
    <message>
        <source>状态点</source>
        <translation>State Points</translation>
    </message>
    <message>
        <source>右上</source>
        <translation>Upper right</translation>
    </message>
    <message>
        <source>右</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>右下</source>
        <translation>Lower right</translation>
    </message>
    <message>
        <source>下</source>
        <translation>Below</translation>
    </message>
    <message>
        <source>左下</source>
        <translation>Lower left</translation>
    </message>
    <message>
        <source>左</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>左上</source>
        <translation>Upper left</translation>
    </message>
    <message>
        <source>上</source>
        <translation>Above</translation>
    </message>
    <message>
        <source>状态点尺寸</source>
        <translation>Point size</translation>
    </message>
    <message>
        <source>状态点颜色</source>
        <translation>Point colour</translation>
    </message>
    <message>
        <source>标注位置</source>
        <translation>Label position</translation>
    </message>
    <message>
        <source>标注字体</source>
        <translation>Label font</translation>
    </message>
</context>
<context>
    <name>CDengZhiXianSetupPage</name>
    <message>
        <source>等值线</source>
        <translation>Property Lines</translation>
    </message>
    <message>
        <source>间距</source>
        <translation>Spacing</translation>
    </message>
    <message>
        <source>颜色</source>
        <translation>Colour</translation>
    </message>
    <message>
        <source>线宽(mm)</source>
        <translation>Width (mm)</translation>
    </message>
    <message>
        <source>线型</source>
        <translation>Style</translation>
    </message>
    <message>
        <source>干球温度</source>
        <translation>Dry-bulb temperature</translation>
    </message>
    <message>
        <source>湿球温度</source>
        <translation>Wet-bulb temperature</translation>
    </message>
    <message>
        <source>相对湿度(&lt;100%)</source>
        <translation>Relative humidity (&lt;100%)</translation>
    </message>
    <message>
        <source>相对湿度(=100%)</source>
        <translation>Relative humidity (=100%)</translation>
    </message>
    <message>
        <source>含湿量</source>
        <translation>Moisture content</translation>
    </message>
    <message>
        <source>焓</source>
        <translation>Enthalpy</translation>
    </message>
    <message>
        <source>边框</source>
        <translation>Border</translation>
    </message>
    <message>
        <source>默认</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>标注</source>
        <translation>Labels</translation>
    </message>
    <message>
        <source>背景</source>
        <translation>Background</translation>
    </message>
    <message>
        <source>比容</source>
        <translation>Specific volume</translation>
    </message>
</context>
<context>
    <name>CDifferenceDlg</name>
    <message>
        <source>计算焓差</source>
        <translation>Calculate Enthalpy Difference</translation>
    </message>
    <message>
        <source>计算含湿量差</source>
        <translation>Calculate Moisture Content Difference</translation>
    </message>
    <message>
        <source>热负荷kW</source>
        <translation>Heat load kW</translation>
    </message>
    <message>
        <source>热负荷kcal/h</source>
        <translation>Heat load kcal/h</translation>
    </message>
    <message>
        <source>加湿量kg/h</source>
        <translation>Humidification rate kg/h</translation>
    </message>
    <message>
        <source>送风量m^3/h</source>
        <translation>Supply air flow rate m^3/h</translation>
    </message>
    <message>
        <source>风量m^3/h</source>
        <translation>Air flow rate m^3/h</translation>
    </message>
    <message>
        <source>处理焓差kJ/kg</source>
        <translation>Treatment enthalpy difference kJ/kg</translation>
    </message>
    <message>
        <source>处理焓差kcal/kg</source>
        <translation>Treatment enthalpy difference kcal/kg</translation>
    </message>
    <message>
        <source>含湿量差g/kg</source>
        <translation>Moisture content difference g/kg</translation>
    </message>
    <message>
        <source>计算</source>
        <translation>Calculate</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CEditHhrLineDlg</name>
    <message>
        <source>修改热湿比线</source>
        <translation>Edit Heat-Moisture Ratio Line</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>状态点1</source>
        <translation>State point 1</translation>
    </message>
    <message>
        <source>热湿比kJ/kg</source>
        <translation>Heat-moisture ratio ε kJ/kg</translation>
    </message>
    <message>
        <source>热湿比kcal/kg</source>
        <translation>Heat-moisture ratio ε kcal/kg</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>干球温度： %1℃
湿球温度： %2℃
相对湿度:  %3</source>
        <translation>Dry-bulb temperature: %1 °C
Wet-bulb temperature: %2 °C
Relative humidity: %3 %</translation>
    </message>
    <message>
        <source>状态点参数</source>
        <translation>State Point Parameters</translation>
    </message>
</context>
<context>
    <name>CEditIntersectionDlg</name>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>过程线1</source>
        <translation>Process line 1</translation>
    </message>
    <message>
        <source>过程线2</source>
        <translation>Process line 2</translation>
    </message>
    <message>
        <source>热湿比线1</source>
        <translation>Heat-moisture ratio line 1</translation>
    </message>
    <message>
        <source>热湿比线2</source>
        <translation>Heat-moisture ratio line 2</translation>
    </message>
    <message>
        <source>过程线</source>
        <translation>Process line</translation>
    </message>
    <message>
        <source>热湿比线</source>
        <translation>Heat-moisture ratio line</translation>
    </message>
    <message>
        <source>参数</source>
        <translation>Parameters</translation>
    </message>
    <message>
        <source>转为独立状态点</source>
        <translation>Make Independent State Point</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>干球温度：%1℃
湿球温度%2℃
相对湿度%3</source>
        <translation>Dry-bulb temperature: %1 °C
Wet-bulb temperature: %2 °C
Relative humidity: %3 %</translation>
    </message>
</context>
<context>
    <name>CEditLinePointDlg</name>
    <message>
        <source>修改等含湿量点</source>
        <translation>Edit Equal Moisture Content Point</translation>
    </message>
    <message>
        <source>修改等温点</source>
        <translation>Edit Equal Dry-Bulb Temperature Point</translation>
    </message>
    <message>
        <source>修改等焓点</source>
        <translation>Edit Equal Enthalpy Point</translation>
    </message>
    <message>
        <source>修改同一过程线上的点</source>
        <translation>Edit Point on a Process Line</translation>
    </message>
    <message>
        <source>修改同一热湿比线上的点</source>
        <translation>Edit Point on a Heat-Moisture Ratio Line</translation>
    </message>
    <message>
        <source>计    算</source>
        <translation>Calculate</translation>
    </message>
    <message>
        <source>转化为独立状态点</source>
        <translation>Make Independent State Point</translation>
    </message>
</context>
<context>
    <name>CEditMixPointDlg</name>
    <message>
        <source>修改混合点</source>
        <translation>Edit Mixing Point</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>状态点1</source>
        <translation>State point 1</translation>
    </message>
    <message>
        <source>状态点2</source>
        <translation>State point 2</translation>
    </message>
    <message>
        <source>混风比％</source>
        <translation>Mixing ratio %</translation>
    </message>
    <message>
        <source>计算</source>
        <translation>Calculate</translation>
    </message>
    <message>
        <source>独立状态点</source>
        <translation>Independent State Point</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CEditProcessStepDlg</name>
    <message>
        <source>修改热回收点</source>
        <translation>Edit Heat Recovery Point</translation>
    </message>
    <message>
        <source>修改蒸发冷却点</source>
        <translation>Edit Evaporative Cooling Point</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>室外点</source>
        <translation>Outdoor point</translation>
    </message>
    <message>
        <source>状态点</source>
        <translation>State point</translation>
    </message>
    <message>
        <source>排风点</source>
        <translation>Exhaust point</translation>
    </message>
    <message>
        <source>效率(0-1)</source>
        <translation>Effectiveness (0-1)</translation>
    </message>
    <message>
        <source>热回收方式</source>
        <translation>Recovery</translation>
    </message>
    <message>
        <source>蒸发冷却方式</source>
        <translation>Cooling</translation>
    </message>
    <message>
        <source>计算</source>
        <translation>Calculate</translation>
    </message>
    <message>
        <source>转化为独立状态点</source>
        <translation>Make Independent</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CEditRelatedPointsDlg</name>
    <message>
        <source>修改两个相关状态点</source>
        <translation>Edit Two Related State Points</translation>
    </message>
    <message>
        <source>计      算</source>
        <translation>Calculate</translation>
    </message>
    <message>
        <source>转化为独立状态点</source>
        <translation>Make Independent State Points</translation>
    </message>
</context>
<context>
    <name>CFanCoilAnalysisDlg</name>
    <message>
        <source>风机盘管加新风</source>
        <translation>Fan Coil with Dedicated Outdoor Air</translation>
    </message>
    <message>
        <source>先处理后混风</source>
        <translation>Treat, then mix</translation>
    </message>
    <message>
        <source>先混风后处理</source>
        <translation>Mix, then treat</translation>
    </message>
    <message>
        <source>风机温升(℃)</source>
        <translation>Fan temperature rise (℃)</translation>
    </message>
    <message>
        <source>送风温差(℃)</source>
        <translation>Supply air temperature difference (℃)</translation>
    </message>
    <message>
        <source>机器露点(%)</source>
        <translation>Apparatus dew point (RH %)</translation>
    </message>
    <message>
        <source>制热工况</source>
        <translation>Heating (winter)</translation>
    </message>
    <message>
        <source>等焓加湿</source>
        <translation>Equal-enthalpy humidification</translation>
    </message>
    <message>
        <source>等温加湿</source>
        <translation>Equal-temperature humidification</translation>
    </message>
</context>
<context>
    <name>CFreshAirAnalysisDlg</name>
    <message>
        <source>新风工况分析</source>
        <translation>Outdoor Air Analysis</translation>
    </message>
    <message>
        <source>机器露点(%)</source>
        <translation>Apparatus dew point (RH %)</translation>
    </message>
    <message>
        <source>加热到(℃)</source>
        <translation>Heat to (℃)</translation>
    </message>
    <message>
        <source>加湿量(Kg/h)</source>
        <translation>Humidification rate (kg/h)</translation>
    </message>
    <message>
        <source>绝热加湿</source>
        <translation>Adiabatic humidification</translation>
    </message>
    <message>
        <source>蒸汽加湿</source>
        <translation>Steam humidification</translation>
    </message>
</context>
<context>
    <name>CGuoChenXianPage</name>
    <message>
        <source>过程线</source>
        <translation>Process Lines</translation>
    </message>
    <message>
        <source>过程线颜色</source>
        <translation>Line colour</translation>
    </message>
    <message>
        <source>过程线线宽</source>
        <translation>Line width</translation>
    </message>
    <message>
        <source>过程线线型</source>
        <translation>Line style</translation>
    </message>
    <message>
        <source>箭头</source>
        <translation>Arrow</translation>
    </message>
</context>
<context>
    <name>CHhrLineDlg</name>
    <message>
        <source>绘制热湿比线</source>
        <translation>Draw Heat-Moisture Ratio Line</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>状态点1</source>
        <translation>State point 1</translation>
    </message>
    <message>
        <source>状态点2</source>
        <translation>State point 2</translation>
    </message>
    <message>
        <source>热湿比kJ/kg</source>
        <translation>Heat-moisture ratio ε kJ/kg</translation>
    </message>
    <message>
        <source>热湿比kcal/kg</source>
        <translation>Heat-moisture ratio ε kcal/kg</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CIDG</name>
    <message>
        <source>%1点</source>
        <translation>point %1</translation>
    </message>
    <message>
        <source>过程线：%1 起始点：%2 终点：%3</source>
        <translation>Process line: %1 start point: %2 end point: %3</translation>
    </message>
    <message>
        <source>请选择基本状态点</source>
        <translation>Please select a base state point</translation>
    </message>
    <message>
        <source>相对湿度波动超出范围</source>
        <translation>The relative humidity range is out of bounds</translation>
    </message>
    <message>
        <source>不可以舒适区的四点作为基点</source>
        <translation>The four points of a comfort zone cannot be used as its base point</translation>
    </message>
    <message>
        <source>该舒适区已经存在，是否覆盖</source>
        <translation>This comfort zone already exists. Replace it?</translation>
    </message>
    <message>
        <source>舒适区已经存在</source>
        <translation>Comfort zone already exists</translation>
    </message>
    <message>
        <source>计算错误，请检查数据!</source>
        <translation>Calculation error, please check the data!</translation>
    </message>
    <message>
        <source>该状态点对过程线%1具有制约性,请首先删除该过程线</source>
        <translation>This state point constrains process line %1; please delete that process line first</translation>
    </message>
    <message>
        <source>该状态点对热湿比线%1具有制约性,请首先删除该热湿比线</source>
        <translation>This state point constrains heat-moisture ratio line %1; please delete that heat-moisture ratio line first</translation>
    </message>
    <message>
        <source>该状态点对计算结果
&apos;%1&apos;
具有制约性,请首先删除该计算结果</source>
        <translation>This state point constrains the calculation result
&apos;%1&apos;
Please delete that calculation result first</translation>
    </message>
    <message>
        <source>该状态点对等焓点%1具有制约性,请首先删除该等焓点或者将该等焓点转化为独立状态点</source>
        <translation>This state point constrains equal enthalpy point %1; please delete that point first or make it an independent state point</translation>
    </message>
    <message>
        <source>该状态点对等温点%1具有制约性,请首先删除该等温点或者将该等温点转化为独立状态点</source>
        <translation>This state point constrains equal dry-bulb temperature point %1; please delete that point first or make it an independent state point</translation>
    </message>
    <message>
        <source>该状态点对等含湿量点%1具有制约性,请首先删除该等含湿量点或者将该等含湿量点转化为独立状态点</source>
        <translation>This state point constrains equal moisture content point %1; please delete that point first or make it an independent state point</translation>
    </message>
    <message>
        <source>该状态点对混合点%1具有制约性,请首先删除该混合点或者将该混合点转化为独立状态点</source>
        <translation>This state point constrains mixing point %1; please delete that mixing point first or make it an independent state point</translation>
    </message>
    <message>
        <source>该过程线对点%1具有制约性,请首先删除该点或者将该点转化为独立状态点</source>
        <translation>This process line constrains point %1; please delete that point first or make it an independent state point</translation>
    </message>
    <message>
        <source>该过程线对交点%1具有制约性,请首先删除该交点或者将该交点转化为独立状态点</source>
        <translation>This process line constrains intersection %1; please delete that intersection first or make it an independent state point</translation>
    </message>
    <message>
        <source>该热湿比线对点%1具有制约性,请首先删除该点或者将该点转化为独立状态点</source>
        <translation>This heat-moisture ratio line constrains point %1; please delete that point first or make it an independent state point</translation>
    </message>
    <message>
        <source>该热湿比线对交点%1具有制约性,请首先删除该交点或者将该交点转化为独立状态点</source>
        <translation>This heat-moisture ratio line constrains intersection %1; please delete that intersection first or make it an independent state point</translation>
    </message>
    <message>
        <source>该热湿比线对相关状态点%1具有制约性,请首先删除该点或者将该点转化为独立状态点</source>
        <translation>This heat-moisture ratio line constrains related state point %1; please delete that point first or make it an independent state point</translation>
    </message>
    <message>
        <source>室外点W和室内点N为特殊点，不允许删除</source>
        <translation>The outdoor point W and the indoor point N are special points and cannot be deleted</translation>
    </message>
    <message>
        <source>室内热湿比线ε为特殊热湿比线，不允许删除</source>
        <translation>The indoor heat-moisture ratio line ε is a special line and cannot be deleted</translation>
    </message>
    <message>
        <source>该点为特殊点，不允许在此编辑修改</source>
        <translation>This point is a special point and cannot be edited here</translation>
    </message>
    <message>
        <source>输入名无效或该点已经存在，请重新命名</source>
        <translation>The name is invalid or the point already exists, please choose another name</translation>
    </message>
    <message>
        <source>混合点名称非法或已经存在，请检查！</source>
        <translation>The mixing point name is invalid or already exists, please check!</translation>
    </message>
    <message>
        <source>状态点名称不能为空！</source>
        <translation>The state point name must not be empty!</translation>
    </message>
    <message>
        <source>无法得到两个相关状态点!</source>
        <translation>Cannot obtain the two related state points!</translation>
    </message>
    <message>
        <source>该热湿比线为特殊热湿比线，不允许在此编辑修改</source>
        <translation>This heat-moisture ratio line is a special line and cannot be edited here</translation>
    </message>
    <message>
        <source>过程线名无效或已经存在，请检查！</source>
        <translation>The process line name is invalid or already exists, please check!</translation>
    </message>
    <message>
        <source>过程线名不能为空！</source>
        <translation>The process line name must not be empty!</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>起点终点不能相同！</source>
        <translation>The start and end points must not be the same!</translation>
    </message>
    <message>
        <source>参数无效，请检查!</source>
        <translation>Invalid parameters, please check!</translation>
    </message>
    <message>
        <source>等值点命名无效，请检查!</source>
        <translation>The point name is invalid, please check!</translation>
    </message>
    <message>
        <source>交点命名重复或者无效，请检查！</source>
        <translation>The intersection name is a duplicate or invalid, please check!</translation>
    </message>
    <message>
        <source>相关点1命名无效，请检查!</source>
        <translation>The name of related point 1 is invalid, please check!</translation>
    </message>
    <message>
        <source>相关点2命名无效，请检查!</source>
        <translation>The name of related point 2 is invalid, please check!</translation>
    </message>
    <message>
        <source>根据输入条件无法得到两个相关状态点</source>
        <translation>The two related state points cannot be obtained from the input conditions</translation>
    </message>
    <message>
        <source>等含湿量</source>
        <translation>equal moisture content</translation>
    </message>
    <message>
        <source>等温</source>
        <translation>equal dry-bulb temperature</translation>
    </message>
    <message>
        <source>等焓</source>
        <translation>equal enthalpy</translation>
    </message>
    <message>
        <source>过程线</source>
        <translation>process line</translation>
    </message>
    <message>
        <source>等热湿比线</source>
        <translation>heat-moisture ratio line</translation>
    </message>
    <message>
        <source>温差：%.2f</source>
        <translation>temperature difference: %.2f</translation>
    </message>
    <message>
        <source>含湿量差：%.2f</source>
        <translation>moisture content difference: %.2f</translation>
    </message>
    <message>
        <source>干球温度：%.2f</source>
        <translation>dry-bulb temperature: %.2f</translation>
    </message>
    <message>
        <source>相对湿度：%.2f</source>
        <translation>relative humidity: %.2f</translation>
    </message>
    <message>
        <source>含湿量：%.2f</source>
        <translation>moisture content: %.2f</translation>
    </message>
    <message>
        <source>湿球温度：%.2f</source>
        <translation>wet-bulb temperature: %.2f</translation>
    </message>
    <message>
        <source>焓值：%.2f</source>
        <translation>enthalpy: %.2f</translation>
    </message>
    <message>
        <source>两个参考点不能相同，请修改！</source>
        <translation>The two reference points must not be the same, please correct!</translation>
    </message>
    <message>
        <source>状态点名非法或者已经存在，请检查！</source>
        <translation>The state point name is invalid or already exists, please check!</translation>
    </message>
    <message>
        <source>计算过程：依据过程线(%1)通过%2方法计算%3点（%4）</source>
        <translation>Calculation: from process line (%1) by the %2 method, point %3 (%4)</translation>
    </message>
    <message>
        <source>计算过程：依据点(%1)通过%2方法计算%3点（%4）</source>
        <translation>Calculation: from point (%1) by the %2 method, point %3 (%4)</translation>
    </message>
    <message>
        <source>混风比必须为0到100之间的数(%)!</source>
        <translation>The mixing ratio must be a number from 0 to 100 (%)!</translation>
    </message>
    <message>
        <source>说明文字为空，请输入文字!</source>
        <translation>The text is empty: please type a text!</translation>
    </message>
    <message>
        <source>该状态点对热回收点%1具有制约性,请首先删除该热回收点或者将该热回收点转化为独立状态点</source>
        <translation>The heat recovery point %1 is built on this state point; delete it or make it independent first</translation>
    </message>
    <message>
        <source>该状态点对蒸发冷却点%1具有制约性,请首先删除该蒸发冷却点或者将该蒸发冷却点转化为独立状态点</source>
        <translation>The evaporative cooling point %1 is built on this state point; delete it or make it independent first</translation>
    </message>
</context>
<context>
    <name>CIndependentPointDlg</name>
    <message>
        <source>独立状态点</source>
        <translation>Independent State Point</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>干球温度℃</source>
        <translation>Dry-bulb temperature °C</translation>
    </message>
    <message>
        <source>湿球温度℃</source>
        <translation>Wet-bulb temperature °C</translation>
    </message>
    <message>
        <source>相对湿度%</source>
        <translation>Relative humidity %</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CIntersectionDlg</name>
    <message>
        <source>修改过程线与过程线交点</source>
        <translation>Intersection of Two Process Lines</translation>
    </message>
    <message>
        <source>修改热湿比线与热湿比线交点</source>
        <translation>Intersection of Two Heat-Moisture Ratio Lines</translation>
    </message>
    <message>
        <source>修改过程线与热湿比线交点</source>
        <translation>Intersection of a Process Line and a Heat-Moisture Ratio Line</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>过程线</source>
        <translation>Process line</translation>
    </message>
    <message>
        <source>过程线1</source>
        <translation>Process line 1</translation>
    </message>
    <message>
        <source>热湿比线1</source>
        <translation>Heat-moisture ratio line 1</translation>
    </message>
    <message>
        <source>热湿比线</source>
        <translation>Heat-moisture ratio line</translation>
    </message>
    <message>
        <source>过程线2</source>
        <translation>Process line 2</translation>
    </message>
    <message>
        <source>热湿比线2</source>
        <translation>Heat-moisture ratio line 2</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CLinePointDlg</name>
    <message>
        <source>温差℃</source>
        <translation>Temperature difference °C</translation>
    </message>
    <message>
        <source>含湿量差g/kg</source>
        <translation>Moisture content difference g/kg</translation>
    </message>
    <message>
        <source>干球温度℃</source>
        <translation>Dry-bulb temperature °C</translation>
    </message>
    <message>
        <source>相对湿度％</source>
        <translation>Relative humidity %</translation>
    </message>
    <message>
        <source>含湿量g/kg</source>
        <translation>Moisture content g/kg</translation>
    </message>
    <message>
        <source>湿球温度℃</source>
        <translation>Wet-bulb temperature °C</translation>
    </message>
    <message>
        <source>焓kJ/kg</source>
        <translation>Enthalpy kJ/kg</translation>
    </message>
    <message>
        <source>绘制等含湿量点</source>
        <translation>Draw Equal Moisture Content Point</translation>
    </message>
    <message>
        <source>绘制等温点</source>
        <translation>Draw Equal Dry-Bulb Temperature Point</translation>
    </message>
    <message>
        <source>绘制等焓点</source>
        <translation>Draw Equal Enthalpy Point</translation>
    </message>
    <message>
        <source>绘制同一过程线上的点</source>
        <translation>Draw Point on a Process Line</translation>
    </message>
    <message>
        <source>绘制同一热湿比线上的点</source>
        <translation>Draw Point on a Heat-Moisture Ratio Line</translation>
    </message>
    <message>
        <source>状态点</source>
        <translation>State point</translation>
    </message>
    <message>
        <source>过程线</source>
        <translation>Process line</translation>
    </message>
    <message>
        <source>热湿比线</source>
        <translation>Heat-moisture ratio line</translation>
    </message>
    <message>
        <source>焓kcal/kg</source>
        <translation>Enthalpy kcal/kg</translation>
    </message>
    <message>
        <source>同状态点</source>
        <translation>Same as state point</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>文件(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>输出(&amp;E)</source>
        <translation>&amp;Export</translation>
    </message>
    <message>
        <source>设定(&amp;S)</source>
        <translation>&amp;Settings</translation>
    </message>
    <message>
        <source>查看(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>缩放(&amp;Z)</source>
        <translation>&amp;Zoom</translation>
    </message>
    <message>
        <source>标注(&amp;L)</source>
        <translation>&amp;Labels</translation>
    </message>
    <message>
        <source>绘图(&amp;D)</source>
        <translation>&amp;Draw</translation>
    </message>
    <message>
        <source>状态点(&amp;P)</source>
        <translation>State &amp;Points</translation>
    </message>
    <message>
        <source>交点(&amp;I)</source>
        <translation>&amp;Intersections</translation>
    </message>
    <message>
        <source>文字(&amp;T)</source>
        <translation>&amp;Text</translation>
    </message>
    <message>
        <source>计算(&amp;C)</source>
        <translation>&amp;Calculate</translation>
    </message>
    <message>
        <source>过程分析(&amp;A)</source>
        <translation>Process &amp;Analysis</translation>
    </message>
    <message>
        <source>帮助(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>工具栏</source>
        <translation>Toolbar</translation>
    </message>
    <message>
        <source>焓湿图视图</source>
        <translation>Chart view</translation>
    </message>
    <message>
        <source>页面视图</source>
        <translation>Page view</translation>
    </message>
    <message>
        <source>普通工况视图</source>
        <translation>Normal condition</translation>
    </message>
    <message>
        <source>制冷工况视图</source>
        <translation>Cooling condition</translation>
    </message>
    <message>
        <source>制热工况视图</source>
        <translation>Heating condition</translation>
    </message>
    <message>
        <source>系统名称:</source>
        <translation>System:</translation>
    </message>
    <message>
        <source>房间名称:</source>
        <translation>Room:</translation>
    </message>
    <message>
        <source>显示</source>
        <translation>Display</translation>
    </message>
    <message>
        <source>编辑(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>大写</source>
        <translation>CAP</translation>
    </message>
    <message>
        <source>数字</source>
        <translation>NUM</translation>
    </message>
    <message>
        <source>滚动</source>
        <translation>SCRL</translation>
    </message>
    <message>
        <source>就绪</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>无标题</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>将改动保存到 %1 吗?</source>
        <translation>Save changes to %1?</translation>
    </message>
    <message>
        <source>另存为</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>QORVA 文件 (*.id)</source>
        <translation>QORVA files (*.id)</translation>
    </message>
    <message>
        <source>QORVA文件(*.id)</source>
        <translation>QORVA files (*.id)</translation>
    </message>
    <message>
        <source>单位制(&amp;U)</source>
        <translation>&amp;Units</translation>
    </message>
</context>
<context>
    <name>CMixPointDlg</name>
    <message>
        <source>绘制混合点</source>
        <translation>Draw Mixing Point</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>状态点1</source>
        <translation>State point 1</translation>
    </message>
    <message>
        <source>状态点2</source>
        <translation>State point 2</translation>
    </message>
    <message>
        <source>过程线</source>
        <translation>Process line</translation>
    </message>
    <message>
        <source>混风比％</source>
        <translation>Mixing ratio %</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CNewProjectFolderDlg</name>
    <message>
        <source>新建工程</source>
        <translation>New Project</translation>
    </message>
    <message>
        <source>文件名:</source>
        <translation>File name:</translation>
    </message>
    <message>
        <source>位置:</source>
        <translation>Location:</translation>
    </message>
    <message>
        <source>新建文件夹</source>
        <translation>New Folder</translation>
    </message>
    <message>
        <source>文件夹名称:</source>
        <translation>Folder name:</translation>
    </message>
</context>
<context>
    <name>COutputPointDlg</name>
    <message>
        <source>输出状态点</source>
        <translation>Output State Point</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>干球温度 ℃</source>
        <translation>Dry-bulb temperature °C</translation>
    </message>
    <message>
        <source>湿球温度 ℃</source>
        <translation>Wet-bulb temperature °C</translation>
    </message>
    <message>
        <source>相对湿度 %</source>
        <translation>Relative humidity %</translation>
    </message>
    <message>
        <source>说明：</source>
        <translation>Caption:</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CPageSetupDlg</name>
    <message>
        <source>页面设置参数输入框</source>
        <translation>Page Setup</translation>
    </message>
    <message>
        <source>上边距(&amp;T)</source>
        <translation>&amp;Top margin</translation>
    </message>
    <message>
        <source>左边距(&amp;L)</source>
        <translation>&amp;Left margin</translation>
    </message>
    <message>
        <source>右边距(&amp;R)</source>
        <translation>&amp;Right margin</translation>
    </message>
    <message>
        <source>下边距(&amp;B)</source>
        <translation>&amp;Bottom margin</translation>
    </message>
    <message>
        <source>单位:毫米</source>
        <translation>Unit: mm</translation>
    </message>
    <message>
        <source>确认(&amp;O)</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>取消(&amp;C)</source>
        <translation>&amp;Cancel</translation>
    </message>
</context>
<context>
    <name>CParamPointDlg</name>
    <message>
        <source>参数点</source>
        <translation>Parameter Point</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>大气压力Pa</source>
        <translation>Atmospheric pressure Pa</translation>
    </message>
    <message>
        <source>干球温度℃</source>
        <translation>Dry-bulb temperature °C</translation>
    </message>
    <message>
        <source>湿球温度℃</source>
        <translation>Wet-bulb temperature °C</translation>
    </message>
    <message>
        <source>相对湿度％</source>
        <translation>Relative humidity %</translation>
    </message>
    <message>
        <source>露点温度℃</source>
        <translation>Dew-point temperature °C</translation>
    </message>
    <message>
        <source>含湿量g/kg</source>
        <translation>Moisture content g/kg</translation>
    </message>
    <message>
        <source>焓kJ/kg</source>
        <translation>Enthalpy kJ/kg</translation>
    </message>
    <message>
        <source>焓kcal/kg</source>
        <translation>Enthalpy kcal/kg</translation>
    </message>
    <message>
        <source>水蒸气分压力Pa</source>
        <translation>Partial pressure of water vapour Pa</translation>
    </message>
    <message>
        <source>饱和水蒸气分压力Pa</source>
        <translation>Saturation pressure of water vapour Pa</translation>
    </message>
    <message>
        <source>比容m^3/kg</source>
        <translation>Specific volume m^3/kg</translation>
    </message>
    <message>
        <source>密度kg/m^3</source>
        <translation>Density kg/m^3</translation>
    </message>
    <message>
        <source>PMV（%1 met，%2 clo，%3 m/s）</source>
        <translation>PMV (%1 met, %2 clo, %3 m/s)</translation>
    </message>
    <message>
        <source>PPD％</source>
        <translation>PPD %</translation>
    </message>
    <message>
        <source>计算</source>
        <translation>Calculate</translation>
    </message>
    <message>
        <source>重置</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>添加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>重命名</source>
        <translation>Rename</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>露点温度与含湿量为关联参数,请重新选择!</source>
        <translation>Dew-point temperature and moisture content depend on each other: choose other known parameters!</translation>
    </message>
    <message>
        <source>已知参数过少，请检查所设定已知参数!</source>
        <translation>Too few known parameters: check the known parameters set!</translation>
    </message>
    <message>
        <source>请输入参数点名称!</source>
        <translation>Enter a name for the parameter point!</translation>
    </message>
    <message>
        <source>输入名无效或该点已经存在，请重新命名</source>
        <translation>The name is invalid or the point already exists: enter another name</translation>
    </message>
    <message>
        <source>请输入已知参数的数值：%1</source>
        <translation>Enter the value of the known parameter: %1</translation>
    </message>
</context>
<context>
    <name>CPointCalcDlg</name>
    <message>
        <source>所选的状态点相同，无法计算，请选择不同的状态点!</source>
        <translation>The selected state points are the same: cannot calculate. Select different state points!</translation>
    </message>
    <message>
        <source>两个状态点的状态相同，无法计算，请选择不同的状态点!</source>
        <translation>The two state points have the same state: cannot calculate. Select different state points!</translation>
    </message>
    <message>
        <source>两个状态点的含湿量相同，无法计算!</source>
        <translation>The two state points have the same moisture content: cannot calculate!</translation>
    </message>
    <message>
        <source>两个状态点的焓值相同，无法计算!</source>
        <translation>The two state points have the same enthalpy: cannot calculate!</translation>
    </message>
    <message>
        <source>计算错误，请检查输入数据!</source>
        <translation>Calculation error: check the input data!</translation>
    </message>
    <message>
        <source>计算—送风量</source>
        <translation>Calculate — Supply Air Flow Rate</translation>
    </message>
    <message>
        <source>计算—空调器处理冷量</source>
        <translation>Calculate — Air Handling Unit Cooling Capacity</translation>
    </message>
    <message>
        <source>计算—加热量</source>
        <translation>Calculate — Heating Load</translation>
    </message>
    <message>
        <source>计算—再热量</source>
        <translation>Calculate — Reheat Load</translation>
    </message>
    <message>
        <source>计算—预热量</source>
        <translation>Calculate — Preheat Load</translation>
    </message>
    <message>
        <source>计算—加湿量</source>
        <translation>Calculate — Humidification Rate</translation>
    </message>
    <message>
        <source>计算－混风比</source>
        <translation>Calculate — Mixing Ratio</translation>
    </message>
    <message>
        <source>计算—热湿比</source>
        <translation>Calculate — Heat-Moisture Ratio</translation>
    </message>
    <message>
        <source>计算—处理焓差</source>
        <translation>Calculate — Treatment Enthalpy Difference</translation>
    </message>
    <message>
        <source>冷量kW</source>
        <translation>Cooling load kW</translation>
    </message>
    <message>
        <source>冷量kcal/h</source>
        <translation>Cooling load kcal/h</translation>
    </message>
    <message>
        <source>风量m^3/h</source>
        <translation>Air flow rate m^3/h</translation>
    </message>
    <message>
        <source>加热量kW</source>
        <translation>Heating load kW</translation>
    </message>
    <message>
        <source>加热量kcal/h</source>
        <translation>Heating load kcal/h</translation>
    </message>
    <message>
        <source>再热量kW</source>
        <translation>Reheat load kW</translation>
    </message>
    <message>
        <source>再热量kcal/h</source>
        <translation>Reheat load kcal/h</translation>
    </message>
    <message>
        <source>预热量kW</source>
        <translation>Preheat load kW</translation>
    </message>
    <message>
        <source>预热量kcal/h</source>
        <translation>Preheat load kcal/h</translation>
    </message>
    <message>
        <source>加湿量kg/h</source>
        <translation>Humidification rate kg/h</translation>
    </message>
    <message>
        <source>混风比%</source>
        <translation>Mixing ratio %</translation>
    </message>
    <message>
        <source>热湿比kJ/kg</source>
        <translation>Heat-moisture ratio ε kJ/kg</translation>
    </message>
    <message>
        <source>热湿比kcal/kg</source>
        <translation>Heat-moisture ratio ε kcal/kg</translation>
    </message>
    <message>
        <source>处理焓差kJ/kg</source>
        <translation>Treatment enthalpy difference kJ/kg</translation>
    </message>
    <message>
        <source>处理焓差kcal/kg</source>
        <translation>Treatment enthalpy difference kcal/kg</translation>
    </message>
    <message>
        <source>状态点1</source>
        <translation>State point 1</translation>
    </message>
    <message>
        <source>状态点2</source>
        <translation>State point 2</translation>
    </message>
    <message>
        <source>混合点</source>
        <translation>Mixing point</translation>
    </message>
    <message>
        <source>干球温度 ℃</source>
        <translation>Dry-bulb temperature °C</translation>
    </message>
    <message>
        <source>湿球温度 ℃</source>
        <translation>Wet-bulb temperature °C</translation>
    </message>
    <message>
        <source>相对湿度 ％</source>
        <translation>Relative humidity %</translation>
    </message>
    <message>
        <source>计算</source>
        <translation>Calculate</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>除湿量kg/h</source>
        <translation>Dehumidification rate kg/h</translation>
    </message>
</context>
<context>
    <name>CPointInfoDlg</name>
    <message>
        <source>状态点信息</source>
        <translation>State Point Information</translation>
    </message>
    <message>
        <source>状态点名称</source>
        <translation>State point name</translation>
    </message>
    <message>
        <source>大气压力Pa</source>
        <translation>Atmospheric pressure Pa</translation>
    </message>
    <message>
        <source>干球温度℃</source>
        <translation>Dry-bulb temperature °C</translation>
    </message>
    <message>
        <source>湿球温度℃</source>
        <translation>Wet-bulb temperature °C</translation>
    </message>
    <message>
        <source>相对湿度％</source>
        <translation>Relative humidity %</translation>
    </message>
    <message>
        <source>露点温度℃</source>
        <translation>Dew-point temperature °C</translation>
    </message>
    <message>
        <source>含湿量g/kg</source>
        <translation>Moisture content g/kg</translation>
    </message>
    <message>
        <source>焓kJ/kg</source>
        <translation>Enthalpy kJ/kg</translation>
    </message>
    <message>
        <source>焓kcal/kg</source>
        <translation>Enthalpy kcal/kg</translation>
    </message>
    <message>
        <source>水蒸气分压力Pa</source>
        <translation>Partial pressure of water vapour Pa</translation>
    </message>
    <message>
        <source>饱和水蒸气分压力Pa</source>
        <translation>Saturation pressure of water vapour Pa</translation>
    </message>
    <message>
        <source>比容m^3/kg</source>
        <translation>Specific volume m^3/kg</translation>
    </message>
    <message>
        <source>密度kg/m^3</source>
        <translation>Density kg/m^3</translation>
    </message>
    <message>
        <source>PMV（%1 met，%2 clo，%3 m/s）</source>
        <translation>PMV (%1 met, %2 clo, %3 m/s)</translation>
    </message>
    <message>
        <source>PPD％</source>
        <translation>PPD %</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CPorjectNewWizard</name>
    <message>
        <source>新建工程向导</source>
        <translation>New Project Wizard</translation>
    </message>
    <message>
        <source>&lt; 上一步(&amp;B)</source>
        <translation>&lt; &amp;Back</translation>
    </message>
    <message>
        <source>下一步(&amp;N) &gt;</source>
        <translation>&amp;Next &gt;</translation>
    </message>
    <message>
        <source>完成</source>
        <translation>Finish</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CPressureDlg</name>
    <message>
        <source>大气压力参数输入框</source>
        <translation>Atmospheric Pressure</translation>
    </message>
    <message>
        <source>夏季工况</source>
        <translation>Summer conditions</translation>
    </message>
    <message>
        <source>夏季大气压力:</source>
        <translation>Summer atmospheric pressure:</translation>
    </message>
    <message>
        <source>冬季工况</source>
        <translation>Winter conditions</translation>
    </message>
    <message>
        <source>冬季大气压力:</source>
        <translation>Winter atmospheric pressure:</translation>
    </message>
</context>
<context>
    <name>CPrimaryAnalysisDlg</name>
    <message>
        <source>空调工况分析</source>
        <translation>Primary Return Air Analysis</translation>
    </message>
    <message>
        <source>风机温升(℃)</source>
        <translation>Fan temperature rise (℃)</translation>
    </message>
    <message>
        <source>送风温差(℃)</source>
        <translation>Supply air temperature difference (℃)</translation>
    </message>
    <message>
        <source>机器露点(%)</source>
        <translation>Apparatus dew point (RH %)</translation>
    </message>
    <message>
        <source>预热温差(℃)</source>
        <translation>Preheat temperature difference (℃)</translation>
    </message>
    <message>
        <source>绝热加湿</source>
        <translation>Adiabatic humidification</translation>
    </message>
    <message>
        <source>蒸汽加湿</source>
        <translation>Steam humidification</translation>
    </message>
    <message>
        <source>先预热</source>
        <translation>Preheat first</translation>
    </message>
    <message>
        <source>先混合</source>
        <translation>Mix first</translation>
    </message>
</context>
<context>
    <name>CProcessLineDlg</name>
    <message>
        <source>过程线</source>
        <translation>Process Line</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>序号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>含湿量g/kg</source>
        <translation>Moisture content g/kg</translation>
    </message>
    <message>
        <source>干球温度℃</source>
        <translation>Dry-bulb temperature °C</translation>
    </message>
    <message>
        <source>焓kJ/kg</source>
        <translation>Enthalpy kJ/kg</translation>
    </message>
    <message>
        <source>焓kcal/kg</source>
        <translation>Enthalpy kcal/kg</translation>
    </message>
    <message>
        <source>湿球温度℃</source>
        <translation>Wet-bulb temperature °C</translation>
    </message>
    <message>
        <source>相对湿度%</source>
        <translation>Relative humidity %</translation>
    </message>
    <message>
        <source>起点</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>终点</source>
        <translation>End</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>起点序号必须为0－%1间的整数!</source>
        <translation>The start point No. must be a whole number from 0 to %1!</translation>
    </message>
    <message>
        <source>终点序号必须为0－%1间的整数!</source>
        <translation>The end point No. must be a whole number from 0 to %1!</translation>
    </message>
</context>
<context>
    <name>CProcessStepDlg</name>
    <message>
        <source>全热回收</source>
        <translation>Total heat recovery</translation>
    </message>
    <message>
        <source>显热回收</source>
        <translation>Sensible heat recovery</translation>
    </message>
    <message>
        <source>直接蒸发冷却</source>
        <translation>Direct evaporative cooling</translation>
    </message>
    <message>
        <source>间接蒸发冷却</source>
        <translation>Indirect evaporative cooling</translation>
    </message>
    <message>
        <source>绘制热回收点</source>
        <translation>Draw Heat Recovery Point</translation>
    </message>
    <message>
        <source>绘制蒸发冷却点</source>
        <translation>Draw Evaporative Cooling Point</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>室外点</source>
        <translation>Outdoor point</translation>
    </message>
    <message>
        <source>状态点</source>
        <translation>State point</translation>
    </message>
    <message>
        <source>排风点</source>
        <translation>Exhaust point</translation>
    </message>
    <message>
        <source>效率(0-1)</source>
        <translation>Effectiveness (0-1)</translation>
    </message>
    <message>
        <source>热回收方式</source>
        <translation>Recovery</translation>
    </message>
    <message>
        <source>蒸发冷却方式</source>
        <translation>Cooling</translation>
    </message>
    <message>
        <source>风量m^3/h</source>
        <translation>Air volume m^3/h</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>风量必须为不小于0的数!</source>
        <translation>The air volume must be a number not below 0!</translation>
    </message>
</context>
<context>
    <name>CQORVADoc</name>
    <message>
        <source>导入旧工程</source>
        <translation>Import old project</translation>
    </message>
    <message>
        <source>基本参数</source>
        <translation>Basic parameters</translation>
    </message>
    <message>
        <source>系统-房间</source>
        <translation>Systems and rooms</translation>
    </message>
    <message>
        <source>大气压力</source>
        <translation>Atmospheric pressure</translation>
    </message>
    <message>
        <source>图元属性</source>
        <translation>Object attributes</translation>
    </message>
    <message>
        <source>页面设置</source>
        <translation>Page setup</translation>
    </message>
    <message>
        <source>对不起，该工程不存在，请确认工程文件是否存在于该目录</source>
        <translation>Sorry, this project does not exist; please check that the project file is in this folder</translation>
    </message>
    <message>
        <source>对不起，您不能打开旧工程!请用&lt;导入旧工程&gt;菜单升级旧工程!</source>
        <translation>Sorry, you cannot open an old project! Please upgrade it with &lt;Import Old Project&gt;!</translation>
    </message>
    <message>
        <source>该系统下没有服务区域
请到[设定|系统-房间]中添加服务区域或者删除该系统</source>
        <translation>This system has no rooms
Please add a room in [Settings|Systems and Rooms] or delete this system</translation>
    </message>
    <message>
        <source>没有参数用于分析!请在工程下重试!</source>
        <translation>No parameters to analyse! Please open a project and try again!</translation>
    </message>
    <message>
        <source>工程文件中有 %1 个状态点的引用无效，已将其转化为独立状态点。</source>
        <translation>%1 state point references in the project file were invalid; those points were made independent state points.</translation>
    </message>
    <message>
        <source>用于工程</source>
        <translation>Apply to Project</translation>
    </message>
    <message>
        <source>气象年太短，得不出全部室外计算参数。</source>
        <translation>The weather year is too short to give every outdoor design condition.</translation>
    </message>
    <message>
        <source>夏季室外计算状态无法计算，请检查气象年。</source>
        <translation>The summer outdoor design state cannot be calculated; please check the weather year.</translation>
    </message>
    <message>
        <source>冬季室外计算状态无法计算，请检查气象年。</source>
        <translation>The winter outdoor design state cannot be calculated; please check the weather year.</translation>
    </message>
    <message>
        <source>图形式</source>
        <translation>Chart form</translation>
    </message>
    <message>
        <source>单位制</source>
        <translation>Unit system</translation>
    </message>
</context>
<context>
    <name>CQORVAView</name>
    <message>
        <source>选中：%1</source>
        <translation>Selected: %1</translation>
    </message>
    <message>
        <source>状态点 %1</source>
        <translation>State point %1</translation>
    </message>
    <message>
        <source>过程线 %1</source>
        <translation>Process line %1</translation>
    </message>
    <message>
        <source>热湿比线 %1</source>
        <translation>Heat-moisture ratio line %1</translation>
    </message>
    <message>
        <source>文字 %1</source>
        <translation>Text %1</translation>
    </message>
    <message>
        <source>舒适区 %1</source>
        <translation>Comfort zone %1</translation>
    </message>
    <message>
        <source>就绪</source>
        <translation>Ready</translation>
    </message>
</context>
<context>
    <name>CRelatedPointsDlg</name>
    <message>
        <source>绘制两个相关状态点</source>
        <translation>Draw Two Related State Points</translation>
    </message>
    <message>
        <source>热湿比线</source>
        <translation>Heat-moisture ratio line</translation>
    </message>
    <message>
        <source>温差℃</source>
        <translation>Temperature difference °C</translation>
    </message>
    <message>
        <source>含湿量差g/kg</source>
        <translation>Moisture content difference g/kg</translation>
    </message>
    <message>
        <source>干球温度℃</source>
        <translation>Dry-bulb temperature °C</translation>
    </message>
    <message>
        <source>相对湿度％</source>
        <translation>Relative humidity %</translation>
    </message>
    <message>
        <source>含湿量g/kg</source>
        <translation>Moisture content g/kg</translation>
    </message>
    <message>
        <source>湿球温度℃</source>
        <translation>Wet-bulb temperature °C</translation>
    </message>
    <message>
        <source>焓kJ/kg</source>
        <translation>Enthalpy kJ/kg</translation>
    </message>
    <message>
        <source>焓kcal/kg</source>
        <translation>Enthalpy kcal/kg</translation>
    </message>
    <message>
        <source>同状态点</source>
        <translation>Same as state point</translation>
    </message>
    <message>
        <source>相关状态点1</source>
        <translation>Related state point 1</translation>
    </message>
    <message>
        <source>相关状态点2</source>
        <translation>Related state point 2</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CSecondaryAnalysisDlg</name>
    <message>
        <source>空调二次回风工况分析</source>
        <translation>Secondary Return Air Analysis</translation>
    </message>
    <message>
        <source>风机温升(℃)</source>
        <translation>Fan temperature rise (℃)</translation>
    </message>
    <message>
        <source>送风温差(℃)</source>
        <translation>Supply air temperature difference (℃)</translation>
    </message>
    <message>
        <source>机器露点(%)</source>
        <translation>Apparatus dew point (RH %)</translation>
    </message>
    <message>
        <source>制热工况</source>
        <translation>Heating (winter)</translation>
    </message>
    <message>
        <source>预热温差(℃)</source>
        <translation>Preheat temperature difference (℃)</translation>
    </message>
    <message>
        <source>等焓加湿</source>
        <translation>Equal-enthalpy humidification</translation>
    </message>
    <message>
        <source>等温加湿</source>
        <translation>Equal-temperature humidification</translation>
    </message>
</context>
<context>
    <name>CSetupSheet</name>
    <message>
        <source>图元属性设置...</source>
        <translation>Object Attributes</translation>
    </message>
</context>
<context>
    <name>CSystemRoomDlg</name>
    <message>
        <source>系统-房间(室内外状态点)参数输入框</source>
        <translation>Systems and Rooms (Indoor and Outdoor State Points)</translation>
    </message>
</context>
<context>
    <name>CSystemRoomEditor</name>
    <message>
        <source>增加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>系统名称:</source>
        <translation>System:</translation>
    </message>
    <message>
        <source>服务区域名称:</source>
        <translation>Room (service area):</translation>
    </message>
    <message>
        <source>夏季(制冷工况)</source>
        <translation>Summer (cooling)</translation>
    </message>
    <message>
        <source>冬季(制热工况)</source>
        <translation>Winter (heating)</translation>
    </message>
    <message>
        <source>室外状态点</source>
        <translation>Outdoor state point</translation>
    </message>
    <message>
        <source>室内状态点</source>
        <translation>Indoor state point</translation>
    </message>
    <message>
        <source>室内空调冷负荷:</source>
        <translation>Indoor cooling load:</translation>
    </message>
    <message>
        <source>室内空调热负荷:</source>
        <translation>Indoor heating load:</translation>
    </message>
    <message>
        <source>室内空调湿负荷:</source>
        <translation>Indoor moisture load:</translation>
    </message>
    <message>
        <source>新风量:</source>
        <translation>Outdoor air flow rate:</translation>
    </message>
    <message>
        <source>湿球温度</source>
        <translation>Wet-bulb temperature</translation>
    </message>
    <message>
        <source>相对湿度</source>
        <translation>Relative humidity</translation>
    </message>
    <message>
        <source>名称:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>干球温度:</source>
        <translation>Dry-bulb temperature:</translation>
    </message>
</context>
<context>
    <name>CTextDlg</name>
    <message>
        <source>文字说明</source>
        <translation>Comment Text</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CWeatherFileDlg</name>
    <message>
        <source>气象文件</source>
        <translation>Weather File</translation>
    </message>
    <message>
        <source>浏览...</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <source>文件：</source>
        <translation>File:</translation>
    </message>
    <message>
        <source>统计和显示的小时</source>
        <translation>Hours counted and shown</translation>
    </message>
    <message>
        <source>月份：</source>
        <translation>Months:</translation>
    </message>
    <message>
        <source>月（11–2 为十一月至次年二月）</source>
        <translation>(11–2 is November to February)</translation>
    </message>
    <message>
        <source>时段：</source>
        <translation>Hours:</translation>
    </message>
    <message>
        <source>时（8–18 为 08:00–18:00）</source>
        <translation>(8–18 is 08:00–18:00)</translation>
    </message>
    <message>
        <source>显示方式</source>
        <translation>Shown as</translation>
    </message>
    <message>
        <source>散点（每小时一点）</source>
        <translation>Dots (one per hour)</translation>
    </message>
    <message>
        <source>不用气象文件</source>
        <translation>No Weather File</translation>
    </message>
    <message>
        <source>未选择气象文件</source>
        <translation>No weather file chosen</translation>
    </message>
    <message>
        <source>确定后读取该文件</source>
        <translation>The file is read on OK</translation>
    </message>
    <message>
        <source>气象站：%1，%2 小时（缺测 %3 小时）</source>
        <translation>Station: %1, %2 hours (%3 missing)</translation>
    </message>
    <message>
        <source>请选择气象文件。</source>
        <translation>Please choose a weather file.</translation>
    </message>
    <message>
        <source>无法读取气象文件 %1。
%2</source>
        <translation>Cannot read the weather file %1.
%2</translation>
    </message>
    <message>
        <source>气象文件 (*.epw *.EPW *.csv *.CSV);;所有文件 (*)</source>
        <translation>Weather files (*.epw *.EPW *.csv *.CSV);;All files (*)</translation>
    </message>
    <message>
        <source>密度图（每格干球温度 1 ℃ × 露点温度 1 ℃）</source>
        <translation>Density map (cells of 1 ℃ dry bulb × 1 ℃ dew point)</translation>
    </message>
    <message>
        <source>密度图（每格干球温度 1.8 ℉ × 露点温度 1.8 ℉）</source>
        <translation>Density map (cells of 1.8 ℉ dry bulb × 1.8 ℉ dew point)</translation>
    </message>
</context>
<context>
    <name>CWeatherStatisticsDlg</name>
    <message>
        <source>气象年统计</source>
        <translation>Weather Year Statistics</translation>
    </message>
    <message>
        <source>小时数</source>
        <translation>Hours</translation>
    </message>
    <message>
        <source>月平均</source>
        <translation>Monthly Means</translation>
    </message>
    <message>
        <source>室外计算参数</source>
        <translation>Outdoor Design Conditions</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>用于工程</source>
        <translation>Apply to Project</translation>
    </message>
    <message>
        <source>把夏季、冬季室外计算参数和大气压力写入工程，可以撤消</source>
        <translation>Writes the summer and winter outdoor design conditions and the pressures into the project (can be undone)</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>未选择气象文件</source>
        <translation>No weather file chosen</translation>
    </message>
</context>
<context>
    <name>CWi_AirRoomPage</name>
    <message>
        <source>新建 3 之 2</source>
        <translation>New Project, Step 2 of 3</translation>
    </message>
</context>
<context>
    <name>CWi_BasicPage</name>
    <message>
        <source>新建 3 之 1</source>
        <translation>New Project, Step 1 of 3</translation>
    </message>
    <message>
        <source>工程名称:</source>
        <translation>Project name:</translation>
    </message>
    <message>
        <source>单位制</source>
        <translation>Unit system</translation>
    </message>
    <message>
        <source>国际单位制</source>
        <translation>SI units</translation>
    </message>
    <message>
        <source>工程单位制</source>
        <translation>Engineering units</translation>
    </message>
    <message>
        <source>英制单位制(IP)</source>
        <translation>Inch-pound (IP)</translation>
    </message>
</context>
<context>
    <name>CWi_DaQiYaLiPage</name>
    <message>
        <source>新建 3之 3</source>
        <translation>New Project, Step 3 of 3</translation>
    </message>
    <message>
        <source>制冷工况</source>
        <translation>Cooling (summer)</translation>
    </message>
    <message>
        <source>夏季大气压力:</source>
        <translation>Summer atmospheric pressure:</translation>
    </message>
    <message>
        <source>制热工况</source>
        <translation>Heating (winter)</translation>
    </message>
    <message>
        <source>冬季大气压力:</source>
        <translation>Winter atmospheric pressure:</translation>
    </message>
</context>
<context>
    <name>CZoomView</name>
    <message>
        <source>鼠标左键单击或拖出一矩形.</source>
        <translation>Click the left mouse button or drag a rectangle.</translation>
    </message>
    <message>
        <source>单击鼠标左键</source>
        <translation>Click the left mouse button</translation>
    </message>
</context>
<context>
    <name>Calculations</name>
    <message>
        <source>名称	大气压力Pa	干球温度℃	湿球温度℃	相对湿度％	露点温度℃	含湿量g/kg	%1	水蒸气分压力Pa	饱和水蒸气分压力Pa	比容m^3/kg	密度kg/m^3
</source>
        <translation>Name	Atmospheric pressure Pa	Dry-bulb temperature ℃	Wet-bulb temperature ℃	Relative humidity %	Dew-point temperature ℃	Moisture content g/kg	%1	Partial pressure of water vapour Pa	Saturation partial pressure of water vapour Pa	Specific volume m^3/kg	Density kg/m^3
</translation>
    </message>
    <message>
        <source>焓kJ/kg</source>
        <translation>Enthalpy kJ/kg</translation>
    </message>
    <message>
        <source>焓kcal/kg</source>
        <translation>Enthalpy kcal/kg</translation>
    </message>
    <message>
        <source>名称	大气压力psia	干球温度℉	湿球温度℉	相对湿度％	露点温度℉	含湿量gr/lb	焓Btu/lb	水蒸气分压力psia	饱和水蒸气分压力psia	比容ft^3/lb	密度lb/ft^3
</source>
        <translation>Name	Pressure psia	Dry bulb °F	Wet bulb °F	Relative humidity %	Dew point °F	Moisture content gr/lb	Enthalpy Btu/lb	Vapour pressure psia	Saturation vapour pressure psia	Specific volume ft^3/lb	Density lb/ft^3
</translation>
    </message>
</context>
<context>
    <name>ChartAttributes</name>
    <message>
        <source>%1的间距必须是大于零的数。</source>
        <translation>The spacing of %1 must be a number greater than zero.</translation>
    </message>
</context>
<context>
    <name>ChartBuilder</name>
    <message>
        <source>该点为无效点</source>
        <translation>The point is invalid</translation>
    </message>
    <message>
        <source>起点为无效点</source>
        <translation>The start point is invalid</translation>
    </message>
    <message>
        <source>该热湿比线为特殊热湿比线，不允许在此编辑修改</source>
        <translation>This heat-moisture ratio line is a special one and cannot be edited here</translation>
    </message>
    <message>
        <source>撤消 %1</source>
        <translation>Undo %1</translation>
    </message>
    <message>
        <source>撤消(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>重做 %1</source>
        <translation>Redo %1</translation>
    </message>
    <message>
        <source>重做(&amp;R)</source>
        <translation>&amp;Redo</translation>
    </message>
</context>
<context>
    <name>ChartExport</name>
    <message>
        <source>焓湿图</source>
        <translation>Psychrometric Chart</translation>
    </message>
</context>
<context>
    <name>ChartOutput</name>
    <message>
        <source>元文件(*.wmf)</source>
        <translation>Metafile (*.wmf)</translation>
    </message>
    <message>
        <source>增强型元文件(*.emf)</source>
        <translation>Enhanced metafile (*.emf)</translation>
    </message>
    <message>
        <source>SVG 图形(*.svg)</source>
        <translation>SVG graphics (*.svg)</translation>
    </message>
    <message>
        <source>PDF 文档(*.pdf)</source>
        <translation>PDF document (*.pdf)</translation>
    </message>
    <message>
        <source>PNG 图像(*.png)</source>
        <translation>PNG image (*.png)</translation>
    </message>
    <message>
        <source>图像分辨率</source>
        <translation>Image Resolution</translation>
    </message>
    <message>
        <source>分辨率(dpi):</source>
        <translation>Resolution (dpi):</translation>
    </message>
    <message>
        <source>输出PDF</source>
        <translation>Export PDF</translation>
    </message>
    <message>
        <source>输出哪些房间的焓湿图?</source>
        <translation>Export the psychrometric charts of which rooms?</translation>
    </message>
    <message>
        <source>当前房间</source>
        <translation>Current room</translation>
    </message>
    <message>
        <source>全部房间</source>
        <translation>All rooms</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>无法识别的文件类型: %1</source>
        <translation>Unrecognised file type: %1</translation>
    </message>
    <message>
        <source>无法输出焓湿图。
%1</source>
        <translation>Cannot export the psychrometric chart.
%1</translation>
    </message>
    <message>
        <source>无法打印焓湿图。</source>
        <translation>Cannot print the psychrometric chart.</translation>
    </message>
</context>
<context>
    <name>ChartRenderer</name>
    <message>
        <source>工况：制冷工况</source>
        <translation>Condition: cooling</translation>
    </message>
    <message>
        <source>工况：制热工况</source>
        <translation>Condition: heating</translation>
    </message>
    <message>
        <source>工况：普通工况</source>
        <translation>Condition: normal</translation>
    </message>
    <message>
        <source>工程名称：%1       系统编号：%2       服务区域：%3      %4</source>
        <translation>Project: %1       System: %2       Room: %3      %4</translation>
    </message>
    <message>
        <source>已知参数：</source>
        <translation>Known parameters:</translation>
    </message>
    <message>
        <source>室外状态点%1：%2</source>
        <translation>Outdoor state point %1: %2</translation>
    </message>
    <message>
        <source>室内状态点%1： %2</source>
        <translation>Indoor state point %1:  %2</translation>
    </message>
    <message>
        <source>室内空调热负荷：%1</source>
        <translation>Room heating load: %1</translation>
    </message>
    <message>
        <source>室内空调冷负荷：%1</source>
        <translation>Room cooling load: %1</translation>
    </message>
    <message>
        <source>室内空调湿负荷：%1</source>
        <translation>Room moisture load: %1</translation>
    </message>
    <message>
        <source>新风量：%1</source>
        <translation>Outdoor air flow rate: %1</translation>
    </message>
    <message>
        <source>计算结果：</source>
        <translation>Results:</translation>
    </message>
</context>
<context>
    <name>CommandTable</name>
    <message>
        <source>新建工程(&amp;N)	Ctrl+N</source>
        <translation>&amp;New Project	Ctrl+N</translation>
    </message>
    <message>
        <source>建立新工程</source>
        <translation>Create a new project</translation>
    </message>
    <message>
        <source>打开工程(&amp;O)...	Ctrl+O</source>
        <translation>&amp;Open Project...	Ctrl+O</translation>
    </message>
    <message>
        <source>打开已有工程</source>
        <translation>Open an existing project</translation>
    </message>
    <message>
        <source>保存(&amp;S)	Ctrl+S</source>
        <translation>&amp;Save	Ctrl+S</translation>
    </message>
    <message>
        <source>保存当前工程</source>
        <translation>Save the current project</translation>
    </message>
    <message>
        <source>另存为(&amp;A)...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>以新的名称保存当前工程</source>
        <translation>Save the current project under a new name</translation>
    </message>
    <message>
        <source>导入旧工程</source>
        <translation>Import Old Project</translation>
    </message>
    <message>
        <source>导入并升级旧版本的工程</source>
        <translation>Import and upgrade a project of an older version</translation>
    </message>
    <message>
        <source>关闭并返回(&amp;B)</source>
        <translation>Close and &amp;Return</translation>
    </message>
    <message>
        <source>输出分析报告并关闭工程</source>
        <translation>Write the analysis report and close the project</translation>
    </message>
    <message>
        <source>页面设置(&amp;U)</source>
        <translation>Page Set&amp;up</translation>
    </message>
    <message>
        <source>设置页边距</source>
        <translation>Set the page margins</translation>
    </message>
    <message>
        <source>打印(&amp;P)...	Ctrl+P</source>
        <translation>&amp;Print...	Ctrl+P</translation>
    </message>
    <message>
        <source>打印焓湿图</source>
        <translation>Print the psychrometric chart</translation>
    </message>
    <message>
        <source>打印预览(&amp;V)</source>
        <translation>Print Pre&amp;view</translation>
    </message>
    <message>
        <source>预览打印效果</source>
        <translation>Preview the printed page</translation>
    </message>
    <message>
        <source>焓湿图</source>
        <translation>Psychrometric Chart</translation>
    </message>
    <message>
        <source>输出焓湿图到图元文件</source>
        <translation>Export the psychrometric chart to a metafile</translation>
    </message>
    <message>
        <source>参数点</source>
        <translation>Parameter Points</translation>
    </message>
    <message>
        <source>输出参数点到文本文件</source>
        <translation>Export the parameter points to a text file</translation>
    </message>
    <message>
        <source>状态点</source>
        <translation>State Points</translation>
    </message>
    <message>
        <source>输出状态点到文本文件</source>
        <translation>Export the state points to a text file</translation>
    </message>
    <message>
        <source>最近文件</source>
        <translation>Recent Files</translation>
    </message>
    <message>
        <source>打开最近使用的工程</source>
        <translation>Open a recently used project</translation>
    </message>
    <message>
        <source>退出(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>退出程序</source>
        <translation>Quit the program</translation>
    </message>
    <message>
        <source>工程名称及单位制(N)</source>
        <translation>Project Name and &amp;Units</translation>
    </message>
    <message>
        <source>设定工程名称及单位制</source>
        <translation>Set the project name and the unit system</translation>
    </message>
    <message>
        <source>系统--房间(室内外状态点)(&amp;S)</source>
        <translation>&amp;Systems -- Rooms (Indoor and Outdoor States)</translation>
    </message>
    <message>
        <source>设定系统、房间及室内外状态点</source>
        <translation>Set the systems, the rooms and the indoor and outdoor states</translation>
    </message>
    <message>
        <source>大气压力(&amp;P)</source>
        <translation>Atmospheric &amp;Pressure</translation>
    </message>
    <message>
        <source>设定大气压力</source>
        <translation>Set the atmospheric pressure</translation>
    </message>
    <message>
        <source>图元属性(&amp;O)</source>
        <translation>&amp;Object Attributes</translation>
    </message>
    <message>
        <source>设定图元属性</source>
        <translation>Set the attributes of the chart objects</translation>
    </message>
    <message>
        <source>焓湿图视图(&amp;M)</source>
        <translation>Chart Vie&amp;w</translation>
    </message>
    <message>
        <source>焓湿图视图</source>
        <translation>Chart view</translation>
    </message>
    <message>
        <source>页面视图(&amp;P)</source>
        <translation>Pa&amp;ge View</translation>
    </message>
    <message>
        <source>页面视图</source>
        <translation>Page view</translation>
    </message>
    <message>
        <source>普通工况视图(&amp;N)</source>
        <translation>&amp;Normal Condition</translation>
    </message>
    <message>
        <source>普通工况视图</source>
        <translation>Normal condition view</translation>
    </message>
    <message>
        <source>制冷工况视图(&amp;S)</source>
        <translation>&amp;Cooling Condition</translation>
    </message>
    <message>
        <source>夏季工况视图</source>
        <translation>Summer (cooling) condition view</translation>
    </message>
    <message>
        <source>制热工况视图(&amp;W)</source>
        <translation>&amp;Heating Condition</translation>
    </message>
    <message>
        <source>冬季工况视图</source>
        <translation>Winter (heating) condition view</translation>
    </message>
    <message>
        <source>独立状态点(&amp;A)</source>
        <translation>Independent St&amp;ate Point</translation>
    </message>
    <message>
        <source>绘制独立状态点</source>
        <translation>Draw an independent state point</translation>
    </message>
    <message>
        <source>混合点(&amp;M)</source>
        <translation>&amp;Mixing Point</translation>
    </message>
    <message>
        <source>绘制混合点</source>
        <translation>Draw a mixing point</translation>
    </message>
    <message>
        <source>两个相关状态点(&amp;R)</source>
        <translation>Two &amp;Related State Points</translation>
    </message>
    <message>
        <source>绘制两个相关状态点</source>
        <translation>Draw two related state points</translation>
    </message>
    <message>
        <source>等焓点(&amp;H)</source>
        <translation>Equal-Ent&amp;halpy Point</translation>
    </message>
    <message>
        <source>绘制等焓点</source>
        <translation>Draw a point of equal enthalpy</translation>
    </message>
    <message>
        <source>等温点(&amp;T)</source>
        <translation>Equal-&amp;Temperature Point</translation>
    </message>
    <message>
        <source>绘制等温点</source>
        <translation>Draw a point of equal dry-bulb temperature</translation>
    </message>
    <message>
        <source>等含湿量点(&amp;D)</source>
        <translation>Equal-Moisture-&amp;Content Point</translation>
    </message>
    <message>
        <source>绘制等含湿量点</source>
        <translation>Draw a point of equal moisture content</translation>
    </message>
    <message>
        <source>同一过程线上的点(&amp;G)</source>
        <translation>Point on a &amp;Process Line</translation>
    </message>
    <message>
        <source>绘制同一过程线上的点</source>
        <translation>Draw a point on a process line</translation>
    </message>
    <message>
        <source>同一热湿比线上的点(&amp;S)</source>
        <translation>Point on a Heat-Moisture Ratio &amp;Line</translation>
    </message>
    <message>
        <source>绘制同一热湿比线上的点</source>
        <translation>Draw a point on a heat-moisture ratio line</translation>
    </message>
    <message>
        <source>过程线与过程线的交点(&amp;I)</source>
        <translation>&amp;Process Line × Process Line</translation>
    </message>
    <message>
        <source>绘制过程线与过程线的交点</source>
        <translation>Draw the intersection of two process lines</translation>
    </message>
    <message>
        <source>过程线与热湿比线的交点(&amp;J)</source>
        <translation>Process Line × &amp;Heat-Moisture Ratio Line</translation>
    </message>
    <message>
        <source>绘制过程线与热湿比线的交点</source>
        <translation>Draw the intersection of a process line and a heat-moisture ratio line</translation>
    </message>
    <message>
        <source>热湿比线与热湿比线的交点(&amp;K)</source>
        <translation>Heat-Moisture &amp;Ratio Line × Heat-Moisture Ratio Line</translation>
    </message>
    <message>
        <source>绘制热湿比线与热湿比线的交点</source>
        <translation>Draw the intersection of two heat-moisture ratio lines</translation>
    </message>
    <message>
        <source>过程线(&amp;G)</source>
        <translation>Process &amp;Lines</translation>
    </message>
    <message>
        <source>绘制过程线</source>
        <translation>Draw a process line</translation>
    </message>
    <message>
        <source>热湿比线(&amp;R)</source>
        <translation>Heat-Moisture &amp;Ratio Lines</translation>
    </message>
    <message>
        <source>绘制热湿比线</source>
        <translation>Draw a heat-moisture ratio line</translation>
    </message>
    <message>
        <source>输出状态点(&amp;P)</source>
        <translation>State &amp;Point Parameters</translation>
    </message>
    <message>
        <source>在图上输出状态点参数</source>
        <translation>Write the parameters of a state point on the chart</translation>
    </message>
    <message>
        <source>说明性文字(&amp;C)</source>
        <translation>&amp;Comment Text</translation>
    </message>
    <message>
        <source>添加说明性文字</source>
        <translation>Add a comment text</translation>
    </message>
    <message>
        <source>绘制舒适区</source>
        <translation>Draw Comfort Zone</translation>
    </message>
    <message>
        <source>参数点(&amp;P)</source>
        <translation>&amp;Parameter Point</translation>
    </message>
    <message>
        <source>计算参数点</source>
        <translation>Calculate a parameter point</translation>
    </message>
    <message>
        <source>送风量(&amp;F)</source>
        <translation>Supply Air &amp;Flow</translation>
    </message>
    <message>
        <source>计算送风量</source>
        <translation>Calculate the supply air flow rate</translation>
    </message>
    <message>
        <source>加热量(&amp;J)</source>
        <translation>&amp;Heating Load</translation>
    </message>
    <message>
        <source>计算加热量</source>
        <translation>Calculate the heating load</translation>
    </message>
    <message>
        <source>再热量(&amp;Z)</source>
        <translation>&amp;Reheat Load</translation>
    </message>
    <message>
        <source>计算再热量</source>
        <translation>Calculate the reheat load</translation>
    </message>
    <message>
        <source>预热量(&amp;Y)</source>
        <translation>Pr&amp;eheat Load</translation>
    </message>
    <message>
        <source>计算预热量</source>
        <translation>Calculate the preheat load</translation>
    </message>
    <message>
        <source>混风比(&amp;W)</source>
        <translation>Mi&amp;xing Ratio</translation>
    </message>
    <message>
        <source>计算混风比</source>
        <translation>Calculate the mixing ratio of two air streams</translation>
    </message>
    <message>
        <source>热湿比(&amp;R)</source>
        <translation>Heat-&amp;Moisture Ratio</translation>
    </message>
    <message>
        <source>计算热湿比</source>
        <translation>Calculate the heat-moisture ratio (ε)</translation>
    </message>
    <message>
        <source>加湿量(&amp;S)</source>
        <translation>H&amp;umidification Rate</translation>
    </message>
    <message>
        <source>计算加湿量</source>
        <translation>Calculate the humidification rate</translation>
    </message>
    <message>
        <source>处理焓差(&amp;C)</source>
        <translation>&amp;Treatment Enthalpy Difference</translation>
    </message>
    <message>
        <source>计算处理焓差</source>
        <translation>Calculate the enthalpy difference of the air treatment</translation>
    </message>
    <message>
        <source>空调器处理冷量(&amp;K)</source>
        <translation>Air Handler &amp;Cooling Capacity</translation>
    </message>
    <message>
        <source>计算空调器处理冷量</source>
        <translation>Calculate the cooling capacity of the air handling unit</translation>
    </message>
    <message>
        <source>焓差(&amp;H)</source>
        <translation>E&amp;nthalpy Difference</translation>
    </message>
    <message>
        <source>计算焓差</source>
        <translation>Calculate an enthalpy difference</translation>
    </message>
    <message>
        <source>含湿量差</source>
        <translation>Moisture Content &amp;Difference</translation>
    </message>
    <message>
        <source>计算含湿量差</source>
        <translation>Calculate a moisture content difference</translation>
    </message>
    <message>
        <source>一次回风系统(&amp;O)</source>
        <translation>&amp;Primary Return Air System</translation>
    </message>
    <message>
        <source>一次回风系统分析</source>
        <translation>Analyse a primary return air system</translation>
    </message>
    <message>
        <source>二次回风系统</source>
        <translation>&amp;Secondary Return Air System</translation>
    </message>
    <message>
        <source>二次回风系统分析</source>
        <translation>Analyse a secondary return air system</translation>
    </message>
    <message>
        <source>风机盘管加新风系统</source>
        <translation>&amp;Fan Coil with Dedicated Outdoor Air</translation>
    </message>
    <message>
        <source>风机盘管加新风系统分析</source>
        <translation>Analyse a fan coil system with dedicated outdoor air</translation>
    </message>
    <message>
        <source>新风工况分析</source>
        <translation>Outdoor Air Conditions</translation>
    </message>
    <message>
        <source>全部(&amp;A)</source>
        <translation>&amp;All</translation>
    </message>
    <message>
        <source>显示整个焓湿图</source>
        <translation>Show the whole psychrometric chart</translation>
    </message>
    <message>
        <source>放大(&amp;I)</source>
        <translation>Zoom &amp;In</translation>
    </message>
    <message>
        <source>放大焓湿图</source>
        <translation>Zoom into the chart</translation>
    </message>
    <message>
        <source>缩小(&amp;O)</source>
        <translation>Zoom &amp;Out</translation>
    </message>
    <message>
        <source>缩小焓湿图</source>
        <translation>Zoom out of the chart</translation>
    </message>
    <message>
        <source>剪裁(&amp;T)</source>
        <translation>&amp;Clip</translation>
    </message>
    <message>
        <source>剪裁焓湿图</source>
        <translation>Clip the chart to a region</translation>
    </message>
    <message>
        <source>还原(&amp;R)</source>
        <translation>&amp;Restore</translation>
    </message>
    <message>
        <source>还原焓湿图</source>
        <translation>Restore the unclipped chart</translation>
    </message>
    <message>
        <source>状态点(&amp;P)</source>
        <translation>State &amp;Points</translation>
    </message>
    <message>
        <source>显示或隐藏状态点标注</source>
        <translation>Show or hide the labels of the state points</translation>
    </message>
    <message>
        <source>显示或隐藏过程线标注</source>
        <translation>Show or hide the labels of the process lines</translation>
    </message>
    <message>
        <source>显示或隐藏热湿比线标注</source>
        <translation>Show or hide the labels of the heat-moisture ratio lines</translation>
    </message>
    <message>
        <source>热湿比线(&amp;H)</source>
        <translation>Heat-Moisture &amp;Ratio Lines</translation>
    </message>
    <message>
        <source>显示或隐藏热湿比线</source>
        <translation>Show or hide the heat-moisture ratio lines</translation>
    </message>
    <message>
        <source>撤消(&amp;U)	Ctrl+Z</source>
        <translation>&amp;Undo	Ctrl+Z</translation>
    </message>
    <message>
        <source>撤消上一步操作</source>
        <translation>Undo the last operation</translation>
    </message>
    <message>
        <source>重做(&amp;R)	Ctrl+Y</source>
        <translation>&amp;Redo	Ctrl+Y</translation>
    </message>
    <message>
        <source>重做撤消的操作</source>
        <translation>Redo the undone operation</translation>
    </message>
    <message>
        <source>编辑(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>编辑选中的对象</source>
        <translation>Edit the selected object</translation>
    </message>
    <message>
        <source>删除(&amp;D)</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>删除选中的对象</source>
        <translation>Delete the selected object</translation>
    </message>
    <message>
        <source>拾取图形元素</source>
        <translation>Pick Chart Objects</translation>
    </message>
    <message>
        <source>工具栏(&amp;T)</source>
        <translation>&amp;Toolbar</translation>
    </message>
    <message>
        <source>显示或隐藏工具栏</source>
        <translation>Show or hide the toolbar</translation>
    </message>
    <message>
        <source>状态栏(&amp;S)</source>
        <translation>&amp;Status Bar</translation>
    </message>
    <message>
        <source>显示或隐藏状态栏</source>
        <translation>Show or hide the status bar</translation>
    </message>
    <message>
        <source>查看状态点参数</source>
        <translation>View the parameters of a state point</translation>
    </message>
    <message>
        <source>关于 QORVA(&amp;A)...</source>
        <translation>&amp;About QORVA...</translation>
    </message>
    <message>
        <source>显示程序信息</source>
        <translation>Show information about the program</translation>
    </message>
    <message>
        <source>气象文件(&amp;W)...</source>
        <translation>&amp;Weather File...</translation>
    </message>
    <message>
        <source>选择本工程的气象文件（EPW 或 CSV）及其显示方式</source>
        <translation>Choose the project&apos;s weather file (EPW or CSV) and how it is shown</translation>
    </message>
    <message>
        <source>气象年(&amp;Y)</source>
        <translation>Weather &amp;Year</translation>
    </message>
    <message>
        <source>在焓湿图上显示或隐藏气象年的逐时状态</source>
        <translation>Show or hide the hours of the weather year on the chart</translation>
    </message>
    <message>
        <source>气象年在各舒适区的小时数、月平均值和室外计算参数</source>
        <translation>Hours of the weather year in each comfort zone, monthly means and outdoor design conditions</translation>
    </message>
    <message>
        <source>全年新风能耗(&amp;Y)...</source>
        <translation>&amp;Yearly Fresh-Air Energy...</translation>
    </message>
    <message>
        <source>逐时计算全年的新风能耗及热回收的节省</source>
        <translation>Fresh-air energy over a weather year, hour by hour, and what heat recovery saves</translation>
    </message>
    <message>
        <source>气象年统计(&amp;Q)...</source>
        <translation>Weather Year St&amp;atistics...</translation>
    </message>
    <message>
        <source>导出工作簿(&amp;K)...</source>
        <translation>Export &amp;Workbook...</translation>
    </message>
    <message>
        <source>把设计参数、分析结果和状态点导出为 Excel 工作簿</source>
        <translation>Export the design data, analysis results and state points as an Excel workbook</translation>
    </message>
    <message>
        <source>热回收点(&amp;E)</source>
        <translation>H&amp;eat Recovery Point</translation>
    </message>
    <message>
        <source>绘制新风经热回收后的状态点</source>
        <translation>Draw the state of the fresh air after a heat exchanger</translation>
    </message>
    <message>
        <source>蒸发冷却点(&amp;V)</source>
        <translation>E&amp;vaporative Cooling Point</translation>
    </message>
    <message>
        <source>绘制空气经直接或间接蒸发冷却后的状态点</source>
        <translation>Draw the state of the air after a direct or indirect evaporative cooler</translation>
    </message>
    <message>
        <source>ASHRAE 图(&amp;A)</source>
        <translation>ASHRAE Chart &amp;Form</translation>
    </message>
    <message>
        <source>以 ASHRAE 图显示：干球温度为横轴，含湿量为纵轴</source>
        <translation>Show the ASHRAE chart: dry bulb across, moisture content up</translation>
    </message>
    <message>
        <source>SI(&amp;S)</source>
        <translation>&amp;SI</translation>
    </message>
    <message>
        <source>以国际单位制显示和输入：℃、g/kg、kJ/kg、kW</source>
        <translation>Show and type values in SI units: °C, g/kg, kJ/kg, kW</translation>
    </message>
    <message>
        <source>工程单位(&amp;E)</source>
        <translation>&amp;Engineering</translation>
    </message>
    <message>
        <source>以工程单位制显示和输入：℃、g/kg、kcal/kg、kcal/h</source>
        <translation>Show and type values in engineering units: °C, g/kg, kcal/kg, kcal/h</translation>
    </message>
    <message>
        <source>IP(&amp;I)</source>
        <translation>&amp;IP</translation>
    </message>
    <message>
        <source>以英制单位显示：℉、gr/lb、Btu/lb、cfm、Btu/h</source>
        <translation>Show values in inch-pound units: °F, gr/lb, Btu/lb, cfm, Btu/h</translation>
    </message>
</context>
<context>
    <name>DocumentCalculations</name>
    <message>
        <source>送风量</source>
        <translation>supply air flow rate</translation>
    </message>
    <message>
        <source>空调器处理冷量</source>
        <translation>air handling unit cooling capacity</translation>
    </message>
    <message>
        <source>加热量</source>
        <translation>heating load</translation>
    </message>
    <message>
        <source>再热量</source>
        <translation>reheat load</translation>
    </message>
    <message>
        <source>预热量</source>
        <translation>preheat load</translation>
    </message>
    <message>
        <source>加湿量</source>
        <translation>humidification rate</translation>
    </message>
    <message>
        <source>混风比</source>
        <translation>mixing ratio</translation>
    </message>
    <message>
        <source>热湿比</source>
        <translation>heat-moisture ratio</translation>
    </message>
    <message>
        <source>处理焓差</source>
        <translation>treatment enthalpy difference</translation>
    </message>
    <message>
        <source>焓差</source>
        <translation>enthalpy difference</translation>
    </message>
    <message>
        <source>含湿量差</source>
        <translation>moisture content difference</translation>
    </message>
    <message>
        <source>输出状态点</source>
        <translation>output state point</translation>
    </message>
    <message>
        <source>计算%1</source>
        <translation>Calculate %1</translation>
    </message>
    <message>
        <source>添加参数点 %1</source>
        <translation>Add parameter point %1</translation>
    </message>
    <message>
        <source>重命名参数点 %1</source>
        <translation>Rename parameter point %1</translation>
    </message>
    <message>
        <source>删除参数点</source>
        <translation>Delete parameter point</translation>
    </message>
    <message>
        <source>热回收量</source>
        <translation>Heat recovered</translation>
    </message>
    <message>
        <source>蒸发冷却量</source>
        <translation>Evaporative cooling</translation>
    </message>
</context>
<context>
    <name>DocumentEdits</name>
    <message>
        <source>无法完成修改：依赖于它的状态点%1将超出焓湿图范围，不能随之改变！</source>
        <translation>Cannot complete the change: the dependent state point %1 would leave the psychrometric chart and cannot follow!</translation>
    </message>
    <message>
        <source>无法完成修改：依赖于它的状态点%1无法重新计算，不能随之改变！</source>
        <translation>Cannot complete the change: the dependent state point %1 cannot be recalculated and cannot follow!</translation>
    </message>
    <message>
        <source>等含湿量点</source>
        <translation>equal moisture content point</translation>
    </message>
    <message>
        <source>等温点</source>
        <translation>equal dry-bulb temperature point</translation>
    </message>
    <message>
        <source>等焓点</source>
        <translation>equal enthalpy point</translation>
    </message>
    <message>
        <source>过程线上的点</source>
        <translation>point on a process line</translation>
    </message>
    <message>
        <source>热湿比线上的点</source>
        <translation>point on a heat-moisture ratio line</translation>
    </message>
    <message>
        <source>状态点 %1</source>
        <translation>state point %1</translation>
    </message>
    <message>
        <source>过程线 %1</source>
        <translation>process line %1</translation>
    </message>
    <message>
        <source>热湿比线 %1</source>
        <translation>heat-moisture ratio line %1</translation>
    </message>
    <message>
        <source>文字 %1</source>
        <translation>text %1</translation>
    </message>
    <message>
        <source>添加独立状态点 %1</source>
        <translation>Add independent state point %1</translation>
    </message>
    <message>
        <source>输入名无效或该点已经存在，请重新命名</source>
        <translation>The name is invalid or the point already exists, please choose another name</translation>
    </message>
    <message>
        <source>计算错误，请检查数据!</source>
        <translation>Calculation error, please check the data!</translation>
    </message>
    <message>
        <source>该点为无效点</source>
        <translation>The point is invalid</translation>
    </message>
    <message>
        <source>修改独立状态点 %1</source>
        <translation>Edit independent state point %1</translation>
    </message>
    <message>
        <source>添加过程线 %1</source>
        <translation>Add process line %1</translation>
    </message>
    <message>
        <source>过程线名不能为空！</source>
        <translation>The process line name must not be empty!</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>起点名不能为空！</source>
        <translation>The start point name must not be empty!</translation>
    </message>
    <message>
        <source>终点名不能为空！</source>
        <translation>The end point name must not be empty!</translation>
    </message>
    <message>
        <source>起点名称已经存在，请修改!</source>
        <translation>The start point name already exists, please change it!</translation>
    </message>
    <message>
        <source>终点名称已经存在，请修改!</source>
        <translation>The end point name already exists, please change it!</translation>
    </message>
    <message>
        <source>起点终点不能相同！</source>
        <translation>The start and end points must not be the same!</translation>
    </message>
    <message>
        <source>过程线起点为新状态点，要添加吗？</source>
        <translation>The start point of the process line is a new state point. Add it?</translation>
    </message>
    <message>
        <source>过程线终点为新状态点，要添加吗？</source>
        <translation>The end point of the process line is a new state point. Add it?</translation>
    </message>
    <message>
        <source>修改已经存在的过程线吗</source>
        <translation>Change the existing process line?</translation>
    </message>
    <message>
        <source>修改过程线 %1</source>
        <translation>Edit process line %1</translation>
    </message>
    <message>
        <source>添加热湿比线 %1</source>
        <translation>Add heat-moisture ratio line %1</translation>
    </message>
    <message>
        <source>两点相同，请修正！</source>
        <translation>The two points are the same, please correct!</translation>
    </message>
    <message>
        <source>名字非法或该名称已经存在，请重新命名！</source>
        <translation>The name is invalid or already exists, please choose another name!</translation>
    </message>
    <message>
        <source>修改热湿比线 %1</source>
        <translation>Edit heat-moisture ratio line %1</translation>
    </message>
    <message>
        <source>添加混合点 %1</source>
        <translation>Add mixing point %1</translation>
    </message>
    <message>
        <source>修改混合点 %1</source>
        <translation>Edit mixing point %1</translation>
    </message>
    <message>
        <source>添加%1 %2</source>
        <translation>Add %1 %2</translation>
    </message>
    <message>
        <source>修改状态点 %1</source>
        <translation>Edit state point %1</translation>
    </message>
    <message>
        <source>添加交点 %1</source>
        <translation>Add intersection %1</translation>
    </message>
    <message>
        <source>修改交点 %1</source>
        <translation>Edit intersection %1</translation>
    </message>
    <message>
        <source>添加相关状态点 %1、%2</source>
        <translation>Add related state points %1, %2</translation>
    </message>
    <message>
        <source>请选择热湿比线！</source>
        <translation>Please select a heat-moisture ratio line!</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>两个相关状态点名字不得相同！</source>
        <translation>The two related state points must not have the same name!</translation>
    </message>
    <message>
        <source>无法得到两个相关状态点!</source>
        <translation>Cannot obtain the two related state points!</translation>
    </message>
    <message>
        <source>修改相关状态点 %1、%2</source>
        <translation>Edit related state points %1, %2</translation>
    </message>
    <message>
        <source>删除%1</source>
        <translation>Delete %1</translation>
    </message>
    <message>
        <source>删除舒适区 %1</source>
        <translation>Delete comfort zone %1</translation>
    </message>
    <message>
        <source>绘制舒适区 %1</source>
        <translation>Draw comfort zone %1</translation>
    </message>
    <message>
        <source>添加文字 %1</source>
        <translation>Add text %1</translation>
    </message>
    <message>
        <source>修改文字 %1</source>
        <translation>Edit text %1</translation>
    </message>
    <message>
        <source>添加热回收点 %1</source>
        <translation>Add Heat Recovery Point %1</translation>
    </message>
    <message>
        <source>添加蒸发冷却点 %1</source>
        <translation>Add Evaporative Cooling Point %1</translation>
    </message>
</context>
<context>
    <name>FanCoil</name>
    <message>
        <source>试算K点
</source>
        <translation>Trial calculation of point K
</translation>
    </message>
    <message>
        <source>试算L点
</source>
        <translation>Trial calculation of point L
</translation>
    </message>
    <message>
        <source>计算C点
</source>
        <translation>Calculating point C
</translation>
    </message>
    <message>
        <source>计算D点</source>
        <translation>Calculating point D</translation>
    </message>
    <message>
        <source>获得当前房间失败</source>
        <translation>Reading the current room failed</translation>
    </message>
    <message>
        <source>计算焓差</source>
        <translation>Calculating the enthalpy difference</translation>
    </message>
    <message>
        <source>计算K点(先混后处理)</source>
        <translation>Calculating point K (mixing before treatment)</translation>
    </message>
    <message>
        <source>计算Q点(等温加湿)</source>
        <translation>Calculating point Q (isothermal humidification)</translation>
    </message>
    <message>
        <source>计算Q点(等焓加湿)</source>
        <translation>Calculating point Q (isenthalpic humidification)</translation>
    </message>
    <message>
        <source>计算K点(等温加湿)</source>
        <translation>Calculating point K (isothermal humidification)</translation>
    </message>
</context>
<context>
    <name>FontButton</name>
    <message>
        <source>字体: %1</source>
        <translation>Font: %1</translation>
    </message>
</context>
<context>
    <name>Language</name>
    <message>
        <source>语言(&amp;L)</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>选择界面语言（下次启动时生效）</source>
        <translation>Choose the interface language (applies at the next start)</translation>
    </message>
    <message>
        <source>界面语言将在下次启动时更改。</source>
        <translation>The interface language changes at the next start.</translation>
    </message>
</context>
<context>
    <name>NewProject</name>
    <message>
        <source>不可以输入扩展名!</source>
        <translation>An extension must not be entered!</translation>
    </message>
    <message>
        <source>工程已经存在!</source>
        <translation>The project already exists!</translation>
    </message>
    <message>
        <source>无法创建文件夹!</source>
        <translation>Cannot create the folder!</translation>
    </message>
    <message>
        <source>无法在该文件夹中保存工程，请选择其他文件夹!</source>
        <translation>Cannot save a project in this folder, please choose another folder!</translation>
    </message>
</context>
<context>
    <name>OldProjectImport</name>
    <message>
        <source>内存不足</source>
        <translation>Out of memory</translation>
    </message>
    <message>
        <source>%1：无法复制为 %2</source>
        <translation>%1: cannot be copied to %2</translation>
    </message>
    <message>
        <source>%1：已经是版本 320 以后的工程文件，请直接打开</source>
        <translation>%1: already a project file of version 320 or later; please open it directly</translation>
    </message>
    <message>
        <source>您的工程文件已经升级!</source>
        <translation>Your project file has already been upgraded!</translation>
    </message>
    <message>
        <source>请注意！
文件存盘时文件名错误!</source>
        <translation>Attention!
Wrong file name when saving the file!</translation>
    </message>
    <message>
        <source>对不起，您的文件可能已经损坏!</source>
        <translation>Sorry, your file may be damaged!</translation>
    </message>
    <message>
        <source>升级失败!</source>
        <translation>Upgrade failed!</translation>
    </message>
    <message>
        <source>已成功导入原来的旧工程，请点击保存将该工程存为新工程!</source>
        <translation>The old project was imported. Please save it to store it as a new project!</translation>
    </message>
</context>
<context>
    <name>ParameterFile</name>
    <message>
        <source>工程名称</source>
        <translation>project name</translation>
    </message>
    <message>
        <source>SYSTEM、ROOM 或文件结束</source>
        <translation>SYSTEM, ROOM or end of file</translation>
    </message>
    <message>
        <source>参数文件第 %1 行：应为%2，读到“%3”</source>
        <translation>Parameter file line %1: expected %2, read &quot;%3&quot;</translation>
    </message>
    <message>
        <source>参数文件在第 %1 行后结束：缺少%2</source>
        <translation>Parameter file ends after line %1: missing %2</translation>
    </message>
    <message>
        <source>参数文件第 %1 行：%2</source>
        <translation>Parameter file line %1: %2</translation>
    </message>
    <message>
        <source>%1不能为空</source>
        <translation>%1 must not be empty</translation>
    </message>
    <message>
        <source>大气压力必须大于零</source>
        <translation>The atmospheric pressure must be greater than zero</translation>
    </message>
    <message>
        <source>夏季室外参数：大气压力(Pa) 干球温度(℃) 湿球温度(℃) [名称]</source>
        <translation>summer outdoor parameters: atmospheric pressure (Pa) dry-bulb temperature (℃) wet-bulb temperature (℃) [name]</translation>
    </message>
    <message>
        <source>冬季室外参数：大气压力(Pa) 干球温度(℃) 相对湿度(%) [名称]</source>
        <translation>winter outdoor parameters: atmospheric pressure (Pa) dry-bulb temperature (℃) relative humidity (%) [name]</translation>
    </message>
    <message>
        <source>夏季室外状态无法计算，请检查大气压力、干球温度和湿球温度</source>
        <translation>The summer outdoor state cannot be calculated; check the atmospheric pressure, dry-bulb and wet-bulb temperatures</translation>
    </message>
    <message>
        <source>冬季室外状态无法计算，请检查大气压力、干球温度和相对湿度</source>
        <translation>The winter outdoor state cannot be calculated; check the atmospheric pressure, dry-bulb temperature and relative humidity</translation>
    </message>
    <message>
        <source>%1室内参数：干球温度(℃) 相对湿度(%2) 负荷(%3) 湿负荷(kg/h) 新风量(m^3/h)</source>
        <translation>%1 indoor parameters: dry-bulb temperature (℃) relative humidity (%2) load (%3) moisture load (kg/h) outdoor air flow rate (m^3/h)</translation>
    </message>
    <message>
        <source>%1负荷不能为负</source>
        <translation>The %1 load must not be negative</translation>
    </message>
    <message>
        <source>%1新风量不能为负</source>
        <translation>The %1 outdoor air flow rate must not be negative</translation>
    </message>
    <message>
        <source>%1室内状态无法计算，请检查干球温度和相对湿度</source>
        <translation>The %1 indoor state cannot be calculated; check the dry-bulb temperature and relative humidity</translation>
    </message>
    <message>
        <source>房间名称</source>
        <translation>room name</translation>
    </message>
    <message>
        <source>房间名称“%1”在系统中重复</source>
        <translation>Room name &quot;%1&quot; occurs twice in the system</translation>
    </message>
    <message>
        <source>夏季</source>
        <translation>summer</translation>
    </message>
    <message>
        <source>冬季</source>
        <translation>winter</translation>
    </message>
    <message>
        <source>系统名称</source>
        <translation>system name</translation>
    </message>
    <message>
        <source>系统名称“%1”重复</source>
        <translation>System name &quot;%1&quot; occurs twice</translation>
    </message>
    <message>
        <source>无法读取参数文件 %1：%2</source>
        <translation>Cannot read the parameter file %1: %2</translation>
    </message>
    <message>
        <source>参数文件 %1 过大</source>
        <translation>The parameter file %1 is too large</translation>
    </message>
    <message>
        <source>单位制 SI、ENG 或 IP</source>
        <translation>unit system SI, ENG or IP</translation>
    </message>
</context>
<context>
    <name>PrimaryReturnAir</name>
    <message>
        <source>计算L、0点</source>
        <translation>Calculating points L and O</translation>
    </message>
    <message>
        <source>计算O点的等含湿量点L</source>
        <translation>Calculating the equal moisture content point L of point O</translation>
    </message>
    <message>
        <source>计算L点的等含湿量点P</source>
        <translation>Calculating the equal moisture content point P of point L</translation>
    </message>
    <message>
        <source>计算混合点C点</source>
        <translation>Calculating the mixing point C</translation>
    </message>
    <message>
        <source>计算O(或L)点与C点的处理冷量</source>
        <translation>Calculating the cooling capacity between point O (or L) and point C</translation>
    </message>
    <message>
        <source>计算P(或L)点与O点的再热量</source>
        <translation>Calculating the reheat load between point P (or L) and point O</translation>
    </message>
    <message>
        <source>重置视图为冬季视图</source>
        <translation>Resetting the view to the winter view</translation>
    </message>
    <message>
        <source>计算焓差</source>
        <translation>Calculating the enthalpy difference</translation>
    </message>
    <message>
        <source>计算C点</source>
        <translation>Calculating point C</translation>
    </message>
    <message>
        <source>计算M点</source>
        <translation>Calculating point M</translation>
    </message>
    <message>
        <source>预热量不足,导致M点的相对湿度太高,请调整预热温差!</source>
        <translation>Insufficient preheat makes the relative humidity at point M too high; please adjust the preheat temperature difference!</translation>
    </message>
    <message>
        <source>计算加热量</source>
        <translation>Calculating the heating load</translation>
    </message>
    <message>
        <source>计算再热量</source>
        <translation>Calculating the reheat load</translation>
    </message>
    <message>
        <source>计算M点和O点的加湿量</source>
        <translation>Calculating the humidification rate between points M and O</translation>
    </message>
    <message>
        <source>获得当前房间信息</source>
        <translation>Reading the current room</translation>
    </message>
</context>
<context>
    <name>ProcessSteps</name>
    <message>
        <source>效率必须为0到1之间的数!</source>
        <translation>The effectiveness must lie between 0 and 1!</translation>
    </message>
    <message>
        <source>混风比必须为0到1之间的数!</source>
        <translation>The share of the second stream must lie between 0 and 1!</translation>
    </message>
    <message>
        <source>加湿量不能为负数!</source>
        <translation>The moisture added must not be negative!</translation>
    </message>
    <message>
        <source>加热终温低于进风温度!</source>
        <translation>The heating target lies below the entering air temperature!</translation>
    </message>
    <message>
        <source>缺少排风或第二股空气的状态点!</source>
        <translation>The state of the exhaust or the second air stream is missing!</translation>
    </message>
    <message>
        <source>处理后的空气超过饱和状态!</source>
        <translation>The treated air would be wetter than saturated!</translation>
    </message>
    <message>
        <source>处理后的状态无法计算!</source>
        <translation>The state of the treated air cannot be computed!</translation>
    </message>
    <message>
        <source>处理后的状态点超出焓湿图范围!</source>
        <translation>The state of the treated air lies off the chart!</translation>
    </message>
</context>
<context>
    <name>ProjectCommands</name>
    <message>
        <source>QORVA文件(*.id *.ID)</source>
        <translation>QORVA files (*.id *.ID)</translation>
    </message>
    <message>
        <source>打开工程</source>
        <translation>Open Project</translation>
    </message>
</context>
<context>
    <name>ProjectFile</name>
    <message>
        <source>%1
%2。</source>
        <translation>%1
%2.</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>不是本程序的工程文件</source>
        <translation>Not a project file of this program</translation>
    </message>
    <message>
        <source>内存不足</source>
        <translation>Out of memory</translation>
    </message>
    <message>
        <source>%1：不是版本 320 以后的工程文件（更早的工程请用&lt;导入旧工程&gt;升级）</source>
        <translation>%1: not a project file of version 320 or later (upgrade older projects with &lt;Import Old Project&gt;)</translation>
    </message>
    <message>
        <source>请注意！
文件打开时文件名错误!</source>
        <translation>Attention!
Wrong file name when opening the file!</translation>
    </message>
    <message>
        <source>无法打开文档。</source>
        <translation>Cannot open the document.</translation>
    </message>
    <message>
        <source>无法保存文档。</source>
        <translation>Cannot save the document.</translation>
    </message>
    <message>
        <source>工程文件的版本号 %1 不受支持</source>
        <translation>Project file version %1 is not supported</translation>
    </message>
    <message>
        <source>房间的热回收参数无效（位置 %1）</source>
        <translation>A room&apos;s heat recovery is invalid (at byte %1)</translation>
    </message>
    <message>
        <source>状态点的处理参数无效（位置 %1）</source>
        <translation>Invalid process step of a state point (at %1)</translation>
    </message>
    <message>
        <source>工程文件的图形式或单位制无效（位置 %1）</source>
        <translation>The project&apos;s chart form or unit system is invalid (at %1)</translation>
    </message>
</context>
<context>
    <name>Recovery</name>
    <message>
        <source>未命名</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>发现 %1 未保存的修改（%2），是否恢复？</source>
        <translation>Unsaved changes to %1 (%2) were found. Recover them?</translation>
    </message>
    <message>
        <source>恢复</source>
        <translation>Recover</translation>
    </message>
    <message>
        <source>放弃</source>
        <translation>Discard</translation>
    </message>
    <message>
        <source>稍后</source>
        <translation>Later</translation>
    </message>
    <message>
        <source>无法读取 %1 的恢复文件，文件已保留：
%2
%3</source>
        <translation>Cannot read the recovery file of %1; the file was kept:
%2
%3</translation>
    </message>
</context>
<context>
    <name>ResultTexts</name>
    <message>
        <source>总送风量(%1-%2): %3</source>
        <translation>Total supply air flow rate (%1-%2): %3</translation>
    </message>
    <message>
        <source>空调制冷量(%1-%2): %3</source>
        <translation>Cooling capacity (%1-%2): %3</translation>
    </message>
    <message>
        <source>空调加热量(%1-%2): %3</source>
        <translation>Heating load (%1-%2): %3</translation>
    </message>
    <message>
        <source>空调再热量(%1-%2): %3</source>
        <translation>Reheat load (%1-%2): %3</translation>
    </message>
    <message>
        <source>空调预热量(%1-%2): %3</source>
        <translation>Preheat load (%1-%2): %3</translation>
    </message>
    <message>
        <source>空调加湿量(%1-%2): %3</source>
        <translation>Humidification rate (%1-%2): %3</translation>
    </message>
    <message>
        <source>热湿比(%1-%2): %3</source>
        <translation>Heat-moisture ratio ε (%1-%2): %3</translation>
    </message>
    <message>
        <source>处理焓差(%1-%2): %3</source>
        <translation>Treatment enthalpy difference (%1-%2): %3</translation>
    </message>
    <message>
        <source>含湿量差(%1-%2): %3</source>
        <translation>Moisture content difference (%1-%2): %3</translation>
    </message>
    <message>
        <source>新风冷负荷(%1-%2): %3</source>
        <translation>Outdoor air cooling load (%1-%2): %3</translation>
    </message>
    <message>
        <source>新风热负荷(%1-%2): %3</source>
        <translation>Outdoor air heating load (%1-%2): %3</translation>
    </message>
    <message>
        <source>%1：干球温度 %2℃   湿球温度 %3℃   相对湿度 %4%</source>
        <translation>%1: dry-bulb %2℃   wet-bulb %3℃   relative humidity %4%</translation>
    </message>
    <message>
        <source>空调除湿量(%1-%2): %3</source>
        <translation>Dehumidification rate (%1-%2): %3</translation>
    </message>
    <message>
        <source>混风比(%1-%2-%3): %3占%4</source>
        <translation>Mixing ratio (%1-%2-%3): %4 of %3</translation>
    </message>
    <message>
        <source>热回收量(%1-%2): %3</source>
        <translation>Heat recovered (%1-%2): %3</translation>
    </message>
    <message>
        <source>蒸发冷却量(%1-%2): %3</source>
        <translation>Evaporative cooling (%1-%2): %3</translation>
    </message>
</context>
<context>
    <name>SecondaryReturnAir</name>
    <message>
        <source>根据温差试算Q点和L点
</source>
        <translation>Trial calculation of points Q and L from the temperature difference
</translation>
    </message>
    <message>
        <source>计算混合点C点</source>
        <translation>Calculating the mixing point C</translation>
    </message>
    <message>
        <source>获得当前房间的信息</source>
        <translation>Reading the current room</translation>
    </message>
    <message>
        <source>初始化房间信息</source>
        <translation>Initialising the room</translation>
    </message>
    <message>
        <source>计算N点和Wp点的混合点C1点
</source>
        <translation>Calculating the mixing point C1 of points N and Wp
</translation>
    </message>
    <message>
        <source>计算焓差</source>
        <translation>Calculating the enthalpy difference</translation>
    </message>
    <message>
        <source>求C2点（O点的等湿线与L-N线的交点）
</source>
        <translation>Finding point C2 (intersection of the equal moisture content line of O with line L-N)
</translation>
    </message>
    <message>
        <source>计算C1点和L点的加湿量
</source>
        <translation>Calculating the humidification rate between points C1 and L
</translation>
    </message>
    <message>
        <source>计算C2点和O点的加热量
</source>
        <translation>Calculating the heating load between points C2 and O
</translation>
    </message>
    <message>
        <source>获得当前房间信息</source>
        <translation>Reading the current room</translation>
    </message>
</context>
<context>
    <name>SystemRoomEdit</name>
    <message>
        <source>系统名称不能为空!</source>
        <translation>The system name must not be empty!</translation>
    </message>
    <message>
        <source>该系统名称已经存在!请重新取名!</source>
        <translation>This system name already exists! Please choose another name!</translation>
    </message>
    <message>
        <source>您确认要删除该系统吗?</source>
        <translation>Do you really want to delete this system?</translation>
    </message>
    <message>
        <source>请注意</source>
        <translation>Attention</translation>
    </message>
    <message>
        <source>请先选择要删除的系统名称!</source>
        <translation>Please select the system to delete first!</translation>
    </message>
    <message>
        <source>请选择正确的系统名称!</source>
        <translation>Please select a valid system name!</translation>
    </message>
    <message>
        <source>每一工程应至少包含一个系统!</source>
        <translation>Each project must contain at least one system!</translation>
    </message>
    <message>
        <source>请先选择该服务区域所属的系统!</source>
        <translation>Please select the system this room belongs to first!</translation>
    </message>
    <message>
        <source>服务区域必须属于已存在的系统，请先将系统名称追加进系统中!</source>
        <translation>A room must belong to an existing system; please add the system name to the systems first!</translation>
    </message>
    <message>
        <source>服务区域不能为空!</source>
        <translation>The room must not be empty!</translation>
    </message>
    <message>
        <source>服务区域名称不能为空!</source>
        <translation>The room name must not be empty!</translation>
    </message>
    <message>
        <source>该服务区域已经存在!请重新取名!</source>
        <translation>This room already exists! Please choose another name!</translation>
    </message>
    <message>
        <source>该服务区域名称已经存在!请重新取名!</source>
        <translation>This room name already exists! Please choose another name!</translation>
    </message>
    <message>
        <source>您确认要删除该服务区域吗?</source>
        <translation>Do you really want to delete this room?</translation>
    </message>
    <message>
        <source>服务区域必须属于已存在的系统，请先选择正确的系统名称!</source>
        <translation>A room must belong to an existing system; please select a valid system name first!</translation>
    </message>
    <message>
        <source>服务区域必须属于已存在的系统，请先选择正确的服务区域!</source>
        <translation>A room must belong to an existing system; please select a valid room first!</translation>
    </message>
    <message>
        <source>服务区域必须属于已存在的系统，请先选择正确的服务区域名称!</source>
        <translation>A room must belong to an existing system; please select a valid room name first!</translation>
    </message>
    <message>
        <source>每一系统心须拥有至少一个服务区域，如确实要删除，请选择删除该系统!</source>
        <translation>Each system must have at least one room; to remove it anyway, delete the system!</translation>
    </message>
    <message>
        <source>没有室内输入状态点名称，建议重输!</source>
        <translation>No indoor state point name was entered; please enter it again!</translation>
    </message>
    <message>
        <source>没有输入服务区域，建议重输!</source>
        <translation>No room was entered; please enter it again!</translation>
    </message>
    <message>
        <source>没有输入室内状态点名称，建议重输!</source>
        <translation>No indoor state point name was entered; please enter it again!</translation>
    </message>
    <message>
        <source>没有输入室内冬季工况状态点名称，建议重输!</source>
        <translation>No winter indoor state point name was entered; please enter it again!</translation>
    </message>
    <message>
        <source>没有输入服务区域名称，建议重输!</source>
        <translation>No room name was entered; please enter it again!</translation>
    </message>
    <message>
        <source>至少输入一个系统!</source>
        <translation>Enter at least one system!</translation>
    </message>
    <message>
        <source>至少输入一个服务区域!</source>
        <translation>Enter at least one room!</translation>
    </message>
    <message>
        <source>室外状态点参数太小!</source>
        <translation>The outdoor state point parameters are too small!</translation>
    </message>
    <message>
        <source>室外冬季状态点参数太小!</source>
        <translation>The winter outdoor state point parameters are too small!</translation>
    </message>
    <message>
        <source>夏季室外状态点超出焓湿图范围!</source>
        <translation>The summer outdoor state lies outside the chart!</translation>
    </message>
    <message>
        <source>冬季室外状态点超出焓湿图范围!</source>
        <translation>The winter outdoor state lies outside the chart!</translation>
    </message>
    <message>
        <source>夏季室内状态点超出焓湿图范围!</source>
        <translation>The summer indoor state lies outside the chart!</translation>
    </message>
    <message>
        <source>冬季室内状态点超出焓湿图范围!</source>
        <translation>The winter indoor state lies outside the chart!</translation>
    </message>
    <message>
        <source>在此大气压力下室外状态点无法计算或超出焓湿图范围，请检查大气压力!</source>
        <translation>At this atmospheric pressure an outdoor state cannot be computed or lies outside the chart. Please check the pressure!</translation>
    </message>
    <message>
        <source>在此大气压力下房间%1的室内状态点无法计算或超出焓湿图范围，请检查大气压力!</source>
        <translation>At this atmospheric pressure an indoor state of room %1 cannot be computed or lies outside the chart. Please check the pressure!</translation>
    </message>
</context>
<context>
    <name>TextExport</name>
    <message>
        <source>普通工况</source>
        <translation>normal condition</translation>
    </message>
    <message>
        <source>夏季工况</source>
        <translation>summer condition</translation>
    </message>
    <message>
        <source>冬季工况</source>
        <translation>winter condition</translation>
    </message>
    <message>
        <source>%1
%2 / %3 / %4：状态点%5的参数无法计算</source>
        <translation>%1
%2 / %3 / %4: the parameters of state point %5 cannot be calculated</translation>
    </message>
    <message>
        <source>%1
%2：%3</source>
        <translation>%1
%2: %3</translation>
    </message>
    <message>
        <source>输出文件时出错</source>
        <translation>Error writing the file</translation>
    </message>
</context>
<context>
    <name>TextFileCommands</name>
    <message>
        <source>文本文件(*.txt)</source>
        <translation>Text files (*.txt)</translation>
    </message>
    <message>
        <source>QORVA文件(*.id)</source>
        <translation>QORVA files (*.id)</translation>
    </message>
    <message>
        <source>Excel 工作簿(*.xlsx)</source>
        <translation>Excel workbook (*.xlsx)</translation>
    </message>
</context>
<context>
    <name>ViewCommands</name>
    <message>
        <source>i-d 图</source>
        <translation>i-d chart</translation>
    </message>
    <message>
        <source>ASHRAE 图</source>
        <translation>ASHRAE chart</translation>
    </message>
    <message>
        <source>IP 单位</source>
        <translation>IP units</translation>
    </message>
    <message>
        <source>SI 单位</source>
        <translation>SI units</translation>
    </message>
    <message>
        <source>工程单位</source>
        <translation>Engineering units</translation>
    </message>
</context>
<context>
    <name>WeatherCommands</name>
    <message>
        <source>选择气象文件</source>
        <translation>Choose a Weather File</translation>
    </message>
    <message>
        <source>无法读取本工程的气象文件 %1。
%2</source>
        <translation>Cannot read this project&apos;s weather file %1.
%2</translation>
    </message>
</context>
<context>
    <name>WeatherFile</name>
    <message>
        <source>文件是空的</source>
        <translation>The file is empty</translation>
    </message>
    <message>
        <source>既不是 EnergyPlus 气象文件（EPW），也不是逐时数据的 CSV 文件</source>
        <translation>Neither an EnergyPlus weather file (EPW) nor a CSV of hourly values</translation>
    </message>
    <message>
        <source>气象文件第 %1 行：%2</source>
        <translation>Weather file line %1: %2</translation>
    </message>
    <message>
        <source>%1应为数字，读到“%2”</source>
        <translation>the %1 should be a number, found &quot;%2&quot;</translation>
    </message>
    <message>
        <source>%1 %2 %3 超出范围（%4…%5 %3）</source>
        <translation>the %1 %2 %3 is out of range (%4…%5 %3)</translation>
    </message>
    <message>
        <source>只有 %1 项，至少应有 %2 项</source>
        <translation>only %1 fields, at least %2 expected</translation>
    </message>
    <message>
        <source>%1应为整数，读到“%2”</source>
        <translation>the %1 should be a whole number, found &quot;%2&quot;</translation>
    </message>
    <message>
        <source>月份 %1 不在 1–12 之间</source>
        <translation>month %1 is not between 1 and 12</translation>
    </message>
    <message>
        <source>%1 月没有第 %2 日</source>
        <translation>month %1 has no day %2</translation>
    </message>
    <message>
        <source>逐时数据超过 %1 行</source>
        <translation>more than %1 rows of hourly values</translation>
    </message>
    <message>
        <source>该时刻的空气状态无法计算</source>
        <translation>the state of the air at this hour cannot be calculated</translation>
    </message>
    <message>
        <source>纬度</source>
        <translation>latitude</translation>
    </message>
    <message>
        <source>经度</source>
        <translation>longitude</translation>
    </message>
    <message>
        <source>时区</source>
        <translation>time zone</translation>
    </message>
    <message>
        <source>海拔</source>
        <translation>elevation</translation>
    </message>
    <message>
        <source>文件在第 %1 行结束，没有逐时数据</source>
        <translation>The file ends at line %1 without hourly values</translation>
    </message>
    <message>
        <source>年份</source>
        <translation>year</translation>
    </message>
    <message>
        <source>月份</source>
        <translation>month</translation>
    </message>
    <message>
        <source>日期</source>
        <translation>day</translation>
    </message>
    <message>
        <source>小时</source>
        <translation>hour</translation>
    </message>
    <message>
        <source>干球温度</source>
        <translation>dry-bulb temperature</translation>
    </message>
    <message>
        <source>露点温度</source>
        <translation>dew-point temperature</translation>
    </message>
    <message>
        <source>相对湿度</source>
        <translation>relative humidity</translation>
    </message>
    <message>
        <source>大气压力</source>
        <translation>atmospheric pressure</translation>
    </message>
    <message>
        <source>小时 %1 不在 1–24 之间</source>
        <translation>hour %1 is not between 1 and 24</translation>
    </message>
    <message>
        <source>日期时间“%1”无效，应为“年-月-日 时:分”</source>
        <translation>the date and time &quot;%1&quot; is not valid; expected &quot;year-month-day hour:minute&quot;</translation>
    </message>
    <message>
        <source>文件中没有可用的逐时数据</source>
        <translation>The file holds no usable hourly values</translation>
    </message>
    <message>
        <source>无法读取气象文件 %1：%2</source>
        <translation>Cannot read the weather file %1: %2</translation>
    </message>
    <message>
        <source>气象文件 %1 过大</source>
        <translation>The weather file %1 is too large</translation>
    </message>
</context>
<context>
    <name>WeatherMap</name>
    <message>
        <source>全年</source>
        <translation>Whole year</translation>
    </message>
    <message>
        <source>%1–%2 月</source>
        <translation>Months %1–%2</translation>
    </message>
    <message>
        <source>%1，%2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>%1:00–%2:00</source>
        <translation>%1:00–%2:00</translation>
    </message>
    <message>
        <source>气象年：%1</source>
        <translation>Weather year: %1</translation>
    </message>
    <message>
        <source>文件：%1</source>
        <translation>File: %1</translation>
    </message>
    <message>
        <source>%1，%2 小时</source>
        <translation>%1, hours: %2</translation>
    </message>
    <message>
        <source>每点为一个或多个小时</source>
        <translation>Each dot is one hour or more</translation>
    </message>
    <message>
        <source>每格小时数（干球温度 1 ℃ × 露点温度 1 ℃）</source>
        <translation>Hours per cell (1 ℃ dry bulb × 1 ℃ dew point)</translation>
    </message>
    <message>
        <source>每格小时数（干球温度 1.8 ℉ × 露点温度 1.8 ℉）</source>
        <translation>Hours per cell (1.8 ℉ dry bulb × 1.8 ℉ dew point)</translation>
    </message>
</context>
<context>
    <name>WeatherSummary</name>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>小时数</source>
        <translation>Hours</translation>
    </message>
    <message>
        <source>占比％</source>
        <translation>Share %</translation>
    </message>
    <message>
        <source>全部小时</source>
        <translation>All hours</translation>
    </message>
    <message>
        <source>舒适区：%1</source>
        <translation>Comfort zone: %1</translation>
    </message>
    <message>
        <source>GB 50736 供冷 I级（24–26 ℃，40–60 %）</source>
        <translation>GB 50736 cooling class I (24–26 ℃, 40–60 %)</translation>
    </message>
    <message>
        <source>GB 50736 供冷 II级（26–28 ℃，≤ 70 %）</source>
        <translation>GB 50736 cooling class II (26–28 ℃, ≤ 70 %)</translation>
    </message>
    <message>
        <source>GB 50736 供热 I级（22–24 ℃，≥ 30 %）</source>
        <translation>GB 50736 heating class I (22–24 ℃, ≥ 30 %)</translation>
    </message>
    <message>
        <source>GB 50736 供热 II级（18–22 ℃）</source>
        <translation>GB 50736 heating class II (18–22 ℃)</translation>
    </message>
    <message>
        <source>焓高于夏季室外计算点 %1（%2 kJ/kg）</source>
        <translation>Enthalpy above the summer outdoor design point %1 (%2 kJ/kg)</translation>
    </message>
    <message>
        <source>干球温度低于冬季室外计算点 %1（%2 ℃）</source>
        <translation>Dry bulb below the winter outdoor design point %1 (%2 ℃)</translation>
    </message>
    <message>
        <source>月份</source>
        <translation>Month</translation>
    </message>
    <message>
        <source>干球温度℃</source>
        <translation>Dry bulb ℃</translation>
    </message>
    <message>
        <source>相对湿度％</source>
        <translation>RH %</translation>
    </message>
    <message>
        <source>含湿量g/kg</source>
        <translation>Moisture content g/kg</translation>
    </message>
    <message>
        <source>焓kJ/kg</source>
        <translation>Enthalpy kJ/kg</translation>
    </message>
    <message>
        <source>焓kcal/kg</source>
        <translation>Enthalpy kcal/kg</translation>
    </message>
    <message>
        <source>大气压力Pa</source>
        <translation>Pressure Pa</translation>
    </message>
    <message>
        <source>室外计算参数</source>
        <translation>Outdoor design condition</translation>
    </message>
    <message>
        <source>本年（GB 50736）</source>
        <translation>This year (GB 50736)</translation>
    </message>
    <message>
        <source>文件（ASHRAE）</source>
        <translation>File (ASHRAE)</translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>最热月 / 最冷月</source>
        <translation>Hottest / coldest month</translation>
    </message>
    <message>
        <source>夏季空调室外计算干球温度℃</source>
        <translation>Summer air-conditioning outdoor dry bulb ℃</translation>
    </message>
    <message>
        <source>0.4 % 干球温度</source>
        <translation>0.4 % dry bulb</translation>
    </message>
    <message>
        <source>夏季空调室外计算湿球温度℃</source>
        <translation>Summer air-conditioning outdoor wet bulb ℃</translation>
    </message>
    <message>
        <source>0.4 % 平均同时湿球温度</source>
        <translation>0.4 % mean coincident wet bulb</translation>
    </message>
    <message>
        <source>夏季空调室外计算日平均温度℃</source>
        <translation>Summer air-conditioning outdoor daily mean ℃</translation>
    </message>
    <message>
        <source>夏季通风室外计算温度℃</source>
        <translation>Summer ventilation outdoor temperature ℃</translation>
    </message>
    <message>
        <source>夏季通风室外计算相对湿度％</source>
        <translation>Summer ventilation outdoor RH %</translation>
    </message>
    <message>
        <source>夏季大气压力Pa</source>
        <translation>Summer atmospheric pressure Pa</translation>
    </message>
    <message>
        <source>冬季空调室外计算温度℃</source>
        <translation>Winter air-conditioning outdoor temperature ℃</translation>
    </message>
    <message>
        <source>99.6 % 干球温度</source>
        <translation>99.6 % dry bulb</translation>
    </message>
    <message>
        <source>冬季空调室外计算相对湿度％</source>
        <translation>Winter air-conditioning outdoor RH %</translation>
    </message>
    <message>
        <source>供暖室外计算温度℃</source>
        <translation>Heating outdoor temperature ℃</translation>
    </message>
    <message>
        <source>冬季通风室外计算温度℃</source>
        <translation>Winter ventilation outdoor temperature ℃</translation>
    </message>
    <message>
        <source>冬季大气压力Pa</source>
        <translation>Winter atmospheric pressure Pa</translation>
    </message>
    <message>
        <source>干球温度℉</source>
        <translation>Dry bulb ℉</translation>
    </message>
    <message>
        <source>含湿量gr/lb</source>
        <translation>Moisture content gr/lb</translation>
    </message>
    <message>
        <source>焓Btu/lb</source>
        <translation>Enthalpy Btu/lb</translation>
    </message>
    <message>
        <source>大气压力psia</source>
        <translation>Pressure psia</translation>
    </message>
</context>
<context>
    <name>Workbook</name>
    <message>
        <source>普通工况</source>
        <translation>Normal condition</translation>
    </message>
    <message>
        <source>制冷工况</source>
        <translation>Cooling condition</translation>
    </message>
    <message>
        <source>制热工况</source>
        <translation>Heating condition</translation>
    </message>
    <message>
        <source>设计参数</source>
        <translation>Design data</translation>
    </message>
    <message>
        <source>系统</source>
        <translation>System</translation>
    </message>
    <message>
        <source>房间</source>
        <translation>Room</translation>
    </message>
    <message>
        <source>夏季室内状态点</source>
        <translation>Summer indoor state point</translation>
    </message>
    <message>
        <source>夏季室内干球温度</source>
        <translation>Summer indoor dry-bulb temperature</translation>
    </message>
    <message>
        <source>夏季室内相对湿度</source>
        <translation>Summer indoor relative humidity</translation>
    </message>
    <message>
        <source>夏季室内湿球温度</source>
        <translation>Summer indoor wet-bulb temperature</translation>
    </message>
    <message>
        <source>夏季室内含湿量</source>
        <translation>Summer indoor moisture content</translation>
    </message>
    <message>
        <source>夏季室内焓</source>
        <translation>Summer indoor enthalpy</translation>
    </message>
    <message>
        <source>冷负荷</source>
        <translation>Cooling load</translation>
    </message>
    <message>
        <source>夏季湿负荷</source>
        <translation>Summer moisture load</translation>
    </message>
    <message>
        <source>夏季新风量</source>
        <translation>Summer outdoor air volume</translation>
    </message>
    <message>
        <source>冬季室内状态点</source>
        <translation>Winter indoor state point</translation>
    </message>
    <message>
        <source>冬季室内干球温度</source>
        <translation>Winter indoor dry-bulb temperature</translation>
    </message>
    <message>
        <source>冬季室内相对湿度</source>
        <translation>Winter indoor relative humidity</translation>
    </message>
    <message>
        <source>冬季室内湿球温度</source>
        <translation>Winter indoor wet-bulb temperature</translation>
    </message>
    <message>
        <source>冬季室内含湿量</source>
        <translation>Winter indoor moisture content</translation>
    </message>
    <message>
        <source>冬季室内焓</source>
        <translation>Winter indoor enthalpy</translation>
    </message>
    <message>
        <source>热负荷</source>
        <translation>Heating load</translation>
    </message>
    <message>
        <source>冬季湿负荷</source>
        <translation>Winter moisture load</translation>
    </message>
    <message>
        <source>冬季新风量</source>
        <translation>Winter outdoor air volume</translation>
    </message>
    <message>
        <source>状态点</source>
        <translation>State points</translation>
    </message>
    <message>
        <source>工况</source>
        <translation>Condition</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>大气压力</source>
        <translation>Atmospheric pressure</translation>
    </message>
    <message>
        <source>干球温度</source>
        <translation>Dry-bulb temperature</translation>
    </message>
    <message>
        <source>湿球温度</source>
        <translation>Wet-bulb temperature</translation>
    </message>
    <message>
        <source>相对湿度</source>
        <translation>Relative humidity</translation>
    </message>
    <message>
        <source>露点温度</source>
        <translation>Dew-point temperature</translation>
    </message>
    <message>
        <source>含湿量</source>
        <translation>Moisture content</translation>
    </message>
    <message>
        <source>焓</source>
        <translation>Enthalpy</translation>
    </message>
    <message>
        <source>水蒸气分压力</source>
        <translation>Partial pressure of water vapour</translation>
    </message>
    <message>
        <source>饱和水蒸气分压力</source>
        <translation>Saturation pressure of water vapour</translation>
    </message>
    <message>
        <source>比容</source>
        <translation>Specific volume</translation>
    </message>
    <message>
        <source>密度</source>
        <translation>Density</translation>
    </message>
    <message>
        <source>%1
%2</source>
        <translation>%1
%2</translation>
    </message>
    <message>
        <source>工程无法复制</source>
        <translation>The project cannot be copied</translation>
    </message>
    <message>
        <source>结果</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>数值</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>单位</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>设计状态点无法计算，该工况视图无法显示</source>
        <translation>The design states cannot be computed: this condition&apos;s view cannot be shown</translation>
    </message>
    <message>
        <source>没有新风量</source>
        <translation>No outdoor air volume</translation>
    </message>
    <message>
        <source>工程没有该季节的空气密度，新风量无法换算为 kg/h</source>
        <translation>The project has no air density for the season: the outdoor air volume cannot be turned into kg/h</translation>
    </message>
    <message>
        <source>室内设计状态点无法计算</source>
        <translation>The indoor design state cannot be computed</translation>
    </message>
    <message>
        <source>全年新风</source>
        <translation>Fresh air by month</translation>
    </message>
    <message>
        <source>月份</source>
        <translation>Month</translation>
    </message>
    <message>
        <source>供冷</source>
        <translation>Cooling</translation>
    </message>
    <message>
        <source>供热</source>
        <translation>Heating</translation>
    </message>
    <message>
        <source>说明</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>全年</source>
        <translation>Year</translation>
    </message>
    <message>
        <source>%1
%2：%3</source>
        <translation>%1
%2: %3</translation>
    </message>
    <message>
        <source>工作表“%1”超出 Excel 的 1048576 行、16384 列</source>
        <translation>Sheet &quot;%1&quot; exceeds Excel&apos;s 1048576 rows or 16384 columns</translation>
    </message>
    <message>
        <source>工作表“%1”无法建立</source>
        <translation>Sheet &quot;%1&quot; cannot be made</translation>
    </message>
    <message>
        <source>气象小时数</source>
        <translation>Weather hours</translation>
    </message>
    <message>
        <source>气象月平均</source>
        <translation>Weather monthly means</translation>
    </message>
    <message>
        <source>室外计算参数</source>
        <translation>Outdoor design conditions</translation>
    </message>
    <message>
        <source>这是一个文件夹</source>
        <translation>This is a folder</translation>
    </message>
    <message>
        <source>无法建立临时文件</source>
        <translation>No temporary file can be made</translation>
    </message>
    <message>
        <source>无法建立工作簿</source>
        <translation>The workbook cannot be made</translation>
    </message>
</context>
</TS>
