#include "measurement/analysis/fault_watch.h"

#include "document/tables.h"
#include "document/varnel_doc.h"
#include "files/number_text.h"

#include <algorithm>
#include <cstdlib>

CFaultWatch::CFaultWatch(WatchSettings settings, std::optional<std::string> folder) : config(settings)
{
    config.threshold = std::max(config.threshold, 0);
    config.samples = std::max(config.samples, 0);
    if (folder)
        recorder.emplace(std::move(*folder));
}

void CFaultWatch::setReference(std::vector<std::uint8_t> samples, const SampleGrid& grid)
{
    reference = std::move(samples);
    referenceGrid = grid;
    differing = false;
}

std::optional<std::pair<int, int>> CFaultWatch::firstDifference(const std::vector<std::uint8_t>& samples) const
{
    const std::size_t n = std::min(samples.size(), reference.size());
    int run = 0, largest = 0;
    for (std::size_t j = 0; j < n; ++j) {
        const int d = sampleLevel(samples[j]) - sampleLevel(reference[j]);
        if (std::abs(d) <= config.threshold) {
            run = largest = 0;
            continue;
        }
        if (std::abs(d) > std::abs(largest))
            largest = d;
        if (++run > config.samples) {
            // Report the whole stretch's largest difference, not only its first part's.
            for (std::size_t k = j + 1; k < n; ++k) {
                const int e = sampleLevel(samples[k]) - sampleLevel(reference[k]);
                if (std::abs(e) <= config.threshold)
                    break;
                if (std::abs(e) > std::abs(largest))
                    largest = e;
            }
            return std::pair{static_cast<int>(j) - config.samples, largest};
        }
    }
    return std::nullopt;
}

WatchStep CFaultWatch::feed(const WatchFrame& frame, const LineDistances& distances)
{
    WatchStep step;
    ++frameCount;
    const bool sameWindow = frame.grid == referenceGrid && frame.samples.size() == reference.size();
    if (reference.empty() || !sameWindow || low.size() != frame.samples.size()) {
        step.restarted = !reference.empty() && !sameWindow;
        if (reference.empty() || !sameWindow)
            setReference(frame.samples, frame.grid);
        low.assign(frame.samples.size(), 127);
        high.assign(frame.samples.size(), -128);
    }
    for (std::size_t j = 0; j < frame.samples.size(); ++j) {
        const int v = sampleLevel(frame.samples[j]);
        low[j] = std::min(low[j], v);
        high[j] = std::max(high[j], v);
    }

    const auto difference = firstDifference(frame.samples);
    const bool wasDiffering = differing;
    differing = difference.has_value();
    if (!difference || wasDiffering)
        return step;

    WatchChange change;
    change.time = frame.time;
    change.sample = difference->first;
    change.position = frame.grid.position(change.sample);
    change.distance = distances.toReal(change.position);
    change.difference = difference->second;
    ++changeCount;
    step.change = change;
    if (recorder) {
        ReflectogramRecord file = frame.file;
        if (!frame.fullRecord)
            file.samples = recordFromWindow(frame.samples, frame.grid, file.scaleIndex);
        step.saved = recorder->record(change, file, step.file);
    }
    return step;
}

WatchFrame liveWatchFrame(const CVarnelDoc& doc, int line, std::chrono::system_clock::time_point time)
{
    const Trace& t = doc.traces[line == L2 ? L2 : L1];
    WatchFrame frame;
    frame.samples.assign(t.samples.begin(), t.samples.end());
    frame.grid = windowGrid(doc);
    frame.time = time;
    frame.file.scaleIndex = tables::scaleIndexOf(doc.scale);
    frame.file.pulseIndex = tables::pulseIndexOf(doc.pulse);
    frame.file.average = doc.average;
    frame.file.gain = doc.gain;
    frame.file.status = t.status;
    frame.file.kuThousandths = numtext::truncThousandths(doc.vfactor);
    return frame;
}
