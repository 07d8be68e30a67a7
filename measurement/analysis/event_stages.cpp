#include "measurement/analysis/event_stages.h"

#include "measurement/analysis/event_finder.h"
#include "measurement/analysis/level_median.h"

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
// The strongest echo's widening is measured in up to this many passes, until its trailing edge lies
// within this many samples of where the widened pulse puts it; at most by this share of a pulse width.
constexpr int kWideningPasses = 4;
constexpr double kWideningSettled = 0.5;
constexpr double kMostWidening = 0.5;
// Samples by which an echo's rise may stray from the rise law of the other echoes, while those
// together are at least twice as strong as it; more as they are weaker.
constexpr double kLawTolerance = 0.75;
// Deviations the threshold gains per unit of the neighbours' correlation.
constexpr double kCorrelatedThreshold = 0.3;
constexpr int kLeastSettle = 16;
// Quiet samples after an echo that serve as the baseline until a full one follows.
constexpr int kLeastRecent = 8;
// Candidate ends of the probe's tail lie this share of the baseline's gap apart.
constexpr int kTailSteps = 4;
// Baseline windows after an echo's leading edge by which it is over.
constexpr int kEchoOverWindows = 2;
// Share of an echo's height the line after it may lie off the line before it: its own tail (the
// probe's, scaled: an undershoot and ringing of up to a tenth or so each) and the drift while it lasts.
constexpr double kEchoReturn = 0.25;
// Bands an echo's leading edge rises by within a few samples.
constexpr double kEdgeRise = 2.0;
// An echo's leading edge crosses from the band to twice it within this share of a baseline window.
constexpr int kSteepEdgeShare = 32;
// Share of a settled stretch's samples that noise may carry out of the band.
constexpr double kTailStrays = 0.2;
// The noise is measured in blocks of half a baseline window (at least this many samples), at least
// this many of them clear of echoes.
constexpr int kLeastNoiseBlock = 32;
constexpr int kLeastNoiseBlocks = 3;
constexpr double kGuessQuantile = 0.25;
constexpr double kMaskDeviations = 6.0;
// Baseline windows after a departure in which its echo may still be returning through its tail.
constexpr int kEchoTailWindows = 3;
// A departure back to within this share of a shifted echo's height from the line before it is its return.
constexpr double kShiftReturn = 0.25;
// A re-reflection's height over what it can be at most, for the clipped probe's and the fit's error.
constexpr double kMultipleMargin = 1.5;

// The median of levels kept as whole counts: the integer readings, with the fraction that a smooth
// correction added to them (the receiver's recovery taken off) restored as its mean over the values.
// Rounding alone would drop that fraction, and a baseline off by it brings an echo against the
// correction that much closer to its threshold.
double medianOf(std::span<const double> values)
{
    CLevelMedian m;
    double fraction = 0.0;
    for (const double v : values) {
        m.add(static_cast<int>(std::lround(v)));
        fraction += v - std::lround(v);
    }
    return values.empty() ? 0.0 : m.groupedMedian() + fraction / static_cast<double>(values.size());
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
    explicit CBaselineWindow(std::span<const double> level) : level(level) {}

    void moveTo(int newLo, int newHi)
    {
        if (newLo < lo || newLo > hi || newHi < hi) {
            window.clear();
            fraction = 0.0;
            lo = hi = newLo;
        }
        for (; lo < newLo; ++lo) {
            window.remove(at(lo));
            fraction -= fractionAt(lo);
        }
        for (; hi < newHi; ++hi) {
            window.add(at(hi));
            fraction += fractionAt(hi);
        }
    }
    int count() const { return window.count(); }
    // As medianOf: the fraction a smooth correction added to the readings is kept.
    double median() { return window.groupedMedian() + (window.count() > 0 ? fraction / window.count() : 0.0); }

private:
    int at(int k) const { return static_cast<int>(std::lround(level[static_cast<std::size_t>(k)])); }
    double fractionAt(int k) const { return level[static_cast<std::size_t>(k)] - at(k); }
    std::span<const double> level;
    CLevelMedian window;
    double fraction = 0.0;
    int lo = 0, hi = 0;
};

