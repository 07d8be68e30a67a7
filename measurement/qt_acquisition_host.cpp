#include "measurement/qt_acquisition_host.h"

#include "measurement/acquisition_controller.h"
#include "measurement/wait_dlg.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QTimerEvent>

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

QMessageBox::Icon iconOf(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Error: return QMessageBox::Critical;
    case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

CQtAcquisitionHost::CQtAcquisitionHost(QWidget* window) : QObject(window), window(window) {}

CQtAcquisitionHost::~CQtAcquisitionHost()
{
    while (waitCursors-- > 0)
        QApplication::restoreOverrideCursor();
}

int CQtAcquisitionHost::startTimer(int, int periodMs) { return QObject::startTimer(periodMs); }

void CQtAcquisitionHost::killTimer(int identifier) { QObject::killTimer(identifier); }

void CQtAcquisitionHost::timerEvent(QTimerEvent* event)
{
    if (!target || !target->OnTimer(event->timerId()))
        QObject::timerEvent(event);
}

bool CQtAcquisitionHost::twoScreen() const { return twoScreenQuery && twoScreenQuery(); }

void CQtAcquisitionHost::showMessage(const std::string& text, const std::string& caption, MessageIcon icon)
{
    QMessageBox box(iconOf(icon), qs(caption), qs(text), QMessageBox::Ok, window);
    box.exec();
}

bool CQtAcquisitionHost::askOkCancel(const std::string& text, const std::string& caption)
{
    QMessageBox box(QMessageBox::NoIcon, qs(caption), qs(text), QMessageBox::Ok | QMessageBox::Cancel, window);
    return box.exec() == QMessageBox::Ok;
}

bool CQtAcquisitionHost::runCountdown()
{
    CWaitDlg dialog(window);
    return dialog.exec() == QDialog::Accepted;
}

std::optional<std::string> CQtAcquisitionHost::askSavePath(const std::string& startPath)
{
    QFileDialog dialog(window, QStringLiteral("Введите имя сохраняемого файла"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("Рефлектограмма (*.tdr)"));
    dialog.setDefaultSuffix(QStringLiteral("tdr"));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    const QFileInfo start(qs(startPath));
    dialog.setDirectory(start.isDir() ? start.absoluteFilePath() : start.absolutePath());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}

void CQtAcquisitionHost::beginWaitCursor()
{
    ++waitCursors;
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void CQtAcquisitionHost::endWaitCursor()
{
    if (waitCursors == 0)
        return;
    --waitCursors;
    QApplication::restoreOverrideCursor();
}
