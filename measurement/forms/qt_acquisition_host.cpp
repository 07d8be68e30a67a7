#include "measurement/forms/qt_acquisition_host.h"

#include "measurement/acquisition_controller.h"
#include "measurement/acquisition_texts.h"
#include "measurement/forms/wait_dlg.h"
#include "resources/i18n/ui_translation.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QTimerEvent>

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

void show(QWidget* window, QMessageBox::Icon icon, const std::string& caption, const std::string& text)
{
    QMessageBox box(icon, translatedText("AcquisitionTexts", caption), translatedText("AcquisitionTexts", text),
                    QMessageBox::Ok, window);
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
    const auto tr = [](const char* text) { return translatedText("AcquisitionTexts", text); };
    const QString text = problem == LinkProblem::PortBusy       ? tr(acqtext::kPortBusyFormat).arg(qs(port))
                         : problem == LinkProblem::AccessDenied ? tr(acqtext::kAccessDeniedFormat).arg(qs(port))
                                                                : tr(acqtext::kReconnect);
    QMessageBox box(QMessageBox::NoIcon, tr(acqtext::kReconnectCaption), text, QMessageBox::Ok | QMessageBox::Cancel,
                    window);
    return box.exec() == QMessageBox::Ok;
}

void CQtAcquisitionHost::reportSaved(const std::string&)
{
    show(window, QMessageBox::Information, "", acqtext::kSaved);
}

void CQtAcquisitionHost::reportSaveFailed(const std::string& path, const Status& failure)
{
    // The headline in the program's language; the file and the reason follow as they are.
    std::string text = acqtext::saveFailed(path, userText(failure).toStdString());
    text.replace(0, std::string_view(acqtext::kSaveFailed).size(),
                 translatedText("AcquisitionTexts", acqtext::kSaveFailed).toStdString());
    show(window, QMessageBox::Critical, acqtext::kErrorCaption, text);
}

bool CQtAcquisitionHost::runCountdown()
{
    CWaitDlg dialog(window);
    return dialog.exec() == QDialog::Accepted;
}

std::optional<std::string> CQtAcquisitionHost::askSavePath(const std::string& startPath)
{
    QFileDialog dialog(window, tr("Введите имя сохраняемого файла"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(tr("Рефлектограмма (*.tdr)"));
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
