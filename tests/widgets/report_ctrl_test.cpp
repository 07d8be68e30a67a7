#include "widgets/report_ctrl.h"

#include "widgets/report_colors.h"
#include "widgets/report_header.h"

#include <QApplication>
#include <QBrush>
#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionHeader>

#include <gtest/gtest.h>

namespace {

QString shown(const CReportCtrl& list, int row, int column, int role = Qt::DisplayRole)
{
    const QAbstractItemModel& m = list.reportModel();
    return m.data(m.index(row, column), role).toString();
}

// A list with `columns` columns and one row per entry of `rows`.
void fill(CReportCtrl& list, int columns, const std::vector<std::vector<QString>>& rows)
{
    for (int i = 0; i < columns; ++i)
        list.insertColumn(QString("c%1").arg(i));
    for (const auto& row : rows)
        for (int j = 0; j < static_cast<int>(row.size()); ++j)
            list.addCell(0, j, row[j]);
    list.updateCount();
}

std::vector<QString> column0(const CReportCtrl& list)
{
    std::vector<QString> texts;
    for (int i = 0; i < list.getItemCount(); ++i)
        texts.push_back(list.getCell(i, 0));
    return texts;
}

TEST(ReportCtrl, ColumnZeroStartsANewRowAndTheRowArgumentIsIgnored)
{
    CReportCtrl list;
    for (int i = 0; i < 3; ++i)
        list.insertColumn("t");
    const char* texts[] = {"1", "2", "3", "4", "5", "6"};
    for (int k = 0; k < 6; ++k)
        EXPECT_TRUE(list.addCell(99 - k, k % 3, texts[k]));

    EXPECT_EQ(list.getCell(1, 2), "6");
    EXPECT_EQ(list.getCell(0, 1), "2");
    EXPECT_EQ(list.getCell(2, 0), "");    // outside the rows
    EXPECT_EQ(list.getCell(0, 3), "");
    EXPECT_EQ(list.getCell(-1, 0), "");

    // The view sees the rows once counted.
    EXPECT_EQ(list.reportModel().rowCount(), 0);
    list.updateCount();
    EXPECT_EQ(list.getItemCount(), 2);
    EXPECT_EQ(shown(list, 1, 2), "6");

    // A cell appended to a row the view already shows reaches it at once.
    list.addCell(0, 0, "7");
    list.updateCount();
    QSignalSpy changed(&list.reportModel(), &QAbstractItemModel::dataChanged);
    list.addCell(0, 1, "8");
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(shown(list, 2, 1), "8");
}

TEST(ReportCtrl, AnOtherColumnWithoutARowIsRefused)
{
    CReportCtrl list;
    list.insertColumn("a");
    list.insertColumn("b");
    EXPECT_FALSE(list.addCell(0, 1, "x"));
    list.updateCount();
    EXPECT_EQ(list.getItemCount(), 0);
}

TEST(ReportCtrl, DisplayedTextIsCutToTheBufferButStoredWhole)
{
    CReportCtrl list;
    const QString longText(300, 'a');
    // A surrogate pair straddling the cut is dropped whole.
    const QString straddling = QString(258, 'b') + QString::fromUtf8("😀") + "tail";
    fill(list, 2, {{longText, straddling}});

    EXPECT_EQ(list.getCell(0, 0), longText);
    EXPECT_EQ(shown(list, 0, 0), QString(CReportModel::kTextCapacity - 1, 'a'));
    EXPECT_EQ(shown(list, 0, 1), QString(258, 'b'));
}

TEST(ReportCtrl, DeleteRowAndClear)
{
    CReportCtrl list;
    fill(list, 2, {{"a", "1"}, {"b", "2"}, {"c", "3"}});
    list.setColumnWidth(1, 77);

    EXPECT_TRUE(list.deleteRow(1));
    EXPECT_EQ(column0(list), (std::vector<QString>{"a", "c"}));
    EXPECT_EQ(list.getCell(1, 1), "3");
    EXPECT_EQ(list.reportModel().rowCount(), 2);
    EXPECT_FALSE(list.deleteRow(2));
    EXPECT_FALSE(list.deleteRow(-1));

    // Deleting also counts rows added since the last UpdateCount.
    list.addCell(0, 0, "d");
    EXPECT_TRUE(list.deleteRow(0));
    EXPECT_EQ(column0(list), (std::vector<QString>{"c", "d"}));

    list.clear();
    EXPECT_EQ(list.getItemCount(), 0);
    EXPECT_EQ(list.reportModel().storedRows(), 0);
    EXPECT_EQ(list.getCell(0, 0), "");
    // Columns, their titles and widths survive.
    EXPECT_EQ(list.getColumnCount(), 2);
    EXPECT_EQ(list.getColumnWidth(1), 77);
    list.addCell(0, 0, "e");
    list.updateCount();
    EXPECT_EQ(column0(list), (std::vector<QString>{"e"}));
}

TEST(ReportCtrl, ColumnsAreCentredAndRetitled)
{
    CReportCtrl list;
    EXPECT_EQ(list.insertColumn("Название"), 0);
    EXPECT_EQ(list.insertColumn("КУ"), 1);
    fill(list, 0, {{"x", "y"}});
    const QAbstractItemModel& m = list.reportModel();
    EXPECT_EQ(m.headerData(1, Qt::Horizontal).toString(), "КУ");
    EXPECT_EQ(m.headerData(0, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::AlignCenter);
    EXPECT_EQ(m.data(m.index(0, 1), Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::AlignCenter);

    EXPECT_TRUE(list.setColumnTitle(1, "V/2"));
    EXPECT_EQ(list.getColumnTitle(1), "V/2");
    EXPECT_EQ(m.headerData(1, Qt::Horizontal).toString(), "V/2");
    EXPECT_FALSE(list.setColumnTitle(2, "none"));
    EXPECT_TRUE(list.setColumnTitle(0, QString(400, 't')));
    EXPECT_EQ(list.getColumnTitle(0).size(), CReportModel::kTitleCapacity);

    // No sorting and no clickable header: rows stay in the order they were added.
    EXPECT_FALSE(list.isSortingEnabled());
    EXPECT_FALSE(list.horizontalHeader()->sectionsClickable());
    EXPECT_EQ(list.selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(list.selectionMode(), QAbstractItemView::ExtendedSelection);
}

TEST(ReportCtrl, SelectedRowsAreWalkedInOrder)
{
    CReportCtrl list;
    fill(list, 2, {{"0"}, {"1"}, {"2"}, {"3"}, {"4"}, {"5"}, {"6"}});
    EXPECT_EQ(list.getFirstSelected(), -1);

    QSignalSpy selectionSpy(&list, &CReportCtrl::rowSelectionChanged);
    for (int row : {5, 1, 2, 4})
        list.setRowSelected(row, true);
    list.setRowSelected(4, false);
    list.setRowSelected(9, true);   // not a row: ignored
    EXPECT_GE(selectionSpy.count(), 5);

    std::vector<int> walked;
    for (int row = list.getFirstSelected(); row >= 0; row = list.getNextSelected(row))
        walked.push_back(row);
    EXPECT_EQ(walked, (std::vector<int>{1, 2, 5}));
    EXPECT_EQ(list.getSelectedCount(), 3);
    EXPECT_TRUE(list.isRowSelected(2));
    EXPECT_FALSE(list.isRowSelected(3));

    // Deleting the first selected row until none is left removes exactly the selection.
    for (int row = list.getFirstSelected(); row >= 0; row = list.getFirstSelected())
        list.deleteRow(row);
    EXPECT_EQ(column0(list), (std::vector<QString>{"0", "3", "4", "6"}));
    EXPECT_EQ(list.getSelectedCount(), 0);
}

class StripeColors : public CReportColors {
public:
    ReportCellColors cellColors(int row, int column) const override
    {
        if (row == 1)
            return {QColor(0, 200, 255), QColor(0, 0, 0)};
        if (column == 1)
            return {QColor(), QColor(255, 0, 0)};
        return {};
    }
};

TEST(ReportCtrl, OwnerColoursReachTheModelAndTheScreen)
{
    StripeColors colors;
    CReportCtrl list;
    fill(list, 2, {{"a", "b"}, {"c", "d"}, {"e", "f"}});
    const QAbstractItemModel& m = list.reportModel();
    EXPECT_FALSE(m.data(m.index(1, 0), Qt::ForegroundRole).isValid());

    list.setColors(&colors);
    EXPECT_EQ(m.data(m.index(1, 0), Qt::ForegroundRole).value<QBrush>().color(), QColor(0, 200, 255));
    EXPECT_EQ(m.data(m.index(1, 1), Qt::BackgroundRole).value<QBrush>().color(), QColor(0, 0, 0));
    EXPECT_EQ(m.data(m.index(0, 1), Qt::BackgroundRole).value<QBrush>().color(), QColor(255, 0, 0));
    EXPECT_FALSE(m.data(m.index(0, 1), Qt::ForegroundRole).isValid());   // the list's own text colour
    EXPECT_FALSE(m.data(m.index(0, 0), Qt::BackgroundRole).isValid());

    list.resize(300, 200);
    list.setColumnWidth(0, 120);
    list.setColumnWidth(1, 120);
    list.show();
    // A point near the left edge of a cell, clear of its centred text and of the grid line.
    const auto pixelLeftIn = [&](int row, int column) {
        const QImage image = list.grab().toImage();
        const QRect rect = list.getItemRect(row);
        const int x = rect.left() + list.columnViewportPosition(column) + 4;
        return QColor(image.pixel(x, rect.center().y())).name();
    };
    EXPECT_EQ(pixelLeftIn(1, 0), "#000000");
    EXPECT_EQ(pixelLeftIn(0, 1), "#ff0000");

    // The owner's text colour tints the row's glyphs, also in a list that only displays.
    const auto tinted = [&](int row) {
        const QImage image = list.grab().toImage();
        const QRect rect = list.getItemRect(row);
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x) {
                const QColor c(image.pixel(x, y));
                if (c.blue() > 100 && c.blue() > c.red() + 80)
                    return true;
            }
        return false;
    };
    EXPECT_TRUE(tinted(1));
    EXPECT_FALSE(tinted(2));
    list.setEnabled(false);
    EXPECT_TRUE(tinted(1));
    EXPECT_EQ(pixelLeftIn(1, 0), "#000000");
    list.setEnabled(true);

    // Selection is drawn over the owner's colours.
    list.setRowSelected(1, true);
    const QString highlight = list.palette().color(QPalette::Active, QPalette::Highlight).name();
    EXPECT_EQ(pixelLeftIn(1, 0), highlight);
    list.clearFocus();
    EXPECT_EQ(pixelLeftIn(1, 0), highlight);
    list.setColors(nullptr);
}

TEST(ReportCtrl, ItemGeometryAndHitTests)
{
    CReportCtrl list;
    fill(list, 2, {{"a", "b"}, {"c", "d"}});
    list.setColumnWidth(0, 50);
    list.setColumnWidth(1, 70);
    list.resize(200, list.horizontalHeader()->sizeHint().height() + 10 * list.getItemHeight() + 2 * list.frameWidth());
    list.show();

    const int h = list.getItemHeight();
    EXPECT_GT(h, 0);
    const QRect first = list.getItemRect(0);
    const QRect second = list.getItemRect(1);
    EXPECT_EQ(first.height(), h);
    EXPECT_EQ(first.width(), 120);
    EXPECT_EQ(second.top(), first.top() + h);
    EXPECT_TRUE(list.getItemRect(2).isEmpty());
    EXPECT_EQ(list.getCountPerPage(), 10);

    const ReportHit hit = list.subItemHitTest(QPoint(second.left() + 60, second.center().y()));
    EXPECT_EQ(hit.row, 1);
    EXPECT_EQ(hit.column, 1);
    const ReportHit below = list.subItemHitTest(QPoint(second.left() + 10, second.bottom() + h));
    EXPECT_EQ(below.row, -1);
    EXPECT_EQ(below.column, -1);
}

// The header's drawing options, as the style gets them.
struct HeaderProbe : CReportHeader {
    QStyleOptionHeader option(int logicalIndex) const
    {
        QStyleOptionHeader o;
        initStyleOption(&o);
        if (logicalIndex >= 0)
            initStyleOptionForIndex(&o, logicalIndex);
        return o;
    }
};

TEST(ReportCtrl, ATitleWiderThanItsColumnIsShownEndingInDots)
{
    CReportCtrl list;
    fill(list, 1, {});
    auto* header = new HeaderProbe;
    list.setHorizontalHeader(header);
    list.setColumnTitle(0, "Название канала");
    const QStyleOptionHeader probe = header->option(-1);
    const int margins = 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, &probe, header);
    const QFontMetrics metrics(header->font());
    const int whole = metrics.horizontalAdvance("Название канала");
    struct Case { int width; const char* shown; };
    const Case cases[] = {
        {whole + margins, "Название канала"},
        {metrics.horizontalAdvance("Название к...") + margins, "Название к..."},
        {metrics.horizontalAdvance("Название к...") + margins - 1, "Название ..."},
    };
    for (const Case& c : cases) {
        list.setColumnWidth(0, c.width);
        EXPECT_EQ(header->option(0).text, QString::fromUtf8(c.shown)) << c.width;
    }
    EXPECT_EQ(list.getColumnTitle(0), QStringLiteral("Название канала"));   // printed and read whole
}

TEST(ReportCtrl, FitTextUsesTheListFont)
{
    CReportCtrl list;
    const QFontMetrics metrics(list.font());
    QString text = "короткий";
    list.fitText(metrics.horizontalAdvance(text), text);
    EXPECT_EQ(text, "короткий");
    text = "длинное название файла";
    list.fitText(metrics.horizontalAdvance("длинное..."), text);   // the dots are counted
    EXPECT_EQ(text, "длинное...");
}

TEST(ReportCtrl, PrintTableBoxesEveryCell)
{
    CReportCtrl list;
    fill(list, 2, {{"1", "2"}});
    list.setColumnTitle(0, "A");
    list.setColumnTitle(1, "B");
    // A page 80 mm wide: (320 - 120) / 2 = 100 units per column, one unit per pixel here.
    QImage page(240, 40, QImage::Format_RGB32);
    page.setDotsPerMeterX(3000);
    page.fill(Qt::white);
    ASSERT_EQ(page.widthMM(), 80);
    {
        QPainter painter(&page);
        painter.setPen(QPen(Qt::black, 0));
        list.printTable(painter);
    }
    const auto black = [&](int x, int y) { return QColor(page.pixel(x, y)) == QColor(Qt::black); };
    for (int x : {0, 100, 200})   // column edges through header and row
        for (int y : {3, 7, 20, 26})
            EXPECT_TRUE(black(x, y)) << x << "," << y;
    for (int y : {0, 14, 28})     // row edges across both columns
        for (int x : {5, 95, 150})
            EXPECT_TRUE(black(x, y)) << x << "," << y;
    EXPECT_FALSE(black(220, 7));   // nothing beyond the last column
    EXPECT_FALSE(black(50, 33));   // nor below the last row

    // Each centred text leaves the left part of its box blank and marks its middle.
    const auto inked = [&](int x0, int x1, int y0, int y1) {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                if (QColor(page.pixel(x, y)).lightness() < 128)
                    return true;
        return false;
    };
    EXPECT_FALSE(inked(3, 30, 2, 12));
    EXPECT_TRUE(inked(40, 60, 2, 12));
    EXPECT_TRUE(inked(140, 160, 16, 26));
}

} // namespace

TEST(ReportCtrl, ColumnsInsertedTogetherMatchColumnsInsertedOneByOne)
{
    const std::vector<QStringList> cases = {{}, {"a"}, {"Название", "КУ", QString(400, 't'), QString()}};
    for (const QStringList& titles : cases) {
        CReportCtrl together;
        CReportCtrl oneByOne;
        together.insertColumn("first");
        oneByOne.insertColumn("first");
        together.insertColumns(titles);
        for (const QString& title : titles)
            oneByOne.insertColumn(title);
        ASSERT_EQ(together.getColumnCount(), oneByOne.getColumnCount());
        EXPECT_EQ(together.horizontalHeader()->count(), together.getColumnCount());
        for (int c = 0; c < together.getColumnCount(); ++c)
            EXPECT_EQ(together.getColumnTitle(c), oneByOne.getColumnTitle(c)) << c;
    }
}
