#include "panels/forms/form_ku.h"

#include "document/command_ids.h"
#include "document/command_table.h"
#include "document/settings.h"
#include "document/units.h"
#include "document/varnel_doc.h"
#include "files/ku_range.h"
#include "files/number_text.h"
#include "panels/forms/table_ku.h"
#include "panels/host/panel_host.h"
#include "resources/i18n/ui_translation.h"
#include "widgets/report_ctrl.h"

#include <QAction>
#include <QMenu>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

namespace {

constexpr const char* kOpenKuKey = "OPEN_KU";
constexpr int kTableListId = 156;
const char* const kChooseTitle = QT_TRANSLATE_NOOP("CFormKU", "Выбрать таблицу скорости распространения сигнала");
const char* const kChooseValue = QT_TRANSLATE_NOOP("CFormKU", "Выберите в списке необходимое значение");

QString fileFilter(bool speedMode)
{
    return speedMode ? CFormKU::tr("Таблица V/2 (*.tku)") : CFormKU::tr("Таблица КУ (*.tku)");
}

} // namespace

CFormKU::CFormKU(CVarnelDoc& document, CCommandTable& commandTable, CSettings& store, CPanelHost& panelHost,
                 const std::string& saveDir, QWidget* parent)
    : QWidget(parent), doc(document), commands(commandTable), settings(store), host(panelHost),
      entries(store.getString(kOpenKuKey, saveDir), document.speedMode)
{
    bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("toolbar162"));
    bar->setWindowTitle(tr("Таблица КУ"));
    bar->setIconSize(QSize(16, 16));
    bar->setMovable(false);
    bar->setFloatable(false);
    // The button that shows the commands a narrow bar cannot hold.
    if (auto* more = bar->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button")))
        more->setAccessibleName(tr("Другие команды"));

    list = new CReportCtrl(this);
    list->create(this, QRect(), kTableListId);
    list->insertColumns({QString(), QString()});
    list->setAccessibleName(tr("Таблица КУ"));
    list->setContextMenuPolicy(Qt::ActionsContextMenu);
    retitle();

    connect(list, &CReportCtrl::rowSelectionChanged, this, [this] { commands.stateChanged(); });
    connect(list, &QAbstractItemView::activated, this, [this] { commands.run(cmd::kUseKu); });
    auto shortcut = [this](QKeySequence keys, int id) {
        auto* s = new QShortcut(keys, list, nullptr, nullptr, Qt::WidgetShortcut);
        connect(s, &QShortcut::activated, this, [this, id] { commands.run(id); });
    };
    shortcut(QKeySequence(Qt::Key_Insert), cmd::kAddKu);
    shortcut(QKeySequence(Qt::Key_Delete), cmd::kDeleteKu);

    registerCommands();
    if (const Status s = entries.load(); !s)
        // Told once the window is up rather than before it appears.
        QMetaObject::invokeMethod(this, [this, s] { reportReadFailure(s); }, Qt::QueuedConnection);
    fillList();
    placeControls();
    doc.addView(this);
}

CFormKU::~CFormKU()
{
    doc.removeView(this);
    settings.setString(kOpenKuKey, entries.tableFile());
}

void CFormKU::registerCommands()
{
    const auto always = [] { return CommandState{true, false}; };
    const auto withSelection = [this] { return CommandState{hasSelection(), false}; };
    registrations.push_back(commands.addScoped(cmd::kOpenKuTable, [this] { openFile(); }, always, false));
    registrations.push_back(commands.addScoped(cmd::kUseKu, [this] { useSelected(); }, withSelection, false));
    registrations.push_back(commands.addScoped(cmd::kAddKu, [this] { addEntry(); }, always, false));
    registrations.push_back(commands.addScoped(cmd::kDeleteKu, [this] { deleteSelected(); }, withSelection, false));
}

void CFormKU::setToolBarActions(const std::vector<QAction*>& actions)
{
    bar->clear();
    for (QAction* a : list->actions())
        list->removeAction(a);
    for (QAction* a : actions) {
        if (!a) {
            bar->addSeparator();
            continue;
        }
        bar->addAction(a);
        list->addAction(a);
        // The buttons are reached with Tab too, not only with the mouse.
        if (QWidget* button = bar->widgetForAction(a))
            button->setFocusPolicy(Qt::TabFocus);
    }
    placeControls();
}

void CFormKU::onDocumentUpdate(CDocView*, UpdateHint hint)
{
    if (hint != kHintSpeedMode)
        return;
    const Status s = entries.setSpeedMode(doc.speedMode);
    retitle();
    fillList();
    if (!s)
        reportReadFailure(s);
}

void CFormKU::retitle()
{
    const QString unit = doc.speedMode ? QStringLiteral("V/2") : tr("КУ");
    list->setColumnTitle(0, tr("Название ") + unit);
    list->setColumnTitle(1, unit);
}

