#include "widgets/report_ctrl.h"

#include "widgets/report_header.h"
#include "widgets/printing/report_print.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPaintDevice>
#include <QPainter>

CReportCtrl::CReportCtrl(QWidget* parent) : QTableView(parent)
{
    setHorizontalHeader(new CReportHeader(this));
    setModel(&rows);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    setSortingEnabled(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setFrameShape(QFrame::Box);

    QHeaderView* header = horizontalHeader();
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    header->setSectionsMovable(false);
    header->setDefaultAlignment(Qt::AlignCenter);
    header->setStretchLastSection(false);
    header->setSectionResizeMode(QHeaderView::Interactive);
    // The owners' layouts give narrow columns (a 15-pixel colour mark); the style's minimum, wider than
    // that, would push the columns past the list's edge and bring a horizontal scroll bar.
    header->setMinimumSectionSize(1);

    // One fixed row height keeps a list of thousands of rows cheap to lay out and to scroll.
    QHeaderView* rowHeader = verticalHeader();
    rowHeader->hide();
    rowHeader->setSectionResizeMode(QHeaderView::Fixed);
    rowHeader->setDefaultSectionSize(fontMetrics().height() + 4);
    rowHeader->setMinimumSectionSize(1);

    // Selected rows keep the highlight colours when the list loses the focus.
    QPalette p = palette();
    p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Active, QPalette::Highlight));
    p.setColor(QPalette::Inactive, QPalette::HighlightedText, p.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(p);

    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &CReportCtrl::rowSelectionChanged);
}

CReportCtrl::~CReportCtrl()
{
    // The model is a member and goes first; the view must not outlive its link to it.
    setModel(nullptr);
}

void CReportCtrl::create(QWidget* parent, const QRect& rect, int id)
{
    setParent(parent);
    setGeometry(rect);
    controlId = id;
    show();
}

int CReportCtrl::insertColumn(const QString& title) { return rows.insertColumn(title); }

void CReportCtrl::insertColumns(const QStringList& titles) { rows.insertColumns(titles); }

bool CReportCtrl::addCell(int /*row*/, int column, const QString& text) { return rows.addCell(column, text); }

QString CReportCtrl::getCell(int row, int column) const { return rows.cell(row, column); }

bool CReportCtrl::deleteRow(int row) { return rows.deleteRow(row); }

void CReportCtrl::clear() { rows.clear(); }

void CReportCtrl::updateCount() { rows.updateCount(); }

void CReportCtrl::printTable(QPainter& painter) const
{
    printTable(painter, painter.device() ? painter.device()->widthMM() : 0);
}

void CReportCtrl::printTable(QPainter& painter, int pageWidthMm) const
{
    reportprint::printTable(painter, pageWidthMm, rows.columnTitles(), rows.itemCount(),
                            [this](int row, int column) { return rows.cell(row, column); });
}

void CReportCtrl::fitText(int maxWidth, QString& text) const
{
    const QFontMetrics metrics = fontMetrics();
    text = reportprint::fitText(maxWidth, text, [&metrics](const QString& s) { return metrics.horizontalAdvance(s); });
}

void CReportCtrl::setColumnWidth(int column, int width)
{
    if (column >= 0 && column < rows.columnCount())
        QTableView::setColumnWidth(column, width);
}

int CReportCtrl::getColumnWidth(int column) const { return columnWidth(column); }

bool CReportCtrl::setColumnTitle(int column, const QString& title) { return rows.setColumnTitle(column, title); }

QString CReportCtrl::getColumnTitle(int column) const { return rows.columnTitle(column); }

int CReportCtrl::getCountPerPage() const
{
    const int h = getItemHeight();
    return h > 0 ? viewport()->height() / h : 0;
}

int CReportCtrl::getFirstSelected() const { return getNextSelected(-1); }

int CReportCtrl::getNextSelected(int row) const
{
    // From the selection's ranges, so walking a long selection does not test row after row.
    int next = -1;
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        int candidate = -1;
        if (range.top() > row)
            candidate = range.top();
        else if (range.bottom() > row)
            candidate = row + 1;
        if (candidate >= 0 && (next < 0 || candidate < next))
            next = candidate;
    }
    return next;
}

int CReportCtrl::getSelectedCount() const
{
    return static_cast<int>(selectionModel()->selectedRows().size());
}

bool CReportCtrl::isRowSelected(int row) const
{
    return row >= 0 && row < rows.itemCount() && selectionModel()->isRowSelected(row, QModelIndex());
}

void CReportCtrl::setRowSelected(int row, bool selected)
{
    if (row < 0 || row >= rows.itemCount() || rows.columnCount() == 0)
        return;
    const QModelIndex index = rows.index(row, 0);
    selectionModel()->select(index, (selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect)
                                        | QItemSelectionModel::Rows);
}

QRect CReportCtrl::getItemRect(int row) const
{
    if (row < 0 || row >= rows.itemCount())
        return {};
    const int top = rowViewportPosition(row);
    const int left = -horizontalOffset();
    const int width = horizontalHeader()->length();
    return QRect(left, top, width, rowHeight(row)).translated(viewport()->pos());
}

int CReportCtrl::getItemHeight() const { return verticalHeader()->defaultSectionSize(); }

ReportHit CReportCtrl::subItemHitTest(const QPoint& point) const
{
    const QPoint inViewport = point - viewport()->pos();
    if (!viewport()->rect().contains(inViewport))
        return {};
    const QModelIndex index = indexAt(inViewport);
    if (!index.isValid())
        return {};
    return {index.row(), index.column()};
}

void CReportCtrl::setColors(const CReportColors* source)
{
    rows.setColors(source);
    redrawItems();
}

void CReportCtrl::redrawItems() { viewport()->update(); }
