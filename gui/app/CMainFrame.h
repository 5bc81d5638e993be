#pragma once

#include <QMainWindow>

#include <functional>
#include <map>

#include "QorvaVersion.h"
#include "gui/app/RecentFileList.h"

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QToolBar;
class CQORVADoc;
class CQORVAView;
struct DocumentEvent;

// The main frame: menus carrying the whole command table, the main toolbar
// with its four drop-down lists, the display toolbar and the status bar.
// Commands reach handlers installed with setHandler(); a command without a
// handler stays disabled.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(CQORVADoc& document, QWidget* parent = nullptr);

    using Handler = std::function<void()>;
    using Predicate = std::function<bool()>;
    // Installs the handler of a command; checked, when given, says whether
    // its menu item carries a tick.
    void setHandler(int id, Handler handler, Predicate checked = {});
    // A further condition, beside the command's rule, for the command to be enabled.
    void setEnabledWhen(int id, Predicate enabled);
    QAction* action(int id) const;
    // Enables, disables and ticks every command for the document's state.
    void updateCommandStates();

    CQORVADoc& document() { return m_document; }
    CQORVAView* view() { return m_view; }
    QComboBox* viewList() { return m_viewList; }
    QComboBox* conditionList() { return m_conditionList; }
    QComboBox* systemList() { return m_systemList; }
    QComboBox* roomList() { return m_roomList; }
    QToolBar* mainToolBar() { return m_mainToolBar; }
    QToolBar* displayToolBar() { return m_displayToolBar; }
    RecentFileList& recentFiles() { return m_recentFiles; }

    // Refills the system and room lists and selects the view and condition.
    void FillToolbarCombos();
    // Opens a project file through the document (recent list, dropped files,
    // command line); true when it was opened.
    bool OpenProject(const QString& path);
    // Asks whether to save a modified project; false when the user cancels.
    bool SaveModified();
    bool SaveProject();
    bool SaveProjectAs();
    // Puts a project file at the top of the recently-used list and its menu.
    void AddRecentFile(const QString& path);
    void updateTitle();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createToolBars();
    void createStatusBar();
    void installShellHandlers();
    void rebuildRecentMenu();
    void onDocumentChanged(const DocumentEvent& event);
    QMenu* addCommandMenu(QMenu* menu, std::initializer_list<int> ids);

    CQORVADoc& m_document;
    CQORVAView* m_view = nullptr;
    std::map<int, QAction*> m_actions;
    std::map<int, Handler> m_handlers;
    std::map<int, Predicate> m_checks;
    std::map<int, Predicate> m_enabledWhen;
    QMenu* m_recentMenu = nullptr;
    QToolBar* m_mainToolBar = nullptr;
    QToolBar* m_displayToolBar = nullptr;
    QComboBox* m_viewList = nullptr;
    QComboBox* m_conditionList = nullptr;
    QComboBox* m_systemList = nullptr;
    QComboBox* m_roomList = nullptr;
    QLabel* m_capsIndicator = nullptr;
    QLabel* m_numIndicator = nullptr;
    QLabel* m_scrollIndicator = nullptr;
    RecentFileList m_recentFiles;
    bool m_fillingCombos = false;
};

// The window title and template strings of the single document type.
namespace doc_template {
inline constexpr const char* kWindowTitle = "QORVA " QORVA_SHORT_VERSION;
inline constexpr const char* kNewFileTypeName = "QORVA";
inline constexpr const char* kFilterName = QT_TRANSLATE_NOOP("CMainFrame", "QORVA 文件 (*.id)");
inline constexpr const char* kExtension = ".id";
inline constexpr const char* kFileTypeId = "QORVA.Document";
inline constexpr const char* kFileTypeName = "QORVA Document";
inline constexpr const char* kOpenFilter = QT_TRANSLATE_NOOP("CMainFrame", "QORVA文件(*.id)");
} // namespace doc_template
