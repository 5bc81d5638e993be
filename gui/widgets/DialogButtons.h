#pragma once

class QBoxLayout;
class QDialog;
class QDialogButtonBox;

// The 确定 / 取消 row of a modal dialog, wired to accept() and reject() and
// named "ok" and "cancel" for tests.
QDialogButtonBox* addOkCancelButtons(QDialog* dialog, QBoxLayout* layout);
