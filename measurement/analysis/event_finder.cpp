#include "measurement/analysis/event_finder.h"

#include "document/varnel_doc.h"
#include "measurement/analysis/edge_fit.h"
#include "measurement/analysis/level_median.h"
#include "measurement/analysis/noise_estimate.h"
#include "measurement/analysis/probe_recovery.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace {

// A median of n samples scatters by about 1.2533 deviations / sqrt(n).
constexpr double kMedianScatter = 1.2533;
constexpr int kSmoothing = 3;
constexpr double kSmoothingLeastEcho = 6.0;
constexpr double kProbeSkipWidths = 1.5;
constexpr double kProbeSkipMetres = 2.0;
constexpr double kShiftWidths = 1.5;
constexpr int kShiftTail = 16;
constexpr double kLongestWidths = 4.0;
// Samples of the echo's top after its leading edge that the edge fit sees.
constexpr int kEdgeTop = 4;
constexpr double kTopLevel = 0.9;
// Samples left out at each end of an echo's half-height span when its top level is taken.
constexpr int kTopTrim = 2;
constexpr std::size_t kLeastTop = 3;
constexpr double kLargeEvent = 0.5;
// An echo this many times as high as another bounds its rise.
constexpr double kStrongerEcho = 2.0;
// Samples by which an echo's rise may stray from the rise law of the other echoes, while those
// together are at least twice as strong as it; more as they are weaker.
constexpr double kLawTolerance = 0.75;
constexpr int kLeastRecoveryBlock = 8;
// An integer trace is never quieter than its rounding, 1/sqrt(12) counts.
constexpr double kLeastSigma = 0.29;

// Lengths in samples that follow the echo's width: what changes more slowly than an echo rises and
// falls is drift of the baseline, what changes faster may be a reflection.
struct Scales {
    int window;   // the baseline: the median of up to this many quiet samples,
    int least;    // of at least this many,
    int gap;      // ending this far before the sample tested, so the foot of a slow edge stays out of it
    int quiet;    // quiet line before a leading edge and after a trailing one that the edge fit sees
};

Scales scalesFor(double echoSamples)
{
    auto part = [&](double share, int least, int most) {
        return static_cast<int>(std::clamp(std::lround(echoSamples * share), static_cast<long>(least), static_cast<long>(most)));
    };
    return {part(1.0, 32, 256), part(0.25, 8, 64), part(0.25, 2, 64), part(0.5, 24, 128)};
}

double medianOf(std::span<const double> values)
{
    CLevelMedian m;
    for (const double v : values)
        m.add(static_cast<int>(std::lround(v)));
    return m.median();
}

std::vector<double> smoothed(const std::vector<double>& level, int width)
{
    const int n = static_cast<int>(level.size());
    const int half = width / 2;
    std::vector<double> out(level.size());
    for (int i = 0; i < n; ++i) {
        const int lo = std::max(0, i - half), hi = std::min(n - 1, i + half);
        double sum = 0.0;
        for (int k = lo; k <= hi; ++k)
            sum += level[static_cast<std::size_t>(k)];
        out[static_cast<std::size_t>(i)] = sum / (hi - lo + 1);
    }
    return out;
}

// The level of an echo's top (samples first..end-1, `peak` the highest): the median of the samples
// between its half-height crossings, two samples clear of each; a top too short for that gives the
// peak. The peak of a noisy top lies above its level, the median does not.
template <typename LevelAt>
double topLevel(LevelAt at, int first, int end, double peak)
{
    int h1 = first, h2 = end - 1;
    while (h1 < h2 && at(h1) < peak / 2)
        ++h1;
    while (h2 > h1 && at(h2) < peak / 2)
        --h2;
    std::vector<double> top;
    for (int k = h1 + kTopTrim; k <= h2 - kTopTrim; ++k)
        top.push_back(at(k));
    if (top.size() < kLeastTop)
        return peak;
    std::nth_element(top.begin(), top.begin() + static_cast<std::ptrdiff_t>(top.size() / 2), top.end());
    return top[top.size() / 2];
}

// The quiet samples before the tested one: [lo, hi) of the levels, kept in a sliding median.
class CBaselineWindow {
public:
    explicit CBaselineWindow(const std::vector<double>& level) : level(level) {}

