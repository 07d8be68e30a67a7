#include "files/widgets/library_icons.h"

#include "document/command_ids.h"
#include "resources/i18n/ui_translation.h"
#include "widgets/text_icon.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPixmap>

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

} // namespace

QIcon libraryIcon(int id)
{
    switch (id) {
    case cmd::kOpenReflectograms: return drawFolder(QColor(230, 190, 80));
    case cmd::kOpenGrids: return drawFolder(QColor(200, 120, 100));
    case cmd::kMemoryP1: return textIcon(translatedText("TraceNames", "П1"), QColor(200, 0, 0));
    case cmd::kMemoryP2: return textIcon(translatedText("TraceNames", "П2"), QColor(255, 153, 0));
    case cmd::kMemoryP3: return textIcon(translatedText("TraceNames", "П3"), QColor(200, 0, 200));
    case cmd::kPreview: return textIcon(QStringLiteral("Px"), QColor(0, 150, 200));
    case cmd::kNewGrid: return textIcon(QCoreApplication::translate("ToolIcons", "Нов"), QColor(60, 60, 60));
    case cmd::kAddSection: return textIcon(QStringLiteral("+"), QColor(0, 130, 0));
    case cmd::kFinishEditing: return textIcon(QStringLiteral("OK"), QColor(0, 90, 160));
    case cmd::kDeleteSection: return textIcon(QStringLiteral("−"), QColor(170, 0, 0));
    default: return {};
    }
}
