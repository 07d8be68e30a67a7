#pragma once

#include "document/doc_view.h"
#include "measurement/analysis/fault_watch.h"

#include <QDialog>
#include <memory>
#include <optional>

class CSpinField;
class CVarnelDoc;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// "Наблюдение": watches a live line for an intermittent fault while acquisition runs. Every new
// reflectogram of the line is compared with the first one of the watch; each change is saved in the
// chosen folder as a timestamped ".tdr" with a line in its "watch.csv". The dialog shows the count,
// and `changesSaved` tells the window for its status bar.
class CWatchDlg : public QDialog, public CDocView {
    Q_OBJECT
public:
    CWatchDlg(CVarnelDoc& doc, std::string defaultFolder, QWidget* parent = nullptr);
    ~CWatchDlg() override;

    void onDocumentUpdate(CDocView* sender, UpdateHint hint) override;
    bool watching() const { return watch != nullptr; }
    // Starts a watch with the dialog's settings; false with the reason for an unusable folder.
    bool startWatch(QString& error);
    void stopWatch();
    const CFaultWatch* current() const { return watch.get(); }
    QLineEdit& folderEdit() { return *folder; }
    CSpinField& thresholdField() { return *threshold; }

signals:
    // The number of changes saved since the watch started; -1 when no watch runs.
    void changesSaved(int count);

private:
    void showState();
    // Puts the watch's envelope of `trace` (none for -1) into the document for the screens.
    void showEnvelope(int trace);

    CVarnelDoc& doc;
    std::unique_ptr<CFaultWatch> watch;
    QComboBox* line;
    CSpinField* threshold;
    CSpinField* samples;
    QLineEdit* folder;
    QPushButton* startStop;
    QLabel* state;
};