// What follows a departure (start, sign, base, threshold set): where its echo ends and how high it rises.
// Works on local copies: a store into the span's doubles could otherwise alias the trace.
EchoSpan followEcho(EchoSpan e, std::span<const double> trace, const ScanRules& rules)
{
    const int n = static_cast<int>(trace.size());
    const int minRun = rules.minRun;
    const double echoSamples = rules.echoSamples;
    const int sign = e.sign, start = e.start;
    const double base = e.base, threshold = e.threshold;
    auto away = [&](int k) { return sign * (trace[static_cast<std::size_t>(k)] - base); };
    // An echo lasts about as long as the probe pulse; while its trailing edge is still coming
    // back towards the baseline (a slow, dispersed edge), it lasts longer.
    const int step = std::max(kShiftTail, static_cast<int>(echoSamples / 4));
    const int longest = std::min(n, start + static_cast<int>(std::ceil(kLongestWidths * echoSamples)) + kShiftTail);
    int limit = std::min(n, start + static_cast<int>(std::ceil(kShiftWidths * echoSamples)) + kShiftTail);
    int end = -1;
    for (int j = start + minRun, back = 0; j < limit && end < 0; ++j) {
        back = away(j) <= threshold / 2 ? back + 1 : 0;
        if (back == minRun)
            end = j - minRun + 1;
        else if (j == limit - 1 && limit < longest && away(j) < away(j - step) - threshold / 2)
            limit = std::min(longest, limit + step);
    }
    e.shift = end < 0 && limit < n;
    if (end < 0)
        end = limit;
    double peak = 0.0;
    for (int k = start; k < end; ++k)
        peak = std::max(peak, away(k));
    const double amplitude = topLevel(away, start, end, peak);
    // The edges reach the top's level, not its noisiest sample: 90 % of the peak may lie above the
    // whole top of a faint echo but for a sample far along it, and the edge fit would see all of it.
    const double reached = kTopLevel * (amplitude > 0 ? amplitude : peak);
    int top = start;
    while (top < end - 1 && away(top) < reached)
        ++top;
    int lastTop = end - 1;
    while (lastTop > top && away(lastTop) < reached)
        --lastTop;
    // The quiet line after the trailing edge ends where the next echo begins.
    int quietTo = end;
    while (quietTo < std::min(n, end + rules.scales.quiet) && std::abs(away(quietTo)) <= threshold)
        ++quietTo;
    e.end = end;
    e.peak = peak;
    e.top = top;
    e.lastTop = lastTop;
    e.amplitude = amplitude > 0 ? amplitude : peak;
    e.quietTo = quietTo;
    // A trailing edge cut off by the end of the trace or by a level shift says nothing of the rise.
    e.trailTo = !e.shift && end + rules.scales.quiet <= n ? quietTo : 0;
    return e;
}

// The samples around an echo's edges, away from its baseline.
struct EdgeSamples {
    std::vector<double> lead, trail;
    int leadFrom = 0, trailFrom = 0, latest = 0;
};

EdgeSamples edgeSamples(std::span<const double> level, const EchoSpan& e, const ScanRules& rules)
{
    EdgeSamples s;
    s.leadFrom = std::max(e.quietFrom, e.start - rules.scales.quiet);
    const int to = std::min(e.end, e.top + kEdgeTop);
    for (int k = s.leadFrom; k < to; ++k)
        s.lead.push_back(e.sign * (level[static_cast<std::size_t>(k)] - e.base));
    s.trailFrom = std::max(to, e.lastTop - kEdgeTop);
    for (int k = s.trailFrom; k < e.trailTo; ++k)
            s.trail.push_back(e.sign * (level[static_cast<std::size_t>(k)] - e.base));
    // The averaged trace may depart half its width before the raw one does.
    s.latest = e.start + rules.smoothing / 2;
    return s;
}

