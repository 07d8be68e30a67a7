#include "files/number_text.h"

#include "document/units.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace numtext {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

std::string_view skipBlanks(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    return text.substr(i);
}

// Whether a number text that does not fit a double is too large (else it is too small).
bool tooLargeNotTooSmall(std::string_view number)
{
    const std::size_t e = number.find_first_of("eE");
    if (e != std::string_view::npos)
        return e + 1 >= number.size() || number[e + 1] != '-';
    for (char c : number.substr(0, number.find('.')))
        if (c >= '1' && c <= '9')
            return true;
    return false;
}

// Parses the longest leading number of `text`; `used` is how many characters it took (0: none).
double parseLeading(std::string_view text, std::size_t& used, bool& outOfRange)
{
    used = 0;
    outOfRange = false;
    bool negative = false;
    std::size_t sign = 0;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        sign = 1;
    }
    const std::string_view body = text.substr(sign);
    // from_chars would also take "inf" and "nan"; a number here starts with a digit or a point.
    if (body.empty() || !(std::isdigit(static_cast<unsigned char>(body[0])) || body[0] == '.'))
        return 0.0;
    double value = 0.0;
    const auto [end, ec] = std::from_chars(body.data(), body.data() + body.size(), value,
                                           std::chars_format::general);
    if (end == body.data())
        return 0.0;
    used = sign + static_cast<std::size_t>(end - body.data());
    outOfRange = ec == std::errc::result_out_of_range;
    if (outOfRange)
        value = tooLargeNotTooSmall(std::string_view(body.data(), static_cast<std::size_t>(end - body.data())))
                    ? std::numeric_limits<double>::max()
                    : 0.0;
    return negative ? -value : value;
}

} // namespace

std::string fixed(double value, int decimals)
{
    char buffer[400];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (ec != std::errc())
        return {};
    return std::string(buffer, end);
}

std::string integer(int value) { return std::to_string(value); }

std::string twoDigits(int value)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%2.2d", value);
    return buffer;
}

double leadingNumber(std::string_view text)
{
    std::size_t used = 0;
    bool outOfRange = false;
    return parseLeading(skipBlanks(text), used, outOfRange);
}

bool parseNumber(std::string_view text, double& value)
{
    text = skipBlanks(text);
    std::size_t used = 0;
    bool outOfRange = false;
    const double v = parseLeading(text, used, outOfRange);
    if (used == 0 || outOfRange || !skipBlanks(text.substr(used)).empty())
        return false;
    value = v;
    return true;
}

int truncThousandths(double value) { return ::truncThousandths(value); }

} // namespace numtext
