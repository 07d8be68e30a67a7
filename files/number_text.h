#pragma once

#include <string>
#include <string_view>

// Numbers as the files and lists write and read them: always with '.' as the decimal separator,
// whatever locale the program runs under.
namespace numtext {

// printf's "%.<decimals>f".
std::string fixed(double value, int decimals);
// printf's "%d".
std::string integer(int value);
// printf's "%2.2d": at least two digits.
std::string twoDigits(int value);

// The leading decimal number of `text` (blanks, an optional sign, digits, a point, an exponent), as
// the C runtime's atof reads it; 0 when there is none. Infinities and NaN are never produced.
double leadingNumber(std::string_view text);
// The whole of `text` (blanks around it allowed) as a number a double holds, or false.
bool parseNumber(std::string_view text, double& value);

// trunc(value x 1000) as stored in the files (the document's truncThousandths).
int truncThousandths(double value);

} // namespace numtext
