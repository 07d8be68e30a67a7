#pragma once

#include <QIcon>

// The toolbar pictures of the library panel's commands, drawn when first shown; a null icon for any other id.
QIcon libraryIcon(int commandId);
