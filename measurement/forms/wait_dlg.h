#pragma once

#include <QDialog>
#include <QTimer>

class QLabel;

// The reconnect countdown: "Повторное соединение произойдет через %d сек." counting 5 down to 0 once
// a second, then it closes with OK by itself; "Отмена" closes it with Cancel.
class CWaitDlg : public QDialog {
    Q_OBJECT
public:
    explicit CWaitDlg(QWidget* parent = nullptr, int periodMs = 1000);

    int secondsLeft() const { return seconds; }
    QString text() const;

public slots:
    // One timer period: the count goes down; at 0 the dialog ends with OK.
    void tick();
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showCount();

    int seconds = 5;
    QLabel* label = nullptr;
    QTimer timer;
};
