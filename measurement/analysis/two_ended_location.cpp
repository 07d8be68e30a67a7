#include "measurement/analysis/two_ended_location.h"

#include "document/line_distances.h"
#include "document/units.h"
#include "files/number_text.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

// A pair's disagreement may exceed two echo widths by this share of the length when the ends of the
// line scale the distances, and by far more when only the claimed KU does (it may be wrong by tens of
// per cent: that is why the fault is located from both ends).
constexpr double kSpreadShareByEnd = 0.01;
constexpr double kSpreadShareByKu = 0.15;

std::string metres(double v) { return numtext::fixed(v, 2); }

std::optional<double> endOfLine(const LineEnd& end)
{
    for (const ReflectionEvent& e : end.report.events)
        if (e.end)
            return e.position;
    return std::nullopt;
}

// Real metres per nominal metre of one end, for pairing only: the length over the end of the line it
// shows (or the other end shows: the same line), else its claimed KU.
struct EndScale {
    double metresPerNominal = 1.0;
    bool byEnd = false;
};

EndScale scaleOf(const LineEnd& end, const LineEnd& other, double length)
{
    if (const std::optional<double> e = endOfLine(end); e && *e > 0)
        return {length / *e, true};
    if (const std::optional<double> e = endOfLine(other); e && *e > 0)
        return {length / *e, true};
    return {kReferenceKu / usableKu(end.ku), false};
}

FaultSighting sightingOf(const LineEnd& end, std::size_t index)
{
    const ReflectionEvent& e = end.report.events[index];
    const double position = index < end.starts.size() ? end.starts[index] : e.position;
    return {static_cast<int>(index) + 1, e.sample, position, e.polarity, e.amplitude};
}

// The start of an echo found at `sample` to a fraction of a sample: its leading edge fitted as a ramp
// from the level before it to the echo's height, the start and the rise free, by least squares.
double refinedStart(std::span<const double> level, const ReflectionEvent& e, double echo)
{
    const int n = static_cast<int>(level.size());
    const int top = std::clamp(static_cast<int>(echo / 2), 2, 12);
    double best = std::numeric_limits<double>::infinity(), bestStart = e.sample;
    for (double rise = 0.5; rise <= 8.0; rise += 0.5)
        for (int step = -40; step <= 40; ++step) {
            const double t0 = e.sample + step / 20.0;
            const int first = static_cast<int>(std::floor(t0)) - 8, last = static_cast<int>(std::ceil(t0 + rise)) + top;
            if (first < 0 || last > n)
                continue;
            // level ~ b + a x ramp: the least-squares b and a for this start and rise.
            double sr = 0, srr = 0, sy = 0, sry = 0;
            const int m = last - first;
            for (int k = first; k < last; ++k) {
                const double r = std::clamp((k - t0) / rise, 0.0, 1.0);
                const double y = level[static_cast<std::size_t>(k)];
                sr += r;
                srr += r * r;
                sy += y;
                sry += r * y;
            }
            const double det = m * srr - sr * sr;
            if (!(det > 0))
                continue;
            const double a = (m * sry - sr * sy) / det, b = (sy - a * sr) / m;
            double residual = 0.0;
            for (int k = first; k < last; ++k) {
                const double r = std::clamp((k - t0) / rise, 0.0, 1.0);
                const double d = level[static_cast<std::size_t>(k)] - b - a * r;
                residual += d * d;
            }
            residual /= m;
            if (a * e.polarity > 0 && residual < best) {
                best = residual;
                bestStart = t0;
            }
        }
    return bestStart;
}

// The sightings of the fault one end offers: the one chosen, or every event that can be a fault.
Status sightingsOf(const LineEnd& end, const char* name, std::vector<FaultSighting>& out)
{
    const std::string en = std::string("end ") + name;
    const std::string ru = std::string("конец ") + name;
    const std::optional<double> lineEndAt = endOfLine(end);
    const auto& events = end.report.events;
    if (end.choice.event) {
        const int n = *end.choice.event;
        if (n < 1 || n > static_cast<int>(events.size()))
            return Status::failure(en + " has " + std::to_string(events.size()) + " events; there is no event " +
                                       std::to_string(n),
                                   ru + ": нет события " + std::to_string(n) + " (найдено событий: " +
                                       std::to_string(events.size()) + ")");
        const ReflectionEvent& e = events[static_cast<std::size_t>(n - 1)];
        if (e.end)
            return Status::failure("event " + std::to_string(n) + " of " + en + " is the end of the line, not a fault",
                                   ru + ": событие " + std::to_string(n) + " - конец линии, а не повреждение");
        if (lineEndAt && e.position > *lineEndAt)
            return Status::failure("event " + std::to_string(n) + " of " + en + " lies beyond the line (its end at " +
                                       metres(*lineEndAt) + " nominal m)",
                                   ru + ": событие " + std::to_string(n) + " лежит за концом линии (" +
                                       metres(*lineEndAt) + " м)");
        out.push_back(sightingOf(end, static_cast<std::size_t>(n - 1)));
        return Status::success();
    }
    if (end.choice.position) {
        const double p = *end.choice.position;
        const double last = end.grid.position(std::max(0, end.sampleCount - 1));
        if (!std::isfinite(p) || p <= 0)
            return Status::failure("the fault seen from " + en + " must lie beyond the start of the line, not at " +
                                       metres(p) + " nominal m",
                                   ru + ": повреждение должно быть дальше начала линии");
        const double limit = lineEndAt ? std::min(*lineEndAt, last) : last;
        if (p >= limit)
            return Status::failure("the fault at " + metres(p) + " nominal m from " + en + " lies beyond the line (" +
                                       (lineEndAt ? "its end" : "the reflectogram's last sample") + " at " +
                                       metres(limit) + " nominal m)",
                                   ru + ": повреждение на " + metres(p) + " м лежит за концом линии (" + metres(limit) +
                                       " м)");
        FaultSighting s;
        s.position = p;
        s.sample = static_cast<int>(std::lround((p - end.grid.origin) / end.grid.spacing));
        out.push_back(s);
        return Status::success();
    }
    for (std::size_t i = 0; i < events.size(); ++i) {
        const ReflectionEvent& e = events[i];
        if (!e.end && e.multiple == 0 && e.position > 0 && (!lineEndAt || e.position < *lineEndAt))
            out.push_back(sightingOf(end, i));
    }
    if (out.empty())
        return Status::failure(en + " shows no event that could be the fault",
                               ru + ": нет события, которое могло бы быть повреждением");
    return Status::success();
}

