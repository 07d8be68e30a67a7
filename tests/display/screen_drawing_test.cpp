// The screen's own line drawing against the painter's, pixel for pixel, over a table of scenes; and
// the layers: a drawing that moves only the cursors leaves the traces alone.
#include "display/main_screen_series.h"
#include "display/render/screen_renderer.h"
#include "display/screen_state.h"
#include "document/varnel_doc.h"

#include <QImage>

#include <cmath>
#include <random>
#include <string>

#include <gtest/gtest.h>

namespace {

enum class Shape { Flat, Reflections, Noise, BeyondRange };

std::uint8_t sample(Shape shape, int i, std::mt19937& rng)
{
    switch (shape) {
    case Shape::Flat:
        return 20;
    case Shape::Reflections: {
        const double x = i / 500.0;
        double v = 100 * std::exp(-x * 40) - 20 * std::exp(-x * 3) + std::uniform_int_distribution<int>(-3, 3)(rng);
        for (const double at : {0.21, 0.43, 0.67, 0.9})
            v += 60 * std::exp(-std::pow((x - at) * 200, 2)) - 30 * std::exp(-std::pow((x - at - 0.01) * 200, 2));
        return static_cast<std::uint8_t>(static_cast<std::int8_t>(std::lround(std::clamp(v, -128.0, 127.0))));
    }
    case Shape::Noise:
        return static_cast<std::uint8_t>(std::uniform_int_distribution<int>(0, 255)(rng));
    case Shape::BeyondRange:
        // Full swings that the offsets push past the top and the bottom of the screen.
        return static_cast<std::uint8_t>(i % 40 < 20 ? 127 : 128);
    }
    return 0;
}

struct Scene {
    std::string name;
    double scale;        // the range, m
    bool straight;       // straight lines rather than steps
    Shape shape;
    int width, height;   // the screen
    bool capture;
};

// Five traces with offsets, both cursors (the second one at `cursor2`), three event marks on L1.
void fill(CVarnelDoc& doc, const Scene& scene, unsigned seed, double cursor2)
{
    std::mt19937 rng(seed);
    doc.scale = scene.scale;
    doc.approximation = scene.straight;
    doc.cursor1 = scene.scale * 0.2;
    doc.cursor2 = cursor2;
    int k = 0;
    for (Trace& t : doc.traces) {
        t.shown = true;
        t.memScale = scene.scale;
        t.yOffset = scene.shape == Shape::BeyondRange ? 50 * k - 100 : 30 * k - 60;
        ++k;
        for (int i = 0; i < kWindowSamples; ++i)
            t.samples[static_cast<std::size_t>(i)] = sample(scene.shape, i, rng);
        for (int i = 0; i < kRawSamples; ++i)
            t.raw[static_cast<std::size_t>(i)] = sample(scene.shape, i * kWindowSamples / kRawSamples, rng);
    }
    doc.eventMarks.trace = L1;
    doc.eventMarks.marks = {{scene.scale * 0.1, false}, {scene.scale * 0.5, true}, {scene.scale * 0.7, false}};
}

// The first pixel where two pictures differ, as "x,y".
std::string firstDifference(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return "size";
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return std::to_string(x) + "," + std::to_string(y);
    return {};
}

// Every frame drawn by one renderer in turn (new data, then only the cursor moved, then the cursor out
// of the window) equals the painter's drawing of that frame from scratch.
TEST(ScreenDrawing, DirectLinesAndLayersGiveThePaintersPicture)
{
    const Scene scenes[] = {
        {"steps 62.5 m", 62.5, false, Shape::Reflections, 1280, 600, false},
        {"straight 62.5 m", 62.5, true, Shape::Reflections, 1280, 600, false},
        {"steps 1 km noise", 1000, false, Shape::Noise, 1280, 600, false},
        {"straight 1 km noise", 1000, true, Shape::Noise, 1280, 600, false},
        {"steps 4 km beyond range", 4000, false, Shape::BeyondRange, 900, 400, false},
        {"straight 16 km beyond range", 16000, true, Shape::BeyondRange, 900, 400, false},
        {"steps 64 km flat", 64000, false, Shape::Flat, 700, 300, false},
        {"straight 64 km narrower than the points", 64000, true, Shape::Noise, 320, 200, false},
        {"steps 8 km narrower than the points", 8000, false, Shape::Reflections, 320, 200, false},
        {"steps 2 km capture", 2000, false, Shape::Noise, 800, 400, true},
        {"straight 32 km capture", 32000, true, Shape::Reflections, 800, 400, true},
    };
    for (const Scene& scene : scenes) {
        SCOPED_TRACE(scene.name);
        CVarnelDoc doc;
        CScreenState direct;
        main_screen::configure(direct, doc);
        direct.chartRect = {0, 0, scene.width, scene.height};
        direct.captureMode = scene.capture;
        CScreenRenderer renderer;
        renderer.resize({scene.width, scene.height});
        CScreenRenderer reference(CScreenRenderer::Lines::Painter);
        reference.resize({scene.width, scene.height});

        const struct {
            unsigned seed;
            double cursor2;
        } frames[] = {{1, scene.scale * 0.6}, {2, scene.scale * 0.6}, {2, scene.scale * 0.3}, {2, scene.scale * 2}};
        for (const auto& frame : frames) {
            SCOPED_TRACE("frame " + std::to_string(&frame - frames));
            fill(doc, scene, frame.seed, frame.cursor2);
            main_screen::rebuild(direct, doc);
            ASSERT_TRUE(renderer.draw(direct));
            // In capture mode the painter draws every frame so far onto the same picture.
            if (!scene.capture)
                reference.resize({scene.width, scene.height});
            ASSERT_TRUE(reference.draw(direct));
            EXPECT_EQ(firstDifference(renderer.image(), reference.image()), "");
        }
        direct.captureMode = false;
        renderer.draw(direct);
        reference.resize({scene.width, scene.height});
        reference.draw(direct);
        EXPECT_EQ(firstDifference(renderer.image(), reference.image()), "") << "capture mode left";
    }
}

TEST(ScreenDrawing, MovingACursorLeavesTheTraceLayerAlone)
{
    CVarnelDoc doc;
    const Scene scene{"", 1000, false, Shape::Reflections, 800, 400, false};
    CScreenState state;
    main_screen::configure(state, doc);
    CScreenRenderer renderer;
    renderer.resize({800, 400});
    fill(doc, scene, 1, 600);
    main_screen::rebuild(state, doc);
    renderer.draw(state);
    const int traceDraws = renderer.traceLayerDraws();

    doc.cursor1 = 450;
    main_screen::rebuild(state, doc);
    renderer.draw(state);
    EXPECT_EQ(renderer.traceLayerDraws(), traceDraws);

    fill(doc, scene, 2, 600);
    main_screen::rebuild(state, doc);
    renderer.draw(state);
    EXPECT_EQ(renderer.traceLayerDraws(), traceDraws + 1);
}

} // namespace
