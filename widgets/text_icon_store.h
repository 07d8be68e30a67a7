#pragma once

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QList>

// The text icons' pictures drawn when the program is built (app/text_icon_maker) and built into it as
// the resource ":/varnel/text-icons.bin", so that a start draws no text for its toolbars.

struct StoredTextIcon {
    QByteArray key;   // textIconKey
    QImage picture;
};

// The pictures as the resource holds them: "VTI1", then for each picture the key's length and bytes
// (padded to 4), its width and height, and its pixels (RGBA8888, premultiplied); numbers are
// little-endian 32-bit.
QByteArray encodeTextIcons(const QList<StoredTextIcon>& icons);

// The pictures of an encoded block (ARGB32, premultiplied) by key; none at all when the block is
// malformed anywhere.
QHash<QByteArray, QImage> decodeTextIcons(const QByteArray& block);

// The stored picture of `key` from the program's resource; a null picture when the program holds none
// for it (or no resource at all, as in the tests).
QImage storedTextIconPicture(const QByteArray& key);
