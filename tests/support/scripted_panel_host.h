#pragma once

#include "panels/host/panel_host.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <vector>

// Answers a panel's questions from a script and records what was asked, in order.
class CScriptedPanelHost : public CPanelHost {
public:
    struct Told {
        Message kind;
        QString caption, text;
    };

    // The answers.
    bool yes = true;
    std::optional<std::string> file, folder;
    // Fills in a panel's dialog and says whether it was accepted; without it every dialog is cancelled.
    std::function<bool(QDialog&)> dialog;

    // What was asked.
    std::vector<Told> told;
    std::vector<QString> questions;
    std::vector<FileChoice> fileChoices;
    std::vector<QString> titles;   // of the file and folder choices and the dialogs, in order

    void tell(Message kind, const QString& caption, const QString& text) override
    {
        told.push_back({kind, caption, text});
    }
    bool ask(const QString& text) override
    {
        questions.push_back(text);
        return yes;
    }
    std::optional<std::string> chooseFile(const FileChoice& choice) override
    {
        fileChoices.push_back(choice);
        titles.push_back(choice.title);
        return file;
    }
    std::optional<std::string> chooseFolder(const QString& title, const std::string&) override
    {
        titles.push_back(title);
        return folder;
    }
    // Shown as exec() would show it, but not waited for: the script answers at once.
    bool run(QDialog& d) override
    {
        titles.push_back(d.windowTitle());
        d.show();
        const bool accepted = dialog && dialog(d);
        d.hide();
        return accepted;
    }
    QString lastText() const { return told.empty() ? QString() : told.back().text; }
};
