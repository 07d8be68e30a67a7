#include "widgets/text_icon_store.h"

#include <QResource>
#include <QtEndian>

#include <cstring>

namespace {

constexpr char kMagic[] = "VTI1";
constexpr qsizetype kMagicSize = 4;
constexpr quint32 kMaxSide = 256;

void putNumber(QByteArray& out, quint32 n)
{
    const quint32 le = qToLittleEndian(n);
    out.append(reinterpret_cast<const char*>(&le), sizeof le);
}

qsizetype padded(qsizetype n) { return (n + 3) / 4 * 4; }

// Reads the block front to back; every read is bounded by what is left.
class BlockReader {
public:
    explicit BlockReader(const QByteArray& block) : block(block) {}

    bool number(quint32& n)
    {
        if (left() < 4)
            return false;
        n = qFromLittleEndian<quint32>(block.constData() + at);
        at += 4;
        return true;
    }
    bool bytes(qsizetype size, qsizetype stored, QByteArray& out)
    {
        if (stored < size || left() < stored)
            return false;
        out = block.mid(at, size);
        at += stored;
        return true;
    }
    const uchar* take(qsizetype size)
    {
        if (left() < size)
            return nullptr;
        const auto* p = reinterpret_cast<const uchar*>(block.constData() + at);
        at += size;
        return p;
    }
    qsizetype left() const { return block.size() - at; }
    void skip(qsizetype n) { at += n; }

private:
    const QByteArray& block;
    qsizetype at = 0;
};

} // namespace

QByteArray encodeTextIcons(const QList<StoredTextIcon>& icons)
{
    QByteArray out(kMagic, kMagicSize);
    for (const StoredTextIcon& icon : icons) {
        const QImage rgba = icon.picture.convertToFormat(QImage::Format_RGBA8888_Premultiplied);
        putNumber(out, static_cast<quint32>(icon.key.size()));
        out.append(icon.key);
        out.append(padded(icon.key.size()) - icon.key.size(), '\0');
        putNumber(out, static_cast<quint32>(rgba.width()));
        putNumber(out, static_cast<quint32>(rgba.height()));
        for (int y = 0; y < rgba.height(); ++y)
            out.append(reinterpret_cast<const char*>(rgba.constScanLine(y)), static_cast<qsizetype>(rgba.width()) * 4);
    }
    return out;
}

namespace {

// Where a picture lies in a block.
struct PictureSpan {
    qsizetype at = 0;
    int width = 0;
    int height = 0;
};

// The pictures of a block by key, every one checked to lie within it; none when anything is malformed.
QHash<QByteArray, PictureSpan> indexTextIcons(const QByteArray& block)
{
    QHash<QByteArray, PictureSpan> index;
    if (!block.startsWith(QByteArray(kMagic, kMagicSize)))
        return {};
    BlockReader in(block);
    in.skip(kMagicSize);
    while (in.left() > 0) {
        quint32 keySize = 0;
        quint32 width = 0;
        quint32 height = 0;
        QByteArray key;
        if (!in.number(keySize) || keySize > 4096 ||
            !in.bytes(keySize, padded(keySize), key) || !in.number(width) || !in.number(height) ||
            width == 0 || height == 0 || width > kMaxSide || height > kMaxSide)
            return {};
        const qsizetype at = block.size() - in.left();
        if (!in.take(static_cast<qsizetype>(width) * height * 4))
            return {};
        index.insert(key, {at, static_cast<int>(width), static_cast<int>(height)});
    }
    return index;
}

QImage pictureIn(const QByteArray& block, const PictureSpan& span)
{
    // The block's bytes need not be aligned for a picture: the picture gets its own copy.
    QImage picture(span.width, span.height, QImage::Format_RGBA8888_Premultiplied);
    const qsizetype row = static_cast<qsizetype>(span.width) * 4;
    for (int y = 0; y < span.height; ++y)
        std::memcpy(picture.scanLine(y), block.constData() + span.at + y * row, static_cast<std::size_t>(row));
    return picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace

QHash<QByteArray, QImage> decodeTextIcons(const QByteArray& block)
{
    QHash<QByteArray, QImage> icons;
    const QHash<QByteArray, PictureSpan> index = indexTextIcons(block);
    for (auto it = index.cbegin(); it != index.cend(); ++it)
        icons.insert(it.key(), pictureIn(block, it.value()));
    return icons;
}

QImage storedTextIconPicture(const QByteArray& key)
{
    // Only the pictures a start shows are copied out of the block, when first asked for.
    struct Stored {
        QByteArray block;
        QHash<QByteArray, PictureSpan> index;
    };
    static const Stored stored = [] {
        const QResource resource(QStringLiteral(":/varnel/text-icons.bin"));
        Stored s;
        if (resource.isValid()) {
            s.block = resource.uncompressedData();
            s.index = indexTextIcons(s.block);
        }
        return s;
    }();
    const auto it = stored.index.constFind(key);
    return it == stored.index.cend() ? QImage() : pictureIn(stored.block, it.value());
}
