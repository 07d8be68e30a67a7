// The library panel: construction, settings, commands, the two tabs, layout and the update dispatch.
#include "files/widgets/form_memory.h"

#include "display/preview_series.h"
#include "display/widgets/screen_wnd.h"
#include "document/command_ids.h"
#include "document/command_table.h"
#include "document/settings.h"
#include "document/varnel_doc.h"
#include "files/library/library_texts.h"
#include "files/widgets/library_icons.h"
#include "panels/host/panel_host.h"
#include "resources/i18n/ui_translation.h"
#include "widgets/edit_text.h"
#include "widgets/h_spin.h"
#include "widgets/report_ctrl.h"
#include "widgets/tool_tip_text.h"

#include <QAction>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStyle>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>

namespace {

constexpr const char* kOpenKey = "OPEN";
constexpr const char* kOpenPieceKey = "OPEN_PIECE";
constexpr const char* kSavePieceKey = "SAVE_PIECE";
constexpr int kReflectogramListId = 157;
constexpr int kPreviewId = 160;
constexpr int kGridFileListId = 173;
constexpr int kSectionListId = 174;
constexpr int kSeparator = 0;

std::string asFolder(std::string folder)
{
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    return folder;
}

bool isEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

template <class Titles>
QStringList translatedTitles(const Titles& titles)
{
    QStringList shown;
    for (const std::string& title : titles)
        shown.push_back(translatedText("LibraryTexts", title));
    return shown;
}

} // namespace

CFormMemory::CFormMemory(CVarnelDoc& doc, CCommandTable& commands, CSettings& settings, CPanelHost& host,
                         LibrarySetup setup, QWidget* parent)
    : QWidget(parent), grid(doc), doc(doc), commands(commands), settings(settings), host(host), setup(std::move(setup)),
      reflectogramMarks([this](int row, int column) { return reflectogramColors(row, column); }),
      gridFileMarks([this](int row, int column) { return gridFileColors(row, column); })
{
    const std::string saveDir = asFolder(this->setup.saveDir);
    reflectogramFolder = asFolder(settings.getString(kOpenKey, saveDir));
    grid.sectionFolder = asFolder(settings.getString(kOpenPieceKey, saveDir));
    grid.newGridFile = settings.getString(kSavePieceKey, "");

    preview.shown = true;
    preview.color = Rgb{0, 200, 255};

    setFocusPolicy(Qt::ClickFocus);
    registerCommands();
    createControls();
    doc.addView(this);
    if (!this->setup.listLater)
        fillReflectogramList();
    grid.fillGridFileList();
    showGridFiles();
    selectTab(0);
}

CFormMemory::~CFormMemory()
{
    listingJob.cancel();
    registrations.clear();
    doc.removeView(this);
    settings.setString(kOpenKey, reflectogramFolder);
    settings.setString(kOpenPieceKey, grid.sectionFolder);
    settings.setString(kSavePieceKey, grid.newGridFile);
    // The lists ask their colours of this panel while they go.
    reflectograms->setColors(nullptr);
    if (gridFiles)
        gridFiles->setColors(nullptr);
}

void CFormMemory::createControls()
{
    reflectograms = new CReportCtrl(this);
    reflectograms->create(this, QRect(), kReflectogramListId);
    reflectograms->setAccessibleName(translatedText("LibraryTexts", libtext::kReflectogramsTab));
    reflectograms->insertColumns(translatedTitles(libtext::reflectogramColumnTitles(doc.speedMode)));
    reflectograms->setColors(&reflectogramMarks);
    connect(reflectograms, &CReportCtrl::rowSelectionChanged, this, [this] { commands.stateChanged(); });
    connect(reflectograms->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid() && !restoringSelection)
                    showPreviewOf(current.row());
            });
    // A click on the row already selected reads its file again: it may have been saved over.
    connect(reflectograms, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        if (index.isValid() && index.row() == reflectograms->currentIndex().row())
            showPreviewOf(index.row());
    });

    previewWnd = new CScreenWnd(this, kPreviewId);
    previewWnd->setAccessibleName(tr("Предварительный просмотр"));
    preview_screen::configure(previewWnd->state());
    previewWnd->state().setStraightLines(doc.approximation);
    previewWnd->hide();

    memoryBar = makeToolBar({cmd::kOpenReflectograms, kSeparator, cmd::kMemoryP1, cmd::kMemoryP2, cmd::kMemoryP3,
                             kSeparator, cmd::kPreview});
    memoryBar->setWindowTitle(translatedText("LibraryTexts", libtext::kReflectogramsTab));

    tabBar = new QTabBar(this);
    tabBar->setShape(QTabBar::RoundedSouth);
    tabBar->setDrawBase(false);
    tabBar->setExpanding(false);
    tabBar->setAccessibleName(tr("Библиотека"));
    tabBar->addTab(translatedText("LibraryTexts", libtext::kReflectogramsTab));
    tabBar->addTab(translatedText("LibraryTexts", libtext::kGridsTab));
    connect(tabBar, &QTabBar::currentChanged, this, &CFormMemory::selectTab);
}

