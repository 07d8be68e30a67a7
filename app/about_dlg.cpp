#include "app/about_dlg.h"

#include "resources/version.h"

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
    auto* version = new QLineEdit(QStringLiteral("v. ") + QString::fromLatin1(kVarnelVersion), this);
    version->setReadOnly(true);
    version->setObjectName(QStringLiteral("version"));
    layout->addWidget(version);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}
