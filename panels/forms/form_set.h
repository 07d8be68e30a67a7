#pragma once

#include "document/doc_view.h"

#include <QWidget>

class CHSpin;
class CVarnelDoc;
class QComboBox;
class QLabel;
class QLineEdit;

// The cursor row above the measurement form: the distances of cursors K1 and K2 from the start of the
// scale, the distance L between them, and the magnifier. Distances are metres with two decimals; an
// edit moves the cursor to the nearest sample of the visible window and redraws every view. Live data
// (hint 1) leaves the row alone, so a number being typed is not overwritten.
class CFormSet : public QWidget, public CDocView {
    Q_OBJECT
public:
    static constexpr int kHeight = 24;

    explicit CFormSet(CVarnelDoc& doc, QWidget* parent = nullptr);
    ~CFormSet() override;

    void onDocumentUpdate(CDocView* sender, UpdateHint hint) override;

    CHSpin& cursor1Spin() { return *cursorSpins[0]; }
    CHSpin& cursor2Spin() { return *cursorSpins[1]; }
    QLineEdit& distanceEdit() { return *distance; }
    QComboBox& zoomList() { return *zoomBox; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void refresh();
    void fillZoomList();
    void placeControls();

    CVarnelDoc& doc;
    QLabel* labels[4] = {};
    CHSpin* cursorSpins[2] = {};
    QLineEdit* distance = nullptr;
    QComboBox* zoomBox = nullptr;
    double zoomListScale = -1;   // the range the magnifier list was filled for
};
