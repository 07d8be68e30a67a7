#include "measurement/forms/qt_acquisition_host.h"

#include "measurement/acquisition_controller.h"
#include "measurement/acquisition_texts.h"
#include "measurement/forms/wait_dlg.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QTimerEvent>

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

void show(QWidget* window, QMessageBox::Icon icon, const std::string& caption, const std::string& text)
{
    QMessageBox box(icon, qs(caption), qs(text), QMessageBox::Ok, window);
    box.exec();
}

} // namespace

CQtAcquisitionHost::CQtAcquisitionHost(QWidget* window) : window(window) {}

void CQtAcquisitionHost::stateChanged()
{
    if (stateListener)
        stateListener();
}

CQtAcquisitionHost::~CQtAcquisitionHost()
{
    while (waitCursors-- > 0)
        QApplication::restoreOverrideCursor();
}

int CQtAcquisitionHost::startTimer(int, int periodMs) { return QObject::startTimer(periodMs); }

void CQtAcquisitionHost::killTimer(int identifier) { QObject::killTimer(identifier); }

void CQtAcquisitionHost::timerEvent(QTimerEvent* event)
{
    if (!target || !target->onTimer(event->timerId()))
        QObject::timerEvent(event);
}

bool CQtAcquisitionHost::twoScreen() const { return twoScreenQuery && twoScreenQuery(); }

void CQtAcquisitionHost::reportThreadFailed()
{
    show(window, QMessageBox::NoIcon, acqtext::kThreadFailedCaption, acqtext::kThreadFailed);
}

void CQtAcquisitionHost::reportNoLineSelected()
{
    show(window, QMessageBox::Information, acqtext::kSelectLineCaption, acqtext::kSelectLine);
}

bool CQtAcquisitionHost::askReconnect(LinkProblem problem, const std::string& port)
{
    const std::string text = problem == LinkProblem::PortBusy       ? acqtext::portBusy(port)
                             : problem == LinkProblem::AccessDenied ? acqtext::accessDenied(port)
                                                                    : std::string(acqtext::kReconnect);
    QMessageBox box(QMessageBox::NoIcon, qs(acqtext::kReconnectCaption), qs(text), QMessageBox::Ok | QMessageBox::Cancel,
                    window);
    return box.exec() == QMessageBox::Ok;
}

void CQtAcquisitionHost::reportSaved(const std::string&)
{
    show(window, QMessageBox::Information, "", acqtext::kSaved);
}

void CQtAcquisitionHost::reportSaveFailed(const std::string& path, const std::string& reason)
{
    show(window, QMessageBox::Critical, acqtext::kErrorCaption, acqtext::saveFailed(path, reason));
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