struct Pair {
    FaultSighting a, b;
    double spread = 0.0;
};

std::string pairText(const Pair& p)
{
    auto side = [](const FaultSighting& s) {
        return s.number > 0 ? "event " + std::to_string(s.number) : "position " + metres(s.position);
    };
    return side(p.a) + " of A with " + side(p.b) + " of B (" + metres(p.spread) + " m apart)";
}

std::string pairTextRu(const Pair& p)
{
    auto side = [](const FaultSighting& s) {
        return s.number > 0 ? "событие " + std::to_string(s.number) : "точка " + metres(s.position) + " м";
    };
    return side(p.a) + " конца A и " + side(p.b) + " конца B (расхождение " + metres(p.spread) + " м)";
}

} // namespace

LineEnd lineEnd(std::span<const std::uint8_t> samples, const SampleGrid& grid, double ku, FaultChoice choice)
{
    LineEnd end;
    end.report = CEventFinder().find(samples, grid, LineDistances{usableKu(ku), {}});
    std::vector<double> level(samples.size());
    std::transform(samples.begin(), samples.end(), level.begin(), [](std::uint8_t b) { return sampleLevel(b); });
    for (const ReflectionEvent& e : end.report.events)
        end.starts.push_back(grid.position(refinedStart(level, e, grid.pulseWidth() / grid.spacing)));
    end.grid = grid;
    end.sampleCount = static_cast<int>(samples.size());
    end.ku = ku;
    end.choice = choice;
    return end;
}

Status locateFault(const LineEnd& a, const LineEnd& b, double length, TwoEndedLocation& result)
{
    if (!std::isfinite(length) || length <= 0)
        return Status::failure("the length must be above 0 m, not " + metres(length) + " m",
                               "длина линии должна быть больше 0 м");
    std::vector<FaultSighting> fromA, fromB;
    if (Status s = sightingsOf(a, "A", fromA); !s)
        return s;
    if (Status s = sightingsOf(b, "B", fromB); !s)
        return s;

    const EndScale scaleA = scaleOf(a, b, length), scaleB = scaleOf(b, a, length);
    std::vector<Pair> pairs;
    for (const FaultSighting& sa : fromA)
        for (const FaultSighting& sb : fromB)
            pairs.push_back({sa, sb, std::abs(sa.position * scaleA.metresPerNominal +
                                              sb.position * scaleB.metresPerNominal - length)});
    std::sort(pairs.begin(), pairs.end(), [](const Pair& x, const Pair& y) { return x.spread < y.spread; });
    const Pair& best = pairs.front();
    const double echo = std::max(a.grid.pulseWidth() * scaleA.metresPerNominal, b.grid.pulseWidth() * scaleB.metresPerNominal);
    const bool chosen = (a.choice.event || a.choice.position) && (b.choice.event || b.choice.position);
    if (!chosen) {
        const double share = scaleA.byEnd || scaleB.byEnd ? kSpreadShareByEnd : kSpreadShareByKu;
        if (best.spread > 2 * echo + share * length)
            return Status::failure("no event of end A matches one of end B: the closest, " + pairText(best) +
                                       ", disagree by more than " + metres(2 * echo + share * length) + " m",
                                   "ни одно событие конца A не совпадает с событием конца B: ближайшие, " +
                                       pairTextRu(best) + ", расходятся больше чем на " +
                                       metres(2 * echo + share * length) + " м");
        // Another pair that agrees about as well is an ambiguity when it puts the fault elsewhere; one
        // that only takes another event of the same echo (a second event found on it) is not.
        auto where = [length](const Pair& p) { return length * p.a.position / (p.a.position + p.b.position); };
        for (std::size_t i = 1; i < pairs.size() && pairs[i].spread - best.spread < echo; ++i)
            if (std::abs(where(pairs[i]) - where(best)) > echo)
                return Status::failure("two pairs of events could be the fault: " + pairText(best) + ", and " +
                                           pairText(pairs[i]) + "; choose one",
                                       "повреждением могут быть две пары событий: " + pairTextRu(best) + " и " +
                                           pairTextRu(pairs[i]) + "; выберите одну");
    }

    const double nominal = best.a.position + best.b.position;
    const double ku = nominal * kReferenceKu / length;
    if (!kuInRange(ku))
        return Status::failure("KU " + numtext::fixed(ku, 3) + " is outside " + numtext::fixed(kLeastKu, 0) + ".." +
                                   numtext::fixed(kLargestKu, 0) + ": check the length and the events paired",
                               "КУ " + numtext::fixed(ku, 3) + " выходит за пределы " + numtext::fixed(kLeastKu, 0) +
                                   ".." + numtext::fixed(kLargestKu, 0) + ": проверьте длину и выбранные события");
    result.fromA = length * best.a.position / nominal;
    result.fromB = length - result.fromA;
    result.ku = ku;
    result.speed = speedOfKu(ku);
    result.a = best.a;
    result.b = best.b;
    result.spread = best.spread;
    return Status::success();
}
