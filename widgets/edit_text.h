#pragma once

#include <QLineEdit>

// A plain one-line edit that tells its owner about Enter, for the in-place editors of the lists; every
// other key is the edit's own.
class CEditText : public QLineEdit {
    Q_OBJECT
public:
    explicit CEditText(QWidget* parent = nullptr);

signals:
    // Queued, so a handler may destroy the editor.
    void enterPressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
