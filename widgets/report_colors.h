#pragma once

#include <QColor>

// Colours of one cell of a report list; an invalid colour leaves the list's own.
struct ReportCellColors {
    QColor text;
    QColor background;
};

// Implemented by the owner of a report list that colours its cells (trace colours, marks). Selected
// rows are always drawn in the highlight colours over whatever the owner chose.
class CReportColors {
public:
    virtual ~CReportColors() = default;
    virtual ReportCellColors cellColors(int row, int column) const = 0;
};
