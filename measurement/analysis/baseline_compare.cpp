#include "measurement/analysis/baseline_compare.h"
#include "resources/translate_marker.h"

#include "files/number_text.h"
#include "measurement/analysis/event_finder.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

// The strongest echoes both reflectograms show carry the alignment; more add little but time.
constexpr int kAlignmentEchoes = 4;
// The farthest re-reflection looked for: k times the way to an echo.
constexpr int kLargestReturn = 8;
// Samples the alignment takes either side of an echo, for its edges.
constexpr int kEdgeMargin = 6;
// The difference is stored in the finder's 8-bit samples scaled up to this many times, so that a
// quiet line's fraction of a count is not lost to rounding; and no larger than this level.
constexpr int kLargestScale = 4;
constexpr double kLargestScaledLevel = 120.0;
// The event finder's least height of an echo, counts; kept for the difference in unscaled counts.
constexpr double kLeastCounts = 3.0;
// The difference averaged over half an echo's width is searched as well: a change lasts a pulse width,
// the noise does not, so a change a few deviations of one sample high stands well clear of the noise
// there. Its scale and least height allow for how much quieter that average is.
constexpr int kLargestMatchedScale = 16;
constexpr double kLeastMatchedCounts = 2.0;
// The finder counts the correlated noise of the average generously; its threshold there is this share
// of the one asked. A change found only in the average holds at least kLeastMatchedHeight counts over
// its top: the alignment leaves residuals of a count or two, long as an echo, that no average removes.
constexpr double kMatchedThresholdShare = 0.9;
constexpr double kLeastMatchedHeight = 2.2;

bool sameValue(double a, double b) { return std::abs(a - b) <= 1e-9 * std::max(std::abs(a), std::abs(b)); }

std::vector<double> levelsOf(std::span<const std::uint8_t> samples)
{
    std::vector<double> level(samples.size());
    std::transform(samples.begin(), samples.end(), level.begin(), [](std::uint8_t b) { return sampleLevel(b); });
    return level;
}

Status refusal(const SampleGrid& now, const SampleGrid& baseline, std::size_t nowCount, std::size_t baselineCount)
{
    if (!sameValue(now.spacing, baseline.spacing))
        return Status::failure("the reflectograms were taken on different ranges (" + numtext::fixed(now.spacing, 4) +
                                   " and " + numtext::fixed(baseline.spacing, 4) + " nominal m between samples)",
                               "рефлектограммы сняты на разных диапазонах");
    if (!sameValue(now.pulseNs, baseline.pulseNs))
        return Status::failure("the reflectograms were taken with different pulses (" + numtext::fixed(now.pulseNs, 0) +
                                   " and " + numtext::fixed(baseline.pulseNs, 0) + " ns)",
                               "рефлектограммы сняты с разными импульсами");
    if (!sameValue(now.origin, baseline.origin) || nowCount != baselineCount)
        return Status::failure("the reflectograms cover different stretches of the line",
                               "рефлектограммы охватывают разные участки линии");
    return Status::success();
}

// The events of a difference trace (of the samples from `start` on), found by the event finder in its
// 8-bit samples scaled as far as the largest level allows.
struct Found {
    EventReport report;
    int scale = 1;
};

Found findChanges(std::span<const double> difference, double largest, int largestScale, double leastCounts,
                  const SampleGrid& grid, int start, const EventReport& nowReport, double thresholdSigma,
                  const LineDistances& distances)
{
    Found f;
    f.scale = largest > 0 ? std::clamp(static_cast<int>(kLargestScaledLevel / largest), 1, largestScale) : largestScale;
    std::vector<std::uint8_t> bytes(difference.size());
    std::transform(difference.begin(), difference.end(), bytes.begin(), [scale = f.scale](double d) {
        const long level = std::clamp(std::lround(d * scale), -128L, 127L);
        return static_cast<std::uint8_t>(static_cast<std::int8_t>(level));
    });
    EventFinderSettings settings;
    settings.thresholdSigma = thresholdSigma;
    settings.minCounts = leastCounts * f.scale;
    if (nowReport.probeAmplitude)
        settings.probeAmplitude = *nowReport.probeAmplitude * f.scale;
    // Starting past the origin, the difference is searched as a window without the probe pulse.
    const SampleGrid differenceGrid{grid.position(start), grid.spacing, grid.pulseNs};
    f.report = CEventFinder(settings).find(bytes, differenceGrid, distances);
    return f;
}

