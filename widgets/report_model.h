#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>

#include <vector>

class CReportColors;

// The rows behind a report list. Like a virtual list, the view sees `itemCount` rows, which follows
// the stored rows only when told (updateCount, deleteRow, clear), so filling a long list costs one
// notification instead of one per row.
class CReportModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The list's text buffer: a cell shows at most kTextCapacity - 1 characters.
    static constexpr int kTextCapacity = 260;
    // A column title holds at most this many characters.
    static constexpr int kTitleCapacity = 255;

    explicit CReportModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    int insertColumn(const QString& title);
    void insertColumns(const QStringList& newTitles);
    bool setColumnTitle(int column, const QString& title);
    QString columnTitle(int column) const;
    std::vector<QString> columnTitles() const { return titles; }

    // Column 0 starts a new row; any other column appends to the last row. False, and nothing
    // stored, for a non-zero column while there is no row.
    bool addCell(int column, const QString& text);
    // The stored text; empty outside the rows.
    QString cell(int row, int column) const;
    bool deleteRow(int row);
    void clear();
    void updateCount();

    int storedRows() const { return static_cast<int>(rows.size()); }
    int itemCount() const { return count; }

    void setColors(const CReportColors* source) { colors = source; }

private:
    std::vector<std::vector<QString>> rows;
    std::vector<QString> titles;
    int count = 0;
    const CReportColors* colors = nullptr;
};
