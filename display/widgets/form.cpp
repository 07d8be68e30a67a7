#include "display/widgets/form.h"

#include "display/mouse_modes.h"
#include "display/overview_series.h"
#include "display/widgets/screen_wnd.h"
#include "document/varnel_doc.h"

#include <QKeyEvent>
#include <QWheelEvent>

namespace {

constexpr int kNotchDown = -CWheelNotches::kNotch;   // towards the user: the window moves to the start
constexpr int kNotchUp = CWheelNotches::kNotch;

} // namespace

CForm::CForm(CVarnelDoc& document, QWidget* parent) : QWidget(parent), doc(document)
{
    setObjectName(QStringLiteral("overview"));
    setAccessibleName(tr("Обзорный экран"));
    setFocusPolicy(Qt::StrongFocus);
    screen = new CScreenWnd(this, kScreenId);
    screen->setAccessibleName(accessibleName());
    overview_screen::configure(screen->state(), doc);
    connect(screen, &CScreenWnd::leftClicked, this, &CForm::onScreenClick);
    doc.addView(this);
    initialUpdate();
}

CForm::~CForm() { doc.removeView(this); }

void CForm::initialUpdate()
{
    overview_screen::initialFill(screen->state(), doc);
    initialized = true;
    drawScreen();
}

void CForm::onDocumentUpdate(CDocView*, UpdateHint)
{
    if (!initialized)
        return;
    overview_screen::rebuild(screen->state(), doc);
    drawScreen();
}

void CForm::drawScreen()
{
    if (!isVisible()) {
        drawPending = true;
        return;
    }
    drawPending = false;
    screen->state().captureMode = doc.capture;
    screen->draw();
}

void CForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (drawPending)
        drawScreen();
}

void CForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    screen->resizeScreen(0, 0, width(), height());
    screen->update();
}

void CForm::onScreenClick() { mouse_modes::overviewClick(doc, screen->state().getLeftClick().x); }

void CForm::wheelEvent(QWheelEvent* event)
{
    for (int step : notches.feed(event->angleDelta().y(), event->timestamp()))
        mouse_modes::overviewWheel(doc, step);
    event->accept();
}

void CForm::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
        mouse_modes::overviewWheel(doc, kNotchDown);
        break;
    case Qt::Key_Right:
        mouse_modes::overviewWheel(doc, kNotchUp);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void CForm::leaveEvent(QEvent* event)
{
    notches.reset();
    QWidget::leaveEvent(event);
}
