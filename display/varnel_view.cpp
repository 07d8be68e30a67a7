#include "display/varnel_view.h"

CVarnelView::CVarnelView(QWidget* parent) : QWidget(parent) {}

void CVarnelView::onDocumentUpdate(CDocView*, UpdateHint) {}

void CVarnelView::paintEvent(QPaintEvent*) {}
