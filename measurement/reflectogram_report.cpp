#include "measurement/reflectogram_report.h"

#include "document/units.h"
#include "document/varnel_doc.h"
#include "files/number_text.h"

#include <cmath>

namespace {


bool usableCursor(double real, double rangeReal) { return std::isfinite(real) && real >= 0 && real <= rangeReal; }

} // namespace

Status showReflectogramForReport(CVarnelDoc& doc, const Trace& file, const std::string& name,
                                 const ReflectogramReportOptions& options)
{
    const double ku = options.ku.value_or(file.memKU);
    if (!std::isfinite(ku) || !(ku > 0)) {
        if (options.ku)
            return Status::failure("the KU must be a positive number, not " + numtext::fixed(ku, 3));
        return Status::failure("the file's KU is " + numtext::fixed(ku, 3) + "; give one with --ku");
    }
    const double rangeReal = file.memScale / ku * kReferenceKu;
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
    doc.gridMode = false;
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

    // Positions are nominal metres: with one KU, real x KU / 1.5.
    doc.cursor1 = doc.toNominal(options.cursor1);
    doc.cursor2 = doc.toNominal(options.cursor2);
    return Status::success();
}
