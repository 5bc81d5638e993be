#include "gui/app/CMainFrame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include <algorithm>

#include "gui/app/AboutDialog.h"
#include "gui/app/CommandModules.h"
#include "gui/app/CommandTable.h"
#include "gui/app/Language.h"
#include "gui/chart/CQORVAView.h"
#include "model/Messages.h"
#include "project/CQORVADoc.h"

namespace {

// A toolbar button face for commands without a standard icon: a short
// glyph on a light square.
QIcon glyphIcon(const QString& glyph)
{
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(90, 90, 90));
    painter.setBrush(QColor(245, 245, 240));
    painter.drawRoundedRect(QRectF(1.5, 1.5, 21, 21), 3, 3);
    QFont font = painter.font();
    font.setPixelSize(glyph.size() > 1 ? 10 : 14);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(20, 60, 140));
    painter.drawText(QRect(0, 0, 24, 24), Qt::AlignCenter, glyph);
    return QIcon(pixmap);
}

QString menuText(const char* caption)
{
    return QCoreApplication::translate("CommandTable", caption);
}

} // namespace

CMainFrame::CMainFrame(CQORVADoc& document, QWidget* parent) : QMainWindow(parent), m_document(document)
{
    setObjectName("CMainFrame");
    m_view = new CQORVAView(document, this);
    setCentralWidget(m_view);
    createActions();
    createMenus();
    createToolBars();
    createStatusBar();
    installShellHandlers();
    installCommandModules(*this);
    setAcceptDrops(true);
    connect(&m_document, &CQORVADoc::changed, this, &CMainFrame::onDocumentChanged);
    FillToolbarCombos();
    updateTitle();
    updateCommandStates();
}

void CMainFrame::createActions()
{
    for (const CommandInfo& info : commandTable()) {
        QString caption = menuText(info.caption);
        QString shortcut;
        if (const int tab = caption.indexOf('\t'); tab >= 0) {
            shortcut = caption.mid(tab + 1);
            caption = caption.left(tab);
        }
        auto* action = new QAction(caption, this);
        action->setData(info.id);
        if (!shortcut.isEmpty())
            action->setShortcut(QKeySequence(shortcut));
        action->setStatusTip(menuText(info.prompt));
        const int id = info.id;
        connect(action, &QAction::triggered, this, [this, id] {
            auto it = m_handlers.find(id);
            if (it != m_handlers.end() && it->second)
                it->second();
            updateCommandStates();
        });
        m_actions[id] = action;
    }
    // Toolbar-only faces.
    const QStyle* s = style();
    m_actions[cmd::FileNew]->setIcon(s->standardIcon(QStyle::SP_FileIcon));
    m_actions[cmd::FileOpen]->setIcon(s->standardIcon(QStyle::SP_DialogOpenButton));
    m_actions[cmd::FileSave]->setIcon(s->standardIcon(QStyle::SP_DialogSaveButton));
    m_actions[cmd::FilePrint]->setIcon(glyphIcon("P"));
    m_actions[cmd::FilePrintPreview]->setIcon(glyphIcon("PV"));
    m_actions[cmd::DrawIndependentPoint]->setIcon(glyphIcon("•"));
    m_actions[cmd::DrawProcessLine]->setIcon(glyphIcon("↗"));
    m_actions[cmd::DrawHhrLine]->setIcon(glyphIcon("ε"));
    m_actions[cmd::Pick]->setIcon(glyphIcon("↖"));
    m_actions[cmd::EditUndo]->setIcon(glyphIcon("↶"));
    m_actions[cmd::EditRedo]->setIcon(glyphIcon("↷"));
    m_actions[cmd::Edit]->setIcon(glyphIcon("✎"));
    m_actions[cmd::Delete]->setIcon(glyphIcon("✕"));
    m_actions[cmd::DrawText]->setIcon(glyphIcon("A"));
    m_actions[cmd::ZoomIn]->setIcon(glyphIcon("+"));
    m_actions[cmd::ZoomOut]->setIcon(glyphIcon("−"));
    m_actions[cmd::ZoomAll]->setIcon(glyphIcon("□"));
    m_actions[cmd::Clip]->setIcon(glyphIcon("✂"));
    m_actions[cmd::Restore]->setIcon(glyphIcon("↺"));
    for (int id : {cmd::ChartView, cmd::PageView, cmd::ConditionNormal, cmd::ConditionSummer,
                   cmd::ConditionWinter, cmd::LabelPoints, cmd::LabelProcessLines, cmd::LabelHhrLines,
                   cmd::ShowHhrLines, cmd::ViewToolbar, cmd::ViewStatusBar, cmd::Pick})
        m_actions[id]->setCheckable(true);
    // Standard edit accelerators and pane switching exist but reach no handler.
    for (const char* keys : {"Ctrl+X", "Ctrl+C", "Ctrl+V", "Alt+Backspace", "Shift+Del", "Ctrl+Ins",
                             "Shift+Ins", "F6", "Shift+F6"}) {
        auto* unused = new QAction(this);
        unused->setShortcut(QKeySequence(QString::fromLatin1(keys)));
        addAction(unused);
    }
}

