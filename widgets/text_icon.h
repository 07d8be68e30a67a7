#pragma once

#include <QByteArray>
#include <QColor>
#include <QIcon>
#include <QImage>
#include <QString>

// A short text in a rounded box of its colour: the look every toolbar of the program shares for
// commands without a picture of their own.
struct TextGlyph {
    QString text;
    QColor color;
};

// The 32 x 32 icon of a text glyph. Its picture is the one stored in the program for that text and
// colour when there is one (drawn when the program was built, see storedTextIconPicture), else drawn now.
QIcon textIcon(const QString& text, const QColor& color);

// The glyph's 32 x 32 picture (ARGB32, premultiplied), drawn with the fonts of this machine.
QImage drawTextIconPicture(const QString& text, const QColor& color);

// What a stored picture is found by: its text and colour.
QByteArray textIconKey(const QString& text, const QColor& color);
