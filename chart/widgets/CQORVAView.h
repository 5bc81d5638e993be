#pragma once

#include <QWidget>

class CQORVADoc;
enum class DocumentChange;

// The chart view: shows the document's chart and turns mouse actions into
// document calls.
class CQORVAView : public QWidget {
    Q_OBJECT
public:
    explicit CQORVAView(CQORVADoc& document, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CQORVADoc& m_document;
};
