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

    // The screen drawing into the back buffer, layer by layer (kLayerOrder). Nothing happens for an empty
    // size or a plot rectangle narrower or lower than a pixel. In capture mode the traces drawn before stay
    // and only the columns under the previous foreground lines are repaired; the first drawing after a
    // resize draws the grid even then: fresh buffers hold no picture to keep. False when nothing was drawn.
    bool draw(const CScreenState& state);
    // The pixel column of the k-th foreground series (the cursor lines in the order they were added) as
    // last drawn; 0 for one never drawn.
    int foregroundX(int k) const;

    static constexpr int kPrintHeight = 400;

    // The print drawing on the page 0, 0 .. deviceWidthMm x 4 - 120, pageHeight (400 on a page with
    // room for it) in the painter's logical units, with every y used negated (the caller maps 0.01 inch
    // units with y pointing up), in the screen's layer order. Colours are ignored: black lines, white
    // names on dark grey.
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

    // The pixel columns under a foreground line, saved before the line is drawn, so that a capture-mode
    // drawing can take the line away without touching the traces gathered around it.
    struct Strip {
        QImage image;
        int x = 0;   // the line's column; the strip starts kStripWidth / 2 before it
    };

    void drawBackground(const CScreenState& state, const PixelRect& plot);
    void drawGrid(const CScreenState& state, const PixelRect& plot);
    void saveForegroundStrips(const CScreenState& state, const screen_geometry::DataMapping& map);
    void saveStrip(QImage& strip, int x) const;
    void restoreStrip(const QImage& strip, int x);
    void drawSeries(QPainter& p, const CArrPoints& series, const screen_geometry::DataMapping& map,
                    bool straight);

    QImage back;
    QImage grid;
    std::vector<Strip> strips;   // one per foreground series, in their order
    QFont axis;
    QFont printing;
    GridKey gridKey;
    bool gridValid = false;
    bool freshBuffers = true;
    screen_geometry::SeriesPath path;   // reused between drawings
    std::vector<QPoint> qpoints;
};
