#include "widgets/edit_text.h"

#include <QKeyEvent>

CEditText::CEditText(QWidget* parent) : QLineEdit(parent) {}

void CEditText::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    // Enter also reaches the parent, so a dialog's default button still answers it.
    event->ignore();
    QMetaObject::invokeMethod(this, &CEditText::enterPressed, Qt::QueuedConnection);
}
