#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>
#include <optional>
#include <string>

class QWidget;

// The dialogs of the library panel, replaceable so that tests answer them.
struct LibraryDialogs {
    // A folder chosen in a folder chooser (title, initial folder), ending in '/', or nothing when
    // cancelled. A folder without any file can be chosen: a new job starts in an empty folder.
    std::function<std::optional<std::string>(QWidget* parent, const QString& title, const std::string& folder)>
        chooseFolder;
    // A file name chosen in a save dialog, ".pie" added when typed without it; nothing when cancelled.
    std::function<std::optional<std::string>(QWidget* parent, const QString& title, const QString& filter,
                                             const std::string& folder)>
        saveFile;
    std::function<void(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text)> message;
};

// The program's own: Qt's file dialogs and message boxes.
LibraryDialogs qtLibraryDialogs();
