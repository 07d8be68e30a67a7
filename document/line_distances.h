#pragma once

#include "document/section_list.h"

#include <vector>

class CVarnelDoc;

// A section KU that is not positive must never reach a division; such a section reads as KU 1.5.
double usableKu(double ku);

// How nominal positions become real metres, as a value: at one KU, or section by section each with
// its own KU (the section grid). What the analysis needs of the document to place what it finds.
struct LineDistances {
    double ku = 1.5;                 // the line's KU, used throughout when there is no grid
    std::vector<Section> sections;   // the section grid; empty when it is off

    // Real metres of a nominal position by the rule of the cursor read-outs: with the grid, the
    // sections up to the position each with its own KU, beyond the last one its KU.
    double toReal(double position) const;
    // toReal, and the KU it measured the position's own stretch with.
    double realAt(double position, double& stretchKu) const;
};

// The same arithmetic without a copy of the sections: `grid` is empty when the grid is off.
double realDistanceAt(double position, double ku, const std::vector<Section>& grid, double& stretchKu);

// The document's distances now: its KU, and its sections while the grid is on.
LineDistances documentDistances(const CVarnelDoc& doc);