// `trace` averaged over the `width` samples up to each, fewer at the start: an edge of the average
// starts where the trace's edge does, so the finder places it and its re-reflections as in the trace.
std::vector<double> trailingMean(std::span<const double> trace, int width)
{
    const int n = static_cast<int>(trace.size());
    std::vector<double> sum(static_cast<std::size_t>(n) + 1, 0.0);
    for (int k = 0; k < n; ++k)
        sum[static_cast<std::size_t>(k) + 1] = sum[static_cast<std::size_t>(k)] + trace[static_cast<std::size_t>(k)];
    std::vector<double> mean(trace.size());
    for (int k = 0; k < n; ++k) {
        const int first = std::max(0, k + 1 - width), last = k + 1;
        mean[static_cast<std::size_t>(k)] =
            (sum[static_cast<std::size_t>(last)] - sum[static_cast<std::size_t>(first)]) / (last - first);
    }
    return mean;
}

// Where the alignment is fitted: the strongest echoes of the same sign both show near the same sample,
// or the probe pulse when they share none.
std::vector<SampleRange> alignmentRegions(const EventReport& now, const EventReport& baseline, double echo,
                                          int maxShift, int count, bool probeShown)
{
    struct Common {
        const ReflectionEvent* event;
        double strength;
    };
    std::vector<Common> common;
    // A re-reflection moves k times as far as the line when the lead changes: it carries no shift.
    for (const ReflectionEvent& f : now.events)
        for (const ReflectionEvent& e : baseline.events)
            if (f.multiple == 0 && e.multiple == 0 && f.polarity == e.polarity &&
                std::abs(f.sample - e.sample) <= maxShift + 2) {
                common.push_back({&f, std::min(f.amplitude, e.amplitude)});
                break;
            }
    std::sort(common.begin(), common.end(), [](const Common& a, const Common& b) { return a.strength > b.strength; });
    std::vector<SampleRange> regions;
    const int width = static_cast<int>(std::ceil(1.5 * echo));
    for (std::size_t i = 0; i < common.size() && i < kAlignmentEchoes; ++i) {
        const int start = common[i].event->sample;
        regions.push_back({std::max(0, start - kEdgeMargin), std::min(count, start + width + kEdgeMargin)});
    }
    if (regions.empty() && probeShown)
        regions.push_back({0, std::min(count, width + kEdgeMargin)});
    return regions;
}

// Whether the difference around `sample` is only a re-reflection of the baseline come back later or
// earlier than the line's echoes: it travels the changed lead k times, so it moves k times as far. The
// baseline shifted by k times the line's shift (the gain kept) must leave nothing above `threshold`
// there, the residual averaged over 2 x `half` + 1 samples as the change was found. An echo of the
// line that moved by any other amount is a change.
bool movedReflection(std::span<const double> now, std::span<const double> baseline, const TraceAlignment& alignment,
                     int sample, double echo, int half, double threshold)
{
    constexpr double kReachAround = 0.75;   // samples either side of k times the shift
    const int count = static_cast<int>(now.size());
    const int reach = static_cast<int>(std::ceil(kLargestReturn * std::abs(alignment.shift) + kReachAround));
    const int span = static_cast<int>(std::ceil(1.5 * echo)) + reach + kEdgeMargin;
    const int first = std::max(half, sample - span), last = std::min(count - half, sample + span);
    if (last <= first)
        return false;
    const int width = 2 * half + 1;
    std::vector<double> residual(static_cast<std::size_t>(last - first + 2 * half));
    for (int k = 2; k <= kLargestReturn; ++k)
        for (double around = -kReachAround; around <= kReachAround + 1e-9; around += 0.25) {
            const double shift = k * alignment.shift + around;
            for (int j = first - half; j < last + half; ++j)
                residual[static_cast<std::size_t>(j - first + half)] =
                    now[static_cast<std::size_t>(j)] - alignment.gain * levelAt(baseline, j - shift);
            double sum = std::accumulate(residual.begin(), residual.begin() + width - 1, 0.0);
            double worst = 0.0;
            for (std::size_t j = 0; j + width <= residual.size() && worst <= threshold; ++j) {
                sum += residual[j + static_cast<std::size_t>(width) - 1];
                worst = std::max(worst, std::abs(sum) / width);
                sum -= residual[j];
            }
            if (worst <= threshold)
                return true;
        }
    return false;
}

