#include "app/frame_panes.h"

#include "display/widgets/static_splitter.h"

#include <QCoreApplication>
#include <QEvent>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>

namespace {

int index(Pane pane) { return static_cast<int>(pane); }

// The accessible names of the panes, as screen readers and test tools find them.
const char* const kPaneNames[] = {QT_TRANSLATE_NOOP("CFramePanes", "Курсоры"),
                                  QT_TRANSLATE_NOOP("CFramePanes", "Библиотека рефлектограмм"),
                                  QT_TRANSLATE_NOOP("CFramePanes", "Параметры каналов"),
                                  QT_TRANSLATE_NOOP("CFramePanes", "Таблица КУ"),
                                  QT_TRANSLATE_NOOP("CFramePanes", "Обзорный экран"),
                                  QT_TRANSLATE_NOOP("CFramePanes", "Измерение")};

} // namespace

CFramePanes::CFramePanes(QWidget* parent)
    : QObject(parent),
      mainSplitter(new CStaticSplitter(Qt::Vertical, parent)),
      middleSplitter(new CStaticSplitter(Qt::Horizontal)),
      rightSplitter(new CStaticSplitter(Qt::Vertical)),
      leftSplitter(new CStaticSplitter(Qt::Vertical))
{
    mainSplitter->setAccessibleName(tr("Рабочая область"));
    middleSplitter->setAccessibleName(tr("Экраны и настройки каналов"));
    rightSplitter->setAccessibleName(tr("Настройки каналов"));
    leftSplitter->setAccessibleName(tr("Экраны"));
    for (CStaticSplitter* s : {mainSplitter, middleSplitter, rightSplitter, leftSplitter}) {
        s->setHandleWidth(0);
        s->setChildrenCollapsible(true);
    }
    auto holder = [this](Pane pane, CStaticSplitter* splitter) {
        auto* h = new QWidget;
        h->setObjectName(QStringLiteral("pane%1").arg(index(pane)));
        h->setAccessibleName(QCoreApplication::translate("CFramePanes", kPaneNames[index(pane)]));
        // The splitter gives the size; a panel larger than its pane is clipped, not the window enlarged.
        h->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
        auto* layout = new QVBoxLayout(h);
        layout->setSizeConstraint(QLayout::SetNoConstraint);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        h->hide();
        holders[index(pane)] = h;
        splitter->addWidget(h);
    };
    holder(Pane::CursorRow, mainSplitter);
    mainSplitter->addWidget(middleSplitter);
    holder(Pane::Library, mainSplitter);
    middleSplitter->addWidget(leftSplitter);
    middleSplitter->addWidget(rightSplitter);
    holder(Pane::ChannelParams, rightSplitter);
    holder(Pane::KuTable, rightSplitter);
    holder(Pane::Overview, leftSplitter);
    holder(Pane::MeasurementForm, leftSplitter);
    for (CStaticSplitter* s : {middleSplitter, rightSplitter, leftSplitter})
        s->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);

    rightSplitter->hide();
    wanted.fill(true);
    wanted[index(Pane::Overview)] = false;
    for (CStaticSplitter* s : {mainSplitter, middleSplitter, rightSplitter, leftSplitter})
        s->installEventFilter(this);
    holders[index(Pane::MeasurementForm)]->installEventFilter(this);
}

QWidget* CFramePanes::root() const { return mainSplitter; }

QWidget* CFramePanes::panel(Pane pane) const { return panels[index(pane)]; }

QWidget* CFramePanes::area(Pane pane) const { return holders[index(pane)]; }

void CFramePanes::setPanel(Pane pane, QWidget* panel)
{
    QWidget* h = holders[index(pane)];
    panels[index(pane)] = panel;
    h->layout()->addWidget(panel);
    showPane(pane, wanted[index(pane)]);
    layOutAll();
}

void CFramePanes::showPane(Pane pane, bool shown)
{
    wanted[index(pane)] = shown;
    holders[index(pane)]->setVisible(shown && panels[index(pane)] != nullptr);
    const bool column = holders[index(Pane::ChannelParams)]->isVisibleTo(rightSplitter) ||
                        holders[index(Pane::KuTable)]->isVisibleTo(rightSplitter);
    rightSplitter->setVisible(column);
}

void CFramePanes::showAreas(bool overview, bool rightColumn, bool library)
{
    showPane(Pane::Overview, overview);
    showPane(Pane::ChannelParams, rightColumn);
    showPane(Pane::KuTable, rightColumn);
    showPane(Pane::Library, library);
    layOutAll();
}

void CFramePanes::layOutAll()
{
    for (CStaticSplitter* s : {mainSplitter, middleSplitter, rightSplitter, leftSplitter})
        layOut(s);
}

void CFramePanes::setLibraryPreview(bool on)
{
    preview = on;
    layOut(mainSplitter);
}

bool CFramePanes::overviewShown() const { return wanted[index(Pane::Overview)]; }

bool CFramePanes::rightColumnShown() const { return wanted[index(Pane::ChannelParams)]; }

bool CFramePanes::libraryShown() const { return wanted[index(Pane::Library)]; }

bool CFramePanes::eventFilter(QObject* watched, QEvent* event)
{
    // The splitter already has its new size here; its own resize handling then keeps the sizes given.
    if (event->type() == QEvent::Resize && watched != holders[index(Pane::MeasurementForm)])
        layOut(static_cast<CStaticSplitter*>(watched));
    // The measurement form asks for another minimum (its table grew or shrank).
    if (event->type() == QEvent::LayoutRequest && watched == holders[index(Pane::MeasurementForm)])
        layOut(mainSplitter);
    return QObject::eventFilter(watched, event);
}

int CFramePanes::visibleHeight(Pane pane, int wanted, int room) const
{
    return holders[index(pane)]->isVisibleTo(holders[index(pane)]->parentWidget()) ? std::clamp(wanted, 0, room) : 0;
}

void CFramePanes::layOut(CStaticSplitter* splitter)
{
    if (splitter == mainSplitter) {
        const int total = mainSplitter->height();
        const int cursorRow = visibleHeight(Pane::CursorRow, kCursorRowHeight, total);
        const int overview = visibleHeight(Pane::Overview, kOverviewHeight, kOverviewHeight);
        // The library row gives way to the measurement form's minimum: with the preview on, the
        // preview's share goes first, then the list's.
        const QWidget* form = panels[index(Pane::MeasurementForm)];
        const int measurement = std::max(kMinMeasurementHeight, form ? form->minimumSizeHint().height() : 0);
        const int room = std::max(0, total - cursorRow - overview - measurement);
        const int library = visibleHeight(Pane::Library, preview ? 2 * kLibraryHeight : kLibraryHeight, room);
        mainSplitter->setSizes({cursorRow, total - cursorRow - library, library});
    } else if (splitter == middleSplitter) {
        const int total = middleSplitter->width();
        const int right = rightSplitter->isVisibleTo(middleSplitter) ? std::min(kRightColumnWidth, total) : 0;
        middleSplitter->setSizes({total - right, right});
    } else if (splitter == rightSplitter) {
        const int total = rightSplitter->height();
        const int params = visibleHeight(Pane::ChannelParams, kRightPanelHeight, total);
        rightSplitter->setSizes({params, total - params});
    } else if (splitter == leftSplitter) {
        const int total = leftSplitter->height();
        const int overview = visibleHeight(Pane::Overview, kOverviewHeight, total);
        leftSplitter->setSizes({overview, total - overview});
    }
}
