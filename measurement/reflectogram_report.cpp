#include "measurement/reflectogram_report.h"

#include "document/units.h"
#include "document/varnel_doc.h"
#include "files/number_text.h"

#include <algorithm>
#include <cmath>

namespace {


bool usableCursor(double real, double rangeReal) { return std::isfinite(real) && real >= 0 && real <= rangeReal; }

} // namespace

Status showReflectogramForReport(CVarnelDoc& doc, const Trace& file, const std::string& name,
                                 const ReflectogramReportOptions& options)
{
    const bool grid = !options.sections.empty();
    double ku = options.ku.value_or(file.memKU);
    if (!std::isfinite(ku) || !(ku > 0)) {
        if (options.ku)
            return Status::failure("the KU must be a positive number, not " + numtext::fixed(ku, 3));
        if (!grid)
            return Status::failure("the file's KU is " + numtext::fixed(ku, 3) + "; give one with --ku");
        ku = kReferenceKu;   // every distance is measured section by section
    }
    // The real metres of the range, as the window's right edge reads them with the same KU or grid.
    CSectionList sections;
    for (const Section& s : options.sections)
        sections.add(s);
    CVarnelDoc measure;
    measure.scale = file.memScale;
    measure.vfactor = ku;
    measure.sections = sections;
    measure.gridMode = measure.sectionsLoaded = grid;
    const double rangeReal = measure.windowEdgesReal().right;
    for (const double cursor : {options.cursor1, options.cursor2})
        if (!usableCursor(cursor, rangeReal))
            return Status::failure("a cursor must lie within 0.." + numtext::fixed(rangeReal, 2) +
                                   " m of the reflectogram, not " + numtext::fixed(cursor, 2) + " m");

    doc.scale = file.memScale;
    doc.pulse = file.memPulse;
    doc.average = file.memAverage;
    doc.gain = file.memGain;
    doc.vfactor = ku;
    doc.speedMode = options.speedMode;
    doc.zoom = 0;
    doc.zoomCenter = doc.scale / 2;
    doc.zoomed = false;
    doc.difference = false;
    doc.capture = false;
    doc.sections = sections;
    doc.gridMode = doc.sectionsLoaded = grid;
    for (Trace& t : doc.traces)
        t.shown = false;

    Trace& memory = doc.traces[P1];
    const Rgb color = memory.color;
    memory = file;
    memory.name = name;
    memory.color = color;
    memory.shown = true;
    memory.available = true;
    memory.yOffset = 0;

    // Positions are nominal metres: with one KU, real x KU / 1.5; with the grid, section by section.
    doc.cursor1 = std::min(doc.toNominal(options.cursor1), doc.scale);
    doc.cursor2 = std::min(doc.toNominal(options.cursor2), doc.scale);
    // As when cursor 1 is placed in the window: the KU shown is that of its section.
    doc.vfactor = doc.kuAt(doc.cursor1);
    return Status::success();
}
