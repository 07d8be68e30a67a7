#pragma once

#include "document/command_table.h"
#include "document/doc_view.h"
#include "panels/ku_table_list.h"

#include <QWidget>
#include <optional>
#include <string>
#include <vector>

class CPanelHost;
class CReportCtrl;
class CSettings;
class CVarnelDoc;
class QAction;
class QToolBar;
class Status;

// The KU (or V/2) table panel of the right-hand column: named values kept in a ".tku" file, one of
// which the technician makes the document's KU with "Установить". It owns the commands 32953..32956
// ("Открыть файл", "Установить", "Добавить КУ", "Удалить КУ") on its own toolbar, and keeps the table's
// path in the settings key OPEN_KU (by default the Save folder). In the list, Enter or a double click
// applies the row, Insert adds one and Delete removes the selected rows. Its messages, questions, file
// choices and the add dialog go through the host.
class CFormKU : public QWidget, public CDocView {
    Q_OBJECT
public:
    CFormKU(CVarnelDoc& doc, CCommandTable& commands, CSettings& settings, CPanelHost& host,
            const std::string& saveDir, QWidget* parent = nullptr);
    ~CFormKU() override;

    void onDocumentUpdate(CDocView* sender, UpdateHint hint) override;

    // The toolbar's buttons, in order; nullptr stands for a separator.
    void setToolBarActions(const std::vector<QAction*>& actions);

    CReportCtrl& tableList() { return *list; }
    QToolBar& toolBar() { return *bar; }
    const CKuTableList& table() const { return entries; }

    void openFile();         // 32953
    void useSelected();      // 32954
    void addEntry();         // 32955
    void deleteSelected();   // 32956
    // Appends a named KU found elsewhere (the KU calibration), shown in the current unit, and saves the
    // table; false with the reason when it could not be written (the row stays on show).
    bool addValue(const std::string& name, double ku, std::string& error);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void registerCommands();
    void fillList();
    void retitle();
    void placeControls();
    std::vector<int> selectedRows() const;
    bool hasSelection() const;
    // A table that has no file yet asks where to keep it; false when the user declined.
    bool chooseFileToSave();
    std::optional<std::string> chooseFile(bool save);
    void reportReadFailure(const Status& status);
    void reportSaveFailure(const Status& status);

    CVarnelDoc& doc;
    CCommandTable& commands;
    CSettings& settings;
    CPanelHost& host;
    CKuTableList entries;
    QToolBar* bar = nullptr;
    CReportCtrl* list = nullptr;
    // Last, so the commands go first when the panel does.
    std::vector<CCommandRegistration> registrations;
};
