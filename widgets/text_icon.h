#pragma once

#include <QColor>
#include <QIcon>
#include <QString>

// A 32 x 32 toolbar icon of a short text in a rounded box of its colour: the look every toolbar of the
// program shares for commands without a picture of their own.
QIcon textIcon(const QString& text, const QColor& color);