void CFormMemory::createGridTab()
{
    if (!gridFiles)
        createGridControls();
}

void CFormMemory::createGridControls()
{
    gridFiles = new CReportCtrl(this);
    gridFiles->create(this, QRect(), kGridFileListId);
    gridFiles->setAccessibleName(tr("Файлы сеток масштабов"));
    gridFiles->setSelectionMode(QAbstractItemView::SingleSelection);
    gridFiles->insertColumns(translatedTitles(libtext::gridFileColumnTitles()));
    gridFiles->setColors(&gridFileMarks);
    connect(gridFiles, &CReportCtrl::rowSelectionChanged, this, &CFormMemory::onGridFileSelection);

    sections = new CReportCtrl(this);
    sections->create(this, QRect(), kSectionListId);
    sections->setAccessibleName(tr("Участки"));
    sections->insertColumns(translatedTitles(libtext::sectionColumnTitles(doc.speedMode)));
    connect(sections, &CReportCtrl::rowSelectionChanged, this, [this] { commands.stateChanged(); });
    connect(sections, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { startEditing(index.row(), index.column()); });

    gridBar = makeToolBar({cmd::kOpenGrids, kSeparator, cmd::kUseGrid, kSeparator, cmd::kNewGrid});
    gridBar->setWindowTitle(tr("Сетки масштабов"));
    sectionBar = makeToolBar({cmd::kAddSection, cmd::kFinishEditing, cmd::kDeleteSection});
    sectionBar->setWindowTitle(tr("Участки"));

    // Screen readers list the panel's parts, and Tab goes through the lists, then the bars' buttons,
    // then the tabs, as if all were made at once.
    for (QWidget* w : std::initializer_list<QWidget*>{gridFiles, sections})
        w->stackUnder(memoryBar);
    for (QWidget* w : std::initializer_list<QWidget*>{gridBar, sectionBar})
        w->stackUnder(tabBar);
    std::vector<QWidget*> order{reflectograms, gridFiles, sections};
    for (const QToolBar* bar : {memoryBar, gridBar, sectionBar})
        for (QAction* a : bar->actions())
            if (QWidget* button = bar->widgetForAction(a); button && button->focusPolicy() != Qt::NoFocus)
                order.push_back(button);
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    showGridFiles();
    showSections();
    selectTab(currentTab);
}

const CFormMemory& CFormMemory::withGridTab() const
{
    // Building the tab changes what the panel holds, not what it shows or answers.
    const_cast<CFormMemory*>(this)->createGridTab();
    return *this;
}

CReportCtrl& CFormMemory::gridFileList() const { return *withGridTab().gridFiles; }
CReportCtrl& CFormMemory::sectionList() const { return *withGridTab().sections; }
QToolBar& CFormMemory::gridToolBar() const { return *withGridTab().gridBar; }
QToolBar& CFormMemory::sectionToolBar() const { return *withGridTab().sectionBar; }

QToolBar* CFormMemory::makeToolBar(std::initializer_list<int> ids)
{
    auto* bar = new QToolBar(this);
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(20, 20));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    // The button that shows what does not fit is named too.
    if (auto* more = bar->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button")))
        setToolTipText(*more, tr("Остальные кнопки"));
    for (int id : ids) {
        if (id == kSeparator) {
            bar->addSeparator();
            continue;
        }
        QAction* a = setup.action ? setup.action(id) : nullptr;
        if (!a)
            continue;
        if (a->icon().isNull())
            a->setIcon(libraryIcon(id));
        bar->addAction(a);
        // Reachable with Tab and pressed with Space, as the panel's commands are in no menu.
        if (QWidget* button = bar->widgetForAction(a)) {
            setToolTipText(*button, a->toolTip());
            button->setFocusPolicy(Qt::TabFocus);
        }
    }
    return bar;
}

