#pragma once

#include "document/section_list.h"
#include "document/status.h"

#include <optional>
#include <string>
#include <vector>

class CVarnelDoc;
struct Trace;

// How a saved reflectogram is reported: its own KU unless another is given, the KU or V/2 presentation,
// and the two cursors in real metres at the KU used. With sections the scale grid is on, as in the
// window: the cursors are real metres section by section, and the KU is that of cursor 1's section.
struct ReflectogramReportOptions {
    std::optional<double> ku;
    bool speedMode = false;
    double cursor1 = 0.0;
    double cursor2 = 0.0;
    std::vector<Section> sections;
};

// Makes `doc` show the file read into `file` as memory P1 named `name`, the way the main screen shows a
// memory over the file's whole range, with its range, pulse, averaging and gain as the measurement
// parameters and no live line shown. A KU that is not a positive number (needed without sections) or a
// cursor outside 0..the range in real metres is refused with a reason, and `doc` is left as it was.
Status showReflectogramForReport(CVarnelDoc& doc, const Trace& file, const std::string& name,
                                 const ReflectogramReportOptions& options);
