#pragma once

class QString;
class QWidget;

// Gives `control` its tooltip and the same text as its accessible name, so screen readers and GUI test
// tools find a control by what the mouse user reads.
void setToolTipText(QWidget& control, const QString& text);
