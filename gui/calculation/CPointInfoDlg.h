#pragma once

#include <QDialog>

#include "model/CParamPoint.h"

// "状态点信息": every property of one state point, read-only, in the
// project's display units, with its comfort index (PMV, PPD) for the occupant
// last used (winter: in a heating condition, for the default clothing); 复制
// puts the properties on the clipboard as a table.
class CPointInfoDlg final : public QDialog {
    Q_OBJECT
public:
    CPointInfoDlg(const CParamPoint& point, int unitSystem, QWidget* parent = nullptr, bool winter = false);
    // The clipboard text of 复制.
    QString TableText() const;
    void CopyToClipboard() const;

private:
    CParamPoint m_point;
    int m_nUnitSystem;
};