EchoEdges echoEdges(const EdgeSamples& s, double echoSamples)
{
    return {s.lead, s.leadFrom, s.trail, s.trailFrom, echoSamples};
}

} // namespace

int firstAfterProbe(const SampleGrid& grid, int count)
{
    const double probeEnd = kProbeSkipWidths * grid.pulseWidth() + kProbeSkipMetres;
    int first = 0;
    while (first < count && grid.position(first) < probeEnd)
        ++first;
    return first;
}

std::optional<double> probePulseAmplitude(std::span<const double> level, int first)
{
    const int n = static_cast<int>(level.size());
    if (first <= 0 || first >= n)
        return std::nullopt;
    const double quiet = medianOf(level.subspan(static_cast<std::size_t>(first)));
    auto above = [&](int k) { return level[static_cast<std::size_t>(k)] - quiet; };
    const double peak = above(static_cast<int>(std::max_element(level.begin(), level.begin() + first) - level.begin()));
    if (!(peak > 0))
        return std::nullopt;
    return topLevel(above, 0, first, peak);
}

EchoScales echoScales(double echoSamples)
{
    auto part = [&](double share, int least, int most) {
        return static_cast<int>(std::clamp(std::lround(echoSamples * share), static_cast<long>(least), static_cast<long>(most)));
    };
    return {part(1.0, 32, 256), part(0.25, 8, 64), part(0.25, 2, 64), part(0.5, 24, 128)};
}

double ScanRules::threshold(int baselineCount) const
{
    // The median of a correlated baseline holds fewer independent samples than it counts.
    const double rho = std::clamp(noise.correlation, 0.0, 0.95);
    auto scatter = [&](int count) {
        const double independent = std::max(1.0, count * (1 - rho) / (1 + rho));
        return kMedianScatter * sigma / std::sqrt(independent);
    };
    const double full = scatter(scales.window), own = scatter(std::max(baselineCount, 1));
    // Measured, but never below what white noise of the same deviation gives.
    const double white = sigma * sigma / smoothing + full * full;
    const double compared = std::max(noise.compared * noise.compared, white);
    const double deviation = std::sqrt(std::max(compared + own * own - full * full, 0.0));
    const double deviations = std::max(thresholdSigma, 0.0) * (1 + kCorrelatedThreshold * rho);
    return std::max(deviations * deviation, minCounts);
}

ScanRules scanRules(double echoSamples, double sigma, const EventFinderSettings& settings, const ScanNoise& noise)
{
    ScanRules r;
    r.echoSamples = echoSamples;
    r.scales = echoScales(echoSamples);
    r.minRun = std::max(1, settings.minRun);
    r.smoothing = echoSamples >= kSmoothingLeastEcho ? kSmoothing : 1;
    r.sigma = sigma;
    r.thresholdSigma = settings.thresholdSigma;
    r.minCounts = settings.minCounts;
    r.noise = noise;
    return r;
}

