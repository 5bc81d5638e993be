#include "gui/chart/CPageSetupDlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// An A4 sheet with its margins drawn to scale.
class PagePicture : public QWidget {
public:
    PagePicture(const CPageSetupDlg& dialog, QWidget* parent) : QWidget(parent), m_dialog(dialog)
    {
        setFixedSize(120, 160);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const double scale = std::min((width() - 10) / 210.0, (height() - 10) / 297.0);
        const QRectF page(5, 5, 210 * scale, 297 * scale);
        painter.fillRect(page.translated(3, 3), Qt::gray);
        painter.fillRect(page, Qt::white);
        painter.setPen(Qt::black);
        painter.drawRect(page);
        const PageMargins m = m_dialog.margins();
        const QRectF inner =
            page.adjusted(m.left * scale, m.top * scale, -m.right * scale, -m.bottom * scale);
        if (inner.isValid()) {
            painter.setPen(QPen(Qt::blue, 0, Qt::DashLine));
            painter.drawRect(inner);
        }
    }

private:
    const CPageSetupDlg& m_dialog;
};

QSpinBox* marginBox(QWidget* parent, int value, const char* name)
{
    auto* box = new QSpinBox(parent);
    box->setRange(0, PageMargins::kMax);
    box->setValue(value);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

} // namespace

CPageSetupDlg::CPageSetupDlg(const PageMargins& margins, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("页面设置参数输入框"));
    m_top = marginBox(this, margins.top, "top");
    m_bottom = marginBox(this, margins.bottom, "bottom");
    m_left = marginBox(this, margins.left, "left");
    m_right = marginBox(this, margins.right, "right");
    auto* picture = new PagePicture(*this, this);

    auto labelled = [this](const QString& caption, QSpinBox* box) {
        auto* column = new QVBoxLayout;
        auto* label = new QLabel(caption, this);
        label->setBuddy(box);
        column->addWidget(label);
        column->addWidget(box);
        return column;
    };
    auto* grid = new QGridLayout;
    grid->addLayout(labelled(tr("上边距(&T)"), m_top), 0, 1, Qt::AlignHCenter);
    grid->addLayout(labelled(tr("左边距(&L)"), m_left), 1, 0, Qt::AlignVCenter);
    grid->addWidget(picture, 1, 1, Qt::AlignCenter);
    grid->addLayout(labelled(tr("右边距(&R)"), m_right), 1, 2, Qt::AlignVCenter);
    grid->addLayout(labelled(tr("下边距(&B)"), m_bottom), 2, 1, Qt::AlignHCenter);
    grid->addWidget(new QLabel(tr("单位:毫米"), this), 3, 0, 1, 3, Qt::AlignLeft);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(tr("确认(&O)"), QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton(tr("取消(&C)"), QDialogButtonBox::RejectRole);
    ok->setObjectName("ok");
    cancel->setObjectName("cancel");
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);

    for (QSpinBox* box : {m_top, m_bottom, m_left, m_right})
        connect(box, &QSpinBox::valueChanged, picture, qOverload<>(&QWidget::update));
}

PageMargins CPageSetupDlg::margins() const
{
    PageMargins m;
    m.top = m_top->value();
    m.bottom = m_bottom->value();
    m.left = m_left->value();
    m.right = m_right->value();
    return m;
}

std::optional<PageMargins> CPageSetupDlg::Edit(const PageMargins& margins, QWidget* parent)
{
    CPageSetupDlg dialog(margins, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.margins();
}
