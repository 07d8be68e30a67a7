#pragma once

#include <QIcon>

// The toolbar picture of a command: a small glyph drawn at run time, so the top toolbars stay compact.
// A null icon for a command that is shown as text (ranges, pulses).
QIcon toolIcon(int commandId);
