#pragma once

#include "display/screen_geometry.h"
#include "display/screen_state.h"

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QSize>

#include <vector>

class QPainter;

// Composes a trace screen into memory images and prints it; used by CScreenWnd and by programs that
// draw a screen without a window. The back buffer is copied to the surface once per drawing, so nothing
// flickers; the grid buffer is redrawn only when the grid, the labels or the size changed.
class CScreenRenderer {
public:
    CScreenRenderer();

    // Recreates the back, grid and strip buffers for a new size (all black).
    void resize(QSize size);
    QSize size() const { return back.size(); }

    // The screen drawing into the back buffer; sets the state's cursorX1 and cursorX2. Nothing happens
    // for an empty size or a plot rectangle narrower or lower than a pixel. The first drawing after a
    // resize draws the grid even in capture mode: fresh buffers hold no picture to keep. False when
    // nothing was drawn.
    bool draw(CScreenState& state);

    static constexpr int kPrintHeight = 400;

    // The print drawing on the page 0, 0 .. deviceWidthMm x 4 - 120, pageHeight (400 on a page with
    // room for it) in the painter's logical units, with every y used negated (the caller maps 0.01 inch
    // units with y pointing up). Colours are ignored: black lines, white names on dark grey.
    void print(const CScreenState& state, QPainter& painter, int deviceWidthMm, int pageHeight = kPrintHeight) const;

    // The plot rectangle inside `start` with the axis font (screen) or the print font.
    PixelRect plotRect(const CScreenState& state, const PixelRect& start, bool printing) const;

    const QImage& image() const { return back; }
    const QFont& axisFont() const { return axis; }

private:
    struct GridKey {
        QSize size;
        int style = 0;
        PixelRect plot;
        double yLabelTop = 0, yLabelBottom = 0, xLabelLeft = 0, xLabelRight = 0;
        int xSpan = 0;
        bool sectioned = false;
        std::vector<AxisSection> sections;
        friend bool operator==(const GridKey&, const GridKey&) = default;
    };

    void drawGrid(const CScreenState& state, const PixelRect& plot);
    void saveStrip(QImage& strip, int x) const;
    void restoreStrip(const QImage& strip, int x);
    void drawSeries(QPainter& p, const CArrPoints& series, const screen_geometry::DataMapping& map,
                    bool straight);

    QImage back;
    QImage grid;
    QImage strip1;
    QImage strip2;
    QFont axis;
    QFont printing;
    GridKey gridKey;
    bool gridValid = false;
    bool freshBuffers = true;
    screen_geometry::SeriesPath path;   // reused between drawings
    std::vector<QPoint> qpoints;
};