// Whether a change of `amplitude` found at `position` (nominal metres) only in the averaged difference
// lies k times as far as a nearer change at least twice as large: that change's re-reflection, which
// the finder cannot tell in the average, its edges too slow to place to a sample.
bool returnOfChange(std::span<const LineChange> changes, double position, double amplitude, double within)
{
    return std::any_of(changes.begin(), changes.end(), [&](const LineChange& c) {
        if (c.position <= 0 || c.amplitude < 2 * amplitude)
            return false;
        for (int k = 2; k <= kLargestReturn; ++k)
            if (std::abs(position - k * c.position) <= within)
                return true;
        return false;
    });
}

double meanOf(std::span<const double> level, int first, int last)
{
    first = std::clamp(first, 0, static_cast<int>(level.size()));
    last = std::clamp(last, first, static_cast<int>(level.size()));
    if (last == first)
        return 0.0;
    double sum = 0.0;
    for (int k = first; k < last; ++k)
        sum += level[static_cast<std::size_t>(k)];
    return sum / (last - first);
}

// The height of an echo starting at `sample`: the mean of its top over the mean of the samples before it.
double echoHeight(std::span<const double> level, int sample, double echo)
{
    const int from = std::max(1, static_cast<int>(echo / 4)), to = std::max(from + 2, static_cast<int>(3 * echo / 4));
    const int before = std::max(4, static_cast<int>(echo / 2));
    return meanOf(level, sample + from, sample + to) - meanOf(level, sample - before, sample);
}

// What a change of `size` counts at `sample` did, by the echo each reflectogram has there: one that
// was not there half as high came, one that is no longer half as high went, else it changed.
void classify(LineChange& c, int differenceSign, double nowHeight, double baselineHeight)
{
    auto sign = [differenceSign](double h) { return h > 0 ? 1 : h < 0 ? -1 : differenceSign; };
    if (std::abs(baselineHeight) < c.amplitude / 2 && std::abs(nowHeight) >= c.amplitude / 2) {
        c.kind = ChangeKind::Appeared;
        c.polarity = sign(nowHeight);
    } else if (std::abs(nowHeight) < c.amplitude / 2 && std::abs(baselineHeight) >= c.amplitude / 2) {
        c.kind = ChangeKind::Vanished;
        c.polarity = sign(baselineHeight);
    } else {
        c.kind = ChangeKind::Changed;
        c.polarity = sign(std::abs(nowHeight) >= std::abs(baselineHeight) ? nowHeight : baselineHeight);
    }
}

} // namespace

const char* changeKindText(ChangeKind kind)
{
    switch (kind) {
    case ChangeKind::Appeared:
        return VARNEL_TRANSLATE_NOOP("ChangeTable", "новое");
    case ChangeKind::Vanished:
        return VARNEL_TRANSLATE_NOOP("ChangeTable", "пропало");
    case ChangeKind::Changed:
        return VARNEL_TRANSLATE_NOOP("ChangeTable", "изменилось");
    }
    return "";
}

