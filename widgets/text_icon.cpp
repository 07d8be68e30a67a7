#include "widgets/text_icon.h"

#include "widgets/text_icon_store.h"

#include <QFont>
#include <QPainter>
#include <QPixmap>

QImage drawTextIconPicture(const QString& text, const QColor& color)
{
    QImage picture(32, 32, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
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
    p.drawText(picture.rect(), Qt::AlignCenter, text);
    return picture;
}

QByteArray textIconKey(const QString& text, const QColor& color)
{
    return QByteArray::number(color.rgba(), 16) + ' ' + text.toUtf8();
}

QIcon textIcon(const QString& text, const QColor& color)
{
    // Drawing text loads the fonts and shapes it: a few milliseconds for a start-up's toolbars.
    const QImage stored = storedTextIconPicture(textIconKey(text, color));
    return QIcon(QPixmap::fromImage(stored.isNull() ? drawTextIconPicture(text, color) : stored));
}
