#include "measurement/analysis/watch_recorder.h"

#include "document/atomic_file.h"
#include "document/file_reasons.h"
#include "document/local_time.h"
#include "document/tables.h"
#include "files/number_text.h"
#include "measurement/analysis/sample_grid.h"

#include <cmath>
#include <filesystem>

namespace {

constexpr int kMostSuffixes = 1000;

struct Stamp {
    LocalTime t;
    int millisecond = 0;
};

Stamp stampOf(std::chrono::system_clock::time_point time)
{
    using namespace std::chrono;
    const auto ms = floor<milliseconds>(time.time_since_epoch()).count();
    const auto seconds = static_cast<std::time_t>(ms >= 0 ? ms / 1000 : (ms - 999) / 1000);
    return {toLocalTime(seconds), static_cast<int>(ms - static_cast<long long>(seconds) * 1000)};
}

std::string threeDigits(int v)
{
    std::string s = std::to_string(v);
    return std::string(s.size() < 3 ? 3 - s.size() : 0, '0') + s;
}

std::string fileBase(const Stamp& s)
{
    using numtext::twoDigits;
    return std::to_string(s.t.year) + "-" + twoDigits(s.t.month) + "-" + twoDigits(s.t.day) + "_" + twoDigits(s.t.hour) +
           "-" + twoDigits(s.t.minute) + "-" + twoDigits(s.t.second) + "-" + threeDigits(s.millisecond);
}

} // namespace

CWatchRecorder::CWatchRecorder(std::string folder) : dir(std::move(folder)) {}

std::string CWatchRecorder::logPath() const { return (std::filesystem::path(dir) / kWatchLogName).string(); }

Status CWatchRecorder::record(const WatchChange& change, const ReflectogramRecord& file, std::string& savedName)
{
    savedName.clear();
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec)
        return filereason::system(dir, ec.value());

    const std::string base = fileBase(stampOf(change.time));
    std::string name;
    for (int i = 1; i <= kMostSuffixes && name.empty(); ++i) {
        const std::string candidate = base + (i == 1 ? "" : "_" + std::to_string(i)) + kReflectogramExtension;
        if (!std::filesystem::exists(std::filesystem::path(dir) / candidate, ec))
            name = candidate;
    }
    Status written = name.empty() ? Status::failure(dir + ": no free file name for " + base,
                                                    dir + ": нет свободного имени файла для " + base)
                                  : writeReflectogram((std::filesystem::path(dir) / name).string(), file);
    if (written)
        savedName = name;
    const Status logged = appendLineDurably(logPath(), kWatchLogHeader, watchLogLine(change, savedName));
    if (written && logged)
        ++savedCount;
    if (!written && !logged)
        return Status::failure(written.reason() + "; " + logged.reason(),
                               written.userReason() + "; " + logged.userReason());
    return written ? logged : written;
}

std::string watchLogLine(const WatchChange& change, const std::string& fileName)
{
    const Stamp s = stampOf(change.time);
    using numtext::twoDigits;
    const std::string time = std::to_string(s.t.year) + "-" + twoDigits(s.t.month) + "-" + twoDigits(s.t.day) + " " +
                             twoDigits(s.t.hour) + ":" + twoDigits(s.t.minute) + ":" + twoDigits(s.t.second) + "." +
                             threeDigits(s.millisecond);
    return time + "," + std::to_string(change.sample) + "," + numtext::fixed(change.distance, 2) + "," +
           std::to_string(change.difference) + "," + fileName;
}

std::array<std::uint8_t, kRawSamples> recordFromWindow(std::span<const std::uint8_t> window, const SampleGrid& grid,
                                                       int scaleIndex)
{
    std::array<std::uint8_t, kRawSamples> raw{};
    if (!(grid.spacing > 0))
        return raw;
    const double rawSpacing = tables::kRawSpacingCm[static_cast<std::size_t>(tables::clampScaleIndex(scaleIndex))] / 100;
    for (int k = 0; k < kRawSamples; ++k) {
        // A hair of tolerance: raw positions that coincide with a window sample must land on it.
        const double j = std::floor((k * rawSpacing - grid.origin) / grid.spacing + 1e-9);
        if (j >= 0 && j < static_cast<double>(window.size()))
            raw[static_cast<std::size_t>(k)] = window[static_cast<std::size_t>(j)];
    }
    return raw;
}
