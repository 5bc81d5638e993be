<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
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
        <translation>Close and Return (&amp;B)</translation>
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
        <translation>&amp;Page View</translation>
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
        <translation>Equal-Moisture-Content Point (&amp;D)</translation>
    </message>
    <message>
        <source>绘制等含湿量点</source>
        <translation>Draw a point of equal moisture content</translation>
    </message>
    <message>
        <source>同一过程线上的点(&amp;G)</source>
        <translation>Point on a Process Line (&amp;G)</translation>
    </message>
    <message>
        <source>绘制同一过程线上的点</source>
        <translation>Draw a point on a process line</translation>
    </message>
    <message>
        <source>同一热湿比线上的点(&amp;S)</source>
        <translation>Point on a Heat-Moisture Ratio Line (&amp;S)</translation>
    </message>
    <message>
        <source>绘制同一热湿比线上的点</source>
        <translation>Draw a point on a heat-moisture ratio line</translation>
    </message>
    <message>
        <source>过程线与过程线的交点(&amp;I)</source>
        <translation>Process Line × Process Line (&amp;I)</translation>
    </message>
    <message>
        <source>绘制过程线与过程线的交点</source>
        <translation>Draw the intersection of two process lines</translation>
    </message>
    <message>
        <source>过程线与热湿比线的交点(&amp;J)</source>
        <translation>Process Line × Heat-Moisture Ratio Line (&amp;J)</translation>
    </message>
    <message>
        <source>绘制过程线与热湿比线的交点</source>
        <translation>Draw the intersection of a process line and a heat-moisture ratio line</translation>
    </message>
    <message>
        <source>热湿比线与热湿比线的交点(&amp;K)</source>
        <translation>Heat-Moisture Ratio Line × Heat-Moisture Ratio Line (&amp;K)</translation>
    </message>
    <message>
        <source>绘制热湿比线与热湿比线的交点</source>
        <translation>Draw the intersection of two heat-moisture ratio lines</translation>
    </message>
    <message>
        <source>过程线(&amp;G)</source>
        <translation>Process Lines (&amp;G)</translation>
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
        <translation>Heating Load (&amp;J)</translation>
    </message>
    <message>
        <source>计算加热量</source>
        <translation>Calculate the heating load</translation>
    </message>
    <message>
        <source>再热量(&amp;Z)</source>
        <translation>Reheat Load (&amp;Z)</translation>
    </message>
    <message>
        <source>计算再热量</source>
        <translation>Calculate the reheat load</translation>
    </message>
    <message>
        <source>预热量(&amp;Y)</source>
        <translation>Preheat Load (&amp;Y)</translation>
    </message>
    <message>
        <source>计算预热量</source>
        <translation>Calculate the preheat load</translation>
    </message>
    <message>
        <source>混风比(&amp;W)</source>
        <translation>Mixing Ratio (&amp;W)</translation>
    </message>
    <message>
        <source>计算混风比</source>
        <translation>Calculate the mixing ratio of two air streams</translation>
    </message>
    <message>
        <source>热湿比(&amp;R)</source>
        <translation>Heat-Moisture &amp;Ratio</translation>
    </message>
    <message>
        <source>计算热湿比</source>
        <translation>Calculate the heat-moisture ratio (ε)</translation>
    </message>
    <message>
        <source>加湿量(&amp;S)</source>
        <translation>Humidification Rate (&amp;S)</translation>
    </message>
    <message>
        <source>计算加湿量</source>
        <translation>Calculate the humidification rate</translation>
    </message>
    <message>
        <source>处理焓差(&amp;C)</source>
        <translation>Treatment Enthalpy Difference (&amp;C)</translation>
    </message>
    <message>
        <source>计算处理焓差</source>
        <translation>Calculate the enthalpy difference of the air treatment</translation>
    </message>
    <message>
        <source>空调器处理冷量(&amp;K)</source>
        <translation>Air Handler Cooling Capacity (&amp;K)</translation>
    </message>
    <message>
        <source>计算空调器处理冷量</source>
        <translation>Calculate the cooling capacity of the air handling unit</translation>
    </message>
    <message>
        <source>焓差(&amp;H)</source>
        <translation>Ent&amp;halpy Difference</translation>
    </message>
    <message>
        <source>计算焓差</source>
        <translation>Calculate an enthalpy difference</translation>
    </message>
    <message>
        <source>含湿量差</source>
        <translation>Moisture Content Difference</translation>
    </message>
    <message>
        <source>计算含湿量差</source>
        <translation>Calculate a moisture content difference</translation>
    </message>
    <message>
        <source>一次回风系统(&amp;O)</source>
        <translation>Primary Return Air System (&amp;O)</translation>
    </message>
    <message>
        <source>一次回风系统分析</source>
        <translation>Analyse a primary return air system</translation>
    </message>
    <message>
        <source>二次回风系统</source>
        <translation>Secondary Return Air System</translation>
    </message>
    <message>
        <source>二次回风系统分析</source>
        <translation>Analyse a secondary return air system</translation>
    </message>
    <message>
        <source>风机盘管加新风系统</source>
        <translation>Fan Coil with Dedicated Outdoor Air</translation>
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
        <translation>Clip (&amp;T)</translation>
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
        <translation>Heat-Moisture Ratio Lines (&amp;H)</translation>
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
</TS>
