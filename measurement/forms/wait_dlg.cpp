#include "measurement/forms/wait_dlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CWaitDlg::CWaitDlg(QWidget* parent, int periodMs) : QDialog(parent)
{
    setWindowTitle(tr("Подождите..."));
    setModal(true);
    label = new QLabel(this);
    label->setObjectName(QStringLiteral("countdown"));   // control 1015 of the dialog
    label->setAlignment(Qt::AlignCenter);
    auto* cancel = new QPushButton(tr("Отмена"), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    connect(cancel, &QPushButton::clicked, this, &CWaitDlg::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addLayout(buttons);
    // At least the 186 by 59 dialog units of the original resource, wider when the text needs it.
    setMinimumSize(280, 96);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    timer.setInterval(periodMs);
    connect(&timer, &QTimer::timeout, this, &CWaitDlg::tick);
    showCount();
}

QString CWaitDlg::text() const { return label->text(); }

void CWaitDlg::showCount()
{
    label->setText(tr("Повторное соединение произойдет через %1 сек.").arg(seconds));
}

void CWaitDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    timer.start();
}

void CWaitDlg::tick()
{
    --seconds;
    showCount();
    if (seconds <= 0) {
        timer.stop();
        accept();
    }
}

void CWaitDlg::reject()
{
    timer.stop();
    QDialog::reject();
}