QMenu* CMainFrame::addCommandMenu(QMenu* menu, std::initializer_list<int> ids)
{
    for (int id : ids) {
        if (id == 0)
            menu->addSeparator();
        else
            menu->addAction(m_actions.at(id));
    }
    return menu;
}

void CMainFrame::createMenus()
{
    QMenuBar* bar = menuBar();
    QMenu* file = bar->addMenu(tr("文件(&F)"));
    addCommandMenu(file,
                   {cmd::FileNew, cmd::FileOpen, cmd::FileSave, cmd::FileSaveAs, 0, cmd::ImportOldProject,
                    cmd::FileClose, 0, cmd::PageSetup, cmd::FilePrint, cmd::FilePrintPreview, 0});
    QMenu* output = file->addMenu(tr("输出(&E)"));
    addCommandMenu(output, {cmd::ExportChart, cmd::ExportParamPoints, cmd::ExportStatePoints});
    file->addAction(m_actions.at(cmd::ExportWorkbook));
    file->addSeparator();
    m_recentMenu = file->addMenu(m_actions.at(cmd::FileMru)->text());
    file->addSeparator();
    file->addAction(m_actions.at(cmd::AppExit));
    rebuildRecentMenu();

    QMenu* edit = bar->addMenu(tr("编辑(&E)"));
    addCommandMenu(edit, {cmd::EditUndo, cmd::EditRedo, 0, cmd::Pick, cmd::Edit, cmd::Delete});

    QMenu* settings = bar->addMenu(tr("设定(&S)"));
    addCommandMenu(settings, {cmd::BasicParams, cmd::SystemRoom, cmd::Pressure, cmd::WeatherFile, 0,
                              cmd::ElementAttributes});
    settings->addSeparator();
    settings->addMenu(createLanguageMenu(this));

    QMenu* view = bar->addMenu(tr("查看(&V)"));
    addCommandMenu(view, {cmd::ViewToolbar, cmd::ViewStatusBar, 0, cmd::ChartView, cmd::PageView, cmd::AshraeForm, 0,
                          cmd::ConditionNormal, cmd::ConditionSummer, cmd::ConditionWinter, 0});
    QMenu* zoom = view->addMenu(tr("缩放(&Z)"));
    addCommandMenu(zoom, {cmd::ZoomAll, cmd::ZoomIn, cmd::ZoomOut, 0, cmd::Clip, cmd::Restore});
    QMenu* labels = view->addMenu(tr("标注(&L)"));
    addCommandMenu(labels, {cmd::LabelPoints, cmd::LabelProcessLines, cmd::LabelHhrLines});
    QMenu* units = view->addMenu(tr("单位制(&U)"));
    addCommandMenu(units, {cmd::UnitsSI, cmd::UnitsEngineering, cmd::UnitsIP});
    addCommandMenu(
        view, {cmd::ShowHhrLines, 0, cmd::ShowWeatherYear, cmd::WeatherStatistics, 0, cmd::InfoStatePoint});

    QMenu* draw = bar->addMenu(tr("绘图(&D)"));
    QMenu* points = draw->addMenu(tr("状态点(&P)"));
    addCommandMenu(points,
                   {cmd::DrawIndependentPoint, cmd::DrawMixingPoint, cmd::DrawRelatedPoints, 0,
                    cmd::DrawEqualEnthalpyPoint, cmd::DrawEqualTemperaturePoint, cmd::DrawEqualMoisturePoint,
                    0, cmd::DrawPointOnProcessLine, cmd::DrawPointOnHhrLine, 0, cmd::DrawHeatRecoveryPoint,
                    cmd::DrawEvaporativePoint});
    QMenu* crossings = draw->addMenu(tr("交点(&I)"));
    addCommandMenu(crossings, {cmd::DrawProcessCrossProcess, cmd::DrawProcessCrossHhr, cmd::DrawHhrCrossHhr});
    addCommandMenu(draw, {cmd::DrawProcessLine, cmd::DrawHhrLine, 0});
    QMenu* text = draw->addMenu(tr("文字(&T)"));
    addCommandMenu(text, {cmd::DrawText, cmd::OutputStatePoint});
    addCommandMenu(draw, {cmd::DrawComfortZone});

    QMenu* calc = bar->addMenu(tr("计算(&C)"));
    addCommandMenu(calc, {cmd::CalcParamPoint, 0, cmd::CalcAirVolume, cmd::CalcHeating, cmd::CalcReheat,
                          cmd::CalcPreheat, cmd::CalcCoilCooling, 0, cmd::CalcMixingRatio, cmd::CalcHhr,
                          cmd::CalcHumidification, cmd::CalcTreatmentEnthalpy, cmd::CalcEnthalpyDifference,
                          cmd::CalcMoistureDifference});

    QMenu* analysis = bar->addMenu(tr("过程分析(&A)"));
    addCommandMenu(analysis, {cmd::AnalysisPrimary, cmd::AnalysisSecondary, cmd::AnalysisFanCoil,
                              cmd::AnalysisFreshAir, 0, cmd::AnalysisAnnualFreshAir});

    QMenu* help = bar->addMenu(tr("帮助(&H)"));
    help->addAction(m_actions.at(cmd::AppAbout));

    for (QMenu* menu : bar->findChildren<QMenu*>())
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::updateCommandStates);
}

