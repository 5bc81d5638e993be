#pragma once

#include <QWizard>
#include <QWizardPage>

#include "project/NewProject.h"

class CAtmosphereGroup;
class CSystemRoomEditor;
class QLineEdit;
class QRadioButton;

// "新建 3 之 1": the project name and the unit system.
class CWi_BasicPage : public QWizardPage {
    Q_OBJECT
public:
    explicit CWi_BasicPage(QWidget* parent = nullptr);
    QString projectName() const;
    // 1 SI (国际单位制), 0 engineering units (工程单位制), 2 IP (英制单位制).
    int unitSystem() const;

private:
    QLineEdit* m_name = nullptr;
    QRadioButton* m_si = nullptr;
    QRadioButton* m_engineering = nullptr;
    QRadioButton* m_ip = nullptr;
};

// "新建 3 之 2": the systems and rooms with the outdoor and indoor design data.
class CWi_AirRoomPage : public QWizardPage {
    Q_OBJECT
public:
    explicit CWi_AirRoomPage(CWi_BasicPage* basic, QWidget* parent = nullptr);
    CSystemRoomEditor* editor() { return m_editor; }
    // Shows the loads in the unit chosen on page 1.
    void initializePage() override;
    // Next: the editor's checks with this page's messages.
    bool validatePage() override;
    // Going back keeps everything entered.
    void cleanupPage() override {}

private:
    CWi_BasicPage* m_basic;
    CSystemRoomEditor* m_editor = nullptr;
};

// "新建 3之 3": the summer and winter atmospheric pressures and air densities.
class CWi_DaQiYaLiPage : public QWizardPage {
    Q_OBJECT
public:
    // rooms: the page whose design states the pressures must suit.
    explicit CWi_DaQiYaLiPage(QWidget* parent = nullptr, CWi_AirRoomPage* rooms = nullptr);
    CAtmosphereGroup* summerGroup() { return m_summer; }
    CAtmosphereGroup* winterGroup() { return m_winter; }
    // Finish: computes both densities first; refuses a summer pressure at
    // which a design state of page 2 cannot be completed or lies off the chart.
    bool validatePage() override;
    // Shows the values in the units chosen on the first page.
    void initializePage() override;
    void cleanupPage() override {}
    AtmosphericData data() const;

private:
    CWi_AirRoomPage* m_rooms = nullptr;
    CAtmosphereGroup* m_summer = nullptr;
    CAtmosphereGroup* m_winter = nullptr;
};

// "新建工程向导": the three pages of a new project.
class CPorjectNewWizard : public QWizard {
    Q_OBJECT
public:
    enum PageId { kBasicPage, kAirRoomPage, kPressurePage };

    explicit CPorjectNewWizard(QWidget* parent = nullptr);

    CWi_BasicPage* basicPage() { return m_basic; }
    CWi_AirRoomPage* airRoomPage() { return m_airRoom; }
    CWi_DaQiYaLiPage* pressurePage() { return m_pressure; }

    // The collected project (after Finish).
    NewProjectData TakeResult();

private:
    CWi_BasicPage* m_basic = nullptr;
    CWi_AirRoomPage* m_airRoom = nullptr;
    CWi_DaQiYaLiPage* m_pressure = nullptr;
};
