#pragma once

#include "widgets/report_model.h"

#include <QString>
#include <QTableView>

class CReportColors;
class QPainter;

// Row and column under a point of the list; -1 where there is none.
struct ReportHit {
    int row = -1;
    int column = -1;
};

// The report list of every table of the program: rows of texts added cell by cell, full-row
// selection of several rows, grid lines, no sorting, centred columns, owner-chosen cell colours, and a
// boxed print of itself. Rows added with AddCell reach the view at the next UpdateCount.
class CReportCtrl : public QTableView {
    Q_OBJECT
public:
    explicit CReportCtrl(QWidget* parent = nullptr);
    ~CReportCtrl() override;

    // Places the list in `parent` at `rect` under the control id `id` and shows it.
    void create(QWidget* parent, const QRect& rect, int id);
    int getDlgCtrlID() const { return controlId; }

    // Appends a column with a centred title; returns its index.
    int insertColumn(const QString& title);
    // Appends several at once: the header measures its titles once, not once a column.
    void insertColumns(const QStringList& titles);
    // `row` is not used: column 0 starts a new row at the end, any other column appends to the last
    // row. False for a non-zero column while the list has no row.
    bool addCell(int row, int column, const QString& text);
    QString getCell(int row, int column) const;
    bool deleteRow(int row);
    void clear();
    // Makes the view show every stored row, without repainting the rows it already shows.
    void updateCount();

    // Draws the list as a boxed table on a page whose printable width the painter's device gives in
    // millimetres. The painter's units must be 0.01 inch with y downwards from the table's top-left.
    void printTable(QPainter& painter) const;
    void printTable(QPainter& painter, int pageWidthMm) const;
    // Shortens `text` to `maxWidth` measured in the list's own font, ending it in "...".
    void fitText(int maxWidth, QString& text) const;

    // The ordinary list operations the owners use.
    int getItemCount() const { return rows.itemCount(); }
    int getColumnCount() const { return rows.columnCount(); }
    void setColumnWidth(int column, int width);
    int getColumnWidth(int column) const;
    bool setColumnTitle(int column, const QString& title);
    QString getColumnTitle(int column) const;
    // Rows that fit whole into the visible area.
    int getCountPerPage() const;
    // Selected rows in order: the first, then the next after `row`; -1 when there is none.
    int getFirstSelected() const;
    int getNextSelected(int row) const;
    int getSelectedCount() const;
    bool isRowSelected(int row) const;
    void setRowSelected(int row, bool selected);
    // The whole row's rectangle in the list's coordinates; empty for a row that is not shown.
    QRect getItemRect(int row) const;
    // Height of one row, also while the list has none.
    int getItemHeight() const;
    // `point` in the list's coordinates.
    ReportHit subItemHitTest(const QPoint& point) const;

    // The owner's cell colours; nullptr for the list's own. The owner must outlive the list or reset it.
    void setColors(const CReportColors* source);
    // Repaints every shown cell, for owners whose colours changed.
    void redrawItems();

    const CReportModel& reportModel() const { return rows; }

signals:
    void rowSelectionChanged();

private:
    CReportModel rows;
    int controlId = 0;
};
