#include "display/varnel_view.h"

CVarnelView::CVarnelView(QWidget* parent) : QWidget(parent) {}

void CVarnelView::onDocumentUpdate(CDocView*, int) {}

void CVarnelView::paintEvent(QPaintEvent*) {}
