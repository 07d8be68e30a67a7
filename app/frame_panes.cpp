#include "app/frame_panes.h"

#include "display/widgets/static_splitter.h"

#include <QVBoxLayout>
#include <QWidget>

namespace {

int index(Pane pane) { return static_cast<int>(pane); }

} // namespace

CFramePanes::CFramePanes(QWidget* parent)
    : QObject(parent),
      mainSplitter(new CStaticSplitter(Qt::Vertical, parent)),
      middleSplitter(new CStaticSplitter(Qt::Horizontal)),
      rightSplitter(new CStaticSplitter(Qt::Vertical)),
      leftSplitter(new CStaticSplitter(Qt::Vertical))
{
    for (CStaticSplitter* s : {mainSplitter, middleSplitter, rightSplitter, leftSplitter}) {
        s->setHandleWidth(0);
        s->setChildrenCollapsible(true);
    }
    auto holder = [this](Pane pane, CStaticSplitter* splitter) {
        auto* h = new QWidget;
        h->setObjectName(QStringLiteral("pane%1").arg(index(pane)));
        auto* layout = new QVBoxLayout(h);
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

    holders[index(Pane::CursorRow)]->setFixedHeight(kCursorRowHeight);
    // A splitter works its own size limits out from its panes whenever it is shown, so the column's
    // width is fixed on its panes. The KU table takes the column's height below the parameters, at
    // least its own 195 pixels, so the column never limits the height of the measurement form.
    holders[index(Pane::ChannelParams)]->setFixedSize(kRightColumnWidth, kRightPanelHeight);
    holders[index(Pane::KuTable)]->setFixedWidth(kRightColumnWidth);
    holders[index(Pane::KuTable)]->setMinimumHeight(kRightPanelHeight);
    holders[index(Pane::Overview)]->setFixedHeight(kOverviewHeight);
    holders[index(Pane::Library)]->setFixedHeight(kLibraryHeight);
    rightSplitter->hide();
    wanted.fill(true);
    wanted[index(Pane::Overview)] = false;
}

QWidget* CFramePanes::root() const { return mainSplitter; }

QWidget* CFramePanes::panel(Pane pane) const { return panels[index(pane)]; }

void CFramePanes::setPanel(Pane pane, QWidget* panel)
{
    QWidget* h = holders[index(pane)];
    panels[index(pane)] = panel;
    h->layout()->addWidget(panel);
    showPane(pane, wanted[index(pane)]);
}

void CFramePanes::showPane(Pane pane, bool shown)
{
    wanted[index(pane)] = shown;
    holders[index(pane)]->setVisible(shown && panels[index(pane)] != nullptr);
    const bool column = holders[index(Pane::ChannelParams)]->isVisibleTo(rightSplitter) ||
                        holders[index(Pane::KuTable)]->isVisibleTo(rightSplitter);
    rightSplitter->setVisible(column);
}

void CFramePanes::showOverview(bool shown) { showPane(Pane::Overview, shown); }

void CFramePanes::showRightColumn(bool shown)
{
    showPane(Pane::ChannelParams, shown);
    showPane(Pane::KuTable, shown);
}

void CFramePanes::showLibrary(bool shown, bool withPreview)
{
    holders[index(Pane::Library)]->setFixedHeight(withPreview ? 2 * kLibraryHeight : kLibraryHeight);
    showPane(Pane::Library, shown);
}

bool CFramePanes::overviewShown() const { return wanted[index(Pane::Overview)]; }

bool CFramePanes::rightColumnShown() const { return wanted[index(Pane::ChannelParams)]; }

bool CFramePanes::libraryShown() const { return wanted[index(Pane::Library)]; }
