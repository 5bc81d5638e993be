#pragma once

#include <QDialog>

#include <functional>

#include "model/CAir_Room.h"
#include "project/SystemRoomEdit.h"

class CSystemRoomEditor;

// "系统-房间(室内外状态点)参数输入框": edits a working copy of the project's
// outdoor design states, systems and rooms. Cancel discards the copy; OK
// checks it (a refused design state keeps the dialog open with its field
// selected), asks the confirmation, if one is set, and leaves the copy for
// the document to take over.
class CSystemRoomDlg : public QDialog {
    Q_OBJECT
public:
    // Opens on a copy of project (every room copied whole), showing the
    // system and room given; loads are shown in unitSystem (1 SI, 0
    // engineering), computed humidities and wet bulbs at the chart's
    // pressure, and design states must lie on that chart.
    CSystemRoomDlg(const CAir_Room& project, int unitSystem, QWidget* parent = nullptr,
                   const SystemRoomEdit::Chart& chart = {}, int shownSystem = 0, int shownRoom = 0);

    CSystemRoomEditor* editor() { return m_editor; }
    // Asked with the checked working copy before OK closes the dialog; false
    // keeps it open (the question before analyses run again was answered 否).
    void setConfirmation(std::function<bool(const CAir_Room&)> confirm) { m_confirm = std::move(confirm); }
    // The checked working copy (after OK).
    CAir_Room TakeResult();

    void accept() override;

private:
    CSystemRoomEditor* m_editor = nullptr;
    std::function<bool(const CAir_Room&)> m_confirm;
};
