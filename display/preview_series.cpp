#include "display/preview_series.h"

#include "display/screen_series.h"
#include "display/screen_state.h"
#include "document/memory_resampling.h"
#include "document/trace.h"
#include "document/units.h"

namespace preview_screen {

namespace {

constexpr Rgb kPreviewColor{0, 200, 255};

} // namespace

void configure(CScreenState& screen)
{
    screen_series::configureTraceScreen(screen, 62.5);
    // Two cursor lines that stay at the origin: the preview has no cursors to move.
    screen.setSeriesFlags(screen.addSeries(kPreviewColor, 2, "1", ScreenLayer::Foreground), CArrPoints::kVisible);
    screen.setSeriesFlags(screen.addSeries(kPreviewColor, 2, "2", ScreenLayer::Foreground), CArrPoints::kVisible);
    screen.setSeriesFlags(screen.addSeries(kPreviewColor, kWindowSamples, ""), CArrPoints::kVisible);
}

int sampleStep(double memScale) { return rawPerScreenSample(memScale); }

void fill(CScreenState& screen, const Trace& preview)
{
    // A KU that is not positive must never reach a division; such a file reads as KU 1.5.
    const double ku = preview.memKU > 0 ? preview.memKU : kReferenceKu;
    screen.setXLabelRange(0, kReferenceKu * preview.memScale / ku);
    const int step = sampleStep(preview.memScale);
    for (int c = 0; c < kWindowSamples && c * step < kRawSamples; ++c)
        screen.setPoint(kTraceSeries, c, c,
                        screen.clampY(screen_series::signedSample(preview.raw[static_cast<std::size_t>(c * step)])));
}

} // namespace preview_screen