    void moveTo(int newLo, int newHi)
    {
        if (newLo < lo || newLo > hi || newHi < hi) {
            window.clear();
            lo = hi = newLo;
        }
        for (; lo < newLo; ++lo)
            window.remove(at(lo));
        for (; hi < newHi; ++hi)
            window.add(at(hi));
    }
    int count() const { return window.count(); }
    double median() { return window.median(); }

private:
    int at(int k) const { return static_cast<int>(std::lround(level[static_cast<std::size_t>(k)])); }
    const std::vector<double>& level;
    CLevelMedian window;
    int lo = 0, hi = 0;
};

// A departure from the baseline that lasted: where it began, its direction and what it was measured against.
struct Departure {
    int start = 0;
    int sign = 0;
    double base = 0.0;
    int baseCount = 0;
    double threshold = 0.0;
};

// What follows a departure: where its echo ends and how high it rises.
struct Echo {
    int end = 0;          // first sample after the echo
    bool shift = false;   // the trace never came back: the baseline must start afresh
    double peak = 0.0;
    double amplitude = 0.0;   // the level of its top
    int top = 0;          // first sample of the leading edge at 90 % of the amplitude
    int lastTop = 0;      // last sample of the echo at 90 % of the amplitude
};

// An echo's rise where it lies on the line (x samples from the echo weighed), and its height.
struct RiseSample {
    double x = 0.0;
    double rise = 0.0;
    double amplitude = 0.0;
};

// The rise law at x = 0 from the other echoes: the straight line through their rises weighted by the
// square of their heights, never falling along the line, held within the rises it comes from. None
// when they are together weaker than an echo of `amplitude`.
std::optional<double> riseLaw(const std::vector<RiseSample>& others, double amplitude)
{
    double w = 0, wx = 0, wr = 0, wxx = 0, wxr = 0;
    double lo = std::numeric_limits<double>::infinity(), hi = 0.0;
    for (const RiseSample& o : others) {
        const double a = o.amplitude * o.amplitude;
        w += a;
        wx += a * o.x;
        wr += a * o.rise;
        wxx += a * o.x * o.x;
        wxr += a * o.x * o.rise;
        lo = std::min(lo, o.rise);
        hi = std::max(hi, o.rise);
    }
    if (others.empty() || w < amplitude * amplitude)
        return std::nullopt;
    const double det = w * wxx - wx * wx;
    const double growth = det > 1e-9 * w * w ? std::max(0.0, (w * wxr - wx * wr) / det) : 0.0;
    return std::clamp((wr - growth * wx) / w, lo, hi);
}

} // namespace

CEventFinder::CEventFinder(EventFinderSettings settings) : config(std::move(settings)) {}

