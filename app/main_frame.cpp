#include "app/main_frame.h"

#include "app/about_dlg.h"
#include "app/command_actions.h"
#include "app/tool_icons.h"
#include "document/command_ids.h"
#include "document/command_table.h"
#include "document/settings.h"
#include "document/varnel_doc.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

namespace {

constexpr int kSeparator = 0;
const char* const kCaption = "Рефлектометр импульсный VARNEL";

} // namespace

CMainFrame::CMainFrame(CVarnelDoc& document, CCommandTable& commands, CSettings& settings, QWidget* parent)
    : QMainWindow(parent), doc(document), table(commands), settings(settings)
{
    setWindowTitle(QString::fromUtf8(kCaption));
    setMinimumSize(640, 480);
    actions = new CCommandActions(table, this);
    twoScreen = settings.getInt("TWOSCREEN", 0) != 0;
    paneSet = new CFramePanes(this);
    setCentralWidget(paneSet->root());
    paneSet->showOverview(twoScreen);
    registerAreaCommands();
    doc.addView(this);
}

void CMainFrame::registerAreaCommands()
{
    table.add(cmd::kTwoScreen, [this] {
        twoScreen = !twoScreen;
        paneSet->showOverview(twoScreen);
    }, [this] { return CommandState{true, twoScreen}; });
    table.add(cmd::kChannelSettings, [this] { paneSet->showRightColumn(!paneSet->rightColumnShown()); },
              [this] { return CommandState{true, paneSet->rightColumnShown()}; });
    table.add(cmd::kMemory, [this] { paneSet->showLibrary(!paneSet->libraryShown()); },
              [this] { return CommandState{true, paneSet->libraryShown()}; });
}

CMainFrame::~CMainFrame()
{
    for (int id : {cmd::kTwoScreen, cmd::kChannelSettings, cmd::kMemory})
        table.add(id, {}, [] { return CommandState{false, false}; });
    doc.removeView(this);
    settings.setInt("TWOSCREEN", twoScreen ? 1 : 0);
}

void CMainFrame::onDocumentUpdate(CDocView*, UpdateHint) { actions->refresh(); }

QToolBar* CMainFrame::toolBar(int resourceId) const
{
    auto it = bars.find(resourceId);
    return it == bars.end() ? nullptr : it->second;
}

QToolBar* CMainFrame::addCommandBar(int resourceId, const QString& title, std::initializer_list<int> ids,
                                    Qt::ToolBarArea area)
{
    auto* bar = new QToolBar(title, this);
    bar->setObjectName(QStringLiteral("toolbar%1").arg(resourceId));
    bar->setToolButtonStyle(area == Qt::BottomToolBarArea ? Qt::ToolButtonTextOnly : Qt::ToolButtonIconOnly);
    bar->setIconSize(QSize(24, 24));
    bool pendingSeparator = false;
    for (int id : ids) {
        if (id == kSeparator) {
            pendingSeparator = !bar->actions().isEmpty();
            continue;
        }
        if (!table.contains(id))
            continue;   // a command no panel offers (yet) gets no button
        if (pendingSeparator)
            bar->addSeparator();
        pendingSeparator = false;
        QAction* a = actions->action(id);
        if (a->icon().isNull())
            a->setIcon(toolIcon(id));
        bar->addAction(a);
    }
    addToolBar(area, bar);
    bars[resourceId] = bar;
    return bar;
}

void CMainFrame::createBars()
{
    createMenus();

    addCommandBar(180, QStringLiteral("Каналы"), {cmd::kLine1, cmd::kSaveLine1, kSeparator, cmd::kLine2, cmd::kSaveLine2},
                  Qt::TopToolBarArea);
    addCommandBar(142, QStringLiteral("Режимы"), {cmd::kSplitPairs, cmd::kCapture, cmd::kDifference}, Qt::TopToolBarArea);
    addCommandBar(144, QStringLiteral("Прибор"), {cmd::kStart, cmd::kStop}, Qt::TopToolBarArea);
    addCommandBar(169, QStringLiteral("Курсоры"), {cmd::kFirstCursor, cmd::kSecondCursor}, Qt::TopToolBarArea);
    addCommandBar(182, QStringLiteral("Представление"), {cmd::kSpeedMode, cmd::kReturnLoss}, Qt::TopToolBarArea);
    addCommandBar(173, QStringLiteral("Вид"),
                  {cmd::kApproximation, cmd::kTwoScreen, cmd::kChannelSettings, cmd::kMemory, cmd::kChannelParams,
                   kSeparator, cmd::kPrint, kSeparator, cmd::kUseGrid},
                  Qt::TopToolBarArea);

    // The pulse bar is added first: the bottom area stacks its lines upwards, and the range bar belongs
    // above the pulse bar.
    auto* pulses = addCommandBar(150, QStringLiteral("Импульс"), {}, Qt::BottomToolBarArea);
    for (int id : cmd::kPulseIds)
        pulses->addAction(actions->action(id));
    addToolBarBreak(Qt::BottomToolBarArea);
    auto* ranges = addCommandBar(148, QStringLiteral("Диапазон"), {}, Qt::BottomToolBarArea);
    for (int id = cmd::kRangeFirst; id <= cmd::kRangeLast; ++id)
        ranges->addAction(actions->action(id));

    createStatusBar();
    actions->refresh();
}

