#pragma once

#include <QDialog>

// The About box: the program's name, its maker and the version label.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};