void CMainFrame::createToolBars()
{
    m_mainToolBar = addToolBar(tr("工具栏"));
    m_mainToolBar->setObjectName("ProjectToolBar");
    m_mainToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    for (int id : {cmd::FileNew, cmd::FileOpen, cmd::FileSave})
        m_mainToolBar->addAction(m_actions.at(id));
    m_mainToolBar->addSeparator();
    m_mainToolBar->addAction(m_actions.at(cmd::FilePrint));
    m_mainToolBar->addAction(m_actions.at(cmd::FilePrintPreview));

    auto makeList = [this](int id, const char* name) {
        auto* list = new QComboBox(this);
        list->setObjectName(name);
        list->setProperty("commandId", id);
        list->setEditable(false);
        list->setFixedWidth(100);
        list->setFont(QApplication::font());
        return list;
    };
    m_viewList = makeList(cmd::ViewList, "viewList");
    m_viewList->addItems({tr("焓湿图视图"), tr("页面视图")});
    m_conditionList = makeList(cmd::ConditionList, "conditionList");
    m_conditionList->addItems({tr("普通工况视图"), tr("制冷工况视图"), tr("制热工况视图")});
    // The lists of fixed choices widen to their longest caption (English
    // ones are longer than the Chinese the width was chosen for).
    for (QComboBox* list : {m_viewList, m_conditionList})
        list->setFixedWidth(std::max(list->width(), list->sizeHint().width()));
    m_systemList = makeList(cmd::SystemList, "systemList");
    m_roomList = makeList(cmd::RoomList, "roomList");
    auto makeLabel = [this](int id, const char* text) {
        auto* label = new QLabel(tr(text), this);
        label->setProperty("commandId", id);
        label->setFixedWidth(60);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return label;
    };
    m_mainToolBar->addWidget(m_viewList);
    m_mainToolBar->addWidget(m_conditionList);
    m_mainToolBar->addWidget(makeLabel(cmd::ToolbarSystemLabel, QT_TR_NOOP("系统名称:")));
    m_mainToolBar->addWidget(m_systemList);
    m_mainToolBar->addWidget(makeLabel(cmd::ToolbarRoomLabel, QT_TR_NOOP("房间名称:")));
    m_mainToolBar->addWidget(m_roomList);
    m_mainToolBar->addSeparator();
    for (int id : {cmd::EditUndo, cmd::EditRedo, cmd::DrawIndependentPoint, cmd::DrawProcessLine,
                   cmd::DrawHhrLine, cmd::Pick, cmd::Edit, cmd::Delete})
        m_mainToolBar->addAction(m_actions.at(id));
    m_mainToolBar->addSeparator();
    m_mainToolBar->addAction(m_actions.at(cmd::DrawText));

    m_displayToolBar = addToolBar(tr("显示"));
    m_displayToolBar->setObjectName("DisplayToolBar");
    m_displayToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    for (int id : {cmd::ZoomIn, cmd::ZoomOut, cmd::ZoomAll, cmd::Clip, cmd::Restore, cmd::AshraeForm})
        m_displayToolBar->addAction(m_actions.at(id));
    m_displayToolBar->addSeparator();
    for (int id : {cmd::UnitsSI, cmd::UnitsEngineering, cmd::UnitsIP})
        m_displayToolBar->addAction(m_actions.at(id));

    connect(m_viewList, &QComboBox::activated, this,
            [this](int index) { m_document.SetChartView(index == 0); });
    connect(m_conditionList, &QComboBox::activated, this,
            [this](int index) { m_document.SelectCondition(index); });
    connect(m_systemList, &QComboBox::activated, this, [this](int index) {
        if (m_fillingCombos)
            return;
        m_document.SelectSystem(index);
    });
    connect(m_roomList, &QComboBox::activated, this, [this](int index) {
        if (m_fillingCombos)
            return;
        m_document.SelectRoom(index);
    });
}

