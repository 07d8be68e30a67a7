#pragma once

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>

#include <functional>
#include <vector>

class QPainter;

// Geometry of a report list printed as a boxed table. Units are the page's logical units (0.01 inch)
// with y growing downwards from the table's top-left corner: the mirror of the y-upwards page mode
// the layout was designed in, so a box (left, -top)..(right, -(top + r)) there is (left, top, c, r) here.
namespace reportprint {

inline constexpr int kFontHeight = 12;
inline constexpr int kRowHeight = kFontHeight + 2;

// Width of a text in some font, in the units the caller works in.
using TextWidth = std::function<int(const QString&)>;
using CellText = std::function<QString(int row, int column)>;

// Every column gets the same share of the page width less the margins: (W x 4 - 120) / n.
int columnWidth(int pageWidthMm, int columnCount);

// The box of a cell; row -1 is the header.
QRect cellBox(int columnWidth, int column, int row);

// Left edge of a text centred in a column; each half is truncated toward zero on its own.
int centredTextX(int left, int columnWidth, int textWidth);

// Shortens `text` until what is left, ended in "...", is at most `maxWidth` wide. A text that fits is
// returned unchanged; where not even the dots fit, nothing is left.
QString fitText(int maxWidth, const QString& text, const TextWidth& width);

struct PrintedCell {
    QRect box;
    QPoint textTopLeft;
    QString text;
};

// Everything PrintTable draws, column by column, header cell first. `fitWidth` measures for FitText
// (on the list's own screen font), `printWidth` measures the fitted text on the printer.
std::vector<PrintedCell> layoutTable(int pageWidthMm, const std::vector<QString>& titles, int rowCount,
                                     const CellText& cell, const TextWidth& fitWidth, const TextWidth& printWidth);

// A font asked for by the height of its cell (ascent plus descent) in the painter's units, as the
// printed fonts are given; the em that yields that cell depends on the family standing in for the name.
QFont fontOfCellHeight(const QString& family, int cellHeight, bool italic = false);

// "Arial" with a cell of 12 units, the font every printed table is drawn in.
QFont printFont();

// Draws the boxed table on `painter`, whose units must be 0.01 inch with y downwards from the table's
// top-left corner, for a printable area `pageWidthMm` wide. Boxes take the painter's current pen; texts
// are fitted and centred as measured on the painter's device in the printed font.
void printTable(QPainter& painter, int pageWidthMm, const std::vector<QString>& titles, int rowCount,
                const CellText& cell);

} // namespace reportprint
