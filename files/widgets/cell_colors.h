#pragma once

#include "widgets/report_colors.h"

#include <functional>
#include <utility>

// Cell colours of one report list given by a function, for an owner with several coloured lists.
class CCellColors : public CReportColors {
public:
    using Fn = std::function<ReportCellColors(int row, int column)>;
    explicit CCellColors(Fn fn) : colorsOf(std::move(fn)) {}
    ReportCellColors cellColors(int row, int column) const override { return colorsOf(row, column); }

private:
    Fn colorsOf;
};
