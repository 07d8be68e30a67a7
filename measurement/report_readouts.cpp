#include "measurement/report_readouts.h"

#include "document/units.h"
#include "document/varnel_doc.h"
#include "files/number_text.h"
#include "resources/translate_marker.h"

#include <climits>
#include <cmath>

namespace {


// 2^zoom truncated; a zoom no document reaches saturates instead of overflowing.
int magnification(int zoom)
{
    const double v = std::trunc(std::pow(2.0, zoom));
    return v >= static_cast<double>(INT_MAX) ? INT_MAX : static_cast<int>(v);
}

std::string metres(double real) { return numtext::fixed(real, 2) + " м"; }

} // namespace

ReportReadouts reportReadouts(const CVarnelDoc& doc, int pageWidthMm, int pageHeightMm)
{
    const double ku = doc.vfactor;
    // The distances of the cursor row: section by section while the scale grid is on, else at `ku`.
    const CursorReadouts cursors = doc.cursorReadouts();
    const double windowStart = doc.windowEdgesReal().left;
    const bool grid = doc.gridActive();
    const double resolution = grid ? cursors.step1 : doc.windowWidth() / ku * kReferenceKu / kWindowSamples;
    const double between = grid ? std::fabs(cursors.distance1 - cursors.distance2)
                                : std::fabs(doc.cursor1 - doc.cursor2) / ku * kReferenceKu;

    // The left column starts one inch in, the right one at the middle of the page; the rows are 0.2 inch
    // apart below three quarters of the page height.
    const int y0 = pageHeightMm * 3;
    const int left = 100;
    const int right = pageWidthMm * 2;
    const auto row = [](int x, int y, const char* label, const std::string& value) {
        return ReportReadout{x, y, label + value, label};
    };
    return {{
        doc.speedMode ? row(left, -y0 - 60, VARNEL_TRANSLATE_NOOP("ReportReadouts", "V/2              "),
                            numtext::fixed(speedOfKu(ku), 1))
                      : row(left, -y0 - 60, VARNEL_TRANSLATE_NOOP("ReportReadouts", "КУ               "),
                            numtext::fixed(ku, 3)),
        row(left, -y0 - 80, VARNEL_TRANSLATE_NOOP("ReportReadouts", "Лупа           "),
            numtext::integer(magnification(doc.zoom))),
        row(left, -y0 - 100, VARNEL_TRANSLATE_NOOP("ReportReadouts", "Разрешение   "), metres(resolution)),
        row(left, -y0 - 120, VARNEL_TRANSLATE_NOOP("ReportReadouts", "Начало микроплана "), metres(windowStart)),
        row(right, -y0 - 60, VARNEL_TRANSLATE_NOOP("ReportReadouts", "К1               "), metres(cursors.distance1)),
        row(right, -y0 - 80, VARNEL_TRANSLATE_NOOP("ReportReadouts", "К2               "), metres(cursors.distance2)),
        row(right, -y0 - 100, VARNEL_TRANSLATE_NOOP("ReportReadouts", "L                 "), metres(between)),
    }};
}