void CMainFrame::createStatusBar()
{
    QStatusBar* bar = statusBar();
    auto makeIndicator = [this, bar](const char* text) {
        auto* label = new QLabel(tr(text), this);
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(label->text()) + 12);
        label->setEnabled(false); // the lock keys' state is not known to the program
        bar->addPermanentWidget(label);
        return label;
    };
    m_capsIndicator = makeIndicator(QT_TR_NOOP("大写"));
    m_numIndicator = makeIndicator(QT_TR_NOOP("数字"));
    m_scrollIndicator = makeIndicator(QT_TR_NOOP("滚动"));
    bar->showMessage(tr("就绪"));
    connect(bar, &QStatusBar::messageChanged, this, [bar](const QString& message) {
        if (message.isEmpty())
            bar->showMessage(tr("就绪"));
    });
}

void CMainFrame::installShellHandlers()
{
    setHandler(cmd::FileSave, [this] { SaveProject(); });
    setHandler(cmd::FileSaveAs, [this] { SaveProjectAs(); });
    setHandler(cmd::AppExit, [this] { close(); });
    setHandler(cmd::AppAbout, [this] {
        AboutDialog dialog(this);
        dialog.exec();
    });
    setHandler(cmd::FileMru, [] {});
    setHandler(
        cmd::ViewToolbar,
        [this] {
            const bool show = !m_mainToolBar->isVisible();
            m_mainToolBar->setVisible(show);
            m_displayToolBar->setVisible(show);
        },
        [this] { return m_mainToolBar->isVisible(); });
    setHandler(
        cmd::ViewStatusBar, [this] { statusBar()->setVisible(!statusBar()->isVisible()); },
        [this] { return statusBar()->isVisible(); });
    setHandler(
        cmd::ChartView, [this] { m_document.SetChartView(true); },
        [this] { return m_document.model().m_bChartView != 0; });
    setHandler(
        cmd::PageView, [this] { m_document.SetChartView(false); },
        [this] { return m_document.model().m_bChartView == 0; });
    const std::pair<int, int> conditions[] = {{cmd::ConditionNormal, kConditionNormal},
                                              {cmd::ConditionSummer, kConditionSummer},
                                              {cmd::ConditionWinter, kConditionWinter}};
    for (const auto& [id, code] : conditions) {
        const int c = code;
        setHandler(
            id, [this, c] { m_document.SelectCondition(c); },
            [this, c] { return m_document.CurrentConditionCode() == c; });
    }
    setHandler(
        cmd::LabelPoints, [this] { m_document.TogglePointLabels(); },
        [this] { return m_document.model().m_bShowPointLabels != 0; });
    setHandler(
        cmd::LabelProcessLines, [this] { m_document.ToggleProcessLineLabels(); },
        [this] { return m_document.model().m_bShowProcessLineLabels != 0; });
    setHandler(
        cmd::LabelHhrLines, [this] { m_document.ToggleHhrLineLabels(); },
        [this] { return m_document.model().m_bShowHhrLineLabels != 0; });
}

