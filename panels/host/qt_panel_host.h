#pragma once

#include "panels/host/panel_host.h"

#include <QPointer>
#include <QWidget>

// The program's own answers to the panels: Qt's message boxes and file dialogs over the main window.
class CQtPanelHost : public CPanelHost {
public:
    explicit CQtPanelHost(QWidget* window = nullptr) : window(window) {}

    void tell(Message kind, const QString& caption, const QString& text) override;
    bool ask(const QString& text) override;
    std::optional<std::string> chooseFile(const FileChoice& choice) override;
    std::optional<std::string> chooseFolder(const QString& title, const std::string& start) override;
    bool run(QDialog& dialog) override;

private:
    QPointer<QWidget> window;
};
