#include "files/widgets/library_icons.h"

#include "document/command_ids.h"
#include "resources/i18n/ui_translation.h"
#include "widgets/drawn_later_icon.h"
#include "widgets/text_icon.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPixmap>

#include <functional>

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

// How a command's picture is drawn; empty for a command without one.
std::function<QIcon()> drawingOf(int id)
{
    const auto text = [](QString t, QColor color) { return [t, color] { return textIcon(t, color); }; };
    switch (id) {
    case cmd::kOpenReflectograms: return [] { return drawFolder(QColor(230, 190, 80)); };
    case cmd::kOpenGrids: return [] { return drawFolder(QColor(200, 120, 100)); };
    case cmd::kMemoryP1: return text(translatedText("TraceNames", "П1"), QColor(200, 0, 0));
    case cmd::kMemoryP2: return text(translatedText("TraceNames", "П2"), QColor(255, 153, 0));
    case cmd::kMemoryP3: return text(translatedText("TraceNames", "П3"), QColor(200, 0, 200));
    case cmd::kPreview: return text(QStringLiteral("Px"), QColor(0, 150, 200));
    case cmd::kNewGrid: return text(QCoreApplication::translate("ToolIcons", "Нов"), QColor(60, 60, 60));
    case cmd::kAddSection: return text(QStringLiteral("+"), QColor(0, 130, 0));
    case cmd::kFinishEditing: return text(QStringLiteral("OK"), QColor(0, 90, 160));
    case cmd::kDeleteSection: return text(QStringLiteral("−"), QColor(170, 0, 0));
    default: return {};
    }
}

} // namespace

QIcon libraryIcon(int id)
{
    std::function<QIcon()> draw = drawingOf(id);
    return draw ? drawnLaterIcon(std::move(draw)) : QIcon();
}
