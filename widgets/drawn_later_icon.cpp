#include "widgets/drawn_later_icon.h"

#include <QIconEngine>
#include <QPainter>

namespace {

class CDrawnLaterEngine : public QIconEngine {
public:
    explicit CDrawnLaterEngine(std::function<QIcon()> draw) : draw(std::move(draw)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    bool isNull() override { return false; }
    QString key() const override { return QStringLiteral("varnel-drawn-later"); }
    QIconEngine* clone() const override { return new CDrawnLaterEngine(draw); }

private:
    const QIcon& icon()
    {
        if (!drawn) {
            picture = draw();
            drawn = true;
        }
        return picture;
    }

    std::function<QIcon()> draw;
    QIcon picture;
    bool drawn = false;
};

} // namespace

QIcon drawnLaterIcon(std::function<QIcon()> draw) { return QIcon(new CDrawnLaterEngine(std::move(draw))); }