ScanNoise measureScanNoise(std::span<const double> level, std::span<const double> trace, int first, const EchoScales& scales)
{
    const int n = static_cast<int>(std::min(level.size(), trace.size()));
    const int from = first + scales.gap + scales.window;
    const int block = std::max(kLeastNoiseBlock, scales.window / 2);
    if (n - from < kLeastNoiseBlocks * block)
        return {};
    auto at = [&](int k) { return level[static_cast<std::size_t>(k)]; };
    // The departures the scan would see, and the samples whose baseline or own level is clipped.
    std::vector<double> d(static_cast<std::size_t>(n - from));
    std::vector<bool> masked(d.size(), false);
    CBaselineWindow window(level);
    for (int k = from, clip = -1; k < n; ++k) {
        window.moveTo(k - scales.gap - scales.window, k - scales.gap);
        d[static_cast<std::size_t>(k - from)] = trace[static_cast<std::size_t>(k)] - window.median();
        if (at(k) <= -128 || at(k) >= 127)
            clip = k;
        masked[static_cast<std::size_t>(k - from)] = clip >= 0 && k - clip <= scales.gap + scales.window;
    }
    const int blocks = (n - from) / block;
    auto blockRms = [&](int b) {
        double sum = 0.0;
        for (int k = b * block; k < (b + 1) * block; ++k)
            sum += d[static_cast<std::size_t>(k)] * d[static_cast<std::size_t>(k)];
        return std::sqrt(sum / block);
    };
    auto quantile = [](std::vector<double> v, double q) {
        const auto it = v.begin() + static_cast<std::ptrdiff_t>(q * static_cast<double>(v.size() - 1));
        std::nth_element(v.begin(), it, v.end());
        return *it;
    };
    // A first, low guess from the quietest quarter of the blocks marks the echoes, their feet and the
    // tails they return through; the blocks clear of all of them give the noise.
    std::vector<double> rms;
    for (int b = 0; b < blocks; ++b)
        rms.push_back(blockRms(b));
    const double guess = quantile(rms, kGuessQuantile);
    const int before = scales.window, after = kEchoTailWindows * scales.window;
    for (int k = 0, last = -after - 1; k < static_cast<int>(d.size()); ++k)
        if (std::abs(d[static_cast<std::size_t>(k)]) > kMaskDeviations * guess) {
            for (int j = std::max({0, k - before, last + 1}); j <= k; ++j)
                masked[static_cast<std::size_t>(j)] = true;
            last = k;
        } else if (k - last <= after) {
            masked[static_cast<std::size_t>(k)] = true;
        }
    // Pooled over the clear blocks: a median of their RMS reads low on correlated noise, whose blocks
    // scatter widely.
    std::vector<double> single, correlation;
    std::vector<double> values;
    double pooled = 0.0;
    for (int b = 0; b < blocks; ++b) {
        const auto lo = masked.begin() + b * block;
        if (std::find(lo, lo + block, true) != lo + block)
            continue;
        pooled += rms[static_cast<std::size_t>(b)] * rms[static_cast<std::size_t>(b)];
        const int k0 = from + b * block;
        values.assign(level.begin() + k0, level.begin() + k0 + block);
        const double centre = medianOf(values);
        double ss = 0.0, lag = 0.0;
        for (int k = k0; k < k0 + block; ++k) {
            ss += (at(k) - centre) * (at(k) - centre);
            if (k > k0)
                lag += (at(k) - centre) * (at(k - 1) - centre);
        }
        single.push_back(std::sqrt(ss / block));
        correlation.push_back(ss > 0 ? lag / ss : 0.0);
    }
    if (static_cast<int>(single.size()) < kLeastNoiseBlocks)
        return {};
    return {quantile(single, 0.5), std::sqrt(pooled / static_cast<double>(single.size())),
            std::max(0.0, quantile(correlation, 0.5))};
}

namespace {

// Whether the trace's departure at `j` (judged since `from`) is an echo's leading edge: the trace
// lay at the level of the quiet samples before the edge (their median, up to 16 of them, ending `steep`
// samples before it) a few samples before it (those samples' mean), rises from there by 1.5 bands (the
// departure's first samples' mean), and comes back within the band of that level (a strong echo within
// a quarter of its rise) within two windows, as an echo is over by then, to stay there (the mean of the
// next 16 samples). A slow drift moves the line less meanwhile; the ringing's slow swing does not rise
// so fast, an undershoot creeping back does not come back, and neither does the line after an echo's
// trailing edge taken for a leading one.
bool echoEdge(std::span<const double> trace, int j, int from, double band, int minRun, int steep, int window)
{
    const int n = static_cast<int>(trace.size());
    const int before = j - steep - minRun;
    if (before < from || j + minRun > n)
        return false;
    auto at = [&](int k) { return trace[static_cast<std::size_t>(k)]; };
    auto mean = [&](int k0) {
        double sum = 0.0;
        for (int k = k0; k < k0 + minRun; ++k)
            sum += at(k);
        return sum / minRun;
    };
    const int quietFrom = std::max(from, j - steep - kLeastSettle);
    const double level = medianOf(trace.subspan(static_cast<std::size_t>(quietFrom), static_cast<std::size_t>(j - steep - quietFrom)));
    const double low = mean(before), high = mean(j);
    const int sign = high > low ? 1 : -1;
    if (std::abs(low - level) > band || sign * (high - low) < kEdgeRise * band)
        return false;
    // A strong echo comes back through its own tail and the line drifts while it lasts: back is
    // within the band, or within a share of its height.
    const double backWithin = std::max(band, kEchoReturn * std::abs(high - low));
    const int last = std::min(n, j + kEchoOverWindows * window + kShiftTail);
    for (int k = j + minRun, back = 0; k < last; ++k) {
        back = std::abs(at(k) - level) <= backWithin ? back + 1 : 0;
        if (back < minRun)
            continue;
        // And stays there, on average: noise on a slope also comes back now and then.
        if (k + 1 + kLeastSettle > n)
            return false;
        double sum = 0.0;
        for (int m = k + 1; m < k + 1 + kLeastSettle; ++m)
            sum += at(m);
        return std::abs(sum / kLeastSettle - level) <= backWithin;
    }
    return false;
}

} // namespace