Status compareWithBaseline(std::span<const std::uint8_t> now, const SampleGrid& nowGrid,
                           std::span<const std::uint8_t> baseline, const SampleGrid& baselineGrid,
                           const LineDistances& distances, const CompareSettings& settings,
                           BaselineComparison& result)
{
    if (Status s = refusal(nowGrid, baselineGrid, now.size(), baseline.size()); !s)
        return s;
    const int count = static_cast<int>(now.size());
    const CEventFinder finder;
    const EventReport nowReport = finder.find(now, nowGrid, distances);
    const EventReport baseReport = finder.find(baseline, baselineGrid, distances);
    const std::vector<double> nowLevel = levelsOf(now), baseLevel = levelsOf(baseline);
    const double echo = nowGrid.pulseWidth() / nowGrid.spacing;

    BaselineComparison out;
    const std::vector<SampleRange> regions =
        alignmentRegions(nowReport, baseReport, echo, settings.maxShift, count, nowGrid.origin <= 0.0);
    const double agreeing = std::hypot(nowReport.noiseSigma, baseReport.noiseSigma);
    if (const std::optional<TraceAlignment> fit = fitAlignment(nowLevel, baseLevel, regions, settings.maxShift, agreeing))
        out.alignment = *fit;
    const double shift = out.alignment.shift, gain = out.alignment.gain;

    // Compared from where both probes' tails have settled.
    const int start = std::min(count, std::max(nowReport.firstSample,
                                               baseReport.firstSample + static_cast<int>(std::ceil(std::abs(shift)))));
    std::vector<double> difference(static_cast<std::size_t>(count - start), 0.0);
    double largest = 0.0;
    for (int k = start; k < count; ++k) {
        const double x = k - shift;
        if (x < 0 || x > count - 1)
            continue;
        const double d = nowLevel[static_cast<std::size_t>(k)] - gain * levelAt(baseLevel, x);
        difference[static_cast<std::size_t>(k - start)] = d;
        largest = std::max(largest, std::abs(d));
    }
    const Found pointwise = findChanges(difference, largest, kLargestScale, kLeastCounts, nowGrid, start, nowReport,
                                        settings.thresholdSigma, distances);
    out.noiseSigma = pointwise.report.noiseSigma / pointwise.scale;
    // The same difference averaged over half an echo: a change too faint for one sample is found there.
    const int half = std::max(1, static_cast<int>(echo / 4));
    const std::vector<double> matched = trailingMean(difference, 2 * half + 1);
    double largestMatched = 0.0;
    for (double m : matched)
        largestMatched = std::max(largestMatched, std::abs(m));
    const Found averaged = findChanges(matched, largestMatched, kLargestMatchedScale, kLeastMatchedCounts, nowGrid,
                                       start, nowReport, kMatchedThresholdShare * settings.thresholdSigma, distances);

    struct Candidate {
        const ReflectionEvent* event;
        int sample;
        const Found* found;
        int half;
    };
    std::vector<Candidate> candidates;
    for (const ReflectionEvent& e : pointwise.report.events)
        candidates.push_back({&e, e.sample + start, &pointwise, 1});
    const double span = 1.5 * echo;
    const std::size_t foundPointwise = candidates.size();
    for (const ReflectionEvent& e : averaged.report.events) {
        const int sample = e.sample + start;
        const bool known = std::any_of(candidates.begin(), candidates.begin() + static_cast<std::ptrdiff_t>(foundPointwise),
                                       [&](const Candidate& c) { return std::abs(c.sample - sample) < span; });
        // The average's first samples hold fewer of the difference, and the finder no baseline yet.
        if (!known && sample >= start + 2 * half + 1 + static_cast<int>(echo))
            candidates.push_back({&e, sample, &averaged, half});
    }
    std::sort(candidates.begin(), candidates.end(),
              [](const Candidate& a, const Candidate& b) { return a.sample < b.sample; });

    std::vector<double> aligned(static_cast<std::size_t>(count), 0.0);
    for (int k = 0; k < count; ++k)
        aligned[static_cast<std::size_t>(k)] = gain * levelAt(baseLevel, k - shift);
    // A weak change can dip back within the finder's half threshold and be found again further on, and
    // a change's way back to the line's level (a pulse width later, through the echo's own tail) can be
    // found as one of the other sign: a change that starts within the span of the one before is the
    // same echo.
    for (const Candidate& candidate : candidates) {
        const ReflectionEvent& e = *candidate.event;
        const double scale = candidate.found->scale;
        if (e.multiple > 0 || movedReflection(nowLevel, baseLevel, out.alignment, candidate.sample, echo, candidate.half,
                                              candidate.found->report.threshold / scale))
            continue;
        if (candidate.found == &averaged && e.amplitude / scale < kLeastMatchedHeight)
            continue;
        if (candidate.found == &averaged &&
            returnOfChange(out.changes, nowGrid.position(candidate.sample), e.amplitude / scale,
                           (echo + kEdgeMargin) * nowGrid.spacing))
            continue;
        if (!out.changes.empty() && candidate.sample - out.changes.back().sample < span) {
            out.changes.back().amplitude = std::max(out.changes.back().amplitude, e.amplitude / scale);
            continue;
        }
        LineChange c;
        c.sample = candidate.sample;
        c.position = nowGrid.position(c.sample);
        c.distance = distances.toReal(c.position);
        c.amplitude = e.amplitude / scale;
        classify(c, e.polarity, echoHeight(nowLevel, c.sample, echo), echoHeight(aligned, c.sample, echo));
        out.changes.push_back(c);
    }
    result = std::move(out);
    return Status::success();
}
