#include "app/tool_icons.h"

#include "document/command_ids.h"
#include "widgets/drawn_later_icon.h"
#include "widgets/text_icon.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPixmap>

#include <span>

namespace {

struct Glyph {
    int id;
    const char* text;
    QColor color;
};

QIcon drawStart()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 110, 0), 1.5));
    p.setBrush(QColor(40, 190, 40));
    p.drawPolygon(QPolygonF({QPointF(8, 5), QPointF(27, 16), QPointF(8, 27)}));
    return QIcon(pixmap);
}

QIcon drawStop()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(130, 0, 0), 1.5));
    p.setBrush(QColor(210, 40, 40));
    p.drawRoundedRect(QRectF(7, 7, 18, 18), 2, 2);
    return QIcon(pixmap);
}

// The KU table's four commands: a folder, a check mark, a plus and a cross.
QIcon drawTableCommand(int id)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    switch (id) {
    case cmd::kOpenKuTable:
        p.setPen(QPen(QColor(140, 100, 0), 1.5));
        p.setBrush(QColor(240, 200, 80));
        p.drawPolygon(QPolygonF({QPointF(3, 8), QPointF(12, 8), QPointF(15, 11), QPointF(29, 11), QPointF(29, 26),
                                 QPointF(3, 26)}));
        break;
    case cmd::kUseKu:
        p.setPen(QPen(QColor(0, 140, 0), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(5, 17), QPointF(13, 25), QPointF(27, 7)}));
        break;
    case cmd::kAddKu:
        p.setPen(QPen(QColor(0, 90, 170), 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(16, 5), QPointF(16, 27));
        p.drawLine(QPointF(5, 16), QPointF(27, 16));
        break;
    default:
        p.setPen(QPen(QColor(190, 30, 30), 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(7, 7), QPointF(25, 25));
        p.drawLine(QPointF(25, 7), QPointF(7, 25));
        break;
    }
    return QIcon(pixmap);
}

QPixmap drawProgramIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size / 64.0;
    p.scale(s, s);
    p.setPen(QPen(QColor(90, 90, 90), 2));
    p.setBrush(Qt::black);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 8, 8);
    p.setPen(QPen(QColor(70, 70, 70), 1));
    for (int x = 14; x < 62; x += 12)
        p.drawLine(QPointF(x, 4), QPointF(x, 60));
    for (int y = 14; y < 62; y += 12)
        p.drawLine(QPointF(4, y), QPointF(60, y));
    // The probe pulse, a joint and the line's open end, in the colour of line 1.
    p.setPen(QPen(QColor(0, 200, 255), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(6, 40), QPointF(10, 12), QPointF(15, 38), QPointF(26, 38), QPointF(29, 32),
                              QPointF(32, 42), QPointF(35, 38), QPointF(46, 38), QPointF(50, 20), QPointF(55, 38),
                              QPointF(58, 38)}));
    return pixmap;
}

} // namespace

QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128})
        icon.addPixmap(drawProgramIcon(size));
    return icon;
}

namespace {

std::span<const Glyph> glyphTable()
{
    static const Glyph glyphs[] = {
        {cmd::kLine1, QT_TRANSLATE_NOOP("ToolIcons", "Л1"), QColor(0, 160, 215)},
        {cmd::kLine2, QT_TRANSLATE_NOOP("ToolIcons", "Л2"), QColor(0, 160, 0)},
        {cmd::kSaveLine1, "S1", QColor(0, 120, 180)},
        {cmd::kSaveLine2, "S2", QColor(0, 120, 0)},
        {cmd::kSplitPairs, QT_TRANSLATE_NOOP("ToolIcons", "БП"), QColor(150, 90, 0)},
        {cmd::kCapture, QT_TRANSLATE_NOOP("ToolIcons", "ЗХ"), QColor(150, 0, 150)},
        {cmd::kDifference, "Δ", QColor(90, 90, 160)},
        {cmd::kFirstCursor, QT_TRANSLATE_NOOP("ToolIcons", "К1"), QColor(110, 110, 200)},
        {cmd::kSecondCursor, QT_TRANSLATE_NOOP("ToolIcons", "К2"), QColor(160, 160, 0)},
        {cmd::kSpeedMode, "V/2", QColor(0, 120, 120)},
        {cmd::kReturnLoss, QT_TRANSLATE_NOOP("ToolIcons", "ОП"), QColor(160, 60, 60)},
        {cmd::kApproximation, "╱╲", QColor(60, 60, 60)},
        {cmd::kTwoScreen, QT_TRANSLATE_NOOP("ToolIcons", "2Э"), QColor(60, 60, 60)},
        {cmd::kChannelSettings, QT_TRANSLATE_NOOP("ToolIcons", "НК"), QColor(60, 60, 60)},
        {cmd::kMemory, QT_TRANSLATE_NOOP("ToolIcons", "ПМ"), QColor(60, 60, 60)},
        {cmd::kChannelParams, QT_TRANSLATE_NOOP("ToolIcons", "ПК"), QColor(60, 60, 60)},
        {cmd::kPrint, QT_TRANSLATE_NOOP("ToolIcons", "ПЧ"), QColor(60, 60, 60)},
        {cmd::kPrintPreview, QT_TRANSLATE_NOOP("ToolIcons", "ПП"), QColor(60, 60, 60)},
        {cmd::kUseGrid, QT_TRANSLATE_NOOP("ToolIcons", "СМ"), QColor(180, 0, 0)},
        {cmd::kFindEvents, QT_TRANSLATE_NOOP("ToolIcons", "СБ"), QColor(0, 110, 60)},
        {cmd::kCalibrateKu, QT_TRANSLATE_NOOP("ToolIcons", "КУ"), QColor(0, 110, 60)},
        {cmd::kWatch, QT_TRANSLATE_NOOP("ToolIcons", "НБ"), QColor(0, 110, 60)},
    };
    return glyphs;
}

const Glyph* glyphOf(int id)
{
    for (const Glyph& g : glyphTable())
        if (g.id == id)
            return &g;
    return nullptr;
}

QString glyphText(const Glyph& g) { return QCoreApplication::translate("ToolIcons", g.text); }

bool drawnCommand(int id) { return id == cmd::kStart || id == cmd::kStop || (id >= cmd::kOpenKuTable && id <= cmd::kDeleteKu); }

QIcon drawToolIcon(int id)
{
    if (id == cmd::kStart)
        return drawStart();
    if (id == cmd::kStop)
        return drawStop();
    if (id >= cmd::kOpenKuTable && id <= cmd::kDeleteKu)
        return drawTableCommand(id);
    const Glyph* g = glyphOf(id);
    return g ? textIcon(glyphText(*g), g->color) : QIcon();
}

} // namespace

QList<TextGlyph> toolIconGlyphs()
{
    QList<TextGlyph> all;
    for (const Glyph& g : glyphTable())
        all.append({glyphText(g), g.color});
    return all;
}

QIcon toolIcon(int id)
{
    // Commands shown as text have no icon, known without drawing anything.
    if (!drawnCommand(id) && !glyphOf(id))
        return {};
    return drawnLaterIcon([id] { return drawToolIcon(id); });
}
