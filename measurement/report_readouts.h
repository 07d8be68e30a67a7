#pragma once

#include <array>
#include <string>

class CVarnelDoc;

// The measurement readouts of the printed report. Page positions are in 0.01 inch with y upwards from
// the top-left of the printable area, so every y is negative.
struct ReportReadout {
    int x = 0;
    int y = 0;
    std::string text;
    std::string label;   // the start of `text` naming the readout, marked for translation
};

inline constexpr int kReportReadoutCount = 7;
using ReportReadouts = std::array<ReportReadout, kReportReadoutCount>;

// KU (or V/2), magnification, resolution, start of the visible window, then the two cursors and the
// distance between them, for a printable area `pageWidthMm` x `pageHeightMm`. The distances are those
// of the cursor row: with the scale grid on each is measured section by section with the sections' own
// KU (the resolution at cursor 1's), else with the document's single KU.
ReportReadouts reportReadouts(const CVarnelDoc& doc, int pageWidthMm, int pageHeightMm);