int probeTailEnd(std::span<const double> level, std::span<const double> trace, int first, double band, int minRun,
                 const EchoScales& scales)
{
    const int n = static_cast<int>(std::min(level.size(), trace.size()));
    // The scan started at a candidate sample: the trace is judged against the level of the stretch's
    // first samples, then against the scan's own baseline once that fills, for a window and a settled
    // stretch more. A tail still undershooting or ringing leaves the band for much of that; a slow drift
    // of the line does not, as the baseline follows it.
    const int settle = std::max(kLeastSettle, scales.window / 2);
    const int span = kLeastSettle + scales.gap + scales.window + settle;
    const int step = std::max(1, scales.gap / kTailSteps);
    // An echo's leading edge is steep; the ringing's slow swing takes longer to get from the band to twice it.
    const int steep = std::max(minRun, scales.window / kSteepEdgeShare);
    CBaselineWindow window(level);
    auto at = [&](int k) { return trace[static_cast<std::size_t>(k)]; };
    for (int s = first; s + kLeastSettle < n; s += step) {
        const int from = s + kLeastSettle;
        const int to = std::min(n, s + span);
        window.moveTo(s, from);
        double base = window.median();
        int tested = 0, strays = 0, run = 0;
        for (int k = s; k < from; ++k, ++tested)
            strays += std::abs(at(k) - base) > band ? 1 : 0;
        const int allowed = static_cast<int>(kTailStrays * (to - s));
        bool echo = false;
        for (int i = from; i < to && strays <= allowed; ++i) {
            const int hi = std::max(i - scales.gap, from);
            window.moveTo(std::max(s, hi - scales.window), hi);
            base = window.median();
            const double away = std::abs(at(i) - base);
            run = away > 2 * band ? run + 1 : 0;
            if (run == minRun) {
                // A sharp departure after a settled stretch is an echo: the tail had ended before it.
                const int j = i - minRun + 1;
                tested -= minRun - 1;
                strays -= minRun - 1;
                echo = echoEdge(trace, j, s, band, minRun, steep, scales.window);
                break;
            }
            ++tested;
            strays += away > band ? 1 : 0;
        }
        const bool enough = echo || (run < minRun && tested >= std::min(span, n - s));
        if (enough && strays <= kTailStrays * tested)
            return s;
    }
    return n;
}

std::vector<double> smoothedTrace(std::span<const double> level, int width)
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

