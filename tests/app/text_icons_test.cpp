#include "app/tool_icons.h"
#include "files/widgets/library_icons.h"
#include "resources/i18n/ui_translation.h"
#include "widgets/text_icon.h"
#include "widgets/text_icon_store.h"

#include <QApplication>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

QImage premultiplied(const QImage& image) { return image.convertToFormat(QImage::Format_ARGB32_Premultiplied); }

// Every text glyph of the toolbars, in both languages, is shown from the pictures built into the
// program, and each of them is what drawing the glyph here gives, pixel for pixel.
TEST(TextIcons, EveryGlyphIsShownFromItsStoredDrawing)
{
    for (const UiLanguage language : {UiLanguage::Russian, UiLanguage::English}) {
        installUiTranslations(*qApp, language);
        const QList<TextGlyph> glyphs = toolIconGlyphs() + libraryIconGlyphs();
        ASSERT_GE(glyphs.size(), 30);
        for (const TextGlyph& g : glyphs) {
            SCOPED_TRACE(g.text.toStdString());
            const QImage stored = storedTextIconPicture(textIconKey(g.text, g.color));
            ASSERT_FALSE(stored.isNull());
            EXPECT_EQ(stored, premultiplied(drawTextIconPicture(g.text, g.color)));
            EXPECT_EQ(premultiplied(textIcon(g.text, g.color).pixmap(32, 32).toImage()), stored);
        }
    }
    removeUiTranslations();
    // A text the program was not built with is drawn.
    const QColor blue(0, 0, 255);
    EXPECT_TRUE(storedTextIconPicture(textIconKey(QStringLiteral("Z9"), blue)).isNull());
    EXPECT_EQ(premultiplied(textIcon(QStringLiteral("Z9"), blue).pixmap(32, 32).toImage()),
              premultiplied(drawTextIconPicture(QStringLiteral("Z9"), blue)));
}

// A block that was cut short or damaged anywhere gives no pictures at all (the icons are then drawn).
TEST(TextIcons, DamagedBlockGivesNoPictures)
{
    QImage a(32, 32, QImage::Format_ARGB32_Premultiplied);
    a.fill(qRgba(10, 20, 30, 255));
    QImage b(2, 3, QImage::Format_ARGB32_Premultiplied);
    b.fill(Qt::transparent);
    const QByteArray key = "ff0000ff Л1";
    const QByteArray block = encodeTextIcons({{key, a}, {"x", b}});
    const QHash<QByteArray, QImage> whole = decodeTextIcons(block);
    ASSERT_EQ(whole.size(), 2);
    EXPECT_EQ(whole.value(key), a);
    EXPECT_EQ(whole.value("x"), b);

    const auto withNumber = [&](qsizetype at, quint32 n) {
        QByteArray damaged = block;
        qToLittleEndian(n, damaged.data() + at);
        return damaged;
    };
    const qsizetype firstKey = 4;
    const qsizetype firstWidth = firstKey + 4 + (key.size() + 3) / 4 * 4;
    const struct {
        const char* what;
        QByteArray block;
    } damaged[] = {
        {"no magic", block.mid(4)},
        {"other magic", "VTI2" + block.mid(4)},
        {"cut in a key", block.left(firstKey + 6)},
        {"cut in the pixels", block.left(block.size() - 1)},
        {"cut after a key's length", block.left(firstKey + 4)},
        {"a key longer than the block", withNumber(firstKey, 1u << 30)},
        {"a zero width", withNumber(firstWidth, 0)},
        {"a width beyond any icon", withNumber(firstWidth, 100000)},
        {"a height running past the end", withNumber(firstWidth + 4, 40)},
        {"bytes after the last picture", block + "abc"},
    };
    for (const auto& d : damaged)
        EXPECT_TRUE(decodeTextIcons(d.block).isEmpty()) << d.what;
}

} // namespace
