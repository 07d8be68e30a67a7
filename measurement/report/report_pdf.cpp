#include "measurement/report/report_pdf.h"

#include "document/atomic_file.h"
#include "measurement/report/report_page.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <string_view>

namespace {

// A printer's resolution, and the unprintable edge most printers leave on every side.
constexpr int kPdfDpi = 1200;
constexpr double kMarginMm = 5.0;

} // namespace

QByteArray reportPdf(const CVarnelDoc& doc, const ChannelTable& table, const CScreenState& screen,
                     const std::vector<EventRow>* events)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly))
        return {};
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfDpi);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                         QPageLayout::Millimeter));
        writer.setTitle(QCoreApplication::translate("CReportPage", "Рефлектометр импульсный VARNEL"));
        writer.setCreator(QStringLiteral("VARNEL"));
        QPainter painter;
        if (!painter.begin(&writer))
            return {};
        CReportPage(ReportPageDevice::of(writer)).draw(painter, doc, table, screen, events);
        if (!painter.end())
            return {};
    }
    return bytes;
}

Status writeReportPdf(const std::string& path, const CVarnelDoc& doc, const ChannelTable& table,
                      const CScreenState& screen, const std::vector<EventRow>* events)
{
    const QByteArray pdf = reportPdf(doc, table, screen, events);
    if (pdf.isEmpty())
        return Status::failure(path + ": the report could not be drawn", path + ": не удалось построить отчет");
    return writeFileAtomically(path, std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
}
