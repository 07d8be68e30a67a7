#include "display/widgets/static_splitter.h"

#include <QMouseEvent>
#include <QSplitterHandle>

namespace {

// A split bar that ignores the mouse: moves, presses, releases and double clicks do nothing.
class FixedHandle : public QSplitterHandle {
public:
    FixedHandle(Qt::Orientation orientation, QSplitter* parent) : QSplitterHandle(orientation, parent)
    {
        setCursor(Qt::ArrowCursor);
    }

protected:
    void mouseMoveEvent(QMouseEvent* event) override { event->accept(); }
    void mousePressEvent(QMouseEvent* event) override { event->accept(); }
    void mouseReleaseEvent(QMouseEvent* event) override { event->accept(); }
    void mouseDoubleClickEvent(QMouseEvent* event) override { event->accept(); }
};

} // namespace

CStaticSplitter::CStaticSplitter(Qt::Orientation orientation, QWidget* parent) : QSplitter(orientation, parent)
{
    setChildrenCollapsible(false);
}

QSplitterHandle* CStaticSplitter::createHandle() { return new FixedHandle(orientation(), this); }
