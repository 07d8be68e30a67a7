#pragma once

#include "display/wheel_notches.h"
#include "document/doc_view.h"

#include <QWidget>

class CScreenWnd;
class CVarnelDoc;

// The overview screen of the two-screen mode: its own reflectogram screen, filling the view, always
// shows the whole range with every shown trace, the magnified window framed in grey and both cursors.
// A click centres the magnified window on the clicked place; a wheel notch, or the Left and Right keys,
// moves it by one overview sample. Every document update rebuilds the screen's series from the document.
class CForm : public QWidget, public CDocView {
    Q_OBJECT
public:
    static constexpr int kScreenId = 168;

    // Configures the screen and makes the initial fill from the document as it stands.
    explicit CForm(CVarnelDoc& doc, QWidget* parent = nullptr);
    ~CForm() override;

    void onDocumentUpdate(CDocView* sender, UpdateHint hint) override;

    CScreenWnd& overviewScreen() { return *screen; }
    bool initialized = false;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void initialUpdate();
    void drawScreen();
    void onScreenClick();

    CVarnelDoc& doc;
    CScreenWnd* screen = nullptr;
    CWheelNotches notches;
    // A hidden overview keeps its series current but composes its picture only when shown again.
    bool drawPending = false;
};
