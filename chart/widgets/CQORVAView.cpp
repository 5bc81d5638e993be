#include "chart/widgets/CQORVAView.h"

#include <QPainter>

#include "project/CQORVADoc.h"

CQORVAView::CQORVAView(CQORVADoc& document, QWidget* parent) : QWidget(parent), m_document(document)
{
    setObjectName("CQORVAView");
    connect(&m_document, &CQORVADoc::changed, this, [this] { update(); });
}

void CQORVAView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
}
