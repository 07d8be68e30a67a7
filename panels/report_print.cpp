#include "panels/report_print.h"

#include <algorithm>

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
    QString s = text;
    QString fitted = text;
    while (!s.isEmpty()) {
        chopCharacter(s);
        fitted = s + QStringLiteral("...");
        if (width(s) <= maxWidth)
            break;
    }
    return fitted;
}

std::vector<PrintedCell> layoutTable(int pageWidthMm, const std::vector<QString>& titles, int rowCount,
                                     const std::function<QString(int row, int column)>& cell,
                                     const TextWidth& fitWidth, const TextWidth& printWidth)
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

} // namespace reportprint
