#include "app/main_frame.h"

#include "app/about_dlg.h"
#include "app/command_actions.h"
#include "app/lock_indicators.h"
#include "app/tool_icons.h"
#include "app/ui_language_choice.h"
#include "document/command_ids.h"
#include "document/command_table.h"
#include "document/settings.h"
#include "document/varnel_doc.h"
#include "resources/contact_lines.h"
#include "resources/i18n/ui_translation.h"
#include "widgets/tool_tip_text.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMenuBar>
#include <QMessageBox>
#include <QResizeEvent>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

namespace {

constexpr int kSeparator = 0;
QString caption() { return CMainFrame::tr("Рефлектометр импульсный VARNEL"); }
QString ready() { return CMainFrame::tr("Готово"); }
constexpr int kRangeBar = 148;
constexpr int kPulseBar = 150;

QSize screenSize()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize(CFrameLayout::kSmallScreenWidth, CFrameLayout::kSmallScreenHeight);
}

QString text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

} // namespace

CMainFrame::CMainFrame(CVarnelDoc& document, CCommandTable& commands, CSettings& settings, QWidget* parent)
    : QMainWindow(parent), doc(document), table(commands), settings(settings),
      areas(screenSize().width(), screenSize().height(), settings.getInt("TWOSCREEN", 0) != 0)
{
    setWindowTitle(caption());
    setMinimumSize(kMinWidth, kMinHeight);
    actions = new CCommandActions(table, this);
    paneSet = new CFramePanes(this);
    setCentralWidget(paneSet->root());
    registerFrameCommands();
    applyAreas();
    areas.layoutReady = true;
    doc.addView(this);
}

CMainFrame::~CMainFrame()
{
    registrations.clear();
    doc.removeView(this);
    settings.setInt("TWOSCREEN", areas.twoScreen ? 1 : 0);
}

void CMainFrame::registerFrameCommands()
{
    auto area = [this](int id, FrameArea which, void (CFrameLayout::*toggle)()) {
        registrations.push_back(table.addScoped(id, [this, toggle] {
            (areas.*toggle)();
            applyAreas();
        }, [this, which] { return CommandState{true, areas.checked(which)}; }));
    };
    area(cmd::kTwoScreen, FrameArea::Overview, &CFrameLayout::toggleTwoScreen);
    area(cmd::kChannelSettings, FrameArea::RightColumn, &CFrameLayout::toggleChannelSettings);
    area(cmd::kMemory, FrameArea::Library, &CFrameLayout::toggleMemory);

    const auto always = [] { return CommandState{true, false}; };
    registrations.push_back(table.addScoped(cmd::kHelp, [this] { openHelp(); }, always, false));
    registrations.push_back(table.addScoped(cmd::kWebSite, [this] { openLink(text(kWebAddress)); }, always, false));
    registrations.push_back(table.addScoped(cmd::kWriteUs, [this] { openLink(QStringLiteral("mailto:") + text(kMailAddress)); }, always, false));
    registrations.push_back(table.addScoped(cmd::kAbout, [this] { showAbout(); }, always, false));
    registrations.push_back(table.addScoped(cmd::kLanguage, [this] { chooseLanguage(); }, always, false));
}

void CMainFrame::applyAreas()
{
    paneSet->showAreas(areas.twoScreen, areas.rightColumnShown, areas.libraryShown);
}

void CMainFrame::setLibraryPreview(bool on) { paneSet->setLibraryPreview(on); }

void CMainFrame::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (isMinimized())
        return;
    const int menu = menuWidget() ? menuWidget()->sizeHint().height() : 0;
    applyClientSize(event->size().width(), event->size().height() - menu);
}

