#pragma once

#include <QDialog>

class QLineEdit;
class QRadioButton;

// "基本参数输入框": the project name and the unit system.
class CBasicParamsDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kNameEditId = 1035;
    static constexpr int kSiRadioId = 1029;
    static constexpr int kEngineeringRadioId = 1030;

    explicit CBasicParamsDlg(QWidget* parent = nullptr);
    void setProjectName(const QString& name);
    QString projectName() const;
    // 1 SI, 0 engineering units.
    void setUnitSystem(int unitSystem);
    int unitSystem() const;

private:
    QLineEdit* m_name = nullptr;
    QRadioButton* m_si = nullptr;
    QRadioButton* m_engineering = nullptr;
    QRadioButton* m_ip = nullptr;
};