void CFormMemory::registerCommands()
{
    const auto rowSelected = [](const CReportCtrl* list) { return list && list->getFirstSelected() >= 0; };
    const auto add = [this](int id, CCommandTable::Run run, CCommandTable::State state, bool checkable = true) {
        registrations.push_back(commands.addScoped(id, std::move(run), std::move(state), checkable));
    };
    add(cmd::kOpenReflectograms, [this] { chooseReflectogramFolder(); }, {}, false);
    const int memoryIds[] = {cmd::kMemoryP1, cmd::kMemoryP2, cmd::kMemoryP3};
    for (int i = 0; i < 3; ++i) {
        const int trace = P1 + i;
        add(memoryIds[i], [this, trace] { toggleMemory(trace); }, [this, trace, rowSelected] {
            return CommandState{rowSelected(reflectograms), doc.traces[static_cast<std::size_t>(trace)].shown};
        });
    }
    // The preview can always be switched off again, also when no row is selected any more.
    add(cmd::kPreview, [this] { togglePreview(); },
        [this, rowSelected] { return CommandState{rowSelected(reflectograms) || previewOn, previewOn}; });

    // The folder and the file must not change under an open editor: it writes into the selected file.
    const auto notEditing = [this] { return CommandState{openEditor() == nullptr, false}; };
    add(cmd::kOpenGrids, [this] { chooseSectionFolder(); }, notEditing, false);
    add(cmd::kNewGrid, [this] { createGridFile(); }, notEditing, false);
    add(cmd::kUseGrid, [this] { toggleGrid(); }, [this] { return CommandState{doc.sectionsLoaded, doc.gridMode}; });
    add(cmd::kAddSection, [this] { addSection(); }, [this, rowSelected] {
        return CommandState{rowSelected(gridFiles) && openEditor() == nullptr, false};
    }, false);
    add(cmd::kFinishEditing, [this] { finishEditing(); },
        [this] { return CommandState{openEditor() != nullptr, false}; }, false);
    add(cmd::kDeleteSection, [this] { deleteSection(); }, [this, rowSelected] {
        return CommandState{rowSelected(sections) && openEditor() == nullptr, false};
    }, false);
}

QWidget* CFormMemory::openEditor() const
{
    if (nameEditor)
        return nameEditor;
    if (speedEditor)
        return speedEditor;
    if (endEditor)
        return endEditor;
    return nullptr;
}

void CFormMemory::selectTab(int tab)
{
    if (tab == 1)
        createGridTab();
    if (tab != tabBar->currentIndex()) {
        const QSignalBlocker blocker(tabBar);
        tabBar->setCurrentIndex(tab);
    }
    currentTab = tab;
    const bool first = tab == 0;
    reflectograms->setVisible(first);
    memoryBar->setVisible(first);
    previewWnd->setVisible(first && previewOn);
    if (gridFiles) {
        for (QWidget* w : std::initializer_list<QWidget*>{gridFiles, sections, gridBar, sectionBar})
            w->setVisible(!first);
    }
    if (nameEditor)
        nameEditor->setVisible(!first);
    for (CHSpin* spin : {speedEditor.data(), endEditor.data()})
        if (spin)
            spin->showControls(!first);
    layout();
    update();
}

int CFormMemory::listWidthLess(const CReportCtrl& list) const
{
    // The room the rows get without scroll bars (the list less its frame and header), less the vertical
    // bar when the rows are taller than that room. Columns that fit it never bring a horizontal bar,
    // whose height would otherwise take a row and call for the vertical one in turn.
    const QSize room = list.maximumViewportSize();
    int width = room.width();
    if (static_cast<long long>(list.getItemCount()) * list.getItemHeight() > room.height())
        width -= list.verticalScrollBar()->sizeHint().width();
    return std::max(0, width);
}

void CFormMemory::layoutTab0()
{
    const int W = width(), H = height();
    const int T = memoryBar->sizeHint().height();
    memoryBar->setGeometry(0, 0, W, T);
    // In a low row the preview gives way to the list: the list keeps a few rows, the preview takes
    // what is left up to its full height, and a preview too low to read is not drawn at all.
    const int listMinimum = reflectograms->horizontalHeader()->sizeHint().height() + 3 * reflectograms->getItemHeight();
    int preview = std::min(kPreviewHeight, H - T - kTabHeight - listMinimum);
    if (preview < kPreviewMinimum)
        preview = 0;
    if (previewOn && preview > 0) {
        previewWnd->resizeScreen(0, T, W, preview);
        reflectograms->setGeometry(0, T + preview, W, std::max(0, H - T - preview - kTabHeight));
    } else {
        previewWnd->resizeScreen(0, T, 0, 0);
        reflectograms->setGeometry(0, T, W, std::max(0, H - T - kTabHeight));
    }
    sizeReflectogramColumns();
}

