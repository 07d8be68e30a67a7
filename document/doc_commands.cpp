#include "document/doc_commands.h"

#include "document/command_ids.h"
#include "document/command_table.h"
#include "document/tables.h"
#include "document/varnel_doc.h"

void registerDocumentCommands(CCommandTable& table, CVarnelDoc& doc)
{
    for (int i = 0; i < tables::kRangeCount; ++i)
        table.add(cmd::kRangeFirst + i, [&doc, i] { doc.selectRange(i); },
                  [&doc, i] { return CommandState{true, doc.scale == tables::kRanges[i]}; });

    for (int i = 0; i < tables::kPulseCount; ++i)
        table.add(cmd::kPulseIds[i], [&doc, i] { doc.selectPulse(i); },
                  [&doc, i] { return CommandState{true, doc.pulse == tables::kPulses[i]}; });

    for (int i = 0; i < kMouseModeCount; ++i) {
        const auto mode = static_cast<MouseMode>(i);
        table.add(cmd::kMouseMagnifier + i, [&doc, mode] { doc.selectMouseMode(mode); }, [&doc, mode, i] {
            // Offset modes act on a trace and are offered only while it is shown.
            const int trace = i - static_cast<int>(MouseMode::OffsetL1);
            const bool enabled = trace < 0 || doc.traces[trace].shown;
            return CommandState{enabled, doc.mouseMode == mode};
        });
    }

    for (CursorId id : {CursorId::First, CursorId::Second}) {
        // While magnified the active cursor cannot be switched.
        table.add(id == CursorId::First ? cmd::kFirstCursor : cmd::kSecondCursor,
                  [&doc, id] { doc.selectActiveCursor(id); },
                  [&doc, id] { return CommandState{doc.zoom == 0 || doc.activeCursor == id, doc.activeCursor == id}; });
    }

    table.add(cmd::kLine1, [&doc] { doc.toggleLine(L1); },
              [&doc] { return CommandState{doc.traces[L1].available, doc.traces[L1].shown}; });
    table.add(cmd::kLine2, [&doc] { doc.toggleLine(L2); },
              [&doc] { return CommandState{doc.traces[L2].available, doc.traces[L2].shown}; });
    table.add(cmd::kSplitPairs, [&doc] { doc.toggleSplitPairs(); },
              [&doc] { return CommandState{true, doc.splitPairs}; });
    table.add(cmd::kCapture, [&doc] { doc.toggleCapture(); }, [&doc] { return CommandState{true, doc.capture}; });
    table.add(cmd::kDifference, [&doc] { doc.toggleDifference(); },
              [&doc] { return CommandState{true, doc.difference}; });
    table.add(cmd::kApproximation, [&doc] { doc.toggleApproximation(); },
              [&doc] { return CommandState{true, doc.approximation}; });
    table.add(cmd::kSpeedMode, [&doc] { doc.toggleSpeedMode(); }, [&doc] { return CommandState{true, doc.speedMode}; });
    table.add(cmd::kReturnLoss, [&doc] { doc.toggleReturnLoss(); },
              [&doc] { return CommandState{true, doc.returnLoss}; });
}
