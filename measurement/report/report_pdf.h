#pragma once

#include "document/status.h"
#include "measurement/analysis/event_table.h"

#include <QByteArray>

#include <string>
#include <vector>

class CScreenState;
class CVarnelDoc;
struct ChannelTable;

// The report page as a one-page A4 PDF with real (selectable, searchable) text, drawn without a
// display. The printable area leaves the margins a printer would, so the page matches a printed one.
// With `events` the event table is printed under the readouts.
QByteArray reportPdf(const CVarnelDoc& doc, const ChannelTable& table, const CScreenState& screen,
                     const std::vector<EventRow>* events = nullptr);

// Writes reportPdf to `path` through a temporary file renamed over it only when complete, so a failure
// leaves no half-written report and an existing file as it was.
Status writeReportPdf(const std::string& path, const CVarnelDoc& doc, const ChannelTable& table,
                      const CScreenState& screen, const std::vector<EventRow>* events = nullptr);