void CMainFrame::applyClientSize(int cx, int cy)
{
    if (!areas.layoutReady)
        return;
    const bool wasCompact = areas.compact;
    const FrameArea wasArea = areas.compactArea;
    areas.resize(cx, cy);
    QToolBar* ranges = toolBar(kRangeBar);
    QToolBar* pulses = toolBar(kPulseBar);
    if (ranges && pulses)
        dockBottomBars(::bottomBarsSideBySide(cy, ranges->sizeHint().height(), pulses->sizeHint().height()));
    applyAreas();
    if (areas.compact != wasCompact || areas.compactArea != wasArea)
        table.stateChanged();
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
    bar->setAccessibleName(title);
    // The button that opens the buttons a narrow window cannot show is named like the panels' ones.
    if (auto* more = bar->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button")))
        setToolTipText(*more, tr("Остальные кнопки"));
    bar->setAllowedAreas(area);
    bar->setToolButtonStyle(area == Qt::BottomToolBarArea ? Qt::ToolButtonTextOnly : Qt::ToolButtonIconOnly);
    bar->setIconSize(QSize(24, 24));
    bool pendingSeparator = false;
    for (int id : ids) {
        if (id == kSeparator) {
            pendingSeparator = !bar->actions().isEmpty();
            continue;
        }
        if (pendingSeparator)
            bar->addSeparator();
        pendingSeparator = false;
        // A command whose panel registers it later gets its button now, disabled until then.
        QAction* a = actions->action(id);
        if (a->icon().isNull())
            a->setIcon(toolIcon(id));
        bar->addAction(a);
    }
    bars[resourceId] = bar;
    return bar;
}

void CMainFrame::createBars()
{
    createMenus();

    // Along the top, each to the right of the one before.
    for (QToolBar* bar :
         {addCommandBar(180, tr("Каналы"),
                        {cmd::kLine1, cmd::kSaveLine1, kSeparator, cmd::kLine2, cmd::kSaveLine2}, Qt::TopToolBarArea),
          addCommandBar(142, tr("Режимы"), {cmd::kSplitPairs, cmd::kCapture, cmd::kDifference},
                        Qt::TopToolBarArea),
          addCommandBar(144, tr("Прибор"), {cmd::kStart, cmd::kStop}, Qt::TopToolBarArea),
          addCommandBar(169, tr("Курсоры"), {cmd::kFirstCursor, cmd::kSecondCursor}, Qt::TopToolBarArea),
          addCommandBar(182, tr("Представление"), {cmd::kSpeedMode, cmd::kReturnLoss},
                        Qt::TopToolBarArea),
          addCommandBar(173, tr("Вид"),
                        {cmd::kApproximation, cmd::kTwoScreen, cmd::kChannelSettings, cmd::kMemory,
                         cmd::kChannelParams, kSeparator, cmd::kPrint, kSeparator, cmd::kUseGrid, kSeparator,
                         cmd::kFindEvents, cmd::kCalibrateKu, cmd::kWatch},
                        Qt::TopToolBarArea)})
        addToolBar(Qt::TopToolBarArea, bar);

    QToolBar* ranges = addCommandBar(kRangeBar, tr("Диапазон"), {}, Qt::BottomToolBarArea);
    for (int id = cmd::kRangeFirst; id <= cmd::kRangeLast; ++id)
        ranges->addAction(actions->action(id));
    QToolBar* pulses = addCommandBar(kPulseBar, tr("Импульс"), {}, Qt::BottomToolBarArea);
    for (int id : cmd::kPulseIds)
        pulses->addAction(actions->action(id));
    placeBottomBars(false);

    createStatusBar();
    actions->refresh();
}

void CMainFrame::dockBottomBars(bool sideBySide)
{
    if (sideBySide == barsSideBySide)
        return;
    removeToolBar(toolBar(kRangeBar));
    removeToolBar(toolBar(kPulseBar));
    placeBottomBars(sideBySide);
}

void CMainFrame::placeBottomBars(bool sideBySide)
{
    barsSideBySide = sideBySide;
    QToolBar* ranges = toolBar(kRangeBar);
    QToolBar* pulses = toolBar(kPulseBar);
    if (sideBySide) {
        addToolBar(Qt::BottomToolBarArea, ranges);
        addToolBar(Qt::BottomToolBarArea, pulses);
    } else {
        // The bottom area stacks its lines upwards: the pulse bar's line first, so the range bar is above.
        addToolBar(Qt::BottomToolBarArea, pulses);
        addToolBarBreak(Qt::BottomToolBarArea);
        addToolBar(Qt::BottomToolBarArea, ranges);
    }
    ranges->show();
    pulses->show();
}

void CMainFrame::createMenus()
{
    auto addItems = [this](QMenu* menu, std::initializer_list<int> ids) {
        bool pendingSeparator = false;
        for (int id : ids) {
            if (id == kSeparator) {
                pendingSeparator = !menu->actions().isEmpty();
            } else {
                if (pendingSeparator)
                    menu->addSeparator();
                pendingSeparator = false;
                QAction* a = actions->action(id);
                // A menu draws an item's icon in place of its check mark: a switch shows the mark.
                if (table.isCheckable(id))
                    a->setIconVisibleInMenu(false);
                menu->addAction(a);
            }
        }
        connect(menu, &QMenu::aboutToShow, actions, &CCommandActions::refresh);
    };

    QMenu* measure = menuBar()->addMenu(tr("&Измерение"));
    addItems(measure, {cmd::kStart, cmd::kStop, kSeparator, cmd::kLine1, cmd::kLine2, kSeparator, cmd::kSaveLine1,
                       cmd::kSaveLine2, kSeparator, cmd::kPrint, cmd::kPrintPreview, cmd::kSaveReportPdf, cmd::kPrintEventTable});
    measure->addSeparator();
    measure->addAction(tr("Выход"), this, &QWidget::close);

    QMenu* range = menuBar()->addMenu(tr("&Диапазон"));
    for (int id = cmd::kRangeFirst; id <= cmd::kRangeLast; ++id)
        range->addAction(actions->action(id));
    connect(range, &QMenu::aboutToShow, actions, &CCommandActions::refresh);

    QMenu* pulse = menuBar()->addMenu(tr("И&мпульс"));
    for (int id : cmd::kPulseIds)
        pulse->addAction(actions->action(id));
    connect(pulse, &QMenu::aboutToShow, actions, &CCommandActions::refresh);

    QMenu* mouse = menuBar()->addMenu(tr("&Мышь"));
    addItems(mouse, {cmd::kMouseMagnifier, cmd::kMouseMagnifier + 1, cmd::kMouseMagnifier + 2, kSeparator,
                     cmd::kMouseMagnifier + 3, cmd::kMouseMagnifier + 4, cmd::kMouseMagnifier + 5,
                     cmd::kMouseMagnifier + 6, cmd::kMouseMagnifier + 7, kSeparator, cmd::kFirstCursor,
                     cmd::kSecondCursor});

    QMenu* modes = menuBar()->addMenu(tr("&Режимы"));
    addItems(modes, {cmd::kSplitPairs, cmd::kCapture, cmd::kDifference, kSeparator, cmd::kApproximation,
                     cmd::kSpeedMode, cmd::kReturnLoss, kSeparator, cmd::kUseGrid, kSeparator,
                     cmd::kFindEvents, cmd::kCalibrateKu, cmd::kWatch, cmd::kLocateTwoEnded, cmd::kCompareBaseline});

    QMenu* view = menuBar()->addMenu(tr("&Вид"));
    addItems(view, {cmd::kTwoScreen, cmd::kChannelSettings, cmd::kMemory, cmd::kChannelParams});

    QMenu* help = menuBar()->addMenu(tr("&Справка"));
    addItems(help, {cmd::kHelp, cmd::kWebSite, cmd::kWriteUs, kSeparator, cmd::kLanguage, kSeparator, cmd::kAbout});
}

void CMainFrame::createStatusBar()
{
    // The message pane, then the caps-lock, num-lock and scroll-lock indicators.
    new CLockIndicators(*statusBar());
    statusBar()->showMessage(ready());
}

bool CMainFrame::event(QEvent* event)
{
    // The pointer leaving a command clears its prompt: the idle message comes back instead of a blank.
    if (event->type() == QEvent::StatusTip && static_cast<QStatusTipEvent*>(event)->tip().isEmpty()) {
        statusBar()->showMessage(ready());
        return true;
    }
    return QMainWindow::event(event);
}

void CMainFrame::openHelp()
{
    if (helpFile.isEmpty() || !QFileInfo(helpFile).isReadable()) {
        statusBar()->showMessage(tr("Описание программы не найдено: %1").arg(helpFile));
        return;
    }
    // Without a browser the desktop opens nothing, and nothing is reported.
    QDesktopServices::openUrl(QUrl::fromLocalFile(helpFile));
}

void CMainFrame::openLink(const QString& url) { QDesktopServices::openUrl(QUrl(url)); }

void CMainFrame::chooseLanguage()
{
    const UiLanguage current = storedUiLanguage(settings).value_or(uiLanguage());
    const std::optional<UiLanguage> chosen = askUiLanguage(this, current);
    if (!chosen)
        return;
    storeUiLanguage(settings, *chosen);
    // Every window already holds its texts: the new language comes with the next start. Said in both
    // languages, since the user may read only the chosen one.
    QMessageBox::information(this, QStringLiteral("Язык / Language"),
                             QStringLiteral("Язык сменится при следующем запуске программы.\n"
                                            "The language changes at the next start of the program."));
}

void CMainFrame::showAbout()
{
    CAboutDlg dialog(this);
    dialog.exec();
}