void CMainFrame::createMenus()
{
    auto addItems = [this](QMenu* menu, std::initializer_list<int> ids) {
        bool pendingSeparator = false;
        for (int id : ids) {
            if (id == kSeparator) {
                pendingSeparator = !menu->actions().isEmpty();
            } else if (table.contains(id)) {
                if (pendingSeparator)
                    menu->addSeparator();
                pendingSeparator = false;
                menu->addAction(actions->action(id));
            }
        }
        connect(menu, &QMenu::aboutToShow, actions, &CCommandActions::refresh);
    };

    QMenu* measure = menuBar()->addMenu(QStringLiteral("&Измерение"));
    addItems(measure, {cmd::kStart, cmd::kStop, kSeparator, cmd::kLine1, cmd::kLine2, kSeparator, cmd::kSaveLine1,
                       cmd::kSaveLine2, kSeparator, cmd::kPrint});
    measure->addSeparator();
    measure->addAction(QStringLiteral("Выход"), this, &QWidget::close);

    QMenu* range = menuBar()->addMenu(QStringLiteral("&Диапазон"));
    for (int id = cmd::kRangeFirst; id <= cmd::kRangeLast; ++id)
        range->addAction(actions->action(id));
    connect(range, &QMenu::aboutToShow, actions, &CCommandActions::refresh);

    QMenu* pulse = menuBar()->addMenu(QStringLiteral("И&мпульс"));
    for (int id : cmd::kPulseIds)
        pulse->addAction(actions->action(id));
    connect(pulse, &QMenu::aboutToShow, actions, &CCommandActions::refresh);

    QMenu* mouse = menuBar()->addMenu(QStringLiteral("&Мышь"));
    addItems(mouse, {cmd::kMouseMagnifier, cmd::kMouseMagnifier + 1, cmd::kMouseMagnifier + 2, kSeparator,
                     cmd::kMouseMagnifier + 3, cmd::kMouseMagnifier + 4, cmd::kMouseMagnifier + 5,
                     cmd::kMouseMagnifier + 6, cmd::kMouseMagnifier + 7, kSeparator, cmd::kFirstCursor,
                     cmd::kSecondCursor});

    QMenu* modes = menuBar()->addMenu(QStringLiteral("&Режимы"));
    addItems(modes, {cmd::kSplitPairs, cmd::kCapture, cmd::kDifference, kSeparator, cmd::kApproximation,
                     cmd::kSpeedMode, cmd::kReturnLoss, kSeparator, cmd::kUseGrid});

    QMenu* view = menuBar()->addMenu(QStringLiteral("&Вид"));
    addItems(view, {cmd::kTwoScreen, cmd::kChannelSettings, cmd::kMemory, cmd::kChannelParams});
    if (view->actions().isEmpty())
        menuBar()->removeAction(view->menuAction());

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Справка"));
    help->addAction(QStringLiteral("О программе..."), this, &CMainFrame::showAbout);
}

void CMainFrame::createStatusBar()
{
    // The message pane, then the caps-lock, num-lock and scroll-lock indicators.
    for (const char* indicator : {"CAP", "NUM", "SCRL"}) {
        auto* label = new QLabel(QString::fromLatin1(indicator), this);
        label->setEnabled(false);
        statusBar()->addPermanentWidget(label);
    }
    statusBar()->showMessage(QStringLiteral("Готово"));
}

void CMainFrame::showAbout()
{
    CAboutDlg dialog(this);
    dialog.exec();
}