void CFormKU::fillList()
{
    list->clear();
    for (const TableEntry& e : entries.rows()) {
        list->addCell(0, 0, QString::fromStdString(e.name));
        list->addCell(0, 1, QString::fromStdString(e.value));
    }
    list->updateCount();
    placeControls();
    commands.stateChanged();
}

void CFormKU::placeControls()
{
    const QSize natural = bar->sizeHint();
    const int h = natural.height();
    bar->setGeometry(0, 0, natural.width() + 100, h);
    list->setGeometry(0, h, width(), std::max(height() - h, 0));
    int w = width();
    if (list->getCountPerPage() < list->getItemCount())
        w -= style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
    // The list's frame takes its share of the width too.
    w -= 2 * list->frameWidth();
    list->setColumnWidth(0, 2 * (w / 3));
    list->setColumnWidth(1, w / 3);
}

void CFormKU::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeControls();
}

std::vector<int> CFormKU::selectedRows() const
{
    std::vector<int> rows;
    for (int row = list->getFirstSelected(); row >= 0; row = list->getNextSelected(row))
        rows.push_back(row);
    return rows;
}

bool CFormKU::hasSelection() const { return list->getFirstSelected() >= 0; }

void CFormKU::openFile()
{
    // The file need not exist: the rows on show are written to a new one with the next change.
    const std::optional<std::string> path = chooseFile(false);
    if (!path)
        return;
    if (const Status s = entries.open(*path); !s) {
        reportReadFailure(s);
        return;
    }
    fillList();
}

void CFormKU::useSelected()
{
    if (!hasSelection()) {
        host.tell(CPanelHost::Message::Information, QStringLiteral(" "), CFormKU::tr(kChooseValue));
        return;
    }
    const int row = list->getFirstSelected();
    const std::optional<double> ku = entries.kuOf(row);
    if (!ku) {
        // A KU of 0 or a text would break every distance.
        host.tell(CPanelHost::Message::Error, tr("Ошибка"),
                  tr("Значение «%1» нельзя использовать в расчетах").arg(list->getCell(row, 1)));
        return;
    }
    // A KU the K.У. spin cannot show would be reset at the next start without a word.
    if (const Status problem = kuRangeCheck(*ku, doc.speedMode); !problem) {
        host.tell(CPanelHost::Message::Error, tr("Ошибка"), userText(problem));
        return;
    }
    doc.vfactor = *ku;
    doc.updateAllViews(this, kHintRedraw);
}

void CFormKU::addEntry()
{
    CTableKU dialog(doc.speedMode, this);
    if (!host.run(dialog))
        return;
    const bool keep = chooseFileToSave();
    const Status s = entries.add(dialog.entryName.toStdString(), dialog.entryValue.toStdString());
    fillList();
    list->scrollToBottom();
    if (!s && keep)
        reportSaveFailure(s);
}

bool CFormKU::addValue(const std::string& name, double ku, std::string& error)
{
    if (!chooseFileToSave()) {
        error = tr("файл таблицы не выбран").toStdString();
        return false;
    }
    const std::string value = doc.speedMode ? numtext::fixed(speedOfKu(ku), 1) : numtext::fixed(ku, 3);
    const Status s = entries.add(name, value);
    fillList();
    list->scrollToBottom();
    if (!s)
        error = userText(s).toStdString();
    return static_cast<bool>(s);
}

void CFormKU::deleteSelected()
{
    if (!hasSelection()) {
        host.tell(CPanelHost::Message::Information, QStringLiteral(" "), CFormKU::tr(kChooseValue));
        return;
    }
    if (!host.ask(tr("Вы хотите удалить из списка выделенные значения?")))
        return;
    const bool keep = chooseFileToSave();
    const Status s = entries.remove(selectedRows());
    fillList();
    if (!s && keep)
        reportSaveFailure(s);
}

bool CFormKU::chooseFileToSave()
{
    if (!entries.needsFileName())
        return true;
    const std::optional<std::string> path = chooseFile(true);
    if (!path)
        return false;
    entries.saveAs(*path);
    return true;
}

std::optional<std::string> CFormKU::chooseFile(bool save)
{
    CPanelHost::FileChoice choice;
    choice.title = tr(kChooseTitle);
    choice.filter = fileFilter(doc.speedMode);
    choice.start = entries.tableFile();
    choice.suffix = QStringLiteral("tku");
    choice.mode = save ? CPanelHost::FileChoice::Mode::Save : CPanelHost::FileChoice::Mode::Open;
    return host.chooseFile(choice);
}

void CFormKU::reportReadFailure(const Status& status)
{
    host.tell(CPanelHost::Message::Error, tr("Ошибка"),
              tr("Не удалось прочитать таблицу из файла\n") + userText(status));
}

void CFormKU::reportSaveFailure(const Status& status)
{
    host.tell(CPanelHost::Message::Error, tr("Ошибка"),
              tr("Не удалось сохранить таблицу в файл\n") + userText(status) +
                  tr("\nИзменение осталось в списке, но в файл не записано."));
}