std::vector<EchoSpan> findEchoes(std::span<const double> level, std::span<const double> trace, int first,
                                 const ScanRules& rules)
{
    const int n = static_cast<int>(std::min(level.size(), trace.size()));
    const EchoScales& scales = rules.scales;
    std::vector<EchoSpan> echoes;
    CBaselineWindow window(level), recent(level);
    int quietFrom = first;
    std::optional<double> held;   // the baseline that holds until enough quiet samples follow an echo
    int heldCount = scales.window;
    EchoSpan run;
    int runLength = 0;
    // The threshold depends on the baseline's count alone, never above the window: worked out once.
    std::vector<double> thresholds(static_cast<std::size_t>(scales.window) + 1);
    for (int count = 1; count <= scales.window; ++count)
        thresholds[static_cast<std::size_t>(count)] = rules.threshold(count);
    for (int i = first + scales.gap + scales.least; i < n; ++i) {
        const int hi = i - scales.gap;
        window.moveTo(std::max(quietFrom, hi - scales.window), hi);
        double base = 0.0;
        int count = window.count();
        bool onHeld = false;
        if (count >= scales.least) {
            base = window.median();
        } else if (held && i - quietFrom >= kLeastRecent) {
            // The line may have drifted from the held baseline while the echo lasted: once a few quiet
            // samples follow the echo, they are the baseline, gap or not.
            recent.moveTo(quietFrom, i);
            base = recent.median();
            count = std::min(i - quietFrom, scales.window);
        } else if (held) {
            base = *held;
            count = heldCount;
            onHeld = true;
        } else {
            runLength = 0;
            continue;
        }
        const double threshold = thresholds[static_cast<std::size_t>(count)];
        const double d = trace[static_cast<std::size_t>(i)] - base;
        const int sign = d > threshold ? 1 : d < -threshold ? -1 : 0;
        if (sign == 0) {
            runLength = 0;
            continue;
        }
        if (runLength == 0 || sign != run.sign) {
            run = {};
            run.start = i;
            run.sign = sign;
            run.base = base;
            run.baseCount = count;
            run.held = onHeld;
            run.threshold = threshold;
            runLength = 0;
        }
        if (++runLength < rules.minRun)
            continue;

        run.quietFrom = quietFrom;
        const EchoSpan& echo = echoes.emplace_back(followEcho(run, trace.first(static_cast<std::size_t>(n)), rules));

        if (echo.shift) {
            const int recent = std::min(scales.least, echo.end - echo.start);
            held = medianOf(level.subspan(static_cast<std::size_t>(echo.end - recent), static_cast<std::size_t>(recent)));
            heldCount = recent;
        } else {
            held = echo.base;
            heldCount = echo.baseCount;
        }
        quietFrom = echo.end;
        i = echo.end - 1;
        runLength = 0;
    }
    return echoes;
}

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

