#include "app/port_choice_dlg.h"

#include "device/port_choice.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CPortChoiceDlg::CPortChoiceDlg(const std::vector<FtdiPort>& candidates, QWidget* parent)
    : QDialog(parent), candidates(candidates)
{
    setWindowTitle(tr("Выбор порта прибора"));
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(tr("Подключено несколько USB-адаптеров FTDI.\nВыберите порт прибора VARNEL:"), this);
    layout->addWidget(text);
    ports = new QListWidget(this);
    ports->setAccessibleName(tr("Порт прибора"));
    for (const FtdiPort& p : candidates)
        ports->addItem(QString::fromStdString(describePort(p)));
    ports->setCurrentRow(0);
    text->setBuddy(ports);
    layout->addWidget(ports);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    for (QAbstractButton* b : buttons->buttons())
        b->setAccessibleName(b->text());
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(ports, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    layout->addWidget(buttons);
}

std::optional<std::string> CPortChoiceDlg::chosenPort() const
{
    const int row = ports->currentRow();
    if (row < 0 || row >= static_cast<int>(candidates.size()))
        return std::nullopt;
    return candidates[static_cast<std::size_t>(row)].path;
}

std::optional<std::string> CPortChoiceDlg::ask(const std::vector<FtdiPort>& candidates, QWidget* parent)
{
    CPortChoiceDlg dialog(candidates, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.chosenPort();
}