void CFormMemory::sizeReflectogramColumns()
{
    const int w = listWidthLess(*reflectograms);
    reflectograms->setColumnWidth(0, 20);
    reflectograms->setColumnWidth(1, w / 7 * 2 - 20);
    for (int c = 2; c < 7; ++c)
        reflectograms->setColumnWidth(c, w / 7);
}

void CFormMemory::layoutTab1()
{
    const int W = width(), H = height();
    const int T = std::max(gridBar->sizeHint().height(), sectionBar->sizeHint().height());
    const int left = W / 12 * 5;
    gridBar->setGeometry(0, 0, left, T);
    sectionBar->setGeometry(left + 5, 0, std::max(0, W - left - 5), T);
    gridFiles->setGeometry(0, T, left, std::max(0, H - T - kTabHeight));
    sections->setGeometry(left + 5, T, W / 12 * 7, std::max(0, (H - T) / 3 * 2));
    sizeGridColumns();
    placeEditor();
}

void CFormMemory::sizeGridColumns()
{
    const int w1 = listWidthLess(*gridFiles);
    const int widths1[] = {15, w1 / 12 * 5 - 15, w1 / 10, w1 / 6, w1 / 6, w1 / 8};
    for (int c = 0; c < 6; ++c)
        gridFiles->setColumnWidth(c, widths1[c]);
    const int w2 = listWidthLess(*sections);
    sections->setColumnWidth(0, 30);
    sections->setColumnWidth(1, w2 / 10 * 3 - 30);
    for (int c = 2; c < 6; ++c)
        sections->setColumnWidth(c, w2 / 6);
}

void CFormMemory::layout()
{
    tabBar->setGeometry(0, height() - kTabHeight, width(), kTabHeight);
    if (currentTab == 0)
        layoutTab0();
    else
        layoutTab1();
}

void CFormMemory::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layout();
    if (currentTab == 0 && previewOn)
        previewWnd->draw();
}

void CFormMemory::keyPressEvent(QKeyEvent* event)
{
    // Enter anywhere in the panel finishes an open editor: on the grid tab any of them, on the
    // reflectogram tab only the end editor (it follows cursor 1 on the screen).
    if (isEnter(event->key())) {
        const bool finishes = currentTab == 1 ? openEditor() != nullptr : endEditor != nullptr;
        if (finishes) {
            finishEditing();
            event->accept();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

void CFormMemory::showMessage(bool error, const QString& caption, const QString& text)
{
    host.tell(error ? CPanelHost::Message::Error : CPanelHost::Message::Information, caption, text);
}

void CFormMemory::onDocumentUpdate(CDocView*, UpdateHint hint)
{
    const bool straightBefore = (previewWnd->state().style & CScreenState::kStyleStraightLines) != 0;
    previewWnd->state().setStraightLines(doc.approximation);
    if (hint == kHintSpeedMode) {
        reflectograms->setColumnTitle(4, translatedText("LibraryTexts", reflectogramSpeedTitle(doc.speedMode)));
        if (sections)
            sections->setColumnTitle(5, translatedText("LibraryTexts", libtext::sectionSpeedTitle(doc.speedMode)));
        fillReflectogramList();
        grid.fillSectionList();
        showSections();
    } else if (hint == kHintSaved) {
        fillReflectogramList();
    }
    // Nothing here changes with the live samples: a running acquisition repaints none of it.
    if (previewOn && currentTab == 0 && straightBefore != doc.approximation)
        previewWnd->draw();
    if (hint == kHintRedraw || hint == kHintLines) {
        // Memories switched elsewhere change the marks; the grid switch changes the red mark.
        reflectograms->redrawItems();
        if (gridFiles)
            gridFiles->redrawItems();
    }
    // The editors follow what they edit, but never while their number is being typed.
    if (hint == kHintRedraw || hint == kHintAcqParams || hint == kHintLines || hint == kHintSpeedMode)
        configureEditors();
}
