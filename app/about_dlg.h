#pragma once

#include <QDialog>

// The About box: the program's icon and name, its contact lines, and the version label "v. " with the
// build's version in a read-only field (it can be selected and copied).
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};
