#include "files/widgets/library_dialogs.h"

#include <QFileDialog>
#include <QFileInfo>

namespace {

std::optional<std::string> runSaveDialog(QWidget* parent, const QString& title, const QString& filter,
                                         const std::string& folder)
{
    QFileDialog dialog(parent, title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix(QStringLiteral("pie"));
    const QFileInfo start(QString::fromStdString(folder));
    dialog.setDirectory(start.isDir() ? start.absoluteFilePath() : start.absolutePath());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}

std::optional<std::string> runFolderDialog(QWidget* parent, const QString& title, const std::string& folder)
{
    QFileDialog dialog(parent, title);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    const QFileInfo start(QString::fromStdString(folder));
    dialog.setDirectory(start.isDir() ? start.absoluteFilePath() : start.absolutePath());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    std::string chosen = QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString();
    if (chosen.empty() || chosen.back() != '/')
        chosen += '/';
    return chosen;
}

} // namespace

LibraryDialogs qtLibraryDialogs()
{
    LibraryDialogs d;
    d.chooseFolder = [](QWidget* parent, const QString& title, const std::string& folder) {
        return runFolderDialog(parent, title, folder);
    };
    d.saveFile = [](QWidget* parent, const QString& title, const QString& filter, const std::string& folder) {
        return runSaveDialog(parent, title, filter, folder);
    };
    d.message = [](QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text) {
        QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
        box.exec();
    };
    return d;
}
