#pragma once

#include "display/render/pixel_runs.h"
#include "display/screen_geometry.h"
#include "display/screen_state.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QSize>
#include <QStaticText>

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

// Composes a trace screen into memory images and prints it; used by CScreenWnd and by programs that
// draw a screen without a window. The back buffer is copied to the surface once per drawing, so nothing
// flickers. The picture is composed in layers, each redrawn only when it changed: the grid buffer (grid
// and labels) when the grid, the labels or the size changed; the traces (background and trace series)
// when their points, colours, names or the mapping changed, by putting the grid back only under the
// pixels the previous traces set; the foreground (cursors, marks) by putting back the pixels it covered.
// The series' lines are written straight into the buffer, pixel for pixel as the painter would set
// them; text, the grid and a line reaching outside the buffer are painted.
class CScreenRenderer {
public:
    // How the series' lines are drawn: into the buffer (the same pixels as the painter's), or all with
    // the painter (the reference the direct drawing is checked against).
    enum class Lines { Direct, Painter };

    explicit CScreenRenderer(Lines lines = Lines::Direct);

    // Recreates the back and grid buffers for a new size (all black).
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
    // The part of the picture the last drawing changed (empty when it changed nothing).
    PixelRect changedRect() const { return changed; }
    // How many times the trace layer was drawn; a drawing that changed only the foreground leaves it.
    int traceLayerDraws() const { return traceDraws; }

    static constexpr int kPrintHeight = 400;

    // The print drawing on the page 0, 0 .. deviceWidthMm x 4 - 120, pageHeight (400 on a page with
    // room for it) in the painter's logical units, with every y used negated (the caller maps 0.01 inch
    // units with y pointing up), in the screen's layer order. Colours are ignored: black lines, white
    // names on dark grey.
    void print(const CScreenState& state, QPainter& painter, int deviceWidthMm, int pageHeight = kPrintHeight) const;

    // The plot rectangle inside `start` with the axis font (screen) or the print font.
    PixelRect plotRect(const CScreenState& state, const PixelRect& start, bool printing) const;

    const QImage& image() const { return back; }

    // A series' name as drawn in the screen font.
    struct NameText {
        QString text;
        int width = 0, height = 0, ascent = 0;
        // The screen's names are laid out once: shaping the text again for every frame is most of
        // what drawing a name costs. Empty for the printed names.
        QStaticText laidOut;
    };
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
    // What maps the series to pixels.
    struct MappingKey {
        PixelRect plot;
        int xMin = 0, xMax = 0, xSpan = 0, yMin = 0, yMax = 0, ySpan = 0;
        bool straight = false;
        friend bool operator==(const MappingKey&, const MappingKey&) = default;
    };
    // Where the pixels of a layer's drawing went, to be put back from the layer below.
    struct Damage {
        std::vector<PixelRect> rects;
        std::vector<std::uint32_t> saved;   // the foreground's: the pixels it covered, in rect order
        bool everything = false;
    };

    static void forget(Damage& damage);
    bool drawGridIfChanged(const CScreenState& state, const PixelRect& plot);
    void drawGrid(QImage& target, const CScreenState& state, const PixelRect& plot);
    // The grid layer itself, drawn when parts of it are first put back under the traces: a new grid
    // is drawn straight into the picture, which a first frame needs no more than.
    void makeGridLayer(const CScreenState& state, const PixelRect& plot);
    void putGridBack(const CScreenState& state, const PixelRect& plot);
    void putForegroundBack();
    void drawLayer(const CScreenState& state, ScreenLayer layer, const screen_geometry::DataMapping& map,
                   bool straight, Damage& damage, bool saveUnder);
    void drawSeries(const CArrPoints& series, const screen_geometry::DataMapping& map, bool straight,
                    Damage& damage, bool saveUnder);
    // Notes `rects` (clipped to the buffer) as drawn on, saving the pixels under them first if asked.
    void mark(Damage& damage, const PixelRect* rects, std::size_t count, bool saveUnder);
    QPainter& painter();

    // The text extents of the y labels last measured, in the screen's and in the print font.
    struct MeasuredLabels {
        bool valid = false;
        double top = 0, bottom = 0;
        screen_geometry::LabelExtents extents;
    };

    Lines lines;
    mutable MeasuredLabels measured[2];
    QImage back;
    QImage grid;
    pixel_runs::GreyCanvas gridGrey;   // the grid as grey levels, while it has no other colour
    bool gridLayerDrawn = false;       // `grid` and `gridGrey` hold the grid of gridKey
    bool gridLayerWanted = false;      // the grid of gridKey was put back once without the layer
    QFont axis;
    QFont printing;
    GridKey gridKey;
    bool gridValid = false;
    bool freshBuffers = true;
    MappingKey mappingKey;
    std::vector<CArrPoints> drawnTraces;       // the background and trace series as last drawn
    std::vector<CArrPoints> drawnForeground;   // the foreground series as last drawn
    Damage traceDamage;
    Damage foreDamage;
    std::vector<int> foreX;   // one per foreground series, in their order
    int traceDraws = 0;
    std::unordered_map<std::string, NameText> names;
    PixelRect changed;
    screen_geometry::SeriesPath path;   // reused between drawings
    std::vector<PixelRect> runs;
    std::vector<QPoint> qpoints;
    pixel_runs::Canvas canvas;        // the back buffer's pixels during a drawing
    std::optional<QPainter> open;     // the painter on the back buffer during a drawing, once one was needed
};
