#pragma once

#include <QDialog>

#include <functional>

class CQORVADoc;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;

// "气象文件": the weather year of the project and how it is drawn. The file
// (an EnergyPlus .epw, as the Chinese CSWD station years come, or a CSV of
// logged hours), the months and the hours of the day it keeps, and the map
// (cells coloured by their hours, or single dots). OK reads a newly chosen
// file through the document; a file that cannot be read is reported and the
// dialog stays open with the year before unchanged. 不用气象文件 removes the
// year. Cancel changes nothing.
class CWeatherFileDlg : public QDialog {
    Q_OBJECT
public:
    // chooseFile asks for a weather file (empty when cancelled).
    CWeatherFileDlg(CQORVADoc& document, std::function<QString(QWidget*)> chooseFile,
                    QWidget* parent = nullptr);

    void accept() override;

private:
    void Browse();
    void RemoveYear();
    void ShowStation();

    CQORVADoc& m_document;
    std::function<QString(QWidget*)> m_chooseFile;
    QLineEdit* m_path = nullptr;
    QLabel* m_station = nullptr;
    QSpinBox* m_firstMonth = nullptr;
    QSpinBox* m_lastMonth = nullptr;
    QSpinBox* m_fromHour = nullptr;
    QSpinBox* m_toHour = nullptr;
    QRadioButton* m_density = nullptr;
    QRadioButton* m_dots = nullptr;
};

// The file chooser's filter, as the user sees it.
inline constexpr const char* kWeatherFileFilter =
    QT_TRANSLATE_NOOP("CWeatherFileDlg", "气象文件 (*.epw *.EPW *.csv *.CSV);;所有文件 (*)");
