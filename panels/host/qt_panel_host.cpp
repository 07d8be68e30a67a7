#include "panels/host/qt_panel_host.h"

#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace {

QString startFolder(const std::string& start)
{
    const QFileInfo info(QString::fromStdString(start));
    return info.isDir() ? info.absoluteFilePath() : info.absolutePath();
}

} // namespace

void CQtPanelHost::tell(Message kind, const QString& caption, const QString& text)
{
    QMessageBox box(kind == Message::Error ? QMessageBox::Critical : QMessageBox::Information, caption, text,
                    QMessageBox::Ok, window);
    box.exec();
}

bool CQtPanelHost::ask(const QString& text)
{
    return QMessageBox::question(window, QString(), text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

std::optional<std::string> CQtPanelHost::chooseFile(const FileChoice& choice)
{
    QFileDialog dialog(window, choice.title, startFolder(choice.start), choice.filter);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(choice.mode == FileChoice::Mode::Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setDefaultSuffix(choice.suffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst().toStdString();
}

std::optional<std::string> CQtPanelHost::chooseFolder(const QString& title, const std::string& start)
{
    QFileDialog dialog(window, title);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    dialog.setDirectory(startFolder(start));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    std::string chosen = QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString();
    if (chosen.empty() || chosen.back() != '/')
        chosen += '/';
    return chosen;
}

bool CQtPanelHost::run(QDialog& dialog) { return dialog.exec() == QDialog::Accepted; }
