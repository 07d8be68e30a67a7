#include "widgets/report_model.h"

#include "widgets/report_colors.h"

#include <QBrush>

namespace {

// The first `capacity` UTF-16 units, without leaving half of a surrogate pair at the end.
QString cut(const QString& text, int capacity)
{
    if (text.size() <= capacity)
        return text;
    qsizetype n = capacity;
    if (n > 0 && text.at(n - 1).isHighSurrogate())
        --n;
    return text.left(n);
}

} // namespace

CReportModel::CReportModel(QObject* parent) : QAbstractTableModel(parent) {}

int CReportModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : count; }

int CReportModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(titles.size());
}

QVariant CReportModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= count)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return cut(cell(index.row(), index.column()), kTextCapacity - 1);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    case Qt::ForegroundRole:
    case Qt::BackgroundRole: {
        if (!colors)
            return {};
        const ReportCellColors c = colors->cellColors(index.row(), index.column());
        const QColor& chosen = role == Qt::ForegroundRole ? c.text : c.background;
        return chosen.isValid() ? QVariant(QBrush(chosen)) : QVariant();
    }
    default:
        return {};
    }
}

QVariant CReportModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= static_cast<int>(titles.size()))
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return titles[section];
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    return {};
}

Qt::ItemFlags CReportModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

int CReportModel::insertColumn(const QString& title)
{
    const int column = static_cast<int>(titles.size());
    beginInsertColumns(QModelIndex(), column, column);
    titles.push_back(cut(title, kTitleCapacity));
    endInsertColumns();
    return column;
}

void CReportModel::insertColumns(const QStringList& newTitles)
{
    if (newTitles.isEmpty())
        return;
    const int first = static_cast<int>(titles.size());
    beginInsertColumns(QModelIndex(), first, first + static_cast<int>(newTitles.size()) - 1);
    for (const QString& title : newTitles)
        titles.push_back(cut(title, kTitleCapacity));
    endInsertColumns();
}

bool CReportModel::setColumnTitle(int column, const QString& title)
{
    if (column < 0 || column >= static_cast<int>(titles.size()))
        return false;
    titles[column] = cut(title, kTitleCapacity);
    emit headerDataChanged(Qt::Horizontal, column, column);
    return true;
}

QString CReportModel::columnTitle(int column) const
{
    return column >= 0 && column < static_cast<int>(titles.size()) ? titles[column] : QString();
}

bool CReportModel::addCell(int column, const QString& text)
{
    if (column == 0) {
        rows.push_back({text});
        return true;
    }
    if (rows.empty())
        return false;
    std::vector<QString>& last = rows.back();
    last.push_back(text);
    const int row = storedRows() - 1;
    const int shownColumn = static_cast<int>(last.size()) - 1;
    if (row < count && shownColumn < columnCount()) {
        const QModelIndex changed = index(row, shownColumn);
        emit dataChanged(changed, changed, {Qt::DisplayRole});
    }
    return true;
}

QString CReportModel::cell(int row, int column) const
{
    if (row < 0 || row >= storedRows() || column < 0)
        return {};
    const std::vector<QString>& r = rows[row];
    return column < static_cast<int>(r.size()) ? r[column] : QString();
}

bool CReportModel::deleteRow(int row)
{
    if (row < 0 || row >= storedRows())
        return false;
    if (row < count) {
        beginRemoveRows(QModelIndex(), row, row);
        rows.erase(rows.begin() + row);
        --count;
        endRemoveRows();
    } else {
        rows.erase(rows.begin() + row);
    }
    updateCount();
    return true;
}

void CReportModel::clear()
{
    // Not a model reset: that would also forget the column widths the owner set.
    if (count > 0)
        beginRemoveRows(QModelIndex(), 0, count - 1);
    const bool notify = count > 0;
    rows.clear();
    count = 0;
    if (notify)
        endRemoveRows();
}

void CReportModel::updateCount()
{
    const int n = storedRows();
    if (n > count) {
        beginInsertRows(QModelIndex(), count, n - 1);
        count = n;
        endInsertRows();
    } else if (n < count) {
        beginRemoveRows(QModelIndex(), n, count - 1);
        count = n;
        endRemoveRows();
    }
}