void CMainFrame::setHandler(int id, Handler handler, Predicate checked)
{
    m_handlers[id] = std::move(handler);
    if (checked)
        m_checks[id] = std::move(checked);
    updateCommandStates();
}

void CMainFrame::setEnabledWhen(int id, Predicate enabled)
{
    m_enabledWhen[id] = std::move(enabled);
    updateCommandStates();
}

QAction* CMainFrame::action(int id) const
{
    auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

void CMainFrame::updateCommandStates()
{
    for (const CommandInfo& info : commandTable()) {
        QAction* act = m_actions.at(info.id);
        bool enabled = m_handlers.count(info.id) != 0;
        if (info.rule == EnableRule::NeedsProject)
            enabled = enabled && m_document.m_bProjectOpen;
        else if (info.rule == EnableRule::NeedsReportPath)
            enabled = enabled && !m_document.m_strReportPath.empty();
        if (auto condition = m_enabledWhen.find(info.id); condition != m_enabledWhen.end())
            enabled = enabled && condition->second();
        act->setEnabled(enabled);
        auto check = m_checks.find(info.id);
        if (check != m_checks.end())
            act->setChecked(check->second());
    }
    m_recentMenu->setEnabled(!m_recentFiles.files().isEmpty());
    const bool open = m_document.m_bProjectOpen;
    m_conditionList->setEnabled(open);
    m_systemList->setEnabled(open);
    m_roomList->setEnabled(open);
}

void CMainFrame::FillToolbarCombos()
{
    m_fillingCombos = true;
    const ToolbarContents contents = m_document.FillToolbarCombos();
    m_systemList->clear();
    for (const std::string& name : contents.systems)
        m_systemList->addItem(QString::fromStdString(name));
    m_roomList->clear();
    for (const std::string& name : contents.rooms)
        m_roomList->addItem(QString::fromStdString(name));
    m_systemList->setCurrentIndex(contents.currentSystem);
    m_roomList->setCurrentIndex(contents.currentRoom);
    m_viewList->setCurrentIndex(contents.view);
    m_conditionList->setCurrentIndex(contents.condition);
    m_fillingCombos = false;
}

void CMainFrame::onDocumentChanged(const DocumentEvent& event)
{
    switch (event.kind) {
    case DocumentChange::ProjectReplaced:
        FillToolbarCombos();
        break;
    case DocumentChange::Selection: {
        m_viewList->setCurrentIndex(m_document.model().m_bChartView ? 0 : 1);
        m_conditionList->setCurrentIndex(m_document.CurrentConditionCode());
        // A system change refills the room list.
        const auto& systems = m_document.model().m_rooms.m_systems;
        const int s = m_document.model().m_nCurSystem;
        m_fillingCombos = true;
        if (s >= 0 && s < static_cast<int>(systems.size()) && m_systemList->currentIndex() == s) {
            const auto& rooms = systems[s]->m_rooms;
            if (m_roomList->count() != static_cast<int>(rooms.size()) ||
                (m_roomList->count() > 0 &&
                 m_roomList->itemText(0).toStdString() != rooms.front()->m_strName)) {
                m_roomList->clear();
                for (const auto& room : rooms)
                    m_roomList->addItem(QString::fromStdString(room->m_strName));
            }
            m_roomList->setCurrentIndex(rooms.empty() ? -1 : m_document.model().m_nCurRoom);
        } else {
            m_roomList->clear();
        }
        m_fillingCombos = false;
        break;
    }
    case DocumentChange::Model: {
        // Undoing or redoing a change of the systems and rooms changes the
        // lists' entries: they are filled again, so no entry names a system
        // or room that is not there.
        const auto& systems = m_document.model().m_rooms.m_systems;
        bool same = m_systemList->count() == static_cast<int>(systems.size());
        for (int i = 0; same && i < m_systemList->count(); ++i)
            same = m_systemList->itemText(i).toStdString() == systems[static_cast<std::size_t>(i)]->m_strName;
        const int s = m_document.model().m_nCurSystem;
        if (same && s >= 0 && s < static_cast<int>(systems.size())) {
            const auto& rooms = systems[static_cast<std::size_t>(s)]->m_rooms;
            same = m_roomList->count() == static_cast<int>(rooms.size());
            for (int i = 0; same && i < m_roomList->count(); ++i)
                same = m_roomList->itemText(i).toStdString() == rooms[static_cast<std::size_t>(i)]->m_strName;
        }
        if (!same)
            FillToolbarCombos();
        // An analysis (or its undo) may leave the room in another condition.
        m_conditionList->setCurrentIndex(m_document.CurrentConditionCode());
        break;
    }
    case DocumentChange::Display:
    case DocumentChange::Modified:
        break;
    }
    updateTitle();
    updateCommandStates();
}

void CMainFrame::updateTitle()
{
    QString name = QFileInfo(QString::fromStdString(m_document.pathName())).fileName();
    if (name.isEmpty())
        name = tr("无标题");
    setWindowTitle(
        QString("%1%2 - %3")
            .arg(name, m_document.IsModified() ? "*" : "", QString::fromUtf8(doc_template::kWindowTitle)));
}

void CMainFrame::rebuildRecentMenu()
{
    m_recentMenu->clear();
    int number = 1;
    for (const QString& file : m_recentFiles.files()) {
        QAction* entry = m_recentMenu->addAction(QString("&%1 %2").arg(number++).arg(file));
        connect(entry, &QAction::triggered, this, [this, file] {
            if (SaveModified() && !OpenProject(file))
                m_recentFiles.remove(file);
            rebuildRecentMenu();
        });
    }
    m_recentMenu->setEnabled(!m_recentFiles.files().isEmpty());
}

bool CMainFrame::OpenProject(const QString& path)
{
    if (!m_document.OnOpenDocument(path.toStdString()))
        return false;
    m_recentFiles.add(path);
    rebuildRecentMenu();
    FillToolbarCombos();
    return true;
}

void CMainFrame::AddRecentFile(const QString& path)
{
    m_recentFiles.add(path);
    rebuildRecentMenu();
}

bool CMainFrame::SaveModified()
{
    if (!m_document.IsModified() || !m_document.m_bProjectOpen)
        return true;
    QString name = QFileInfo(QString::fromStdString(m_document.pathName())).fileName();
    if (name.isEmpty())
        name = tr("无标题");
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(doc_template::kWindowTitle),
                    tr("将改动保存到 %1 吗?").arg(name),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return SaveProject();
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

bool CMainFrame::SaveProject()
{
    if (m_document.pathName().empty())
        return SaveProjectAs();
    return m_document.OnSaveDocument(m_document.pathName());
}

bool CMainFrame::SaveProjectAs()
{
    QString path = QFileDialog::getSaveFileName(
        this, tr("另存为"), QString::fromStdString(m_document.pathName()), tr(doc_template::kFilterName));
    if (path.isEmpty())
        return false;
    if (!path.endsWith(".id", Qt::CaseInsensitive))
        path += ".id";
    if (!m_document.OnSaveDocument(path.toStdString()))
        return false;
    m_recentFiles.add(path);
    rebuildRecentMenu();
    return true;
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (SaveModified())
        event->accept();
    else
        event->ignore();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.front().isLocalFile())
        return;
    event->acceptProposedAction();
    if (SaveModified())
        OpenProject(urls.front().toLocalFile());
}
