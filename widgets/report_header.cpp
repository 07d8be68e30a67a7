#include "widgets/report_header.h"

#include "widgets/printing/report_print.h"

#include <QFontMetrics>
#include <QStyle>
#include <QStyleOptionHeader>

CReportHeader::CReportHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}

void CReportHeader::initStyleOptionForIndex(QStyleOptionHeader* option, int logicalIndex) const
{
    QHeaderView::initStyleOptionForIndex(option, logicalIndex);
    const int margin = style()->pixelMetric(QStyle::PM_HeaderMargin, option, this);
    const QFontMetrics metrics(option->fontMetrics);
    option->text = reportprint::fitText(sectionSize(logicalIndex) - 2 * margin, option->text,
                                        [&metrics](const QString& s) { return metrics.horizontalAdvance(s); });
}
