#include "widgets/printing/report_print.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>

namespace reportprint {

namespace {

// Removes the last character, never half of a surrogate pair.
void chopCharacter(QString& s)
{
    const qsizetype n = s.size();
    if (n >= 2 && s.at(n - 1).isLowSurrogate() && s.at(n - 2).isHighSurrogate())
        s.chop(2);
    else
        s.chop(1);
}

} // namespace

int columnWidth(int pageWidthMm, int columnCount)
{
    if (columnCount <= 0)
        return 0;
    return (pageWidthMm * 4 - 120) / columnCount;
}

QRect cellBox(int columnWidth, int column, int row)
{
    return QRect(columnWidth * column, (row + 1) * kRowHeight, columnWidth, kRowHeight);
}

int centredTextX(int left, int columnWidth, int textWidth) { return left + columnWidth / 2 - textWidth / 2; }

QString fitText(int maxWidth, const QString& text, const TextWidth& width)
{
    if (width(text) <= maxWidth)
        return text;
    // The dots are measured with the text they end: what is drawn must fit its box.
    const QString dots = QStringLiteral("...");
    QString s = text;
    while (!s.isEmpty()) {
        chopCharacter(s);
        if (width(s + dots) <= maxWidth)
            return s + dots;
    }
    return width(dots) <= maxWidth ? dots : QString();
}

std::vector<PrintedCell> layoutTable(int pageWidthMm, const std::vector<QString>& titles, int rowCount,
                                     const CellText& cell, const TextWidth& fitWidth, const TextWidth& printWidth)
{
    std::vector<PrintedCell> cells;
    const int n = static_cast<int>(titles.size());
    const int c = columnWidth(pageWidthMm, n);
    // A page too narrow for its margins would only draw boxes turned inside out.
    if (c <= 0)
        return cells;
    cells.reserve(static_cast<std::size_t>(n) * (static_cast<std::size_t>(std::max(rowCount, 0)) + 1));
    for (int i = 0; i < n; ++i) {
        for (int j = -1; j < rowCount; ++j) {
            PrintedCell printed;
            printed.box = cellBox(c, i, j);
            const bool header = j < 0;
            printed.text = fitText(header ? c - 1 : c - 2, header ? titles[i] : cell(j, i), fitWidth);
            printed.textTopLeft = QPoint(centredTextX(printed.box.left(), c, printWidth(printed.text)),
                                         printed.box.top() + 1);
            cells.push_back(std::move(printed));
        }
    }
    return cells;
}

QFont fontOfCellHeight(const QString& family, int cellHeight, bool italic)
{
    QFont font(family);
    font.setItalic(italic);
    font.setPixelSize(1000);
    const QFontMetricsF probe(font);
    const double cellPerEm = (probe.ascent() + probe.descent()) / 1000.0;
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(cellHeight / cellPerEm))));
    return font;
}

QFont printFont() { return fontOfCellHeight(QStringLiteral("Arial"), kFontHeight); }

void printTable(QPainter& painter, int pageWidthMm, const std::vector<QString>& titles, int rowCount,
                const CellText& cell)
{
    painter.save();
    painter.setFont(printFont());
    // Texts are fitted in the font and on the device they are drawn with, so that none runs into the
    // next box.
    const QFontMetrics printer = painter.fontMetrics();
    const TextWidth printed = [&printer](const QString& s) { return printer.horizontalAdvance(s); };
    const std::vector<PrintedCell> cells = layoutTable(pageWidthMm, titles, rowCount, cell, printed, printed);

    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip;
    for (const PrintedCell& c : cells) {
        painter.drawRect(c.box);
        const QRect textArea(c.textTopLeft, QSize(std::numeric_limits<short>::max(), c.box.height()));
        painter.drawText(textArea, flags, c.text);
    }
    painter.restore();
}

} // namespace reportprint
