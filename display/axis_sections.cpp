#include "display/axis_sections.h"

#include "display/screen_state.h"
#include "document/units.h"

#include <algorithm>
#include <cmath>

namespace axis_sections {

namespace {


// A section KU that is not positive must never reach a division; such a section reads as KU 1.5.
double usableKu(double ku) { return ku > 0.0 ? ku : kReferenceKu; }

// Samples a stretch of the axis occupies. No stretch occupies more than the whole axis (a section of a
// hand-made file can be far longer than the range), and none less than nothing; NaN counts as nothing.
int countOf(double value)
{
    const double t = std::trunc(value);
    return t > 0 ? static_cast<int>(std::min(t, static_cast<double>(kWindowSamples))) : 0;
}

} // namespace

int overlappingCount(const CSectionList& sections, double left, double right)
{
    int n = 0;
    for (const Section& s : sections.all())
        if (!(s.end / 100 < left) && !(s.start / 100 > right))
            ++n;
    return n;
}

bool buildWindowAxis(CScreenState& screen, const CVarnelDoc& doc)
{
    if (!doc.gridActive())
        return false;
    const Span win = doc.window();
    const double left = win.left, right = win.right;
    const int count = overlappingCount(doc.sections, left, right);
    if (count == 0)
        return false;

    screen.setAxisSectionCount(count);
    const double q = doc.windowWidth() * 100 / kWindowSamples;
    double R = 0.0, k = kReferenceKu, lastA = 0.0;
    long long m = 0;   // a thousand sections of up to 500 samples each
    int n = 0;
    for (const Section& s : doc.sections.all()) {
        const double a = s.start / 100, b = s.end / 100, len = s.length;
        k = usableKu(s.ku);
        const double realLength = len / 100 / k * kReferenceKu;
        if (b < left) {
            R += realLength;
            continue;
        }
        int c = -1;
        if (a < left && left <= b && b <= right) {
            c = countOf((b - left) * 100 / q);
            screen.setAxisSection(n, c ? c : 1, (b - left) / k * kReferenceKu, R + (left - a) / k * kReferenceKu,
                                  R + realLength);
            R += realLength;
        } else if (left <= a && b <= right) {
            c = countOf(len / q);
            screen.setAxisSection(n, c ? c : 1, realLength, R, R + realLength);
            R += realLength;
        } else if (left <= a && a <= right && right < b) {
            c = countOf((right - a) * 100 / q);
            const double part = (right - a) / k * kReferenceKu;
            screen.setAxisSection(n, c ? c : 1, part, R, R + part);
            R += part;
        } else if (a < left && right < b) {
            c = kWindowSamples;
            const double end = R + (right - a) / k * kReferenceKu;
            screen.setAxisSection(n, c, (right - left) / k * kReferenceKu, R + (left - a) / k * kReferenceKu, end);
            R = end;
        }
        if (c > 0)
            m += c;
        lastA = a;
        ++n;
    }

    if (m < kWindowSamples && n > 0 && n - 1 < static_cast<int>(screen.axisSections.size())) {
        // The rest of the window lies beyond the last section and takes its KU.
        R += (kWindowSamples - m) * q / k * kReferenceKu / 100;
        AxisSection& last = screen.axisSections[static_cast<std::size_t>(n - 1)];
        const double visibleStart = std::max(lastA, left);
        const int c = countOf((right - visibleStart) * 100 / q);
        last.sampleCount = std::max(c, 1);
        last.realLength = (right - visibleStart) / k * kReferenceKu;
        last.realEnd = R;
        if (m == 0)
            last.realStart = R - kWindowSamples * q / k * kReferenceKu / 100;
    } else if (m < kWindowSamples) {
        R += (kWindowSamples - m) * q / k * kReferenceKu / 100;
    }
    screen.setXLabelRange(screen.axisSections.front().realStart, R);
    return true;
}

bool buildRangeAxis(CScreenState& screen, const CVarnelDoc& doc)
{
    if (!doc.gridActive())
        return false;
    const int count = doc.sections.count();
    screen.setAxisSectionCount(count);
    const double q = doc.scale * 100 / kWindowSamples;
    double acc = 0.0, first = -1.0, k = kReferenceKu, s = 0.0, a = 0.0, b = 0.0;
    long long used = 0;
    for (int i = 0; i < count; ++i) {
        const Section& sec = doc.sections.all()[static_cast<std::size_t>(i)];
        k = usableKu(sec.ku);
        a = sec.start / 100;
        b = sec.end / 100;
        const double len = sec.length;
        s = acc;
        if (first == -1.0)
            first = s;
        acc += len / 100 / k * kReferenceKu;
        int c = countOf(len / q);
        used += c;
        if (c == 0)
            c = 1;
        screen.setAxisSection(i, c, len / 100 / k * kReferenceKu, s, acc);
    }
    if (used < kWindowSamples) {
        const double v = (kWindowSamples - used) * q;
        acc += v / k * kReferenceKu / 100;
        b += v / 100;
        if (used == 0) {
            s = acc - q * kWindowSamples / k * kReferenceKu / 100;
            a = 0;
        }
        const int c = countOf((b - a) * 100 / q);
        screen.setAxisSection(count - 1, std::max(c, 1), (b - a) / k * kReferenceKu, s, acc);
    }
    screen.setXLabelRange(first, acc);
    return true;
}

} // namespace axis_sections
