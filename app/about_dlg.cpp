#include "app/about_dlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Рефлектометр импульсный VARNEL"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Рефлектометр импульсный VARNEL\n"
                                                "Программа для работы с прибором через USB"), this));
    auto* version = new QLineEdit(QStringLiteral("v. 2.1.6"), this);
    version->setReadOnly(true);
    version->setObjectName(QStringLiteral("version"));
    layout->addWidget(version);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}
