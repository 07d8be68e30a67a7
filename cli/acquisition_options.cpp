#include "cli/acquisition_options.h"

#include "cli/cli_language.h"

#include "device/port_choice.h"
#include "document/tables.h"
#include "document/varnel_doc.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

template <std::size_t N>
int tableIndex(const std::array<double, N>& table, double value)
{
    for (std::size_t i = 0; i < N; ++i)
        if (table[i] == value)
            return static_cast<int>(i);
    return -1;
}

} // namespace

std::string badValue(const std::string& option, const std::string& value, const std::string& english,
                     const std::string& russian)
{
    return cliText("bad " + option + " " + value + " (" + english + ")",
                   "неверный " + option + " " + value + " (" + russian + ")");
}

const std::string* optionValue(const ParsedArgs& args, const char* name)
{
    const auto it = args.values.find(name);
    return it == args.values.end() ? nullptr : &it->second;
}

bool parseDecimal(const std::string& text, double& value)
{
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

bool parseIntIn(const std::string& text, int low, int high, int& value)
{
    int v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size() || v < low || v > high)
        return false;
    value = v;
    return true;
}

std::string applyAcquisitionOptions(const ParsedArgs& a, CVarnelDoc& doc, std::string& port)
{
    if (const std::string* v = optionValue(a, "--port")) {
        if (Status s = checkPortName(*v); !s)
            return cliText("bad --port: ", "неверный --port: ") + cliReason(s);
        port = *v;
    }
    if (const std::string* v = optionValue(a, "--range")) {
        double metres = 0;
        const int i = parseDecimal(*v, metres) ? tableIndex(tables::kRanges, metres) : -1;
        if (i < 0)
            return badValue("--range", *v, "62.5, 125, 250, 500, 1000, 2000, 4000, 8000, 16000, 32000 or 64000",
                            "62.5, 125, 250, 500, 1000, 2000, 4000, 8000, 16000, 32000 или 64000");
        doc.selectRange(i);
    }
    if (const std::string* v = optionValue(a, "--pulse")) {
        double ns = 0;
        const int i = parseDecimal(*v, ns) ? tableIndex(tables::kPulses, ns) : -1;
        if (i < 0)
            return badValue("--pulse", *v, "10, 20, 50, 100, 200, 500, 1000, 2000, 5000, 10000, 20000 or 50000",
                            "10, 20, 50, 100, 200, 500, 1000, 2000, 5000, 10000, 20000 или 50000");
        doc.selectPulse(i);
    }
    if (const std::string* v = optionValue(a, "--gain"); v && !parseIntIn(*v, 0, 255, doc.gain))
        return badValue("--gain", *v, "0..255", "0..255");
    if (const std::string* v = optionValue(a, "--average"); v && !parseIntIn(*v, 0, 7, doc.average))
        return badValue("--average", *v, "0..7", "0..7");
    if (const std::string* v = optionValue(a, "--zoom")) {
        int zoom = 0;
        if (!parseIntIn(*v, 0, 1000, zoom))
            return badValue("--zoom", *v, "0 or more", "0 и больше");
        doc.zoom = std::min(zoom, doc.largestZoom());
        doc.zoomed = doc.zoom > 0;
    }
    if (const std::string* v = optionValue(a, "--center")) {
        double metres = 0;
        if (!parseDecimal(*v, metres) || metres < 0)
            return badValue("--center", *v, "nominal metres, 0 or more", "м при КУ 1.5, 0 и больше");
        doc.zoomCenter = metres;
    }
    return {};
}
