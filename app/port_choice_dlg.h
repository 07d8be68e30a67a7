#pragma once

#include "device/serial_transport.h"

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

class QListWidget;

// Asked at start when "auto" finds more than one FTDI USB bridge: the user picks the instrument's port
// from the bridges with their product and serial number, instead of the program guessing.
class CPortChoiceDlg : public QDialog {
    Q_OBJECT
public:
    CPortChoiceDlg(const std::vector<FtdiPort>& candidates, QWidget* parent = nullptr);

    // The device path of the bridge chosen, while one is selected.
    std::optional<std::string> chosenPort() const;
    // Shows the dialog; the port chosen, or nothing when the user cancelled.
    static std::optional<std::string> ask(const std::vector<FtdiPort>& candidates, QWidget* parent = nullptr);

    QListWidget* list() const { return ports; }

private:
    std::vector<FtdiPort> candidates;
    QListWidget* ports = nullptr;
};
