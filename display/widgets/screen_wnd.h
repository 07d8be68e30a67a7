#pragma once

#include "display/render/screen_renderer.h"
#include "display/screen_state.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

class QPainter;

// The reflectogram screen: a child window that draws its point series over a black grid with tick
// labels, and turns clicks into notifications for its owner. Owners fill its state (series, ranges,
// axis sections) and call draw when something changed; nothing is composed otherwise.
class CScreenWnd : public QWidget {
    Q_OBJECT

public:
    static constexpr int kClickCode = -2;        // left button
    static constexpr int kRightClickCode = -5;   // right button

    explicit CScreenWnd(QWidget* parent = nullptr, int controlId = 0);

    // A visible child of `parent` at `rect` (the owner's client coordinates).
    void create(const QRect& rect, QWidget* parent, int controlId);
    // Moves the screen; a new size recreates the buffers, and the next drawing shows the grid again.
    void resizeScreen(const QRect& rect);
    void resizeScreen(int left, int top, int width, int height) { resizeScreen(QRect(left, top, width, height)); }

    // Composes the chart now and repaints the window from it (the copy happens at the next paint, at
    // most one a display frame).
    void draw();
    // The print drawing (see CScreenRenderer::print); the caller's painter maps 0.01 inch with y up.
    void print(QPainter& painter, int deviceWidthMm) const;

    // What the screen shows, and the last clicks on it.
    CScreenState& state() { return content; }
    const CScreenState& state() const { return content; }

    int controlId() const { return id; }
    // The plot rectangle in the owner's client coordinates.
    PixelRect plotRect() const;
    // The composed picture, as the next paint shows it.
    const QImage& image() const { return composer.image(); }
    const CScreenRenderer& renderer() const { return composer; }
    // How many times the chart was composed; owners' tests check that an update redraws only when due.
    int drawCount() const { return draws; }

signals:
    void leftClicked(int controlId);
    void rightClicked(int controlId);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void compose();
    void requestPaint();
    void paintDirty();
    void syncChartRect();

    static constexpr qint64 kFrameMs = 16;   // a 60 Hz display's frame

    CScreenState content;
    CScreenRenderer composer;
    int id = 0;
    int draws = 0;
    bool stale = true;   // the buffers were recreated and hold no picture yet
    QElapsedTimer lastPaint;
    QTimer frameTimer;   // the paint held back to the end of the frame
    QRect dirty;         // what the drawings since the last paint changed
};
