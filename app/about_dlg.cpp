#include "app/about_dlg.h"

#include "app/tool_icons.h"
#include "resources/contact_lines.h"
#include "resources/i18n/ui_translation.h"
#include "resources/version.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    const QString caption = tr("Рефлектометр импульсный VARNEL");
    setWindowTitle(caption);
    setAccessibleName(caption);

    auto* icon = new QLabel(this);
    icon->setPixmap(programIcon().pixmap(64, 64));
    icon->setAccessibleName(tr("Значок программы"));
    icon->setAlignment(Qt::AlignTop);

    auto* lines = new QVBoxLayout;
    auto* title = new QLabel(caption, this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    lines->addWidget(title);
    for (std::string_view line : kContactLines) {
        auto* label = new QLabel(translatedText("ContactLines", line), this);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        lines->addWidget(label);
    }
    auto* version = new QLineEdit(QStringLiteral("v. ") + QString::fromLatin1(kVarnelVersion), this);
    version->setReadOnly(true);
    version->setObjectName(QStringLiteral("version"));
    version->setAccessibleName(tr("Версия"));
    lines->addWidget(version);

    auto* body = new QHBoxLayout;
    body->addWidget(icon);
    body->addSpacing(12);
    body->addLayout(lines, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    buttons->button(QDialogButtonBox::Ok)->setFocus();
}
