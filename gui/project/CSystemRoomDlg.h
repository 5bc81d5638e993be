#pragma once

#include <QDialog>

#include "model/CAir_Room.h"

class CSystemRoomEditor;

// "系统-房间(室内外状态点)参数输入框": edits a working copy of the project's
// outdoor design states, systems and rooms. Cancel discards the copy; OK
// checks it and leaves it for the document to take over.
class CSystemRoomDlg : public QDialog {
    Q_OBJECT
public:
    // Opens on a copy of project (every room copied whole); loads are shown
    // in unitSystem (1 SI, 0 engineering), computed humidities and wet bulbs
    // at the chart pressure (Pa).
    CSystemRoomDlg(const CAir_Room& project, int unitSystem, QWidget* parent = nullptr,
                   float chartPressure = 101325.0f);

    CSystemRoomEditor* editor() { return m_editor; }
    // The checked working copy (after OK).
    CAir_Room TakeResult();

    void accept() override;

private:
    CSystemRoomEditor* m_editor = nullptr;
};
