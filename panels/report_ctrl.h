#pragma once

#include "panels/report_model.h"

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
    void Create(QWidget* parent, const QRect& rect, int id);
    int GetDlgCtrlID() const { return controlId; }

    // Appends a column with a centred title; returns its index.
    int InsertColumn(const QString& title);
    // `row` is not used: column 0 starts a new row at the end, any other column appends to the last
    // row. False for a non-zero column while the list has no row.
    bool AddCell(int row, int column, const QString& text);
    QString GetCell(int row, int column) const;
    bool DeleteRow(int row);
    void Clear();
    // Makes the view show every stored row, without repainting the rows it already shows.
    void UpdateCount();

    // Draws the list as a boxed table on a page whose printable width the painter's device gives in
    // millimetres. The painter's units must be 0.01 inch with y downwards from the table's top-left.
    void PrintTable(QPainter& painter) const;
    void PrintTable(QPainter& painter, int pageWidthMm) const;
    // Shortens `text` to `maxWidth` measured in the list's own font, ending it in "...".
    void FitText(int maxWidth, QString& text) const;

    // The ordinary list operations the owners use.
    int GetItemCount() const { return rows.itemCount(); }
    int GetColumnCount() const { return rows.columnCount(); }
    void SetColumnWidth(int column, int width);
    int GetColumnWidth(int column) const;
    bool SetColumnTitle(int column, const QString& title);
    QString GetColumnTitle(int column) const;
    // Rows that fit whole into the visible area.
    int GetCountPerPage() const;
    // Selected rows in order: the first, then the next after `row`; -1 when there is none.
    int GetFirstSelected() const;
    int GetNextSelected(int row) const;
    int GetSelectedCount() const;
    bool IsRowSelected(int row) const;
    void SetRowSelected(int row, bool selected);
    // The whole row's rectangle in the list's coordinates; empty for a row that is not shown.
    QRect GetItemRect(int row) const;
    // Height of one row, also while the list has none.
    int GetItemHeight() const;
    // `point` in the list's coordinates.
    ReportHit SubItemHitTest(const QPoint& point) const;

    // The owner's cell colours; nullptr for the list's own. The owner must outlive the list or reset it.
    void SetColors(const CReportColors* source);
    // Repaints every shown cell, for owners whose colours changed.
    void RedrawItems();

    const CReportModel& reportModel() const { return rows; }

signals:
    void rowSelectionChanged();

private:
    CReportModel rows;
    int controlId = 0;
};
