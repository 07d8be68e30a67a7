#pragma once

#include "device/acquisition_params.h"

class CVarnelDoc;

// A line is measured when it is shown and the instrument has it.
bool lineSelected(const CVarnelDoc& doc, int line);

// The parameter packet the document's settings give for `mode`; `longRecordLine` (1 or 2) is the line a
// long record saves when the pairs are not split.
AcquisitionParams parametersFor(const CVarnelDoc& doc, RecordMode mode, int longRecordLine);