std::vector<int> echoStarts(std::span<const double> level, const std::vector<EchoSpan>& echoes, const ScanRules& rules)
{
    // Every echo is the probe pulse, its edges lengthened by the line's dispersion, which only grows
    // along the line: the rise of an echo far stronger than another, well known, bounds the rise of
    // the weaker one - from above when that lies nearer, from below when it lies farther. And the
    // rises of the other echoes, a straight line along the line weighted by their strength (growing,
    // held within their own rises), keep a faint echo's rise near that law: a few adjacent noisy
    // samples otherwise fit a long rise better and pull the start early, or a short one and push it late.
    double largest = 0.0;
    std::size_t strongest = 0;
    for (std::size_t i = 0; i < echoes.size(); ++i)
        if (echoes[i].amplitude > largest) {
            largest = echoes[i].amplitude;
            strongest = i;
        }
    std::vector<EdgeSamples> edges;
    std::vector<RoughEdge> ramps;
    for (const EchoSpan& e : echoes) {
        edges.push_back(edgeSamples(level, e, rules));
        ramps.push_back(roughEchoEdge(echoEdges(edges.back(), rules.echoSamples)));
    }
    // Dispersion widens an echo as it lengthens its edges, and its trailing edge, taken a pulse width
    // after the leading one, would pull the start late. The strongest echo's trailing edge, placed on
    // its own (again, from the width found, while it still lies off), measures the widening there.
    // Far along a line with a long pulse the widening runs to tens of samples: the trailing edge is
    // sought as far off as the widening may be.
    double wider = 0.0;
    EdgeHint reach;
    reach.trailReach = kMostWidening * rules.echoSamples;
    if (!echoes.empty())
        for (int pass = 0; pass < kWideningPasses; ++pass) {
            const EdgeFit f = fitEchoStart(echoEdges(edges[strongest], rules.echoSamples + wider), reach, ramps[strongest]);
            wider = std::clamp(wider + f.widening, 0.0, kMostWidening * rules.echoSamples);
            if (std::abs(f.widening) < kWideningSettled)
                break;
        }
    const double along = rules.origin + (echoes.empty() ? 0.0 : echoes[strongest].start);
    // Nearer echoes have travelled less; farther ones are widened no more than the strongest, as its
    // widening, known to about a sample, is not scaled up beyond it.
    auto widthOf = [&](std::size_t i) {
        return along > 0 ? rules.echoSamples + wider * std::min(1.0, (rules.origin + echoes[i].start) / along) : rules.echoSamples;
    };
    std::vector<EdgeFit> own;
    for (std::size_t i = 0; i < echoes.size(); ++i)
        own.push_back(fitEchoStart(echoEdges(edges[i], widthOf(i)), {}, ramps[i]));
    std::vector<int> starts;
    for (std::size_t i = 0; i < echoes.size(); ++i) {
        const double amplitude = echoes[i].amplitude;
        EdgeHint hint;
        if (amplitude * kStrongerEcho <= largest)
            (i < strongest ? hint.mostRise : hint.leastRise) = own[strongest].rise;
        std::vector<RiseSample> others;
        for (std::size_t j = 0; j < own.size(); ++j)
            if (j != i)
                others.push_back({own[j].start - own[i].start, own[j].rise, echoes[j].amplitude});
        if (const std::optional<double> law = riseLaw(others, amplitude)) {
            const double total = std::sqrt(std::accumulate(others.begin(), others.end(), 0.0, [](double t, const RiseSample& o) {
                return t + o.amplitude * o.amplitude;
            }));
            const double tolerance = kLawTolerance * std::max(1.0, 2 * amplitude / total);
            hint.leastRise = std::max(hint.leastRise, *law - tolerance);
            hint.mostRise = std::max(hint.leastRise, std::min(hint.mostRise, *law + tolerance));
        }
        const bool outside = own[i].rise < hint.leastRise || own[i].rise > hint.mostRise;
        const EdgeFit fit = outside ? fitEchoStart(echoEdges(edges[i], widthOf(i)), hint, ramps[i]) : own[i];
        starts.push_back(std::clamp(static_cast<int>(std::lround(fit.start)), edges[i].leadFrom, edges[i].latest));
    }
    return starts;
}

void mergeEchoReturns(std::vector<EchoSpan>& echoes, int tailSpan, TailShares tailShares)
{
    std::vector<EchoSpan> kept;
    double parent = 0.0;   // the amplitude of the echo the last kept span began with
    int parentSign = 0;
    for (const EchoSpan& e : echoes) {
        // An echo wider than the scan waits for (dispersed far along the line) looks like a level
        // shift, and its trailing edge like a departure back to where the line was before it.
        const bool back = !kept.empty() && kept.back().shift && e.sign != kept.back().sign &&
                          std::abs(e.base + e.sign * e.amplitude - kept.back().base) <=
                              std::max(e.threshold, kShiftReturn * parent);
        // The tail makes a lobe only where it lifts the trace by half the threshold at least; the noise
        // does the rest. A fainter tail leaves the lobe an echo of its own.
        const double lobe = (e.sign == parentSign ? tailShares.same : tailShares.opposite) * parent;
        const bool tailLobe = e.held ? e.amplitude <= lobe + e.threshold
                                     : 2 * lobe >= e.threshold && e.amplitude <= lobe + e.threshold / 2;
        if (!kept.empty() && e.start < kept.back().end + tailSpan && (back || tailLobe)) {
            EchoSpan& host = kept.back();
            host.end = e.end;
            host.quietTo = std::max(host.quietTo, e.quietTo);
            host.shift = e.shift;
            // The echo's own trailing edge, where it was seen, still lies where it did: the lobe
            // after it is its tail. A shift's trailing edge is the lobe's.
            if (host.trailTo == 0)
                host.trailTo = e.trailTo;
            continue;
        }
        kept.push_back(e);
        parent = e.amplitude;
        parentSign = e.sign;
    }
    echoes = std::move(kept);
}