EventReport CEventFinder::find(std::span<const std::uint8_t> samples, const SampleGrid& grid,
                               const CVarnelDoc& distances) const
{
    EventReport report;
    const int n = static_cast<int>(samples.size());
    if (n == 0 || !(grid.spacing > 0))
        return report;
    std::vector<double> level(samples.size());
    std::transform(samples.begin(), samples.end(), level.begin(), [](std::uint8_t b) { return sampleLevel(b); });

    const double probeEnd = kProbeSkipWidths * grid.pulseWidth() + kProbeSkipMetres;
    int first = 0;
    while (first < n && grid.position(first) < probeEnd)
        ++first;
    report.firstSample = first;
    const std::span<const double> afterProbe(level.data() + first, static_cast<std::size_t>(n - first));
    if (config.probeAmplitude) {
        report.probeAmplitude = config.probeAmplitude;
    } else if (grid.origin <= 0.0 && first > 0 && first < n) {
        const double quiet = medianOf(afterProbe);
        auto above = [&](int k) { return level[static_cast<std::size_t>(k)] - quiet; };
        const double peak = above(static_cast<int>(std::max_element(level.begin(), level.begin() + first) - level.begin()));
        if (peak > 0)
            report.probeAmplitude = topLevel(above, 0, first, peak);
    }

    const int minRun = std::max(1, config.minRun);
    const double echoSamples = grid.pulseWidth() / grid.spacing;
    const Scales scales = scalesFor(echoSamples);
    if (grid.origin <= 0.0 && first > 0)
        removeProbeRecovery(level, first, std::max(kLeastRecoveryBlock, static_cast<int>(echoSamples / 8)));
    if (n - first < scales.gap + scales.least + minRun)
        return report;
    const double sigma = std::max(estimateNoiseSigma(afterProbe), kLeastSigma);
    report.noiseSigma = sigma;
    const int smoothing = echoSamples >= kSmoothingLeastEcho ? kSmoothing : 1;
    const std::vector<double> trace = smoothed(level, smoothing);
    // The comparison's noise: the averaged trace's and the baseline median's.
    auto thresholdFor = [&](int baselineCount) {
        const double baselineScatter = kMedianScatter * sigma / std::sqrt(baselineCount);
        const double deviation = std::sqrt(sigma * sigma / smoothing + baselineScatter * baselineScatter);
        return std::max(std::max(config.thresholdSigma, 0.0) * deviation, config.minCounts);
    };
    report.threshold = thresholdFor(scales.window);
    auto away = [&](const Departure& d, int k) { return d.sign * (trace[static_cast<std::size_t>(k)] - d.base); };

    auto follow = [&](const Departure& d) {
        Echo e;
        // An echo lasts about as long as the probe pulse; while its trailing edge is still coming
        // back towards the baseline (a slow, dispersed edge), it lasts longer.
        const int step = std::max(kShiftTail, static_cast<int>(echoSamples / 4));
        const int longest = std::min(n, d.start + static_cast<int>(std::ceil(kLongestWidths * echoSamples)) + kShiftTail);
        int limit = std::min(n, d.start + static_cast<int>(std::ceil(kShiftWidths * echoSamples)) + kShiftTail);
        e.end = -1;
        for (int j = d.start + minRun, back = 0; j < limit && e.end < 0; ++j) {
            back = away(d, j) <= d.threshold / 2 ? back + 1 : 0;
            if (back == minRun)
                e.end = j - minRun + 1;
            else if (j == limit - 1 && limit < longest && away(d, j) < away(d, j - step) - d.threshold / 2)
                limit = std::min(longest, limit + step);
        }
        e.shift = e.end < 0 && limit < n;
        if (e.end < 0)
            e.end = limit;
        for (int k = d.start; k < e.end; ++k)
            e.peak = std::max(e.peak, away(d, k));
        e.top = d.start;
        while (e.top < e.end - 1 && away(d, e.top) < kTopLevel * e.peak)
            ++e.top;
        e.lastTop = e.end - 1;
        while (e.lastTop > e.top && away(d, e.lastTop) < kTopLevel * e.peak)
            --e.lastTop;
        e.amplitude = topLevel([&](int k) { return away(d, k); }, d.start, e.end, e.peak);
        if (!(e.amplitude > 0))
            e.amplitude = e.peak;
        return e;
    };
    // The samples around an echo's edges, away from its baseline.
    struct EdgeSamples {
        std::vector<double> lead, trail;
        int leadFrom = 0, trailFrom = 0, latest = 0;
    };
    auto edgesOf = [&](const Departure& d, const Echo& e, int quietFrom) {
        EdgeSamples s;
        s.leadFrom = std::max(quietFrom, d.start - scales.quiet);
        const int to = std::min(e.end, e.top + kEdgeTop);
        for (int k = s.leadFrom; k < to; ++k)
            s.lead.push_back(d.sign * (level[static_cast<std::size_t>(k)] - d.base));
        s.trailFrom = std::max(to, e.lastTop - kEdgeTop);
        // The quiet line after the trailing edge ends where the next echo begins.
        int trailEnd = e.end;
        while (trailEnd < std::min(n, e.end + scales.quiet) && std::abs(away(d, trailEnd)) <= d.threshold)
            ++trailEnd;
        // A trailing edge cut off by the end of the trace or by a level shift says nothing of the rise.
        if (!e.shift && e.end + scales.quiet <= n)
            for (int k = s.trailFrom; k < trailEnd; ++k)
                s.trail.push_back(d.sign * (level[static_cast<std::size_t>(k)] - d.base));
        // The averaged trace may depart half its width before the raw one does.
        s.latest = d.start + smoothing / 2;
        return s;
    };
    auto fitStart = [&](const EdgeSamples& s, const EdgeHint& hint) {
        return fitEchoStart({s.lead, s.leadFrom, s.trail, s.trailFrom, echoSamples}, hint);
    };
    auto sampleOf = [&](const EdgeSamples& s, double start) {
        return std::clamp(static_cast<int>(std::lround(start)), s.leadFrom, s.latest);
    };
    std::vector<EdgeSamples> edges;

    CBaselineWindow window(level);
    int quietFrom = first;
    std::optional<double> held;   // the baseline that holds until enough quiet samples follow an echo
    int heldCount = scales.window;
    Departure run;
    int runLength = 0;
    for (int i = first + scales.gap + scales.least; i < n; ++i) {
        const int hi = i - scales.gap;
        window.moveTo(std::max(quietFrom, hi - scales.window), hi);
        double base = 0.0;
        int count = window.count();
        if (count >= scales.least) {
            base = window.median();
        } else if (held) {
            base = *held;
            count = heldCount;
        } else {
            runLength = 0;
            continue;
        }
        const double threshold = thresholdFor(count);
        const double d = trace[static_cast<std::size_t>(i)] - base;
        const int sign = d > threshold ? 1 : d < -threshold ? -1 : 0;
        if (sign == 0) {
            runLength = 0;
            continue;
        }
        if (runLength == 0 || sign != run.sign) {
            run = {i, sign, base, count, threshold};
            runLength = 0;
        }
        if (++runLength < minRun)
            continue;

        const Echo echo = follow(run);
        ReflectionEvent event;
        edges.push_back(edgesOf(run, echo, quietFrom));
        event.polarity = run.sign;
        event.amplitude = echo.amplitude;
        report.events.push_back(event);

        if (echo.shift) {
            const int recent = std::min(scales.least, echo.end - run.start);
            held = medianOf(std::span<const double>(level.data() + echo.end - recent, static_cast<std::size_t>(recent)));
            heldCount = recent;
        } else {
            held = run.base;
            heldCount = run.baseCount;
        }
        quietFrom = echo.end;
        i = echo.end - 1;
        runLength = 0;
    }

    // Every echo is the probe pulse, its edges lengthened by the line's dispersion, which only grows
    // along the line: the rise of an echo far stronger than another, well known, bounds the rise of
    // the weaker one - from above when that lies nearer, from below when it lies farther. And the
    // rises of the other echoes, a straight line along the line weighted by their strength (growing,
    // held within their own rises), keep a faint echo's rise near that law: a few adjacent noisy
    // samples otherwise fit a long rise better and pull the start early, or a short one and push it late.
    double largest = 0.0;
    std::size_t strongest = 0;
    for (std::size_t i = 0; i < report.events.size(); ++i)
        if (report.events[i].amplitude > largest) {
            largest = report.events[i].amplitude;
            strongest = i;
        }
    std::vector<EdgeFit> own;
    for (const EdgeSamples& s : edges)
        own.push_back(fitStart(s, {}));
    for (std::size_t i = 0; i < report.events.size(); ++i) {
        ReflectionEvent& event = report.events[i];
        EdgeHint hint;
        if (event.amplitude * kStrongerEcho <= largest)
            (i < strongest ? hint.mostRise : hint.leastRise) = own[strongest].rise;
        std::vector<RiseSample> others;
        for (std::size_t j = 0; j < own.size(); ++j)
            if (j != i)
                others.push_back({own[j].start - own[i].start, own[j].rise, report.events[j].amplitude});
        if (const std::optional<double> law = riseLaw(others, event.amplitude)) {
            const double total = std::sqrt(std::accumulate(others.begin(), others.end(), 0.0, [](double t, const RiseSample& o) {
                return t + o.amplitude * o.amplitude;
            }));
            const double tolerance = kLawTolerance * std::max(1.0, 2 * event.amplitude / total);
            hint.leastRise = std::max(hint.leastRise, *law - tolerance);
            hint.mostRise = std::max(hint.leastRise, std::min(hint.mostRise, *law + tolerance));
        }
        const bool outside = own[i].rise < hint.leastRise || own[i].rise > hint.mostRise;
        const EdgeFit fit = outside ? fitStart(edges[i], hint) : own[i];
        event.sample = sampleOf(edges[i], fit.start);
        event.position = grid.position(event.sample);
        event.distance = distances.toReal(event.position);
    }

    for (auto it = report.events.rbegin(); it != report.events.rend(); ++it)
        if (it->polarity > 0 && it->amplitude >= kLargeEvent * largest) {
            it->end = true;
            break;
        }
    if (report.probeAmplitude)
        for (ReflectionEvent& e : report.events)
            e.returnLossDb = 20 * std::log10(*report.probeAmplitude / e.amplitude);
    return report;
}
