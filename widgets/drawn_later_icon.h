#pragma once

#include <QIcon>

#include <functional>

// An icon drawn (or read) the first time it is shown: a toolbar's icons with its first paint, those of
// menus, hidden bars and tabs not yet opened when they open, none while the program starts. Never null.
QIcon drawnLaterIcon(std::function<QIcon()> draw);
