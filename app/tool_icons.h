#pragma once

#include "widgets/text_icon.h"

#include <QIcon>
#include <QList>

// The toolbar picture of a command: a small glyph (a text glyph's picture is the one built into the
// program, see textIcon), so the top toolbars stay compact.
// A null icon for a command that is shown as text (ranges, pulses).
QIcon toolIcon(int commandId);

// The text glyphs of the toolbars' commands, in the program's language.
QList<TextGlyph> toolIconGlyphs();

// The program's icon: a reflectogram with its echoes on the black screen, drawn at run time.
QIcon programIcon();
