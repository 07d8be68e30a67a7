#include "measurement/report_readouts.h"

#include "document/units.h"
#include "document/varnel_doc.h"
#include "files/number_text.h"

#include <climits>
#include <cmath>

namespace {


// 2^zoom truncated; a zoom no document reaches saturates instead of overflowing.
int magnification(int zoom)
{
    const double v = std::trunc(std::pow(2.0, zoom));
    return v >= static_cast<double>(INT_MAX) ? INT_MAX : static_cast<int>(v);
}

std::string metres(double nominal, double vfactor) { return numtext::fixed(nominal / vfactor * kReferenceKu, 2); }

} // namespace

ReportReadouts reportReadouts(const CVarnelDoc& doc, int pageWidthMm, int pageHeightMm)
{
    const double ku = doc.vfactor;
    const Span win = doc.window();
    const double w = doc.windowWidth();

    // The left column starts one inch in, the right one at the middle of the page; the rows are 0.2 inch
    // apart below three quarters of the page height.
    const int y0 = pageHeightMm * 3;
    const int left = 100;
    const int right = pageWidthMm * 2;
    return {{
        {left, -y0 - 60,
         doc.speedMode ? "V/2              " + numtext::fixed(speedOfKu(ku), 1)
                       : "КУ               " + numtext::fixed(ku, 3)},
        {left, -y0 - 80, "Лупа           " + numtext::integer(magnification(doc.zoom))},
        {left, -y0 - 100, "Разрешение   " + numtext::fixed(w / ku * kReferenceKu / kWindowSamples, 2) + " м"},
        {left, -y0 - 120, "Начало микроплана " + metres(win.left, ku) + " м"},
        {right, -y0 - 60, "К1               " + metres(doc.cursor1, ku) + " м"},
        {right, -y0 - 80, "К2               " + metres(doc.cursor2, ku) + " м"},
        {right, -y0 - 100, "L                 " + metres(std::fabs(doc.cursor1 - doc.cursor2), ku) + " м"},
    }};
}
