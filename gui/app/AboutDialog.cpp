#include "gui/app/AboutDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

#include "QorvaVersion.h"

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent)
{
    // The version as the program has always shown it: V3.4 in the title,
    // V3.4.009 (three-digit patch level) in the box.
    const QString shortVersion = QStringLiteral(QORVA_SHORT_VERSION);
    setWindowTitle(tr("关于QORVA %1").arg(shortVersion));
    auto* layout = new QGridLayout(this);
    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(":/qorva.svg").pixmap(48, 48));
    layout->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
    const QString fullVersion = QString("%1.%2").arg(shortVersion).arg(kQorvaVersionPatch, 3, 10, QChar('0'));
    layout->addWidget(new QLabel(QString("QORVA %1").arg(fullVersion), this), 0, 1);
    layout->addWidget(new QLabel(tr("焓湿图绘制与空调过程分析"), this), 1, 1);
    layout->addWidget(new QLabel(tr("版权所有 侵权必究"), this), 2, 1);
    auto* ok = new QPushButton(tr("确定"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, 2, Qt::AlignTop);
}
