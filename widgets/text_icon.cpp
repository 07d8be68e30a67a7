#include "widgets/text_icon.h"

#include <QFont>
#include <QPainter>
#include <QPixmap>

QIcon textIcon(const QString& text, const QColor& color)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setPixelSize(text.size() > 2 ? 11 : 15);
    p.setFont(font);
    p.setPen(QPen(color.darker(130), 1.5));
    p.setBrush(color.lighter(185));
    p.drawRoundedRect(QRectF(1.5, 1.5, 29, 29), 5, 5);
    p.setPen(color.darker(160));
    p.drawText(pixmap.rect(), Qt::AlignCenter, text);
    return QIcon(pixmap);
}
