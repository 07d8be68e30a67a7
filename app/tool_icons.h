#pragma once

#include <QIcon>

// The toolbar picture of a command: a small glyph drawn at run time, so the top toolbars stay compact.
// A null icon for a command that is shown as text (ranges, pulses).
QIcon toolIcon(int commandId);

// The program's icon: a reflectogram with its echoes on the black screen, drawn at run time.
QIcon programIcon();
