#pragma once

#include "document/doc_view.h"

#include <QWidget>

// The view that goes with the document and the main frame; the frame's panes come from the panel
// classes, so this view draws nothing and ignores updates.
class CVarnelView : public QWidget, public CDocView {
    Q_OBJECT

public:
    explicit CVarnelView(QWidget* parent = nullptr);
    void onDocumentUpdate(CDocView* sender, UpdateHint hint) override;

protected:
    void paintEvent(QPaintEvent* event) override;
};
