#pragma once

#include <QString>

#include <optional>
#include <string>

class QDialog;

// What a panel needs from the window system to ask the user: a message, a yes/no question, a file or a
// folder chosen, and its own modal dialogs run. The panel says what to ask; the host shows it (the
// window: the program's dialogs; the tests: a script that answers and records).
class CPanelHost {
public:
    enum class Message { Information, Error };

    // A file dialog. An open dialog takes a name that does not exist yet too (a new file starts empty).
    struct FileChoice {
        enum class Mode { Open, Save };
        QString title;
        QString filter;
        std::string start;    // a folder, or a file whose folder the dialog starts in
        QString suffix;       // added to a name typed without one
        Mode mode = Mode::Open;
    };

    virtual ~CPanelHost() = default;

    virtual void tell(Message kind, const QString& caption, const QString& text) = 0;
    // Asked with "Да" and "Нет"; true for "Да".
    virtual bool ask(const QString& text) = 0;
    // The chosen full path, or nothing when cancelled.
    virtual std::optional<std::string> chooseFile(const FileChoice& choice) = 0;
    // The chosen folder, ending in '/', or nothing when cancelled. A folder without any file can be
    // chosen: new work starts in an empty folder.
    virtual std::optional<std::string> chooseFolder(const QString& title, const std::string& start) = 0;
    // Runs a panel's own dialog modally; true when it was accepted.
    virtual bool run(QDialog& dialog) = 0;
};
