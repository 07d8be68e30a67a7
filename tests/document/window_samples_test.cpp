#include "document/memory_resampling.h"
#include "document/varnel_doc.h"
#include "document/window_samples.h"

#include <gtest/gtest.h>

namespace {

// A memory whose raw sample i holds i modulo 251, so every index read is recognisable.
void fillRaw(Trace& t, double memScale)
{
    for (int i = 0; i < kRawSamples; ++i)
        t.raw[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i % 251);
    t.memScale = memScale;
}

} // namespace

TEST(Resampling, MemoryAtAnotherRangeOrWindow)
{
    struct Case {
        double memScale, scale;
        int zoom;
        double left;
        int first, step, lastFilled;   // samples[j] = raw[first + step j] up to lastFilled, then 0
    } cases[] = {
        {1000, 2000, 0, 0, 0, 32, 249},      // ratio 2, step 16: the right half stays 0
        {500, 500, 0, 0, 0, 8, 499},         // same range: raw samples per screen sample
        {62.5, 62.5, 0, 0, 0, 1, 499},
        {1000, 1000, 2, 250, 2000, 4, 499},  // magnified: offset 250 m / 12.5 cm
        {2000, 1000, 0, 0, 0, 8, 499},       // every other full-resolution sample over the first half
        {64000, 64000, 4, 32000, 4000, 1, 499},
    };
    for (const Case& c : cases) {
        Trace memory;
        fillRaw(memory, c.memScale);
        std::array<std::uint8_t, kWindowSamples> out{};
        out.fill(99);
        resampleMemory(memory, c.scale, c.zoom, c.left, out);
        for (int j = 0; j < kWindowSamples; ++j) {
            const int expected = j <= c.lastFilled ? (c.first + c.step * j) % 251 : 0;
            ASSERT_EQ(out[static_cast<std::size_t>(j)], expected) << c.memScale << " at " << c.scale << " j " << j;
        }
    }
}

TEST(Resampling, RangeOutsideTheTableShowsNothing)
{
    Trace memory;
    fillRaw(memory, 750);
    std::array<std::uint8_t, kWindowSamples> out{};
    out.fill(7);
    resampleMemory(memory, 1000, 0, 0, out);
    EXPECT_EQ(out, (std::array<std::uint8_t, kWindowSamples>{}));
    EXPECT_EQ(rawPerScreenSample(1000), 16);
    EXPECT_EQ(rawPerScreenSample(125), 2);
    EXPECT_EQ(rawPerScreenSample(3), 0);
}

TEST(WindowSamples, CursorsReadTheWindowOrTheRangeWithoutAnyScreen)
{
    struct Case {
        const char* what;
        int trace;
        double scale;
        int zoom;
        double cursor1, cursor2;
        CursorValues expected;
    } cases[] = {
        {"live: the window sample each cursor lies in", L1, 62.5, 0, 3 * 0.125, 10.0625, {3, 80}},
        {"live: the right edge reads the last sample", L1, 62.5, 0, 62.5, 0, {499 % 251, 0}},
        // Window 0..250 m of 1 km: 0.5 m per window sample, 2 m per range sample.
        {"live: outside the magnified window the range is read", L1, 1000, 2, 100, 600, {200, (300 + 100) % 251}},
        {"memory: resampled for the window and for the range", P1, 1000, 2, 100, 600, {800 % 251, 4800 % 251}},
    };
    for (const Case& c : cases) {
        CVarnelDoc doc;
        doc.scale = c.scale;
        doc.zoom = c.zoom;
        doc.zoomCenter = 0;
        doc.cursor1 = c.cursor1;
        doc.cursor2 = c.cursor2;
        for (int i = 0; i < kWindowSamples; ++i) {
            doc.traces[L1].samples[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i % 251);
            doc.traces[L1].overviewSamples[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>((i + 100) % 251);
        }
        fillRaw(doc.traces[P1], 1000);
        EXPECT_EQ(cursorValues(doc, c.trace), c.expected) << c.what;
    }
}

TEST(WindowSamples, AMemoryOnALongerRangeFillsItsShareOfTheRow)
{
    CVarnelDoc doc;
    doc.scale = 2000;
    doc.zoom = 2;
    fillRaw(doc.traces[P1], 1000);
    SampleRow scratch, scratch2;
    const SampleRow& range = rangeSamples(doc, P1, scratch);
    EXPECT_EQ(range[1], 32);
    EXPECT_EQ(range[249], 249 * 32 % 251);
    EXPECT_EQ(range[250], 0);   // the 1 km memory fills the first half only
    EXPECT_EQ(windowSamples(doc, P1, scratch2)[1], 8);   // a quarter of the range: every 8th raw sample
}
