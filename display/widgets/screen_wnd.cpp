#include "display/widgets/screen_wnd.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

CScreenWnd::CScreenWnd(QWidget* parent, int controlId) : QWidget(parent), id(controlId)
{
    // Every paint copies the whole composed picture: no background erase, so nothing flickers.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    setCursor(Qt::ArrowCursor);
    frameTimer.setSingleShot(true);
    connect(&frameTimer, &QTimer::timeout, this, &CScreenWnd::paintDirty);
    syncChartRect();
}

void CScreenWnd::create(const QRect& rect, QWidget* parent, int controlId)
{
    id = controlId;
    if (parent != parentWidget())
        setParent(parent);
    resizeScreen(rect);
    show();
}

void CScreenWnd::resizeScreen(const QRect& rect)
{
    setGeometry(rect);
    syncChartRect();
}

// A hidden widget gets its resize event only when shown; the buffers follow the geometry at once.
void CScreenWnd::syncChartRect()
{
    const QRect g = geometry();
    content.chartRect = {g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
    if (composer.size() != g.size()) {
        composer.resize(g.size());
        stale = true;
    }
}

void CScreenWnd::draw()
{
    compose();
    requestPaint();
}

// The window is repainted at most once a display frame, however many drawings arrive: a drawing
// within a frame of the last paint is shown by one paint at the frame's end. The timer runs only then.
void CScreenWnd::requestPaint()
{
    if (frameTimer.isActive())
        return;
    const qint64 since = lastPaint.isValid() ? lastPaint.elapsed() : kFrameMs;
    if (since >= kFrameMs)
        paintDirty();
    else
        frameTimer.start(static_cast<int>(kFrameMs - since));
}

// Only what the drawings changed is copied to the window.
void CScreenWnd::paintDirty()
{
    if (!dirty.isEmpty())
        update(dirty);
    dirty = QRect();
}

void CScreenWnd::compose()
{
    syncChartRect();
    if (content.chartRect.empty())
        return;
    if (composer.draw(content)) {
        ++draws;
        stale = false;
        const PixelRect c = composer.changedRect();
        dirty |= QRect(c.left, c.top, c.width(), c.height());
    }
}

void CScreenWnd::print(QPainter& painter, int deviceWidthMm) const { composer.print(content, painter, deviceWidthMm); }

PixelRect CScreenWnd::plotRect() const { return composer.plotRect(content, content.chartRect, false); }

void CScreenWnd::paintEvent(QPaintEvent* event)
{
    if (stale)
        compose();
    lastPaint.start();
    QPainter p(this);
    const QRect r = event->rect();
    p.drawImage(r, composer.image(), r);
}

void CScreenWnd::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    syncChartRect();
}

void CScreenWnd::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    syncChartRect();
}

void CScreenWnd::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        content.buttonPressed(MouseButton::Left);
    else if (event->button() == Qt::RightButton)
        content.buttonPressed(MouseButton::Right);
    QWidget::mousePressEvent(event);
}

void CScreenWnd::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint local = event->position().toPoint();
    // The plot rectangle lies in the owner's coordinates; the point is converted to them.
    const QPoint owner = parentWidget() ? mapToParent(local) : local + geometry().topLeft();
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton) {
        const MouseButton button = event->button() == Qt::LeftButton ? MouseButton::Left : MouseButton::Right;
        if (content.buttonReleased(button, owner.x(), owner.y(), local.y(), plotRect())) {
            if (button == MouseButton::Left)
                emit leftClicked(id);
            else
                emit rightClicked(id);
        }
    }
    QWidget::mouseReleaseEvent(event);
}

void CScreenWnd::mouseMoveEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    QWidget::mouseMoveEvent(event);
}
