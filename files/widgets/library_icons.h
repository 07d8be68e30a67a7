#pragma once

#include "widgets/text_icon.h"

#include <QIcon>
#include <QList>

// The toolbar pictures of the library panel's commands, drawn when first shown; a null icon for any other id.
QIcon libraryIcon(int commandId);

// The text glyphs of the library panel's commands, in the program's language.
QList<TextGlyph> libraryIconGlyphs();
