#include "app/AboutDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("关于QORVA V3.4"));
    auto* layout = new QGridLayout(this);
    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(":/qorva.svg").pixmap(48, 48));
    layout->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
    layout->addWidget(new QLabel("QORVA V3.4.009", this), 0, 1);
    layout->addWidget(new QLabel(tr("焓湿图绘制与空调过程分析"), this), 1, 1);
    layout->addWidget(new QLabel(tr("版权所有 侵权必究"), this), 2, 1);
    auto* ok = new QPushButton(tr("确定"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, 2, Qt::AlignTop);
}
