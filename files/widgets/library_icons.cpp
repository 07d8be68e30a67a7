#include "files/widgets/library_icons.h"

#include "document/command_ids.h"
#include "resources/i18n/ui_translation.h"
#include "widgets/drawn_later_icon.h"
#include "widgets/text_icon.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPixmap>

#include <functional>
#include <span>

namespace {

QPixmap blank()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QIcon drawFolder(const QColor& color)
{
    QPixmap pixmap = blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(color.darker(160), 1.5));
    p.setBrush(color);
    p.drawPolygon(QPolygonF({QPointF(3, 8), QPointF(12, 8), QPointF(15, 11), QPointF(29, 11), QPointF(29, 26),
                             QPointF(3, 26)}));
    return QIcon(pixmap);
}

struct LibraryGlyph {
    int id;
    const char* context;   // the translation's context; none for a text that stays as it is
    const char* text;
    QColor color;
};

std::span<const LibraryGlyph> glyphTable()
{
    static const LibraryGlyph glyphs[] = {
        {cmd::kMemoryP1, "TraceNames", "П1", QColor(200, 0, 0)},
        {cmd::kMemoryP2, "TraceNames", "П2", QColor(255, 153, 0)},
        {cmd::kMemoryP3, "TraceNames", "П3", QColor(200, 0, 200)},
        {cmd::kPreview, nullptr, "Px", QColor(0, 150, 200)},
        {cmd::kNewGrid, "ToolIcons", QT_TRANSLATE_NOOP("ToolIcons", "Нов"), QColor(60, 60, 60)},
        {cmd::kAddSection, nullptr, "+", QColor(0, 130, 0)},
        {cmd::kFinishEditing, nullptr, "OK", QColor(0, 90, 160)},
        {cmd::kDeleteSection, nullptr, "−", QColor(170, 0, 0)},
    };
    return glyphs;
}

TextGlyph textGlyph(const LibraryGlyph& g)
{
    return {g.context ? translatedText(g.context, g.text) : QString::fromUtf8(g.text), g.color};
}

// How a command's picture is drawn; empty for a command without one.
std::function<QIcon()> drawingOf(int id)
{
    switch (id) {
    case cmd::kOpenReflectograms: return [] { return drawFolder(QColor(230, 190, 80)); };
    case cmd::kOpenGrids: return [] { return drawFolder(QColor(200, 120, 100)); };
    default: break;
    }
    for (const LibraryGlyph& g : glyphTable())
        if (g.id == id)
            return [glyph = textGlyph(g)] { return textIcon(glyph.text, glyph.color); };
    return {};
}

} // namespace

QIcon libraryIcon(int id)
{
    std::function<QIcon()> draw = drawingOf(id);
    return draw ? drawnLaterIcon(std::move(draw)) : QIcon();
}

QList<TextGlyph> libraryIconGlyphs()
{
    QList<TextGlyph> all;
    for (const LibraryGlyph& g : glyphTable())
        all.append(textGlyph(g));
    return all;
}