void dropFaintReturns(std::vector<EchoSpan>& echoes, std::span<const double> level, int first, const ScanRules& rules)
{
    const EchoScales& scales = rules.scales;
    const int back = static_cast<int>(std::ceil(rules.echoSamples)) + scales.gap;
    std::erase_if(echoes, [&](const EchoSpan& e) {
        const int hi = e.start - scales.gap - back;
        const int lo = hi - scales.window;
        if (lo < std::max(first, e.quietFrom))
            return false;
        const double before = medianOf(level.subspan(static_cast<std::size_t>(lo), static_cast<std::size_t>(scales.window)));
        const double reached = e.base + e.sign * e.amplitude;
        return std::abs(reached - before) <= e.threshold / 2 && e.sign * (before - e.base) >= e.threshold / 2;
    });
}

void markMultiples(std::vector<ReflectionEvent>& events, double width, std::optional<double> probeAmplitude, double slack)
{
    // Whether event j can be the k-th return of event i: where, with what sign and no higher than the
    // probe lets it be; k, or 0.
    auto returnOf = [&](std::size_t i, std::size_t j) {
        const ReflectionEvent& source = events[i];
        const ReflectionEvent& ghost = events[j];
        if (source.multiple != 0 || source.amplitude <= ghost.amplitude || !(source.position > 0))
            return 0;
        const int k = static_cast<int>(std::lround(ghost.position / source.position));
        if (k < 2 || std::abs(ghost.position - k * source.position) > width)
            return 0;
        const int sign = source.polarity < 0 || k % 2 == 1 ? source.polarity : -source.polarity;
        if (ghost.polarity != sign)
            return 0;
        if (probeAmplitude && *probeAmplitude > 0 &&
            ghost.amplitude > kMultipleMargin * *probeAmplitude * std::pow(source.amplitude / *probeAmplitude, k) + slack)
            return 0;
        return k;
    };
    // Every return loses the same share at the instrument: the strongest event's second return, where
    // it is seen, tells how high the others' can be (a clipped probe's height cannot).
    std::optional<double> ratio;
    const auto strongest = std::max_element(events.begin(), events.end(), [](const ReflectionEvent& a, const ReflectionEvent& b) {
        return a.amplitude < b.amplitude;
    });
    if (strongest != events.end()) {
        const std::size_t i = static_cast<std::size_t>(strongest - events.begin());
        for (std::size_t j = i + 1; j < events.size() && !ratio; ++j)
            if (returnOf(i, j) == 2)
                ratio = events[j].amplitude / (strongest->amplitude * strongest->amplitude);
    }
    for (std::size_t j = 0; j < events.size(); ++j)
        for (std::size_t i = 0; i < j && events[j].multiple == 0; ++i) {
            const int k = returnOf(i, j);
            if (k == 0)
                continue;
            if (ratio && events[j].amplitude > kMultipleMargin * std::pow(*ratio, k - 1) * std::pow(events[i].amplitude, k) + slack)
                continue;
            events[j].multiple = k;
        }
}

void classifyEvents(std::vector<ReflectionEvent>& events, std::optional<double> probeAmplitude)
{
    double largest = 0.0;
    for (const ReflectionEvent& e : events)
        if (e.multiple == 0)
            largest = std::max(largest, e.amplitude);
    for (auto it = events.rbegin(); it != events.rend(); ++it)
        if (it->multiple == 0 && it->polarity > 0 && it->amplitude >= kLargeEvent * largest) {
            it->end = true;
            break;
        }
    if (probeAmplitude)
        for (ReflectionEvent& e : events)
            e.returnLossDb = 20 * std::log10(*probeAmplitude / e.amplitude);
}
